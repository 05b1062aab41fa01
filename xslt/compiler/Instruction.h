#pragma once
// A compiled instruction: one operation, Execute, run in a child run-time
// context whose current stylesheet element is the instruction.
#include "xslt/compiler/StylesheetElement.h"

namespace XsltPrivate {

class CContext;

class CInstruction : public CStylesheetElement {
public:
  virtual void Execute(CContext& context) = 0;
};

// Runs a content list: each instruction in its own child context (the
// instruction as current stylesheet element, no fresh variable table), whose
// scope ends after the instruction. An exception stops the list.
void ExecuteInstructions(const CContentList& content, CContext& context);

} // namespace XsltPrivate
