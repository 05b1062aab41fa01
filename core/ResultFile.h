#pragma once
// The file a transformation writes its result into. The result is written
// into a new file beside the one named and takes its name only when the run
// is over, so that until then a file of that name stays whole: the run may
// still have to read it.
//
// Only the file changes hands: a link named as the result keeps pointing
// where it did (the file it points to is replaced), an existing file keeps
// its owner and permission bits, and a file that has other links, or whose
// folder cannot be written or whose owner cannot be kept, is overwritten in
// place at the end instead (the result waits in a temporary file until
// then). A device or a pipe is written directly.
#include <cstdint>
#include <set>
#include <string>
#include <utility>

#include "core/FileStream.h"

namespace Core {

class CResultFile : public CFileStream {
public:
  // From its construction the result notes every file opened for reading,
  // until it is finished: a failed run must not replace a file it read.
  CResultFile();
  // A result neither committed nor abandoned leaves no trace.
  ~CResultFile() override;

  // False, with nothing created, where opening the name for writing would
  // fail: a missing or unwritable folder, a folder as the name, an existing
  // file that cannot be written.
  bool Create(StringView path);
  bool IsCreated() const { return m_mode != ModeNone && m_mode != ModeFinished; }

  // The run succeeded: the result takes the name. False when it cannot (the
  // result is then removed and the old file left as it was).
  bool Commit();
  // The run failed: what was written takes the name all the same, unless the
  // file of that name is one the run read; that file is then left whole and
  // the partial result removed.
  void Abandon();

private:
  enum Mode { ModeNone, ModeDirect, ModeRename, ModeCopy, ModeFinished };

  bool Finish(bool place);
  bool TargetWasRead() const;

  Mode m_mode = ModeNone;
  std::string m_target;  // the file the name stands for, links followed
  std::string m_temp;    // the named temporary file; empty when unnamed
  int m_targetFd = -1;   // the target opened for writing (ModeCopy)
  std::set<std::pair<uint64_t, uint64_t>> m_read;  // device and inode of files read
  bool m_watching = false;

  friend void NoteFileRead(uint64_t device, uint64_t inode);
};

// Told by the readers of core whenever a file is opened for reading.
void NoteFileRead(uint64_t device, uint64_t inode);

} // namespace Core
