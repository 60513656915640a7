// The range boxes under and beside the plot, and the two drawings of the
// spectra.
#include "common/errors.hpp"
#include "common/numbers.hpp"
#include "titration/titration.hpp"

namespace specbridge::titration {
namespace {

// The view leaves a margin of 1.5 % across and 2.5 % up around the range.
PlotRange Widened(const PlotRange& r) {
  const double dx = 0.015 * (r.xHigh - r.xLow);
  const double dy = 0.025 * (r.yHigh - r.yLow);
  return {r.xLow - dx, r.xHigh + dx, r.yLow - dy, r.yHigh + dy};
}

void Frame(PlotScene& scene, const PlotMapping& map, const PlotRange& r) {
  scene.SetPen(kFrameBlue);
  scene.MoveTo(map.PlotX(r.xLow), map.PlotY(r.yLow));
  scene.LineTo(map.PlotX(r.xLow), map.PlotY(r.yHigh));
  scene.LineTo(map.PlotX(r.xHigh), map.PlotY(r.yHigh));
  scene.LineTo(map.PlotX(r.xHigh), map.PlotY(r.yLow));
  scene.LineTo(map.PlotX(r.xLow), map.PlotY(r.yLow));
}

// A range box takes the value typed when it lies strictly between the
// bounds; otherwise the box shows `restore` and the range is unchanged.
bool AcceptWithin(double low, double high, double restore, double& target, std::string& boxText) {
  const double v = TextToReal(boxText);
  if (low < v && v < high) {
    target = v;
    return true;
  }
  boxText = ShortReal(restore);
  return false;
}

}  // namespace

bool AcceptXLow(TitrationSeries& series, std::string& boxText) {
  const PlotRange& data = series.DataRange;
  return AcceptWithin(data.xLow - 1, data.xHigh + 1, data.xLow, series.SelectedRange.xLow, boxText);
}

bool AcceptXHigh(TitrationSeries& series, std::string& boxText) {
  const PlotRange& data = series.DataRange;
  return AcceptWithin(data.xLow - 1, data.xHigh + 1, data.xHigh, series.SelectedRange.xHigh, boxText);
}

// The plot always starts at zero absorbance.
void RefuseYLow(std::string& boxText) { boxText = "0.00"; }

bool AcceptYHigh(TitrationSeries& series, std::string& boxText) {
  const PlotRange& data = series.DataRange;
  return AcceptWithin(data.yLow - 0.1, data.yHigh + 0.1, data.yHigh, series.SelectedRange.yHigh, boxText);
}

bool AcceptUsedSpectra(TitrationSeries& series, std::string& boxText) {
  const int n = TextToInteger(boxText);
  if (0 < n && n < series.FileCount + 1) {
    series.UsedSpectrumCount = n;
    return true;
  }
  boxText = ShortReal(series.FileCount);
  return false;
}

PlotScene DrawAfterOpen(const TitrationSeries& series, int width, int height) {
  PlotScene scene(width, height);
  scene.FillRect(0, 0, width, height, kWhite);
  if (series.FileCount < 1) return scene;
  const PlotRange& data = series.DataRange;
  const PlotMapping map(Widened(data), width, height);
  const int last = series.PointCount - series.TrailingLineCount - 1;
  for (int k = 0; k < series.FileCount; ++k) {
    Frame(scene, map, data);
    scene.SetPen(CurveColour(k));
    scene.MoveTo(map.PlotX(series.W(0)), map.PlotY(series.A(k, 0)));
    for (int i = 1; i <= last; ++i) scene.LineTo(map.PlotX(series.W(i)), map.PlotY(series.A(k, i)));
  }
  return scene;
}

PlotScene ReDraw(const TitrationSeries& series, BoxTexts& boxes, int width, int height) {
  const PlotRange& r = series.SelectedRange;
  boxes.Set("Edit1", FixedText(r.xLow, 11, 2));
  boxes.Set("Edit2", FixedText(r.xHigh, 11, 2));
  PlotScene scene(width, height);
  if (series.UsedSpectrumCount < 1) return scene;
  const PlotMapping map(Widened(r), width, height);
  scene.FillRect(-3, -3, width + 3, height + 3, kWhite);
  const int stop = series.PointCount - series.TrailingLineCount - 2;
  const auto inside = [&](double w, double a) { return r.yLow < a && a < r.yHigh && r.xLow < w && w < r.xHigh; };
  for (int k = 0; k < series.UsedSpectrumCount; ++k) {
    Frame(scene, map, r);
    scene.SetPen(CurveColour(k));
    scene.MoveTo(map.PlotX(series.W(0)), map.PlotY(series.A(k, 0)));
    for (int i = 0; i <= stop; ++i) {
      const double a0 = series.A(k, i);
      const double w1 = series.W(i + 1);
      const double a1 = series.A(k, i + 1);
      const int x = map.PlotX(w1);
      const int y = map.PlotY(a1);
      // A segment touching a point outside the selected window is left out.
      if (r.yLow < a0 && a0 < r.yHigh && inside(w1, a1)) {
        scene.LineTo(x, y);
      } else {
        scene.MoveTo(x, y);
      }
    }
  }
  return scene;
}

}  // namespace specbridge::titration
