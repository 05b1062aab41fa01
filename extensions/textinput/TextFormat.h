#pragma once
// A record format as a stylesheet declares it: fields cut at a separator
// (optionally named by a header line) or at fixed widths.
#include <cstdint>
#include <vector>

#include "core/Interface.h"
#include "core/String.h"

namespace XsltTextInput {

class CTextFormat : public Core::CInterface {
public:
  struct CField {
    Core::String name;
    int32_t width;  // -1 when none
  };

  // A separator of 0 means fixed widths.
  CTextFormat(Core::String name, char16_t separator, bool header)
      : m_name(std::move(name)), m_separator(separator), m_header(header) {}

  // Widths belong to fixed-width formats, and every field of one needs its
  // width; names are unique within a format.
  void AddField(Core::String name, int32_t width);

  const Core::String& GetName() const { return m_name; }
  char16_t GetSeparator() const { return m_separator; }
  bool HasHeader() const { return m_header; }
  int32_t GetFieldCount() const { return static_cast<int32_t>(m_fields.size()); }
  const Core::String& GetFieldName(int32_t i) const { return m_fields[static_cast<size_t>(i)].name; }
  int32_t GetFieldWidth(int32_t i) const { return m_fields[static_cast<size_t>(i)].width; }

private:
  Core::String m_name;
  char16_t m_separator;
  bool m_header;
  std::vector<CField> m_fields;
};

// The name a format is filed under.
inline Core::StringView KeyOf(const CTextFormat& format) { return format.GetName(); }

} // namespace XsltTextInput
