#include "cli/cli.hpp"
#include "cli/cli_support.hpp"
#include "support/test_support.hpp"

#include <sys/stat.h>

namespace specbridge::cli {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using ::testing::HasSubstr;

using test::RunCli;

class FixCliTest : public test::FolderTest {
 protected:
  // A fixture copied into the temporary directory under `name`.
  std::string Input(const char* fixture, const char* name) const {
    return FolderTest::Input(std::string("fix/") + fixture, name).string();
  }
  std::string Fifo(const char* name) const {
    EXPECT_EQ(::mkfifo((dir_ / name).c_str(), 0600), 0);
    return (dir_ / name).string();
  }
  static ::testing::AssertionResult Golden(const char* name, const fs::path& path) {
    return test::MatchesGolden(std::string("fix/") + name, test::Slurp(path));
  }
};

TEST_F(FixCliTest, WritesEachInputBesideItselfUnderItsProposedName) {
  const std::string first = Input("two_spectraa.dem", "firsta.dem");
  const std::string second = Input("one_wavelengtha.dem", "seconda.dem");
  const test::CliResult table = RunCli({"epsilon-table", first, second});
  EXPECT_EQ(table.code, 0) << table.err;
  EXPECT_TRUE(Golden("two_spectra.table", dir_ / "firsta"));
  EXPECT_TRUE(Golden("one_wavelength.table", dir_ / "seconda"));
  EXPECT_THAT(table.err, HasSubstr("Wrote " + (dir_ / "seconda").string()));

  const test::CliResult fix = RunCli({"fix-epsilon", first});
  EXPECT_EQ(fix.code, 0) << fix.err;
  EXPECT_TRUE(Golden("two_spectra.fix", dir_ / "firsta.fix"));
}

TEST_F(FixCliTest, SpectrumCommandsTakeTheConcentrationAsTyped) {
  const std::string asc = Input("five_points.asc", "sample.asc");
  const std::string uv = Input("thousands_comma.txt", "uv.txt");
  struct Case {
    std::vector<std::string> args;
    const char* output;
    const char* golden;
  };
  const std::vector<Case> cases = {
      {{"fix-multispec", asc, "--concentration", "1e-4"}, "sample.fix", "five_points_rows.fix"},
      {{"fix-multispec", asc, "--columns", "--box", "Edit1=0.0001", "-o", (dir_ / "cols.fix").string()},
       "cols.fix",
       "five_points_columns.fix"},
      {{"fix-uvprobe", uv, "--concentration=0.001"}, "uv.fix", "thousands_comma.fix"},
  };
  for (const Case& c : cases) {
    const test::CliResult result = RunCli(c.args);
    EXPECT_EQ(result.code, 0) << result.err;
    EXPECT_TRUE(Golden(c.golden, dir_ / c.output)) << c.output;
  }
}

TEST_F(FixCliTest, FailuresExitWithOneAndWriteNothing) {
  const std::string asc = Input("five_points.asc", "sample.asc");
  const fs::path old = dir_.Write("sample.fix", "old\r\n");
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const std::vector<Case> cases = {
      {{"fix-multispec", asc, "--concentration", "0"}, "Concentration '0': Division by zero"},
      {{"fix-multispec", asc, "--concentration", "1,5"}, "'1,5' is not a valid floating point value"},
      {{"fix-multispec", asc}, "No concentration given"},
      {{"fix-uvprobe", dir_.Write("short.txt", "a\r\nb\r\n").string(), "--concentration", "1"},
       "short.txt holds no data point"},
      {{"fix-multispec", dir_.Write("plain.asc", "400,1\r\n").string(), "--concentration", "1"},
       "plain.asc is not a MultiSpec spectrum file"},
      {{"fix-epsilon", (dir_ / "missinga.dem").string()}, "missinga.dem"},
      {{"fix-epsilon", dir_.Write("nega.dem", "0 -2 3\r\n").string()}, "a count cannot be negative"},
      {{"fix-epsilon", dir_.Write("emptya.dem", "").string()}, "emptya.dem: the file holds no data"},
      {{"fix-epsilon", dir_.Write("shorta.dem", "0 1 2\r\n400\r\n401\r\n0.5\r\n").string()},
       "shorta.dem: the file ends after 3 of the 4 numbers its header announces"},
      // 14 bytes that once gave a 127 MB file of zeros.
      {{"fix-epsilon", dir_.Write("hugea.dem", "0 10 1000000").string()},
       "hugea.dem: the header announces 1000000 wavelengths; at most 100000 are supported"},
      {{"fix-uvprobe", dir_.Write("comma.txt", "a\r\nb\r\n1100.0,1,5\r\n").string(), "--concentration", "1"},
       "comma.txt, line 3: '1100.0,1,5' has two commas, but not a wavelength with a thousands separator"},
      // "abc" less four characters would be "abc" itself.
      {{"epsilon-table", dir_.Write("abc", "0 0 1\r\n400\r\n").string()},
       "Refusing to write '" + (dir_ / "abc").string() + "': it is the same file as the input '" +
           (dir_ / "abc").string() + "' of this run; nothing was written"},
      // The table of xa.dem would replace x, another input of the run.
      {{"epsilon-table", Input("two_spectraa.dem", "xa.dem"), dir_.Write("x", "0 0 1\r\n400\r\n").string()},
       "Refusing to write '" + (dir_ / "x").string() + "': it is the same file as the input '" + (dir_ / "x").string() +
           "' of this run; nothing was written"},
      {{"fix-epsilon", Fifo("fifoa.dem")},
       "Cannot read '" + (dir_ / "fifoa.dem").string() + "': it is a FIFO (named pipe), not a regular file"},
  };
  for (const Case& c : cases) {
    const test::CliResult result = RunCli(c.args);
    EXPECT_EQ(result.code, 1) << c.message;
    EXPECT_THAT(result.err, HasSubstr(c.message));
  }
  EXPECT_EQ(test::Slurp(old), "old\r\n");
  EXPECT_EQ(test::Slurp(dir_ / "abc"), "0 0 1\r\n400\r\n");
  EXPECT_EQ(test::Slurp(dir_ / "x"), "0 0 1\r\n400\r\n");
  EXPECT_FALSE(fs::exists(dir_ / "short.fix"));
  EXPECT_FALSE(fs::exists(dir_ / "plain.fix"));
  EXPECT_FALSE(fs::exists(dir_ / "nega.fix"));
  for (const char* name : {"emptya.fix", "shorta.fix", "hugea.fix", "comma.fix"}) EXPECT_FALSE(fs::exists(dir_ / name));
}

TEST_F(FixCliTest, CrOnlyInputsAndANulByte) {
  // A CR-only epsilon file once gave a table of zeros with exit 0.
  const std::string bytes = test::Slurp(test::DataPath("fix/two_spectraa.dem"));
  const std::string crOnly = dir_.Write("cra.dem", test::WithLineEnds(bytes, "\r")).string();
  const test::CliResult table = RunCli({"epsilon-table", crOnly});
  EXPECT_EQ(table.code, 0) << table.err;
  EXPECT_TRUE(Golden("two_spectra.table", dir_ / "cra"));

  const std::string cut = dir_.Write("cut.txt",
                                     "a\r\nb\r\n400,1\r\n\0"
                                     "401,2\r\n"s)
                              .string();
  const test::CliResult uv = RunCli({"fix-uvprobe", cut, "--concentration", "1"});
  EXPECT_EQ(uv.code, 0) << uv.err;
  EXPECT_THAT(uv.err, HasSubstr("cut.txt, line 4: a NUL byte ends the text here; the remaining 8 bytes of the file "
                                "are not read\n"));
}

// Every input is converted so that every failure is reported, but a run
// writes all its outputs or none.
TEST_F(FixCliTest, AFailingInputIsReportedWithTheOthersAndNothingIsWritten) {
  const std::string good = Input("two_spectraa.dem", "gooda.dem");
  const test::CliResult result =
      RunCli({"fix-epsilon", good, (dir_ / "missinga.dem").string(), dir_.Write("nega.dem", "0 -2 3\r\n").string()});
  EXPECT_EQ(result.code, 1);
  EXPECT_THAT(result.err, HasSubstr("missinga.dem': No such file or directory\n"));
  EXPECT_THAT(result.err, HasSubstr("a count cannot be negative"));
  EXPECT_THAT(result.err,
              ::testing::EndsWith("Not written, as the run failed: " + (dir_ / "gooda.fix").string() + "\n"));
  EXPECT_FALSE(fs::exists(dir_ / "gooda.fix"));
}

TEST_F(FixCliTest, UsageErrorsExitWithTwo) {
  const std::string first = Input("two_spectraa.dem", "firsta.dem");
  const std::string second = Input("one_wavelengtha.dem", "seconda.dem");
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"fix-epsilon", first, second, "-o", (dir_ / "one.fix").string()},
           {"fix-epsilon"},
           {"fix-uvprobe", first, "--box", "Edit2=1"},
           {"epsilon-table", first, "--columns"},
           {"epsilon-table", first, "--box", "Edit1=1"},
       }) {
    EXPECT_EQ(RunCli(args).code, 2) << args[0];
  }
  EXPECT_FALSE(fs::exists(dir_ / "one.fix"));
  EXPECT_FALSE(fs::exists(dir_ / "firsta.fix"));
}

}  // namespace
}  // namespace specbridge::cli
