#include "common/output_file.hpp"

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

#include "common/errors.hpp"
#include "support/test_support.hpp"

namespace specbridge {
namespace {

namespace fs = std::filesystem;

std::size_t FilesIn(const fs::path& dir) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), {}));
}

unsigned ModeOf(const fs::path& path) {
  struct stat info {};
  EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
  return info.st_mode & 07777;
}

TEST(OutputFile, WritesLinesWithCrLfOnCommit) {
  test::TempDir dir;
  OutputFile file(dir / "out.txt");
  file.WriteLine("a\tb");
  file.Write("c");
  file.WriteLine();
  EXPECT_FALSE(fs::exists(dir / "out.txt"));
  file.Commit();
  EXPECT_EQ(test::Slurp(dir / "out.txt"), "a\tb\r\nc\r\n");
  EXPECT_EQ(FilesIn(dir.Path()), 1U);
}

TEST(OutputFile, LeavesTheOldFileAloneWhenTheCommandFails) {
  test::TempDir dir;
  dir.Write("out.txt", "old");
  {
    OutputFile file(dir / "out.txt");
    file.WriteLine("new, but the command failed");
  }
  { StagedFile staged(dir / "out.txt", "staged, never published"); }
  EXPECT_EQ(test::Slurp(dir / "out.txt"), "old");
  EXPECT_EQ(FilesIn(dir.Path()), 1U);
}

// Replacing keeps what the user set up: the links that lead to the file and
// its permission bits.
TEST(OutputFile, ReplacingKeepsLinksAndPermissions) {
  struct Case {
    const char* name;
    const char* link;    // the path written; a symbolic link to `file` unless empty
    const char* linkTo;  // what the link holds (relative or absolute)
    unsigned mode;       // of the existing file; 0: no file yet
  };
  const Case cases[] = {
      {"plain file, private bits", "", "", 0600},
      {"group-readable file", "", "", 0640},
      {"new file", "", "", 0},
      {"relative link", "link.txt", "sub/out.txt", 0644},
      {"absolute link", "link.txt", "@/sub/out.txt", 0600},
      {"link to a link", "outer.txt", "link.txt", 0644},
      {"dangling link", "link.txt", "sub/out.txt", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::TempDir dir;
    const fs::path file = dir / "sub" / "out.txt";
    fs::create_directories(file.parent_path());
    if (c.mode != 0) {
      dir.Write("sub/out.txt", "a much longer old content");
      fs::permissions(file, static_cast<fs::perms>(c.mode));
    }
    fs::path written = file;
    if (*c.link != '\0') {
      if (std::string(c.link) == "outer.txt") fs::create_symlink("sub/out.txt", dir / "link.txt");
      const std::string to = c.linkTo[0] == '@' ? dir.Path().string() + (c.linkTo + 1) : c.linkTo;
      written = dir / c.link;
      fs::create_symlink(to, written);
    }
    WriteFileAtomically(written, "new");
    EXPECT_EQ(test::Slurp(file), "new");
    EXPECT_EQ(fs::is_symlink(written), *c.link != '\0');
    if (c.mode != 0) {
      EXPECT_EQ(ModeOf(file), c.mode);
    }
    EXPECT_EQ(FilesIn(file.parent_path()), 1U);
  }
}

TEST(OutputFile, RefusesTargetsItMustNotReplace) {
  test::TempDir dir;
  const fs::path locked = dir.Write("locked.txt", "kept");
  fs::permissions(locked, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  fs::create_directory(dir / "taken");
  fs::create_symlink("locked.txt", dir / "locked-link");
  struct Case {
    fs::path target;
    std::string message;
  };
  const Case cases[] = {
      // Decided from the bits, so it holds for root too.
      {locked, "Cannot replace '" + locked.string() + "': it is write-protected"},
      {dir / "locked-link", "Cannot replace '" + (dir / "locked-link").string() + "': it is write-protected"},
      {dir / "taken", "Cannot replace '" + (dir / "taken").string() + "': it is a directory, not a regular file"},
      {dir / "no-such-dir" / "out.txt",
       "Cannot create '" + (dir / "no-such-dir" / "out.txt").string() + "': No such file or directory"},
  };
  for (const Case& c : cases) {
    EXPECT_THROW_MSG(WriteFileAtomically(c.target, "x"), FileError, c.message);
  }
  EXPECT_EQ(test::Slurp(locked), "kept");
  EXPECT_EQ(ModeOf(locked), 0444U);
  EXPECT_EQ(FilesIn(dir.Path()), 3U);  // no temporary file left behind
}

// A write that fails half-way (here: the file size limit, as a full disk
// would) leaves the target as it was and no temporary file.
TEST(OutputFile, AFailedWriteLeavesTheTargetAndNoTemporaryFile) {
  test::TempDir dir;
  const fs::path target = dir.Write("out.txt", "old");
  const std::string bytes(64 * 1024, 'x');

  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit limited = saved;
  limited.rlim_cur = 1024;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
  std::string message;
  try {
    WriteFileAtomically(target, bytes);
  } catch (const FileError& e) {
    message = e.what();
  }
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_EQ(message, "Cannot write '" + target.string() + "': File too large");
  EXPECT_EQ(test::Slurp(target), "old");
  EXPECT_EQ(FilesIn(dir.Path()), 1U);
}

// The rename that puts a staged file in place can fail as well (here the
// target became a directory in the meantime, as another program may do):
// the message names the target, the directory is untouched and the staged
// bytes are gone.
TEST(OutputFile, AFailedRenameLeavesTheTargetAndNoTemporaryFile) {
  test::TempDir dir;
  StagedFile staged(dir / "out.txt", "new");
  EXPECT_EQ(FilesIn(dir.Path()), 1U);  // the staged file
  fs::create_directory(dir / "out.txt");
  dir.Write("out.txt/inside", "kept");
  EXPECT_THROW_MSG(staged.Publish(), FileError, "Cannot replace '" + (dir / "out.txt").string() + "': Is a directory");
  EXPECT_EQ(test::Slurp(dir / "out.txt" / "inside"), "kept");
  EXPECT_EQ(FilesIn(dir.Path()), 1U);
}

}  // namespace
}  // namespace specbridge
