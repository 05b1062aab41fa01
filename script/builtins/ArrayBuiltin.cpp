#include "script/builtins/ArrayBuiltin.h"

#include <algorithm>
#include <vector>

#include "script/builtins/StringLength.h"
#include "script/engine/Conversions.h"
#include "script/engine/ScriptExceptions.h"

namespace EcmaScript {

namespace {

const CPropertyName& LengthName() {
  static const CPropertyName name(u"length");
  return name;
}

uint32_t LengthOf(CExecutionContext& context, CScriptObject* object) {
  XValue length = object->Get(context, LengthName());
  return ToUint32(context, length.Get()).ToUint32();
}

// Past this length the methods look for the indices that can hold
// something instead of trying every one.
constexpr uint32_t kWalkEveryIndexUpTo = 1u << 16;

// The indices below the length worth visiting: every one for short lengths
// or objects that cannot list their properties, else the candidates.
class CIndexWalk {
public:
  CIndexWalk(CScriptObject* object, uint32_t length) : m_length(length) {
    m_listed = length > kWalkEveryIndexUpTo && CollectIndexCandidates(object, length, m_candidates);
  }
  // Every index is visited.
  bool IsComplete() const { return !m_listed; }
  uint64_t GetCount() const { return m_listed ? m_candidates.size() : m_length; }
  uint32_t operator[](uint64_t i) const { return m_listed ? m_candidates[i] : static_cast<uint32_t>(i); }

private:
  uint32_t m_length;
  bool m_listed = false;
  std::vector<uint32_t> m_candidates;
};

// Appends count copies of the separator.
void AppendSeparators(Core::String& out, Core::StringView separator, uint64_t count) {
  if (separator.empty()) return;
  CheckStringLength(out.size() + separator.size() * count);
  for (uint64_t i = 0; i < count; ++i) out.append(separator);
}

// One element of a sort: its value and, for the default order, its text.
struct CSortEntry {
  XValue value;
  Core::String text;
};

class CSorter {
public:
  CSorter(CExecutionContext& context, CScriptObject* compare) : m_context(context), m_compare(compare) {}

  // A stable merge sort. Each comparison is guarded by the bounds of the
  // runs, so an inconsistent compare function only gives some order.
  void Sort(std::vector<CSortEntry>& entries) {
    std::vector<CSortEntry> buffer(entries.size());
    for (size_t width = 1; width < entries.size(); width *= 2) {
      for (size_t left = 0; left < entries.size(); left += 2 * width) {
        size_t middle = std::min(left + width, entries.size());
        size_t right = std::min(left + 2 * width, entries.size());
        Merge(entries, buffer, left, middle, right);
      }
      entries.swap(buffer);
    }
  }

private:
  void Merge(std::vector<CSortEntry>& from, std::vector<CSortEntry>& to, size_t left, size_t middle, size_t right) {
    size_t i = left, j = middle, k = left;
    while (i < middle && j < right) {
      // Ties take the left run first: stable.
      if (Compare(from[j], from[i]) < 0) {
        to[k++] = std::move(from[j++]);
      } else {
        to[k++] = std::move(from[i++]);
      }
    }
    while (i < middle) to[k++] = std::move(from[i++]);
    while (j < right) to[k++] = std::move(from[j++]);
  }

  int Compare(const CSortEntry& x, const CSortEntry& y) {
    if (!m_compare) return x.text.compare(y.text) < 0 ? -1 : (y.text.compare(x.text) < 0 ? 1 : 0);
    CArgumentList arguments;
    arguments.Append(x.value);
    arguments.Append(y.value);
    XValue result = m_compare->Call(m_context, m_compare, arguments);
    CScriptNumber r = ToNumber(m_context, result.Get());
    if (r.IsNaN()) return 0;
    if (r < CScriptNumber(0)) return -1;
    return r > CScriptNumber(0) ? 1 : 0;
  }

