#include "script/builtins/ArrayObject.h"

#include <algorithm>

#include "script/engine/Conversions.h"
#include "script/engine/ScriptExceptions.h"

namespace EcmaScript {

namespace {

// Indices below this always go to the dense store; beyond it an index joins
// the dense store only while at least half the slots up to it are used.
constexpr uint32_t kDenseFloor = 1024;

bool IsLengthName(const CPropertyName& name) { return !name.IsIntegerForm() && name.Equals(u"length"); }

// The canonical decimal form of a number below 2^32 - 1: what ToString of
// ToUint32 of the text gives back unchanged.
bool IsArrayIndexText(Core::StringView text, uint32_t& index) {
  size_t n = text.size();
  if (n == 0 || n > 10) return false;
  if (text[0] == u'0' && n > 1) return false;
  uint64_t value = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return false;
    value = value * 10 + static_cast<uint64_t>(c - u'0');
  }
  if (value >= CArrayObject::kMaxLength) return false;
  index = static_cast<uint32_t>(value);
  return true;
}

} // namespace

CArrayObject::CArrayObject(CGlobalObjectBase* global, CScriptObject* prototype) : CScriptObject(global, prototype) {
  SetCustomLookup();
}

CArrayObject::CArrayObject(CGlobalObjectBase* global, CScriptObject* prototype, uint32_t length)
    : CScriptObject(global, prototype), m_length(length) {
  SetCustomLookup();
}

CArrayObject::CArrayObject(CGlobalObjectBase* global, CScriptObject* prototype, const CArgumentList& elements)
    : CScriptObject(global, prototype) {
  SetCustomLookup();
  m_dense.reserve(static_cast<size_t>(elements.GetSize()));
  for (const XValue& value : elements) m_dense.push_back(value);
  m_length = static_cast<uint32_t>(m_dense.size());
  m_count = m_length;
}

CArrayObject::~CArrayObject() { ReleaseAll(); }

void CArrayObject::ReleaseAll() {
  // Elements may hold the last use of long chains of objects: they go to
  // the release queue, which the object base drains.
  for (XValue& value : m_dense) ReleaseLater(value);
  for (auto& entry : m_sparse) ReleaseLater(entry.second);
  std::vector<XValue>().swap(m_dense);
  m_sparse.clear();
  m_count = 0;
}

void CArrayObject::Clear() {
  ReleaseAll();
  m_length = 0;
  CScriptObject::Clear();
}

bool CArrayObject::IsArrayIndex(const CPropertyName& name, uint32_t& index) {
  if (name.IsIntegerForm()) {
    index = static_cast<uint32_t>(name.GetIntegerForm());
    return true;
  }
  return IsArrayIndexText(name.GetStoredText(), index);
}

CPropertyName CArrayObject::IndexName(uint32_t index) {
  if (index <= 0x7FFFFFFFu) return CPropertyName::FromIndex(static_cast<int32_t>(index));
  return CPropertyName(UnsignedToString(index));
}

CScriptNumber CArrayObject::GetLengthNumber() const {
  if (m_length <= 0x7FFFFFFFu) return CScriptNumber(static_cast<int32_t>(m_length));
  return CScriptNumber(static_cast<double>(m_length));
}

CValue* CArrayObject::GetElement(uint32_t index) const {
  if (index < m_dense.size()) return m_dense[index].Get();
  if (m_sparse.empty()) return nullptr;
  auto it = m_sparse.find(index);
  return it == m_sparse.end() ? nullptr : it->second.Get();
}

void CArrayObject::GrowDense(uint32_t size) {
  m_dense.resize(size);
  // Sparse elements now below the dense end move in.
  auto it = m_sparse.begin();
  while (it != m_sparse.end() && it->first < size) {
    m_dense[it->first] = std::move(it->second);
    it = m_sparse.erase(it);
  }
}

XValue& CArrayObject::SlotFor(uint32_t index) {
  if (index < m_dense.size()) return m_dense[index];
  if (index < kDenseFloor || index / 2 <= m_count) {
    GrowDense(index + 1);
    return m_dense[index];
  }
  return m_sparse[index];
}

void CArrayObject::SetElement(uint32_t index, CValue* value) {
  XValue& slot = SlotFor(index);
  bool added = !slot;
  slot = value;
  if (added) {
    ++m_count;
    // Sparse elements that have filled in at least half of the range up to
    // the last of them become dense.
    if (!m_sparse.empty() && m_sparse.rbegin()->first / 2 < m_count) GrowDense(m_sparse.rbegin()->first + 1);
  }
  if (index >= m_length) m_length = index + 1;
}

void CArrayObject::AppendElement(CValue* value) {
  if (m_length == kMaxLength) throw CRuntimeError(CRuntimeError::InvalidArrayLength, value);
  SetElement(m_length, value);
}

void CArrayObject::RemoveElement(uint32_t index) {
  if (index < m_dense.size()) {
    if (m_dense[index]) {
      XValue value = std::move(m_dense[index]);
      --m_count;
    }
    return;
  }
  auto it = m_sparse.find(index);
  if (it == m_sparse.end()) return;
  XValue value = std::move(it->second);
  m_sparse.erase(it);
  --m_count;
}

