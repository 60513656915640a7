#include "sheets/spectrum_plot.hpp"

#include <algorithm>

#include "common/numbers.hpp"

namespace specbridge::sheets {
namespace {

void Widen(double& low, double& high, double margin) {
  const double span = high - low;
  if (span == 0) {
    low -= 0.5;
    high += 0.5;
    return;
  }
  low -= margin * span;
  high += margin * span;
}

}  // namespace

PlotRange PlotWindow(const PlotRange& data) {
  PlotRange window = data;
  Widen(window.xLow, window.xHigh, 0.015);
  Widen(window.yLow, window.yHigh, 0.025);
  return window;
}

PlotScene BlankDataRect(const PlotRange& data, int width, int height, bool frame) {
  PlotScene scene(width, height);
  const PlotMapping map(PlotWindow(data), width, height);
  const int x0 = map.PlotX(data.xLow), x1 = map.PlotX(data.xHigh);
  const int y0 = map.PlotY(data.yLow), y1 = map.PlotY(data.yHigh);
  // Corners in drawing order, whatever the direction of the axes.
  scene.FillRect(std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1), kWhite);
  if (frame) {
    scene.SetPen(kFrameBlue);
    scene.MoveTo(x0, y0);
    scene.LineTo(x0, y1);
    scene.LineTo(x1, y1);
    scene.LineTo(x1, y0);
    scene.LineTo(x0, y0);
  }
  return scene;
}

SpectrumDrawing DrawCurves(const CurveSource& curves, int width, int height) {
  SpectrumDrawing drawing;
  drawing.scene = PlotScene(width, height);
  const int count = curves.Count();
  if (count < 1) return drawing;
  // A slot without points has no axis and no values to draw.
  int start = 1;
  while (start <= count && curves.Points(start) < 1) ++start;
  if (start > count) return drawing;
  PlotRange& data = drawing.data;
  data.xLow = curves.First(start);
  data.xHigh = curves.Last(start);
  data.yLow = data.yHigh = curves.Value(start, 0);
  for (int k = start; k <= count; ++k) {
    if (curves.Points(k) < 1) continue;
    data.xLow = std::min(data.xLow, curves.First(k));
    data.xHigh = std::max(data.xHigh, curves.Last(k));
    for (int i = 0; i < curves.Points(k); ++i) {
      data.yLow = std::min(data.yLow, curves.Value(k, i));
      data.yHigh = std::max(data.yHigh, curves.Value(k, i));
    }
  }
  drawing.boxes = {FixedText(data.xLow, 11, 2), FixedText(data.xHigh, 11, 2), FixedText(data.yLow, 11, 2),
                   FixedText(data.yHigh, 11, 2)};
  drawing.scene = BlankDataRect(data, width, height, true);
  const PlotMapping map(PlotWindow(data), width, height);
  for (int k = start; k <= count; ++k) {
    if (curves.Points(k) < 1) continue;
    drawing.scene.SetPen(CurveColour(k));
    drawing.scene.MoveTo(map.PlotX(curves.Wavelength(k, 0)), map.PlotY(curves.Value(k, 0)));
    for (int i = 1; i < curves.Points(k); ++i) {
      drawing.scene.LineTo(map.PlotX(curves.Wavelength(k, i)), map.PlotY(curves.Value(k, i)));
    }
  }
  return drawing;
}

}  // namespace specbridge::sheets
