#include "script/engine/ScriptObject.h"

#include <optional>

#include "script/engine/ExecutionContext.h"
#include "script/engine/GlobalObjectBase.h"
#include "script/engine/ReleaseQueue.h"
#include "script/engine/ScriptExceptions.h"

namespace EcmaScript {

namespace {

const CPropertyName& ValueOfName() {
  static const CPropertyName name(u"valueOf");
  return name;
}

const CPropertyName& ToStringName() {
  static const CPropertyName name(u"toString");
  return name;
}

} // namespace

CScriptObject::CScriptObject(CGlobalObjectBase* global, CScriptObject* prototype)
    : m_global(global), m_prototype(prototype) {
  m_live.object = this;
  if (global) global->Link(m_live);
}

CScriptObject::~CScriptObject() {
  m_live.Unlink();
  m_table.Clear();
  ReleaseLater(m_prototype);
  EcmaScriptPrivate::CReleaseQueue::Drain();
}

void CScriptObject::SetPrototype(CScriptObject* prototype) { m_prototype = prototype; }

void CScriptObject::ReleaseLater(Core::CInterface* counted) { EcmaScriptPrivate::CReleaseQueue::Push(counted); }

void CScriptObject::Clear() {
  // Nothing is released before the drain, and nothing of this object is
  // touched after it: its last use may well be one of its own properties.
  m_table.Clear();
  ReleaseLater(m_prototype);
  EcmaScriptPrivate::CReleaseQueue::Drain();
}

XValue CScriptObject::GetEntryValue(CExecutionContext& context, const CPropertyEntry* entry) {
  if (entry->GetNativeId() >= 0) return GetNativeProperty(context, entry->GetNativeId());
  return XValue(entry->GetValue());
}

// Prototype chains are walked in loops, however long a script made them;
// an object with its own lookup is asked through its virtual operation,
// inside the depth guard.
XValue CScriptObject::Get(CExecutionContext& context, const CPropertyName& name) {
  CScriptObject* object = this;
  for (;;) {
    if (const CPropertyEntry* entry = object->m_table.Find(name)) return object->GetEntryValue(context, entry);
    CScriptObject* prototype = object->m_prototype.Get();
    if (!prototype) return MakeUndefined();
    if (prototype->m_customLookup) {
      CDepthGuard guard(m_global, prototype);
      return prototype->Get(context, name);
    }
    object = prototype;
  }
}

void CScriptObject::Put(CExecutionContext& context, const CPropertyName& name, CValue* value) {
  if (!m_customLookup) {
    // An own property decides CanPut by itself: one lookup does both.
    if (CPropertyEntry* entry = m_table.Find(name)) {
      if (entry->GetAttributes() & ReadOnly) return;
      if (entry->GetNativeId() >= 0) PutNativeProperty(context, entry->GetNativeId(), value);
      else entry->SetValue(value);
      return;
    }
    if (CScriptObject* prototype = m_prototype.Get()) {
      std::optional<CDepthGuard> guard;
      if (prototype->m_customLookup) guard.emplace(m_global, prototype);
      if (!prototype->CanPut(context, name)) return;
    }
    m_table.Insert(name, value, -1, 0);
    return;
  }
  if (!CanPut(context, name)) return;
  if (CPropertyEntry* entry = m_table.Find(name)) {
    if (entry->GetNativeId() >= 0) {
      PutNativeProperty(context, entry->GetNativeId(), value);
    } else {
      entry->SetValue(value);
    }
    return;
  }
  m_table.Insert(name, value, -1, 0);
}

bool CScriptObject::CanPut(CExecutionContext& context, const CPropertyName& name) {
  CScriptObject* object = this;
  for (;;) {
    if (const CPropertyEntry* entry = object->m_table.Find(name)) return (entry->GetAttributes() & ReadOnly) == 0;
    CScriptObject* prototype = object->m_prototype.Get();
    if (!prototype) return true;
    if (prototype->m_customLookup) {
      CDepthGuard guard(m_global, prototype);
      return prototype->CanPut(context, name);
    }
    object = prototype;
  }
}

bool CScriptObject::HasProperty(CExecutionContext& context, const CPropertyName& name) {
  CScriptObject* object = this;
  for (;;) {
    if (object->m_table.FindSlot(name) >= 0) return true;
    CScriptObject* prototype = object->m_prototype.Get();
    if (!prototype) return false;
    if (prototype->m_customLookup) {
      CDepthGuard guard(m_global, prototype);
      return prototype->HasProperty(context, name);
    }
    object = prototype;
  }
}

bool CScriptObject::GetIfPresent(CExecutionContext& context, const CPropertyName& name, XValue& value) {
  CScriptObject* object = this;
  for (;;) {
    if (object->m_customLookup) {
      std::optional<CDepthGuard> guard;
      if (object != this) guard.emplace(m_global, object);
      if (!object->HasProperty(context, name)) return false;
      value = object->Get(context, name);
      return true;
    }
    if (const CPropertyEntry* entry = object->m_table.Find(name)) {
      value = object->GetEntryValue(context, entry);
      return true;
    }
    object = object->m_prototype.Get();
    if (!object) return false;
  }
}

bool CScriptObject::Delete(CExecutionContext&, const CPropertyName& name) {
  int32_t slot = m_table.FindSlot(name);
  if (slot < 0) return true;
  if (m_table.GetAt(slot)->GetAttributes() & DontDelete) return false;
  m_table.RemoveAt(slot);
  return true;
}

XValue CScriptObject::DefaultValue(CExecutionContext& context, int32_t hint) {
  CDepthGuard guard(m_global, this);
  const CPropertyName* order[2] = {&ValueOfName(), &ToStringName()};
  if (hint != HintNone && hint != HintNumber) std::swap(order[0], order[1]);
  CArgumentList none;
  for (const CPropertyName* name : order) {
    XValue method = Get(context, *name);
    CScriptObject* function = method->GetObject();
    if (!function) continue;
    XValue result = function->Call(context, this, none);
    if (result && result->IsPrimitive()) return result;
  }
  throw CRuntimeError(CRuntimeError::NoDefaultValue, this);
}

XValue CScriptObject::Construct(CExecutionContext&, const CArgumentList&) {
  throw CRuntimeError(CRuntimeError::NoConstruct, this);
}

XValue CScriptObject::Call(CExecutionContext&, CScriptObject*, const CArgumentList&) {
  throw CRuntimeError(CRuntimeError::NoCall, this);
}

bool CScriptObject::Match(CExecutionContext&, const Core::String&, int32_t, RegExp::CCaptureList&) {
  throw CRuntimeError(CRuntimeError::NoMatch, this);
}

void CScriptObject::DefineOwnProperty(const CPropertyName& name, CValue* value, int32_t attributes, bool replace) {
  if (CPropertyEntry* entry = m_table.Find(name)) {
    if (!replace) return;
    entry->SetAttributes(attributes);
    entry->SetValue(value);
    return;
  }
  m_table.Insert(name, value, -1, attributes);
}

Core::XInterface<CPropertyEnumerator> CScriptObject::GetEnumerator() {
  return Core::XInterface<CPropertyEnumerator>(new CPropertyEnumerator(this));
}

XObject CScriptObject::GetSelf() { return XObject(this); }

XValue CScriptObject::GetNativeProperty(CExecutionContext&, int32_t) { return nullptr; }
void CScriptObject::PutNativeProperty(CExecutionContext&, int32_t, CValue*) {}

XValue CScriptObject::CallMethod(CExecutionContext&, int32_t, CScriptObject*, const CArgumentList&) {
  return nullptr;
}

void CScriptObject::DefineNumberProperty(const CPropertyName& name, CScriptNumber number, int32_t attributes) {
  XValue value = MakeNumber(number);
  m_table.Insert(name, value.Get(), -1, attributes);
}

void CScriptObject::DefineObjectProperty(const CPropertyName& name, CScriptObject* object, int32_t attributes) {
  XValue value = MakeObject(object);
  m_table.Insert(name, value.Get(), -1, attributes);
}

void CScriptObject::DefineValueProperty(const CPropertyName& name, CValue* value, int32_t attributes) {
  m_table.Insert(name, value, -1, attributes);
}

void CScriptObject::DefineNativeProperty(const CPropertyName& name, int32_t nativeId, int32_t attributes) {
  m_table.Insert(name, nullptr, nativeId, attributes);
}

void CScriptObject::DefineMethod(const CPropertyName& name, int32_t methodNumber, int32_t length,
                                 int32_t attributes) {
  XObject method = m_global->CreateBuiltinMethod(this, methodNumber, length);
  DefineObjectProperty(name, method.Get(), attributes);
}

CPropertyEnumerator::CPropertyEnumerator(CScriptObject* object) : m_object(object) {}
CPropertyEnumerator::~CPropertyEnumerator() = default;

bool CPropertyEnumerator::Next(CPropertyName& name) {
  if (m_finished) return false;
  const CPropertyTable& table = m_object->GetPropertyTable();
  if (m_position < 0) {
    m_names.reserve(table.GetCount());
    for (int32_t slot = 0; slot < table.GetCapacity(); ++slot) {
      const CPropertyEntry* entry = table.GetAt(slot);
      if (entry && !(entry->GetAttributes() & DontEnum)) m_names.push_back({entry->GetSharedText(), entry->GetHash()});
    }
  }
  // A name deleted meanwhile is skipped.
  for (++m_position; m_position < static_cast<int32_t>(m_names.size()); ++m_position) {
    CName& next = m_names[m_position];
    CPropertyName candidate(next.text.Get(), next.hash);
    const CPropertyEntry* entry = table.Find(candidate);
    if (entry && !(entry->GetAttributes() & DontEnum)) {
      name = std::move(candidate);
      next.text = nullptr;
      return true;
    }
  }
  m_finished = true;
  m_names = std::vector<CName>();
  return false;
}

XValue GetArgument(const CArgumentList& arguments, int32_t index) {
  if (index >= 0 && index < arguments.GetSize()) return arguments[index];
  return MakeUndefined();
}

} // namespace EcmaScript
