#include <string>
#include <vector>

#include "common/errors.hpp"
#include "formats/comma_column.hpp"
#include "formats/even_axis.hpp"
#include "formats/instrument_lines.hpp"
#include "formats/tab_column.hpp"
#include "formats/title_header.hpp"
#include "formats/uvprobe.hpp"
#include "support/test_support.hpp"

namespace specbridge::formats {
namespace {

// A spectrum export: line 1, nine header lines, the three range lines and
// two more header lines, then the values.
std::vector<std::string_view> TitleFile(std::vector<std::string_view> range) {
  std::vector<std::string_view> lines = {"##TITLE=t", "", "", "", "", "", "", "", "", ""};
  lines.insert(lines.end(), range.begin(), range.end());
  return lines;
}

TEST(TitleHeader, FieldsStandAtFixedPositionsWhateverTheLabels) {
  // Labels of 9, 8 and 10 bytes; a Shift-JIS label counts two bytes per character.
  const auto views = TitleFile({"\x94\x67\x92\xB7\x8A\x4A\x8E\x6E=400.0", "LAST....402", "POINTS....3"});
  const InstrumentLines file(views, "t.asc");
  ASSERT_TRUE(IsTitleHeader(file.Line(1)));
  EXPECT_EQ(TitleText(file, kFirstWavelength), "400.0");
  EXPECT_EQ(TitleReal(file, kFirstWavelength), 400.0);
  EXPECT_EQ(TitleInteger(file, kLastWavelength), 402);
  EXPECT_EQ(TitleInteger(file, kWavelengthCount), 3);
  // Lines 16 to 18 of a kinetics file are missing here: empty texts.
  EXPECT_EQ(TitleText(file, kFirstTime), "");
  EXPECT_THROW_MSG(NeededTitleText(file, kTimeCount), FileError,
                   "t.asc, line 18: the file ends after line 13 (truncated file?)");
}

TEST(TitleHeader, ConversionsNameFileLineAndText) {
  const auto views = TitleFile({"##FIRSTX=400.5", "##LASTX=4O2", "##NPOINTS"});
  const InstrumentLines file(views, "t.asc");
  EXPECT_THROW_MSG(TitleInteger(file, kFirstWavelength), ConversionError,
                   "t.asc, line 11: '400.5' is not a valid integer value");
  EXPECT_THROW_MSG(TitleReal(file, kLastWavelength), ConversionError,
                   "t.asc, line 12: '4O2' is not a valid floating point value");
  // A label line shorter than its label leaves empty text.
  EXPECT_THROW_MSG(TitleInteger(file, kWavelengthCount), ConversionError,
                   "t.asc, line 13: '' is not a valid integer value");
}

TEST(TitleHeader, TheMarkIsComparedExactly) {
  for (const char* line : {"##TITLE", "##TITLE=abc"}) EXPECT_TRUE(IsTitleHeader(line)) << line;
  for (const char* line : {"", "##TITL", "##title=a", " ##TITLE"}) EXPECT_FALSE(IsTitleHeader(line)) << line;
}

TEST(EvenlySpaced, DifferenceTimesIndexOverCountLessOnePlusFirst) {
  struct Case {
    double first, last;
    int count, i;
    double expected;
  };
  const Case cases[] = {
      {400, 402, 3, 1, 401},           {200, 800, 601, 600, 800}, {500, 400, 3, 1, 450},
      {400, 401, 4, 1, 400 + 1.0 / 3}, {0.1, 0.7, 7, 6, 0.7},     {-1e308, 1e308, 3, 2, 1e308},
  };
  for (const Case& c : cases) EXPECT_EQ(EvenlySpaced(c.first, c.last, c.count, c.i), c.expected) << c.count;
  EXPECT_THROW_MSG(EvenlySpaced(400, 400, 1, 0), MathError, "Invalid floating point operation (0 / 0)");
  // The difference of the ends may exceed a double; only a result beyond it fails.
  EXPECT_EQ(EvenlySpaced(-1.7e308, 1.7e308, 2, 1), 1.7e308);
  EXPECT_THROW_MSG(EvenlySpaced(0, 1e308, 2, 2), MathError, "Floating point overflow");
}

TEST(CommaColumn, WavelengthCommaValueByPosition) {
  struct Case {
    std::string_view line;
    std::size_t width, valueWidth;
    bool recognised;
    std::string_view wavelength, value;
  };
  const Case cases[] = {
      {"400.0,0.1234567890", 5, std::string_view::npos, true, "400.0", "0.1234567890"},
      {"400.0,0.1234567890", 5, 9, true, "400.0", "0.1234567"},
      {"1000.0,0.5", 6, std::string_view::npos, true, "1000.0", "0.5"},
      {"1000.0,0.5", 5, std::string_view::npos, false, "1000.", ",0.5"},
      {"400.0,", 5, 9, true, "400.0", ""},
      {"400 0 1", 5, 9, false, "400 0", "1"},
      {"", 5, 9, false, "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsCommaColumn(c.line, c.width), c.recognised) << c.line;
    EXPECT_EQ(CommaWavelengthText(c.line, c.width), c.wavelength) << c.line;
    EXPECT_EQ(CommaValueText(c.line, c.width, c.valueWidth), c.value) << c.line;
  }
}

TEST(TabColumn, CellsAroundTheTabs) {
  const auto cells = SplitAtTab(" 400 \t 1234.5 ");
  ASSERT_TRUE(cells);
  EXPECT_EQ(cells->before, " 400 ");
  EXPECT_EQ(cells->after, " 1234.5 ");
  // Searching from character 3 passes over a tab at 1 or 2.
  const auto later = SplitAtTab("\t4\t5", 3);
  ASSERT_TRUE(later);
  EXPECT_EQ(later->before, "\t4");
  EXPECT_EQ(later->after, "5");
  EXPECT_FALSE(SplitAtTab("4\t5", 3));
  EXPECT_FALSE(SplitAtTab("400 1"));

  const auto two = FirstTwoTabCells("400\t0.5\t0.6\t");
  ASSERT_TRUE(two);
  EXPECT_EQ(two->before, "400");
  EXPECT_EQ(two->after, "0.5");
  EXPECT_FALSE(FirstTwoTabCells("400\t0.5"));

  EXPECT_TRUE(HasTabWithin("4\t", 2, 12));
  EXPECT_TRUE(HasTabWithin("12345678901\t", 2, 12));
  EXPECT_FALSE(HasTabWithin("\t400", 2, 12));
  EXPECT_FALSE(HasTabWithin("123456789012\t", 2, 12));
  EXPECT_FALSE(HasTabWithin("", 2, 12));
}

TEST(TabTable, RecognisedByItsFirstAndTwentyThirdLine) {
  std::vector<std::string_view> lines(30, "");
  lines[0] = "File Name : a.txt";
  lines[22] = "Wavelength[nm]\tAbs";
  EXPECT_TRUE(IsTabTable(InstrumentLines(lines, "")));
  lines.resize(22);
  EXPECT_FALSE(IsTabTable(InstrumentLines(lines, "")));
}

TEST(ReadCommaPoint, ReadsOneOrTwoCommas) {
  const auto plain = ReadCommaPoint("400.0,0.532");
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->wavelength, 400);
  EXPECT_EQ(plain->value, 0.532);
  EXPECT_FALSE(ReadCommaPoint(""));
  EXPECT_FALSE(ReadCommaPoint("400.0 0.5"));
  EXPECT_FALSE(ReadCommaPoint("1,2,3,4"));
  EXPECT_THROW_MSG(ReadCommaPoint("400.0,abs"), ConversionError, "'abs' is not a valid floating point value");
}

// Two commas are a thousands separator only in its own form.
TEST(ReadCommaPoint, ReadsTwoCommasOnlyAsAThousandsSeparator) {
  struct Case {
    std::string_view line;
    double wavelength;
    double value;
  };
  for (const Case& c : {Case{"1,100.0,0.532", 1100, 0.532}, Case{"1,000,0.25", 1000, 0.25}, Case{"12,345.,1", 12345, 1},
                        Case{"999,999.999,-2", 999999.999, -2}}) {
    const auto point = ReadCommaPoint(c.line);
    ASSERT_TRUE(point) << c.line;
    EXPECT_EQ(point->wavelength, c.wavelength) << c.line;
    EXPECT_EQ(point->value, c.value) << c.line;
  }
  for (const std::string_view line :
       {"1100.0,1,5", "1,10.0,0.5", "1,1000.0,0.5", "1000,100.0,0.5", " 1,100.0,0.5", "1,100.0e3,0.5", "1,100.5.5,0.5",
        "-1,100.0,0.5", ",100.0,0.5", "1,,0.5", "1e306,000,1"}) {
    EXPECT_THROW_MSG(ReadCommaPoint(line), ConversionError,
                     "'" + std::string(line) +
                         "' has two commas, but not a wavelength with a thousands separator (as in 1,100.0,0.523)");
  }
}

TEST(UvProbe, RecognisedByTheQuotedWavelengthHeader) {
  EXPECT_TRUE(IsUvProbeExport("\"a.spc\"", "\"\x94\x67\x92\xB7 nm\",\"Abs\""));
  EXPECT_FALSE(IsUvProbeExport("a.spc", "\"\x94\x67\x92\xB7 nm\""));
  EXPECT_FALSE(IsUvProbeExport("\"a.spc\"", "\"Wavelength\""));
  EXPECT_FALSE(IsUvProbeExport("", ""));
}

}  // namespace
}  // namespace specbridge::formats
