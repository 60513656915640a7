#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace specbridge::fix {

// One measured absorption spectrum.
struct SingleSpectrum {
  std::vector<double> wavelengths;
  std::vector<double> absorbances;
  std::int32_t Count() const { return static_cast<std::int32_t>(wavelengths.size()); }
};

// Points of one spectrum, well beyond any instrument's (UVProbe's finest
// interval over its whole range is 91,001 points).
inline constexpr std::int32_t kMaxSpectrumPoints = 100'000;

// A MultiSpec JCAMP-style export, as lines: line 1 begins with "##TITLE",
// lines 11 to 13 give the first and last wavelength and N after fixed-width
// labels, lines 16 to 15 + N one absorbance each. The wavelengths are spread
// evenly from first to last. Nothing when line 1 is not a "##TITLE" line.
// Fails on a text that is not a number, on N below 1, on N beyond
// kMaxSpectrumPoints (CapacityError), on a file with fewer than N absorbance
// lines (FileError naming both counts) and, with MathError, on N = 1.
// `name` prefixes the messages.
std::optional<SingleSpectrum> ReadMultiSpecSpectrum(const std::vector<std::string>& lines,
                                                    const std::string& name = {});

// A UVProbe ASCII export, as lines: two header lines, then one
// "wavelength,absorbance" point per line. Wavelengths from 1000 nm on carry a
// thousands comma ("1,100.0,0.523"); a line with no comma or more than two is
// the point (0, 0). A file in which no line holds a point (fewer than three
// lines, or only lines without a comma) gives no point. More than
// kMaxSpectrumPoints points throw CapacityError.
SingleSpectrum ReadUvProbeSpectrum(const std::vector<std::string>& lines, const std::string& name = {});

// Every absorbance divided by the molar concentration typed as
// `concentrationText`. Fails on a text that is not a number and, with
// MathError, on a concentration of 0 or a quotient that overflows.
std::vector<double> DivideByConcentration(std::span<const double> absorbances, std::string_view concentrationText);

}  // namespace specbridge::fix
