#pragma once
// Array objects: index properties live in an element store instead of the
// property table, and 'length' follows the store. Lengths go up to
// 2^32 - 1. The store is dense (one slot per index) from index 0 up to
// where elements thin out, and sparse (ordered by index) beyond, so a
// huge length or a far index costs nothing until elements are stored.
//
// Used by Array.prototype itself, the arrays the Array constructor makes,
// and the arrays that split, match and exec hand out.
#include <cstdint>
#include <map>
#include <vector>

#include "script/engine/GlobalObjectBase.h"
#include "script/engine/ScriptObject.h"

namespace EcmaScript {

class CArrayObject : public CScriptObject {
public:
  static constexpr uint32_t kMaxLength = 0xFFFFFFFFu;

  CArrayObject(CGlobalObjectBase* global, CScriptObject* prototype);
  // Every element missing.
  CArrayObject(CGlobalObjectBase* global, CScriptObject* prototype, uint32_t length);
  // The values as elements 0 to n - 1.
  CArrayObject(CGlobalObjectBase* global, CScriptObject* prototype, const CArgumentList& elements);
  ~CArrayObject() override;

  Core::StringView GetClassName() const override { return u"Array"; }
  XValue Get(CExecutionContext& context, const CPropertyName& name) override;
  // Runtime error 14 for a 'length' whose ToUint32 differs from its ToNumber.
  void Put(CExecutionContext& context, const CPropertyName& name, CValue* value) override;
  bool CanPut(CExecutionContext& context, const CPropertyName& name) override;
  bool HasProperty(CExecutionContext& context, const CPropertyName& name) override;
  bool Delete(CExecutionContext& context, const CPropertyName& name) override;
  // Own enumerable names first, then the present indices in increasing order.
  Core::XInterface<CPropertyEnumerator> GetEnumerator() override;
  void Clear() override;

  // A name in integer form, or a text that is the canonical decimal form of
  // a number below 2^32 - 1.
  static bool IsArrayIndex(const CPropertyName& name, uint32_t& index);
  // The name of an index: the integer form where it fits, else the text.
  static CPropertyName IndexName(uint32_t index);

  uint32_t GetLength() const { return m_length; }
  // The length as a number record (integer form below 2^31).
  CScriptNumber GetLengthNumber() const;
  // Grows with missing elements or drops the elements from the length on.
  void SetLength(uint32_t length);
  // The stored element, or null for a missing one; the prototype is not asked.
  CValue* GetElement(uint32_t index) const;
  // Stores the value (counted) and grows the length past the index.
  void SetElement(uint32_t index, CValue* value);
  // Stores at the length; runtime error 14 when the length is at its limit.
  void AppendElement(CValue* value);
  void RemoveElement(uint32_t index);
  // The number of present elements.
  uint32_t GetElementCount() const { return m_count; }
  // The first present index at or after from.
  bool FindPresentIndex(uint64_t from, uint32_t& index) const;

private:
  XValue& SlotFor(uint32_t index);
  void GrowDense(uint32_t size);
  void ReleaseAll();

  // Indices below m_dense.size() live in m_dense (null for a missing one);
  // present indices at or above it live in m_sparse.
  std::vector<XValue> m_dense;
  std::map<uint32_t, XValue> m_sparse;
  uint32_t m_length = 0;
  uint32_t m_count = 0;
};

// The arrays built-ins create: their prototype is Array.prototype of the
// global object.
class CArrayInstance : public CArrayObject {
public:
  explicit CArrayInstance(CGlobalObjectBase* global);
  CArrayInstance(CGlobalObjectBase* global, uint32_t length);
  CArrayInstance(CGlobalObjectBase* global, const CArgumentList& elements);
};

// The for-in enumerator of an array. Elements stored or deleted meanwhile
// are seen or skipped as the walk reaches their index.
class CArrayEnumerator : public CPropertyEnumerator {
public:
  explicit CArrayEnumerator(CArrayObject* array);
  bool Next(CPropertyName& name) override;

private:
  bool m_ownNamesDone = false;
  uint64_t m_nextIndex = 0;
};

// The indices below the length at which the object or an object on its
// prototype chain holds a property, ascending and without repeats: every
// other index reads as Undefined and is absent. False when an object of the
// chain cannot list its properties; the caller then tries every index.
bool CollectIndexCandidates(CScriptObject* object, uint32_t length, std::vector<uint32_t>& out);

} // namespace EcmaScript
