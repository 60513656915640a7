#include "common/plot.hpp"

#include <algorithm>
#include <cmath>

#include "common/errors.hpp"
#include "common/numbers.hpp"

namespace specbridge {
namespace {

// Far-off points stay far off the surface without overflowing an int.
constexpr double kPixelLimit = 1 << 24;

int RoundPixel(double v) {
  if (std::isnan(v)) throw MathError("Invalid floating point operation in the plot mapping");
  // nearbyint rounds exact halves to the even integer.
  return static_cast<int>(std::nearbyint(std::clamp(v, -kPixelLimit, kPixelLimit)));
}

}  // namespace

PlotMapping::PlotMapping(const PlotRange& range, int width, int height)
    : range_(range), width_(width), height_(height) {
  if (!(range.xHigh - range.xLow != 0)) {
    throw MathError("The plot range has no width (" + ShortReal(range.xLow) + " to " + ShortReal(range.xHigh) + ")");
  }
  if (!(range.yHigh - range.yLow != 0)) {
    throw MathError("The plot range has no height (" + ShortReal(range.yLow) + " to " + ShortReal(range.yHigh) + ")");
  }
}

int PlotMapping::PlotX(double x) const { return RoundPixel((x - range_.xLow) * width_ / (range_.xHigh - range_.xLow)); }

int PlotMapping::PlotY(double y) const {
  return height_ - RoundPixel((y - range_.yLow) * height_ / (range_.yHigh - range_.yLow));
}

void PlotScene::FillRect(int x1, int y1, int x2, int y2, Rgb colour) {
  commands_.push_back({PlotCommand::Kind::FillRect, x1, y1, x2, y2, colour, 1});
}

void PlotScene::SetPen(Rgb colour, int width) {
  commands_.push_back({PlotCommand::Kind::Pen, 0, 0, 0, 0, colour, width});
}

void PlotScene::MoveTo(int x, int y) { commands_.push_back({PlotCommand::Kind::MoveTo, x, y, 0, 0, {}, 1}); }

void PlotScene::LineTo(int x, int y) { commands_.push_back({PlotCommand::Kind::LineTo, x, y, 0, 0, {}, 1}); }

void PlotScene::Ellipse(int x1, int y1, int x2, int y2, Rgb fill) {
  commands_.push_back({PlotCommand::Kind::Ellipse, x1, y1, x2, y2, fill, 1});
}

}  // namespace specbridge
