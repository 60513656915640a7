#include "fix/single_spectrum.hpp"

#include "case_name.hpp"
#include "common/errors.hpp"
#include "common/text.hpp"
#include "fix/fix_commands.hpp"
#include "support/test_support.hpp"

namespace specbridge::fix {
namespace {

using namespace std::string_literals;
using test::MatchesGolden;

// A MultiSpec export with these header values and absorbance lines.
std::vector<std::string> MultiSpec(const std::string& first, const std::string& last, const std::string& count,
                                   const std::vector<std::string>& values) {
  std::vector<std::string> lines = {"##TITLE=test"};
  for (int i = 2; i <= 10; ++i) lines.push_back("##LINE" + std::to_string(i));
  lines.push_back("##FIRSTX=" + first);
  lines.push_back("##LASTX=" + last);
  lines.push_back("##NPOINTS=" + count);
  lines.push_back("##FIRSTY=0");
  lines.push_back("##XYDATA=(X++(Y..Y))");
  lines.insert(lines.end(), values.begin(), values.end());
  return lines;
}

TEST(FixMultiSpec, SpreadsTheWavelengthsEvenlyFromFirstToLast) {
  std::vector<std::string> values(601, "0.1");
  const auto spectrum = ReadMultiSpecSpectrum(MultiSpec("200.000000", "800.000000", "601", values));
  ASSERT_TRUE(spectrum);
  ASSERT_EQ(spectrum->Count(), 601);
  for (int i = 0; i <= 600; ++i) ASSERT_EQ(spectrum->wavelengths[static_cast<std::size_t>(i)], 200.0 + i) << i;
  // Descending scans and uneven steps: (last - first) * i / (N - 1) + first.
  const auto down = ReadMultiSpecSpectrum(MultiSpec("500", "400", "3", {"1", "2", "3"}));
  ASSERT_TRUE(down);
  EXPECT_EQ(down->wavelengths, (std::vector<double>{500, 450, 400}));
  const auto third = ReadMultiSpecSpectrum(MultiSpec("400", "401", "4", {"1", "2", "3", "4"}));
  ASSERT_TRUE(third);
  EXPECT_DOUBLE_EQ(third->wavelengths[1], 400 + 1.0 / 3);
  EXPECT_EQ(third->absorbances, (std::vector<double>{1, 2, 3, 4}));
}

TEST(FixMultiSpec, LabelsAreSkippedByPositionNotByName) {
  // Only the character positions count: any 9-, 8- and 10-character labels.
  auto lines = MultiSpec("x", "x", "x", {"0.5", "0.25"});
  lines[10] = "FIRST....300";
  lines[11] = "LAST....310";
  lines[12] = "POINTS....2";
  lines.push_back("##END=");
  const auto spectrum = ReadMultiSpecSpectrum(lines);
  ASSERT_TRUE(spectrum);
  EXPECT_EQ(spectrum->wavelengths, (std::vector<double>{300, 310}));
  EXPECT_EQ(spectrum->absorbances, (std::vector<double>{0.5, 0.25}));
}

TEST(FixMultiSpec, ATitleLineIsRequiredExactly) {
  auto lines = MultiSpec("400", "401", "2", {"1", "2"});
  for (const char* title : {"##title=x", " ##TITLE=x", "#TITLE", "##TITL=x", "##TITLx", ""}) {
    lines[0] = title;
    EXPECT_FALSE(ReadMultiSpecSpectrum(lines)) << title;
  }
  EXPECT_FALSE(ReadMultiSpecSpectrum({}));
  lines[0] = "##TITLE";
  EXPECT_TRUE(ReadMultiSpecSpectrum(lines));
}

TEST(FixMultiSpec, FailuresNameTheLineAndTheText) {
  struct Case {
    std::vector<std::string> lines;
    const char* message;
  };
  const std::vector<Case> cases = {
      {MultiSpec("4OO", "401", "2", {"1", "2"}), "s.asc, line 11: '4OO' is not a valid floating point value"},
      {MultiSpec("400", "", "2", {"1", "2"}), "s.asc, line 12: '' is not a valid floating point value"},
      {MultiSpec("400", "401", "2 ", {"1", "2"}), "s.asc, line 13: '2 ' is not a valid integer value"},
      {MultiSpec("400", "401", "2", {"1", "0.5\t"}), "s.asc, line 17: '0.5\\x09' is not a valid floating point value"},
      {MultiSpec("400", "401", "0", {}), "s.asc, line 13: the point count 0 gives no spectrum; it must be at least 2"},
      {MultiSpec("400", "401", "-4", {}),
       "s.asc, line 13: the point count -4 gives no spectrum; it must be at least 2"},
  };
  for (const Case& c : cases) EXPECT_THROW_MSG(ReadMultiSpecSpectrum(c.lines, "s.asc"), ConversionError, c.message);
  // A too short header: lines 11 to 13 are missing.
  EXPECT_THROW_MSG(ReadMultiSpecSpectrum({"##TITLE", "2"}, "s.asc"), ConversionError,
                   "s.asc, line 11: '' is not a valid floating point value");
}

// Missing absorbances are never empty texts or zeros; a header cannot ask for
// more than any instrument writes.
TEST(FixMultiSpec, RefusesFilesShorterThanTheirHeaderAndHugeCounts) {
  EXPECT_THROW_MSG(ReadMultiSpecSpectrum(MultiSpec("400", "401", "3", {"1", "2"}), "s.asc"), FileError,
                   "s.asc, line 13: the header announces 3 points, but the file holds only 2 lines after its header");
  EXPECT_THROW_MSG(ReadMultiSpecSpectrum(MultiSpec("400", "401", "2", {}), "s.asc"), FileError,
                   "s.asc, line 13: the header announces 2 points, but the file holds only 0 lines after its header");
  EXPECT_THROW_MSG(ReadMultiSpecSpectrum(MultiSpec("400", "401", "2000000000", {"1"}), "s.asc"), CapacityError,
                   "s.asc, line 13: 2000000000 points; a spectrum holds at most 100000");
  EXPECT_NO_THROW(ReadMultiSpecSpectrum(MultiSpec("400", "401", "100000", std::vector<std::string>(100000, "1"))));
}

TEST(FixMultiSpec, OnePointCannotBeGivenWavelengths) {
  EXPECT_THROW_MSG(ReadMultiSpecSpectrum(MultiSpec("400", "400", "1", {"0.5"}), "one.asc"), MathError,
                   "one.asc, line 13: a single point cannot be spread from the first to the last wavelength (invalid "
                   "floating point operation, 0 / 0)");
}

TEST(FixUvProbe, CommasDecideThePoint) {
  const std::vector<std::string> lines = {
      "\"header\"",
      "\"Wavelength nm.\",\"Abs.\"",
      "400.0,0.500",    // one comma
      "1,000.0,0.250",  // thousands comma
      "",               // no comma: (0, 0) in its place
      "1,2,3,4",        // three commas: (0, 0)
      " 350 , -0.1 ",   // blanks around the numbers are allowed
  };
  const SingleSpectrum spectrum = ReadUvProbeSpectrum(lines);
  EXPECT_EQ(spectrum.wavelengths, (std::vector<double>{400, 1000, 0, 0, 350}));
  EXPECT_EQ(spectrum.absorbances, (std::vector<double>{0.5, 0.25, 0, 0, -0.1}));
}

TEST(FixUvProbe, AFileWithoutAPointGivesNoPoint) {
  EXPECT_EQ(ReadUvProbeSpectrum({}).Count(), 0);
  EXPECT_EQ(ReadUvProbeSpectrum({"a", "b"}).Count(), 0);
  EXPECT_EQ(ReadUvProbeSpectrum({"a", "b", "", " "}).Count(), 0);
  EXPECT_EQ(ReadUvProbeSpectrum({"a", "b", "", "1,2"}).Count(), 2);
}

TEST(FixUvProbe, RefusesTheLayoutOfAnotherInstrument) {
  EXPECT_THROW_MSG(ReadUvProbeSpectrum({"##TITLE=L", "##JCAMP-DX=4.24", "1,2"}, "l.asc"), FileError,
                   "l.asc looks like a MultiSpec \"##TITLE\" spectrum, not a UVProbe export (two header lines, then "
                   "one wavelength,value line per point)");
  EXPECT_THROW_MSG(ReadUvProbeSpectrum({"250.0,0.3807", "251.0,0.3949", "252.0,0.4080"}, "t.ASC"), FileError,
                   "t.ASC looks like a comma-column spectrum, not a UVProbe export: line 1 is the point "
                   "'250.0,0.3807' where the export has its first header line");
}

TEST(FixUvProbe, RefusesMoreLinesThanASpectrumHolds) {
  std::vector<std::string> lines(100'002, "400,1");
  lines[0] = lines[1] = "\"header\"";
  EXPECT_EQ(ReadUvProbeSpectrum(lines, "u.txt").Count(), 100'000);
  lines.emplace_back("400,1");
  EXPECT_THROW_MSG(ReadUvProbeSpectrum(lines, "u.txt"), CapacityError,
                   "u.txt: 100001 points; a spectrum holds at most 100000");
}

TEST(FixUvProbe, FailuresNameTheLineAndTheText) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"400.0;0.5,1", "u.txt, line 3: '400.0;0.5' is not a valid floating point value"},
      {"400.0,abs", "u.txt, line 3: 'abs' is not a valid floating point value"},
      {"1,100.0,", "u.txt, line 3: '' is not a valid floating point value"},
      // Two commas that are not a thousands separator: a decimal comma once
      // made 1100001 nm of this line.
      {"1100.0,1,5",
       "u.txt, line 3: '1100.0,1,5' has two commas, but not a wavelength with a thousands separator (as in "
       "1,100.0,0.523)"},
      {"x,100.0,0.5",
       "u.txt, line 3: 'x,100.0,0.5' has two commas, but not a wavelength with a thousands separator (as in "
       "1,100.0,0.523)"},
      {"1,1OO.0,0.5",
       "u.txt, line 3: '1,1OO.0,0.5' has two commas, but not a wavelength with a thousands separator (as in "
       "1,100.0,0.523)"},
      {"2,5,1",
       "u.txt, line 3: '2,5,1' has two commas, but not a wavelength with a thousands separator (as in 1,100.0,0.523)"},
      {"1e308,100,0.5",
       "u.txt, line 3: '1e308,100,0.5' has two commas, but not a wavelength with a thousands separator (as in "
       "1,100.0,0.523)"},
      {"\"400.0\",\"0.5\"", "u.txt, line 3: '\"400.0\"' is not a valid floating point value"},
  };
  for (const auto& [line, message] : cases) {
    EXPECT_THROW_MSG(ReadUvProbeSpectrum({"h", "h", line}, "u.txt"), ConversionError, message);
  }
}

TEST(FixConcentration, DividesEveryValueByTheTypedConcentration) {
  const std::vector<double> absorbances = {0.5, -0.25, 0};
  EXPECT_EQ(DivideByConcentration(absorbances, "0.5"), (std::vector<double>{1, -0.5, 0}));
  EXPECT_EQ(DivideByConcentration(absorbances, " -2 "), (std::vector<double>{-0.25, 0.125, -0.0}));
  const std::vector<double> tenThousand = DivideByConcentration(absorbances, "1e-4");
  EXPECT_DOUBLE_EQ(tenThousand[0], 5000);
  EXPECT_DOUBLE_EQ(tenThousand[1], -2500);
}

TEST(FixConcentration, RefusesTextsThatAreNotNumbersAndZero) {
  const std::vector<double> absorbances = {0.5, 0};
  EXPECT_THROW_MSG(DivideByConcentration(absorbances, "1,5"), ConversionError,
                   "Concentration: '1,5' is not a valid floating point value");
  EXPECT_THROW_MSG(DivideByConcentration(absorbances, "1e-4 mol"), ConversionError,
                   "Concentration: '1e-4 mol' is not a valid floating point value");
  EXPECT_THROW_MSG(DivideByConcentration(absorbances, "0"), MathError, "Concentration '0': Division by zero");
  const std::vector<double> zeroFirst = {0, 0.5};
  EXPECT_THROW_MSG(DivideByConcentration(zeroFirst, "0.0"), MathError,
                   "Concentration '0.0': Invalid floating point operation (0 / 0)");
  const std::vector<double> large = {1e300};
  EXPECT_THROW_MSG(DivideByConcentration(large, "1e-10"), MathError, "Concentration '1e-10': Floating point overflow");
}

// The spectrum files of the examples, divided by a typed concentration.
struct SpectrumGolden {
  SpectrumKind kind;
  const char* input;
  const char* concentration;
  const char* expected;
};

class FixSpectrumGolden : public ::testing::TestWithParam<SpectrumGolden> {};

TEST_P(FixSpectrumGolden, MatchesByteForByte) {
  const SpectrumGolden& c = GetParam();
  const std::string bytes = ReadFileBytes(test::DataPath(std::string("fix/") + c.input));
  const SingleSpectrum spectrum = LoadSpectrum(c.kind, bytes, c.input);
  EXPECT_TRUE(MatchesGolden(std::string("fix/") + c.expected, SpectrumFixText(c.kind, spectrum, c.concentration)));
}

// LF-only and CR-only forms of the same files give the same outputs.
TEST_P(FixSpectrumGolden, EveryLineEndGivesTheSameFile) {
  const SpectrumGolden& c = GetParam();
  const std::string bytes = ReadFileBytes(test::DataPath(std::string("fix/") + c.input));
  for (const std::string_view end : {"\n", "\r"}) {
    const SingleSpectrum spectrum = LoadSpectrum(c.kind, test::WithLineEnds(bytes, end), c.input);
    EXPECT_TRUE(MatchesGolden(std::string("fix/") + c.expected, SpectrumFixText(c.kind, spectrum, c.concentration)));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, FixSpectrumGolden,
    ::testing::Values(SpectrumGolden{SpectrumKind::kMultiSpecRows, "five_points.asc", "1e-4", "five_points_rows.fix"},
                      SpectrumGolden{SpectrumKind::kMultiSpecColumns, "five_points.asc", "1E-4",
                                     "five_points_columns.fix"},
                      SpectrumGolden{SpectrumKind::kUvProbe, "thousands_comma.txt", "0.001", "thousands_comma.fix"}),
    [](const auto& info) { return CaseName(info.param.expected); });

TEST(FixLoadSpectrum, RefusesFilesWithoutASpectrum) {
  EXPECT_THROW_MSG(LoadSpectrum(SpectrumKind::kMultiSpecRows, "400.0,0.5\r\n", "plain.asc"), FileError,
                   "plain.asc is not a MultiSpec spectrum file: its line 1 does not begin with \"##TITLE\"");
  EXPECT_THROW_MSG(LoadSpectrum(SpectrumKind::kMultiSpecColumns, "", "empty.asc"), FileError,
                   "empty.asc is not a MultiSpec spectrum file: its line 1 does not begin with \"##TITLE\"");
  EXPECT_THROW_MSG(LoadSpectrum(SpectrumKind::kUvProbe, "\"title\"\r\n\"nm\",\"Abs\"\r\n", "u.txt"), FileError,
                   "u.txt holds no data point: a UVProbe export has two header lines, then one line per point");
  EXPECT_THROW_MSG(LoadSpectrum(SpectrumKind::kUvProbe, "\"title\"\r\n\"nm\",\"Abs\"\r\n\r\n\r\n", "u.txt"), FileError,
                   "u.txt holds no data point: a UVProbe export has two header lines, then one line per point");
}

TEST(FixLoadSpectrum, ANulByteEndsTheTextWithAWarning) {
  std::vector<std::string> warnings;
  const MessageSink warn = [&](std::string_view text) { warnings.emplace_back(text); };
  const std::string uvProbe = "h\r\nh\r\n400,1\r\n401,2\0\r\n402,3\r\n"s;
  EXPECT_EQ(LoadSpectrum(SpectrumKind::kUvProbe, uvProbe, "u.txt", warn).Count(), 2);
  EXPECT_THAT(warnings,
              ::testing::ElementsAre(
                  "u.txt, line 4: a NUL byte ends the text here; the remaining 10 bytes of the file are not read"));
}

}  // namespace
}  // namespace specbridge::fix
