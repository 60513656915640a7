// Every input layout read into the grid, the quirks each layout must survive,
// and the files that must be refused whole.
#include <memory>
#include <optional>

#include "common/errors.hpp"
#include "common/numbers.hpp"
#include "common/text.hpp"
#include "kinetics/readers.hpp"
#include "support/test_support.hpp"

namespace specbridge::kinetics {
namespace {

using test::DataPath;
using test::MatchesGolden;

KineticFile ReadFixture(const std::string& name) {
  return ReadKineticFile(ReadFileBytes(DataPath("kinetics/" + name)), name);
}

struct LayoutCase {
  const char* fixture;
  Layout layout;
  const char* nmlow;
  const char* nmhigh;
  const char* points;
  const char* total;  // also Part
  std::optional<const char*> deadTime;
  std::optional<const char*> interval;
};

class KineticLayout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(KineticLayout, FillsTheGridAndTheFields) {
  const LayoutCase& c = GetParam();
  const KineticFile file = ReadFixture(c.fixture);
  EXPECT_EQ(file.layout, c.layout);
  const std::string stem = std::string(c.fixture).substr(0, std::string(c.fixture).find('.'));
  EXPECT_TRUE(MatchesGolden("kinetics/expected/" + stem + ".grid", file.grid.Dump()));
  EXPECT_EQ(file.nmlow, c.nmlow);
  EXPECT_EQ(file.nmhigh, c.nmhigh);
  EXPECT_EQ(file.points, c.points);
  EXPECT_EQ(file.total, c.total);
  EXPECT_EQ(file.part, c.total);
  EXPECT_EQ(file.deadTime, c.deadTime ? std::optional<std::string>(*c.deadTime) : std::nullopt);
  EXPECT_EQ(file.interval, c.interval ? std::optional<std::string>(*c.interval) : std::nullopt);
  EXPECT_EQ(file.header.has_value(), c.deadTime.has_value());
}

INSTANTIATE_TEST_SUITE_P(
    EveryLayout, KineticLayout,
    ::testing::Values(
        LayoutCase{"matrix.txt", Layout::TimeRowMatrix, "400", "410", "2", "3", {}, {}},
        // "0.50" is stored as 0.5; numbers end at the line end; an empty line is an empty column.
        LayoutCase{"matrix_quirks.txt", Layout::TimeRowMatrix, "400", "420", "4", "3", {}, {}},
        LayoutCase{"matrix_trailing_blank_lines.txt", Layout::TimeRowMatrix, "400", "400", "1", "3", {}, {}},
        LayoutCase{"wavelength_header.txt", Layout::WavelengthHeaderMatrix, "500", "510", "2", "3", {}, {}},
        // Raw value lines, blanks included; wavelengths spread evenly between the ends.
        LayoutCase{"title_header.ASC", Layout::TitleHeader, "400", "500", "3", "5", "2", "2"},
        // Descending header, values placed in reverse, a short line fills what it has.
        LayoutCase{"blank_table.txt", Layout::BlankTable, "600", "800", "3", "5", "0", "5"},
        // "##TITLE" on line 1 and "X/Z Mode" on line 3; a row with a tab too many keeps its time.
        LayoutCase{"specfit.txt", Layout::Specfit2D, "400", "420", "3", "4", "0.5", "1"}),
    [](const auto& info) {
      const std::string name = info.param.fixture;
      return name.substr(0, name.find('.'));
    });

TEST(KineticLayout, HeaderValuesOfTheTitleHeader) {
  const KineticFile file = ReadFixture("title_header.ASC");
  ASSERT_TRUE(file.header);
  EXPECT_EQ(file.header->WavelengthCount, 3);
  EXPECT_EQ(file.header->TimeCount, 5);
  EXPECT_EQ(file.header->FirstWavelength, 400);
  EXPECT_EQ(file.header->LastWavelength, 500);
  EXPECT_EQ(file.header->FirstTime, 2);
  EXPECT_EQ(file.header->LastTime, 10);
}

TEST(KineticLayout, RecognitionTakesTheLastTestThatMatches) {
  struct Case {
    const char* bytes;
    Layout layout;
  };
  for (const Case& c :
       {Case{"", Layout::TimeRowMatrix}, Case{"1 2\n3 4\n", Layout::TimeRowMatrix},
        Case{"\x94\x67\x92\xB7\n", Layout::WavelengthHeaderMatrix}, Case{"\x94\x67\n", Layout::TimeRowMatrix},
        Case{"##TITLE\r\n", Layout::TitleHeader}, Case{"##title\r\n", Layout::TimeRowMatrix},
        Case{" space\t\r\n", Layout::BlankTable}, Case{"spaces\r\n", Layout::TimeRowMatrix},
        Case{"a\rb\rX/Z Mode\r", Layout::Specfit2D}, Case{"space\n\nX/Z Mode\n", Layout::Specfit2D},
        Case{"\n\nX/Z mode\n", Layout::TimeRowMatrix}}) {
    EXPECT_EQ(RecognizeLayout(c.bytes), c.layout) << c.bytes;
  }
}

TEST(KineticLayout, ALineOfBlanksBeforeTheLineEndDoesNotReachIntoTheNextLine) {
  // Without a final line end no phantom 0 appears either.
  const KineticFile file = ReadKineticFile("0 1 2 \t\r\n400 0.1 0.2 \r\n410 0.3 0.4", "m.txt");
  EXPECT_EQ(file.grid.Dump(), "\t\t400\t410\r\n\t1\t0.1\t0.3\r\n\t2\t0.2\t0.4\r\n");
}

TEST(KineticNumbers, TokensStoredAsTheyStandAreTheirOwnShortRealText) {
  for (const char* token : {"0", "400", "-12.5", "0.1234", "0.0001", "-0.00012", "123456789012345", "12345678901234.5",
                            "0.123456789012345", "1500"}) {
    EXPECT_TRUE(IsShortRealText(token)) << token;
    EXPECT_EQ(ShortReal(TextToReal(token)), token);
  }
  for (const char* token : {"",
                            "-",
                            "-0",
                            "00",
                            "01.5",
                            "0.50",
                            "5.",
                            ".5",
                            "+1",
                            "1E3",
                            "0.00005",
                            " 1",
                            "1 ",
                            "1234567890123456",
                            "0.1234567890123456",
                            "1,5",
                            "0x10",
                            "1.2.3",
                            "--1",
                            "-.5"}) {
    EXPECT_FALSE(IsShortRealText(token)) << token;
  }
  // Any decimal of up to 15 digits the test accepts writes back unchanged.
  std::uint64_t seed = 1;
  for (int i = 0; i < 20000; ++i) {
    seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
    std::string digits = std::to_string(seed >> 20U).substr(0, 1 + (seed >> 8U) % 16);
    const std::size_t point = (seed >> 4U) % (digits.size() + 1);
    std::string token = (seed & 1U ? "-" : "") + digits.substr(0, point) + "." + digits.substr(point);
    if (point == 0) token.insert(token.find('.'), "0");
    if (IsShortRealText(token)) {
      EXPECT_EQ(ShortReal(TextToReal(token)), token);
    }
  }
}

struct FailureCase {
  const char* name;
  std::string bytes;
  const char* type;
  const char* message;
};

std::string Fixture(const char* name) { return ReadFileBytes(DataPath(std::string("kinetics/") + name)); }

std::string TitleHeaderWith(int wavelengths, int times) {
  std::string bytes = "##TITLE\n\n\n\n\n\n\n\n\n\n##FIRSTX=1\n##LASTX=2\n##NPOINTS=" + std::to_string(wavelengths) +
                      "\n\n\n##FIRSTX=1\n##LASTX=2\n##NPOINTS=" + std::to_string(times) + "\n";
  return bytes;
}

std::string TypeOf(const Failure& failure) {
  if (dynamic_cast<const ConversionError*>(&failure)) return "ConversionError";
  if (dynamic_cast<const FileError*>(&failure)) return "FileError";
  if (dynamic_cast<const MathError*>(&failure)) return "MathError";
  if (dynamic_cast<const CapacityError*>(&failure)) return "CapacityError";
  return "Failure";
}

// Value cells point into the file a reader read, or into the grid's own
// text when they are not a piece of it; copies keep both.
TEST(KineticGrid, ValueCellsFromTheFileAndFromElsewhere) {
  auto source = std::make_shared<const std::string>("400 0.5 1.25\n");
  KineticGrid copy;
  {
    KineticGrid grid(4, 3, source);
    const std::string_view file(*source);
    grid.SetCell(2, 1, file.substr(4, 3));
    grid.SetCell(3, 1, std::string("0.125"));  // a temporary: copied
    grid.SetCell(2, 2, file.substr(8, 4));
    grid.SetCell(3, 2, file.substr(13, 0));
    grid.SetCell(2, 1, std::string("7"));  // replaced after being a piece
    copy = grid;
  }
  source.reset();
  EXPECT_EQ(copy.Cell(2, 1), "7");
  EXPECT_EQ(copy.Cell(3, 1), "0.125");
  EXPECT_EQ(copy.Cell(2, 2), "1.25");
  EXPECT_EQ(copy.Cell(3, 2), "");
  EXPECT_EQ(copy.TextSize(), 13U + 6U);
}

TEST(KineticRefusal, NamesTheFileTheLineAndTheText) {
  // A label and 650 wavelengths: 651 fields.
  std::string wideLine = "space\n x";
  for (int i = 0; i < 650; ++i) wideLine += " 1";
  wideLine += "\n0 1\n";
  const std::vector<FailureCase> cases = {
      {"matrix_bad_token.txt", Fixture("matrix_bad_token.txt"), "ConversionError",
       "matrix_bad_token.txt, line 2: 'x' is not a valid floating point value"},
      {"title_header_truncated.ASC", Fixture("title_header_truncated.ASC"), "FileError",
       "title_header_truncated.ASC, line 31 is missing: the header announces 5 times of 3 values, up to line 39, "
       "but the file ends after line 30"},
      {"title_header_one_wavelength.ASC", Fixture("title_header_one_wavelength.ASC"), "MathError",
       "title_header_one_wavelength.ASC, line 13 ('##NPOINTS=1'): Invalid floating point operation (0 / 0)"},
      {"specfit_no_data_line.txt", Fixture("specfit_no_data_line.txt"), "FileError",
       "specfit_no_data_line.txt: no \"Data\" line follows the \"X/Z Mode\" header on line 3"},
      {"negative.ASC", TitleHeaderWith(-2, 1), "ConversionError",
       "negative.ASC, line 13: '-2' is not a count of wavelengths"},
      {"count.ASC", TitleHeaderWith(3, 0).replace(TitleHeaderWith(3, 0).find("NPOINTS=0"), 9, "NPOINTS=x"),
       "ConversionError", "count.ASC, line 18: 'x' is not a valid integer value"},
      {"one_time.ASC", TitleHeaderWith(2, 1), "MathError", "one_time.ASC, line 18 ('##NPOINTS=1'): Division by zero"},
      {"wide.ASC", TitleHeaderWith(3300, 1), "CapacityError",
       "wide.ASC: 3300 wavelengths; the grid holds at most 3299"},
      {"long.ASC", TitleHeaderWith(3, 20001), "CapacityError",
       "long.ASC: 20001 time rows; the grid holds at most 20000"},
      {"cells.ASC", TitleHeaderWith(3000, 2000), "CapacityError",
       "cells.ASC: 3000 wavelengths by 2000 time rows; the grid holds at most 4000000 cells"},
      {"wide.txt", wideLine, "CapacityError", "wide.txt, line 2: more than 650 fields on one line"},
      {"one_row.txt", "space\n x 3 2 1\n0 1 2 3\n", "MathError",
       "one_row.txt, one time row: Invalid floating point operation (0 / 0)"},
      {"no_times.txt", "space\n x 3 2 1\n", "ConversionError",
       "no_times.txt, line 3: '' is not a valid floating point value"},
      {"bad_header.txt", "space\nx 3 2 1 \n0 1 2 3\n1 1 2 3\n", "ConversionError",
       "bad_header.txt, line 2: '' is not a valid floating point value"},
      {"data_only.txt", "\n\nX/Z Mode\nData\n", "ConversionError",
       "data_only.txt, line 4: '' is not a valid floating point value"},
      {"last_time.txt", "\n\nX/Z Mode\nData\t1\t2\n0\t1\t2\nend\n", "ConversionError",
       "last_time.txt, line 6: 'end' is not a valid floating point value"},
  };
  for (const FailureCase& c : cases) {
    try {
      (void)ReadKineticFile(c.bytes, c.name);
      ADD_FAILURE() << c.name << ": nothing thrown";
    } catch (const Failure& failure) {
      EXPECT_EQ(TypeOf(failure), c.type) << c.name;
      EXPECT_EQ(failure.Message(), c.message) << c.name;
    }
  }
}

}  // namespace
}  // namespace specbridge::kinetics
