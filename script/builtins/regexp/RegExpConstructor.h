#pragma once
// The RegExp constructor: new RegExp(pattern, flags) compiles the pattern
// text with the flags g, i and m (runtime error 24 for any other or a
// repeated one); new RegExp(r) of a RegExp object makes another object
// sharing r's compiled expression and lastIndex, and RegExp(r) returns r
// itself. A pattern with a syntax error throws the parser's exception.
#include "script/engine/GlobalObjectBase.h"
#include "script/engine/ScriptObject.h"

namespace EcmaScript {

class CRegExpConstructor : public CScriptObject {
public:
  // Prototype Function.prototype.
  explicit CRegExpConstructor(CGlobalObjectBase* global);

  Core::StringView GetClassName() const override { return u"Function"; }
  Core::StringView GetTypeOf() const override { return u"function"; }

  // 'length' 2 and 'prototype'.
  void Populate();
  XValue Construct(CExecutionContext& context, const CArgumentList& arguments) override;
  XValue Call(CExecutionContext& context, CScriptObject* thisObject, const CArgumentList& arguments) override;

  static XValue NewRegExp(CExecutionContext& context, CValue* pattern, CValue* flags);
  static XValue CallRegExp(CExecutionContext& context, CValue* pattern, CValue* flags);
};

} // namespace EcmaScript
