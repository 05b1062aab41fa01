#pragma once
// One text file open under a source id: read forward one line at a time, each
// line a record whose fields are cut by the source's format.
//
// A record is a line without its final line feed; every other unit stays in
// it as the reader delivers it (with a named encoding a CR before the LF is
// part of the record). Fields past the end of a record are missing, and a
// missing field reads as the empty string.
#include <cstdint>
#include <functional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/Encoding.h"
#include "core/Interface.h"
#include "core/String.h"
#include "core/TextReader.h"
#include "extensions/textinput/TextFormat.h"
#include "script/builtins/StringLength.h"

namespace XsltTextInput {

class CTextSource : public Core::CInterface {
public:
  struct CField {
    Core::String name;
    int32_t width;   // -1 when none
    int32_t start;   // where the value lies in the current line;
    int32_t length;  // both -1 when the record has no such field
  };

  // The URI is absolute; the encoding is null when none was named.
  CTextSource(Core::String id, Core::String uri, Unicode::CEncoding* encoding, CTextFormat* format);

  const Core::String& GetId() const { return m_id; }
  const Core::String& GetUri() const { return m_uri; }

  // The most characters the file may hold (the longest script string unless
  // set before Open): past it, reading fails with the retrieval error.
  void SetLimit(int64_t limit) { m_limit = limit; }
  // Opens the file and takes the field list from the format, or from the
  // first line under a header format.
  void Open();
  // Reads the next record and cuts its fields; false at the end of the input.
  bool ReadRecord();
  // The next line as the current one; false at the end of the input.
  bool ReadLine();
  // The next field of the current record from position, advancing it.
  bool NextField(int32_t width, int32_t& position, int32_t& start, int32_t& length) const {
    return NextField(Core::StringView(m_line).substr(0, static_cast<size_t>(m_recordLength)),
                     m_format->GetSeparator(), width, position, start, length);
  }
  // The field cutting of one record: with a separator (not 0) a field ends
  // at the next separator, or is a quoted value whose closing quote is
  // followed by the separator or ends the record (quotes are kept as they
  // are inside it); without one it is the next width units. False, with
  // start and length -1, when position is at the end of the record.
  static bool NextField(Core::StringView record, char16_t separator, int32_t width, int32_t& position, int32_t& start,
                        int32_t& length);

  int32_t GetFieldCount() const { return static_cast<int32_t>(m_fields.size()); }
  // Indexes are 1-based.
  Core::String GetFieldName(int32_t index) const;
  Core::String GetFieldValue(int32_t index) const;
  // The first field of the name.
  Core::String GetFieldValueByName(Core::StringView name) const;

  // Releases the file; done when the source's content list ends.
  void Close();

private:
  const CField& FieldAt(int32_t index) const;
  // Indexes the names once the field list is made; a repeated name keeps its first field.
  void IndexNames();
  Core::String ValueOf(const CField& field) const;

  Core::String m_id;
  Core::String m_uri;
  Core::XInterface<Unicode::CEncoding> m_encoding;
  Core::XInterface<CTextFormat> m_format;
  Core::XInterface<Core::CTextReader> m_reader;
  int64_t m_limit = static_cast<int64_t>(EcmaScript::kMaxBuiltinStringLength);
  Core::String m_line;
  int32_t m_recordLength = 0;
  std::vector<CField> m_fields;
  size_t m_cut = 0;  // fields from here on are missing

  struct CNameHash {
    using is_transparent = void;
    size_t operator()(Core::StringView name) const { return std::hash<Core::StringView>()(name); }
  };
  // A header can be as wide as the file makes it: lookups by name must not scan it.
  std::unordered_map<Core::String, size_t, CNameHash, std::equal_to<>> m_names;
};

// The id a source is filed under.
inline Core::StringView KeyOf(const CTextSource& source) { return source.GetId(); }

} // namespace XsltTextInput
