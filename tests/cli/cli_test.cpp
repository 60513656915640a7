#include "cli/cli.hpp"

#include <sstream>

#include "support/test_support.hpp"

namespace specbridge::cli {
namespace {

using ::testing::HasSubstr;

struct Result {
  int code;
  std::string out, err;
};

Result RunCli(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int code = Run(args, out, err);
  return {code, out.str(), err.str()};
}

TEST(Cli, PrintsVersionAndHelp) {
  const Result version = RunCli({"--version"});
  EXPECT_EQ(version.code, 0);
  EXPECT_THAT(version.out, HasSubstr("specbridge-cli 0."));

  const Result help = RunCli({"--help"});
  EXPECT_EQ(help.code, 0);
  EXPECT_THAT(help.out, HasSubstr("Usage: specbridge-cli"));
}

TEST(Cli, UsageErrorsExitWithTwo) {
  EXPECT_EQ(RunCli({"no-such-command"}).code, 2);
  EXPECT_EQ(RunCli({"--no-such-flag"}).code, 2);
  const Result bare = RunCli({});
  EXPECT_EQ(bare.code, 2);
  EXPECT_THAT(bare.out, HasSubstr("Usage"));
}

}  // namespace
}  // namespace specbridge::cli