void CArrayObject::SetLength(uint32_t length) {
  std::vector<XValue> dropped;
  if (length < m_length) {
    if (length < m_dense.size()) {
      for (size_t k = length; k < m_dense.size(); ++k) {
        if (m_dense[k]) {
          dropped.push_back(std::move(m_dense[k]));
          --m_count;
        }
      }
      m_dense.resize(length);
    }
    auto it = m_sparse.lower_bound(length);
    while (it != m_sparse.end()) {
      dropped.push_back(std::move(it->second));
      it = m_sparse.erase(it);
      --m_count;
    }
    // Released (as dropped goes) only once the store is consistent again.
  }
  m_length = length;
}

bool CArrayObject::FindPresentIndex(uint64_t from, uint32_t& index) const {
  for (uint64_t k = from; k < m_dense.size(); ++k) {
    if (m_dense[k]) {
      index = static_cast<uint32_t>(k);
      return true;
    }
  }
  if (m_sparse.empty() || from >= kMaxLength) return false;
  auto it = m_sparse.lower_bound(static_cast<uint32_t>(std::max<uint64_t>(from, m_dense.size())));
  if (it == m_sparse.end()) return false;
  index = it->first;
  return true;
}

XValue CArrayObject::Get(CExecutionContext& context, const CPropertyName& name) {
  uint32_t index;
  if (IsArrayIndex(name, index)) {
    if (CValue* value = GetElement(index)) return XValue(value);
    CScriptObject* prototype = GetPrototype();
    if (!prototype) return MakeUndefined();
    return prototype->Get(context, name);
  }
  if (IsLengthName(name)) return MakeNumber(GetLengthNumber());
  return CScriptObject::Get(context, name);
}

void CArrayObject::Put(CExecutionContext& context, const CPropertyName& name, CValue* value) {
  uint32_t index;
  if (IsArrayIndex(name, index)) {
    SetElement(index, value);
    return;
  }
  if (IsLengthName(name)) {
    CScriptNumber length = ToUint32(context, value);
    CScriptNumber number = ToNumber(context, value);
    if (!(length == number)) throw CRuntimeError(CRuntimeError::InvalidArrayLength, value);
    SetLength(length.ToUint32());
    return;
  }
  CScriptObject::Put(context, name, value);
}

bool CArrayObject::CanPut(CExecutionContext& context, const CPropertyName& name) {
  uint32_t index;
  if (IsArrayIndex(name, index) || IsLengthName(name)) return true;
  return CScriptObject::CanPut(context, name);
}

bool CArrayObject::HasProperty(CExecutionContext& context, const CPropertyName& name) {
  uint32_t index;
  if (IsArrayIndex(name, index)) {
    if (GetElement(index)) return true;
    CScriptObject* prototype = GetPrototype();
    return prototype && prototype->HasProperty(context, name);
  }
  if (IsLengthName(name)) return true;
  return CScriptObject::HasProperty(context, name);
}

bool CArrayObject::Delete(CExecutionContext& context, const CPropertyName& name) {
  uint32_t index;
  if (IsArrayIndex(name, index)) {
    RemoveElement(index);
    return true;
  }
  if (IsLengthName(name)) return false;
  return CScriptObject::Delete(context, name);
}

Core::XInterface<CPropertyEnumerator> CArrayObject::GetEnumerator() {
  return Core::XInterface<CPropertyEnumerator>(new CArrayEnumerator(this));
}

CArrayInstance::CArrayInstance(CGlobalObjectBase* global) : CArrayObject(global, global->GetArrayPrototype()) {}

CArrayInstance::CArrayInstance(CGlobalObjectBase* global, uint32_t length)
    : CArrayObject(global, global->GetArrayPrototype(), length) {}

CArrayInstance::CArrayInstance(CGlobalObjectBase* global, const CArgumentList& elements)
    : CArrayObject(global, global->GetArrayPrototype(), elements) {}

CArrayEnumerator::CArrayEnumerator(CArrayObject* array) : CPropertyEnumerator(array) {}

bool CArrayEnumerator::Next(CPropertyName& name) {
  if (!m_ownNamesDone) {
    if (CPropertyEnumerator::Next(name)) return true;
    m_ownNamesDone = true;
  }
  auto* array = static_cast<CArrayObject*>(GetObject());
  uint32_t index;
  if (!array->FindPresentIndex(m_nextIndex, index)) {
    m_nextIndex = CArrayObject::kMaxLength;
    return false;
  }
  m_nextIndex = uint64_t(index) + 1;
  name = CArrayObject::IndexName(index);
  return true;
}

bool CollectIndexCandidates(CScriptObject* object, uint32_t length, std::vector<uint32_t>& out) {
  out.clear();
  for (CScriptObject* o = object; o; o = o->GetPrototype()) {
    if (auto* array = dynamic_cast<CArrayObject*>(o)) {
      uint32_t index;
      for (uint64_t from = 0; from < length && array->FindPresentIndex(from, index) && index < length;
           from = uint64_t(index) + 1) {
        out.push_back(index);
      }
    } else if (o->HasCustomLookup()) {
      return false;
    }
    const CPropertyTable& table = o->GetPropertyTable();
    for (int32_t slot = 0; slot < table.GetCapacity(); ++slot) {
      const CPropertyEntry* entry = table.GetAt(slot);
      uint32_t index;
      if (entry && IsArrayIndexText(entry->GetText(), index) && index < length) out.push_back(index);
    }
  }
  std::sort(out.begin(), out.end());
  out.erase(std::unique(out.begin(), out.end()), out.end());
  return true;
}

} // namespace EcmaScript
