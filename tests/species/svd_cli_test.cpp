// specbridge-cli svd in-process: one hand-worked report for both kinds of
// input, and the runs that must fail.
#include "cli/cli_support.hpp"
#include "support/test_support.hpp"

namespace specbridge::cli {
namespace {

using specbridge::test::CliResult;
using specbridge::test::DataPath;
using specbridge::test::MatchesGolden;
using specbridge::test::RunCli;

std::string Fixture(const char* name) { return DataPath(std::string("species/") + name).string(); }

// Four orthogonal spectra of norms 5, 2, 0.1 and 0.05; the range up to
// 460 nm cuts the last to 0.03.
TEST(SvdCommand, ReportsTheSameValuesForASeriesAndAKineticGrid) {
  const std::vector<std::vector<std::string>> runs = {
      {"svd", Fixture("orthogonal_sheet.txt"), "--xhigh", "460"},
      {"svd", "--kinetics", Fixture("orthogonal_grid.txt"), "--nmhigh", "460"},
  };
  for (const auto& args : runs) {
    const CliResult r = RunCli(args);
    EXPECT_EQ(r.code, 0) << args[1];
    EXPECT_EQ(r.err, "") << args[1];
    EXPECT_TRUE(MatchesGolden("species/expected/orthogonal_to_460.txt", r.out)) << args[1];
  }
}

TEST(SvdCommand, AFailingFileFailsTheRunAfterTheOthers) {
  const std::string missing = DataPath("species/missing.txt").string();
  const CliResult r =
      RunCli({"svd", "--kinetics", missing, Fixture("orthogonal_grid.txt"), "--nmlow", "470", "--nmhigh", "460"});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.err, "Cannot open '" + missing + "': No such file or directory\n" + Fixture("orthogonal_grid.txt") +
                       ": No wavelength column lies between nmlow 470 and nmhigh 460\n");
  EXPECT_EQ(r.out, "");
  // The options of one converter do not apply to the other.
  EXPECT_EQ(RunCli({"svd", Fixture("orthogonal_sheet.txt"), "--nmlow", "410"}).code, 2);
  EXPECT_EQ(RunCli({"svd", "--kinetics", Fixture("orthogonal_grid.txt"), "--xlow", "410"}).code, 2);
}

}  // namespace
}  // namespace specbridge::cli
