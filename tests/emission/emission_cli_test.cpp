#include "cli/cli.hpp"
#include "cli/cli_support.hpp"
#include "support/test_support.hpp"

namespace specbridge::cli {
namespace {

namespace fs = std::filesystem;
using test::RunCli;
using ::testing::HasSubstr;

class EmissionCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"lamp.txt", "em1.txt", "em2.txt"}) {
      fs::copy_file(test::DataPath(std::string("emission/") + name), dir_ / name);
    }
    dir_.Write("low.txt", "600\t1\r\n700\t1\r\n");
    fs::create_directory(dir_ / "out");
  }
  std::string In(const char* name) const { return (dir_ / name).string(); }
  std::string Out(const char* name) const { return (dir_ / "out" / name).string(); }
  ::testing::AssertionResult Wrote(const char* name, const char* golden) const {
    return test::MatchesGolden(std::string("emission/expected/") + golden, test::Slurp(dir_ / "out" / name));
  }
  std::vector<std::string> Written() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_ / "out")) names.push_back(entry.path().filename().string());
    return names;
  }
  test::TempDir dir_;
};

TEST_F(EmissionCliTest, GeneratesSavesSelectsAppliesAndSavesBothSheets) {
  for (const bool aliases : {false, true}) {
    SCOPED_TRACE(aliases ? "menu names" : "short names");
    const test::CliResult result =
        RunCli({"emission", "--read-wdata", In("lamp.txt"), aliases ? "--generate-wfactor" : "--generate",
                "--save-wfactor", Out("lamp.wfc"), aliases ? "--select-wfactor" : "--select", Out("lamp.wfc"), "--open",
                In("em1.txt"), "--add", In("em2.txt"), aliases ? "--apply-correction" : "--apply", "--save-corrected",
                Out("cor.txt"), "-o", Out("all.txt")});
    EXPECT_EQ(result.code, 0) << result.err;
    EXPECT_TRUE(Wrote("lamp.wfc", "lamp.wfc"));
    EXPECT_TRUE(Wrote("cor.txt", "corrected.txt"));
    EXPECT_TRUE(Wrote("all.txt", "all.txt"));
    for (const char* name : {"lamp.wfc", "cor.txt", "all.txt"}) fs::remove(dir_ / "out" / name);
  }
}

TEST_F(EmissionCliTest, ACancelledReadWDataShowsTheLastWorkingSpectrum) {
  const test::CliResult result =
      RunCli({"emission", In("lamp.txt"), "--read-wdata", "", "--generate", "--save-wfactor", Out("lamp.wfc")});
  EXPECT_EQ(result.code, 0) << result.err;
  EXPECT_TRUE(Wrote("lamp.wfc", "lamp.wfc"));
}

TEST_F(EmissionCliTest, SavesThatWriteNothingFailTheRun) {
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const std::vector<Case> cases{
      {{In("lamp.txt"), "--save-wfactor", Out("lamp.wfc"), "-o", Out("all.txt")},
       "Save_WFactor did nothing: working spectrum 2 is not a lamp factor made by Generate_WFactor; " +
           Out("lamp.wfc") + " was not written"},
      {{In("em1.txt"), "--select", "", "--apply", "--save-corrected", Out("cor.txt")},
       "Save_Corrected did nothing: no corrected spectra in the working list; " + Out("cor.txt") + " was not written"},
      {{"--read-wdata", In("low.txt"), "--generate"},
       "Generate_WFactor: low.txt has no point above 700 nm after its first, where the factor is normalised to 1"},
      {{In("em1.txt"), "--select", In("em2.txt"), "--remove", "0", "-o", Out("all.txt")},
       "Save did nothing: the working list is empty"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args{"emission"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const test::CliResult result = RunCli(args);
    EXPECT_EQ(result.code, 1) << c.message;
    EXPECT_THAT(result.err, HasSubstr(c.message));
    EXPECT_EQ(Written(), std::vector<std::string>{}) << c.message;
  }
}

}  // namespace
}  // namespace specbridge::cli
