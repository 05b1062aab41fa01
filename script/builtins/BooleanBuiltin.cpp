#include "script/builtins/BooleanBuiltin.h"

#include "script/engine/Conversions.h"
#include "script/engine/ScriptExceptions.h"

namespace EcmaScript {

namespace {

bool ThisBoolean(CScriptObject* thisObject) {
  if (!thisObject || thisObject->GetClassName() != u"Boolean") {
    throw CRuntimeError(CRuntimeError::BooleanObjectRequired, thisObject);
  }
  return thisObject->GetPrimitiveValue()->GetBoolean();
}

} // namespace

CBooleanPrototype::CBooleanPrototype(CGlobalObjectBase* global)
    : CBooleanObject(global, global->GetObjectPrototype(), false) {}

void CBooleanPrototype::Populate() {
  DefineObjectProperty(u"constructor", GetGlobalObject()->GetBooleanConstructor(), DontEnum);
  DefineMethod(u"toString", MethodToString, 0, DontEnum);
  DefineMethod(u"valueOf", MethodValueOf, 0, DontEnum);
}

XValue CBooleanPrototype::CallMethod(CExecutionContext&, int32_t methodNumber, CScriptObject* thisObject,
                                     const CArgumentList&) {
  bool value = ThisBoolean(thisObject);
  if (methodNumber == MethodValueOf) return MakeBoolean(value);
  return MakeString(value ? u"true" : u"false");
}

void CBooleanConstructor::Populate() { DefineLengthAndPrototype(1, GetGlobalObject()->GetBooleanPrototype()); }

XValue CBooleanConstructor::Construct(CExecutionContext&, const CArgumentList& arguments) {
  bool value = arguments.GetSize() > 0 && ToBoolean(arguments[0].Get());
  return MakeObject(XObject(new CBooleanObject(GetGlobalObject(), value)).Get());
}

XValue CBooleanConstructor::Call(CExecutionContext&, CScriptObject*, const CArgumentList& arguments) {
  return MakeBoolean(arguments.GetSize() > 0 && ToBoolean(arguments[0].Get()));
}

} // namespace EcmaScript
