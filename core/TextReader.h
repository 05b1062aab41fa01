#pragma once
// Reads a text file by lines or runs of characters, as narrow text (one
// character per byte) or decoded through an encoding. Failures are reported
// through a status code, the end of the input through an empty result.
#include <cstdint>
#include <cstdio>
#include <memory>

#include "core/Encoding.h"
#include "core/Interface.h"
#include "core/String.h"

namespace Core {

class CTextReader : public CInterface {
public:
  enum : int32_t {
    StatusNotOpen = 10001,      // ReadLine, Read or Close with nothing open
    StatusAlreadyOpen = 10002,  // Open on an open reader
    StatusBadPath = 10003,      // the path cannot be given to the operating system
    StatusBadMode = 10004,      // "+" or "b" with an encoding, or a mode unit above 0xFF
    StatusTooLong = 10006,      // more characters than the limit (SetLimit)
  };

  CTextReader() = default;
  ~CTextReader() override;
  CTextReader(const CTextReader&) = delete;
  CTextReader& operator=(const CTextReader&) = delete;

  // Opens the file with the C-runtime mode (callers pass "r"). With an
  // encoding the file is read in binary mode and decoded, malformed input
  // giving U+FFFD; without one each byte is one character (U+0000 to U+00FF)
  // and, unless the mode has "b", CR LF reads as LF. False when the file
  // cannot be opened (status unchanged) or for the status reasons above.
  bool Open(StringView path, StringView mode, Unicode::CEncoding* encoding);
  // The next line with its line feed (the last line may lack one); "" at the end.
  String ReadLine();
  // Up to count further characters; "" at the end.
  String Read(int32_t count);
  // Closes the file; true when the system closed it. The encoding stays.
  bool Close();

  // Called right after Open, before anything is read: drops a byte-order
  // mark at the start of the file. EF BB BF is dropped when the text is read
  // as UTF-8 or narrow; under UTF-16, FE FF or FF FE is dropped and sets the
  // byte order (without a mark UTF-16 reads big-endian). False, with nothing
  // dropped, when the file starts with the mark of another encoding than the
  // one it is read with (a UTF-16 mark under UTF-8, a UTF-8 mark under
  // UTF-16). Other encodings have no marks.
  bool DropByteOrderMark();
  // Once more than limit characters came from the file, the input ends and
  // the status becomes StatusTooLong: a device such as /dev/zero never ends.
  void SetLimit(int64_t limit) { m_limit = limit; }
  bool ExceededLimit() const { return m_tooLong; }

  // The code of the last failure; a success leaves it as it was.
  int32_t GetStatus() const { return m_status; }

private:
  static constexpr int32_t kByteCapacity = 16384;
  static constexpr int32_t kCharCapacity = 4096;

  // Makes decoded units available; false at the end of the input.
  bool FillBuffer();
  int32_t DecodeSome(bool atEnd);
  int32_t WidenSome(bool atEnd);

  std::FILE* m_file = nullptr;
  XInterface<Unicode::CEncoding> m_encoding;
  bool m_foldLineEnds = false;
  bool m_atEnd = false;
  std::unique_ptr<uint8_t[]> m_bytes;
  int32_t m_byteCount = 0;
  int32_t m_bytePosition = 0;
  std::unique_ptr<char16_t[]> m_chars;
  int32_t m_charCount = 0;
  int32_t m_charPosition = 0;
  int32_t m_status = 0;
  int64_t m_limit = -1;  // none
  int64_t m_charsRead = 0;
  bool m_tooLong = false;
};

} // namespace Core
