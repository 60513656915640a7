// TabToSpace and SpacesToTab line by line: runs of blanks, leading and
// trailing separators, tabs inside and at the edges of fields, bytes that a
// signed char would mistake for control characters, and the field limit.
#include <string>
#include <vector>

#include "columns/columns.hpp"
#include "support/test_support.hpp"

namespace specbridge::columns {
namespace {

using ::testing::ElementsAre;

struct LineCase {
  const char* name;
  std::string line;
  std::string expected;
};

// Cases print as their names.
void PrintTo(const LineCase& c, std::ostream* os) { *os << c.name; }

std::string Name(const ::testing::TestParamInfo<LineCase>& info) { return info.param.name; }

class TabToSpaceLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(TabToSpaceLine, BecomesExpected) {
  TextLines lines{GetParam().line};
  TabToSpace(lines);
  EXPECT_THAT(lines, ElementsAre(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Lines, TabToSpaceLine,
                         ::testing::Values(LineCase{"TabsAtBothEnds", "\t1\t2\t", " 1 2 "},
                                           LineCase{"TwoTabsTwoBlanks", "a\t\tb", "a  b"}, LineCase{"Empty", "", ""},
                                           LineCase{"OtherBytesStay", "a\x81\x40\x01 b", "a\x81\x40\x01 b"}),
                         Name);

class SpacesToTabLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(SpacesToTabLine, BecomesExpected) {
  TextLines lines{GetParam().line};
  SpacesToTab(lines);
  EXPECT_THAT(lines, ElementsAre(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SpacesToTabLine,
    ::testing::Values(LineCase{"RunsAndLeadingBlanks", "  1   2   3", "1\t2\t3"},
                      LineCase{"TrailingBlanksLeaveOneTab", "1 2  ", "1\t2\t"}, LineCase{"TabThenBlank", "\t 1", "\t1"},
                      LineCase{"LeadingBlankOnlyIsNoBoundary", " 1", " 1"}, LineCase{"OneWord", "abc", "abc"},
                      LineCase{"Empty", "", ""}, LineCase{"BlanksOnly", "   ", "   "},
                      LineCase{"TabInsideFieldStays", "1\t2 3", "1\t2\t3"},
                      LineCase{"TabAtFieldEdgeFallsAway", "1 \t2\t", "1\t2"},
                      LineCase{"ControlCharactersTrimmed", "1\x01  2\x02 3", "1\t2\t3"},
                      LineCase{"FullWidthSpaceIsNoSeparator", "a\x81\x40 b\xe0", "a\x81\x40\tb\xe0"}),
    Name);

std::string Fields(int count, char separator) {
  std::string line = "0";
  for (int i = 1; i < count; ++i) (line += separator) += std::to_string(i);
  return line;
}

TEST(SpacesToTab, TakesOneHundredFieldsAndRefusesMoreBeforeAnyLineChanges) {
  TextLines lines{"1  2", Fields(100, ' ')};
  SpacesToTab(lines);
  EXPECT_EQ(lines[1], Fields(100, '\t'));

  lines = TextLines{"1  2", Fields(101, ' ')};
  EXPECT_THROW_MSG(SpacesToTab(lines), CapacityError, "line 2: more than 100 fields (the limit of a line)");
  EXPECT_THAT(lines, ElementsAre("1  2", Fields(101, ' ')));
}

}  // namespace
}  // namespace specbridge::columns
