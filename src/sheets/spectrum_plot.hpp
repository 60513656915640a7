#pragma once

// The plot of the spectrum windows: every working spectrum as a curve over
// the range of the data, inside a white data rectangle framed in blue.

#include <array>
#include <string>

#include "common/plot.hpp"

namespace specbridge::sheets {

// The surface of Image1 in the spectrum windows.
inline constexpr int kPlotWidth = 661;
inline constexpr int kPlotHeight = 491;

struct SpectrumDrawing {
  PlotScene scene{kPlotWidth, kPlotHeight};
  PlotRange data;                    // xmin, xmax, ymin, ymax
  std::array<std::string, 4> boxes;  // Edit1 .. Edit4: xmin, xmax, ymin, ymax
};

// The world window around `data`: 1.5 % of its width across and 2.5 % of its
// height up on each side. A range of no width or height (one wavelength, a
// flat baseline) is drawn as if one unit wide, centred.
PlotRange PlotWindow(const PlotRange& data);

// The data rectangle filled white, and framed in blue with `frame` ("Close";
// the removal of the last spectrum leaves it unframed).
PlotScene BlankDataRect(const PlotRange& data, int width, int height, bool frame);

// "DrawSpec" from the curves of a set: x from the smallest first to the
// largest last wavelength of the working spectra, y over all their values
// starting from slot 1's point 0; spectrum k in CurveColour(k).
struct CurveSource {
  virtual ~CurveSource() = default;
  virtual int Count() const = 0;
  virtual int Points(int k) const = 0;
  virtual double First(int k) const = 0;
  virtual double Last(int k) const = 0;
  virtual double Wavelength(int k, int i) const = 0;
  virtual double Value(int k, int i) const = 0;
};
SpectrumDrawing DrawCurves(const CurveSource& curves, int width, int height);

// DrawSpec of any set offering SpectrumCount, PointsOf, FirstOf, LastOf,
// WavelengthOf and ValueOf. An empty set gives an empty scene.
template <class Set>
SpectrumDrawing DrawSpec(const Set& set, int width = kPlotWidth, int height = kPlotHeight) {
  struct Source final : CurveSource {
    explicit Source(const Set& s) : set(s) {}
    int Count() const override { return set.SpectrumCount; }
    int Points(int k) const override { return set.PointsOf(k); }
    double First(int k) const override { return set.FirstOf(k); }
    double Last(int k) const override { return set.LastOf(k); }
    double Wavelength(int k, int i) const override { return set.WavelengthOf(k, i); }
    double Value(int k, int i) const override { return set.ValueOf(k, i); }
    const Set& set;
  };
  return DrawCurves(Source(set), width, height);
}

}  // namespace specbridge::sheets
