#include "script/engine/ActivationObject.h"

#include "script/engine/GlobalObjectBase.h"
#include "script/engine/Program.h"
#include "script/engine/PropertyTable.h"

namespace EcmaScript {

namespace {

constexpr int32_t kArgumentsId = 0;

const CPropertyName& ArgumentsName() {
  static const CPropertyName name(u"arguments");
  return name;
}

const CPropertyName& CalleeName() {
  static const CPropertyName name(u"callee");
  return name;
}

const CPropertyName& LengthName() {
  static const CPropertyName name(u"length");
  return name;
}

void MakeLayout(const CFunctionDefinition& definition) {
  CFunctionDefinition::CLayout& layout = definition.GetLayout();
  layout.made = true;
  if (!definition.HasPlainBindings()) return;
  const std::vector<CFunctionDefinition::CBinding>& bindings = definition.GetBindings();
  int32_t count = static_cast<int32_t>(bindings.size()) + 1;
  std::vector<int32_t> hashes;
  hashes.push_back(ArgumentsName().GetHash());
  for (const CFunctionDefinition::CBinding& binding : bindings) hashes.push_back(binding.name.GetHash());
  layout.slots.resize(static_cast<size_t>(count));
  if (!CPropertyTable::PlanReserved(hashes.data(), count, layout.capacity, layout.slots.data())) return;
  layout.slotHashes.assign(static_cast<size_t>(layout.capacity), -1);
  for (int32_t i = 0; i < count; ++i) layout.slotHashes[static_cast<size_t>(layout.slots[i])] = hashes[i];
  layout.usable = true;
}

} // namespace

CActivationObject::CActivationObject(CGlobalObjectBase* global, CScriptObject* callee,
                                     CFunctionDefinition* definition, const CArgumentList& arguments)
    : CScriptObject(global, nullptr), m_callee(callee), m_definition(definition),
      m_definitionSerial(definition->GetSerial()), m_arguments(&arguments) {
  int32_t count = static_cast<int32_t>(definition->GetBindings().size()) + 1;
  CFunctionDefinition::CLayout& layout = definition->GetLayout();
  if (!layout.made) MakeLayout(*definition);
  if (layout.usable) {
    GetPropertyTable().ReserveAsPlanned(count, layout.capacity, layout.slotHashes.data());
    GetPropertyTable().PlaceReserved(layout.slots[0], ArgumentsName(), nullptr, kArgumentsId, DontDelete);
    return;
  }
  GetPropertyTable().Reserve(count);
  DefineNativeProperty(ArgumentsName(), kArgumentsId, DontDelete);
}

CActivationObject::~CActivationObject() {
  Detach();
  ReleaseLater(m_value);
  ReleaseLater(m_callee);
  ReleaseLater(m_definition);
}

bool CActivationObject::Park(XObject& activation) {
  auto* call = static_cast<CActivationObject*>(activation.Get());
  CFunctionDefinition* definition = call->m_definition.Get();
  // m_made also covers an arguments object and a value stored as "arguments".
  if (call->GetUseCount() != 1 || !definition || call->m_made || call->m_touched || !call->HoldsOnlyBindings())
    return false;
  const CFunctionDefinition::CLayout& layout = definition->GetLayout();
  std::vector<XObject>& spares = definition->GetSpareActivations();
  if (!layout.usable) return false;
  if (spares.size() >= CFunctionDefinition::kMostSpareActivations) {
    // Kept only until the outermost level ends, which trims them.
    CGlobalObjectBase* global = call->GetGlobalObject();
    if (!global || global->GetDepth() == 0) return false;
    if (!definition->HasSpareExcess()) global->NoteSpareExcess(definition);
  }
  CPropertyTable& table = call->GetPropertyTable();
  for (size_t i = 1; i < layout.slots.size(); ++i) table.GetAt(layout.slots[i])->SetValue(nullptr);
  call->m_callee = nullptr;
  // The definition keeps its spares: they must not keep it.
  call->m_definition = nullptr;
  spares.push_back(std::move(activation));
  return true;
}

XObject CActivationObject::Unpark(CGlobalObjectBase* global, CScriptObject* callee, CFunctionDefinition* definition,
                                  const CArgumentList& arguments) {
  std::vector<XObject>& spares = definition->GetSpareActivations();
  while (!spares.empty()) {
    XObject spare = std::move(spares.back());
    spares.pop_back();
    auto* call = static_cast<CActivationObject*>(spare.Get());
    // Shutting the engine down clears parked objects too (and marks them made).
    if (call->GetGlobalObject() != global || call->m_made) continue;
    call->m_callee = callee;
    call->m_definition = definition;
    call->m_arguments = &arguments;
    return spare;
  }
  return nullptr;
}

void CActivationObject::Detach() {
  if (m_argumentsObject) {
    // Only a script that kept the arguments object can still read it.
    if (m_argumentsObject->GetUseCount() > 1) m_argumentsObject->DetachActivation();
    ReleaseLater(m_argumentsObject);
  }
}

void CActivationObject::Clear() {
  Detach();
  ReleaseLater(m_value);
  ReleaseLater(m_callee);
  ReleaseLater(m_definition);
  m_made = true;
  CScriptObject::Clear();
}

void CActivationObject::DefineOwnProperty(const CPropertyName& name, CValue* value, int32_t attributes,
                                          bool replace) {
  if (name == ArgumentsName()) {
    if (!replace) return;
    m_made = true;
    m_value = value;
    if (CPropertyEntry* entry = GetPropertyTable().Find(name)) entry->SetAttributes(attributes);
    return;
  }
  CScriptObject::DefineOwnProperty(name, value, attributes, replace);
}

XValue CActivationObject::GetNativeProperty(CExecutionContext& context, int32_t nativeId) {
  if (nativeId != kArgumentsId) return CScriptObject::GetNativeProperty(context, nativeId);
  if (!m_made) {
    m_made = true;
    static const CArgumentList none;
    m_argumentsObject = new CArgumentsObject(GetGlobalObject(), this, m_callee.Get(), m_definition->GetParameters(),
                                             m_arguments ? *m_arguments : none);
    m_value = MakeObject(m_argumentsObject.Get());
  }
  return m_value ? m_value : MakeUndefined();
}

void CActivationObject::PutNativeProperty(CExecutionContext& context, int32_t nativeId, CValue* value) {
  if (nativeId != kArgumentsId) return CScriptObject::PutNativeProperty(context, nativeId, value);
  m_made = true;
  m_value = value;
}

CArgumentsObject::CArgumentsObject(CGlobalObjectBase* global, CActivationObject* activation, CScriptObject* callee,
                                   const Core::XArray<CPropertyName>& parameters, const CArgumentList& arguments)
    : CScriptObject(global, global->GetObjectPrototype()), m_activation(activation) {
  SetCustomLookup();
  DefineObjectProperty(CalleeName(), callee, DontEnum);
  DefineNumberProperty(LengthName(), CScriptNumber(arguments.GetSize()), DontEnum);
  m_entries.SetSize(arguments.GetSize(), 0);
  for (int32_t i = 0; i < arguments.GetSize(); ++i) {
    CArgumentEntry& entry = m_entries[i];
    if (i < parameters.GetSize()) entry.name = parameters[i];
    else entry.value = arguments[i];
  }
}

CArgumentsObject::~CArgumentsObject() {
  for (CArgumentEntry& entry : m_entries) ReleaseLater(entry.value);
}

void CArgumentsObject::Clear() {
  for (CArgumentEntry& entry : m_entries) ReleaseLater(entry.value);
  m_entries = Core::XArray<CArgumentEntry>();
  m_activation = nullptr;
  CScriptObject::Clear();
}

void CArgumentsObject::DetachActivation() {
  if (!m_activation) return;
  for (CArgumentEntry& entry : m_entries) {
    if (entry.deleted || entry.value) continue;
    const CPropertyEntry* shared = m_activation->GetPropertyTable().Find(entry.name);
    entry.value = shared && shared->GetValue() ? XValue(shared->GetValue()) : MakeUndefined();
  }
  m_activation = nullptr;
}

bool CArgumentsObject::FindArgument(const CPropertyName& name, int32_t& index) const {
  int32_t n = m_entries.GetSize();
  if (name.IsIntegerForm()) {
    // The integer form is the text without a leading zero.
    index = name.GetIntegerForm();
    return index < n && index <= 9999;
  }
  Core::StringView text = name.GetStoredText();
  if (text == u"0") {
    index = 0;
    return n > 0;
  }
  if (text.empty() || text.size() > 4 || text[0] < u'1' || text[0] > u'9') return false;
  int32_t value = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return false;
    value = value * 10 + (c - u'0');
  }
  index = value;
  return value < n;
}

