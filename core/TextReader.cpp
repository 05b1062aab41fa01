#include "core/TextReader.h"

#include "core/ResultFile.h"

#include <algorithm>
#include <cstring>
#include <string>

#include <sys/stat.h>

namespace Core {

CTextReader::~CTextReader() {
  if (m_file) std::fclose(m_file);
}

bool CTextReader::Open(StringView path, StringView mode, Unicode::CEncoding* encoding) {
  if (m_file) {
    m_status = StatusAlreadyOpen;
    return false;
  }
  if (encoding && mode.find_first_of(u"+b") != StringView::npos) {
    m_status = StatusBadMode;
    return false;
  }
  std::string narrowPath;
  if (path.find(char16_t(0)) != StringView::npos || !StringToUtf8(path, narrowPath)) {
    m_status = StatusBadPath;
    return false;
  }
  std::string narrowMode;
  for (char16_t c : mode) {
    if (c > 0xFF || c == 0) {
      m_status = StatusBadMode;
      return false;
    }
    narrowMode += static_cast<char>(c);
  }
  if (encoding) narrowMode += 'b';

  std::FILE* file = std::fopen(narrowPath.c_str(), narrowMode.c_str());
  if (!file) return false;
  // A folder opens for reading on Linux and would read as an empty file.
  struct stat st;
  if (::fstat(::fileno(file), &st) != 0 || S_ISDIR(st.st_mode)) {
    std::fclose(file);
    return false;
  }
  NoteFileRead(uint64_t(st.st_dev), uint64_t(st.st_ino));
  m_file = file;
  m_encoding = encoding;
  // Text mode elsewhere turns CR LF into LF; here the reader does it.
  m_foldLineEnds = !encoding && mode.find(u'b') == StringView::npos;
  m_atEnd = false;
  m_bytes = std::make_unique<uint8_t[]>(kByteCapacity);
  m_chars = std::make_unique<char16_t[]>(kCharCapacity);
  m_byteCount = m_bytePosition = m_charCount = m_charPosition = 0;
  m_charsRead = 0;
  m_tooLong = false;
  return true;
}

bool CTextReader::DropByteOrderMark() {
  if (!m_file || m_byteCount != 0 || m_charCount != 0) return true;
  // Enough bytes to see a mark; a pipe may hand them over one by one.
  while (m_byteCount < 3 && !m_atEnd) {
    size_t got = std::fread(m_bytes.get() + m_byteCount, 1, static_cast<size_t>(kByteCapacity - m_byteCount), m_file);
    if (got == 0) m_atEnd = true;
    m_byteCount += static_cast<int32_t>(got);
  }
  const uint8_t* b = m_bytes.get();
  bool utf8Mark = m_byteCount >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF;
  bool bigEndianMark = m_byteCount >= 2 && b[0] == 0xFE && b[1] == 0xFF;
  bool littleEndianMark = m_byteCount >= 2 && b[0] == 0xFF && b[1] == 0xFE;
  bool utf16 = dynamic_cast<Unicode::CUtf16Encoding*>(m_encoding.Get()) != nullptr;
  bool utf8 = !m_encoding || dynamic_cast<Unicode::CUtf8Encoding*>(m_encoding.Get()) != nullptr;
  if (utf16) {
    if (utf8Mark) return false;
    if (bigEndianMark || littleEndianMark) {
      m_encoding = new Unicode::CUtf16Encoding(bigEndianMark);
      m_bytePosition = 2;
    }
  } else if (utf8) {
    // Narrow text has no encoding to contradict: only its own mark counts.
    if (m_encoding && (bigEndianMark || littleEndianMark)) return false;
    if (utf8Mark) m_bytePosition = 3;
  }
  return true;
}

bool CTextReader::Close() {
  if (!m_file) {
    m_status = StatusNotOpen;
    return false;
  }
  bool closed = std::fclose(m_file) == 0;
  m_file = nullptr;
  m_bytes.reset();
  m_chars.reset();
  m_byteCount = m_bytePosition = m_charCount = m_charPosition = 0;
  return closed;
}

// Decodes what the byte buffer holds. A sequence cut off by the end of the
// input becomes one U+FFFD rather than vanishing.
int32_t CTextReader::DecodeSome(bool atEnd) {
  const uint8_t* bytes = m_bytes.get() + m_bytePosition;
  int32_t available = m_byteCount - m_bytePosition;
  int32_t consumed = 0;
  bool incomplete = false;
  int32_t n = m_encoding->DecodeReplacing(bytes, available, consumed, m_chars.get(), kCharCapacity, incomplete);
  m_bytePosition += consumed;
  if (n == 0 && atEnd && m_bytePosition < m_byteCount) {
    m_chars[n++] = 0xFFFD;
    m_bytePosition = m_byteCount;
  }
  return n;
}

// One character per byte, zero-extended. A CR directly before an LF is
// dropped; a CR that ends the bytes read so far waits for the next byte.
int32_t CTextReader::WidenSome(bool atEnd) {
  const uint8_t* bytes = m_bytes.get();
  char16_t* out = m_chars.get();
  int32_t i = m_bytePosition, n = 0;
  while (i < m_byteCount && n < kCharCapacity) {
    uint8_t b = bytes[i];
    if (b == '\r' && m_foldLineEnds) {
      if (i + 1 == m_byteCount) {
        if (!atEnd) break;
      } else if (bytes[i + 1] == '\n') {
        ++i;
        continue;
      }
    }
    out[n++] = b;
    ++i;
  }
  m_bytePosition = i;
  return n;
}

bool CTextReader::FillBuffer() {
  if (m_tooLong) return false;
  for (;;) {
    int32_t n = m_encoding ? DecodeSome(m_atEnd) : WidenSome(m_atEnd);
    if (n > 0) {
      m_charsRead += n;
      if (m_limit >= 0 && m_charsRead > m_limit) {
        m_tooLong = true;
        m_status = StatusTooLong;
        m_byteCount = m_bytePosition = m_charCount = m_charPosition = 0;
        return false;
      }
      m_charCount = n;
      m_charPosition = 0;
      return true;
    }
    if (m_atEnd) {
      m_byteCount = m_bytePosition = m_charCount = m_charPosition = 0;
      return false;
    }
    // Keep the undecoded tail (a cut sequence or a lone CR) and read behind it.
    int32_t kept = m_byteCount - m_bytePosition;
    if (kept > 0) std::memmove(m_bytes.get(), m_bytes.get() + m_bytePosition, static_cast<size_t>(kept));
    size_t got = std::fread(m_bytes.get() + kept, 1, static_cast<size_t>(kByteCapacity - kept), m_file);
    m_byteCount = kept + static_cast<int32_t>(got);
    m_bytePosition = 0;
    if (got == 0) m_atEnd = true;
  }
}

String CTextReader::ReadLine() {
  String line;
  if (!m_file) {
    m_status = StatusNotOpen;
    return line;
  }
  for (;;) {
    if (m_charPosition == m_charCount && !FillBuffer()) break;
    const char16_t* start = m_chars.get() + m_charPosition;
    size_t available = static_cast<size_t>(m_charCount - m_charPosition);
    const char16_t* feed = std::char_traits<char16_t>::find(start, available, u'\n');
    size_t take = feed ? static_cast<size_t>(feed - start) + 1 : available;
    // By count: a U+0000 in the line is text like any other.
    line.append(start, take);
    m_charPosition += static_cast<int32_t>(take);
    if (feed) break;
  }
  return line;
}

String CTextReader::Read(int32_t count) {
  String text;
  if (!m_file) {
    m_status = StatusNotOpen;
    return text;
  }
  while (count > 0) {
    if (m_charPosition == m_charCount && !FillBuffer()) break;
    int32_t take = std::min(count, m_charCount - m_charPosition);
    text.append(m_chars.get() + m_charPosition, static_cast<size_t>(take));
    m_charPosition += take;
    count -= take;
  }
  return text;
}

} // namespace Core
