// The 2D-format file for titrations and the kinetics export: line layout,
// point selection, scaling and number texts.
#include "common/errors.hpp"
#include "common/text.hpp"
#include "support/test_support.hpp"
#include "titration/titration.hpp"
#include "titration_test_support.hpp"

namespace specbridge::titration {
namespace {

using specbridge::test::DataPath;
using specbridge::test::MatchesGolden;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

// The file cut into lines; every line must end with CR LF.
std::vector<std::string> SplitCrLf(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(bytes.substr(start, end - start));
  }
  EXPECT_EQ(start, bytes.size()) << "the file does not end with CR LF";
  return lines;
}

// N spectra of constant value (k + 1) / 4 over `wavelengths`, so that no
// scaling applies up to 20 spectra.
TitrationSeries Flat(int n, const std::vector<double>& wavelengths) {
  std::vector<std::vector<double>> values;
  for (int k = 0; k < n; ++k) values.emplace_back(wavelengths.size(), (k + 1) * 0.25);
  TitrationSeries s = test::MakeSeries(wavelengths, values);
  s.ConcentrationsReady = true;
  return s;
}

std::vector<std::string> Save(const TitrationSeries& s, const BoxTexts& boxes, int skipping = 0) {
  const auto grid = Calculate(test::ExampleBoxes(), s.UsedSpectrumCount);
  return SplitCrLf(WriteTitration2D(s, *grid, boxes, skipping));
}

std::string Tabs(int n) { return std::string(static_cast<std::size_t>(n), '\t'); }

TEST(Titration2D, TwelveSpectraCarryExtraHeaderTabsAndAllExperimentCells) {
  const auto lines = Save(Flat(12, {400}), test::ExampleBoxes());
  EXPECT_EQ(lines[0], "Titration A" + Tabs(12));
  EXPECT_EQ(lines[1],
            "pH 7\tV0=2 ml\tVt=0.01 ml\t[M]=0.0001 M\t[H+]=0 M\t[L1]=0.001 M (No. 1)\t[L2]=0.01 M (No. 3)"
            "\t[L3]=CL3 M (No. No3)\t[L4]=CL4 M (No. No4)\t\t\t\t");
  EXPECT_EQ(lines[2], Tabs(13));
  EXPECT_EQ(lines[3], "X/Z Mode\tNm\tNw\tNc\tModel\tX-axis\tY-axis\tZ-axis\tPath\tTemp (C)\t\t\t");
  EXPECT_EQ(lines[4], "1\t12\t1\t2\t2\t0\t0\t0\t1\t25\t\t\t\t");
  EXPECT_EQ(lines[8], "400\t0.25\t0.5\t0.75\t1\t1.25\t1.5\t1.75\t2\t2.25\t2.5\t2.75\t3\t");
}

TEST(Titration2D, OneSpectrumHasOnlyComment2OnLine2) {
  const auto lines = Save(Flat(1, {400, 401}), test::ExampleBoxes());
  EXPECT_EQ(lines[1], "pH 7\t");
  EXPECT_EQ(lines[4], "1\t1\t2\t2\t2\t0\t0\t0\t1\t25\t\t");
  EXPECT_EQ(lines.size(), 10U);
}

TEST(Titration2D, EmptyBoxesWriteSingleTabsOrEmptyValues) {
  BoxTexts boxes = test::ExampleBoxes();
  boxes.Set("V0", "");
  boxes.Set("Vt", "");
  boxes.Set("CL1", "");
  const auto lines = Save(Flat(6, {400}), boxes);
  EXPECT_EQ(lines[1], "pH 7\t\tVt= ml\t[M]=0.0001 M\t[H+]=0 M\t\t");
}

TEST(Titration2D, TemperatureIsAnIntegerOfWidthTwo) {
  for (const auto& [text, written] : std::vector<std::pair<std::string, std::string>>{
           {"25", "25"}, {"5", " 5"}, {" 7", " 7"}, {"100", "100"}, {"-3", "-3"}}) {
    BoxTexts boxes = test::ExampleBoxes();
    boxes.Set("Temp", text);
    EXPECT_EQ(Save(Flat(1, {400}), boxes)[4], "1\t1\t1\t2\t2\t0\t0\t0\t1\t" + written + "\t\t") << text;
  }
  BoxTexts boxes = test::ExampleBoxes();
  boxes.Set("Temp", "25.0");
  EXPECT_THROW_MSG(Save(Flat(1, {400}), boxes), ConversionError, "Temp: '25.0' is not a valid integer value");
}

TEST(Titration2D, SelectsTheWidenedRangeAndEverySkippingPlusFirstIndex) {
  const std::vector<double> w{398.5, 399, 399.5, 400, 450, 500, 500.5, 501, 501.5};
  struct Case {
    double xLow, xHigh;
    int skipping;
    std::vector<std::string> written;
  };
  const std::vector<Case> cases{
      {400, 500, 0, {"399.5", "400", "450", "500", "500.5"}},
      {400, 500, 1, {"399.5", "450", "500.5"}},  // even indices only
      {400, 500, 4, {"500"}},
      {398.5, 501.5, 2, {"398.5", "400", "500.5"}},
      {450, 450, 0, {"450"}},
  };
  for (const Case& c : cases) {
    TitrationSeries s = Flat(2, w);
    s.SelectedRange.xLow = c.xLow;
    s.SelectedRange.xHigh = c.xHigh;
    const auto lines = Save(s, test::ExampleBoxes(), c.skipping);
    std::vector<std::string> written;
    for (std::size_t i = 8; i < lines.size(); ++i) written.push_back(lines[i].substr(0, lines[i].find('\t')));
    EXPECT_EQ(written, c.written) << c.xLow << " " << c.skipping;
    EXPECT_EQ(lines[4].substr(0, 6), "1\t2\t" + std::to_string(c.written.size()) + "\t");
    EXPECT_EQ(CountSelectedPoints(s, c.skipping), static_cast<int>(c.written.size()));
  }
}

TEST(Titration2D, ScalesOnlyWhenTheLargestValueFoundExceedsFive) {
  struct Case {
    double largest;
    const char* line;  // the data line of the value 4 and the largest value
  };
  for (const Case& c : {Case{4, "400\t4\t4\t"}, Case{5, "400\t4\t5\t"}, Case{8, "400\t1\t2\t"}}) {
    TitrationSeries s = test::MakeSeries({400}, {{4}, {c.largest}});
    s.ConcentrationsReady = true;
    s.SelectedRange.yHigh = 1;  // the selected window does not matter
    EXPECT_EQ(Save(s, test::ExampleBoxes())[8], c.line) << c.largest;
  }
}

TEST(Titration2D, ConcentrationLinesUseFourDigitsWithoutSign) {
  ConcentrationGrid grid{
      {{"", "", "", ""}, {"0", "-0.0001000000", "0.0000001234567", "1"}, {"1", "0.0000995025", "0", "0.0000000000"}}};
  TitrationSeries s = Flat(2, {400});
  const auto lines = SplitCrLf(WriteTitration2D(s, grid, test::ExampleBoxes(), 0));
  EXPECT_EQ(lines[5], "2\t1.000E-04\t9.950E-05");
  EXPECT_EQ(lines[6], "2\t1.235E-07\t0.000E+00");
  EXPECT_EQ(lines[7], "[H+] = \t1.000E+00\t0.000E+00");
}

TEST(Titration2D, MissingOrEmptyGridCellsRefuseTheSave) {
  TitrationSeries s = Flat(3, {400});
  const auto grid = Calculate(test::ExampleBoxes(), 2);  // before Points for Meas. was raised
  EXPECT_THROW_MSG(WriteTitration2D(s, *grid, test::ExampleBoxes(), 0), ConversionError,
                   "[M] of point 2 (concentration grid column 3): the cell is empty; press Calculate again after "
                   "changing Points for Meas.");
  auto blank = *Calculate(test::ExampleBoxes(), 3);
  blank.columns[2][2] = "";
  EXPECT_THROW_MSG(WriteTitration2D(s, blank, test::ExampleBoxes(), 0), ConversionError,
                   "[L] of point 1 (concentration grid column 2): '' is not a valid floating point value");
}

// --- Number texts ---------------------------------------------------------------

TEST(TitrationNumberTexts, ValuesAndWavelengthsFitTheirFieldsWithoutLosingTheExponent) {
  struct Case {
    double value;
    const char* text;
  };
  const std::vector<Case> values{
      {0.123456789, "0.123456"},    {-0.0123456, "-0.01234"},    {0.00001234567, "1.235E-5"},
      {-0.00001234567, "-1.23E-5"}, {0.00005, "5E-5"},           {0, "0"},
      {9.99999e-5, "0.0001"},       {1.234567e-300, "1.2E-300"}, {123456789.5, "12345678"},
  };
  std::vector<double> w;
  std::vector<std::string> texts;
  for (const Case& c : values) {
    w.push_back(static_cast<double>(w.size()));
    texts.emplace_back(c.text);
  }
  std::vector<std::vector<double>> one(1);
  for (const Case& c : values) one[0].push_back(c.value);
  TitrationSeries s = test::MakeSeries(w, one);
  BoxTexts boxes = test::ExampleBoxes();
  const auto lines = SplitCrLf(WriteKinetics2D(s, boxes, false, {}));
  std::vector<std::string> cells;
  const std::string& row = lines[7];
  for (std::size_t p = row.find('\t'); p != std::string::npos;) {
    const std::size_t next = row.find('\t', p + 1);
    cells.push_back(row.substr(p + 1, next == std::string::npos ? next : next - p - 1));
    p = next;
  }
  EXPECT_THAT(cells, ElementsAreArray(texts));

  TitrationSeries waves = test::MakeSeries({400, 400.25, 1100.5}, {{1, 1, 1}});
  waves.ConcentrationsReady = true;
  const auto saved = Save(waves, test::ExampleBoxes());
  EXPECT_THAT(std::vector<std::string>(saved.begin() + 8, saved.end()),
              ElementsAre("400\t1\t", "400.2\t1\t", "1100.\t1\t"));
}

// --- Kinetics export --------------------------------------------------------------

struct KineticsFixture {
  TitrationSeries series;
  BoxTexts boxes = DefaultBoxes();
  KineticsFixture() {
    std::vector<std::string> buffer;
    OpenSeries(series, DataPath("titration/comma/comma00.ASC"), boxes, buffer, nullptr);
    boxes.Set("Comment1", "Kinetics A");
    boxes.Set("Comment2", "25 C");
  }
};

TEST(TitrationKinetics2D, ComputedTimes) {
  KineticsFixture f;
  EXPECT_TRUE(MatchesGolden("titration/expected/kinetics_computed.txt", WriteKinetics2D(f.series, f.boxes, false, {})));
  EXPECT_EQ(f.boxes["Temp"], "20");  // the box shows what was written
}

TEST(TitrationKinetics2D, TimesFromAFile) {
  KineticsFixture f;
  const auto times = ReadTimesFile(ReadFileBytes(DataPath("titration/times/times.txt")), "times.txt");
  EXPECT_THAT(times, ElementsAre(10, 26, 40));
  EXPECT_TRUE(
      MatchesGolden("titration/expected/kinetics_times_file.txt", WriteKinetics2D(f.series, f.boxes, true, times)));
}

// The times file's golden with each kind of line end: the same times and file.
TEST(TitrationKinetics2D, TimesFilesOfEveryLineEnd) {
  const std::string bytes = ReadFileBytes(DataPath("titration/times/times.txt"));
  for (const std::string_view end : {"\n", "\r\n", "\r"}) {
    KineticsFixture f;
    const auto times = ReadTimesFile(specbridge::test::WithLineEnds(bytes, end), "times.txt");
    EXPECT_THAT(times, ElementsAre(10, 26, 40));
    EXPECT_TRUE(
        MatchesGolden("titration/expected/kinetics_times_file.txt", WriteKinetics2D(f.series, f.boxes, true, times)));
  }
}

// The user asked for the file's times: too few of them refuse the export
// instead of labelling it with computed times.
TEST(TitrationKinetics2D, RefusesATimesFileShorterThanTheSeries) {
  TitrationSeries s = Flat(4, {400});
  BoxTexts boxes = DefaultBoxes();
  EXPECT_THROW_MSG(WriteKinetics2D(s, boxes, true, {5, 6, 7}), FileError,
                   "The times file holds 3 times, but the series has 4 spectra; nothing was written");
  EXPECT_EQ(boxes["Temp"], "Temp");
  EXPECT_THROW_MSG(WriteKinetics2D(s, boxes, true, {}), FileError,
                   "The times file holds 0 times, but the series has 4 spectra; nothing was written");
}

TEST(TitrationKinetics2D, TimeLabels) {
  struct Case {
    const char* initial;
    const char* interval;
    bool fromFile;
    std::vector<int> list;
    std::vector<std::string> labels;
  };
  const std::vector<Case> cases{
      {"0.5", "1", false, {}, {"0", "2", "2", "4"}},  // halves to even
      {"0", "300", false, {}, {"0", "300", "600", "900"}},
      {"0", "300", true, {5, 6, 7, 8, 9}, {"5", "6", "7", "8"}},
      {"0", "300", false, {5, 6, 7, 8}, {"0", "300", "600", "900"}},
      {"x", "", true, {1, 2, 3, 4}, {"1", "2", "3", "4"}},  // the boxes are not needed
      {"-10", "-2.5", false, {}, {"-10", "-12", "-15", "-18"}},
  };
  for (const Case& c : cases) {
    TitrationSeries s = Flat(4, {400});
    BoxTexts boxes = DefaultBoxes();
    boxes.Set("Edit9", c.initial);
    boxes.Set("Edit10", c.interval);
    const auto lines = SplitCrLf(WriteKinetics2D(s, boxes, c.fromFile, c.list));
    std::vector<std::string> labels;
    for (std::size_t i = 7; i < lines.size(); ++i) labels.push_back(lines[i].substr(0, lines[i].find('\t')));
    EXPECT_EQ(labels, c.labels) << c.initial << " " << c.interval;
  }
  TitrationSeries s = Flat(2, {400});
  BoxTexts boxes = DefaultBoxes();
  boxes.Set("Edit10", "5 s");
  EXPECT_THROW_MSG(WriteKinetics2D(s, boxes, false, {}), ConversionError,
                   "interval time (Edit10): '5 s' is not a valid floating point value");
}

TEST(TitrationKinetics2D, SixHundredOnePointsAndAllSpectraWhateverPointsForMeas) {
  std::vector<double> w;
  for (int i = 0; i < 601; ++i) w.push_back(300 + i);
  TitrationSeries s = Flat(3, w);
  s.UsedSpectrumCount = 1;
  BoxTexts boxes = DefaultBoxes();
  boxes.Set("Temp", "25.5");
  const auto lines = SplitCrLf(WriteKinetics2D(s, boxes, false, {}));
  EXPECT_EQ(lines.size(), 10U);
  EXPECT_EQ(lines[0], "Comment1" + Tabs(601));
  EXPECT_EQ(lines[2], "X/Z Mode\tNm\tNw\tNc\tModel\tX-axis\tY-axis\tZ-axis\tPath\tTemp (C)" + Tabs(592));
  EXPECT_EQ(lines[3], "2\t  3\t601\t2\t4\t0\t0\t0\t1\t25.5" + Tabs(592));
  EXPECT_EQ(lines[4], "1\t0.00001" + Tabs(600));
  EXPECT_EQ(lines[5], "1\t0.0000" + Tabs(600));
  EXPECT_EQ(boxes["Temp"], "25.5");
}

TEST(TitrationKineticsGuard, MessagesInOrder) {
  struct Case {
    const char* edit9;
    const char* edit10;
    const char* comment1;
    std::vector<std::string> messages;
  };
  const std::string times(kTimesMissingMessage);
  const std::string comment(kComment1MissingMessage);
  const std::vector<Case> cases{
      {"0", "300", "Run 1", {}},
      {"", "300", "Run 1", {times}},
      {"0", "", "Run 1", {times}},
      {"0", "300", "  Comment1 ", {comment}},
      {"", "", "Comment1", {times, comment}},
  };
  for (const Case& c : cases) {
    BoxTexts boxes = DefaultBoxes();
    boxes.Set("Edit9", c.edit9);
    boxes.Set("Edit10", c.edit10);
    boxes.Set("Comment1", c.comment1);
    EXPECT_EQ(KineticsGuardMessages(boxes), c.messages) << c.edit9 << "|" << c.edit10 << "|" << c.comment1;
    EXPECT_EQ(KineticsGuardPassed(boxes), c.messages.empty());
  }
  EXPECT_EQ(times,
            "The initial and interval times are missing!  Please fill the corresponding boxes with appropriate values");
}

TEST(TitrationTimesFile, ReadsTheLeadingNumberOfEveryLine) {
  EXPECT_THAT(ReadTimesFile("0.5\r\n1.5 s\r\n2.5\t x\r\n  3.5\r\n-0.5", "t"), ElementsAre(0, 2, 2, 4, 0));
  EXPECT_THAT(ReadTimesFile("", "t"), ElementsAre());
  EXPECT_THROW_MSG(ReadTimesFile("1\n2\nthree\n", "times.txt"), ConversionError,
                   "times.txt, line 3: 'three' is not a valid floating point value");
  std::string many;
  for (int i = 0; i < 500; ++i) many += std::to_string(i) + "\r\n";
  EXPECT_EQ(ReadTimesFile(many, "t").size(), 500U);
  EXPECT_THROW_MSG(ReadTimesFile(many + "500\r\n", "many.txt"), CapacityError,
                   "many.txt, line 501: a times file holds at most 500 times");
  EXPECT_THROW_MSG(ReadTimesFile("1E12\n", "big.txt"), MathError,
                   "big.txt, line 1: the time 1000000000000 is beyond the integer range");
  std::vector<std::string> warnings;
  EXPECT_THAT(ReadTimesFile(std::string("1\r2\r3\0\r4\r", 8), "t.txt",
                            [&](std::string_view text) { warnings.emplace_back(text); }),
              ElementsAre(1, 2, 3));
  EXPECT_THAT(
      warnings,
      ElementsAre("t.txt, line 3: a NUL byte ends the text here; the remaining 3 bytes of the file are not read"));
}

}  // namespace
}  // namespace specbridge::titration
