#include "script/builtins/ObjectBuiltin.h"

#include "script/builtins/GlobalObject.h"
#include "script/engine/Conversions.h"

namespace EcmaScript {

void CObjectPrototype::Populate() {
  CGlobalObjectBase* global = GetGlobalObject();
  DefineObjectProperty(u"constructor", global->GetObjectConstructor(), DontEnum);
  DefineMethod(u"toString", MethodToString, 0, DontEnum);
  DefineMethod(u"valueOf", MethodValueOf, 0, DontEnum);
}

XValue CObjectPrototype::CallMethod(CExecutionContext& context, int32_t methodNumber, CScriptObject* thisObject,
                                    const CArgumentList&) {
  if (methodNumber == MethodValueOf) return ValueOf(context, thisObject);
  return ToString(context, thisObject);
}

XValue CObjectPrototype::ToString(CExecutionContext& context, CScriptObject* thisObject) {
  if (!thisObject) thisObject = context.GetGlobalObject();
  Core::String text = u"[object ";
  text += thisObject->GetClassName();
  text += u']';
  return MakeString(std::move(text));
}

XValue CObjectPrototype::ValueOf(CExecutionContext& context, CScriptObject* thisObject) {
  return MakeObject(thisObject ? thisObject : context.GetGlobalObject());
}

void CObjectConstructor::Populate() { DefineLengthAndPrototype(1, GetGlobalObject()->GetObjectPrototype()); }

XValue CObjectConstructor::ConstructFromValue(CExecutionContext& context, CValue* value) {
  int32_t type = value->GetType();
  if (type == CValue::UndefinedType || type == CValue::NullType) {
    return MakeObject(XObject(new CPlainObject(context.GetGlobalObject())).Get());
  }
  XObject object = ToObject(context, value);
  return MakeObject(object.Get());
}

XValue CObjectConstructor::Construct(CExecutionContext& context, const CArgumentList& arguments) {
  if (arguments.GetSize() == 0) return MakeObject(XObject(new CPlainObject(GetGlobalObject())).Get());
  return ConstructFromValue(context, arguments[0].Get());
}

XValue CObjectConstructor::Call(CExecutionContext& context, CScriptObject*, const CArgumentList& arguments) {
  return Construct(context, arguments);
}

namespace {

XObject CreatePrototype(CGlobalObject& global) { return XObject(new CObjectPrototype(&global)); }
XObject CreateConstructor(CGlobalObject& global) { return XObject(new CObjectConstructor(&global)); }
void PopulatePrototype(CGlobalObject&, CScriptObject& object) { static_cast<CObjectPrototype&>(object).Populate(); }
void PopulateConstructor(CGlobalObject&, CScriptObject& object) {
  static_cast<CObjectConstructor&>(object).Populate();
}

} // namespace

const CBuiltinKit& GetObjectKit() {
  static const CBuiltinKit kit{CreatePrototype, CreateConstructor, PopulatePrototype, PopulateConstructor};
  return kit;
}

} // namespace EcmaScript
