#include "xpath/Value.h"

namespace Xpath {

namespace {

// Shorter parts are copied: a copy costs less than sharing, and the text of
// a short string may lie inside the string object rather than on the heap.
constexpr size_t kShortestShared = 128;

} // namespace

Core::XInterface<CValue> CStringValue::Append(const Core::StringView* parts, size_t count) const {
  size_t added = 0;
  for (size_t i = 0; i < count; ++i) added += parts[i].size();
  Core::StringView text = GetText();
  size_t length = text.size() + added;
  if (m_shared) {
    Core::String& buffer = m_shared->text;
    // Appending within the capacity moves nothing: every view into the
    // buffer stays valid, the parts' own included.
    if (m_offset + m_length == buffer.size() && buffer.capacity() - buffer.size() >= added) {
      for (size_t i = 0; i < count; ++i) buffer.append(parts[i]);
      auto* value = new CStringValue(m_shared.Get(), m_offset, length);
      value->m_appended = true;
      return value;
    }
  }
  if (!m_appended) {
    Core::String result;
    result.reserve(length);
    result.append(text);
    for (size_t i = 0; i < count; ++i) result.append(parts[i]);
    auto* value = new CStringValue(std::move(result));
    value->m_appended = true;
    return value;
  }
  Core::XInterface<CStringBuffer> fresh(new CStringBuffer);
  fresh->text.reserve(length + length);
  fresh->text.append(text);
  for (size_t i = 0; i < count; ++i) fresh->text.append(parts[i]);
  auto* value = new CStringValue(fresh.Get(), 0, length);
  value->m_appended = true;
  return value;
}

Core::XInterface<CValue> CStringValue::Part(size_t offset, size_t length) const {
  Core::StringView text = GetText();
  if (offset == 0 && length == text.size()) return const_cast<CStringValue*>(this);
  size_t kept = m_shared ? m_shared->text.capacity() : m_value.capacity();
  if (length < kShortestShared || length < kept / 2) return new CStringValue(Core::String(text.substr(offset, length)));
  if (!m_shared) {
    // A long text lies on the heap, and moving it into a buffer leaves it
    // where it is: views taken before stay valid.
    m_shared = new CStringBuffer;
    m_shared->text = std::move(m_value);
    m_value = Core::String();
    m_offset = 0;
    m_length = m_shared->text.size();
  }
  return new CStringValue(m_shared.Get(), m_offset + offset, length);
}

} // namespace Xpath
