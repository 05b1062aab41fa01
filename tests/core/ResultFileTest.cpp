#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/FileStream.h"
#include "core/ResultFile.h"
#include "core/TextReader.h"

namespace {

namespace fs = std::filesystem;

class ResultFile : public ::testing::Test {
protected:
  void SetUp() override {
    static int serial = 0;
    m_dir = fs::temp_directory_path() / ("kelto-result-" + std::to_string(::getpid()) + "-" + std::to_string(++serial));
    fs::create_directories(m_dir);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::permissions(m_dir, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(m_dir, ignored);
  }

  Core::String PathOf(const std::string& name) const { return Core::FromUtf8((m_dir / name).string()); }
  std::string Contents(const std::string& name) const {
    std::ifstream in(m_dir / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  void Put(const std::string& name, const std::string& text) const {
    std::ofstream(m_dir / name, std::ios::binary) << text;
  }
  static void Write(Core::CResultFile& file, const std::string& text) {
    ASSERT_EQ(file.Write(reinterpret_cast<const uint8_t*>(text.data()), int32_t(text.size())), int32_t(text.size()));
  }
  // The names in the folder, so that a temporary file left behind shows.
  std::vector<std::string> Names(const fs::path& dir) const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  std::vector<std::string> Names() const { return Names(m_dir); }

  fs::path m_dir;
};

using Strings = std::vector<std::string>;

TEST_F(ResultFile, TheOldFileStaysWholeUntilTheResultIsCommitted) {
  Put("out.txt", "old content");
  auto file = Core::Make<Core::CResultFile>();
  ASSERT_TRUE(file->Create(PathOf("out.txt")));
  Write(*file, "new");
  EXPECT_EQ(Contents("out.txt"), "old content");
  EXPECT_TRUE(file->Commit());
  EXPECT_EQ(Contents("out.txt"), "new");
  EXPECT_EQ(Names(), Strings{"out.txt"});
  EXPECT_FALSE(file->IsCreated());
}

TEST_F(ResultFile, ANewFileGetsTheUsualPermissions) {
  mode_t mask = ::umask(022);
  auto file = Core::Make<Core::CResultFile>();
  ASSERT_TRUE(file->Create(PathOf("new.txt")));
  Write(*file, "text");
  EXPECT_TRUE(file->Commit());
  ::umask(mask);
  EXPECT_EQ(Contents("new.txt"), "text");
  struct stat st;
  ASSERT_EQ(::stat((m_dir / "new.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0644u);
}

TEST_F(ResultFile, AnExistingFileKeepsItsPermissionBits) {
  for (mode_t mode : {0600u, 0640u, 0755u, 0604u}) {
    Put("out.txt", "old");
    ASSERT_EQ(::chmod((m_dir / "out.txt").c_str(), mode), 0);
    auto file = Core::Make<Core::CResultFile>();
    ASSERT_TRUE(file->Create(PathOf("out.txt")));
    Write(*file, "new");
    EXPECT_TRUE(file->Commit());
    struct stat st;
    ASSERT_EQ(::stat((m_dir / "out.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, mode);
    EXPECT_EQ(Contents("out.txt"), "new");
  }
}

TEST_F(ResultFile, ALinkKeepsPointingWhereItDid) {
  fs::create_directories(m_dir / "elsewhere");
  Put("elsewhere/target.txt", "old");
  fs::create_symlink("elsewhere/target.txt", m_dir / "link.txt");  // relative to the link's folder
  fs::create_symlink(m_dir / "link.txt", m_dir / "chain.txt");      // a link to the link
  fs::create_symlink("elsewhere/missing.txt", m_dir / "dangling.txt");
  for (const char* name : {"link.txt", "chain.txt", "dangling.txt"}) {
    auto file = Core::Make<Core::CResultFile>();
    ASSERT_TRUE(file->Create(PathOf(name))) << name;
    Write(*file, name);
    EXPECT_TRUE(file->Commit());
    EXPECT_TRUE(fs::is_symlink(m_dir / name)) << name;
    EXPECT_EQ(Contents(name), name);
  }
  EXPECT_EQ(Contents("elsewhere/target.txt"), "chain.txt");
  EXPECT_EQ(Contents("elsewhere/missing.txt"), "dangling.txt");
  EXPECT_EQ(Names(m_dir / "elsewhere"), (Strings{"missing.txt", "target.txt"}));
}

TEST_F(ResultFile, AFileWithOtherLinksStaysOneFileWithThem) {
  Put("out.txt", "old");
  fs::create_hard_link(m_dir / "out.txt", m_dir / "other.txt");
  auto file = Core::Make<Core::CResultFile>();
  ASSERT_TRUE(file->Create(PathOf("out.txt")));
  Write(*file, "new and longer");
  EXPECT_EQ(Contents("out.txt"), "old");
  EXPECT_TRUE(file->Commit());
  EXPECT_EQ(Contents("out.txt"), "new and longer");
  EXPECT_EQ(Contents("other.txt"), "new and longer");
  EXPECT_EQ(Names(), (Strings{"other.txt", "out.txt"}));
}

TEST_F(ResultFile, ADeviceIsWrittenDirectly) {
  if (!fs::exists("/dev/null")) GTEST_SKIP() << "no /dev/null";
  auto file = Core::Make<Core::CResultFile>();
  ASSERT_TRUE(file->Create(u"/dev/null"));
  Write(*file, "gone");
  EXPECT_TRUE(file->Commit());
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

// /dev/stdout and the like: the links of /proc name pipes, or files that no
// longer have a name.
TEST_F(ResultFile, TheLinksOfProcAreWrittenThrough) {
  if (!fs::exists("/proc/self/fd")) GTEST_SKIP() << "no /proc";
  int ends[2];
  ASSERT_EQ(::pipe(ends), 0);
  {
    auto file = Core::Make<Core::CResultFile>();
    ASSERT_TRUE(file->Create(Core::FromUtf8("/proc/self/fd/" + std::to_string(ends[1]))));
    Write(*file, "piped");
    EXPECT_TRUE(file->Commit());
  }
  ::close(ends[1]);
  char got[16] = {};
  EXPECT_EQ(::read(ends[0], got, sizeof got), 5);
  EXPECT_EQ(std::string(got), "piped");
  ::close(ends[0]);

  Put("gone.txt", "old");
  int fd = ::open((m_dir / "gone.txt").c_str(), O_RDWR);
  ASSERT_GE(fd, 0);
  fs::remove(m_dir / "gone.txt");
  auto file = Core::Make<Core::CResultFile>();
  ASSERT_TRUE(file->Create(Core::FromUtf8("/proc/self/fd/" + std::to_string(fd))));
  Write(*file, "new");
  EXPECT_TRUE(file->Commit());
  EXPECT_EQ(::pread(fd, got, sizeof got, 0), 3);
  EXPECT_EQ(std::string(got, 3), "new");
  ::close(fd);
  EXPECT_TRUE(Names().empty());
}

TEST_F(ResultFile, AFailedRunLeavesItsPartialResultOverAFileItDidNotRead) {
  Put("out.txt", "old");
  Put("input.txt", "input");
  auto file = Core::Make<Core::CResultFile>();
  auto in = Core::Make<Core::CFileStream>();
  ASSERT_TRUE(in->Open(PathOf("input.txt"), Core::FileModeInput));
  ASSERT_TRUE(file->Create(PathOf("out.txt")));
  Write(*file, "part");
  file->Abandon();
  EXPECT_EQ(Contents("out.txt"), "part");
  EXPECT_EQ(Names(), (Strings{"input.txt", "out.txt"}));

  auto fresh = Core::Make<Core::CResultFile>();
  ASSERT_TRUE(fresh->Create(PathOf("new.txt")));
  Write(*fresh, "part");
  fresh->Abandon();
  EXPECT_EQ(Contents("new.txt"), "part");
}

TEST_F(ResultFile, AFailedRunLeavesAFileItReadWhole) {
  Put("data.txt", "data");
  fs::create_symlink("data.txt", m_dir / "alias.txt");
  // Read before the result is created, or after; by its name or another;
  // as bytes or as text.
  struct Case {
    const char* read;
    const char* result;
    bool text;
    bool readFirst;
  } cases[] = {
      {"data.txt", "data.txt", false, true},
      {"data.txt", "data.txt", false, false},
      {"alias.txt", "data.txt", false, true},
      {"data.txt", "alias.txt", true, false},
  };
  for (const Case& c : cases) {
    auto file = Core::Make<Core::CResultFile>();
    auto bytes = Core::Make<Core::CFileStream>();
    auto text = Core::Make<Core::CTextReader>();
    auto read = [&] {
      if (c.text) ASSERT_TRUE(text->Open(PathOf(c.read), u"r", nullptr));
      else ASSERT_TRUE(bytes->Open(PathOf(c.read), Core::FileModeInput));
    };
    if (c.readFirst) read();
    ASSERT_TRUE(file->Create(PathOf(c.result)));
    if (!c.readFirst) read();
    Write(*file, "part");
    file->Abandon();
    EXPECT_EQ(Contents("data.txt"), "data") << c.read << " " << c.result;
    EXPECT_EQ(Names(), (Strings{"alias.txt", "data.txt"}));
  }
  // Files read before the result existed do not count for a later one.
  auto in = Core::Make<Core::CFileStream>();
  ASSERT_TRUE(in->Open(PathOf("data.txt"), Core::FileModeInput));
  auto later = Core::Make<Core::CResultFile>();
  ASSERT_TRUE(later->Create(PathOf("data.txt")));
  Write(*later, "part");
  later->Abandon();
  EXPECT_EQ(Contents("data.txt"), "part");
}

TEST_F(ResultFile, AResultNeitherCommittedNorAbandonedLeavesNoTrace) {
  Put("out.txt", "old");
  {
    auto file = Core::Make<Core::CResultFile>();
    ASSERT_TRUE(file->Create(PathOf("out.txt")));
    ASSERT_TRUE(Core::Make<Core::CResultFile>()->Create(PathOf("new.txt")));
    Write(*file, "new");
  }
  EXPECT_EQ(Contents("out.txt"), "old");
  EXPECT_EQ(Names(), Strings{"out.txt"});
}

TEST_F(ResultFile, NamesThatCannotBeWrittenFail) {
  fs::create_directories(m_dir / "folder");
  for (const char* name : {"missing/out.txt", "folder", "folder/", "out.txt/x"}) {
    if (std::string(name) == "out.txt/x") Put("out.txt", "old");
    auto file = Core::Make<Core::CResultFile>();
    EXPECT_FALSE(file->Create(PathOf(name))) << name;
    EXPECT_FALSE(file->IsCreated());
  }
  auto loop = Core::Make<Core::CResultFile>();
  fs::create_symlink("loop.txt", m_dir / "loop.txt");
  EXPECT_FALSE(loop->Create(PathOf("loop.txt")));
  EXPECT_FALSE(Core::Make<Core::CResultFile>()->Create(Core::String(u"a\0b", 3)));
  EXPECT_EQ(Names(), (Strings{"folder", "loop.txt", "out.txt"}));
  EXPECT_EQ(Contents("out.txt"), "old");
}

// Permission bits do not stop the superuser.
TEST_F(ResultFile, PermissionsAreThoseOfWritingTheFileInPlace) {
  if (::geteuid() == 0) GTEST_SKIP() << "run as the superuser";
  Put("read-only.txt", "old");
  ::chmod((m_dir / "read-only.txt").c_str(), 0444);
  EXPECT_FALSE(Core::Make<Core::CResultFile>()->Create(PathOf("read-only.txt")));
  EXPECT_EQ(Contents("read-only.txt"), "old");

  // In a folder that cannot be written a new file cannot be made, but an
  // existing writable file is written all the same, at the end.
  fs::create_directories(m_dir / "locked");
  Put("locked/out.txt", "old");
  ::chmod((m_dir / "locked").c_str(), 0555);
  EXPECT_FALSE(Core::Make<Core::CResultFile>()->Create(PathOf("locked/new.txt")));
  auto file = Core::Make<Core::CResultFile>();
  ASSERT_TRUE(file->Create(PathOf("locked/out.txt")));
  Write(*file, "new");
  EXPECT_EQ(Contents("locked/out.txt"), "old");
  EXPECT_TRUE(file->Commit());
  EXPECT_EQ(Contents("locked/out.txt"), "new");
  EXPECT_EQ(Names(m_dir / "locked"), Strings{"out.txt"});
}

} // namespace
