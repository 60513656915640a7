#include "fix/single_spectrum.hpp"

#include <algorithm>

#include "common/errors.hpp"
#include "common/numbers.hpp"
#include "common/text.hpp"

namespace specbridge::fix {
namespace {

// Lines are counted from 1 in messages.
std::string LineName(const std::string& name, std::size_t index) {
  return LinePlace(name, static_cast<long long>(index) + 1);
}

// The text of line `index` from character `from` (0-based) on; a missing line
// or a shorter one gives empty text.
std::string_view Tail(const std::vector<std::string>& lines, std::size_t index, std::size_t from) {
  if (index >= lines.size() || lines[index].size() <= from) return {};
  return std::string_view(lines[index]).substr(from);
}

double RealAt(const std::vector<std::string>& lines, std::size_t index, std::size_t from, const std::string& name) {
  return AtLine(name, static_cast<long long>(index) + 1, [&] { return TextToReal(Tail(lines, index, from)); });
}

}  // namespace

std::optional<SingleSpectrum> ReadMultiSpecSpectrum(const std::vector<std::string>& lines, const std::string& name) {
  if (lines.empty() || !lines[0].starts_with("##TITLE")) return std::nullopt;
  // Labels of 9, 8 and 10 characters precede the header values.
  const double first = RealAt(lines, 10, 9, name);
  const double last = RealAt(lines, 11, 8, name);
  const std::int32_t count = AtLine(name, 13, [&] { return TextToInteger(Tail(lines, 12, 10)); });
  if (count < 1) {
    throw ConversionError(LineName(name, 12) + ": the point count " + std::to_string(count) +
                          " gives no spectrum; it must be at least 2");
  }
  if (count == 1) {
    // The even spacing divides by N - 1.
    throw MathError(LineName(name, 12) +
                    ": a single point cannot be spread from the first to the last wavelength "
                    "(invalid floating point operation, 0 / 0)");
  }

  if (count > kMaxSpectrumPoints) {
    throw CapacityError(LineName(name, 12) + ": " + std::to_string(count) + " points; a spectrum holds at most " +
                        std::to_string(kMaxSpectrumPoints));
  }
  SingleSpectrum spectrum;
  // Missing absorbances must never become zeros or empty texts.
  const auto n = static_cast<std::size_t>(count);
  const std::size_t present = lines.size() > 15 ? lines.size() - 15 : 0;
  if (present < n) {
    throw FileError(LineName(name, 12) + ": the header announces " + std::to_string(count) +
                    " points, but the file holds only " + std::to_string(present) + " lines after its header");
  }
  spectrum.absorbances.reserve(n);
  for (std::size_t i = 0; i < n; ++i) spectrum.absorbances.push_back(RealAt(lines, 15 + i, 0, name));

  spectrum.wavelengths.resize(n);
  // Evaluated in this order in extended precision, as the instrument's
  // software spaces its points.
  const long double span = static_cast<long double>(last) - first;
  for (std::size_t i = 0; i < n; ++i) {
    const long double wavelength = span * static_cast<long double>(i) / static_cast<long double>(count - 1) + first;
    spectrum.wavelengths[i] = AtLine(name, 11, [&] { return CheckedFinite(static_cast<double>(wavelength)); });
  }
  return spectrum;
}

SingleSpectrum ReadUvProbeSpectrum(const std::vector<std::string>& lines, const std::string& name) {
  SingleSpectrum spectrum;
  if (lines.size() < 3) return spectrum;
  const std::size_t n = lines.size() - 2;
  if (n > static_cast<std::size_t>(kMaxSpectrumPoints)) {
    throw CapacityError(name + ": " + std::to_string(n) + " points; a spectrum holds at most " +
                        std::to_string(kMaxSpectrumPoints));
  }
  bool anyPoint = false;
  spectrum.wavelengths.assign(n, 0.0);
  spectrum.absorbances.assign(n, 0.0);
  for (std::size_t k = 2; k < lines.size(); ++k) {
    // A line without a comma, or with more than two, stays a point (0, 0).
    const auto point = AtLine(name, static_cast<long long>(k) + 1, [&] { return ReadCommaPoint(lines[k]); });
    if (!point) continue;
    anyPoint = true;
    spectrum.wavelengths[k - 2] = point->wavelength;
    spectrum.absorbances[k - 2] = point->value;
  }
  // Header lines followed by blank lines only hold no data.
  if (!anyPoint) return {};
  return spectrum;
}

std::vector<double> DivideByConcentration(std::span<const double> absorbances, std::string_view concentrationText) {
  const double concentration = WithContext("Concentration", [&] { return TextToReal(concentrationText); });
  return WithContext("Concentration " + QuoteText(concentrationText), [&] {
    std::vector<double> values(absorbances.size());
    for (std::size_t i = 0; i < absorbances.size(); ++i) values[i] = CheckedDivide(absorbances[i], concentration);
    return values;
  });
}

}  // namespace specbridge::fix
