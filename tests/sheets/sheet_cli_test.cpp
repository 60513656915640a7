#include "cli/cli.hpp"
#include "cli/cli_support.hpp"
#include "support/test_support.hpp"

namespace specbridge::cli {
namespace {

namespace fs = std::filesystem;
using test::RunCli;
using ::testing::HasSubstr;

class SheetCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"a01.ASC", "a02.ASC", "labels.ASC", "comma.ASC", "blank_at_6.ASC"}) {
      fs::copy_file(test::DataPath(std::string("sheets/") + name), dir_ / name);
    }
    fs::copy_file(dir_ / "comma.ASC", dir_ / "c.ins");
    dir_.Write("notes.txt", "400.0,0.1\r\n401.0,0.2\r\n");
    fs::create_directory(dir_ / "sub");
    fs::copy_file(dir_ / "a02.ASC", dir_ / "sub" / "a02.ASC");
  }
  std::string In(const char* name) const { return (dir_ / name).string(); }
  std::string Out(const char* name) const { return (dir_ / "out" / name).string(); }
  std::string Golden(const char* name) const {
    return test::Slurp(test::DataPath(std::string("sheets/expected/") + name));
  }
  // The files of the output folder: a failed run leaves none.
  std::vector<std::string> Written() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_ / "out")) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  test::TempDir dir_;
  const bool made_ = fs::create_directory(dir_ / "out");
};

