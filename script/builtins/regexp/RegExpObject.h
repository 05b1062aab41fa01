#pragma once
// RegExp objects: script objects of class "RegExp" around one compiled
// expression, which new RegExp(r) shares, lastIndex included. Their five
// properties are served from the expression and stored nowhere: source,
// global, ignoreCase and multiline (ReadOnly, DontEnum, DontDelete) and
// lastIndex (DontEnum, DontDelete; a write stores ToInt32 of the value).
#include <cstdint>

#include "core/Interface.h"
#include "script/builtins/regexp/RegExp.h"
#include "script/engine/GlobalObjectBase.h"
#include "script/engine/ScriptObject.h"

namespace EcmaScript {

using XRegExp = Core::XInterface<RegExp::CRegExp>;

class CRegExpObject : public CScriptObject {
public:
  enum : int32_t { NativeSource, NativeGlobal, NativeIgnoreCase, NativeMultiline, NativeLastIndex };

  // Prototype RegExp.prototype of the global object.
  CRegExpObject(CGlobalObjectBase* global, RegExp::CRegExp* regExp);
  ~CRegExpObject() override;

  Core::StringView GetClassName() const override { return u"RegExp"; }
  // One attempt at the position (MatchAt of the expression).
  bool Match(CExecutionContext& context, const Core::String& text, int32_t index,
             RegExp::CCaptureList& captures) override;
  XValue GetNativeProperty(CExecutionContext& context, int32_t nativeId) override;
  // Sets lastIndex, whatever the id (only lastIndex can be written).
  void PutNativeProperty(CExecutionContext& context, int32_t nativeId, CValue* value) override;

  // The compiled expression, shared.
  XRegExp GetRegExp() const { return m_regExp; }
  RegExp::CRegExp* GetRegExpPointer() const { return m_regExp.Get(); }

private:
  XRegExp m_regExp;
};

// Runtime error 26 for a search or compile that passed the engine's limits,
// carrying the object (may be null).
[[noreturn]] void ThrowRegExpTooComplex(CScriptObject* object);

} // namespace EcmaScript
