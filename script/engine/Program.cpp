#include "script/engine/Program.h"

#include <iterator>

#include <unordered_map>

#include "script/engine/GlobalObjectBase.h"
#include "script/engine/ScriptExceptions.h"
#include "script/engine/Statements.h"

namespace EcmaScript {

CFunctionDefinition::CFunctionDefinition(const CPropertyName& name) : m_name(name), m_serial(++s_lastSerial) {}
CFunctionDefinition::~CFunctionDefinition() = default;

void CFunctionDefinition::TrimSpareActivations() const {
  m_spareExcess = false;
  if (m_spareActivations.size() <= kMostSpareActivations) return;
  // Taken out first: freeing them may run code that parks or unparks.
  std::vector<XObject> extra(std::make_move_iterator(m_spareActivations.begin() + kMostSpareActivations),
                             std::make_move_iterator(m_spareActivations.end()));
  m_spareActivations.resize(kMostSpareActivations);
}

void CFunctionDefinition::FindSoleReturn() const {
  m_soleReturnKnown = true;
  if (m_body.GetSize() != 1) return;
  auto* statement = dynamic_cast<EcmaScriptPrivate::CReturnStatement*>(m_body.GetAt(0));
  if (statement && statement->GetExpression()) m_soleReturn = statement;
}

const std::vector<CFunctionDefinition::CBinding>& CFunctionDefinition::MakeBindings() const {
  std::unordered_map<Core::String, size_t> index;
  bool plain = true;
  auto add = [&](const CPropertyName& name, int32_t argument, bool replace) {
    Core::String text = name.GetText();
    if (text == u"arguments") plain = false;
    auto [at, added] = index.emplace(std::move(text), m_bindings.size());
    if (added) m_bindings.push_back({name, argument});
    else if (replace) m_bindings[at->second].argument = argument;
  };
  for (int32_t i = 0; i < m_parameters.GetSize(); ++i) add(m_parameters[i], i, true);
  for (const CPropertyName& name : m_variables) add(name, -1, false);
  m_plainBindings = plain;
  m_bound = true;
  return m_bindings;
}

XObject CFunctionDefinition::CreateFunctionObject(CExecutionContext& context) {
  return context.GetGlobalObject()->CreateScriptFunction(this);
}

Core::String CFunctionDefinition::GetSourceText() const {
  Core::String text = u"function ";
  m_name.AppendText(text);
  text += u'(';
  for (int32_t i = 0; i < m_parameters.GetSize(); ++i) {
    if (i > 0) text += u", ";
    m_parameters[i].AppendText(text);
  }
  text += u") { ";
  if (!m_body.IsEmpty()) {
    m_body.PrintTo(text);
    text += u' ';
  }
  text += u'}';
  return text;
}

CCompletion CProgramElement::Execute(CExecutionContext& context) {
  if (!m_statement) return {};
  return EcmaScriptPrivate::CStatementList::ExecuteStatement(context, m_statement.Get());
}

void CProgram::AddStatement(EcmaScriptPrivate::CStatement* statement) {
  m_elements.Append(Core::XInterface<CProgramElement>(new CProgramElement(statement)));
}

void CProgram::AddFunction(CFunctionDefinition* definition) {
  definition->SetProgramName(m_name);
  m_functions.Append(XFunctionDefinition(definition));
  m_elements.Append(Core::XInterface<CProgramElement>(new CProgramElement(definition)));
}

CCompletion CProgram::Execute(CExecutionContext& context) {
  CCompletion current;
  try {
    for (int32_t i = 0; i < m_elements.GetSize(); ++i) {
      CCompletion next = m_elements[i]->Execute(context);
      if (i == 0 || next.value) current = std::move(next);
    }
  } catch (CEcmaScriptException& failure) {
    if (failure.GetProgramName().empty()) failure.SetProgramName(m_name);
    throw;
  }
  return current;
}

} // namespace EcmaScript
