#include "fix/single_spectrum.hpp"

#include <algorithm>

#include "common/errors.hpp"
#include "common/numbers.hpp"
#include "formats/even_axis.hpp"
#include "formats/instrument_lines.hpp"
#include "formats/title_header.hpp"
#include "formats/uvprobe.hpp"

namespace specbridge::fix {

std::optional<SingleSpectrum> ReadMultiSpecSpectrum(const std::vector<std::string>& lines, const std::string& name) {
  using namespace formats;
  const std::vector<std::string_view> views = LineViews(lines);
  const InstrumentLines file(views, name);
  if (!IsTitleHeader(file.Line(1))) return std::nullopt;
  const double first = TitleReal(file, kFirstWavelength);
  const double last = TitleReal(file, kLastWavelength);
  const std::int32_t count = TitleInteger(file, kWavelengthCount);
  if (count < 1) {
    throw ConversionError(LinePlace(name, kWavelengthCount.line) + ": the point count " + std::to_string(count) +
                          " gives no spectrum; it must be at least 2");
  }
  if (count == 1) {
    // The even spacing divides by N - 1.
    throw MathError(LinePlace(name, kWavelengthCount.line) +
                    ": a single point cannot be spread from the first to the last wavelength "
                    "(invalid floating point operation, 0 / 0)");
  }

  if (count > kMaxSpectrumPoints) {
    throw CapacityError(LinePlace(name, kWavelengthCount.line) + ": " + std::to_string(count) +
                        " points; a spectrum holds at most " + std::to_string(kMaxSpectrumPoints));
  }
  SingleSpectrum spectrum;
  // Missing absorbances must never become zeros or empty texts.
  const auto n = static_cast<std::size_t>(count);
  const std::size_t present = lines.size() > 15 ? lines.size() - 15 : 0;
  if (present < n) {
    throw FileError(LinePlace(name, kWavelengthCount.line) + ": the header announces " + std::to_string(count) +
                    " points, but the file holds only " + std::to_string(present) + " lines after its header");
  }
  spectrum.absorbances.reserve(n);
  for (std::int32_t i = 0; i < count; ++i) {
    const int line = kTitleFirstValueLine + i;
    spectrum.absorbances.push_back(file.Real(line, file.Line(line)));
  }

  spectrum.wavelengths.resize(n);
  for (std::int32_t i = 0; i < count; ++i) {
    spectrum.wavelengths[static_cast<std::size_t>(i)] =
        AtLine(name, kFirstWavelength.line, [&] { return EvenlySpaced(first, last, count, i); });
  }
  return spectrum;
}

// Another instrument's spectrum would lose its first two points as "headers":
// refused, naming the layout it looks like.
void RefuseOtherLayouts(const std::vector<std::string>& lines, const std::string& name) {
  if (lines.empty()) return;
  if (formats::IsTitleHeader(lines[0])) {
    throw FileError(name +
                    " looks like a MultiSpec \"##TITLE\" spectrum, not a UVProbe export "
                    "(two header lines, then one wavelength,value line per point)");
  }
  bool point = false;
  try {
    point = formats::ReadCommaPoint(lines[0]).has_value();
  } catch (const Failure&) {
  }
  if (point) {
    throw FileError(name + " looks like a comma-column spectrum, not a UVProbe export: line 1 is the point " +
                    QuoteText(lines[0]) + " where the export has its first header line");
  }
}

SingleSpectrum ReadUvProbeSpectrum(const std::vector<std::string>& lines, const std::string& name) {
  RefuseOtherLayouts(lines, name);
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
    const auto point = AtLine(name, static_cast<long long>(k) + 1, [&] { return formats::ReadCommaPoint(lines[k]); });
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
