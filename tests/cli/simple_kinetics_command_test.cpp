// specbridge-cli simple-kinetics: the default name, the printed boxes, and
// the runs that must write nothing.
#include "cli/replay_cases.hpp"

namespace specbridge::test {
namespace {

const std::string kFive = "simple_kinetics/five_wavelengths.ASC";
const std::string kFiveIn = "@D@/five_wavelengths.ASC";
const std::string kFiveGolden = "simple_kinetics/expected/five_wavelengths.txt";

std::string Boxes(const std::string& edit2, const std::string& edit4, const std::string& edit8) {
  return "Edit1=4\nEdit2=" + edit2 + "\nEdit3=1\nEdit4=" + edit4 +
         "\nEdit5=NONE\nEdit6=NONE\nEdit7=NONE\nEdit8=" + edit8 + "\nMIN=400\nMAX=408\n";
}

class SimpleKineticsCommand : public ::testing::TestWithParam<ReplayCase> {};

TEST_P(SimpleKineticsCommand, Runs) { CheckReplay(GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    Cases, SimpleKineticsCommand,
    ::testing::Values(
        // Without -o the save dialog's proposal: FILE less ".ASC", plus ".txt".
        ReplayCase{"DefaultName",
                   {kFive},
                   {"simple-kinetics", kFiveIn, "--print-boxes"},
                   0,
                   Boxes("4", "4", "NONE"),
                   "Wrote @D@/five_wavelengths.txt\n",
                   {{"five_wavelengths.txt", kFiveGolden}}},
        // A rule option presses "Conduct Exclusion"; Edit8 is not read while
        // Edit7 holds NONE and is printed as typed.
        ReplayCase{"BoxesPrintedAsTyped",
                   {kFive},
                   {"simple-kinetics", kFiveIn, "--every20-to", " NONE ", "-o", "@D@/out.txt", "--print-boxes"},
                   0,
                   Boxes("4", "4", " NONE "),
                   "Wrote @D@/out.txt\n",
                   {{"out.txt", kFiveGolden}}},
        ReplayCase{"RunOutsideTheFile",
                   {kFive},
                   {"simple-kinetics", kFiveIn, "--every-run-to", "9", "--print-boxes"},
                   1,
                   "",
                   "Edit4: run 9 is not one of the runs 1 to 4\n",
                   {}},
        ReplayCase{"MinAboveMax",
                   {kFive},
                   {"simple-kinetics", kFiveIn, "--min", "410", "--max", "402"},
                   1,
                   "",
                   "MIN '410' and MAX '402' leave no wavelength between them to save\n",
                   {}},
        ReplayCase{
            "NotATrace",
            {kFiveGolden},
            {"simple-kinetics", "@D@/five_wavelengths.txt"},
            1,
            "",
            "@D@/five_wavelengths.txt, line 11: '010\\x09-0.0001\\x090.2050' is not a valid floating point value\n",
            {}},
        ReplayCase{"OutputOverInput",
                   {kFive},
                   {"simple-kinetics", kFiveIn, "-o", kFiveIn},
                   1,
                   "",
                   "Refusing to write '@D@/five_wavelengths.ASC': it is the same file as the input "
                   "'@D@/five_wavelengths.ASC' of this run; nothing was written\n",
                   {}},
        ReplayCase{"UnknownBox",
                   {kFive},
                   {"simple-kinetics", kFiveIn, "--exclude-again", "Edit4=2,Edit9=1"},
                   2,
                   "",
                   "--exclude-again: this window has no box named 'Edit9'\nRun with --help for more information.\n",
                   {}},
        ReplayCase{"AssignmentWithoutEquals",
                   {kFive},
                   {"simple-kinetics", kFiveIn, "--exclude-again", "Edit4"},
                   2,
                   "",
                   "--exclude-again: expected NAME=T[,NAME=T]..., got 'Edit4'\nRun with --help for more information.\n",
                   {}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace specbridge::test
