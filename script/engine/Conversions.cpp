#include "script/engine/Conversions.h"

#include "script/engine/GlobalObjectBase.h"
#include "script/engine/ScriptExceptions.h"
#include "script/engine/ScriptObject.h"

namespace EcmaScript {

CScriptObject* GetBase(CValue* value) {
  const CReference* reference = value->GetReference();
  if (!reference) throw CRuntimeError(CRuntimeError::GetBaseNotReference, value);
  return reference->GetBase();
}

const CPropertyName& GetPropertyName(CExecutionContext&, CValue* value) {
  const CReference* reference = value->GetReference();
  if (!reference) throw CRuntimeError(CRuntimeError::GetPropertyNameNotReference, value);
  return reference->GetName();
}

XValue GetValue(CExecutionContext& context, CValue* value) {
  const CReference* reference = value->GetReference();
  if (!reference) return XValue(value);
  CScriptObject* base = reference->GetBase();
  if (!base) throw CRuntimeError(CRuntimeError::GetValueInvalidReference, value);
  return base->Get(context, reference->GetName());
}

void PutValue(CExecutionContext& context, CValue* reference, CValue* value) {
  const CReference* r = reference->GetReference();
  if (!r) throw CRuntimeError(CRuntimeError::PutValueNotReference, reference);
  CScriptObject* target = r->GetBase();
  if (!target) target = context.GetGlobalObject();
  XObject hold(target);
  target->Put(context, r->GetName(), value);
}

XValue MakeReference(CExecutionContext& context, const CPropertyName& name) {
  const CScopeChain& chain = context.GetScopeChain();
  for (int32_t i = chain.GetSize() - 1; i >= 0; --i) {
    CScriptObject* scope = chain[i];
    if (scope->HasProperty(context, name)) return XValue(new CReferenceValue(scope, name));
  }
  return XValue(new CReferenceValue(nullptr, name));
}

XValue ToPrimitive(CExecutionContext& context, CValue* value, int32_t hint) {
  CScriptObject* object = value->GetObject();
  if (!object) return XValue(value);
  XValue result = object->DefaultValue(context, hint);
  if (!result || result->GetType() == CValue::ObjectType || result->GetType() == CValue::ReferenceType) {
    throw CRuntimeError(CRuntimeError::IllegalDefaultValue, value);
  }
  return result;
}

bool ToBoolean(const CValue* value) {
  switch (value->GetType()) {
  case CValue::BooleanType:
    return value->GetBoolean();
  case CValue::StringType:
    return !value->GetString().empty();
  case CValue::NumberType: {
    CScriptNumber n = value->GetNumber();
    return !(n.IsPositiveZero() || n.IsNegativeZero() || n.IsNaN());
  }
  case CValue::ObjectType:
    return true;
  default:
    return false;
  }
}

CScriptNumber ToNumber(CExecutionContext& context, CValue* value) {
  switch (value->GetType()) {
  case CValue::NullType:
    return CScriptNumber(0);
  case CValue::BooleanType:
    return CScriptNumber(value->GetBoolean() ? 1 : 0);
  case CValue::StringType: {
    CScriptNumber n;
    if (!StringToNumber(value->GetString(), n)) return CScriptNumber::NaN;
    return n;
  }
  case CValue::NumberType:
    return value->GetNumber();
  case CValue::ObjectType: {
    XValue primitive = ToPrimitive(context, value, HintNumber);
    return ToNumber(context, primitive.Get());
  }
  default:  // Undefined, Reference, List
    return CScriptNumber::NaN;
  }
}

void AppendString(CExecutionContext& context, CValue* value, Core::String& out) {
  switch (value->GetType()) {
  case CValue::NullType:
    out += u"null";
    return;
  case CValue::BooleanType:
    out += value->GetBoolean() ? u"true" : u"false";
    return;
  case CValue::StringType:
    out += value->GetString();
    return;
  case CValue::NumberType:
    value->GetNumber().AppendTo(out);
    return;
  case CValue::ObjectType: {
    XValue primitive = ToPrimitive(context, value, HintString);
    AppendString(context, primitive.Get(), out);
    return;
  }
  default:  // Undefined, Reference, List
    out += u"undefined";
    return;
  }
}

Core::String ToString(CExecutionContext& context, CValue* value) {
  if (value->GetType() == CValue::StringType) return value->GetString();
  Core::String out;
  AppendString(context, value, out);
  return out;
}

XValue ToStringValue(CExecutionContext& context, CValue* value) {
  if (value->GetType() == CValue::StringType) return XValue(value);
  Core::String out;
  AppendString(context, value, out);
  return MakeString(std::move(out));
}

XObject ToObject(CExecutionContext& context, CValue* value) {
  switch (value->GetType()) {
  case CValue::BooleanType:
    return context.GetGlobalObject()->CreateBooleanObject(value->GetBoolean());
  case CValue::StringType:
    return context.GetGlobalObject()->CreateStringObject(static_cast<const CStringValue*>(value));
  case CValue::NumberType:
    return context.GetGlobalObject()->CreateNumberObject(value->GetNumber());
  case CValue::ObjectType:
    return XObject(value->GetObject());
  default:
    throw CRuntimeError(CRuntimeError::ToObjectIllegalType, value);
  }
}

CScriptNumber ToInteger(CExecutionContext& context, CValue* value) { return ToNumber(context, value).ToInteger(); }
CScriptNumber ToInt32(CExecutionContext& context, CValue* value) { return ToNumber(context, value).ToInt32Number(); }
CScriptNumber ToUint32(CExecutionContext& context, CValue* value) {
  return ToNumber(context, value).ToUint32Number();
}
CScriptNumber ToUint16(CExecutionContext& context, CValue* value) {
  return ToNumber(context, value).ToUint16Number();
}

} // namespace EcmaScript
