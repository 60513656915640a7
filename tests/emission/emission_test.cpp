#include <string>
#include <vector>

#include "common/errors.hpp"
#include "common/numbers.hpp"
#include "common/text.hpp"
#include "emission/emission_set.hpp"
#include "sheets/working_list.hpp"
#include "support/test_support.hpp"

namespace specbridge::emission {
namespace {

// Slot k read from `bytes` as the window reads a file.
bool Read(EmissionSet& set, std::string_view bytes, std::string_view name, int k, bool added = false) {
  return ReadEmissionBytes(set, bytes, name, k, added, nullptr);
}

// A comma-column spectrum of `values` from `first` in steps of `step` nm.
std::string Comma(double first, double step, const std::vector<double>& values) {
  std::string out;
  for (std::size_t i = 0; i < values.size(); ++i) {
    out += FixedReal(first + step * static_cast<double>(i), 5, 1) + "," + FixedReal(values[i], 9, 7) + "\r\n";
  }
  return out;
}

// A set whose slot 1 is a flat lamp spectrum of `count` points from `first` to `last`.
EmissionSet Lamp(int count, double first, double last, LampGrid& grid, double value = 1) {
  EmissionSet set;
  set.SetEvenSpectrum(1, first, last, std::vector<double>(static_cast<std::size_t>(count), value));
  set.Path(1) = "/data/wlamp.txt";
  set.SpectrumCount = 1;
  grid = LampDataGrid(set);
  return set;
}

TEST(Planck, GivesTheLampRadianceAtTheReferenceWavelengths) {
  const std::pair<double, const char*> cases[] = {
      {400, "1.15178"}, {500, "3.63060"}, {700, "8.98510"}, {701, "9.00402"}};
  for (const auto& [nm, text] : cases) EXPECT_EQ(FixedReal(Planck(nm), 0, 5), text) << nm;
}

TEST(ReadEmissionFile, ReadsTheThreeLayoutsOnTheirOwnAxes) {
  struct Case {
    const char* what;
    std::string bytes;
    bool added;
    int count;
    double first, last, value0;
  };
  const Case cases[] = {
      {"tab column", "400\t1234.5\r\n402\t2\r\n", false, 2, 400, 402, 1234.5},
      {"tab with blanks", " 400 \t 1234.5 \r\n 402 \t 2 \r\n", false, 2, 400, 402, 1234.5},
      {"added", "400\t7\r\n402\t8\r\n", true, 2, 400, 402, 7},
      {"comma column", "400.0,0.5000000\r\n401.0,0.6\r\n402.0,0.7\r\n", false, 3, 400, 402, 0.5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EmissionSet set;
    ASSERT_TRUE(Read(set, c.bytes, "e.txt", 1, c.added));
    EXPECT_EQ(set.Points(1), c.count);
    EXPECT_EQ(set.First(1), c.first);
    EXPECT_EQ(set.Last(1), c.last);
    EXPECT_EQ(set.Value(1, 0), c.value0);
    EXPECT_EQ(set.Wavelength(1, c.count - 1), c.last);
  }
  EmissionSet set;
  EXPECT_FALSE(Read(set, "400.0 0.5\r\n", "e.txt", 1));
  EXPECT_THROW_MSG(Read(set, "400\t1\r\n401\r\n", "e.txt", 1), FileError,
                   "e.txt, line 2: no tab between wavelength and value ('401')");
  EXPECT_THROW_MSG(Read(set, "400\t1\r\n", "e.txt", 1), MathError,
                   "e.txt, line 1: a spectrum of one point cannot be given wavelengths (division by zero in the axis)");
  // An added file's tab is searched from character 3.
  EXPECT_THROW_MSG(Read(set, "4\t1\r\n5\t2\r\n", "e.txt", 1, true), FileError,
                   "e.txt, line 1: no tab between wavelength and value ('4\t1')");
  EXPECT_EQ(set.Points(1), 0);
}

TEST(GenerateWFactor, NormalisesAtTheFirstPointAbove700) {
  LampGrid grid;
  EmissionSet set = Lamp(401, 400, 800, grid);
  ASSERT_TRUE(GenerateWFactor(set, grid));
  ASSERT_EQ(set.SpectrumCount, 2);
  EXPECT_EQ(set.Path(2), "/data/wlamp.txt.wfc");
  EXPECT_EQ(set.Value(2, 301), 1.0);  // 701 nm
  EXPECT_EQ(ShortReal(set.Value(2, 0)), "0.127918026670284");
  EXPECT_EQ(grid[0], (std::array<std::string, 3>{"400", "1", "0.1279180266"}));
  const std::string wfc = WFactorText(set);
  EXPECT_EQ(wfc.substr(0, 22), "400\t0.12791802\r\n401\t0.");
  EXPECT_NE(wfc.find("\r\n701\t1\r\n"), std::string::npos);
  EXPECT_EQ(wfc.substr(wfc.size() - 18), "\r\n800\t1.15101454\r\n");

  // The second point above 700 nm: j = 1, even when point 0 is above too.
  for (const double first : {690.0, 705.0}) {
    EmissionSet near = Lamp(3, first, first + 40, grid, 2);
    ASSERT_TRUE(GenerateWFactor(near, grid));
    EXPECT_EQ(near.Value(2, 1), 1.0) << first;
  }
}

TEST(GenerateWFactor, RefusesBeforeChangingAnything) {
  LampGrid grid;
  EmissionSet set = Lamp(301, 400, 700, grid);
  EXPECT_THROW_MSG(GenerateWFactor(set, grid), MathError,
                   "Generate_WFactor: wlamp.txt has no point above 700 nm after its first, where the factor is "
                   "normalised to 1");
  EXPECT_EQ(set.SpectrumCount, 1);
  EXPECT_EQ(grid[0][2], "");

  std::vector<double> zeros{0, 1, 1};
  set.SetEvenSpectrum(1, 690, 730, zeros);
  EXPECT_THROW_MSG(GenerateWFactor(set, grid), MathError,
                   "Generate_WFactor: the lamp intensity at 690 nm is zero; the factor there has no value");
  zeros = {1, 0, 1};
  set.SetEvenSpectrum(1, 690, 730, zeros);
  EXPECT_THROW_MSG(GenerateWFactor(set, grid), MathError,
                   "Generate_WFactor: the lamp intensity at 710 nm is zero; the factor there has no value");
  // Elsewhere a zero takes the factor of the point before it.
  zeros = {1, 1, 0};
  set.SetEvenSpectrum(1, 690, 730, zeros);
  ASSERT_TRUE(GenerateWFactor(set, grid));
  EXPECT_EQ(set.Value(2, 2), 1.0);

  LampGrid empty;
  EXPECT_FALSE(GenerateWFactor(set, empty));
  set.SpectrumCount = 0;
  EXPECT_THROW_MSG(GenerateWFactor(set, grid), FileError, "Generate_WFactor: the working list holds no lamp spectrum");
}

TEST(WFactorFile, ReadsBackWhatWasWrittenAndIsSavedOnlyFromAFactor) {
  LampGrid grid;
  EmissionSet set = Lamp(401, 400, 800, grid);
  EXPECT_THROW_MSG(WFactorText(set), FileError,
                   "Save_WFactor did nothing: working spectrum 2 is not a lamp factor made by Generate_WFactor");
  ASSERT_TRUE(GenerateWFactor(set, grid));
  const std::string wfc = WFactorText(set);
  std::vector<std::string_view> lines;
  LoadLineViews(wfc, lines);
  SelectWFactor(set, lines, "/data/lamp.wfc", grid);
  ASSERT_EQ(set.Points(kFactorSlot), 401);
  EXPECT_EQ(set.First(kFactorSlot), 400);
  EXPECT_EQ(set.Last(kFactorSlot), 800);
  for (int i = 0; i < 401; ++i) {
    const std::string_view line = lines[static_cast<std::size_t>(i)];
    EXPECT_EQ(set.Value(kFactorSlot, i), TextToReal(line.substr(line.find('\t') + 1)));
  }
  EXPECT_EQ(grid[0], (std::array<std::string, 3>{"400", "0.12791802", ""}));

  // A text with an exponent keeps it when cut.
  EXPECT_EQ(CutKeepingExponent("9.95878937E-7", 10), "9.95878E-7");
  EXPECT_EQ(CutKeepingExponent("0.127918026670284", 10), "0.12791802");
  EXPECT_EQ(CutKeepingExponent("1.5E-7", 10), "1.5E-7");

  const std::vector<std::string_view> tabless{"400\t1", "401 1"};
  EXPECT_THROW_MSG(SelectWFactor(set, tabless, "/data/bad.wfc", grid), FileError,
                   "bad.wfc, line 2: no tab between wavelength and factor ('401 1')");
  EXPECT_EQ(set.Path(kFactorSlot), "/data/lamp.wfc");
}

// A factor of 601 points from 200 to 800 nm, all 2.
EmissionSet WithFactor() {
  EmissionSet set;
  LampGrid grid;
  std::string wfc;
  for (int nm = 200; nm <= 800; ++nm) wfc += std::to_string(nm) + "\t2\r\n";
  std::vector<std::string_view> lines;
  LoadLineViews(wfc, lines);
  SelectWFactor(set, lines, "/data/f.wfc", grid);
  return set;
}

TEST(ApplyCorrection, MultipliesAtEqualWavelengthsOnly) {
  EmissionSet set = WithFactor();
  set.SetEvenSpectrum(1, 250, 700, std::vector<double>(451, 1.5));
  set.Path(1) = "/data/em01.txt";
  // A 0.5 nm grid keeps its whole-nanometre points.
  set.SetEvenSpectrum(2, 400, 402, std::vector<double>{1, 2, 3, 4, 5});
  set.Path(2) = "/data/em02.txt";
  set.SetEvenSpectrum(3, 900, 901, std::vector<double>{1, 2});
  set.Path(3) = "/data/far.txt";
  set.SpectrumCount = 3;
  std::vector<std::string> warnings;
  ASSERT_TRUE(ApplyCorrection(set, [&](std::string_view w) { warnings.emplace_back(w); }));
  EXPECT_EQ(set.SpectrumCount, 6);
  EXPECT_EQ(set.CorrectedFrom, 3);
  EXPECT_EQ(set.Points(4), 451);
  EXPECT_EQ(set.Value(4, 450), 3.0);
  EXPECT_EQ(set.Path(4), "/data/em01.txt.cor");
  ASSERT_EQ(set.Points(5), 3);
  EXPECT_EQ(set.Value(5, 1), 6.0);
  EXPECT_EQ(set.Last(5), 402);
  EXPECT_EQ(set.Points(6), 0);
  EXPECT_EQ(set.Path(6), "/data/far.txt.cor");
  EXPECT_EQ(warnings, std::vector<std::string>{"far.txt: no wavelength on the lamp factor's axis; its corrected "
                                               "copy is empty"});

  EmissionSet none;
  none.SpectrumCount = 1;
  EXPECT_FALSE(ApplyCorrection(none, nullptr));
  EXPECT_EQ(none.SpectrumCount, 1);
}

TEST(ApplyCorrection, CorrectsAtMost49Spectra) {
  EmissionSet set = WithFactor();
  for (int k = 1; k <= 50; ++k) set.SetEvenSpectrum(k, 400, 401, std::vector<double>{1, 2});
  set.SpectrumCount = 50;
  EXPECT_THROW_MSG(
      ApplyCorrection(set, nullptr), CapacityError,
      "Apply_Correction: 50 working spectra; at most 49 can be corrected (their copies fill the other slots)");
  EXPECT_EQ(set.SpectrumCount, 50);
  set.SpectrumCount = 49;
  EXPECT_TRUE(ApplyCorrection(set, nullptr));
  EXPECT_EQ(set.SpectrumCount, 98);
  EXPECT_EQ(set.Path(kFactorSlot), "/data/f.wfc");
}

TEST(WriteGroupedSheet, GivesEachAxisItsWavelengthColumn) {
  EmissionSet set;
  ASSERT_TRUE(Read(set, "400\t0.1\r\n401\t0.2\r\n402\t0.3\r\n", "e1.txt", 1));
  ASSERT_TRUE(Read(set, Comma(400, 1, {-0.5, -0.0, 1.25}), "e2.txt", 2));
  ASSERT_TRUE(Read(set, "400.0,2\r\n401.0,3\r\n", "e3.txt", 3));
  set.Path(1) = "/data/e1.txt";
  set.Path(2) = "/data/e2.txt";
  set.Path(3) = "/data/e3.txt";
  set.SpectrumCount = 3;
  EXPECT_TRUE(test::MatchesGolden("emission/expected/grouped.txt", WriteGroupedSheet(set, 1, 3)));
  EXPECT_EQ(WriteGroupedSheet(set, 3, 3), "\te3.txt\r\n 400.0\t2.000000\r\n 401.0\t3.000000\r\n");
}

TEST(EmissionSet, SharesTheWorkingListOperations) {
  EmissionSet set = WithFactor();
  set.SetEvenSpectrum(1, 400, 401, std::vector<double>{1, 2});
  set.SetEvenSpectrum(2, 500, 510, std::vector<double>{3, 4, 5});
  set.SpectrumCount = 2;
  EXPECT_EQ(sheets::MoveSpectrumDown(set, 0), 1);
  EXPECT_EQ(set.Points(1), 3);
  EXPECT_EQ(set.First(2), 400);
  sheets::RemoveSpectrum(set, 0);
  EXPECT_EQ(set.SpectrumCount, 1);
  EXPECT_EQ(set.Last(1), 401);
  sheets::OpenSpectrum(set, "/data/x.txt", [](EmissionSet&, int, bool) { return false; });
  EXPECT_EQ(set.Path(kFactorSlot), "/data/f.wfc");
}

}  // namespace
}  // namespace specbridge::emission
