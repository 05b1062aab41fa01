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
};

} // namespace Core
