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

// A MultiSpec JCAMP-style export, as lines: line 1 begins with "##TITLE",
// lines 11 to 13 give the first and last wavelength and N after fixed-width
// labels, lines 16 to 15 + N one absorbance each. The wavelengths are spread
// evenly from first to last. Nothing when line 1 is not a "##TITLE" line.
// Fails on a text that is not a number (a missing line reads as empty text),
// on N below 1 and, with MathError, on N = 1. `name` prefixes the messages.
std::optional<SingleSpectrum> ReadMultiSpecSpectrum(const std::vector<std::string>& lines,
                                                    const std::string& name = {});

// A UVProbe ASCII export, as lines: two header lines, then one
// "wavelength,absorbance" point per line. Wavelengths from 1000 nm on carry a
// thousands comma ("1,100.0,0.523"); a line with no comma or more than two is
// the point (0, 0). Fewer than three lines give no point.
SingleSpectrum ReadUvProbeSpectrum(const std::vector<std::string>& lines, const std::string& name = {});

// Every absorbance divided by the molar concentration typed as
// `concentrationText`. Fails on a text that is not a number and, with
// MathError, on a concentration of 0 or a quotient that overflows.
std::vector<double> DivideByConcentration(std::span<const double> absorbances, std::string_view concentrationText);

}  // namespace specbridge::fix
