#include "common/directory_memory.hpp"

#include <unistd.h>

#include "support/test_support.hpp"

namespace specbridge {
namespace {

using DirectoryMemoryTest = test::FolderTest;

TEST_F(DirectoryMemoryTest, FirstRunCreatesDirinfWithTheChosenDirectory) {
  DirectoryMemory memory(dir_.Path());
  EXPECT_EQ(memory.WorkingDirectory(), "");
  EXPECT_FALSE(std::filesystem::exists(dir_ / "dirinf"));

  const auto data = dir_ / "data";
  std::filesystem::create_directory(data);
  FileDialog open, save;
  memory.RememberDirectory(data / "run00.ASC", &open, &save);
  EXPECT_EQ(memory.WorkingDirectory(), data.string());
  EXPECT_EQ(open.initialDirectory, data);
  EXPECT_EQ(save.initialDirectory, data);
  EXPECT_EQ(std::filesystem::current_path(), data);
  EXPECT_EQ(test::Slurp(dir_ / "dirinf"), data.string() + "\r\n");
}

TEST_F(DirectoryMemoryTest, RunsFromOneStartDirectoryShareDirinf) {
  const auto data = dir_ / "data";
  const auto other = dir_ / "other";
  std::filesystem::create_directory(data);
  std::filesystem::create_directory(other);
  DirectoryMemory(dir_.Path()).RememberDirectory(data / "x.txt", nullptr);

  const DirectoryMemory second(dir_.Path());
  EXPECT_EQ(second.WorkingDirectory(), data.string());
  EXPECT_EQ(std::filesystem::current_path(), data);

  const DirectoryMemory elsewhere(other);  // its own, absent, dirinf
  EXPECT_EQ(elsewhere.WorkingDirectory(), "");
}

TEST_F(DirectoryMemoryTest, OnlyTheFirstLineCountsAndBadDirectoriesAreIgnored) {
  dir_.Write("dirinf", "/no/such/dir  \r\nsecond line\r\n");
  const DirectoryMemory memory(dir_.Path());
  EXPECT_EQ(memory.WorkingDirectory(), "/no/such/dir  ");
  EXPECT_EQ(std::filesystem::current_path(), start_);

  dir_.Write("dirinf", "");
  EXPECT_EQ(DirectoryMemory(dir_.Path()).WorkingDirectory(), "");
}

// The same "dirinf" with every line end, and cut by a NUL byte.
TEST_F(DirectoryMemoryTest, EveryLineEndEndsTheFirstLine) {
  const std::string golden = "/no/such/dir  \r\nsecond line\r\n";
  for (const std::string_view end : {"\n", "\r\n", "\r"}) {
    dir_.Write("dirinf", test::WithLineEnds(golden, end));
    EXPECT_EQ(DirectoryMemory(dir_.Path()).WorkingDirectory(), "/no/such/dir  ");
  }
  dir_.Write("dirinf", std::string("/no/such\0/dir\r\n", 15));
  EXPECT_EQ(DirectoryMemory(dir_.Path()).WorkingDirectory(), "/no/such");
  EXPECT_EQ(DirinfDirectory("last line without an end"), "last line without an end");
}

TEST_F(DirectoryMemoryTest, AnUnwritableDirinfStopsTheCommand) {
  // A directory in the place of "dirinf" cannot be replaced, even by root.
  std::filesystem::create_directory(dir_ / "dirinf");
  DirectoryMemory memory(dir_.Path());
  EXPECT_THROW_MSG(memory.RememberDirectory(dir_ / "x.txt", nullptr), FileError,
                   "Cannot replace '" + (dir_ / "dirinf").string() + "': it is a directory, not a regular file");

  DirectoryMemory gone(dir_ / "removed");
  EXPECT_THROW_MSG(gone.RememberDirectory(dir_ / "x.txt", nullptr), FileError,
                   "Cannot create '" + (dir_ / "removed/dirinf").string() + "': No such file or directory");
}

TEST_F(DirectoryMemoryTest, RefreshTakesTheCurrentDirectory) {
  DirectoryMemory memory(dir_.Path());
  std::filesystem::current_path(dir_.Path());
  memory.RefreshFromCurrentDirectory();
  EXPECT_EQ(memory.WorkingDirectory(), dir_.Path().string());
}

}  // namespace
}  // namespace specbridge
