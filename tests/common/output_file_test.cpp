#include "common/output_file.hpp"

#include "common/errors.hpp"
#include "support/test_support.hpp"

namespace specbridge {
namespace {

std::size_t FilesIn(const std::filesystem::path& dir) {
  return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir), {}));
}

TEST(OutputFile, WritesLinesWithCrLfOnCommit) {
  test::TempDir dir;
  OutputFile file(dir / "out.txt");
  file.WriteLine("a\tb");
  file.Write("c");
  file.WriteLine();
  EXPECT_FALSE(std::filesystem::exists(dir / "out.txt"));
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
  EXPECT_EQ(test::Slurp(dir / "out.txt"), "old");
  EXPECT_EQ(FilesIn(dir.Path()), 1U);
}

TEST(OutputFile, ReplacesAnExistingFileWhole) {
  test::TempDir dir;
  dir.Write("out.txt", "a much longer old content");
  WriteFileAtomically(dir / "out.txt", "new");
  EXPECT_EQ(test::Slurp(dir / "out.txt"), "new");
}

TEST(OutputFile, NamesTheTargetWhenItCannotBeWritten) {
  test::TempDir dir;
  EXPECT_THROW_MSG(WriteFileAtomically(dir / "no-such-dir" / "out.txt", "x"), FileError,
                   "Cannot create '" + (dir / "no-such-dir" / "out.txt").string() + "': No such file or directory");
  std::filesystem::create_directory(dir / "taken");
  EXPECT_THROW_MSG(WriteFileAtomically(dir / "taken", "x"), FileError, "Cannot replace");
  EXPECT_EQ(FilesIn(dir.Path()), 1U);  // no temporary file left behind
}

}  // namespace
}  // namespace specbridge
