// The range boxes of the titration window and its two drawings.
#include "common/errors.hpp"
#include "support/test_support.hpp"
#include "titration/titration.hpp"
#include "titration_test_support.hpp"

namespace specbridge::titration {
namespace {

using Kind = PlotCommand::Kind;

PlotCommand Move(int x, int y) { return {Kind::MoveTo, x, y, 0, 0, {}, 1}; }
PlotCommand Line(int x, int y) { return {Kind::LineTo, x, y, 0, 0, {}, 1}; }
PlotCommand Pen(Rgb colour) { return {Kind::Pen, 0, 0, 0, 0, colour, 1}; }

TEST(TitrationRangeBoxes, AcceptValuesWithinTheDataRangeWidenedByOne) {
  struct Case {
    bool (*accept)(TitrationSeries&, std::string&);
    const char* typed;
    bool accepted;
    const char* shown;  // the box text afterwards
    PlotRange selected;
  };
  const PlotRange data{300, 700, 0.1, 1.5};
  const std::vector<Case> cases{
      {AcceptXLow, "450", true, "450", {450, 700, 0.1, 1.5}},
      {AcceptXLow, "299.5", true, "299.5", {299.5, 700, 0.1, 1.5}},
      {AcceptXLow, "299", false, "300", data},
      {AcceptXLow, "100", false, "300", data},
      {AcceptXHigh, "700.5", true, "700.5", {300, 700.5, 0.1, 1.5}},
      {AcceptXHigh, "701", false, "700", data},
      {AcceptXHigh, "250", false, "700", data},
      {AcceptYHigh, "1.55", true, "1.55", {300, 700, 0.1, 1.55}},
      {AcceptYHigh, "1.6", false, "1.5", data},
      {AcceptYHigh, "0", false, "1.5", data},
  };
  for (const Case& c : cases) {
    TitrationSeries s;
    s.DataRange = s.SelectedRange = data;
    std::string box = c.typed;
    EXPECT_EQ(c.accept(s, box), c.accepted) << c.typed;
    EXPECT_EQ(box, c.shown) << c.typed;
    EXPECT_EQ(s.SelectedRange, c.selected) << c.typed;
    EXPECT_EQ(s.DataRange, data);
  }
}

TEST(TitrationRangeBoxes, UsedSpectraBetweenOneAndFileCount) {
  for (const auto& [typed, accepted, shown, used] :
       std::vector<std::tuple<std::string, bool, std::string, int>>{{"2", true, "2", 2},
                                                                    {"3", true, "3", 3},
                                                                    {"0", false, "3", 3},
                                                                    {"4", false, "3", 3},
                                                                    {"-1", false, "3", 3}}) {
    TitrationSeries s;
    s.FileCount = s.UsedSpectrumCount = 3;
    std::string box = typed;
    EXPECT_EQ(AcceptUsedSpectra(s, box), accepted) << typed;
    EXPECT_EQ(box, shown);
    EXPECT_EQ(s.UsedSpectrumCount, used);
  }
}

TEST(TitrationRangeBoxes, TextsThatDoNotConvertChangeNothing) {
  TitrationSeries s;
  s.FileCount = s.UsedSpectrumCount = 3;
  s.DataRange = s.SelectedRange = {300, 700, 0, 1};
  std::string box = "4OO";
  EXPECT_THROW_MSG(AcceptXLow(s, box), ConversionError, "'4OO' is not a valid floating point value");
  box = "2.5";
  EXPECT_THROW_MSG(AcceptUsedSpectra(s, box), ConversionError, "'2.5' is not a valid integer value");
  EXPECT_EQ(box, "2.5");
  EXPECT_EQ(s.SelectedRange, (PlotRange{300, 700, 0, 1}));
  EXPECT_EQ(s.UsedSpectrumCount, 3);
  box = "0.5";
  RefuseYLow(box);
  EXPECT_EQ(box, "0.00");
}

// Data 400..600 by 0..1 on 100 x 100 pixels: the view is 397..603 across and
// -0.025..1.025 up, so 400 -> 1, 500 -> 50, 600 -> 99, 0 -> 98, 0.5 -> 50, 1 -> 2.
TitrationSeries TwoCrossingSpectra() { return test::MakeSeries({400, 500, 600}, {{0, 0.5, 1}, {1, 0.5, 0}}); }

TEST(TitrationDrawAfterOpen, ClearsThenDrawsFrameAndCurvePerSpectrum) {
  const PlotScene scene = DrawAfterOpen(TwoCrossingSpectra(), 100, 100);
  const std::vector<PlotCommand> frame{Pen(kFrameBlue), Move(1, 98),  Line(1, 2),
                                       Line(99, 2),     Line(99, 98), Line(1, 98)};
  std::vector<PlotCommand> expected{{Kind::FillRect, 0, 0, 100, 100, kWhite, 1}};
  expected.insert(expected.end(), frame.begin(), frame.end());
  expected.insert(expected.end(), {Pen(kCurveColours[0]), Move(1, 98), Line(50, 50), Line(99, 2)});
  expected.insert(expected.end(), frame.begin(), frame.end());
  expected.insert(expected.end(), {Pen(kCurveColours[1]), Move(1, 2), Line(50, 50), Line(99, 98)});
  EXPECT_EQ(scene.Commands(), expected);
}

TEST(TitrationDrawAfterOpen, LeavesOutTrailingLinesAndColoursByKModulo14) {
  std::vector<std::vector<double>> values(16, std::vector<double>{0, 0.5, 1});
  TitrationSeries s = test::MakeSeries({400, 500, 600}, values);
  s.TrailingLineCount = 1;
  const PlotScene scene = DrawAfterOpen(s, 100, 100);
  std::vector<Rgb> curvePens;
  int pens = 0, lines = 0;
  for (const PlotCommand& c : scene.Commands()) {
    if (c.kind == Kind::Pen && pens++ % 2 == 1) curvePens.push_back(c.colour);
    lines += c.kind == Kind::LineTo ? 1 : 0;
  }
  ASSERT_EQ(curvePens.size(), 16U);
  for (int k = 0; k < 16; ++k) EXPECT_EQ(curvePens[static_cast<std::size_t>(k)], kCurveColours[k % 14]) << k;
  EXPECT_EQ(curvePens[14], (Rgb{0, 0, 0}));
  EXPECT_EQ(curvePens[11], (Rgb{0, 0, 0xFF}));
  EXPECT_EQ(lines, 16 * (4 + 1));  // frame and one segment each
}

TEST(TitrationDrawAfterOpen, SinglePointSeriesHasNoWidthToMap) {
  EXPECT_THROW_MSG(DrawAfterOpen(test::MakeSeries({500}, {{0.5}}), 100, 100), MathError,
                   "The plot range has no width (500 to 500)");
}

TEST(TitrationReDraw, LeavesOutSegmentsTouchingPointsOutsideTheWindow) {
  TitrationSeries s = test::MakeSeries({400, 450, 500, 550}, {{0.2, 0.4, 2.0, 0.6}});
  s.SelectedRange = {390, 560, 0, 1};
  BoxTexts boxes = DefaultBoxes();
  const PlotScene scene = ReDraw(s, boxes, 100, 100);
  EXPECT_EQ(boxes["Edit1"], "390.00");
  EXPECT_EQ(boxes["Edit2"], "560.00");
  std::vector<Kind> kinds;
  for (const PlotCommand& c : scene.Commands()) kinds.push_back(c.kind);
  EXPECT_EQ(kinds,
            (std::vector<Kind>{Kind::FillRect, Kind::Pen, Kind::MoveTo, Kind::LineTo, Kind::LineTo, Kind::LineTo,
                               Kind::LineTo, Kind::Pen, Kind::MoveTo, Kind::LineTo, Kind::MoveTo, Kind::MoveTo}));
  const auto& c = scene.Commands();
  EXPECT_EQ(c[0], (PlotCommand{Kind::FillRect, -3, -3, 103, 103, kWhite, 1}));
  EXPECT_EQ(c[2], Move(1, 98));  // the frame starts at (XLow, YLow)
  EXPECT_EQ(c[7], Pen(kCurveColours[0]));
}

TEST(TitrationReDraw, OnlyTheBoxesWithoutSpectraAndNoWidthFails) {
  TitrationSeries s = TwoCrossingSpectra();
  s.UsedSpectrumCount = 0;
  s.SelectedRange = {450, 450, 0, 1};
  BoxTexts boxes = DefaultBoxes();
  EXPECT_TRUE(ReDraw(s, boxes, 100, 100).Empty());
  EXPECT_EQ(boxes["Edit1"], "450.00");
  s.UsedSpectrumCount = 1;
  EXPECT_THROW_MSG(ReDraw(s, boxes, 100, 100), MathError, "The plot range has no width (450 to 450)");
}

TEST(TitrationReDraw, UsesOnlyTheSpectraForMeasurement) {
  TitrationSeries s = TwoCrossingSpectra();
  s.UsedSpectrumCount = 1;
  s.SelectedRange = {390, 610, -1, 2};
  BoxTexts boxes = DefaultBoxes();
  int pens = 0;
  const PlotScene scene = ReDraw(s, boxes, 100, 100);
  for (const PlotCommand& c : scene.Commands()) pens += c.kind == Kind::Pen ? 1 : 0;
  EXPECT_EQ(pens, 2);
}

}  // namespace
}  // namespace specbridge::titration
