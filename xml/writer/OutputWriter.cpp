#include "xml/writer/OutputWriter.h"

#include <array>

#include "core/EncodingMap.h"
#include "core/Stream.h"
#include "xml/writer/WriterException.h"

namespace XmlWriter {

namespace {

inline bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
inline bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Replacement text of each ASCII unit per escaping mode; null leaves it as it is.
// A reader normalises raw tab, CR and LF in a value to spaces and a raw CR in
// text to LF, so these are written as references to come back unchanged.
using CEscapeTable = std::array<const char16_t*, 128>;

constexpr CEscapeTable MakeTable(bool attribute, bool html) {
  CEscapeTable t{};
  t[u'&'] = u"&amp;";
  t[u'>'] = u"&gt;";
  t[u'\r'] = u"&#13;";
  if (!html) t[u'<'] = u"&lt;";
  if (attribute) {
    t[u'"'] = u"&quot;";
    t[u'\n'] = u"&#10;";
    t[u'\t'] = u"&#9;";
  }
  return t;
}

constexpr CEscapeTable kTextTable = MakeTable(false, false);
constexpr CEscapeTable kAttributeTable = MakeTable(true, false);
constexpr CEscapeTable kHtmlAttributeTable = MakeTable(true, true);
constexpr CEscapeTable kNoTable{};

const CEscapeTable& TableOf(int mode) {
  static const CEscapeTable* const tables[] = {&kTextTable, &kAttributeTable, &kHtmlAttributeTable, &kNoTable};
  return *tables[mode];
}

constexpr char16_t kSpaces[] = u"                                                                ";
constexpr int32_t kSpaceCount = sizeof(kSpaces) / sizeof(kSpaces[0]) - 1;

} // namespace

COutputWriter::COutputWriter() = default;
COutputWriter::~COutputWriter() = default;

void COutputWriter::SetEncodingHandler(Unicode::CEncodingMap* map) { m_encodingMap = map; }

void COutputWriter::SetOutputStream(Core::IStream* stream) {
  m_stream = stream;
  m_target = nullptr;
}

void COutputWriter::SetOutputTarget(Core::IUnicodeStream* target) {
  m_target = target;
  m_stream = nullptr;
}

void COutputWriter::SetOutputOptions(Xslt::COutputOptions* options) { m_options = options; }

Xslt::COutputOptions& COutputWriter::Options() {
  if (!m_options) m_options = new Xslt::COutputOptions();
  return *m_options;
}

void COutputWriter::PrepareOutput(const Core::String& encodingName) {
  Unicode::CEncoding* encoder = m_encodingMap ? m_encodingMap->Find(encodingName) : nullptr;
  if (!encoder) throw CWriterException(CWriterException::kUnsupportedEncoding, encodingName);
  m_encoder = encoder;
  const char16_t pair[2] = {0xD800, 0xDC00};
  m_pairsEncodable = m_encoder->CountUnencodable(pair, 2) == 0;
  if (!m_target && !m_buffer) m_buffer = std::make_unique<uint8_t[]>(kBufferSize);
  m_fill = 0;
  m_asciiBytes = false;
  if (m_buffer) {
    static constexpr char16_t kProbe[] = u"<&#;>\"\r\n azAZ09";
    constexpr int32_t kProbeLength = sizeof(kProbe) / sizeof(kProbe[0]) - 1;
    uint8_t bytes[2 * kProbeLength];
    int32_t written = 0;
    bool unencodable = false;
    int32_t used = m_encoder->Encode(kProbe, kProbeLength, bytes, sizeof(bytes), written, unencodable);
    m_asciiBytes = used == kProbeLength && written == kProbeLength;
    for (int32_t i = 0; m_asciiBytes && i < kProbeLength; ++i) m_asciiBytes = bytes[i] == kProbe[i];
  }
  m_cdataBrackets = 0;
  m_started = true;
  int32_t markLength = 0;
  const char16_t* mark = m_encoder->GetByteOrderMark(markLength);
  if (markLength > 0) PutAll(mark, markLength);
}

void COutputWriter::Flush() {
  if (m_fill == 0) return;
  // A result cut short must not pass for a complete one.
  if (!m_stream || m_stream->Write(m_buffer.get(), m_fill) != m_fill)
    throw CWriterException(CWriterException::kWriteFailed);
  m_fill = 0;
}

int32_t COutputWriter::Put(const char16_t* units, int32_t count) {
  if (count <= 0) return 0;
  if (m_target) {
    if (m_target->Write(units, count) != count) throw CWriterException(CWriterException::kWriteFailed);
    return count;
  }
  int32_t done = 0;
  while (done < count) {
    if (m_fill == kBufferSize) Flush();
    int32_t written = 0;
    bool unencodable = false;
    int32_t used = m_encoder->Encode(units + done, count - done, m_buffer.get() + m_fill, kBufferSize - m_fill,
                                     written, unencodable);
    m_fill += written;
    done += used;
    if (unencodable) break;
    if (used == 0) {
      // The next character's bytes do not fit in what is left of the buffer.
      if (m_fill == 0) break;
      Flush();
    }
  }
  return done;
}

void COutputWriter::PutAll(const char16_t* units, int32_t count) {
  int32_t done = Put(units, count);
  if (done < count) ThrowUnsupported(units[done]);
}

void COutputWriter::PutSpaces(int32_t count) {
  while (count > 0) {
    int32_t n = count < kSpaceCount ? count : kSpaceCount;
    Put(Core::StringView(kSpaces, n));
    count -= n;
  }
}

void COutputWriter::ThrowUnsupported(char16_t unit) {
  throw CWriterException(CWriterException::kUnsupportedCharacter, Core::String(1, unit));
}

void COutputWriter::PutVerbatim(const char16_t* units, int32_t count) {
  // Names are short and mostly ASCII: copy that part straight into the buffer.
  if (m_asciiBytes && count <= kBufferSize - m_fill) {
    uint8_t* out = m_buffer.get() + m_fill;
    int32_t i = 0;
    while (i < count && units[i] < 0x80) {
      out[i] = static_cast<uint8_t>(units[i]);
      ++i;
    }
    m_fill += i;
    units += i;
    count -= i;
  }
  PutAll(units, count);
}

const char16_t* COutputWriter::PutReferences(const char16_t* units, const char16_t* end) {
  int32_t stretch = m_encoder->CountUnencodable(units, static_cast<int32_t>(end - units));
  if (stretch < 1) stretch = 1;
  const char16_t* stop = units + stretch;
  char16_t ref[16];
  while (units < stop) {
    char16_t c = *units++;
    uint32_t cp = c;
    // Where pairs are representable a surrogate is here only for want of its
    // partner, and no reference could stand for it.
    if (m_pairsEncodable) ThrowUnsupported(c);
    if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
      // A surrogate needs the unit after it; at the end of the stretch there is none.
      if (units == stop) throw CWriterException(CWriterException::kInvalidSurrogatePair);
      if (!IsHighSurrogate(c) || !IsLowSurrogate(*units)) ThrowUnsupported(c);
      cp = 0x10000 + ((cp - 0xD800) << 10) + (*units++ - 0xDC00);
    }
    // "&#" digits ";" assembled backwards
    int32_t pos = 16;
    ref[--pos] = u';';
    do {
      ref[--pos] = static_cast<char16_t>(u'0' + cp % 10);
      cp /= 10;
    } while (cp);
    ref[--pos] = u'#';
    ref[--pos] = u'&';
    Put(Core::StringView(ref + pos, 16 - pos));
  }
  return stop;
}

