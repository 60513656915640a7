// The split into the treatment table and the write-back into the text. A
// table is compared as its rows, cells parted by "|", header row first.
#include <string>
#include <vector>

#include "columns/columns.hpp"
#include "support/test_support.hpp"

namespace specbridge::columns {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

std::vector<std::string> Rows(const TreatmentTable& table) {
  std::vector<std::string> rows;
  for (int r = 0; r < table.RowCount(); ++r) {
    std::string row;
    for (int c = 0; c < table.ColCount(); ++c) (c > 0 ? row += '|' : row) += table.Cell(c, r);
    rows.push_back(row);
  }
  return rows;
}

struct SplitCase {
  const char* name;
  std::vector<std::string> earlierText;  // split first, when not empty
  std::vector<std::string> text;
  std::vector<std::string> table;
  std::vector<std::string> updated;  // the text after "Update"
};

// Cases print as their names.
void PrintTo(const SplitCase& c, std::ostream* os) { *os << c.name; }

class Split : public ::testing::TestWithParam<SplitCase> {};

TEST_P(Split, FillsTheTableAndWritesItBackWithBlanks) {
  const SplitCase& c = GetParam();
  TreatmentTable table;
  if (!c.earlierText.empty()) SplitIntoTable(TextLines(c.earlierText), table);
  SplitIntoTable(TextLines(c.text), table);
  EXPECT_THAT(Rows(table), ElementsAreArray(c.table));
  TextLines text(c.text);
  UpdateSheet(table, text);
  EXPECT_THAT(text, ElementsAreArray(c.updated));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Split,
    ::testing::Values(
        SplitCase{"ThreeBlankSeparatedNumbers",
                  {},
                  {"1  2   3", " 4 5 6"},
                  {"Column 0|Column 1|Column 2", "1|2|3", "4|5|6"},
                  {"1 2 3", "4 5 6"}},
        SplitCase{"TabSheetComesBackWithBlanks",
                  {},
                  {"nm\tA\tB", "400\t0.1 \t 0.2"},
                  {"Column 0|Column 1|Column 2", "nm|A|B", "400|0.1|0.2"},
                  {"nm A B", "400 0.1 0.2"}},
        // A leading tab starts no field, so the header line is one field
        // short of the data lines: the table widens to keep their last one.
        SplitCase{"TabSheetWithEmptyCorner",
                  {},
                  {"\t400\t500", "1\t0.1\t0.2", "2\t0.3\t0.4"},
                  {"Column 0|Column 1|Column 2", "400|500|", "1|0.1|0.2", "2|0.3|0.4"},
                  {"400 500 ", "1 0.1 0.2", "2 0.3 0.4"}},
        SplitCase{"LinesWithoutBoundaryGoToColumnZero",
                  {},
                  {"1 2", "", "  x  ", "  y", "3 4"},
                  {"Column 0|Column 1", "1|2", "|", "x|", "y|", "3|4"},
                  {"1 2", " ", "x ", "y ", "3 4"}},
        SplitCase{"TrailingSeparatorGivesAnEmptyField",
                  {},
                  {"1 2 ", "3 4 5"},
                  {"Column 0|Column 1|Column 2", "1|2|", "3|4|5"},
                  {"1 2 ", "3 4 5"}},
        SplitCase{
            "EmptyMiddleCellsVanish", {}, {"1\t\t3", "4\t5"}, {"Column 0|Column 1", "1|3", "4|5"}, {"1 3", "4 5"}},
        SplitCase{"SeparatorFromLineOneAlone",
                  {},
                  {"1 2", "3\t4 5"},
                  {"Column 0|Column 1", "1|2", "3\t4|5"},
                  {"1 2", "3\t4 5"}},
        SplitCase{"NoBoundaryKeepsTheFourStartingColumns",
                  {},
                  {"  12", "a b  "},
                  {"|||", "  12|||", "a b  |||"},
                  {"  12   ", "a b     "}},
        SplitCase{
            "NoBoundaryKeepsTheLastColumnCount", {"1 2"}, {"\t7", "8 9"}, {"|", "\t7|", "8 9|"}, {"\t7 ", "8 9 "}},
        SplitCase{"NoCellOfTheLastSplitSurvives",
                  {"1 2 3", "4 5 6", "7 8 9"},
                  {"a b"},
                  {"Column 0|Column 1", "a|b"},
                  {"a b"}},
        SplitCase{"EmptyText", {}, {}, {"|||"}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Split, RefusesALineOverTheLimitAndKeepsTheTable) {
  TreatmentTable table;
  SplitIntoTable({"1 2"}, table);
  std::string wide = "0";
  for (int i = 1; i <= 100; ++i) (wide += '\t') += std::to_string(i);
  EXPECT_THROW_MSG(SplitIntoTable({"a\tb", "c", wide}, table), CapacityError,
                   "line 3: more than 100 fields (the limit of a line)");
  EXPECT_THAT(Rows(table), ElementsAre("Column 0|Column 1", "1|2"));
}

TEST(Update, WritesIntoTheTextAsItIsNow) {
  TreatmentTable table;
  SplitIntoTable({"1 2", "3 4"}, table);
  TextLines shorter{"x"};
  UpdateSheet(table, shorter);
  EXPECT_THAT(shorter, ElementsAre("1 2", "3 4"));
  TextLines longer{"a", "b", "c"};
  UpdateSheet(table, longer);
  EXPECT_THAT(longer, ElementsAre("1 2", "3 4", "c"));
}

}  // namespace
}  // namespace specbridge::columns
