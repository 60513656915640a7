// The trace and spectrum views: their scenes, labels and first use, and the
// twin controls that keep them in step with the converter.
#include <functional>

#include "common/errors.hpp"
#include "common/numbers.hpp"
#include "kinetics/views.hpp"
#include "kinetics_test_support.hpp"

namespace specbridge::kinetics {
namespace {

using Kind = PlotCommand::Kind;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

// A layout A matrix: the time row, then one line per wavelength.
std::string Matrix(const std::vector<std::vector<double>>& lines) {
  std::string text;
  for (const auto& line : lines) {
    for (std::size_t k = 0; k < line.size(); ++k) text += std::string(k ? " " : "") + ShortReal(line[k]);
    text += "\r\n";
  }
  return text;
}

struct Session {
  KineticConverter converter;
  KineticViews views{converter};
  TraceView& trace = views.Trace();
  SpectraView& spectra = views.Spectra();
  void Open(const std::string& bytes) { converter.Open(bytes, "run.txt"); }
};

PlotCommand Fill(int x1, int y1, int x2, int y2) { return {Kind::FillRect, x1, y1, x2, y2, kWhite, 1}; }
PlotCommand Pen(Rgb colour) { return {Kind::Pen, 0, 0, 0, 0, colour, 1}; }
PlotCommand Move(int x, int y) { return {Kind::MoveTo, x, y, 0, 0, {}, 1}; }
PlotCommand Line(int x, int y) { return {Kind::LineTo, x, y, 0, 0, {}, 1}; }
PlotCommand Ellipse(int x1, int y1, int x2, int y2) { return {Kind::Ellipse, x1, y1, x2, y2, kWhite, 1}; }

std::vector<Rgb> Pens(const PlotScene& scene) {
  std::vector<Rgb> pens;
  for (const PlotCommand& c : scene.Commands()) {
    if (c.kind == Kind::Pen) pens.push_back(c.colour);
  }
  return pens;
}

TEST(TraceView, DrawsTheRowsFromTheSecondOnWithLabelsOfTwoDecimals) {
  Session s;
  // Row 1 (time 0, value 5) is never plotted.
  s.Open(Matrix({{0, 0, 10, 100}, {400, 5, 0.1, 0.9}}));
  EXPECT_EQ(s.trace.SceneSerial(), 0);  // an open redraws nothing
  s.views.KineticTrace1Click();
  EXPECT_EQ(s.trace.SpinValue("SpinEdit1"), 2);
  EXPECT_THAT(s.trace.ReportLines(),
              ElementsAre("TForm5.Edit4=0.90", "TForm5.Edit3=0.10", "TForm5.Edit1=10.00", "TForm5.Edit2=100.00",
                          "TForm5.Edit5=400", "TForm5.SpinEdit1=2", "TForm5.DeadTime=1", "TForm5.Interval=1",
                          "TForm5.SpinEdit3=1", "TForm5.SpinEdit2=0", "TForm5.SpinEdit4=0", "TForm5.SpinEdit5=0",
                          "TForm5.SpinEdit6=0", "TForm5.Total=3", "TForm5.Part=3"));
  const Rgb red{255, 0, 0};
  EXPECT_THAT(s.trace.Scene().Commands(),
              ElementsAre(Fill(-3, -3, 1024, 584), Pen(kFrameBlue), Move(0, 581), Line(0, 0), Line(1021, 0),
                          Line(1021, 581), Line(0, 581),                                                  //
                          Pen(kFrameBlue), Move(0, 581), Line(0, 0), Pen(red), Ellipse(-2, 579, 2, 583),  //
                          Pen(kFrameBlue), Move(1021, 581), Line(1021, 0), Pen(red), Ellipse(1019, -2, 1023, 2)));
}

TEST(TraceView, FirstUseTakesTheMiddleColumnAndTheLabelFollowsEveryRedraw) {
  Session s;
  std::vector<std::vector<double>> lines{{0, 1, 2, 3}};
  for (int w = 0; w < 400; ++w) lines.push_back({300.0 + w, 0.5 + w, 0.25 + w, 0.125 + w});
  s.Open(Matrix(lines));
  s.views.KineticTrace1Click();
  EXPECT_EQ(s.trace.SpinValue("SpinEdit1"), 199);
  EXPECT_EQ(s.trace.Spin("SpinEdit1").min, 2);
  EXPECT_EQ(s.trace.Spin("SpinEdit1").max, 401);
  EXPECT_EQ(s.trace.Boxes()["Edit5"], "497");
  s.trace.SetSpin("SpinEdit1", 5000);
  EXPECT_EQ(s.trace.SpinValue("SpinEdit1"), 401);
  EXPECT_EQ(s.trace.Boxes()["Edit5"], "699");
}

TEST(TraceView, ARedrawWithoutDataChangesNothing) {
  Session s;
  s.views.KineticTrace1Click();
  s.views.SpectralFeatures1Click();
  EXPECT_EQ(s.trace.SpinValue("SpinEdit1"), 0);
  EXPECT_EQ(s.trace.SceneSerial(), 0);
  EXPECT_EQ(s.spectra.SceneSerial(), 0);
  EXPECT_THAT(s.trace.ReportLines()[0], "TForm5.SpinEdit1=0");  // no labels, no Edit5
  // Before its first use the column may be set anywhere up to 3300.
  s.trace.SetSpin("SpinEdit1", 4000);
  EXPECT_EQ(s.trace.SpinValue("SpinEdit1"), 3300);
}

TEST(TraceView, TheColumnSurvivesAnOpenAndASmallerFileFailsNamingIt) {
  Session s;
  test::OpenFixture(s.converter, "matrix_20_times.txt");
  s.views.KineticTrace1Click();
  s.trace.SetSpin("SpinEdit1", 13);
  test::OpenFixture(s.converter, "matrix.txt");
  s.converter.Apply1Click();
  EXPECT_THROW_MSG(s.views.KineticTrace1Click(), ConversionError,
                   "row 2, column 13: '' is not a valid floating point value");
}

TEST(TraceView, ARangeOfNoWidthFailsAfterClearingThePicture) {
  Session s;
  s.Open(Matrix({{0, 0, 10}, {400, 0.1, 0.2}}));
  EXPECT_THROW_MSG(s.views.KineticTrace1Click(), MathError, "The plot range has no width (10 to 10)");
  EXPECT_THAT(s.trace.Scene().Commands(), ElementsAre(Fill(-3, -3, 1024, 584), Pen(kFrameBlue)));
}

TEST(SpectraView, ColoursFifteenSpectraThroughTheTableAndBlackAgain) {
  Session s;
  std::vector<std::vector<double>> lines{{0}, {400}, {410}, {420}};
  for (int r = 1; r <= 15; ++r) {
    lines[0].push_back(r);
    for (int w = 1; w <= 3; ++w) lines[static_cast<std::size_t>(w)].push_back(0.01 * r * w);
  }
  s.Open(Matrix(lines));
  s.views.SpectralFeatures1Click();
  std::vector<Rgb> expected{kFrameBlue};
  for (int n = 0; n < 15; ++n) expected.push_back(CurveColour(n));
  EXPECT_THAT(Pens(s.spectra.Scene()), ElementsAreArray(expected));
  EXPECT_EQ(expected.back(), (Rgb{0, 0, 0}));
  EXPECT_THAT(s.spectra.ReportLines(),
              ElementsAre("TForm6.Edit4=0.45", "TForm6.Edit3=0.01", "TForm6.Edit1=400.00", "TForm6.Edit2=420.00",
                          "TForm6.nmlow=400", "TForm6.nmhigh=420", "TForm6.SpinEdit1=1", "TForm6.Points=3"));
}

TEST(SpectraView, DrawsFromTheAnchorThroughTheSelectedColumnsOfKeptRowsOnly) {
  Session s;
  // Wavelengths 100, 200, 300 and 400, all within 1000 so the range is the data's.
  s.Open(Matrix({{0, 1, 2, 3}, {100, 1, 2, 3}, {200, 2, 3, 4}, {300, 3, 4, 5}, {400, 4, 5, 6}}));
  s.spectra.Boxes().Set("nmlow", "200");
  s.spectra.nmlowExit();
  EXPECT_EQ(s.converter.Boxes()["nmlow"], "200");
  s.converter.SetSpin("SpinEdit3", 1);  // row 1 left out of both views
  s.spectra.SetSpin("SpinEdit1", 2);    // columns 3 and 5: 200 and 400 nm
  EXPECT_EQ(s.converter.SpinValue("SpinEdit2"), 2);
  EXPECT_EQ(s.converter.Boxes()["Points"], "2");
  EXPECT_EQ(s.spectra.Boxes()["Points"], "2");
  // x: 200 -> 0, 400 -> 1031; y: 3 -> 671, 6 -> 0 (rows 2 and 3 hold 3, 3, 5 and 4, 4, 6).
  const auto& c = s.spectra.Scene().Commands();
  ASSERT_EQ(c.size(), 7U + 2 * 4);
  EXPECT_THAT(std::vector<PlotCommand>(c.begin() + 7, c.end()),
              ElementsAre(Pen(CurveColour(0)), Move(0, 671), Line(0, 671), Line(1031, 224),  //
                          Pen(CurveColour(1)), Move(0, 447), Line(0, 447), Line(1031, 0)));
}

TEST(KineticViews, ACutOffInTheTraceViewCountsAtOnceAndMirrorsIntoTheConverter) {
  Session s;
  test::OpenFixture(s.converter, "matrix_20_times.txt");
  s.trace.SetSpin("SpinEdit4", 2);
  EXPECT_EQ(s.converter.Boxes()["Part"], "17");
  EXPECT_EQ(s.trace.Boxes()["Part"], "17");
  EXPECT_EQ(s.converter.SpinValue("SpinEdit4"), 2);
  EXPECT_EQ(s.converter.SpinValue("SpinEdit6"), 2);
  EXPECT_EQ(s.trace.SpinValue("SpinEdit6"), 2);
  EXPECT_GT(s.trace.SceneSerial(), 0);
  // Back to 0 the trace's cut-off clears through the last row too.
  s.trace.SetSpin("SpinEdit4", 0);
  EXPECT_THAT(test::OmittedRows(s.converter.Grid()), ::testing::IsEmpty());
  EXPECT_EQ(s.converter.Boxes()["Part"], "20");
  EXPECT_EQ(s.converter.SpinValue("SpinEdit4"), 2);  // not mirrored at 0
}

TEST(KineticViews, TheTraceViewAppliesTheTimeAxisAndTheUnit) {
  Session s;
  test::OpenFixture(s.converter, "matrix_20_times.txt");
  s.trace.Boxes().Set("DeadTime", "0.5");
  s.trace.Boxes().Set("Interval", "2");
  s.trace.Apply1Click();
  EXPECT_EQ(s.converter.Boxes()["DeadTime"], "0.5");
  EXPECT_EQ(s.converter.Grid().Cell(1, 3), "4.5");
  EXPECT_EQ(s.trace.Boxes()["Edit1"], "2.50");  // the first time row is not plotted
  const int drawn = s.trace.SceneSerial();
  s.converter.Apply1Click();  // the converter's "Apply" redraws nothing
  EXPECT_EQ(s.trace.SceneSerial(), drawn);
  s.trace.SetSpin("SpinEdit3", 3);
  EXPECT_EQ(s.converter.SpinValue("SpinEdit1"), 3);
  EXPECT_EQ(s.converter.Boxes()["Part"], "8");
  s.converter.SetSpin("SpinEdit1", 1);  // a unit of 1 goes back to the twin
  EXPECT_EQ(s.trace.SpinValue("SpinEdit3"), 1);
  EXPECT_EQ(s.trace.Boxes()["Part"], "20");
}

// Every converter action, run with the views attached (whose twins apply the
// rule again) and without them, leaves the same marks.
TEST(KineticViews, ARuleAppliedAgainThroughATwinLeavesTheMarks) {
  const std::vector<std::pair<const char*, int>> actions = {
      {"SpinEdit3", 3}, {"SpinEdit1", 3}, {"SpinEdit4", 2}, {"SpinEdit3", 1}, {"SpinEdit1", 1},
      {"SpinEdit4", 1}, {"SpinEdit1", 2}, {"SpinEdit4", 0}, {"SpinEdit3", 0}, {"SpinEdit1", 1},
      {"SpinEdit4", 5}, {"SpinEdit3", 4}, {"SpinEdit6", 0}, {"SpinEdit5", 9}};
  Session with;
  KineticConverter without;
  test::OpenFixture(with.converter, "matrix_20_times.txt");
  test::OpenFixture(without, "matrix_20_times.txt");
  with.converter.Apply1Click();
  without.Apply1Click();
  for (const auto& [spin, value] : actions) {
    with.converter.SetSpin(spin, value);
    without.SetSpin(spin, value);
    EXPECT_EQ(test::OmittedRows(with.converter.Grid()), test::OmittedRows(without.Grid())) << spin << " " << value;
    EXPECT_EQ(with.converter.Boxes()["Part"], without.Boxes()["Part"]);
  }
}

}  // namespace
}  // namespace specbridge::kinetics