  CExecutionContext& m_context;
  CScriptObject* m_compare;
};

// Sorted values beyond what a sort writes back into existing slots: a
// sparse array of huge length with a value at its end would otherwise
// store billions of Undefined values.
constexpr uint64_t kMaxNewSortSlots = uint64_t(1) << 24;

} // namespace

CArrayPrototype::CArrayPrototype(CGlobalObjectBase* global) : CArrayObject(global, global->GetObjectPrototype()) {}

void CArrayPrototype::Populate() {
  DefineObjectProperty(u"constructor", GetGlobalObject()->GetArrayConstructor(), DontEnum);
  DefineMethod(u"toString", MethodToString, 0, DontEnum);
  DefineMethod(u"join", MethodJoin, 1, DontEnum);
  DefineMethod(u"reverse", MethodReverse, 0, DontEnum);
  DefineMethod(u"sort", MethodSort, 1, DontEnum);
}

XValue CArrayPrototype::CallMethod(CExecutionContext& context, int32_t methodNumber, CScriptObject* thisObject,
                                   const CArgumentList& arguments) {
  if (!thisObject) thisObject = context.GetGlobalObject();
  switch (methodNumber) {
  case MethodJoin: {
    XValue separator = GetArgument(arguments, 0);
    return Join(context, thisObject, separator.Get());
  }
  case MethodReverse: return Reverse(context, thisObject);
  case MethodSort: {
    XValue compare = GetArgument(arguments, 0);
    return Sort(context, thisObject, compare.Get());
  }
  default: {
    XValue separator = MakeUndefined();
    return Join(context, thisObject, separator.Get());
  }
  }
}

XValue CArrayPrototype::Join(CExecutionContext& context, CScriptObject* thisObject, CValue* separator) {
  const uint32_t length = LengthOf(context, thisObject);
  Core::String sep = separator->GetType() == CValue::UndefinedType ? Core::String(u",") : ToString(context, separator);
  Core::String result;
  if (length == 0) return MakeString(std::move(result));
  CIndexWalk walk(thisObject, length);
  uint64_t separators = 0;  // separators written so far: element k follows k of them
  for (uint64_t i = 0; i < walk.GetCount(); ++i) {
    uint32_t index = walk[i];
    AppendSeparators(result, sep, index - separators);
    separators = index;
    XValue element = thisObject->Get(context, IndexName(index));
    int32_t type = element->GetType();
    if (type != CValue::UndefinedType && type != CValue::NullType) {
      AppendString(context, element.Get(), result);
      CheckStringLength(result.size());
    }
  }
  AppendSeparators(result, sep, length - 1 - separators);
  return MakeString(std::move(result));
}

XValue CArrayPrototype::Reverse(CExecutionContext& context, CScriptObject* thisObject) {
  const uint32_t length = LengthOf(context, thisObject);
  if (length > 1) {
    // The lower positions of the pairs to visit, ascending.
    std::vector<uint32_t> lowers;
    CIndexWalk walk(thisObject, length);
    if (!walk.IsComplete()) {
      for (uint64_t i = 0; i < walk.GetCount(); ++i) {
        uint32_t index = walk[i];
        uint32_t mirror = length - 1 - index;
        lowers.push_back(index < mirror ? index : mirror);
      }
      std::sort(lowers.begin(), lowers.end());
      lowers.erase(std::unique(lowers.begin(), lowers.end()), lowers.end());
    }
    const uint64_t count = walk.IsComplete() ? length / 2 : lowers.size();
    for (uint64_t i = 0; i < count; ++i) {
      uint32_t lower = walk.IsComplete() ? static_cast<uint32_t>(i) : lowers[i];
      uint32_t upper = length - 1 - lower;
      if (lower >= upper) continue;
      CPropertyName lowerName = IndexName(lower), upperName = IndexName(upper);
      XValue lowerValue = thisObject->Get(context, lowerName);
      XValue upperValue = thisObject->Get(context, upperName);
      bool lowerPresent = thisObject->HasProperty(context, lowerName);
      bool upperPresent = thisObject->HasProperty(context, upperName);
      if (upperPresent) {
        thisObject->Put(context, lowerName, upperValue.Get());
      } else {
        thisObject->Delete(context, lowerName);
      }
      if (lowerPresent) {
        thisObject->Put(context, upperName, lowerValue.Get());
      } else {
        thisObject->Delete(context, upperName);
      }
    }
  }
  return MakeObject(thisObject);
}

XValue CArrayPrototype::Sort(CExecutionContext& context, CScriptObject* thisObject, CValue* compareArgument) {
  CScriptObject* compare =
      compareArgument->GetType() == CValue::ObjectType ? compareArgument->GetObject() : nullptr;
  XObject keepCompare(compare);
  const uint32_t count = LengthOf(context, thisObject);
  CIndexWalk walk(thisObject, count);
  // Each element read once: the defined values go to the sort; the
  // position of the last of them decides which missing elements become
  // stored Undefined values.
  std::vector<CSortEntry> defined;
  uint64_t lastDefined = 0;
  uint64_t presentBeforeLast = 0;  // present Undefined elements, counted up to the last defined one
  std::vector<uint32_t> presentUndefined;
  for (uint64_t i = 0; i < walk.GetCount(); ++i) {
    uint32_t index = walk[i];
    CPropertyName name = IndexName(index);
    XValue value = thisObject->Get(context, name);
    if (value->GetType() != CValue::UndefinedType) {
      CSortEntry entry{value, {}};
      if (!compare) entry.text = ToString(context, value.Get());
      defined.push_back(std::move(entry));
      lastDefined = index;
    } else if (thisObject->HasProperty(context, name)) {
      presentUndefined.push_back(index);
    }
  }
  if (defined.empty()) return MakeObject(thisObject);
  for (uint32_t index : presentUndefined) {
    if (index < lastDefined) ++presentBeforeLast;
  }
  // Positions from the sorted values' end up to the last defined one's
  // hold Undefined afterwards; the ones not stored yet are new slots.
  if (lastDefined + 1 > defined.size() + presentBeforeLast + kMaxNewSortSlots) {
    XValue length = thisObject->Get(context, LengthName());
    throw CRuntimeError(CRuntimeError::InvalidArrayLength, length.Get());
  }
  CSorter(context, compare).Sort(defined);
  uint32_t position = 0;
  for (CSortEntry& entry : defined) thisObject->Put(context, IndexName(position++), entry.value.Get());
  XValue undefined = MakeUndefined();
  for (uint64_t k = defined.size(); k <= lastDefined; ++k) {
    thisObject->Put(context, IndexName(static_cast<uint32_t>(k)), undefined.Get());
  }
  return MakeObject(thisObject);
}

void CArrayConstructor::Populate() { DefineLengthAndPrototype(1, GetGlobalObject()->GetArrayPrototype()); }

XValue CArrayConstructor::Construct(CExecutionContext&, const CArgumentList& arguments) {
  CGlobalObjectBase* global = GetGlobalObject();
  if (arguments.GetSize() == 0) return MakeObject(XObject(new CArrayInstance(global)).Get());
  if (arguments.GetSize() == 1) {
    CValue* value = arguments[0].Get();
    if (value->GetType() == CValue::NumberType) {
      CScriptNumber number = value->GetNumber();
      if (number.IsNaN() || !(number.ToUint32Number() == number)) {
        throw CRuntimeError(CRuntimeError::InvalidArrayLengthConstructor, value);
      }
      return MakeObject(XObject(new CArrayInstance(global, number.ToUint32())).Get());
    }
  }
  return MakeObject(XObject(new CArrayInstance(global, arguments)).Get());
}

XValue CArrayConstructor::Call(CExecutionContext& context, CScriptObject*, const CArgumentList& arguments) {
  return Construct(context, arguments);
}

} // namespace EcmaScript
