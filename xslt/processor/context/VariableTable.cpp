#include "xslt/processor/context/VariableTable.h"

#include "xslt/compiler/ExpandedName.h"
#include "xslt/compiler/Variable.h"

namespace XsltPrivate {

// One local binding; the chain of links from the newest is never changed, only
// replaced, so a snapshot of it stays as it was.
class CVariableBinding : public Core::CInterface {
public:
  CVariableBinding(CExpandedName* name, Xpath::CValue* value, const Core::XInterface<CVariableBinding>& next)
      : name(name), value(value), next(next) {}

  // Releases the rest of the chain link by link: a chain of many thousand
  // bindings would otherwise unwind one stack frame per link.
  ~CVariableBinding() override {
    Core::XInterface<CVariableBinding> rest = std::move(next);
    while (rest && rest->GetUseCount() == 1) {
      Core::XInterface<CVariableBinding> after = std::move(rest->next);
      rest = std::move(after);
    }
  }

  bool Is(Core::StringView uri, Core::StringView local) const { return name->Equals(uri, local); }

  // The declaration's own name: bound thousands of times in a run, never copied.
  const Core::XInterface<CExpandedName> name;
  const Core::XInterface<Xpath::CValue> value;
  Core::XInterface<CVariableBinding> next;
};

namespace {

// The newest binding of the name in the chain from head; null when none.
CVariableBinding* FindBinding(CVariableBinding* head, Core::StringView namespaceUri, Core::StringView localName) {
  for (CVariableBinding* link = head; link; link = link->next.Get())
    if (link->Is(namespaceUri, localName)) return link;
  return nullptr;
}

// The bindings visible at one moment, then the globals.
class CVariableSnapshot : public Xpath::CVariableBindingSet {
public:
  CVariableSnapshot(CVariableBinding* head, CTopLevelVariableTable* globals) : m_head(head), m_globals(globals) {}

  Core::XInterface<Xpath::CValue> GetValue(Core::StringView namespaceUri, Core::StringView localName) override {
    if (CVariableBinding* link = FindBinding(m_head.Get(), namespaceUri, localName)) return link->value;
    return m_globals ? m_globals->GetValue(namespaceUri, localName) : nullptr;
  }

  Core::XInterface<Xpath::CValue> PeekValue(Core::StringView namespaceUri, Core::StringView localName) override {
    if (CVariableBinding* link = FindBinding(m_head.Get(), namespaceUri, localName)) return link->value;
    return m_globals ? m_globals->PeekValue(namespaceUri, localName) : nullptr;
  }

private:
  Core::XInterface<CVariableBinding> m_head;
  Core::XInterface<CTopLevelVariableTable> m_globals;
};

} // namespace

CVariableTable::CVariableTable(CTopLevelVariableTable* globals) : m_globals(globals) {}

CVariableTable::~CVariableTable() = default;

Core::XInterface<Xpath::CValue> CVariableTable::GetValue(Core::StringView namespaceUri, Core::StringView localName) {
  if (CVariableBinding* link = FindBinding(m_head.Get(), namespaceUri, localName)) return link->value;
  return m_globals ? m_globals->GetValue(namespaceUri, localName) : nullptr;
}

Core::XInterface<Xpath::CValue> CVariableTable::PeekValue(Core::StringView namespaceUri, Core::StringView localName) {
  if (CVariableBinding* link = FindBinding(m_head.Get(), namespaceUri, localName)) return link->value;
  return m_globals ? m_globals->PeekValue(namespaceUri, localName) : nullptr;
}

bool CVariableTable::Bind(Core::StringView namespaceUri, Core::StringView localName, Xpath::CValue* value) {
  Core::XInterface<CExpandedName> name(new CExpandedName(Core::String(namespaceUri), Core::String(localName)));
  return Bind(name.Get(), value);
}

bool CVariableTable::Bind(CExpandedName* name, Xpath::CValue* value) {
  CVariableBinding* scopeStart = m_scopeStarts.empty() ? nullptr : m_scopeStarts.back();
  for (CVariableBinding* link = m_head.Get(); link != scopeStart; link = link->next.Get())
    if (link->Is(name->NamespaceUri(), name->LocalName())) return false;
  m_head = new CVariableBinding(name, value, m_head);
  m_snapshot = nullptr;
  return true;
}

void CVariableTable::PushScope() { m_scopeStarts.push_back(m_head.Get()); }

void CVariableTable::PopScope() {
  if (m_scopeStarts.empty()) return;
  CVariableBinding* start = m_scopeStarts.back();
  m_scopeStarts.pop_back();
  if (m_head.Get() == start) return;
  // The snapshot may hold values whose evaluation contexts hold this table.
  m_snapshot = nullptr;
  m_head = start;
}

Core::XInterface<Xpath::CVariableBindingSet> CVariableTable::GetSnapshot() {
  if (!m_snapshot) m_snapshot = new CVariableSnapshot(m_head.Get(), m_globals.Get());
  return m_snapshot;
}

void CVariableTable::Clear() {
  m_scopeStarts.clear();
  m_snapshot = nullptr;
  m_head = nullptr;
}

CTopLevelVariableTable::CTopLevelVariableTable() = default;

CTopLevelVariableTable::~CTopLevelVariableTable() = default;

Core::XInterface<Xpath::CValue> CTopLevelVariableTable::GetValue(Core::StringView namespaceUri,
                                                                Core::StringView localName) {
  if (m_index.empty()) return nullptr;
  auto it = m_index.find(CName{namespaceUri, localName});
  if (it == m_index.end()) return nullptr;
  return Evaluate(it->second);
}

Core::XInterface<Xpath::CValue> CTopLevelVariableTable::PeekValue(Core::StringView namespaceUri,
                                                                 Core::StringView localName) {
  if (m_index.empty()) return nullptr;
  auto it = m_index.find(CName{namespaceUri, localName});
  return it == m_index.end() ? nullptr : m_values[size_t(it->second)];
}

void CTopLevelVariableTable::MarkImportBoundary() { m_importBoundary = int32_t(m_values.size()); }

bool CTopLevelVariableTable::AddParam(CParam* param, Xpath::CValue* externalValue) {
  return Add(param, nullptr, externalValue);
}

bool CTopLevelVariableTable::AddVariable(CVariable* variable) { return Add(nullptr, variable, nullptr); }

bool CTopLevelVariableTable::Add(CParam* param, CVariable* variable, Xpath::CValue* value) {
  CExpandedName* name = param ? param->GetName() : variable->GetName();
  auto it = m_index.find(CName{name->NamespaceUri(), name->LocalName()});
  if (it != m_index.end()) return it->second < m_importBoundary;
  m_index.emplace(CKey{name->NamespaceUri(), name->LocalName()}, int32_t(m_values.size()));
  m_values.emplace_back(value);
  CScratch scratch;
  scratch.param = param;
  scratch.variable = variable;
  m_scratch.push_back(std::move(scratch));
  return true;
}

void CTopLevelVariableTable::EndEvaluation() {
  m_scratch.clear();
  m_runContext = nullptr;
}

void CTopLevelVariableTable::Clear() {
  EndEvaluation();
  std::vector<Core::XInterface<Xpath::CValue>> values = std::move(m_values);
  m_values.clear();
  m_index.clear();
  values.clear();
}

} // namespace XsltPrivate