void COutputWriter::PutRun(const char16_t* units, const char16_t* end) {
  while (units < end) {
    units += Put(units, static_cast<int32_t>(end - units));
    if (units < end) units = PutReferences(units, end);
  }
}

void COutputWriter::PutEscaped(const char16_t* units, int32_t count, EEscape mode) {
  if (count <= 0) return;
  const CEscapeTable& table = TableOf(static_cast<int>(mode));
  const bool htmlAttribute = mode == EEscape::kHtmlAttribute;
  const char16_t* end = units + count;
  const char16_t* run = units;
  const char16_t* p = units;
  while (p < end) {
    char16_t c = *p;
    if (c < 0x80) {
      const char16_t* replacement = table[c];
      if (!replacement || (htmlAttribute && c == u'&' && p + 1 < end && p[1] == u'{')) {
        ++p;
        continue;
      }
      PutRun(run, p);
      Put(Core::StringView(replacement));
      run = ++p;
    } else {
      ++p;
    }
  }
  PutRun(run, end);
}

bool COutputWriter::PutCdata(const char16_t* units, int32_t count) {
  const char16_t* end = units + count;
  const char16_t* run = units;
  const char16_t* p = units;
  int brackets = m_cdataBrackets;
  bool open = true;
  // Writes [run, to) into the section, leaving it to write references.
  auto flushRun = [&](const char16_t* to) {
    while (run < to) {
      if (!open) {
        Put(u"<![CDATA[");
        open = true;
      }
      run += Put(run, static_cast<int32_t>(to - run));
      if (run < to) {
        Put(u"]]>");
        open = false;
        run = PutReferences(run, to);
      }
    }
  };
  while (p < end) {
    char16_t c = *p;
    if (c == u']') {
      if (brackets < 2) ++brackets;
      ++p;
      continue;
    }
    if (c == u'>' && brackets == 2) {
      // "]]>" would end the section: end it after "]]" and put '>' in a new one.
      flushRun(p);
      if (open) Put(u"]]><![CDATA[");
      brackets = 0;
      ++p;
      continue;
    }
    brackets = 0;
    ++p;
  }
  flushRun(end);
  m_cdataBrackets = open ? brackets : 0;
  return open;
}

void COutputWriter::PutCommentText(Core::StringView text) {
  size_t n = text.size();
  size_t i = 0;
  size_t run = 0;
  for (; i < n; ++i) {
    if (text[i] == u'-' && (i + 1 == n || text[i + 1] == u'-')) {
      PutVerbatim(text.substr(run, i + 1 - run));
      Put(u" ");
      run = i + 1;
    }
  }
  PutVerbatim(text.substr(run));
}

void COutputWriter::PutProcessingInstructionData(Core::StringView data) {
  size_t n = data.size();
  size_t run = 0;
  for (size_t i = 0; i + 1 < n; ++i) {
    if (data[i] == u'?' && data[i + 1] == u'>') {
      PutVerbatim(data.substr(run, i + 1 - run));
      Put(u" ");
      run = i + 1;
    }
  }
  PutVerbatim(data.substr(run));
}

} // namespace XmlWriter
