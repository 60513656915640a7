#include <functional>
#include <string>
#include <vector>

#include "common/errors.hpp"
#include "common/text.hpp"
#include "sheets/spectrum_plot.hpp"
#include "sheets/spectrum_set.hpp"
#include "sheets/working_list.hpp"
#include "support/test_support.hpp"

namespace specbridge::sheets {
namespace {

using test::DataPath;
using test::MatchesGolden;

// Reads a file of the data folder (or any path) into slot k, as the window does.
bool Read(SpectrumSet& set, const std::filesystem::path& path, int k, bool added) {
  const std::string bytes = ReadFileBytes(path);
  std::vector<std::string_view> lines;
  LoadLineViews(bytes, lines);
  return ReadSpectrumFile(set, lines, path.filename().string(), k, added);
}

auto Reader(const std::filesystem::path& path) {
  return [path](SpectrumSet& set, int k, bool added) { return Read(set, path, k, added); };
}

// A set made as the window makes it: the first file opened, the others added.
SpectrumSet Sheet(const std::vector<std::string>& files) {
  SpectrumSet set;
  for (std::size_t j = 0; j < files.size(); ++j) {
    const auto path = DataPath("sheets/" + files[j]);
    const bool accepted = j == 0 ? OpenSpectrum(set, path, Reader(path)) : AddSpectrum(set, path, Reader(path));
    EXPECT_TRUE(accepted) << files[j];
  }
  return set;
}

struct GoldenCase {
  std::vector<std::string> files;
  const char* expected;
};

class SheetGolden : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(SheetGolden, MatchesByteForByte) {
  const SpectrumSet set = Sheet(GetParam().files);
  EXPECT_TRUE(MatchesGolden(std::string("sheets/expected/") + GetParam().expected, WriteTabSheet(set)));
}

INSTANTIATE_TEST_SUITE_P(Files, SheetGolden,
                         ::testing::Values(GoldenCase{{"a01.ASC", "a02.ASC"}, "worked.txt"},
                                           GoldenCase{{"labels.ASC"}, "labels.txt"},
                                           GoldenCase{{"comma.ASC"}, "comma.txt"},
                                           GoldenCase{{"numbers.ASC"}, "numbers.txt"}));

// A title-header file of N points between `first` and `last`, with these value lines.
std::string Title(const std::string& first, const std::string& last, const std::string& n,
                  const std::vector<std::string>& values) {
  std::string out = "##TITLE=t\r\n";
  for (int i = 2; i <= 10; ++i) out += "##\r\n";
  out += "##FIRSTX=" + first + "\r\n##LASTX=" + last + "\r\n##NPOINTS=" + n + "\r\n##\r\n##\r\n";
  for (const auto& v : values) out += v + "\r\n";
  return out;
}

std::string Lines(int count, const std::string& line) {
  std::string out;
  for (int i = 0; i < count; ++i) out += line + "\r\n";
  return out;
}

// Reading `bytes` as an added file into a set holding a01.ASC (400 to 401 nm, 2 points).
struct ReadCase {
  const char* what;
  std::string bytes;
  std::function<void(const std::function<void()>&)> expect;
};

template <class Error>
std::function<void(const std::function<void()>&)> Throws(std::string text) {
  return [text](const std::function<void()>& read) { EXPECT_THROW_MSG(read(), Error, text); };
}

TEST(ReadSpectrumFile, RefusesAndFailsWithoutStoringAnything) {
  const std::vector<ReadCase> cases{
      {"other axis", Title("400", "402", "3", {"1", "2", "3"}),
       Throws<FileError>("b.ASC: its axis (3 points from 400 to 402 nm) differs from the working spectra's (2 points "
                         "from 400 to 401 nm); a sheet holds spectra of one axis")},
      {"other first wavelength", "399.0,0.1\r\n401.0,0.2\r\n",
       Throws<FileError>("b.ASC: its axis (2 points from 399 to 401 nm) differs from the working spectra's (2 points "
                         "from 400 to 401 nm); a sheet holds spectra of one axis")},
      {"a single point", Title("400", "400", "1", {"1"}),
       Throws<MathError>(
           "b.ASC, line 13: a spectrum of one point cannot be given wavelengths (division by zero in the axis)")},
      {"a single comma line", "400.0,0.1\r\n",
       Throws<MathError>(
           "b.ASC, line 1: a spectrum of one point cannot be given wavelengths (division by zero in the axis)")},
      {"no points", Title("400", "401", "0", {}),
       Throws<ConversionError>("b.ASC, line 13: the point count 0 gives no spectrum")},
      {"too many points", Lines(603, "400.0,0.1"),
       Throws<CapacityError>("b.ASC: 603 points; a spectrum holds at most 602")},
      {"truncated", Title("400", "401", "2", {"1"}),
       Throws<FileError>("b.ASC: the header announces 2 values (lines 16 to 17), but the file ends after line 16")},
      {"fraction in an integer count", Title("400", "401", "2.0", {"1", "2"}),
       Throws<ConversionError>("b.ASC, line 13: '2.0' is not a valid integer value")},
      {"label line too short", Title("400", "401", "", {"1", "2"}),
       Throws<ConversionError>("b.ASC, line 13: '' is not a valid integer value")},
      {"empty last comma line", "400.0,0.1\r\n\r\n",
       Throws<ConversionError>("b.ASC, line 2: '' is not a valid floating point value")},
      {"value beyond character 15 cut off", "400.0,0.12345678x\r\n401.0,0.2x\r\n",
       Throws<ConversionError>("b.ASC, line 2: '0.2x' is not a valid floating point value")},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.what);
    SpectrumSet set = Sheet({"a01.ASC"});
    const SpectrumSet before = set;
    std::vector<std::string_view> lines;
    LoadLineViews(c.bytes, lines);
    c.expect([&] {
      AddSpectrum(set, "b.ASC",
                  [&](SpectrumSet& s, int k, bool added) { return ReadSpectrumFile(s, lines, "b.ASC", k, added); });
    });
    EXPECT_EQ(set.SpectrumCount, before.SpectrumCount);
    EXPECT_EQ(set.SpectrumValues, before.SpectrumValues);
    EXPECT_EQ(set.SpectrumPaths, before.SpectrumPaths);
    EXPECT_EQ(set.PointCount, before.PointCount);
  }
}

TEST(ReadSpectrumFile, AcceptsOnlyTheTwoLayouts) {
  struct Case {
    std::string bytes;
    bool accepted;
  };
  const Case cases[] = {
      {"400.0 0.1000000\r\n401.0 0.2\r\n", false},  // a blank at character 6
      {"##title=a\r\n", false},                     // the mark is compared exactly
      {"", false},
      {"400.0\t0.1\r\n", false},  // the tab layout belongs to the emission tool
      // Real ends on an added title header, equal as numbers to the set's axis.
      {Title("400.0", "401.00", "2", {"5", "6"}), true},
      {"400.0,5\r\n401.0,6", true},  // no line end after the last line
  };
  for (const Case& c : cases) {
    SpectrumSet set = Sheet({"a01.ASC"});
    std::vector<std::string_view> lines;
    LoadLineViews(c.bytes, lines);
    EXPECT_EQ(ReadSpectrumFile(set, lines, "b", 2, true), c.accepted) << c.bytes;
    EXPECT_EQ(set.Value(2, 1), c.accepted ? 6 : 0) << c.bytes;
  }
}

TEST(ReadSpectrumFile, AnEmptySetTakesAnyAxis) {
  SpectrumSet set = Sheet({"a01.ASC"});
  ASSERT_EQ(RemoveSpectrum(set, 0), Redraw::kBlankDataRect);
  const auto labels = DataPath("sheets/labels.ASC");
  EXPECT_TRUE(AddSpectrum(set, labels, Reader(labels)));
  EXPECT_EQ(set.PointCount, 3);
  CloseSpectra(set);
  const auto a01 = DataPath("sheets/a01.ASC");
  EXPECT_TRUE(AddSpectrum(set, a01, Reader(a01)));
  // "Open" starts a new set on its own axis.
  EXPECT_TRUE(OpenSpectrum(set, labels, Reader(labels)));
  EXPECT_EQ(set.PointCount, 3);
  EXPECT_EQ(set.SpectrumCount, 1);
}

TEST(WorkingList, HoldsAtMostOneHundredSpectra) {
  SpectrumSet set = Sheet({"a01.ASC"});
  const auto a01 = DataPath("sheets/a01.ASC");
  for (int n = 2; n <= kMaxSpectra; ++n) ASSERT_TRUE(AddSpectrum(set, a01, Reader(a01)));
  EXPECT_THROW_MSG(AddSpectrum(set, a01, Reader(a01)), CapacityError,
                   "a01.ASC: the working list holds at most 100 spectra");
  EXPECT_EQ(set.SpectrumCount, kMaxSpectra);
}

// The working list after a sequence of list operations, and the first value
// of each row (spectra a, b and c hold 1, 2 and 3).
TEST(WorkingList, OperationsOnRows) {
  test::TempDir dir;
  for (const char* name : {"a.ASC", "b.ASC", "c.ASC"}) {
    const std::string v(1, static_cast<char>(name[0] - 'a' + '1'));
    dir.Write(name, "400.0," + v + "\r\n401.0," + v + "\r\n");
  }
  using Op = std::function<void(SpectrumSet&)>;
  const auto add = [&](const char* name) -> Op {
    return [&dir, name](SpectrumSet& s) { AddSpectrum(s, dir / name, Reader(dir / name)); };
  };
  struct Case {
    const char* what;
    std::vector<Op> ops;
    std::vector<std::string> rows;
    std::vector<double> values;
  };
  const Op up0 = [](SpectrumSet& s) { EXPECT_EQ(MoveSpectrumUp(s, 0), 0); };
  const Op down2 = [](SpectrumSet& s) { EXPECT_EQ(MoveSpectrumDown(s, 2), 2); };
  const Op down0 = [](SpectrumSet& s) { EXPECT_EQ(MoveSpectrumDown(s, 0), 1); };
  const Op up2 = [](SpectrumSet& s) { EXPECT_EQ(MoveSpectrumUp(s, 2), 1); };
  const std::vector<Case> cases{
      {"first up and last down do nothing", {up0, down2}, {"a.ASC", "b.ASC", "c.ASC"}, {1, 2, 3}},
      {"down then up", {down0, up2}, {"b.ASC", "c.ASC", "a.ASC"}, {2, 3, 1}},
      {"remove the middle",
       {[](SpectrumSet& s) { EXPECT_EQ(RemoveSpectrum(s, 1), Redraw::kSpectra); }},
       {"a.ASC", "c.ASC"},
       {1, 3}},
      {"remove all",
       {[](SpectrumSet& s) { RemoveSpectrum(s, 0); }, [](SpectrumSet& s) { RemoveSpectrum(s, 0); },
        [](SpectrumSet& s) { EXPECT_EQ(RemoveSpectrum(s, 0), Redraw::kBlankDataRect); },
        [](SpectrumSet& s) { EXPECT_EQ(RemoveSpectrum(s, 0), Redraw::kNothing); }},
       {""},
       {}},
      {"close then add", {[](SpectrumSet& s) { CloseSpectra(s); }, add("b.ASC")}, {"b.ASC"}, {2}},
      {"open starts again",
       {[&](SpectrumSet& s) { OpenSpectrum(s, dir / "c.ASC", Reader(dir / "c.ASC")); }},
       {"c.ASC"},
       {3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SpectrumSet set;
    OpenSpectrum(set, dir / "a.ASC", Reader(dir / "a.ASC"));
    add("b.ASC")(set);
    add("c.ASC")(set);
    for (const Op& op : c.ops) op(set);
    EXPECT_EQ(WorkingListRows(set), c.rows);
    std::vector<double> values;
    for (int k = 1; k <= set.SpectrumCount; ++k) values.push_back(set.Value(k, 1));
    EXPECT_EQ(values, c.values);
  }
}

TEST(WorkingList, ARefusedFileLeavesItsEntryOut) {
  SpectrumSet set = Sheet({"a01.ASC"});
  const auto refused = DataPath("sheets/blank_at_6.ASC");
  EXPECT_FALSE(AddSpectrum(set, refused, Reader(refused)));
  EXPECT_EQ(WorkingListRows(set), std::vector<std::string>{"a01.ASC"});
  EXPECT_FALSE(OpenSpectrum(set, refused, Reader(refused)));
  EXPECT_EQ(WorkingListRows(set), std::vector<std::string>{""});
}

TEST(DefaultSheetName, DropsFourCharactersAndAddsTxt) {
  SpectrumSet set;
  set.Path(1) = "/data/a01.ASC";
  EXPECT_EQ(DefaultSheetName(set), "/data/a01.txt");
  set.Path(1) = "/data/run.spectrum";
  EXPECT_EQ(DefaultSheetName(set), "/data/run.spec.txt");
}

TEST(DirectoryList, InsFilesThenAscFilesInNameOrder) {
  test::TempDir dir;
  for (const char* name : {"b.ins", "A.INS", "c.ASC", "d.asc", "e.txt", "fins", "g.ASC.bak"}) dir.Write(name, "");
  std::filesystem::create_directory(dir / "x.ins");
  EXPECT_EQ(SheetDirectoryList(dir.Path(), "/data/a.asc"),
            (std::vector<std::string>{"A.INS", "b.ins", "c.ASC", "d.asc"}));
  EXPECT_EQ(SheetDirectoryList(dir.Path(), "/data/a.txt"), (std::vector<std::string>{"A.INS", "b.ins"}));
  EXPECT_EQ(SheetDirectoryList(dir / "missing", "a.ASC"), std::vector<std::string>{});
}

TEST(DrawSpec, FramesTheDataAndDrawsEachSpectrumInItsColour) {
  SpectrumSet set;
  set.SpectrumCount = 2;
  set.FirstWavelength = 400;
  set.LastWavelength = 401;
  set.PointCount = 2;
  set.Value(1, 0) = 0;
  set.Value(1, 1) = 1;
  set.Value(2, 0) = 0.5;
  set.Value(2, 1) = 0.5;
  const SpectrumDrawing drawing = DrawSpec(set);
  // x 399.985 .. 401.015 over 661 pixels, y -0.025 .. 1.025 over 491.
  PlotScene expected(661, 491);
  expected.FillRect(10, 12, 651, 479, kWhite);
  expected.SetPen(kFrameBlue);
  expected.MoveTo(10, 479);
  expected.LineTo(10, 12);
  expected.LineTo(651, 12);
  expected.LineTo(651, 479);
  expected.LineTo(10, 479);
  expected.SetPen({128, 0, 0});
  expected.MoveTo(10, 479);
  expected.LineTo(651, 12);
  expected.SetPen({0, 128, 0});
  expected.MoveTo(10, 245);
  expected.LineTo(651, 245);
  EXPECT_EQ(drawing.scene.Commands(), expected.Commands());
  EXPECT_EQ(drawing.boxes, (std::array<std::string, 4>{"400.00", "401.00", "0.00", "1.00"}));
  // The last spectrum removed: the same rectangle white, without its frame.
  const PlotScene blank = BlankDataRect(drawing.data, 661, 491, false);
  ASSERT_EQ(blank.Commands().size(), 1u);
  EXPECT_EQ(blank.Commands()[0], expected.Commands()[0]);
}

TEST(DrawSpec, AFlatSpectrumIsDrawnAcrossTheMiddle) {
  SpectrumSet set;
  set.SpectrumCount = 1;
  set.FirstWavelength = 400;
  set.LastWavelength = 401;
  set.PointCount = 2;
  const SpectrumDrawing drawing = DrawSpec(set);
  // y -0.5 .. 0.5: zero at 245.5 from the bottom, rounded to the even 246.
  EXPECT_EQ(drawing.scene.Commands().back(), (PlotCommand{PlotCommand::Kind::LineTo, 651, 245, 0, 0, {}, 1}));
  EXPECT_TRUE(DrawSpec(SpectrumSet()).scene.Empty());
}

}  // namespace
}  // namespace specbridge::sheets
