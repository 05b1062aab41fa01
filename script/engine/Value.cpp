#include "script/engine/Value.h"

#include "script/engine/ScriptExceptions.h"
#include "script/engine/ScriptObject.h"

namespace EcmaScript {

namespace {

// A shared value that is never freed: it keeps one use of its own.
template <class T, class... Args>
CValue* Immortal(Args... args) {
  T* value = new T(args...);
  value->AddRef();
  return value;
}

} // namespace

CReference::CReference(CScriptObject* base, const CPropertyName& name) : m_base(base), m_name(name) {}
CReference::~CReference() = default;
CScriptObject* CReference::GetBase() const { return m_base.Get(); }

const Core::String& CValue::GetString() const {
  static const Core::String empty;
  return empty;
}

size_t CStringValue::s_maxLength = size_t(1) << 30;

void CStringValue::CheckLength(size_t length) {
  if (length > s_maxLength) throw CRuntimeError(CRuntimeError::StringTooLong, static_cast<CValue*>(nullptr));
}

const Core::String& CStringValue::GetString() const {
  if (!m_shared) return m_value;
  if (m_length == m_shared->text.size()) {
    m_shared->exposed = true;
    return m_shared->text;
  }
  m_value.assign(m_shared->text, 0, m_length);
  m_shared = nullptr;
  return m_value;
}

Core::XInterface<CStringBuffer> CStringValue::ShareBuffer() const {
  if (m_shared && m_length != m_shared->text.size()) GetString();  // keeps only its prefix
  if (!m_shared) {
    m_shared = new CStringBuffer;
    m_shared->text = std::move(m_value);
    m_value.clear();
    m_length = m_shared->text.size();
  }
  m_shared->exposed = true;
  return m_shared;
}

XValue CStringValue::Concatenate(const CStringValue* left, Core::StringView right) {
  size_t length = left->GetLength() + right.size();
  CheckLength(length);
  CStringBuffer* buffer = left->m_shared.Get();
  if (buffer && !buffer->exposed && left->m_length == buffer->text.size()) {
    // s + s appends the buffer to itself: append copies from the old
    // storage before it lets it go, so no copy of s is made first (at the
    // maximum length that copy would be a gigabyte).
    buffer->text.append(right.data(), right.size());
    return XValue(new CStringValue(buffer, length));
  }
  Core::XInterface<CStringBuffer> fresh(new CStringBuffer);
  fresh->text.reserve(length);
  fresh->text.append(left->GetView());
  fresh->text.append(right);
  return XValue(new CStringValue(fresh.Get(), length));
}

CObjectValue::CObjectValue(CScriptObject* object) : CValue(ObjectType), m_object(object) {
  if (m_object) m_object->AddRef();
}

CObjectValue::~CObjectValue() {
  if (m_object) m_object->Release();
}

XValue MakeUndefined() {
  static CValue* const value = Immortal<CUndefinedValue>();
  return XValue(value);
}

XValue MakeNull() {
  static CValue* const value = Immortal<CNullValue>();
  return XValue(value);
}

XValue MakeBoolean(bool b) {
  static CValue* const yes = Immortal<CBooleanValue>(true);
  static CValue* const no = Immortal<CBooleanValue>(false);
  return XValue(b ? yes : no);
}

XValue MakeNumber(CScriptNumber value) {
  // Small integers are shared: loop counters and flags come from here.
  constexpr int32_t kFirst = -128, kLast = 1023;
  if (value.IsInteger() && value.GetInteger() >= kFirst && value.GetInteger() <= kLast) {
    static CValue* const* const shared = [] {
      auto** table = new CValue*[kLast - kFirst + 1];
      for (int32_t i = kFirst; i <= kLast; ++i) table[i - kFirst] = Immortal<CNumberValue>(CScriptNumber(i));
      return table;
    }();
    return XValue(shared[value.GetInteger() - kFirst]);
  }
  return XValue(new CNumberValue(value));
}
XValue MakeString(Core::String value) { return XValue(new CStringValue(std::move(value))); }
XValue MakeObject(CScriptObject* object) { return XValue(new CObjectValue(object)); }

} // namespace EcmaScript
