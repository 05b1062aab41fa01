#include "script/engine/MemberExpressions.h"

#include <memory>
#include <vector>

#include "script/engine/ScriptExceptions.h"
#include "script/engine/ScriptObject.h"

namespace EcmaScriptPrivate {

using EcmaScript::CRuntimeError;

namespace {

// The argument arrays of the calls in progress, innermost last. Calls nest
// strictly, so each depth reuses its array and a call allocates nothing
// for its arguments once the depth was reached before.
class CPooledArguments {
public:
  CPooledArguments() {
    std::vector<std::unique_ptr<EcmaScript::CArgumentList>>& lists = Lists();
    if (s_depth == lists.size()) lists.push_back(std::make_unique<EcmaScript::CArgumentList>());
    m_list = lists[s_depth++].get();
  }
  ~CPooledArguments() {
    m_list->RemoveAt(0, m_list->GetSize());
    --s_depth;
  }
  CPooledArguments(const CPooledArguments&) = delete;
  CPooledArguments& operator=(const CPooledArguments&) = delete;

  EcmaScript::CArgumentList& Get() { return *m_list; }

private:
  static std::vector<std::unique_ptr<EcmaScript::CArgumentList>>& Lists() {
    static auto* lists = new std::vector<std::unique_ptr<EcmaScript::CArgumentList>>;
    return *lists;
  }
  static inline size_t s_depth = 0;

  EcmaScript::CArgumentList* m_list;
};

} // namespace

void CArgumentListExpression::PrintTo(Core::String& out) const {
  for (int32_t i = 0; i < m_arguments.GetSize(); ++i) {
    if (i > 0) out += u", ";
    m_arguments[i]->PrintTo(out);
  }
}

XValue CArgumentListExpression::Evaluate(CExecutionContext& context) {
  EcmaScript::CArgumentList values;
  EvaluateInto(context, values);
  return XValue(new EcmaScript::CListValue(std::move(values)));
}

// Inlined into the calls, which a recursion stacks: one frame less for each.
[[gnu::always_inline]] inline void CArgumentListExpression::EvaluateInto(CExecutionContext& context,
                                                                         EcmaScript::CArgumentList& out) const {
  for (const XExpression& argument : m_arguments) out.Append(argument->EvaluateValue(context));
}

void CMemberExpression::PrintTo(Core::String& out) const {
  m_base->PrintTo(out);
  if (m_index) {
    out += u'[';
    m_index->PrintTo(out);
    out += u']';
  } else {
    out += u'.';
    m_name.AppendText(out);
  }
}

bool CMemberExpression::EvaluateReference(CExecutionContext& context, CReferenceParts& parts) {
  XValue base = m_base->EvaluateValue(context);
  parts.base = EcmaScript::ToObject(context, base.Get());
  if (!m_index) {
    parts.name = m_name;
    return true;
  }
  XValue index = m_index->EvaluateValue(context);
  if (index->GetType() == CValue::NumberType) {
    EcmaScript::CScriptNumber number = index->GetNumber();
    if (number.IsInteger() && number.GetInteger() >= 0) {
      parts.name = CPropertyName::FromIndex(number.GetInteger());
      return true;
    }
  }
  parts.name = CPropertyName(EcmaScript::ToString(context, index.Get()));
  return true;
}

XValue CMemberExpression::Evaluate(CExecutionContext& context) {
  CReferenceParts parts;
  EvaluateReference(context, parts);
  return XValue(new EcmaScript::CReferenceValue(parts.base.Get(), parts.name));
}

XValue CMemberExpression::FetchValue(CExecutionContext& context) {
  if (m_isLength) {
    XValue base = m_base->EvaluateValue(context);
    if (base->GetType() == CValue::StringType) {
      // A String object's 'length' is its own read-only, undeletable
      // property, so nothing a script does can make it differ.
      size_t length = static_cast<const EcmaScript::CStringValue*>(base.Get())->GetLength();
      return EcmaScript::MakeNumber(EcmaScript::CScriptNumber(static_cast<int32_t>(length)));
    }
    CReferenceParts parts;
    parts.base = EcmaScript::ToObject(context, base.Get());
    return parts.base->Get(context, m_name);
  }
  CReferenceParts parts;
  EvaluateReference(context, parts);
  return parts.base->Get(context, parts.name);
}

void CNewExpression::PrintTo(Core::String& out) const {
  out += u"new ";
  m_target->PrintTo(out);
  out += u'(';
  m_arguments->PrintTo(out);
  out += u')';
}

XValue CNewExpression::Evaluate(CExecutionContext& context) {
  XValue target = m_target->EvaluateValue(context);
  CPooledArguments pooled;
  EcmaScript::CArgumentList& arguments = pooled.Get();
  m_arguments->EvaluateInto(context, arguments);
  CScriptObject* object = target->GetObject();
  if (!object) throw CRuntimeError(CRuntimeError::NewOperandNotObject, target.Get());
  return object->Construct(context, arguments);
}

void CCallExpression::PrintTo(Core::String& out) const {
  m_target->PrintTo(out);
  out += u'(';
  m_arguments->PrintTo(out);
  out += u')';
}

XValue CCallExpression::Evaluate(CExecutionContext& context) {
  CPooledArguments pooled;
  EcmaScript::CArgumentList& arguments = pooled.Get();
  XValue function;
  XObject thisObject;
  {
    CReferenceParts parts;
    if (!m_target->EvaluateReference(context, parts)) return CallValueOf(context, arguments);
    m_arguments->EvaluateInto(context, arguments);
    function = m_target->FetchReferenceValue(context, parts);
    thisObject = std::move(parts.base);
  }
  CScriptObject* object = function->GetObject();
  if (!object) throw CRuntimeError(CRuntimeError::CallOperandNotObject, function.Get());
  if (thisObject.Get() == context.GetActivationObject()) thisObject = nullptr;
  return object->Call(context, thisObject.Get(), arguments);
}

XValue CCallExpression::CallValueOf(CExecutionContext& context, EcmaScript::CArgumentList& arguments) {
  XValue target = m_target->Evaluate(context);
  m_arguments->EvaluateInto(context, arguments);
  XValue function = EcmaScript::GetValue(context, target.Get());
  XObject thisObject;
  if (const EcmaScript::CReference* reference = target->GetReference()) thisObject = reference->GetBase();
  CScriptObject* object = function->GetObject();
  if (!object) throw CRuntimeError(CRuntimeError::CallOperandNotObject, function.Get());
  if (thisObject.Get() == context.GetActivationObject()) thisObject = nullptr;
  return object->Call(context, thisObject.Get(), arguments);
}

} // namespace EcmaScriptPrivate
