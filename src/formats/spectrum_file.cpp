#include "formats/spectrum_file.hpp"

#include "common/errors.hpp"
#include "common/text.hpp"
#include "formats/comma_column.hpp"
#include "formats/tab_column.hpp"
#include "formats/title_header.hpp"

namespace specbridge::formats {
namespace {

// Characters 7 to 15: the value column of the comma layout.
constexpr std::size_t kCommaValueWidth = 9;

// Refused before anything is stored, so a long file cannot overrun a set.
void CheckCount(const InstrumentLines& file, int count, int maxPoints, int line) {
  if (count > maxPoints) {
    throw CapacityError(file.Name() + ": " + std::to_string(count) + " points; a spectrum holds at most " +
                        std::to_string(maxPoints));
  }
  if (count == 1) {
    throw MathError(LinePlace(file.Name(), line) +
                    ": a spectrum of one point cannot be given wavelengths (division by zero in the axis)");
  }
}

}  // namespace

std::optional<EvenSpectrum> ReadTitleSpectrum(const InstrumentLines& file, int maxPoints) {
  if (!IsTitleHeader(file.Line(1))) return std::nullopt;
  EvenSpectrum spectrum;
  spectrum.first = TitleReal(file, kFirstWavelength);
  spectrum.last = TitleReal(file, kLastWavelength);
  const int count = TitleInteger(file, kWavelengthCount);
  if (count < 1) {
    throw ConversionError(LinePlace(file.Name(), kWavelengthCount.line) + ": the point count " + std::to_string(count) +
                          " gives no spectrum");
  }
  CheckCount(file, count, maxPoints, kWavelengthCount.line);
  const int lastLine = kTitleFirstValueLine + count - 1;
  if (file.Count() < lastLine) {
    // Missing values must never become zeros or numbers of another file.
    throw FileError(file.Name() + ": the header announces " + std::to_string(count) + " values (lines " +
                    std::to_string(kTitleFirstValueLine) + " to " + std::to_string(lastLine) +
                    "), but the file ends after line " + std::to_string(file.Count()));
  }
  spectrum.values.resize(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const int n = kTitleFirstValueLine + i;
    spectrum.values[static_cast<std::size_t>(i)] = file.Real(n, file.Line(n));
  }
  return spectrum;
}

std::optional<EvenSpectrum> ReadCommaSpectrum(const InstrumentLines& file, int maxPoints) {
  if (!IsCommaColumn(file.Line(1))) return std::nullopt;
  const int count = file.Count();
  CheckCount(file, count, maxPoints, 1);
  EvenSpectrum spectrum;
  spectrum.first = file.Real(1, CommaWavelengthText(file.Line(1)));
  spectrum.last = file.Real(count, CommaWavelengthText(file.Line(count)));
  spectrum.values.resize(static_cast<std::size_t>(count));
  for (int n = 1; n <= count; ++n) {
    spectrum.values[static_cast<std::size_t>(n - 1)] =
        file.Real(n, CommaValueText(file.Line(n), kCommaWavelengthWidth, kCommaValueWidth));
  }
  return spectrum;
}

std::optional<EvenSpectrum> ReadTabSpectrum(const InstrumentLines& file, int maxPoints, std::size_t tabFrom) {
  if (!HasTabWithin(file.Line(1), 2, 12)) return std::nullopt;
  const int count = file.Count();
  CheckCount(file, count, maxPoints, 1);
  EvenSpectrum spectrum;
  spectrum.values.resize(static_cast<std::size_t>(count));
  for (int n = 1; n <= count; ++n) {
    const auto cells = SplitAtTab(file.Line(n), tabFrom);
    if (!cells) {
      throw FileError(LinePlace(file.Name(), n) + ": no tab between wavelength and value ('" +
                      std::string(file.Line(n).substr(0, 40)) + "')");
    }
    if (n == 1) spectrum.first = file.Real(n, TrimControls(cells->before));
    if (n == count) spectrum.last = file.Real(n, TrimControls(cells->before));
    spectrum.values[static_cast<std::size_t>(n - 1)] = file.Real(n, TrimControls(cells->after));
  }
  return spectrum;
}

}  // namespace specbridge::formats
