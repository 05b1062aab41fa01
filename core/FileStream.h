#pragma once
// A byte stream over a file. The file is closed when the last holder
// releases the stream.
#include <string>

#include "core/Stream.h"
#include "core/String.h"

namespace Core {

// Mode flags of CFileStream::Open.
enum : uint32_t {
  FileWrite = 0x01,
  FileAppend = 0x02,
  FileRead = 0x04,  // documents the intent; it does not change the mode
  FileUpdate = 0x08,
  FileWriteOnly = 0x10,  // no "+" after "w" or "a"; alone it gives "a"
  FileBinary = 0x40,
  FileModeResult = FileWrite | FileWriteOnly | FileBinary,  // "wb": created or truncated
  FileModeInput = FileRead | FileBinary,                 // "rb"
};

class CFileStream : public IStream {
public:
  CFileStream() = default;
  ~CFileStream() override;
  CFileStream(const CFileStream&) = delete;
  CFileStream& operator=(const CFileStream&) = delete;

  // The C-runtime mode string of the flags: "r", "w" or "a", then "+" for
  // update, then "b" or "t".
  static std::string ModeString(uint32_t flags);

  // False when the file cannot be opened (a directory cannot), or when the
  // path cannot be given to the operating system (it holds U+0000 or an
  // unpaired surrogate). Opened once.
  bool Open(StringView path, uint32_t flags);
  bool IsOpen() const { return m_fd >= 0; }

  // Unbuffered: a failed or short write shows in Write's result at once.
  int32_t Read(uint8_t* buffer, int32_t count) override;
  int32_t Write(const uint8_t* buffer, int32_t count) override;
  // 0 on success, -1 on failure; an unknown origin counts from the start.
  int32_t Seek(int32_t offset, int32_t origin) override;
  // -1 when the position is unknown or does not fit 31 bits.
  int32_t Tell() override;

protected:
  // For streams that open their file another way.
  int Descriptor() const { return m_fd; }
  void Adopt(int fd) { m_fd = fd; }
  // True when there was nothing to close or the system closed it.
  bool Close();

private:
  int m_fd = -1;
};

} // namespace Core
