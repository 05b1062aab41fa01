#include <algorithm>
#include <climits>
#include <cstring>

#include "core/FileStream.h"
#include "core/Uri.h"
#include "xml/parser/Parser.h"

namespace XmlParserPrivate {

// Input source record ----------------------------------------------------------

CInputSource::CInputSource() = default;
CInputSource::~CInputSource() = default;

void CInputSource::SetByteStream(const Core::XInterface<Core::IStream>& stream) { m_byteStream = stream; }
void CInputSource::SetCharacterStream(const Core::XInterface<Core::IUnicodeStream>& stream) {
  m_charStream = stream;
}

// Document entity reader -------------------------------------------------------

namespace {
constexpr int32_t kFirstByteBufferSize = 4 * 1024;
constexpr int32_t kByteBufferSize = 64 * 1024;
} // namespace

CInputSourceReader::CInputSourceReader(CParser& parser, CInputSource* source) : m_parser(parser), m_source(source) {
  if (source->GetCharacterStream()) {
    m_charStream = source->GetCharacterStream();
  } else if (source->GetByteStream()) {
    m_byteStream = source->GetByteStream();
  } else {
    Core::String fileName;
    if (!Uri::UrlToFileName(source->GetSystemId(), fileName)) throw CInputSourceException();
    Core::XInterface<Core::CFileStream> file = Core::Make<Core::CFileStream>();
    if (!file->Open(fileName, Core::FileModeInput)) throw CInputSourceException();
    m_byteStream = file;
  }
  m_chosen = parser.GetCurrentEncoding();
  if (m_byteStream) {
    m_byteCapacity = kFirstByteBufferSize;
    m_bytes.reset(new uint8_t[size_t(m_byteCapacity)]);
  }
}

bool CInputSourceReader::Fill() {
  if (m_filledAll && m_byteCapacity < kByteBufferSize) {
    int32_t capacity = std::min(2 * m_byteCapacity, kByteBufferSize);
    std::unique_ptr<uint8_t[]> bytes(new uint8_t[size_t(capacity)]);
    std::memcpy(bytes.get(), m_bytes.get() + m_bytePos, static_cast<size_t>(m_byteCount - m_bytePos));
    m_bytes = std::move(bytes);
    m_byteCapacity = capacity;
    m_byteCount -= m_bytePos;
    m_bytePos = 0;
  } else if (m_bytePos > 0) {
    std::memmove(m_bytes.get(), m_bytes.get() + m_bytePos, static_cast<size_t>(m_byteCount - m_bytePos));
    m_byteCount -= m_bytePos;
    m_bytePos = 0;
  }
  m_filledAll = false;
  if (m_byteCount >= m_byteCapacity) return true;
  int32_t wanted = m_byteCapacity - m_byteCount;
  int32_t n = m_byteStream->Read(m_bytes.get() + m_byteCount, wanted);
  if (n <= 0) return false;  // a failed read counts as the end
  m_byteCount += n;
  m_filledAll = n == wanted;
  return true;
}

int32_t CInputSourceReader::Read(char16_t* units, int32_t max) {
  if (m_charStream) return m_charStream->Read(units, max);
  if (!m_chosen) {
    m_chosen = m_parser.GetCurrentEncoding();
    if (!m_chosen) {
      if (m_detecting) return Detect(units);
      if (!m_parser.IsDeclarationSettled()) return DecodeOne(*m_detected, units);
      m_chosen = m_detected;
    }
    m_detected = nullptr;
  }
  if (m_detecting) {
    // A named encoding is used from the first byte; only a UTF-8 mark is
    // passed over, as editors write it.
    m_detecting = false;
    while (m_byteCount < 3 && Fill()) {
    }
    if (m_byteCount >= 3 && m_bytes[0] == 0xEF && m_bytes[1] == 0xBB && m_bytes[2] == 0xBF &&
        m_chosen->GetName() == u"UTF-8") {
      m_bytePos = 3;
    }
  }
  return Decode(*m_chosen, units, max);
}

int32_t CInputSourceReader::Detect(char16_t* units) {
  m_detecting = false;
  if (!Fill()) return 0;
  // A stream may hand out fewer bytes than a byte-order mark has.
  while (m_byteCount < 3 && Fill()) {
  }
  const uint8_t* b = m_bytes.get();
  if (m_byteCount >= 2 && b[0] == 0xFE && b[1] == 0xFF) {
    m_detected = Core::Make<Unicode::CUtf16Encoding>(true);
    m_bytePos = 2;
    m_marked = true;
  } else if (m_byteCount >= 2 && b[0] == 0xFF && b[1] == 0xFE) {
    m_detected = Core::Make<Unicode::CUtf16Encoding>(false);
    m_bytePos = 2;
    m_marked = true;
  } else {
    m_detected = Core::Make<Unicode::CUtf8Encoding>();
    if (m_byteCount >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) {
      m_bytePos = 3;
      m_marked = true;
    }
  }
  return DecodeOne(*m_detected, units);
}

// Until the XML declaration is settled, one character at a time, so that no
// byte after it is decoded before its encoding is known.
int32_t CInputSourceReader::DecodeOne(const Unicode::CEncoding& encoding, char16_t* units) {
  int32_t n = Decode(encoding, units, 1);
  if (n == 0 && m_bytePos < m_byteCount) n = Decode(encoding, units, 2);  // a surrogate pair
  return n;
}

namespace {

// How many of the UTF-16 units are whole characters: up to an unpaired
// surrogate (bad set) or a high surrogate whose partner is not decoded yet.
int32_t WholeCharacters(const char16_t* units, int32_t count, bool& bad) {
  bad = false;
  int32_t i = 0;
  while (i < count) {
    char16_t u = units[i];
    if (u < 0xD800 || u > 0xDFFF) {
      ++i;
    } else if (u >= 0xDC00 || (i + 1 < count && (units[i + 1] < 0xDC00 || units[i + 1] > 0xDFFF))) {
      bad = true;
      break;
    } else if (i + 1 == count) {
      break;
    } else {
      i += 2;
    }
  }
  return i;
}

} // namespace

int32_t CInputSourceReader::Decode(const Unicode::CEncoding& encoding, char16_t* units, int32_t max) {
  // UTF-8 rejects encoded surrogates itself; in UTF-16 a lone one is as
  // malformed as a bad byte.
  const bool pairs = dynamic_cast<const Unicode::CUtf16Encoding*>(&encoding) != nullptr;
  int32_t total = 0;
  while (total < max) {
    if (m_bytePos >= m_byteCount && !Fill()) break;
    int32_t consumed = 0, malformed = 0;
    bool incomplete = false;
    int32_t n = encoding.Decode(m_bytes.get() + m_bytePos, m_byteCount - m_bytePos, consumed, units + total,
                                max - total, incomplete, malformed);
    if (pairs) {
      bool bad = false;
      int32_t whole = WholeCharacters(units + total, n, bad);
      if (whole < n) {
        total += whole;
        m_bytePos += 2 * whole;
        // A high surrogate waits for its partner unless the input ends first.
        if (!bad && max - total < 2) break;
        if (!bad && (m_byteCount - m_bytePos >= 4 || Fill())) continue;
        if (total > 0) break;
        m_parser.ThrowError(ErrorBadEncoding);
      }
    }
    total += n;
    m_bytePos += consumed;
    if (malformed) {
      // The units before it are delivered first, so that the error is raised
      // where the bad bytes stand.
      if (total > 0) break;
      m_parser.ThrowError(ErrorBadEncoding);
    }
    if (incomplete) {
      if (!Fill()) {
        // The stream ended inside a sequence.
        if (total > 0) break;
        m_parser.ThrowError(ErrorBadEncoding);
      }
      continue;
    }
    if (n == 0) break;
  }
  return total;
}

// Locator ---------------------------------------------------------------------

Core::StringView CLocator::GetPublicId() const { return m_parser.GetPublicId(); }
Core::StringView CLocator::GetSystemId() const { return m_parser.GetSystemId(); }
namespace {
// Past the largest number the locator can report, it reports that number.
int32_t Reported(int64_t n) { return n > INT32_MAX ? INT32_MAX : static_cast<int32_t>(n); }
} // namespace

int32_t CLocator::GetColumnNumber() const {
  const CReaderRec* r = m_parser.GetTokenizer().GetBottom();
  return r ? Reported(r->column) : 0;
}
int32_t CLocator::GetLineNumber() const {
  const CReaderRec* r = m_parser.GetTokenizer().GetBottom();
  return r ? Reported(r->line) : 0;
}

} // namespace XmlParserPrivate
