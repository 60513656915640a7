#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace specbridge {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(Rgb, Rgb) = default;
};

inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kFrameBlue{0, 0, 255};

// Spectrum k of a plot is drawn in kCurveColours[k % 14].
inline constexpr std::array<Rgb, 14> kCurveColours{{
    {0x00, 0x00, 0x00},  // black
    {0x80, 0x00, 0x00},  // maroon
    {0x00, 0x80, 0x00},  // green
    {0x80, 0x80, 0x00},  // olive
    {0x00, 0x00, 0x80},  // navy
    {0x80, 0x00, 0x80},  // purple
    {0x00, 0x80, 0x80},  // teal
    {0x80, 0x80, 0x80},  // gray
    {0xC0, 0xC0, 0xC0},  // silver
    {0xFF, 0x00, 0x00},  // red
    {0x00, 0xFF, 0x00},  // lime
    {0x00, 0x00, 0xFF},  // blue
    {0xFF, 0x00, 0xFF},  // fuchsia
    {0x00, 0xFF, 0xFF},  // aqua
}};

inline Rgb CurveColour(int k) { return kCurveColours[static_cast<std::size_t>(k % 14)]; }

struct PlotRange {
  double xLow = 0, xHigh = 1, yLow = 0, yHigh = 1;
  friend bool operator==(const PlotRange&, const PlotRange&) = default;
};

// Maps data values onto a surface of width x height pixels: xLow to column 0,
// xHigh to column width, yLow to row height, yHigh to row 0. Nothing is
// clipped. A range of zero width or height throws MathError.
class PlotMapping {
 public:
  PlotMapping(const PlotRange& range, int width, int height);
  int PlotX(double x) const;
  int PlotY(double y) const;

 private:
  PlotRange range_;
  int width_, height_;
};

// A display list in pixels, painted onto the window's picture in order.
// Scenes add to the picture; a scene that clears it starts with FillRect.
struct PlotCommand {
  enum class Kind { FillRect, Pen, MoveTo, LineTo, Ellipse };
  Kind kind = Kind::MoveTo;
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // point, or the corners of a rectangle
  Rgb colour{};                        // of a fill, a pen, or inside an ellipse
  int penWidth = 1;
  friend bool operator==(const PlotCommand&, const PlotCommand&) = default;
};

class PlotScene {
 public:
  PlotScene(int width, int height) : width_(width), height_(height) {}

  void FillRect(int x1, int y1, int x2, int y2, Rgb colour);
  void SetPen(Rgb colour, int width = 1);
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  // An ellipse in the box, outlined with the pen and filled with `fill`.
  void Ellipse(int x1, int y1, int x2, int y2, Rgb fill = kWhite);

  int Width() const { return width_; }
  int Height() const { return height_; }
  const std::vector<PlotCommand>& Commands() const { return commands_; }
  bool Empty() const { return commands_.empty(); }

 private:
  int width_, height_;
  std::vector<PlotCommand> commands_;
};

}  // namespace specbridge
