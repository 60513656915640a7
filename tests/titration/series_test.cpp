// Opening series of every instrument layout, finding series on disk, and the
// refusals that must leave the previous series whole.
#include <functional>

#include "common/errors.hpp"
#include "common/numbers.hpp"
#include "common/text.hpp"
#include "support/test_support.hpp"
#include "titration/titration.hpp"
#include "titration_test_support.hpp"

namespace specbridge::titration {
namespace {

using namespace std::string_literals;
using specbridge::test::DataPath;
using specbridge::test::MatchesGolden;
using specbridge::test::TempDir;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

struct Opened {
  TitrationSeries series;
  BoxTexts boxes = test::ExampleBoxes();
  std::vector<std::string> lineBuffer;
  std::vector<std::string> messages;

  void Open(const std::filesystem::path& chosen) {
    OpenSeries(series, chosen, boxes, lineBuffer, [this](std::string_view m) { messages.emplace_back(m); });
  }
  std::string Save(int skipping = 0) {
    const auto grid = Calculate(boxes, series.UsedSpectrumCount);
    EXPECT_TRUE(grid.has_value());
    series.ConcentrationsReady = true;
    return WriteTitration2D(series, *grid, boxes, skipping);
  }
};

struct LayoutCase {
  const char* chosen;
  int fileCount;
  int pointCount;
  int messages;
  const char* golden;
};

class TitrationLayoutGolden : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(TitrationLayoutGolden, OpensAndSavesByteExact) {
  const LayoutCase& c = GetParam();
  Opened o;
  o.Open(DataPath(std::string("titration/") + c.chosen));
  EXPECT_EQ(o.series.FileCount, c.fileCount);
  EXPECT_EQ(o.series.UsedSpectrumCount, c.fileCount);
  EXPECT_EQ(o.series.PointCount, c.pointCount);
  EXPECT_EQ(static_cast<int>(o.messages.size()), c.messages);
  EXPECT_TRUE(MatchesGolden(std::string("titration/expected/") + c.golden, o.Save()));
}

// Every file of the layout's folder with LF-only and CR-only line ends: the
// same series and the same output. A CR-only "2D" sheet was once not seen as
// a sheet at all.
TEST_P(TitrationLayoutGolden, EveryLineEndOpensTheSameSeries) {
  const LayoutCase& c = GetParam();
  const std::filesystem::path chosen(c.chosen);
  for (const std::string_view end : {"\n", "\r"}) {
    TempDir dir;
    for (const auto& entry : std::filesystem::directory_iterator(DataPath("titration") / chosen.parent_path())) {
      dir.Write(entry.path().filename().string(), specbridge::test::WithLineEnds(ReadFileBytes(entry.path()), end));
    }
    Opened o;
    o.Open(dir.Path() / chosen.filename());
    EXPECT_EQ(o.series.FileCount, c.fileCount);
    EXPECT_EQ(o.series.PointCount, c.pointCount);
    EXPECT_TRUE(MatchesGolden(std::string("titration/expected/") + c.golden, o.Save()));
  }
}

TEST(TitrationOpenSeries, ANulByteEndsAFileWithAWarning) {
  TempDir dir;
  dir.Write("n00.ASC", "400.0,0.1\r\n401.0,0.2\r\n402.0,0.3\0\r\n403.0,0.4\r\n"s);
  Opened o;
  o.Open(dir / "n00.ASC");
  EXPECT_EQ(o.series.PointCount, 3);
  EXPECT_THAT(o.messages, ElementsAre("n00.ASC, line 3: a NUL byte ends the text here; the remaining 14 bytes of "
                                      "the file are not read"));
}

INSTANTIATE_TEST_SUITE_P(EveryLayout, TitrationLayoutGolden,
                         ::testing::Values(LayoutCase{"comma/comma01.ASC", 3, 4, 0, "comma.txt"},
                                           LayoutCase{"wide_comma/wide00.ASC", 2, 3, 0, "wide_comma.txt"},
                                           LayoutCase{"title_header/title00.ASC", 1, 5, 0, "title_header.txt"},
                                           LayoutCase{"quoted_comma/quoted01.ASC", 2, 4, 0, "quoted_comma.txt"},
                                           LayoutCase{"count_header/count00.ASC", 2, 8, 0, "count_header.txt"},
                                           LayoutCase{"tab_layout/tab00.ASC", 2, 4, 1, "tab_layout.txt"},
                                           LayoutCase{"sheet/sheet.txt", 3, 4, 0, "sheet.txt"}),
                         [](const auto& info) {
                           const std::string golden = info.param.golden;
                           return golden.substr(0, golden.find('.'));
                         });

TEST(TitrationOpenSeries, SetsTheBoxesItOwns) {
  Opened o;
  o.Open(DataPath("titration/comma/comma02.ASC"));
  const auto& b = o.boxes;
  EXPECT_EQ(b["Extention"], "ASC");
  EXPECT_EQ(b["Edit6"], "3");
  EXPECT_EQ(b["Edit7"], "4");
  EXPECT_EQ(b["Edit8"], "0.5 nm-div.");
  EXPECT_EQ(b["Edit1"], "400.00");
  EXPECT_EQ(b["Edit2"], "401.50");
  EXPECT_EQ(b["Edit3"], "-0.01");
  EXPECT_EQ(b["Edit4"], "2.00");
  EXPECT_EQ(o.series.ProposedSaveFile, DataPath("titration/comma") / "comma.txt");
  EXPECT_EQ(o.series.SeriesBase, "comma");
  EXPECT_EQ(o.series.DataRange, (PlotRange{400, 401.5, -0.0123456, 2}));
  EXPECT_EQ(o.series.SelectedRange, o.series.DataRange);
  // The buffer shows the last file read, here one without a final line end.
  EXPECT_THAT(o.lineBuffer, ElementsAre("400.0,1", "400.5,1.25", "401.0,1.75", "401.5,2"));
  EXPECT_EQ(o.messages.size(), 0U);
}

TEST(TitrationOpenSeries, ReportsTheTabLayoutMessageOncePerBadLine) {
  Opened o;
  o.Open(DataPath("titration/tab_layout/tab01.ASC"));
  EXPECT_THAT(o.messages, ElementsAre("This does not match the required format!!  Check the_file now!"));
}

TEST(TitrationOpenSeries, SheetKeepsTheFileNamesAndBuildsSaveFileFromThePreviousSeries) {
  Opened fresh;
  fresh.Open(DataPath("titration/sheet/sheet.txt"));
  EXPECT_EQ(fresh.series.ProposedSaveFile, ".txt");
  EXPECT_EQ(fresh.boxes["Extention"], "ASC");  // untouched design-time text
  EXPECT_EQ(fresh.lineBuffer.size(), 5U);      // the "2D" line is removed

  Opened o;
  o.Open(DataPath("titration/wide_comma/wide01.ASC"));
  o.Open(DataPath("titration/sheet/sheet.txt"));
  EXPECT_EQ(o.series.FileCount, 3);
  EXPECT_EQ(o.series.FileNames[0].filename(), "wide00.ASC");
  EXPECT_EQ(o.series.ProposedSaveFile, DataPath("titration/wide_comma") / "wide.txt");
  EXPECT_EQ(o.series.DataRange, (PlotRange{400, 403, 0.1, 1.2}));
}

// Writes a tiny comma-column spectrum (two points) as file `name`.
std::filesystem::path WriteSpectrum(const TempDir& dir, const std::string& name, double value = 0.5) {
  const std::string v = ShortReal(value);
  return dir.Write(name, "400.0," + v + "\r\n401.0," + v + "\r\n");
}

TEST(TitrationFindSeries, StopsAtTheFirstGap) {
  TempDir dir;
  for (int n = 0; n <= 12; ++n)
    WriteSpectrum(dir, "sample" + std::string(n < 10 ? "0" : "") + std::to_string(n) + ".ASC");
  WriteSpectrum(dir, "sample14.ASC");
  Opened o;
  o.Open(dir / "sample07.ASC");
  EXPECT_EQ(o.series.FileCount, 13);
  EXPECT_EQ(o.series.FileNames[12], dir / "sample12.ASC");
  EXPECT_EQ(o.boxes["Edit6"], "13");
  EXPECT_EQ(o.messages, std::vector<std::string>{"'sample13.ASC' is missing: the series ends at sample12.ASC and "
                                                 "leaves out 1 later file, sample14.ASC"});
  WriteSpectrum(dir, "sample20.ASC");
  o.messages.clear();
  o.Open(dir / "sample00.ASC");
  EXPECT_EQ(o.messages, std::vector<std::string>{"'sample13.ASC' is missing: the series ends at sample12.ASC and "
                                                 "leaves out 2 later files, from sample14.ASC"});
}

TEST(TitrationFindSeries, ReadsFile100WithItsThreeDigitNumber) {
  TempDir dir;
  for (int n = 0; n <= 100; ++n) {
    WriteSpectrum(dir, "sample" + std::string(n < 10 ? "0" : "") + std::to_string(n) + ".ASC", n);
  }
  Opened o;
  o.Open(dir / "sample100.ASC");
  EXPECT_EQ(o.series.SeriesBase, "sample");
  EXPECT_EQ(o.series.FileCount, 101);
  EXPECT_EQ(o.series.A(100, 1), 100);
  EXPECT_EQ(o.series.DataRange.yHigh, 100);
}

TEST(TitrationFindSeries, A100NameWithoutFile00IsItsOwnSeries) {
  TempDir dir;
  WriteSpectrum(dir, "run100.ASC");
  Opened o;
  o.Open(dir / "run100.ASC");
  EXPECT_EQ(o.series.SeriesBase, "run1");
  EXPECT_EQ(o.series.FileCount, 1);
}

TEST(TitrationFindSeries, TriesTheUpperCaseExtensionThenTheChosenSpelling) {
  TempDir dir;
  WriteSpectrum(dir, "x00.ASC", 1);
  WriteSpectrum(dir, "x00.asc", 9);  // shadowed by the upper-case spelling
  WriteSpectrum(dir, "x01.asc", 2);
  WriteSpectrum(dir, "x02.Asc", 3);  // neither spelling: the series ends before it
  Opened o;
  o.Open(dir / "x01.asc");
  EXPECT_EQ(o.boxes["Extention"], "ASC");
  EXPECT_EQ(o.series.FileCount, 2);
  EXPECT_EQ(o.series.A(0, 0), 1);
  EXPECT_EQ(o.series.A(1, 0), 2);
}

// --- Reading single files in memory ------------------------------------------

struct ReadInto {
  TitrationSeries series;
  bool countHeader = false;
  std::vector<std::string> messages;
  void Read(const std::vector<std::string>& lines, int k = 0) {
    ReadSeriesFile(series, lines, k, "f.ASC", countHeader, [this](std::string_view m) { messages.emplace_back(m); });
  }
};

TEST(TitrationReadSeriesFile, QuotedCommaReadsTheThousandsCommaAndClearsUnreadablePoints) {
  ReadInto r;
  for (int i = 0; i < 5; ++i) {
    r.series.W(i) = 99;  // left by an earlier series
    r.series.A(0, i) = 99;
  }
  r.Read({"\"x\"", "\"\x94\x67\x92\xB7\"", "1,100.0,0.532", "350.5,0.25", "no comma", "1,2,3,4"});
  EXPECT_EQ(r.series.PointCount, 4);
  EXPECT_EQ(r.series.W(0), 1100);
  EXPECT_EQ(r.series.A(0, 0), 0.532);
  EXPECT_EQ(r.series.W(1), 350.5);
  for (int i : {2, 3}) {
    EXPECT_EQ(r.series.W(i), 0) << i;
    EXPECT_EQ(r.series.A(0, i), 0) << i;
  }
  EXPECT_EQ(r.series.W(4), 99);  // beyond the file: untouched
}

TEST(TitrationReadSeriesFile, LaterFilesContributeValuesOnly) {
  ReadInto r;
  r.Read({"400.0,0.1", "401.0,0.2"}, 0);
  r.Read({"500.0,0.3", "501.0,0.4"}, 1);
  EXPECT_EQ(r.series.W(0), 400);
  EXPECT_EQ(r.series.A(1, 0), 0.3);
}

TEST(TitrationReadSeriesFile, TitleHeaderSpacesPointsEvenly) {
  ReadInto r;
  std::vector<std::string> lines{"##TITLE=a"};
  for (int n = 2; n <= 10; ++n) lines.emplace_back("##");
  lines.insert(lines.end(), {"##FIRSTX=200", "##LASTX=800", "##NPOINTS=4", "##", "##", "1", "2", "3", "4"});
  r.Read(lines);
  EXPECT_EQ(r.series.PointCount, 4);
  EXPECT_EQ(r.series.W(1), 400);
  EXPECT_EQ(r.series.W(3), 800);
  EXPECT_EQ(r.series.A(0, 3), 4);
}

// The count header's lines: count, start, (2 lines), header, step, values.
std::vector<std::string> CountHeader(int count, int values, const std::string& last = "") {
  std::vector<std::string> lines{std::to_string(count), "300", "x", "x", "x", "2"};
  for (int i = 0; i < values; ++i) lines.push_back(std::to_string(i));
  if (!last.empty()) lines.push_back(last);
  return lines;
}

TEST(TitrationTrailingLineRules, FollowTheLineCountAndTheLastLine) {
  struct Case {
    std::vector<std::vector<std::string>> files;
    int trailing;
    int pointCount;
  };
  const std::vector<Case> cases{
      {{CountHeader(3, 3)}, 6, 3},                                    // count + 6 lines
      {{CountHeader(3, 3), CountHeader(3, 3, "##END")}, 0, 3},        // ends with ##END
      {{CountHeader(3, 3), CountHeader(3, 3, "end of data")}, 1, 3},  // the flag stays for later files
  };
  for (const Case& c : cases) {
    ReadInto r;
    for (std::size_t k = 0; k < c.files.size(); ++k) r.Read(c.files[k], static_cast<int>(k));
    EXPECT_EQ(r.series.TrailingLineCount, c.trailing);
    EXPECT_EQ(r.series.PointCount, c.pointCount);
    EXPECT_TRUE(r.countHeader);
  }
  ReadInto r;
  r.Read(CountHeader(3, 3));
  EXPECT_EQ(r.series.W(2), 304);
  EXPECT_EQ(r.series.A(0, 2), 2);
}

TEST(TitrationTrailingLineRules, CountCarriesOverToCommaColumnFiles) {
  ReadInto r;
  r.series.TrailingLineCount = 1;  // left by an earlier open
  r.Read({"400.0,0.1", "401.0,0.2", "402.0,0.3"});
  EXPECT_EQ(r.series.PointCount, 2);
}

TEST(TitrationReadBlankSheet, CountsColumnsFromTheFirstRowAndSkipsTheLastRow) {
  TitrationSeries s;
  ReadBlankSheet(s, {"1 2 3 4", "5 6 7 8", "9 10 11 12", "13 14 15 16", "17"}, "s.txt");
  EXPECT_EQ(s.FileCount, 3);
  EXPECT_EQ(s.PointCount, 4);
  EXPECT_EQ(s.A(2, 3), 16);
}

// --- Failures -------------------------------------------------------------------

struct FailureCase {
  const char* what;
  bool showsTheFailingFile;                                   // in the file buffer; otherwise the buffer stays
  std::function<std::filesystem::path(const TempDir&)> make;  // returns the chosen file
  std::function<void(const std::function<void()>&, const TempDir&)> expect;
};

// "@DIR@" in the message stands for the case's folder.
template <class Error>
std::function<void(const std::function<void()>&, const TempDir&)> Throws(std::string text) {
  return [text](const std::function<void()>& open, const TempDir& dir) {
    std::string expected = text;
    if (const auto at = expected.find("@DIR@"); at != std::string::npos) expected.replace(at, 5, dir.Path().string());
    EXPECT_THROW_MSG(open(), Error, expected);
  };
}

std::string Lines(int count, const std::string& line) {
  std::string out;
  for (int i = 0; i < count; ++i) out += line + "\r\n";
  return out;
}

std::filesystem::path WriteSeries(const TempDir& dir, const std::string& base, int files, const std::string& bytes) {
  for (int n = 0; n < files; ++n) dir.Write(base + (n < 10 ? "0" : "") + std::to_string(n) + ".ASC", bytes);
  return dir / (base + "00.ASC");
}

std::string TitleHeader(const std::string& points, int valueLines) {
  std::string out =
      "##TITLE=t\r\n" + Lines(9, "##") + "##FIRSTX=400\r\n##LASTX=500\r\n##NPOINTS=" + points + "\r\n##\r\n##\r\n";
  return out + Lines(valueLines, "0.5");
}

TEST(TitrationOpenFailure, NamesFileLineAndTextAndLeavesThePreviousSeries) {
  const std::vector<FailureCase> cases{
      {"truncated", true, [](const TempDir& d) { return WriteSeries(d, "t", 1, TitleHeader("5", 3)); },
       Throws<FileError>("t00.ASC, line 19: the file ends after line 18 (truncated file?)")},
      {"not a number", true,
       [](const TempDir& d) {
         WriteSeries(d, "n", 2, "400.0,0.1\r\n401.0,0.2\r\n");
         return d.Write("n01.ASC", "400.0,0.1\r\n401.0,0.2x\r\n");
       },
       Throws<ConversionError>("n01.ASC, line 2: '0.2x' is not a valid floating point value")},
      {"empty", true, [](const TempDir& d) { return WriteSeries(d, "e", 1, ""); },
       Throws<FileError>("e00.ASC, line 1: not a spectrum file of a known layout ('')")},
      {"binary", true,
       [](const TempDir& d) {
         return WriteSeries(d, "b", 1,
                            std::string("\x7f"
                                        "ELF\x02\x01\x01\0\0\0",
                                        10));
       },
       Throws<FileError>("b00.ASC, line 1: not a spectrum file of a known layout ('\\x7fELF\\x02\\x01\\x01')")},
      {"more than 101 files", false, [](const TempDir& d) { return WriteSeries(d, "m", 102, "400.0,0.1\r\n"); },
       Throws<CapacityError>("m101.ASC: a series holds at most 101 files (00 to 100)")},
      {"more than 3001 points", true, [](const TempDir& d) { return WriteSeries(d, "p", 1, Lines(3002, "400.0,0.1")); },
       Throws<CapacityError>("p00.ASC: 3002 points; a spectrum holds at most 3001")},
      {"title header with one point", true,
       [](const TempDir& d) { return WriteSeries(d, "o", 1, TitleHeader("1", 1)); },
       Throws<MathError>("o00.ASC, line 13 ('##NPOINTS=1'): Invalid floating point operation (0 / 0)")},
      {"no file 00", false, [](const TempDir& d) { return d.Write("g05.ASC", "400.0,0.1\r\n"); },
       Throws<FileError>("'@DIR@/g00.ASC' not found: a series starts with file 00")},
      {"spectra of different lengths", true,
       [](const TempDir& d) {
         WriteSeries(d, "l", 2, "400.0,0.1\r\n401.0,0.2\r\n");
         return d.Write("l01.ASC", "400.0,0.1\r\n");
       },
       Throws<FileError>("l01.ASC: 1 points, but l00.ASC has 2")},
      {"sheet row too short", true,
       [](const TempDir& d) { return d.Write("s.txt", "2D\r\n400 1 2\r\n401 1\r\n402\r\n"); },
       Throws<ConversionError>("s.txt, line 3: only 2 of 3 columns ('401 1')")},
      {"sheet last row not a number", true, [](const TempDir& d) { return d.Write("s.txt", "2D\r\n400 1\r\nend\r\n"); },
       Throws<ConversionError>("s.txt, line 3: 'end' is not a valid floating point value")},
      {"sheet cut by a NUL", true, [](const TempDir& d) { return d.Write("s.txt", "2D\r\n\0 1 2\r\n"s); },
       Throws<FileError>("s.txt, line 2: the file holds no table after its \"2D\" line")},
      {"sheet without table", true, [](const TempDir& d) { return d.Write("s.txt", " 2D \r\n"); },
       Throws<FileError>("s.txt, line 2: the file holds no table after its \"2D\" line")},
      // Headers without data would be saved as an empty file.
      {"sheet of one row", true, [](const TempDir& d) { return d.Write("s.txt", "2D\r\n400 1\r\n"); },
       Throws<FileError>("s.txt, line 2: the table holds no data rows (its only row, the last, is not read)")},
      {"title header of no points", true, [](const TempDir& d) { return WriteSeries(d, "z", 1, TitleHeader("0", 0)); },
       Throws<FileError>("z00.ASC: the file holds no data points")},
      {"count header of no points", true,
       [](const TempDir& d) { return WriteSeries(d, "c", 1, "0\r\n300\r\nx\r\nx\r\nx\r\n2\r\n"); },
       Throws<FileError>("c00.ASC: the file holds no data points")},
      {"quoted comma header only", true,
       [](const TempDir& d) { return WriteSeries(d, "q", 1, "\"x\"\r\n\"\x94\x67\x92\xB7\"\r\n"); },
       Throws<FileError>("q00.ASC: the file holds no data points")},
      {"decimal comma in a quoted comma file", true,
       [](const TempDir& d) { return WriteSeries(d, "d", 1, "\"x\"\r\n\"\x94\x67\x92\xB7\"\r\n1100.0,1,5\r\n"); },
       Throws<ConversionError>("d00.ASC, line 3: '1100.0,1,5' has two commas, but not a wavelength with a thousands "
                               "separator (as in 1,100.0,0.523)")},
  };
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.what);
    Opened o;
    o.Open(DataPath("titration/comma/comma00.ASC"));
    const TitrationSeries before = o.series;
    const BoxTexts boxesBefore = o.boxes;
    const std::vector<std::string> bufferBefore = o.lineBuffer;
    TempDir dir;
    const auto chosen = c.make(dir);
    c.expect([&] { o.Open(chosen); }, dir);
    EXPECT_EQ(o.series.FileCount, before.FileCount);
    EXPECT_EQ(o.series.PointCount, before.PointCount);
    EXPECT_EQ(o.series.FileNames, before.FileNames);
    EXPECT_EQ(o.series.Wavelengths, before.Wavelengths);
    EXPECT_EQ(o.series.Absorbances, before.Absorbances);
    EXPECT_EQ(o.series.DataRange, before.DataRange);
    EXPECT_EQ(o.series.SeriesBase, before.SeriesBase);
    for (const auto& box : boxesBefore.All()) EXPECT_EQ(o.boxes[box.name], box.text) << box.name;
    EXPECT_EQ(o.lineBuffer != bufferBefore, c.showsTheFailingFile);
  }
}

}  // namespace
}  // namespace specbridge::titration
