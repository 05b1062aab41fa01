#include "extensions/textinput/TextSource.h"

#include <algorithm>

#include "core/StringHelpers.h"
#include "core/Uri.h"
#include "extensions/textinput/TextInputException.h"

namespace XsltTextInput {

using Exception = CXsltTextInputException;

CTextSource::CTextSource(Core::String id, Core::String uri, Unicode::CEncoding* encoding, CTextFormat* format)
    : m_id(std::move(id)),
      m_uri(std::move(uri)),
      m_encoding(encoding),
      m_format(format),
      m_reader(new Core::CTextReader()) {}

void CTextSource::Open() {
  Core::String fileName;
  if (!Uri::UrlToFileName(m_uri, fileName)) throw Exception(Exception::RetrievalError, m_uri);
  if (!m_reader->Open(fileName, u"r", m_encoding.Get())) throw Exception(Exception::RetrievalError, m_uri);
  if (!m_reader->DropByteOrderMark())
    throw Exception(Exception::MismatchedByteOrderMark, m_encoding->GetName(), m_uri);
  m_reader->SetLimit(m_limit);
  m_fields.clear();
  m_cut = 0;
  if (!m_format->HasHeader()) {
    for (int32_t i = 0; i < m_format->GetFieldCount(); ++i)
      m_fields.push_back({m_format->GetFieldName(i), m_format->GetFieldWidth(i), -1, -1});
    IndexNames();
    return;
  }
  if (!ReadLine()) throw Exception(Exception::MissingNameHeader, m_uri);
  int32_t position = 0, start = 0, length = 0;
  while (NextField(-1, position, start, length)) {
    m_fields.push_back({m_line.substr(static_cast<size_t>(start), static_cast<size_t>(length)), -1, -1, -1});
    // Only a width below 1 could stand still, and header formats have a separator.
    if (length == 0 && m_format->GetSeparator() == 0) break;
  }
  IndexNames();
}

void CTextSource::IndexNames() {
  m_names.clear();
  m_names.reserve(m_fields.size());
  for (size_t i = 0; i < m_fields.size(); ++i) m_names.emplace(m_fields[i].name, i);
}

bool CTextSource::ReadLine() {
  m_line = m_reader->ReadLine();
  if (m_reader->ExceededLimit()) throw Exception(Exception::RetrievalError, m_uri);
  m_recordLength = static_cast<int32_t>(m_line.size());
  if (m_recordLength == 0) return false;
  if (m_line.back() == u'\n') --m_recordLength;
  return true;
}

bool CTextSource::NextField(Core::StringView record, char16_t separator, int32_t width, int32_t& position,
                            int32_t& start, int32_t& length) {
  const int32_t end = static_cast<int32_t>(record.size());
  if (position < 0 || position >= end) {
    start = length = -1;
    return false;
  }
  const size_t p = static_cast<size_t>(position);
  if (separator == 0) {
    start = position;
    length = std::clamp(width, 0, end - position);
    position += length;
    return true;
  }
  if (record[p] != u'"') {
    size_t stop = record.find(separator, p);
    if (stop == Core::StringView::npos) stop = record.size();
    start = position;
    length = static_cast<int32_t>(stop - p);
    position = std::min(static_cast<int32_t>(stop) + 1, end);
    return true;
  }
  // Quoted: only a quote before the separator or at the end closes the value.
  for (size_t from = p + 1;;) {
    size_t quote = record.find(u'"', from);
    if (quote == Core::StringView::npos) throw Exception(Exception::UnexpectedEndOfLine);
    if (quote + 1 == record.size() || record[quote + 1] == separator) {
      start = position + 1;
      length = static_cast<int32_t>(quote - p - 1);
      position = std::min(static_cast<int32_t>(quote) + 2, end);
      return true;
    }
    from = quote + 1;
  }
}

bool CTextSource::ReadRecord() {
  if (!ReadLine()) return false;
  // Only the fields this record holds are cut, and only those the last one
  // held are cleared: a wide header over short records stays linear.
  int32_t position = 0;
  size_t found = 0;
  for (; found < m_fields.size(); ++found) {
    CField& field = m_fields[found];
    m_cut = std::max(m_cut, found + 1);  // written below, even by a failing cut
    if (!NextField(field.width, position, field.start, field.length)) break;
  }
  for (size_t i = found; i < m_cut; ++i) m_fields[i].start = m_fields[i].length = -1;
  m_cut = found;
  return true;
}

const CTextSource::CField& CTextSource::FieldAt(int32_t index) const {
  if (index < 1 || index > GetFieldCount())
    throw Exception(Exception::InvalidFieldIndex, Core::IntToWideString(index));
  return m_fields[static_cast<size_t>(index - 1)];
}

Core::String CTextSource::ValueOf(const CField& field) const {
  // Past the last record the current line is empty while the fields keep
  // the last record's places: such a value reads as empty too.
  if (field.length < 0 || field.start + field.length > m_recordLength) return {};
  Core::String value = m_line.substr(static_cast<size_t>(field.start), static_cast<size_t>(field.length));
  if (m_format->GetSeparator() == 0) Core::TrimRight(value);
  return value;
}

Core::String CTextSource::GetFieldName(int32_t index) const { return FieldAt(index).name; }

Core::String CTextSource::GetFieldValue(int32_t index) const { return ValueOf(FieldAt(index)); }

Core::String CTextSource::GetFieldValueByName(Core::StringView name) const {
  auto found = m_names.find(name);
  if (found == m_names.end()) throw Exception(Exception::InvalidFieldName, Core::String(name));
  return ValueOf(m_fields[found->second]);
}

void CTextSource::Close() {
  m_fields.clear();
  m_names.clear();
  m_cut = 0;
  m_line.clear();
  m_recordLength = 0;
  m_reader->Close();
}

} // namespace XsltTextInput
