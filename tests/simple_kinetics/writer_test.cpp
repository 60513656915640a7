// "Open", "Save" and the 2D-format file: the thinned axis, the MIN and MAX
// search, the fixed header and whole files against hand-made goldens.
#include "simple_kinetics/writer.hpp"
#include "common/text.hpp"
#include "simple_kinetics/converter.hpp"
#include "simple_kinetics_test_support.hpp"
#include "support/test_support.hpp"

namespace specbridge::simple_kinetics {
namespace {

using specbridge::test::DataPath;
using specbridge::test::MatchesGolden;
using test::Blocks;
using test::FailureOf;
using test::Header;
using test::TraceFile;

using Boxes = std::vector<std::pair<const char*, const char*>>;

void Type(SimpleKineticsConverter& converter, const Boxes& boxes) {
  for (const auto& [name, text] : boxes) converter.Boxes().Set(name, text);
}

// Line n (from 1) of a CR LF text.
std::string Line(const std::string& text, int n) {
  std::size_t start = 0;
  for (int i = 1; i < n; ++i) start = text.find("\r\n", start) + 2;
  return text.substr(start, text.find("\r\n", start) - start);
}

struct GoldenCase {
  const char* name;
  const char* input;
  Boxes typed;
  bool press;
  const char* golden;
  // Test names in CTest show the case name, not its bytes.
  friend void PrintTo(const GoldenCase& c, std::ostream* os) { *os << c.name; }
};

class Goldens : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(Goldens, WholeFile) {
  const GoldenCase& c = GetParam();
  SimpleKineticsConverter converter;
  const auto path = DataPath(std::string("simple_kinetics/") + c.input);
  converter.Open(ReadFileBytes(path), path);
  Type(converter, c.typed);
  if (c.press) converter.Button1Click();
  EXPECT_TRUE(MatchesGolden(std::string("simple_kinetics/expected/") + c.golden, converter.SaveBytes()));
}

INSTANTIATE_TEST_SUITE_P(
    Files, Goldens,
    ::testing::Values(GoldenCase{"OddCount", "five_wavelengths.ASC", {}, false, "five_wavelengths.txt"},
                      GoldenCase{
                          "EvenCountFullRectangle", "twenty_wavelengths.ASC", {}, false, "twenty_wavelengths.txt"},
                      GoldenCase{"RangeAndThinnedRuns",
                                 "twenty_wavelengths.ASC",
                                 {{"MIN", "403"}, {"MAX", "411.5"}, {"Edit4", "1"}, {"Edit5", "3"}},
                                 true,
                                 "twenty_wavelengths_403_to_411.5_runs_1_3.txt"}),
    [](const auto& info) { return std::string(info.param.name); });

struct AxisCase {
  const char* name;
  Header header;
  Boxes range;
  std::string data;      // line 9
  std::string firstRow;  // line 10
  // Test names in CTest show the case name, not its bytes.
  friend void PrintTo(const AxisCase& c, std::ostream* os) { *os << c.name; }
};

class Axis : public ::testing::TestWithParam<AxisCase> {};

TEST_P(Axis, LabelsTheWavelengthEachValueComesFrom) {
  const AxisCase& c = GetParam();
  SimpleKineticsConverter converter;
  converter.Open(TraceFile(c.header, Blocks(std::stoi(c.header.Nr), std::stoi(c.header.Nw))), "t.ASC");
  Type(converter, c.range);
  const std::string file = converter.SaveBytes();
  EXPECT_EQ(Line(file, 9), c.data);
  EXPECT_EQ(Line(file, 10), c.firstRow);
}

Header Wavelengths(const char* w1, const char* w2, const char* nw) {
  return {.W1 = w1, .W2 = w2, .Nw = nw, .T1 = "0", .T2 = "1", .Nr = "2"};
}

INSTANTIATE_TEST_SUITE_P(
    Wavelengths, Axis,
    ::testing::Values(
        AxisCase{"Odd", Wavelengths("400", "408", "5"), {}, "Data\t400\t404\t408", " 0.00\t1.0010\t1.0030\t1.0050"},
        // Values of wavelengths 1 and 3 (400 and 402); W2 = 403 is not written.
        AxisCase{"Even", Wavelengths("400", "403", "4"), {}, "Data\t400\t402", " 0.00\t1.0010\t1.0030"},
        AxisCase{"HalfRoundsAway",
                 Wavelengths("400", "401", "5"),
                 {},
                 "Data\t400\t401\t401",
                 " 0.00\t1.0010\t1.0030\t1.0050"},
        AxisCase{"WidthGrows", Wavelengths("990", "1010", "3"), {}, "Data\t990\t1010", " 0.00\t1.0010\t1.0030"},
        AxisCase{"Descending",
                 Wavelengths("408", "400", "3"),
                 {{"MIN", "399"}, {"MAX", "409"}},
                 "Data\t408\t400",
                 " 0.00\t1.0010\t1.0030"},
        // Axis 400, 402, ..., 420.
        AxisCase{"BetweenGridPoints",
                 Wavelengths("400", "420", "21"),
                 {{"MIN", "401"}, {"MAX", "405"}},
                 "Data\t400\t402\t404\t406",
                 " 0.00\t1.0010\t1.0030\t1.0050\t1.0070"},
        AxisCase{"OnOneGridPoint",
                 Wavelengths("400", "420", "21"),
                 {{"MIN", "402"}, {"MAX", "402"}},
                 "Data\t402",
                 " 0.00\t1.0030"},
        AxisCase{"BothInsideOneStep",
                 Wavelengths("400", "420", "21"),
                 {{"MIN", "405"}, {"MAX", "405"}},
                 "Data\t404\t406",
                 " 0.00\t1.0050\t1.0070"},
        // Both searches stay on the axis.
        AxisCase{"AboveTheAxis",
                 Wavelengths("400", "420", "21"),
                 {{"MIN", "1000"}, {"MAX", "2000"}},
                 "Data\t420",
                 " 0.00\t1.0210"},
        AxisCase{"BelowTheAxis",
                 Wavelengths("400", "420", "21"),
                 {{"MIN", "0"}, {"MAX", "100"}},
                 "Data\t400",
                 " 0.00\t1.0010"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Save, HeaderTabsFollowTheWrittenCount) {
  // n = 9: no trailing tab on lines 3 and 4, eight on lines 5 to 8.
  SimpleKineticsConverter converter;
  converter.Open(TraceFile(Wavelengths("400", "416", "17"), Blocks(2, 17)), "t.ASC");
  const std::string file = converter.SaveBytes();
  EXPECT_EQ(Line(file, 1), "Comment1\t\t\t\t\t\t\t\t\t");
  EXPECT_EQ(Line(file, 3), "X/Z Mode\tNm\tNw\tNc\tModel\tX-axis\tY-axis\tZ-axis\tPath\tTemp (C)");
  EXPECT_EQ(Line(file, 4), "2\t  2\t  9\t4\t4\t0\t0\t0\t1\t25");
  EXPECT_EQ(Line(file, 6), "1\t5.000E-05\t\t\t\t\t\t\t\t");
}

struct RefusedSave {
  const char* name;
  Header header;
  Boxes boxes;
  std::string failure;
  // Test names in CTest show the case name, not its bytes.
  friend void PrintTo(const RefusedSave& c, std::ostream* os) { *os << c.name; }
};

class RefusedSaves : public ::testing::TestWithParam<RefusedSave> {};

TEST_P(RefusedSaves, WriteNothing) {
  const RefusedSave& c = GetParam();
  SimpleKineticsConverter converter;
  converter.Open(TraceFile(c.header, Blocks(std::stoi(c.header.Nr), std::stoi(c.header.Nw))), "t.ASC");
  Type(converter, c.boxes);
  EXPECT_EQ(FailureOf([&] { converter.SaveBytes(); }), c.failure);
}

INSTANTIATE_TEST_SUITE_P(
    Saves, RefusedSaves,
    ::testing::Values(
        RefusedSave{"MinNotANumber",
                    Header(),
                    {{"MIN", "MIN"}},
                    "ConversionError: MIN: 'MIN' is not a valid floating point value"},
        RefusedSave{
            "MaxEmpty", Header(), {{"MAX", ""}}, "ConversionError: MAX: '' is not a valid floating point value"},
        RefusedSave{"MinAboveMax",
                    Wavelengths("400", "420", "21"),
                    {{"MIN", "410"}, {"MAX", "405"}},
                    "ConversionError: MIN '410' and MAX '405' leave no wavelength between them to save"},
        RefusedSave{"OneWavelength",
                    Wavelengths("400", "400", "1"),
                    {},
                    "MathError: t.ASC: the wavelength count 1 keeps a single wavelength, and the step between kept "
                    "wavelengths divides by zero"},
        RefusedSave{"TwoWavelengths",
                    Wavelengths("400", "401", "2"),
                    {},
                    "MathError: t.ASC: the wavelength count 2 keeps a single wavelength, and the step between kept "
                    "wavelengths divides by zero"},
        RefusedSave{"OneRun",
                    Header{.W1 = "400", .W2 = "408", .Nw = "5", .T1 = "0", .T2 = "3", .Nr = "1"},
                    {},
                    "MathError: t.ASC, time step (T2 - T1) / (Nr - 1): Division by zero"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Open, FillsTheBoxesAndProposesTheSaveFile) {
  SimpleKineticsConverter converter;
  EXPECT_EQ(converter.SaveFile(), "SaveFile");
  const auto path = DataPath("simple_kinetics/twenty_wavelengths.ASC");
  converter.Open(ReadFileBytes(path), path);
  const Boxes expected = {{"Edit1", "3"},    {"Edit2", "3"},    {"Edit3", "1"},    {"Edit4", "3"}, {"Edit5", "NONE"},
                          {"Edit6", "NONE"}, {"Edit7", "NONE"}, {"Edit8", "NONE"}, {"MIN", "400"}, {"MAX", "419"}};
  for (const auto& [name, text] : expected) EXPECT_EQ(converter.Boxes()[name], text) << name;
  EXPECT_EQ(converter.SaveFile(), DataPath("simple_kinetics/twenty_wavelengths.txt"));
  EXPECT_EQ(converter.Data().FileName, path);
}

TEST(Open, AFailedOpenKeepsTheFileBefore) {
  SimpleKineticsConverter converter;
  converter.Open(TraceFile(Header(), Blocks(4, 5)), "/d/good.ASC");
  converter.Boxes().Set("Edit5", "3");
  converter.Button1Click();
  const std::string saved = converter.SaveBytes();
  const BoxTexts boxes = converter.Boxes();

  EXPECT_EQ(FailureOf([&] { converter.Open(TraceFile(Header{.Nr = "9"}, Blocks(4, 5)), "/d/bad.ASC"); }),
            "FileError: /d/bad.ASC: the header announces 9 runs of 5 wavelengths (45 values), but the file holds 20 "
            "values");
  EXPECT_EQ(converter.SaveBytes(), saved);
  EXPECT_EQ(converter.SaveFile(), "/d/good.txt");
  for (const auto& box : boxes.All()) EXPECT_EQ(converter.Boxes()[box.name], box.text) << box.name;
}

TEST(Quit, DropsTheDataAndKeepsTheBoxes) {
  SimpleKineticsConverter converter;
  converter.Open(TraceFile(Header(), Blocks(4, 5)), "/d/good.ASC");
  converter.Boxes().Set("MIN", "402");
  converter.Quit1Click();
  EXPECT_EQ(FailureOf([&] { converter.SaveBytes(); }),
            "NoTraceData: No kinetic trace is open: choose File > Open first");
  EXPECT_EQ(converter.Boxes()["MIN"], "402");
  EXPECT_EQ(converter.Boxes()["Edit1"], "4");
}

TEST(ProposedSaveFile, DropsFourCharacters) {
  EXPECT_EQ(ProposedSaveFile("/data/k01.ASC"), "/data/k01.txt");
  EXPECT_EQ(ProposedSaveFile("/data/kinetics"), "/data/kine.txt");
  EXPECT_EQ(ProposedSaveFile("k.A"), ".txt");
}

}  // namespace
}  // namespace specbridge::simple_kinetics
