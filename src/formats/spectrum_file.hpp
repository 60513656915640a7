#pragma once

// Single spectra on an evenly spaced wavelength axis, as the spectral sheet
// and the emission correction read them: only the first and the last
// wavelength and the point count are taken from a file, never the
// wavelengths of the other lines.

#include <optional>
#include <vector>

#include "formats/instrument_lines.hpp"

namespace specbridge::formats {

struct EvenSpectrum {
  double first = 0;
  double last = 0;
  std::vector<double> values;  // point count = values.size()
  int Count() const { return static_cast<int>(values.size()); }
};

// A "##TITLE" spectrum file: lines 11 and 12 give the first and the last
// wavelength (reals), line 13 the point count N, lines 16 to 15 + N one value
// each; later lines are ignored. Nothing when line 1 is not a title line.
std::optional<EvenSpectrum> ReadTitleSpectrum(const InstrumentLines& file, int maxPoints);

// A comma-column file (character 6 of line 1 is a comma): one point per line;
// the wavelength (characters 1 to 5) is read on the first and on the last
// line only, the value from characters 7 to 15. Nothing when line 1 has no
// comma at character 6.
std::optional<EvenSpectrum> ReadCommaSpectrum(const InstrumentLines& file, int maxPoints);

// A tab-column file (a tab among characters 2 to 12 of line 1): one point per
// line; the first tab at or after character `tabFrom`; the value after it and
// the wavelength before it (first and last line only), each trimmed of blanks
// and control characters. Every line must hold such a tab. Nothing when line
// 1 has no tab among characters 2 to 12.
std::optional<EvenSpectrum> ReadTabSpectrum(const InstrumentLines& file, int maxPoints, std::size_t tabFrom = 1);

// Each reader throws, before it returns anything: CapacityError for more
// than `maxPoints` points; MathError for a single point (the axis divides by
// N - 1); ConversionError naming file, line and text for a number that does
// not convert and for a point count below 1; FileError for a file that ends
// before the last value its header announces, or a tab-column line without
// its tab.

}  // namespace specbridge::formats
