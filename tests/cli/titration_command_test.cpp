#include "cli/cli.hpp"
#include "cli/cli_support.hpp"
#include "support/test_support.hpp"

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
  const test::CliResult grid = RunCli({"titration", kComma, "--comment1", "A", "--v0", "2", "--vt", "0.01", "--cm",
                                       "0.0001", "--ch", "0", "--temp", "25", "--titrant", "1:0.001", "--grid"});
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
