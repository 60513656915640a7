#include "common/file_checks.hpp"

#include <sys/stat.h>

#include <vector>

#include "common/errors.hpp"
#include "common/text.hpp"
#include "support/test_support.hpp"

namespace specbridge {
namespace {

namespace fs = std::filesystem;

// A folder with a file a, a link to it, a FIFO and a sub-folder.
class FileChecks : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_.Write("a", "bytes");
    dir_.Write("b", "bytes");
    fs::create_directory(dir_ / "sub");
    fs::create_symlink(dir_ / "a", dir_ / "link");
    fs::create_symlink(dir_ / "sub", dir_ / "sublink");
    fs::create_hard_link(dir_ / "a", dir_ / "hard");
    ASSERT_EQ(::mkfifo((dir_ / "fifo").c_str(), 0600), 0);
  }
  test::TempDir dir_;
};

TEST_F(FileChecks, SameFileSeesThroughSpellingsAndLinks) {
  struct Case {
    const char* a;
    const char* b;
    bool same;
  };
  const Case cases[] = {
      {"a", "a", true},        {"a", "./a", true},  {"a", "sub/../a", true},      {"a", "link", true},
      {"a", "hard", true},     {"a", "b", false},   {"new", "./new", true},       {"new", "sub/../new", true},
      {"new", "other", false}, {"a", "new", false}, {"sub/x", "sublink/x", true}, {"sub", "sublink", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SameFile(dir_ / c.a, dir_ / c.b), c.same) << c.a << " vs " << c.b;
  }
}

TEST_F(FileChecks, SameFileComparesRelativeWithAbsolute) {
  const fs::path before = fs::current_path();
  fs::current_path(dir_.Path());
  EXPECT_TRUE(SameFile("a", dir_ / "a"));
  EXPECT_TRUE(SameFile("new", dir_ / "new"));
  fs::current_path(before);
}

TEST_F(FileChecks, OnlyRegularFilesAreRead) {
  struct Case {
    fs::path path;
    std::string message;  // empty: accepted
  };
  const std::string d = dir_.Path().string();
  const Case cases[] = {
      {dir_ / "a", ""},
      {dir_ / "link", ""},
      {dir_ / "sub", "Cannot read '" + d + "/sub': it is a directory, not a regular file"},
      {dir_ / "sublink", "Cannot read '" + d + "/sublink': it is a directory, not a regular file"},
      {dir_ / "fifo", "Cannot read '" + d + "/fifo': it is a FIFO (named pipe), not a regular file"},
      {"/dev/null", "Cannot read '/dev/null': it is a character device, not a regular file"},
      {dir_ / "missing", "Cannot open '" + d + "/missing': No such file or directory"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path.string());
    if (c.message.empty()) {
      EXPECT_NO_THROW(RequireRegularFile(c.path));
      EXPECT_EQ(ReadFileBytes(c.path), "bytes");
    } else {
      EXPECT_THROW_MSG(RequireRegularFile(c.path), FileError, c.message);
      // ReadFileBytes refuses the same way, and a FIFO without a writer
      // does not make it wait.
      EXPECT_THROW_MSG(ReadFileBytes(c.path), FileError, c.message);
    }
  }
}

TEST_F(FileChecks, AnOutputOverAnInputNamesBoth) {
  const std::vector<fs::path> inputs = {dir_ / "b", dir_ / "sub/../a"};
  EXPECT_NO_THROW(RefuseOutputOverInputs(dir_ / "new", inputs));
  EXPECT_NO_THROW(RefuseOutputOverInputs(dir_ / "sub" / "a", inputs));
  EXPECT_THROW_MSG(RefuseOutputOverInputs(dir_ / "link", inputs), FileError,
                   "Refusing to write '" + (dir_ / "link").string() + "': it is the same file as the input '" +
                       (dir_ / "sub/../a").string() + "' of this run; nothing was written");
}

}  // namespace
}  // namespace specbridge
