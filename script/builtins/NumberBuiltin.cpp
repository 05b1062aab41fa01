#include "script/builtins/NumberBuiltin.h"

#include "script/engine/Conversions.h"
#include "script/engine/ScriptExceptions.h"

namespace EcmaScript {

namespace {

CScriptNumber ThisNumber(CScriptObject* thisObject) {
  if (!thisObject || thisObject->GetClassName() != u"Number") {
    throw CRuntimeError(CRuntimeError::NumberObjectRequired, thisObject);
  }
  return thisObject->GetPrimitiveValue()->GetNumber();
}

CScriptNumber FirstNumber(CExecutionContext& context, const CArgumentList& arguments) {
  if (arguments.GetSize() == 0) return CScriptNumber(0);
  return ToNumber(context, arguments[0].Get());
}

} // namespace

CNumberPrototype::CNumberPrototype(CGlobalObjectBase* global)
    : CNumberObject(global, global->GetObjectPrototype(), CScriptNumber(0)) {}

void CNumberPrototype::Populate() {
  DefineObjectProperty(u"constructor", GetGlobalObject()->GetNumberConstructor(), DontEnum);
  DefineMethod(u"toString", MethodToString, 1, DontEnum);
  DefineMethod(u"valueOf", MethodValueOf, 0, DontEnum);
}

XValue CNumberPrototype::CallMethod(CExecutionContext&, int32_t methodNumber, CScriptObject* thisObject,
                                    const CArgumentList& arguments) {
  if (methodNumber == MethodValueOf) return MakeNumber(ThisNumber(thisObject));
  XValue radix = GetArgument(arguments, 0);
  return ToString(thisObject, radix.Get());
}

XValue CNumberPrototype::ToString(CScriptObject* thisObject, CValue* radix) {
  CScriptNumber number = ThisNumber(thisObject);
  if (radix->GetType() == CValue::UndefinedType) return MakeString(number.ToString());
  if (radix->GetType() != CValue::NumberType) throw CRuntimeError(CRuntimeError::InvalidRadix, radix);
  double r = radix->GetNumber().ToDouble();
  if (r == 10) return MakeString(number.ToString());
  for (int32_t n = 2; n <= 36; ++n) {
    if (r == n) return MakeString(Core::String());
  }
  throw CRuntimeError(CRuntimeError::InvalidRadix, radix);
}

void CNumberConstructor::Populate() {
  DefineLengthAndPrototype(1, GetGlobalObject()->GetNumberPrototype());
  const int32_t constant = ReadOnly | DontEnum | DontDelete;
  DefineNumberProperty(u"MAX_VALUE", CScriptNumber::MaxValue, constant);
  DefineNumberProperty(u"MIN_VALUE", CScriptNumber::MinValue, constant);
  DefineNumberProperty(u"NaN", CScriptNumber::NaN, constant);
  DefineNumberProperty(u"NEGATIVE_INFINITY", CScriptNumber::NegativeInfinity, constant);
  DefineNumberProperty(u"POSITIVE_INFINITY", CScriptNumber::PositiveInfinity, constant);
}

XValue CNumberConstructor::Construct(CExecutionContext& context, const CArgumentList& arguments) {
  CScriptNumber value = FirstNumber(context, arguments);
  return MakeObject(XObject(new CNumberObject(GetGlobalObject(), value)).Get());
}

XValue CNumberConstructor::Call(CExecutionContext& context, CScriptObject*, const CArgumentList& arguments) {
  return MakeNumber(FirstNumber(context, arguments));
}

} // namespace EcmaScript
