#include "cli/cli.hpp"
#include "cli/cli_support.hpp"

#include "support/test_support.hpp"

namespace specbridge::cli {
namespace {

using ::testing::HasSubstr;

using test::RunCli;

TEST(Cli, PrintsVersionAndHelp) {
  const test::CliResult version = RunCli({"--version"});
  EXPECT_EQ(version.code, 0);
  EXPECT_THAT(version.out, HasSubstr("specbridge-cli 0."));

  const test::CliResult help = RunCli({"--help"});
  EXPECT_EQ(help.code, 0);
  EXPECT_THAT(help.out, HasSubstr("Usage: specbridge-cli"));
}

// "help COMMAND" builds every command, "COMMAND --help" only the one named:
// both must say the same.
TEST(Cli, HelpOfACommandReadsTheSameBothWays) {
  for (const char* command : {"titration", "fix-uvprobe", "resave", "batch"}) {
    const test::CliResult asked = RunCli({"help", command});
    const test::CliResult flagged = RunCli({command, "--help"});
    EXPECT_EQ(asked.code, 0);
    EXPECT_EQ(flagged.code, 0);
    EXPECT_THAT(asked.out, HasSubstr(std::string("Usage: specbridge-cli ") + command));
    EXPECT_EQ(asked.out, flagged.out) << command;
  }
}

TEST(Cli, UsageErrorsExitWithTwo) {
  EXPECT_EQ(RunCli({"no-such-command"}).code, 2);
  // An option the command lacks is named as such, not taken for a stray file.
  for (const char* option : {"--no-such", "-Z"}) {
    const test::CliResult unknown = RunCli({"resave", "a.txt", option, "b.txt"});
    EXPECT_EQ(unknown.code, 2);
    EXPECT_EQ(unknown.err, std::string("Unknown option: ") + option + "\nRun with --help for more information.\n");
  }
  EXPECT_EQ(RunCli({"--no-such-flag"}).code, 2);
  const test::CliResult bare = RunCli({});
  EXPECT_EQ(bare.code, 2);
  EXPECT_THAT(bare.out, HasSubstr("Usage"));
}

}  // namespace
}  // namespace specbridge::cli