XValue CArgumentsObject::Get(CExecutionContext& context, const CPropertyName& name) {
  int32_t index;
  if (!FindArgument(name, index)) return CScriptObject::Get(context, name);
  CArgumentEntry& entry = m_entries[index];
  if (entry.deleted) {
    CScriptObject* prototype = GetPrototype();
    return prototype ? prototype->Get(context, name) : MakeUndefined();
  }
  if (entry.value) return entry.value;
  if (m_activation) return m_activation->Get(context, entry.name);
  return MakeUndefined();
}

void CArgumentsObject::Put(CExecutionContext& context, const CPropertyName& name, CValue* value) {
  if (!CanPut(context, name)) return;
  int32_t index;
  if (!FindArgument(name, index)) {
    CScriptObject::Put(context, name, value);
    return;
  }
  CArgumentEntry& entry = m_entries[index];
  if (entry.value || !m_activation) entry.value = value;
  else m_activation->Put(context, entry.name, value);
  entry.deleted = false;
}

bool CArgumentsObject::CanPut(CExecutionContext& context, const CPropertyName& name) {
  int32_t index;
  if (!FindArgument(name, index)) return CScriptObject::CanPut(context, name);
  if (!m_entries[index].deleted) return true;
  CScriptObject* prototype = GetPrototype();
  return prototype ? prototype->CanPut(context, name) : true;
}

bool CArgumentsObject::HasProperty(CExecutionContext& context, const CPropertyName& name) {
  int32_t index;
  if (!FindArgument(name, index)) return CScriptObject::HasProperty(context, name);
  if (!m_entries[index].deleted) return true;
  CScriptObject* prototype = GetPrototype();
  return prototype ? prototype->HasProperty(context, name) : false;
}

bool CArgumentsObject::Delete(CExecutionContext& context, const CPropertyName& name) {
  int32_t index;
  if (!FindArgument(name, index)) return CScriptObject::Delete(context, name);
  CArgumentEntry& entry = m_entries[index];
  if (entry.deleted) return false;
  entry.value = nullptr;
  entry.deleted = true;
  return true;
}

} // namespace EcmaScript
