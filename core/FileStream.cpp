#include "core/FileStream.h"

#include "core/ResultFile.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Core {

CFileStream::~CFileStream() {
  if (m_fd >= 0) ::close(m_fd);
}

std::string CFileStream::ModeString(uint32_t flags) {
  char first = (flags & FileWrite) ? ((flags & FileAppend) ? 'a' : 'w') : ((flags & FileWriteOnly) ? 'a' : 'r');
  std::string mode(1, first);
  if (first == 'r' ? (flags & FileUpdate) != 0 : (flags & FileWriteOnly) == 0) mode += '+';
  mode += (flags & FileBinary) ? 'b' : 't';
  return mode;
}

bool CFileStream::Open(StringView path, uint32_t flags) {
  if (m_fd >= 0 || path.find(u'\0') != StringView::npos) return false;
  std::string name;
  if (!StringToUtf8(path, name)) return false;

  std::string mode = ModeString(flags);
  bool update = mode[1] == '+';
  int oflags = O_CLOEXEC;
  switch (mode[0]) {
    case 'r': oflags |= update ? O_RDWR : O_RDONLY; break;
    case 'w': oflags |= (update ? O_RDWR : O_WRONLY) | O_CREAT | O_TRUNC; break;
    default: oflags |= (update ? O_RDWR : O_WRONLY) | O_CREAT | O_APPEND; break;
  }
  int fd;
  do {
    fd = ::open(name.c_str(), oflags, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return false;
  struct stat st;
  if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    ::close(fd);
    return false;
  }
  m_fd = fd;
  if (mode[0] == 'r') NoteFileRead(uint64_t(st.st_dev), uint64_t(st.st_ino));
  return true;
}

bool CFileStream::Close() {
  if (m_fd < 0) return true;
  int fd = m_fd;
  m_fd = -1;
  // Linux closes the descriptor even when close reports EINTR.
  return ::close(fd) == 0 || errno == EINTR;
}

int32_t CFileStream::Read(uint8_t* buffer, int32_t count) {
  if (m_fd < 0 || count <= 0) return 0;
  int32_t total = 0;
  while (total < count) {
    ssize_t n = ::read(m_fd, buffer + total, static_cast<size_t>(count - total));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    total += static_cast<int32_t>(n);
  }
  return total;
}

int32_t CFileStream::Write(const uint8_t* buffer, int32_t count) {
  if (m_fd < 0 || count <= 0) return 0;
  int32_t total = 0;
  while (total < count) {
    ssize_t n = ::write(m_fd, buffer + total, static_cast<size_t>(count - total));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    total += static_cast<int32_t>(n);
  }
  return total;
}

int32_t CFileStream::Seek(int32_t offset, int32_t origin) {
  if (m_fd < 0) return -1;
  int whence = origin == SeekCurrent ? SEEK_CUR : origin == SeekEnd ? SEEK_END : SEEK_SET;
  return ::lseek(m_fd, offset, whence) < 0 ? -1 : 0;
}

int32_t CFileStream::Tell() {
  if (m_fd < 0) return -1;
  off_t position = ::lseek(m_fd, 0, SEEK_CUR);
  if (position < 0 || position > INT32_MAX) return -1;
  return static_cast<int32_t>(position);
}

} // namespace Core
