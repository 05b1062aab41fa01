#include "core/EncodingMap.h"

#include "core/StringHelpers.h"

namespace Unicode {

CEncodingMap::CEncodingMap() {
  Add(Core::Make<CUtf8Encoding>());
  Add(Core::Make<CUtf16Encoding>(true));
  Add(Core::Make<CIso88591Encoding>());
}

void CEncodingMap::Add(Core::XInterface<CEncoding> encoding) { m_encodings.Append(std::move(encoding)); }

CEncoding* CEncodingMap::Find(Core::StringView name) const {
  for (const auto& encoding : m_encodings) {
    if (Core::CompareNoCase(encoding->GetName(), name) == 0) return encoding.Get();
  }
  return nullptr;
}

} // namespace Unicode
