#include "script/builtins/regexp/RegExpObject.h"

#include "script/builtins/regexp/TooComplexException.h"
#include "script/engine/Conversions.h"
#include "script/engine/ScriptExceptions.h"

namespace EcmaScript {

CRegExpObject::CRegExpObject(CGlobalObjectBase* global, RegExp::CRegExp* regExp)
    : CScriptObject(global, global->GetRegExpPrototype()), m_regExp(regExp) {
  DefineNativeProperty(u"source", NativeSource, ReadOnly | DontEnum | DontDelete);
  DefineNativeProperty(u"global", NativeGlobal, ReadOnly | DontEnum | DontDelete);
  DefineNativeProperty(u"ignoreCase", NativeIgnoreCase, ReadOnly | DontEnum | DontDelete);
  DefineNativeProperty(u"multiline", NativeMultiline, ReadOnly | DontEnum | DontDelete);
  DefineNativeProperty(u"lastIndex", NativeLastIndex, DontEnum | DontDelete);
}

CRegExpObject::~CRegExpObject() = default;

bool CRegExpObject::Match(CExecutionContext&, const Core::String& text, int32_t index,
                          RegExp::CCaptureList& captures) {
  try {
    return m_regExp->MatchAt(text, index, captures);
  } catch (const RegExp::CTooComplexException&) {
    ThrowRegExpTooComplex(this);
  }
}

XValue CRegExpObject::GetNativeProperty(CExecutionContext&, int32_t nativeId) {
  switch (nativeId) {
    case NativeGlobal:
      return MakeBoolean(m_regExp->GetGlobal());
    case NativeIgnoreCase:
      return MakeBoolean(m_regExp->GetIgnoreCase());
    case NativeMultiline:
      return MakeBoolean(m_regExp->GetMultiline());
    case NativeLastIndex:
      return MakeNumber(CScriptNumber(m_regExp->GetLastIndex()));
    default:
      return MakeString(m_regExp->GetSource());
  }
}

void CRegExpObject::PutNativeProperty(CExecutionContext& context, int32_t, CValue* value) {
  m_regExp->SetLastIndex(ToInteger(context, value).ToInt32());
}

void ThrowRegExpTooComplex(CScriptObject* object) {
  throw CRuntimeError(CRuntimeError::RegExpTooComplex, object);
}

} // namespace EcmaScript