TEST_F(SheetCliTest, ActionsReplayTheWindowInOrder) {
  struct Case {
    const char* what;
    std::vector<std::string> args;
    std::vector<std::pair<const char*, const char*>> outputs;  // file, golden
  };
  const std::vector<Case> cases{
      {"files open and add", {In("a01.ASC"), In("a02.ASC"), "-o", Out("s.txt")}, {{"s.txt", "worked.txt"}}},
      {"-o is the final save wherever it stands",
       {In("a01.ASC"), "-o", Out("s.txt"), "--add", In("a02.ASC")},
       {{"s.txt", "worked.txt"}}},
      {"down follows the row",
       {In("a01.ASC"), In("a02.ASC"), "--down", "0", "--up", "0", "-o", Out("s.txt")},
       {{"s.txt", "swapped.txt"}}},
      {"first up and last down do nothing",
       {In("a01.ASC"), In("a02.ASC"), "--up", "0", "--down", "1", "-o", Out("s.txt")},
       {{"s.txt", "worked.txt"}}},
      {"save in the middle",
       {In("a01.ASC"), "--save", Out("m.txt"), "--add", In("a02.ASC"), "--remove", "0", "-o", Out("s.txt")},
       {{"m.txt", "a01_only.txt"}, {"s.txt", "a02_only.txt"}}},
      {"a refused file is left out",
       {In("a01.ASC"), In("blank_at_6.ASC"), In("a02.ASC"), "-o", Out("s.txt")},
       {{"s.txt", "worked.txt"}}},
      {"close, then any axis",
       {In("a01.ASC"), "--close", "--remove", "0", "--add", In("labels.ASC"), "-o", Out("s.txt")},
       {{"s.txt", "labels.txt"}}},
      {"a cancelled open changes nothing",
       {In("a01.ASC"), "--open", "", "--add", In("a02.ASC"), "-o", Out("s.txt")},
       {{"s.txt", "worked.txt"}}},
      {"open starts a new set on its own axis",
       {In("a01.ASC"), In("a02.ASC"), "--open", In("comma.ASC"), "-o", Out("s.txt")},
       {{"s.txt", "comma.txt"}}},
      {"a relative path",
       {In("a01.ASC"), (dir_ / "sub" / ".." / "a02.ASC").string(), "-o", Out("s.txt")},
       {{"s.txt", "worked.txt"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<std::string> args{"sheet"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const test::CliResult result = RunCli(args);
    EXPECT_EQ(result.code, 0) << result.err;
    for (const auto& [file, golden] : c.outputs) {
      EXPECT_TRUE(test::SameBytes(Golden(golden), test::Slurp(dir_ / "out" / file))) << file;
      fs::remove(dir_ / "out" / file);
    }
  }
}

TEST_F(SheetCliTest, ARefusedFileIsNamedAndTheRunGoesOn) {
  const test::CliResult result = RunCli({"sheet", In("a01.ASC"), In("blank_at_6.ASC"), "-o", Out("s.txt")});
  EXPECT_EQ(result.code, 0);
  EXPECT_EQ(result.err,
            "blank_at_6.ASC: not a \"##TITLE\" or comma-column spectrum file; left out\nWrote " + Out("s.txt") + "\n");
}

TEST_F(SheetCliTest, FailuresExitWithOneAndWriteNothing) {
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const std::vector<Case> cases{
      {{In("a01.ASC"), "--save", Out("m.txt"), "--add", In("labels.ASC"), "-o", Out("s.txt")},
       "labels.ASC: its axis (3 points from 400 to 402 nm) differs from the working spectra's (2 points from 400 to "
       "401 nm); a sheet holds spectra of one axis"},
      {{In("blank_at_6.ASC"), "-o", Out("s.txt")},
       "Save did nothing: the working list is empty; " + Out("s.txt") + " was not written"},
      {{In("a01.ASC"), "--save", Out("m.txt"), "--close", "--save", Out("s.txt")},
       "Save did nothing: the working list is empty; " + Out("s.txt") + " was not written"},
      {{In("missing.ASC")}, "missing.ASC"},
      {{In("a01.ASC"), "-o", In("a01.ASC")}, "a01.ASC"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args{"sheet"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const test::CliResult result = RunCli(args);
    EXPECT_EQ(result.code, 1) << c.message;
    EXPECT_THAT(result.err, HasSubstr(c.message));
    EXPECT_EQ(Written(), std::vector<std::string>{}) << c.message;
  }
  EXPECT_EQ(test::Slurp(dir_ / "a01.ASC"), test::Slurp(test::DataPath("sheets/a01.ASC")));
}

TEST_F(SheetCliTest, WhatTheWindowCannotDoIsAUsageError) {
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const std::vector<Case> cases{
      {{"-o", Out("s.txt")}, "at least one spectrum file is required"},
      {{In("a01.ASC"), "--close", In("a02.ASC")}, "the files come before the first option"},
      {{In("a01.ASC"), "--remove", "1"}, "'1' is not a row of \"Working Files\", which shows rows 0 to 0"},
      {{In("a01.ASC"), In("a02.ASC"), "--up", "x"}, "'x' is not a row of \"Working Files\", which shows rows 0 to 1"},
      {{In("a01.ASC"), "--down", "-1"}, "'-1' is not a row"},
      {{In("a01.ASC"), "--add", (dir_ / "sub" / "a02.ASC").string()}, "a02.ASC: not in the working directory"},
      {{In("a01.ASC"), "--add", In("notes.txt")}, "notes.txt: not in the directory list"},
      // An .ins file first: the list shows no .ASC file.
      {{In("c.ins"), In("a01.ASC")}, "a01.ASC: not in the directory list"},
      {{In("a01.ASC"), "--bogus"}, "--bogus"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args{"sheet"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const test::CliResult result = RunCli(args);
    EXPECT_EQ(result.code, 2) << c.message;
    EXPECT_THAT(result.err, HasSubstr(c.message));
    EXPECT_EQ(Written(), std::vector<std::string>{}) << c.message;
  }
}

TEST_F(SheetCliTest, AnEmptyListShowsRowZero) {
  const test::CliResult result =
      RunCli({"sheet", In("blank_at_6.ASC"), "--remove", "0", "--up", "0", "--add", In("a01.ASC"), "-o", Out("s.txt")});
  EXPECT_EQ(result.code, 0) << result.err;
  EXPECT_TRUE(test::SameBytes(Golden("a01_only.txt"), test::Slurp(dir_ / "out" / "s.txt")));
}

}  // namespace
}  // namespace specbridge::cli
