// specbridge-cli columns: sessions replayed in command-line order, saves
// along the way, and the runs that must write nothing (or, told to keep
// going, write and still fail).
#include "cli/replay_cases.hpp"

namespace specbridge::test {
namespace {

const std::string kSheet = "columns/irregular_blanks.txt";
const std::string kIn = "@D@/irregular_blanks.txt";
// The sheet after "Update" joined its cells by single blanks.
const std::string kBlankJoined = "400.0 0.100 0.200\r\n401.0 0.150 0.250\r\n402.0 0.125 \r\n403.0 0.175 0.300\r\n";
const std::vector<std::string> kDivideByZero = {"columns", kIn,     "--split", "--result-col", "1", "--first-col",
                                                "1",       "--op1", "divide",  "--const1",     "0", "--apply"};

std::vector<std::string> With(std::vector<std::string> args, const std::vector<std::string>& more) {
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

class ColumnsCommand : public ::testing::TestWithParam<ReplayCase> {};

TEST_P(ColumnsCommand, Runs) { CheckReplay(GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    Cases, ColumnsCommand,
    ::testing::Values(
        ReplayCase{"WithoutFileTheDesignText",
                   {},
                   {"columns", "-o", "@D@/m.txt"},
                   0,
                   "",
                   "Wrote @D@/m.txt\n",
                   {{"m.txt", "=Memo1\r\n"}}},
        ReplayCase{
            "SavedMidwayAndAtTheEnd",
            {kSheet},
            {"columns", kIn, "--spaces-to-tab", "--save", "@D@/tabs.txt", "--tab-to-space", "-o", "@D@/blanks.txt"},
            0,
            "",
            "Wrote @D@/tabs.txt\nWrote @D@/blanks.txt\n",
            {{"tabs.txt", "columns/expected/irregular_blanks_tabs.txt"},
             {"blanks.txt", "=400.0 0.100 0.200\r\n401.0 0.150 0.250\r\n402.0 0.125\r\n403.0 0.175 0.300\r\n"}}},
        // A value that looks like an option is the constant.
        ReplayCase{"NegativeConstant",
                   {kSheet},
                   {"columns", kIn, "--split", "--result-col", "1", "--first-col", "1", "--const1", "-1E0", "--apply",
                    "--update", "-o", "@D@/out.txt"},
                   0,
                   "",
                   "Wrote @D@/out.txt\n",
                   {{"out.txt", "=400.0 -0.1 0.200\r\n401.0 -0.15 0.250\r\n402.0 -0.125 \r\n403.0 -0.175 0.300\r\n"}}},
        ReplayCase{"CancelledOpenKeepsTheText",
                   {kSheet},
                   {"columns", kIn, "--open", "", "-o", "@D@/out.txt"},
                   0,
                   "",
                   "Wrote @D@/out.txt\n",
                   {{"out.txt", kSheet}}},
        ReplayCase{"DivisionByZero",
                   {kSheet},
                   With(kDivideByZero, {"--update", "-o", "@D@/out.txt"}),
                   1,
                   "",
                   "--apply: row 1, result Column 1: Division by zero\n",
                   {}},
        // The failed Apply left the table as it was; Update and the save go on.
        ReplayCase{"KeepGoingWritesAndFails",
                   {kSheet},
                   With(kDivideByZero, {"--update", "-o", "@D@/out.txt", "--keep-going"}),
                   1,
                   "",
                   "--apply: row 1, result Column 1: Division by zero\nWrote @D@/out.txt\n",
                   {{"out.txt", "=" + kBlankJoined}}},
        ReplayCase{"ColumnBeyondTheTable",
                   {kSheet},
                   {"columns", kIn, "--split", "--result-col", "3", "--apply", "-o", "@D@/out.txt"},
                   1,
                   "",
                   "--apply: The result column 3 is not in the table, whose last column is 2\n",
                   {}},
        ReplayCase{"NothingSaved",
                   {kSheet},
                   {"columns", kIn, "--split", "--update"},
                   1,
                   "",
                   "Nothing was saved: give -o OUT or --save OUT\n",
                   {}},
        ReplayCase{"ApplyAfterUpdate",
                   {kSheet},
                   {"columns", kIn, "--split", "--update", "--apply", "-o", "@D@/out.txt"},
                   2,
                   "",
                   "--apply: the treatment window is not shown: give --split before it\nRun with --help for more "
                   "information.\n",
                   {}},
        ReplayCase{"OutputOverInput",
                   {kSheet},
                   {"columns", kIn, "--tab-to-space", "-o", kIn},
                   1,
                   "",
                   "--output: Refusing to write '@D@/irregular_blanks.txt': it is the same file as the input "
                   "'@D@/irregular_blanks.txt' of this run; nothing was written\n",
                   {}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace specbridge::test
