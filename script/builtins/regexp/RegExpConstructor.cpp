#include "script/builtins/regexp/RegExpConstructor.h"

#include "script/builtins/regexp/RegExpObject.h"
#include "script/builtins/regexp/TooComplexException.h"
#include "script/engine/Conversions.h"
#include "script/engine/ScriptExceptions.h"

namespace EcmaScript {

namespace {

CRegExpObject* AsRegExpObject(CValue* value) {
  if (value->GetType() != CValue::ObjectType) return nullptr;
  CScriptObject* object = value->GetObject();
  return object->GetClassName() == u"RegExp" ? dynamic_cast<CRegExpObject*>(object) : nullptr;
}

} // namespace

CRegExpConstructor::CRegExpConstructor(CGlobalObjectBase* global)
    : CScriptObject(global, global->GetFunctionPrototype()) {}

void CRegExpConstructor::Populate() {
  DefineNumberProperty(u"length", CScriptNumber(2), ReadOnly | DontEnum | DontDelete);
  DefineObjectProperty(u"prototype", GetGlobalObject()->GetRegExpPrototype(), ReadOnly | DontEnum | DontDelete);
}

XValue CRegExpConstructor::Construct(CExecutionContext& context, const CArgumentList& arguments) {
  XValue pattern = GetArgument(arguments, 0);
  XValue flags = GetArgument(arguments, 1);
  return NewRegExp(context, pattern.Get(), flags.Get());
}

XValue CRegExpConstructor::Call(CExecutionContext& context, CScriptObject*, const CArgumentList& arguments) {
  XValue pattern = GetArgument(arguments, 0);
  XValue flags = GetArgument(arguments, 1);
  return CallRegExp(context, pattern.Get(), flags.Get());
}

XValue CRegExpConstructor::CallRegExp(CExecutionContext& context, CValue* pattern, CValue* flags) {
  if (AsRegExpObject(pattern) && flags->GetType() == CValue::UndefinedType) return XValue(pattern);
  return NewRegExp(context, pattern, flags);
}

XValue CRegExpConstructor::NewRegExp(CExecutionContext& context, CValue* pattern, CValue* flags) {
  CGlobalObjectBase* globalObject = context.GetGlobalObject();
  if (CRegExpObject* source = AsRegExpObject(pattern)) {
    if (flags->GetType() != CValue::UndefinedType) {
      throw CRuntimeError(CRuntimeError::RegExpObjectRequired, static_cast<CScriptObject*>(source));
    }
    XObject shared(new CRegExpObject(globalObject, source->GetRegExpPointer()));
    return MakeObject(shared.Get());
  }
  Core::String patternText;
  if (pattern->GetType() != CValue::UndefinedType) patternText = ToString(context, pattern);
  Core::String flagsText;
  if (flags->GetType() != CValue::UndefinedType) flagsText = ToString(context, flags);
  bool isGlobal = false, ignoreCase = false, multiline = false;
  for (char16_t c : flagsText) {
    bool* flag = c == u'g' ? &isGlobal : c == u'i' ? &ignoreCase : c == u'm' ? &multiline : nullptr;
    if (!flag || *flag) throw CRuntimeError(CRuntimeError::InvalidRegExpFlags, flags);
    *flag = true;
  }
  Core::XInterface<RegExp::CRegExp> regExp(new RegExp::CRegExp);
  try {
    regExp->Compile(patternText, isGlobal, ignoreCase, multiline);
  } catch (const RegExp::CTooComplexException&) {
    ThrowRegExpTooComplex(nullptr);
  }
  XObject object(new CRegExpObject(globalObject, regExp.Get()));
  return MakeObject(object.Get());
}

} // namespace EcmaScript
