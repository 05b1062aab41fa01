#pragma once
// Maps a stylesheet element inside content to its compiled instruction: an
// XSLT instruction by local name, an extension element through the package
// that implements it, anything else as a literal result element. Elements
// nobody implements become a CUnrecognizedInstruction that runs their
// xsl:fallback children.
#include <cstdint>

#include "core/Interface.h"
#include "xslt/compiler/Instruction.h"

namespace XsltPrivate {

class CStaticContext;

class CInstructionFactory : public Core::CInterface {
public:
  // Instructions nested deeper than this inside one another are a static
  // error at the element that goes too deep, so that compiling, running and
  // releasing them stay within the stack.
  static constexpr int32_t MaxNesting = 1000;

  // The instruction of the context's element, or null when it yields none
  // (xsl:fallback inside recognised content).
  Core::XInterface<CInstruction> Create(CStaticContext& context);

  // False when the local name is not that of an XSLT instruction.
  bool CreateInstruction(Core::XInterface<CInstruction>& out, CStaticContext& context);
  // False when no extension package implements the element.
  bool CreateExtensionInstruction(Core::XInterface<CInstruction>& out, CStaticContext& context);
  void CreateUnrecognizedInstruction(Core::XInterface<CInstruction>& out, CStaticContext& context);

private:
  // Counts one level of nesting while alive.
  class CNestingGuard {
  public:
    CNestingGuard(CInstructionFactory& factory, CStaticContext& context);
    ~CNestingGuard() { --m_factory.m_depth; }
    CNestingGuard(const CNestingGuard&) = delete;
    CNestingGuard& operator=(const CNestingGuard&) = delete;

  private:
    CInstructionFactory& m_factory;
  };

  int32_t m_depth = 0;
};

// An element that nobody implements: an unknown XSLT element in
// forwards-compatible mode, or an extension element of no registered
// package. Only its xsl:fallback children are compiled; they run in order.
class CUnrecognizedInstruction : public CInstruction {
public:
  void Compile(CStaticContext& context);
  void Execute(CContext& context) override;

  const CContentList& GetFallbacks() const { return m_fallbacks; }

private:
  CContentList m_fallbacks;
};

} // namespace XsltPrivate
