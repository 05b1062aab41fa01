#include "script/engine/PropertyName.h"

#include <charconv>

namespace EcmaScript {

namespace {

// The decimal digits of a non-negative integer, into buf; returns the count.
int Digits(int32_t value, char16_t (&buf)[12]) {
  char narrow[12];
  auto r = std::to_chars(narrow, narrow + sizeof narrow, value);
  int n = static_cast<int>(r.ptr - narrow);
  for (int i = 0; i < n; ++i) buf[i] = static_cast<char16_t>(narrow[i]);
  return n;
}

const Core::String& EmptyText() {
  static const Core::String empty;
  return empty;
}

} // namespace

int32_t HashText(Core::StringView text) {
  uint32_t h = 0;
  for (char16_t u : text) {
    if (u == 0) break;
    h = h * 9 + u;
  }
  return static_cast<int32_t>(h & 0x7FFFFFFF);
}

CPropertyName::CPropertyName(const char16_t* text) : m_text(new CNameText(Core::String(text))) {}
CPropertyName::CPropertyName(Core::StringView text) : m_text(new CNameText(Core::String(text))) {}
CPropertyName::CPropertyName(Core::String&& text) : m_text(new CNameText(std::move(text))) {}
CPropertyName::CPropertyName(Core::String&& text, int32_t hash)
    : m_text(new CNameText(std::move(text))), m_hash(hash) {}
CPropertyName::CPropertyName(CNameText* text, int32_t hash) : m_text(text), m_hash(hash) {}

CPropertyName CPropertyName::FromIndex(int32_t index) {
  CPropertyName name;
  name.m_integer = index;
  return name;
}

Core::StringView CPropertyName::GetStoredText() const { return m_text ? m_text->GetText() : EmptyText(); }

Core::String CPropertyName::GetText() const {
  if (m_integer < 0) return Core::String(GetStoredText());
  Core::String out;
  AppendText(out);
  return out;
}

void CPropertyName::AppendText(Core::String& out) const {
  if (m_integer < 0) {
    out += GetStoredText();
    return;
  }
  char16_t buf[12];
  int n = Digits(m_integer, buf);
  out.append(buf, static_cast<size_t>(n));
}

int32_t CPropertyName::ComputeHash() const {
  if (m_integer < 0) {
    m_hash = HashText(GetStoredText());
  } else {
    char16_t buf[12];
    int n = Digits(m_integer, buf);
    m_hash = HashText(Core::StringView(buf, static_cast<size_t>(n)));
  }
  return m_hash;
}

bool CPropertyName::Equals(Core::StringView text) const {
  if (m_integer < 0) return GetStoredText() == text;
  char16_t buf[12];
  int n = Digits(m_integer, buf);
  return Core::StringView(buf, static_cast<size_t>(n)) == text;
}

bool operator==(const CPropertyName& a, const CPropertyName& b) {
  if (a.m_integer >= 0 && b.m_integer >= 0) return a.m_integer == b.m_integer;
  if (a.m_integer >= 0) return a.Equals(b.GetStoredText());
  if (b.m_integer >= 0) return b.Equals(a.GetStoredText());
  if (a.m_text == b.m_text) return true;
  return a.GetStoredText() == b.GetStoredText();
}

} // namespace EcmaScript
