#pragma once

// The SPECFIT 2D-format file (X/Z mode 2, model 4) of the simple converter:
// a fixed header, every second wavelength between MIN and MAX, one row per
// used run.

#include <cstdint>
#include <string>
#include <string_view>

#include "simple_kinetics/trace_data.hpp"

namespace specbridge::simple_kinetics {

// Every second wavelength of a run: point k (0 .. C - 1) holds the value at
// wavelength position 2k + 1 and is labelled with that wavelength,
// W1 + (W2 - W1) / (Nw - 1) * 2k, in extended precision. With an odd Nw the
// last point is W2; with an even Nw it lies one step below W2.
class ThinnedAxis {
 public:
  // One or two wavelengths keep a single point and leave no step between
  // points: MathError, the division by zero of the spacing.
  ThinnedAxis(const SimpleTraceData& data, const std::string& name);
  std::int32_t Count() const { return count_; }
  long double At(std::int32_t k) const { return first_ + step_ * (2.0L * k); }

 private:
  std::int32_t count_;
  long double first_;
  long double step_;
};

// The written points s .. e of the axis: s is the last point at or below
// `low` (0 when point 1 is already above it), e the first point at or above
// `high` (C - 1 when point C - 2 is still below it). Both searches stay on
// the axis; e < s means nothing lies between the two.
struct WrittenRange {
  std::int32_t first = 0;
  std::int32_t last = 0;
};
WrittenRange FindWrittenRange(const ThinnedAxis& axis, double low, double high);

// The whole file for the boxes MIN and MAX. Fails on a box that is not a
// number (ConversionError naming it), on one or two wavelengths and on a
// single run (MathError: the wavelength and the time steps divide by zero),
// and when MIN and MAX leave no wavelength between them.
std::string WriteSimpleTrace(const SimpleTraceData& data, std::string_view minText, std::string_view maxText);

}  // namespace specbridge::simple_kinetics
