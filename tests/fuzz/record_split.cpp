// Fuzz target: record splitting. The first byte picks the separator (or
// fixed widths) and whether a name header is read, the next bytes the field
// widths, the rest is the text. Each line is cut directly, where every field
// must lie inside its record and a quoted one between its quotes; then the
// text is read as a file through a source, whose values must be the ones
// the direct cut gives, trimmed in fixed-width mode.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "FuzzText.h"
#include "core/Encoding.h"
#include "core/StringHelpers.h"
#include "core/Uri.h"
#include "extensions/textinput/TextFormat.h"
#include "extensions/textinput/TextInputException.h"
#include "extensions/textinput/TextSource.h"

namespace {

using Core::String;
using Core::StringView;
using XsltTextInput::CTextFormat;
using XsltTextInput::CTextSource;
using XsltTextInput::CXsltTextInputException;

std::string g_path;

struct CCut {
  std::vector<String> values;  // one per field found
  bool unterminated = false;
};

// Cuts one record into at most limit fields (all of them when limit < 0),
// checking every field against its record.
CCut Cut(StringView record, char16_t separator, const std::vector<int32_t>& widths, int32_t limit) {
  CCut cut;
  const int32_t end = static_cast<int32_t>(record.size());
  int32_t position = 0;
  for (int32_t i = 0; limit < 0 || i < limit; ++i) {
    int32_t width = separator == 0 ? widths[static_cast<size_t>(i)] : -1;
    int32_t before = position, start = 0, length = 0;
    bool found = false;
    try {
      found = CTextSource::NextField(record, separator, width, position, start, length);
    } catch (const CXsltTextInputException& e) {
      KELTO_FUZZ_CHECK(e.GetCode() == CXsltTextInputException::UnexpectedEndOfLine);
      KELTO_FUZZ_CHECK(separator != 0 && record[static_cast<size_t>(before)] == u'"');
      cut.unterminated = true;
      return cut;
    }
    if (!found) {
      KELTO_FUZZ_CHECK(start == -1 && length == -1 && before >= end);
      break;
    }
    KELTO_FUZZ_CHECK(start >= before && length >= 0 && start + length <= end && position <= end);
    StringView value = record.substr(static_cast<size_t>(start), static_cast<size_t>(length));
    if (separator == 0) {
      KELTO_FUZZ_CHECK(start == before && position == before + length);
    } else if (start > before) {
      // Quoted: between quotes, and the closing one ends the record or meets the separator.
      KELTO_FUZZ_CHECK(start == before + 1 && record[static_cast<size_t>(before)] == u'"');
      size_t close = static_cast<size_t>(start + length);
      KELTO_FUZZ_CHECK(close < record.size() && record[close] == u'"');
      KELTO_FUZZ_CHECK(close + 1 == record.size() || record[close + 1] == separator);
      KELTO_FUZZ_CHECK(position > before);
    } else {
      KELTO_FUZZ_CHECK(value.find(separator) == StringView::npos && position > before);
      KELTO_FUZZ_CHECK(position == end || record[static_cast<size_t>(position - 1)] == separator);
    }
    cut.values.emplace_back(value);
  }
  return cut;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  g_path = Fuzz::MakeScratchFile("/tmp/kelto-fuzz-records-XXXXXX");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Fuzz::CByteReader in(data, size);
  uint8_t mode = in.Byte();
  static const char16_t kSeparators[] = {0, u',', u'\t', u';', u'"', u' '};
  char16_t separator = kSeparators[(mode & 0x7F) % 6];
  bool header = (mode & 0x80) && separator != 0;
  std::vector<int32_t> widths;
  for (int count = in.Byte() % 9; count > 0; --count) widths.push_back(1 + in.Byte() % 40);
  String text = in.Text();

  // The text as the lines a reader gives, read through UTF-16 so that every unit survives.
  std::vector<String> lines;
  for (size_t from = 0; from < text.size();) {
    size_t feed = text.find(u'\n', from);
    size_t next = feed == String::npos ? text.size() : feed + 1;
    lines.push_back(text.substr(from, next - from));
    from = next;
  }

  Core::XInterface<CTextFormat> format(new CTextFormat(u"f", separator, header));
  if (!header) {
    for (size_t i = 0; i < widths.size(); ++i)
      format->AddField(Core::IntToWideString(static_cast<int32_t>(i)), separator == 0 ? widths[i] : -1);
  }
  std::vector<String> names;
  std::vector<CCut> expected;
  bool headerFails = false;
  for (size_t k = 0; k < lines.size(); ++k) {
    StringView record(lines[k]);
    if (record.back() == u'\n') record.remove_suffix(1);
    if (header && k == 0) {
      CCut cut = Cut(record, separator, widths, -1);
      headerFails = cut.unterminated;
      names = cut.values;
      continue;
    }
    expected.push_back(Cut(record, separator, widths, header ? static_cast<int32_t>(names.size())
                                                              : static_cast<int32_t>(widths.size())));
  }
  if (!header)
    for (int32_t i = 0; i < format->GetFieldCount(); ++i) names.push_back(format->GetFieldName(i));

  // Big-endian behind its mark: unmarked, a text that starts with U+FEFF or
  // U+FFFE would be read as a mark of its own.
  std::vector<uint8_t> bytes{0xFE, 0xFF};
  for (char16_t unit : text) {
    bytes.push_back(static_cast<uint8_t>(unit >> 8));
    bytes.push_back(static_cast<uint8_t>(unit & 0xFF));
  }
  std::FILE* file = std::fopen(g_path.c_str(), "wb");
  KELTO_FUZZ_CHECK(file);
  KELTO_FUZZ_CHECK(std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size());
  std::fclose(file);
  String url;
  KELTO_FUZZ_CHECK(Uri::FileNameToUrl(Core::FromUtf8(g_path), url));
  Core::XInterface<Unicode::CEncoding> utf16(new Unicode::CUtf16Encoding(true));
  Core::XInterface<CTextSource> source(new CTextSource(u"", url, utf16.Get(), format.Get()));

  try {
    source->Open();
  } catch (const CXsltTextInputException& e) {
    KELTO_FUZZ_CHECK(header && (lines.empty() ? e.GetCode() == CXsltTextInputException::MissingNameHeader
                                              : headerFails && e.GetCode() == CXsltTextInputException::UnexpectedEndOfLine));
    return 0;
  }
  KELTO_FUZZ_CHECK(!headerFails && source->GetFieldCount() == static_cast<int32_t>(names.size()));
  for (size_t i = 0; i < names.size(); ++i)
    KELTO_FUZZ_CHECK(source->GetFieldName(static_cast<int32_t>(i + 1)) == names[i]);
  for (const CCut& cut : expected) {
    bool read = false;
    try {
      read = source->ReadRecord();
    } catch (const CXsltTextInputException& e) {
      KELTO_FUZZ_CHECK(cut.unterminated && e.GetCode() == CXsltTextInputException::UnexpectedEndOfLine);
      return 0;
    }
    KELTO_FUZZ_CHECK(read && !cut.unterminated);
    for (size_t i = 0; i < names.size(); ++i) {
      String want = i < cut.values.size() ? cut.values[i] : String();
      if (separator == 0) Core::TrimRight(want);
      KELTO_FUZZ_CHECK(source->GetFieldValue(static_cast<int32_t>(i + 1)) == want);
    }
  }
  KELTO_FUZZ_CHECK(!source->ReadRecord());
  for (size_t i = 0; i < names.size(); ++i) KELTO_FUZZ_CHECK(source->GetFieldValue(static_cast<int32_t>(i + 1)).empty());
  source->Close();
  return 0;
}
