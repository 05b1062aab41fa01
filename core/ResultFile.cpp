#include "core/ResultFile.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace Core {

namespace {

std::mutex g_watchLock;
std::vector<CResultFile*> g_watching;
std::atomic<int> g_watchCount{0};

int OpenFile(const std::string& path, int flags, mode_t mode = 0) {
  int fd;
  do {
    fd = ::open(path.c_str(), flags | O_CLOEXEC, mode);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

// The last part of the name followed through links, a relative link read
// from the link's folder. A name that does not exist stands for itself.
bool FollowLinks(std::string& path) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0) return errno == ENOENT;
    if (!S_ISLNK(st.st_mode)) return true;
    std::string target(size_t(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
    for (;;) {
      ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
      if (n < 0) return false;
      if (size_t(n) < target.size()) {
        target.resize(size_t(n));
        break;
      }
      target.resize(target.size() * 2);  // the link changed under us
    }
    if (target.empty()) return false;
    if (target[0] != '/') target = path.substr(0, path.rfind('/') + 1) + target;
    path = target;
  }
  return false;
}

uint64_t NextRandom() {
  static std::atomic<uint64_t> counter{0};
  timespec now{};
  ::clock_gettime(CLOCK_REALTIME, &now);
  uint64_t x = (uint64_t(::getpid()) << 32) ^ uint64_t(now.tv_nsec) ^ (uint64_t(now.tv_sec) << 20) ^
               (++counter * 0x9E3779B97F4A7C15ull);
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

// A new file named after the base in the folder (which ends with "/" or is
// empty), opened for reading and writing; -1 when none can be made.
int CreateUnique(const std::string& folder, const std::string& base, std::string& path) {
  // Room for the suffix within the usual limit of 255 bytes a name.
  std::string stem = base.substr(0, 200);
  while (!stem.empty() && (static_cast<unsigned char>(stem.back()) & 0xC0) == 0x80) stem.pop_back();
  if (!stem.empty() && static_cast<unsigned char>(stem.back()) >= 0xC0) stem.pop_back();
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  for (int attempt = 0; attempt < 100; ++attempt) {
    uint64_t random = NextRandom();
    std::string suffix;
    for (int i = 0; i < 8; ++i, random /= 36) suffix += kLetters[random % 36];
    path = folder + "." + stem + "." + suffix + ".tmp";
    int fd = OpenFile(path, O_RDWR | O_CREAT | O_EXCL, 0666);
    if (fd >= 0) return fd;
    if (errno != EEXIST) break;
  }
  path.clear();
  return -1;
}

// A file without a name in the folder of temporary files.
int CreateAnonymous() {
  const char* folder = std::getenv("TMPDIR");
  std::string dir = folder && *folder ? folder : "/tmp";
  int fd = OpenFile(dir, O_RDWR | O_TMPFILE, 0600);
  if (fd >= 0) return fd;
  std::string path;
  fd = CreateUnique(dir + "/", "result", path);
  if (fd >= 0) ::unlink(path.c_str());
  return fd;
}

bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= size_t(n);
  }
  return true;
}

// Replaces the content of the target with the whole of the source.
bool CopyInto(int source, int target) {
  if (::lseek(source, 0, SEEK_SET) != 0 || ::ftruncate(target, 0) != 0 || ::lseek(target, 0, SEEK_SET) != 0)
    return false;
  std::vector<char> buffer(1 << 16);
  for (;;) {
    ssize_t n = ::read(source, buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    if (!WriteAll(target, buffer.data(), size_t(n))) return false;
  }
}

} // namespace

void NoteFileRead(uint64_t device, uint64_t inode) {
  if (g_watchCount.load(std::memory_order_relaxed) == 0) return;
  std::lock_guard<std::mutex> lock(g_watchLock);
  for (CResultFile* result : g_watching) result->m_read.emplace(device, inode);
}

CResultFile::CResultFile() {
  std::lock_guard<std::mutex> lock(g_watchLock);
  g_watching.push_back(this);
  g_watchCount.fetch_add(1, std::memory_order_relaxed);
  m_watching = true;
}

CResultFile::~CResultFile() {
  if (IsCreated()) Finish(false);
  if (m_watching) {
    std::lock_guard<std::mutex> lock(g_watchLock);
    g_watching.erase(std::find(g_watching.begin(), g_watching.end(), this));
    g_watchCount.fetch_sub(1, std::memory_order_relaxed);
  }
}

bool CResultFile::Create(StringView path) {
  if (m_mode != ModeNone || path.find(u'\0') != StringView::npos) return false;
  std::string name;
  if (!StringToUtf8(path, name)) return false;

  struct stat old;
  bool exists = ::stat(name.c_str(), &old) == 0;
  if (!exists && errno != ENOENT) return false;
  if (exists && S_ISDIR(old.st_mode)) return false;
  if (exists && !S_ISREG(old.st_mode)) {
    // A device or a pipe holds no file to replace.
    int fd = OpenFile(name, O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (fd < 0) return false;
    Adopt(fd);
    m_mode = ModeDirect;
    return true;
  }
  // Only a file the run could have truncated may be replaced.
  int targetFd = exists ? OpenFile(name, O_WRONLY | O_NOCTTY) : -1;
  if (exists && targetFd < 0) return false;

  // The file to replace, and a new one beside it. A name whose links cannot
  // be followed as text (those of /proc) leaves the result to be copied in.
  std::string target = name;
  bool beside = FollowLinks(target);
  struct stat found;
  if (beside && exists)
    beside = ::stat(target.c_str(), &found) == 0 && found.st_dev == old.st_dev && found.st_ino == old.st_ino;
  if (!beside && !exists) return false;
  std::string temp;
  int fd = -1;
  if (beside) {
    size_t slash = target.rfind('/');
    std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    std::string base = target.substr(folder.size());
    if (!base.empty()) fd = CreateUnique(folder, base, temp);
    if (fd < 0 && !exists) return false;
  }

  bool copy = exists && old.st_nlink > 1;
  if (fd >= 0 && exists && !copy) {
    struct stat mine;
    if (::fstat(fd, &mine) != 0) copy = true;
    else if ((mine.st_uid != old.st_uid || mine.st_gid != old.st_gid) && ::fchown(fd, old.st_uid, old.st_gid) != 0)
      copy = true;
    else if (::fchmod(fd, old.st_mode & 07777) != 0) copy = true;
  }
  if (fd < 0) {
    fd = CreateAnonymous();
    if (fd < 0) {
      // Nowhere for the result to wait: written in place, as opened.
      if (::ftruncate(targetFd, 0) != 0) {
        ::close(targetFd);
        return false;
      }
      Adopt(targetFd);
      m_mode = ModeDirect;
      return true;
    }
    copy = true;
  }
  Adopt(fd);
  m_target = target;
  m_temp = temp;
  if (copy) {
    m_targetFd = targetFd;
    m_mode = ModeCopy;
  } else {
    if (targetFd >= 0) ::close(targetFd);
    m_mode = ModeRename;
  }
  return true;
}

bool CResultFile::TargetWasRead() const {
  struct stat st;
  bool known = m_mode == ModeCopy ? ::fstat(m_targetFd, &st) == 0 : ::stat(m_target.c_str(), &st) == 0;
  return known && m_read.count({uint64_t(st.st_dev), uint64_t(st.st_ino)}) != 0;
}

bool CResultFile::Commit() { return IsCreated() ? Finish(true) : false; }

void CResultFile::Abandon() {
  if (IsCreated()) Finish(!TargetWasRead());
}

bool CResultFile::Finish(bool place) {
  bool done = true;
  switch (m_mode) {
  case ModeDirect:
    done = Close();
    break;
  case ModeRename:
    done = Close() && place && ::rename(m_temp.c_str(), m_target.c_str()) == 0;
    if (!done) ::unlink(m_temp.c_str());
    break;
  case ModeCopy:
    done = place && CopyInto(Descriptor(), m_targetFd);
    done = ::close(m_targetFd) == 0 && done;
    m_targetFd = -1;
    Close();
    if (!m_temp.empty()) ::unlink(m_temp.c_str());
    break;
  default:
    break;
  }
  m_mode = ModeFinished;
  return done;
}

} // namespace Core
