#include "resave/sheet.hpp"

#include <string>
#include <vector>

#include "support/test_support.hpp"

namespace specbridge::resave {
namespace {

using namespace std::literals;
using test::MatchesGolden;
using test::SameBytes;

struct SaveCase {
  const char* name;
  std::string_view input;
  std::vector<int> omitRows;
  std::vector<int> omitColumns;
  std::string_view saved;
};

TEST(Sheet, SavesTheUnmarkedRowsAndColumns) {
  const SaveCase cases[] = {
      {"everything kept", "a\tb\r\nc\td\r\n", {}, {}, "a\tb\r\nc\td\r\n"},
      {"every column marked", "a\tb\r\nc\td\r\n", {}, {1, 2}, ""},
      {"every row marked", "a\tb\r\nc\td\r\n", {1, 2}, {}, ""},
      {"last column marked: no trailing tab", "a\tb\tc\r\n", {}, {3}, "a\tb\r\n"},
      {"first column marked", "a\tb\tc\r\n", {}, {1}, "b\tc\r\n"},
      {"empty lines are rows of empty cells", "a\tb\tc\r\n\r\n\r\n", {}, {2}, "a\tc\r\n\t\r\n\t\r\n"},
      {"lone CR, LF CR and a last line without end", "a\tb\rc\td\n\re\tf", {}, {}, "a\tb\r\nc\td\r\n\t\r\ne\tf\r\n"},
      {"a NUL ends the text", "a\tb\r\nc\0\td\r\n"sv, {}, {}, "a\tb\r\nc\t\r\n"},
      {"Ctrl-Z is an ordinary byte", "a\x1A\tb\r\n\x1A", {}, {}, "a\x1A\tb\r\n\x1A\t\r\n"},
      {"cells are bytes",
       "\x94\x67\x92\xB7 \tOmit\t-0\r\n 1 \t\t-0.0\r\n",
       {},
       {},
       "\x94\x67\x92\xB7 \tOmit\t-0\r\n 1 \t\t-0.0\r\n"},
      {"no tab in line 1: one column holds whole lines", "x\r\ny\tz\r\n", {}, {}, "x\r\ny\tz\r\n"},
      {"a row marked, every column kept: short lines padded, long ones whole",
       "a\tb\tc\r\nd\r\ne\tf\tg\th\r\n",
       {1},
       {},
       "d\t\t\r\ne\tf\tg\th\r\n"},
      {"empty file", "", {}, {}, ""},
      {"empty file, its one column marked", "", {}, {1}, ""},
  };
  for (const SaveCase& c : cases) {
    SCOPED_TRACE(c.name);
    Sheet sheet;
    sheet.Load(std::string(c.input), "in.txt");
    sheet.MarkRows(c.omitRows, true);
    sheet.MarkColumns(c.omitColumns, true);
    EXPECT_TRUE(SameBytes(c.saved, sheet.SaveText()));
  }
}

TEST(Sheet, GoldenFiles) {
  const struct {
    const char* input;
    std::vector<int> omitRows;
    std::vector<int> omitColumns;
    const char* expected;
  } cases[] = {
      {"three_tabs.txt", {1}, {2}, "three_tabs_column2_row1.txt"},
      {"ragged.txt", {}, {}, "ragged_all.txt"},
      {"ragged.txt", {1, 3}, {1}, "ragged_column1_rows13.txt"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expected);
    Sheet sheet;
    sheet.Read(test::DataPath(std::string("resave/") + c.input));
    sheet.MarkRows(c.omitRows, true);
    sheet.MarkColumns(c.omitColumns, true);
    EXPECT_TRUE(MatchesGolden(std::string("resave/") + c.expected, sheet.SaveText()));
  }
}

TEST(Sheet, GridOfARaggedSheet) {
  Sheet sheet;
  EXPECT_EQ(sheet.ColumnCount(), 0);
  EXPECT_EQ(sheet.RowCount(), 0);
  sheet.Read(test::DataPath("resave/ragged.txt"));
  EXPECT_EQ(sheet.FileName(), test::DataPath("resave/ragged.txt"));
  ASSERT_EQ(sheet.ColumnCount(), 3);
  ASSERT_EQ(sheet.RowCount(), 5);
  const std::vector<std::vector<std::string_view>> grid = {
      {"", "", ""},  {"", "a", "b"}, {"", "c", "d\te"},  // the extra tab stays in the last cell
      {"", "f", ""},                                     // a short line: the rest are empty
      {"", "", ""},
  };
  for (int r = 0; r < 5; ++r) {
    for (int c = 0; c < 3; ++c) EXPECT_EQ(sheet.Cell(c, r), grid[r][c]) << c << "," << r;
  }
}

TEST(Sheet, DoubleClickTogglesOnlyMarkerCells) {
  Sheet sheet;
  sheet.Load("nm\tA\r\n400\t0.1\r\n", "in.txt");
  EXPECT_TRUE(sheet.DoubleClick(2, 0));
  EXPECT_EQ(sheet.Cell(2, 0), "Omit");
  EXPECT_TRUE(sheet.DoubleClick(0, 1));
  EXPECT_EQ(sheet.Cell(0, 1), "Omit");
  EXPECT_TRUE(SameBytes("400\r\n", sheet.SaveText()));
  EXPECT_TRUE(sheet.DoubleClick(2, 0));  // twice: empty again
  EXPECT_EQ(sheet.Cell(2, 0), "");
  EXPECT_FALSE(sheet.DoubleClick(1, 1));  // a data cell
  EXPECT_FALSE(sheet.DoubleClick(0, 0));
  EXPECT_EQ(sheet.Cell(1, 1), "nm");
  EXPECT_EQ(sheet.Cell(0, 0), "");
  EXPECT_TRUE(SameBytes("400\t0.1\r\n", sheet.SaveText()));

  EXPECT_THROW_MSG(sheet.DoubleClick(3, 0), OutsideGrid,
                   "Cell 3,0 is outside the grid: it has columns 0 to 2 and it has rows 0 to 2");
  EXPECT_THROW_MSG(sheet.DoubleClick(0, -1), OutsideGrid,
                   "Cell 0,-1 is outside the grid: it has columns 0 to 2 and it has rows 0 to 2");
  Sheet unread;
  EXPECT_THROW_MSG(unread.DoubleClick(0, 0), OutsideGrid,
                   "Cell 0,0 is outside the grid: it has no columns and it has no rows");
}

TEST(Sheet, MarkListsAreCheckedBeforeAnyMarkChanges) {
  Sheet sheet;
  sheet.Load("a\tb\r\nc\td\r\n", "in.txt");
  const std::vector<int> rows{1, 3};
  EXPECT_THROW_MSG(sheet.MarkRows(rows, true), OutsideGrid, "Row 3 is outside the sheet: it has rows 1 to 2");
  EXPECT_FALSE(sheet.RowOmitted(1));
  const std::vector<int> columns{0};
  EXPECT_THROW_MSG(sheet.MarkColumns(columns, true), OutsideGrid,
                   "Column 0 is outside the sheet: it has columns 1 to 2");
  // Omitting a marked row keeps it marked; keeping clears it.
  const std::vector<int> one{1};
  sheet.MarkRows(one, true);
  sheet.MarkRows(one, true);
  EXPECT_TRUE(sheet.RowOmitted(1));
  sheet.MarkRows(one, false);
  EXPECT_FALSE(sheet.RowOmitted(1));
  Sheet empty;
  empty.Load("", "in.txt");
  EXPECT_THROW_MSG(empty.MarkRows(one, true), OutsideGrid, "Row 1 is outside the sheet: it has no rows");
}

TEST(Sheet, ReadAgainClearsTheMarksAndARefusedReadChangesNothing) {
  Sheet sheet;
  sheet.Load("a\tb\r\nc\td\r\n", "first.txt");
  sheet.DoubleClick(1, 0);
  sheet.DoubleClick(0, 2);

  // 99 tabs in line 1 (100 columns) and 100 in a later line are allowed.
  const std::string tabs99(99, '\t'), tabs100(100, '\t');
  Sheet wide;
  wide.Load(tabs99 + "\r\n" + tabs100 + "\r\n", "wide.txt");
  EXPECT_EQ(wide.ColumnCount(), 101);

  EXPECT_THROW_MSG(sheet.Load(tabs100 + "\r\n", "/d/wide.txt"), CapacityError,
                   "wide.txt, line 1: 100 tabs; the first line of a sheet may hold at most 99 (100 columns)");
  EXPECT_THROW_MSG(sheet.Load("a\r\nb\r\n" + tabs100 + "\t\r\n", "/d/long.txt"), CapacityError,
                   "long.txt, line 3: 101 tabs; a line of a sheet may hold at most 100");
  EXPECT_EQ(sheet.FileName(), "first.txt");
  EXPECT_EQ(sheet.Cell(1, 0), "Omit");
  EXPECT_EQ(sheet.Cell(1, 1), "a");
  EXPECT_TRUE(SameBytes("b\r\n", sheet.SaveText()));

  sheet.Load("x\ty\r\n", "second.txt");
  EXPECT_EQ(sheet.Cell(1, 0), "");
  EXPECT_EQ(sheet.Cell(0, 1), "");
  EXPECT_TRUE(SameBytes("x\ty\r\n", sheet.SaveText()));
}

TEST(Sheet, ANulThatCutsTheTextIsReported) {
  Sheet sheet;
  std::vector<std::string> warnings;
  const auto warn = [&warnings](std::string_view warning) { warnings.emplace_back(warning); };
  sheet.Load("a\tb\r\nc\0\td\r\n"s, "/d/cut.txt", warn);
  EXPECT_EQ(warnings,
            std::vector<std::string>{
                "cut.txt, line 2: a NUL byte ends the text here; the remaining 5 bytes of the file are not read"});
  sheet.Load("a\tb\r\n", "/d/whole.txt", warn);
  EXPECT_EQ(warnings.size(), 1U);
}

TEST(Sheet, SaveBeforeAnyReadIsEmpty) {
  Sheet sheet;
  EXPECT_FALSE(sheet.Loaded());
  EXPECT_EQ(sheet.SaveText(), "");
}

}  // namespace
}  // namespace specbridge::resave
