// specbridge-cli resave: reads, marks and saves in command-line order, the
// default name, and the runs that must write nothing (or, told to keep
// going, write and still fail).
#include "cli/replay_cases.hpp"

namespace specbridge::test {
namespace {

const std::string kThree = "resave/three_tabs.txt";
const std::string kThreeIn = "@D@/three_tabs.txt";
const std::string kRagged = "resave/ragged.txt";

class ResaveCommand : public ::testing::TestWithParam<ReplayCase> {};

TEST_P(ResaveCommand, Runs) { CheckReplay(GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    Cases, ResaveCommand,
    ::testing::Values(
        // Without -o the save dialog's proposal: FILE followed by ".txt".
        ReplayCase{"DefaultName",
                   {kThree},
                   {"resave", kThreeIn, "--omit-rows", "1", "--omit-cols", "2"},
                   0,
                   "",
                   "Wrote @D@/three_tabs.txt.txt\n",
                   {{"three_tabs.txt.txt", "resave/three_tabs_column2_row1.txt"}}},
        // A second Read empties the marks; the final save follows the last file read.
        ReplayCase{"SaveThenReadAgain",
                   {kThree, kRagged},
                   {"resave", kThreeIn, "--save", "@D@/all.txt", "--omit-cols", "1", "--read", "@D@/ragged.txt"},
                   0,
                   "",
                   "Wrote @D@/all.txt\nWrote @D@/ragged.txt.txt\n",
                   {{"all.txt", kThree}, {"ragged.txt.txt", "resave/ragged_all.txt"}}},
        ReplayCase{"CancelledReadKeepsTheMarks",
                   {kThree},
                   {"resave", kThreeIn, "--omit-rows", "1", "--omit-cols", "2", "--read", "", "-o", "@D@/out.txt"},
                   0,
                   "",
                   "Wrote @D@/out.txt\n",
                   {{"out.txt", "resave/three_tabs_column2_row1.txt"}}},
        ReplayCase{"DataCellDoubleClicked",
                   {kThree},
                   {"resave", kThreeIn, "--dblclick", "1,1", "-o", "@D@/out.txt"},
                   0,
                   "",
                   "Wrote @D@/out.txt\n",
                   {{"out.txt", kThree}}},
        ReplayCase{"EmptyFile",
                   {"resave/empty.txt"},
                   {"resave", "@D@/empty.txt", "-o", "@D@/out.txt"},
                   0,
                   "",
                   "Wrote @D@/out.txt\n",
                   {{"out.txt", "="}}},
        // Checked before any mark changes: row 1 stays.
        ReplayCase{"RowOutsideTheGrid",
                   {kThree},
                   {"resave", kThreeIn, "--omit-rows", "1,9", "-o", "@D@/out.txt"},
                   1,
                   "",
                   "--omit-rows 1,9: Row 9 is outside the sheet: it has rows 1 to 3\n",
                   {}},
        ReplayCase{"KeepGoingWritesAndFails",
                   {kThree},
                   {"resave", kThreeIn, "--omit-rows", "1,9", "--omit-cols", "2", "--keep-going", "-o", "@D@/out.txt"},
                   1,
                   "",
                   "--omit-rows 1,9: Row 9 is outside the sheet: it has rows 1 to 3\nWrote @D@/out.txt\n",
                   {{"out.txt", "=nm\tB\tC\r\n400\t0.2\t0.3\r\n410\t0.5\t0.6\r\n"}}},
        ReplayCase{"CellOutsideTheGrid",
                   {kThree},
                   {"resave", kThreeIn, "--dblclick", "5,0"},
                   1,
                   "",
                   "--dblclick 5,0: Cell 5,0 is outside the grid: it has columns 0 to 4 and it has rows 0 to 3\n",
                   {}},
        ReplayCase{"NothingRead",
                   {},
                   {"resave", "--save", "@D@/out.txt"},
                   1,
                   "",
                   "Nothing was written: no file was read (give FILE or --read FILE)\n",
                   {}},
        ReplayCase{"SecondOutput",
                   {kThree},
                   {"resave", kThreeIn, "-o", "@D@/a.txt", "-o", "@D@/b.txt"},
                   2,
                   "",
                   "--output: At Most 1 required but received 2\nRun with --help for more information.\n",
                   {}},
        ReplayCase{"BackwardRange",
                   {kThree},
                   {"resave", kThreeIn, "--omit-cols", "3-1"},
                   2,
                   "",
                   "--omit-cols: expected numbers and ranges such as 3,5-7, got '3-1'\nRun with --help for more "
                   "information.\n",
                   {}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace specbridge::test
