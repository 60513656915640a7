#include "cli/cli.hpp"
#include "cli/cli_support.hpp"
#include "support/test_support.hpp"
#include "titration/titration.hpp"

#include <sys/stat.h>

namespace specbridge::cli {
namespace {

using test::DataPath;
using ::testing::HasSubstr;

using test::RunCli;

const std::string kComma = DataPath("titration/comma/comma01.ASC").string();

TEST(TitrationCommand, WritesNothingWhileBoxesHoldTheirDefaultTexts) {
  test::TempDir dir;
  const test::CliResult r = RunCli({"titration", kComma, "--v0", "2", "-o", (dir / "out.txt").string()});
  EXPECT_EQ(r.code, 1);
  EXPECT_THAT(r.err, HasSubstr("these boxes still hold their default text: Comment1, Vt, CM, CH, Temp, No1, CL1"));
  EXPECT_FALSE(std::filesystem::exists(dir / "out.txt"));

  const test::CliResult kinetics = RunCli({"titration", kComma, "--kinetics-out", (dir / "k.txt").string()});
  EXPECT_EQ(kinetics.code, 1);
  EXPECT_THAT(kinetics.err, HasSubstr("Comment1 is missing!!!"));
  EXPECT_FALSE(std::filesystem::exists(dir / "k.txt"));
}

TEST(TitrationCommand, PrintsTheGridAndSummary) {
  // Comment1 and Temp matter only for a written file.
  const test::CliResult grid = RunCli({"titration", kComma, "--v0", "2", "--vt", "0.01", "--cm", "0.0001", "--ch", "0",
                                       "--titrant", "1:0.001", "--grid"});
  EXPECT_EQ(grid.code, 0) << grid.err;
  EXPECT_EQ(grid.out,
            "\t0\t1\t2\n"
            "[M] (M)\t0.0001000000\t0.0000995025\t0.0000990099\n"
            "[L] (M)\t0.0000000000\t0.0000049751\t0.0000099010\n"
            "[H] (M)\t0.0000000000\t0.0000000000\t0.0000000000\n");

  const test::CliResult summary = RunCli({"titration", kComma});
  EXPECT_EQ(summary.code, 0);
  EXPECT_EQ(summary.out, "3 spectra of 4 points, 400.00 to 401.50 nm, values -0.01 to 2.00\n");
}

TEST(TitrationCommand, RefusedRangeValuesAreReported) {
  const test::CliResult r = RunCli({"titration", kComma, "--xlow", "100"});
  EXPECT_EQ(r.code, 0);
  EXPECT_THAT(r.err, HasSubstr("--xlow 100 is outside the data of the series; the box shows 400"));
}

// The user asked for the file's times: a times file shorter than the series
// refuses the export instead of writing computed times.
TEST(TitrationCommand, RefusesATimesFileShorterThanTheSeries) {
  test::TempDir dir;
  const auto times = dir.Write("times.txt", "10\r20\r");  // CR-only: two times
  const test::CliResult r = RunCli(
      {"titration", kComma, "--comment1", "K", "--times", times.string(), "--kinetics-out", (dir / "k.txt").string()});
  EXPECT_EQ(r.code, 1);
  EXPECT_THAT(r.err, HasSubstr("The times file holds 2 times, but the series has 3 spectra; nothing was written"));
  EXPECT_FALSE(std::filesystem::exists(dir / "k.txt"));
}

// A failed run names the problem, exits 1 and leaves every file as it was:
// no output replaces a file of the series, the times file or another output,
// and an output computed before a later failure is not written either.
TEST(TitrationCommand, AFailedRunChangesNoFile) {
  test::TempDir dir;
  const std::string d = dir.Path().string();
  for (const char* name : {"comma00.ASC", "comma01.ASC", "comma02.ASC"}) {
    std::filesystem::copy_file(DataPath(std::string("titration/comma/") + name), dir / name);
  }
  dir.Write("times.txt", "0\r\n10\r\n20\r\n");
  dir.Write("bad.txt", "0\r\nten\r\n");
  dir.Write("out.txt", "old out");
  dir.Write("k.txt", "old k");
  std::filesystem::create_symlink("comma01.ASC", dir / "link.ASC");
  std::filesystem::create_directory(dir / "fifo");
  ASSERT_EQ(::mkfifo((dir / "fifo" / "fifo00.ASC").c_str(), 0600), 0);
  std::filesystem::copy_file(DataPath("titration/comma/comma00.ASC"), dir / "fifo" / "fifo01.ASC");

  const std::vector<std::string> boxes = {"--comment1", "A",    "--v0", "2",      "--vt", "0.01",      "--cm",
                                          "0.0001",     "--ch", "0",    "--temp", "25",   "--titrant", "1:0.001"};
  const auto refusal = [&](const std::string& output, const std::string& input) {
    return "Refusing to write '" + output + "': it is the same file as the input '" + input +
           "' of this run; nothing was written\n";
  };
  struct Case {
    std::string file;
    std::vector<std::string> actions;
    std::string err;
  };
  const std::vector<Case> cases = {
      {"comma00.ASC", {"-o", d + "/comma02.ASC"}, refusal(d + "/comma02.ASC", d + "/comma02.ASC")},
      {"comma01.ASC", {"-o", d + "/./comma00.ASC"}, refusal(d + "/./comma00.ASC", d + "/comma00.ASC")},
      {"comma00.ASC", {"--kinetics-out", d + "/link.ASC"}, refusal(d + "/link.ASC", d + "/comma01.ASC")},
      {"comma00.ASC",
       {"-o", d + "/times.txt", "--times", d + "/times.txt"},
       refusal(d + "/times.txt", d + "/times.txt")},
      {"comma00.ASC",
       {"-o", d + "/out.txt", "--kinetics-out", d + "/fifo/../out.txt"},
       "Refusing to write '" + d + "/fifo/../out.txt': it is the same file as the output '" + d +
           "/out.txt' of this run; nothing was written\nNot written, as the run failed: " + d + "/out.txt\n"},
      {"comma00.ASC",
       {"-o", d + "/out.txt", "--kinetics-out", d + "/k.txt", "--times", d + "/bad.txt"},
       d + "/bad.txt, line 2: 'ten' is not a valid floating point value\n"},
      {"comma00.ASC",
       {"-o", d + "/out.txt", "--kinetics-out", d + "/k.txt", "--comment1", "Comment1"},
       "Calculate did nothing: these boxes still hold their default text: Comment1; nothing was written\n" +
           std::string(titration::kComment1MissingMessage) + "\nSave_As_Kinetics did nothing"},
      {"fifo/fifo01.ASC",
       {"-o", d + "/out.txt"},
       "'" + d + "/fifo/fifo00.ASC' not found: a series starts with file 00\n"},
      {"fifo/fifo00.ASC",
       {"-o", d + "/out.txt"},
       "Cannot read '" + d + "/fifo/fifo00.ASC': it is a FIFO (named pipe), not a regular file\n"},
      {"fifo", {"-o", d + "/out.txt"}, "Cannot read '" + d + "/fifo': it is a directory, not a regular file\n"},
  };
  const auto before = test::Snapshot(dir.Path());
  for (const Case& c : cases) {
    std::vector<std::string> args = {"titration", d + "/" + c.file};
    args.insert(args.end(), boxes.begin(), boxes.end());
    args.insert(args.end(), c.actions.begin(), c.actions.end());
    SCOPED_TRACE(c.actions[1]);
    const test::CliResult r = RunCli(args);
    EXPECT_EQ(r.code, 1);
    EXPECT_THAT(r.err, ::testing::StartsWith(c.err));
    EXPECT_EQ(test::Snapshot(dir.Path()), before);
  }
}

TEST(TitrationCommand, UsageAndInputErrors) {
  EXPECT_EQ(RunCli({"titration", kComma, "--titrant", "1"}).code, 2);
  EXPECT_EQ(RunCli({"titration", kComma, "--skip", "5"}).code, 2);
  EXPECT_EQ(RunCli({"titration", kComma, "--box", "Nope=1"}).code, 2);
  EXPECT_EQ(RunCli({"titration"}).code, 2);
  const test::CliResult bad = RunCli({"titration", kComma, "--xlow", "1,5"});
  EXPECT_EQ(bad.code, 1);
  EXPECT_THAT(bad.err, HasSubstr("'1,5' is not a valid floating point value"));
}

}  // namespace
}  // namespace specbridge::cli
