#include "sheets/spectrum_set.hpp"

#include <algorithm>

#include "common/errors.hpp"
#include "common/numbers.hpp"
#include "formats/even_axis.hpp"
#include "formats/instrument_lines.hpp"
#include "formats/spectrum_file.hpp"

namespace specbridge::sheets {
namespace {

std::string AxisText(int count, double first, double last) {
  return std::to_string(count) + " points from " + ShortReal(first) + " to " + ShortReal(last) + " nm";
}

}  // namespace

SpectrumSet::SpectrumSet()
    : SpectrumPaths(kMaxSpectra), SpectrumValues(static_cast<std::size_t>(kMaxSpectra) * kMaxPoints, 0.0) {}

double SpectrumSet::Wavelength(int i) const {
  return formats::EvenlySpaced(FirstWavelength, LastWavelength, PointCount, i);
}

void SpectrumSet::BeginOpen() { std::fill(SpectrumPaths.begin(), SpectrumPaths.end(), std::filesystem::path()); }

void SpectrumSet::CopySlot(int from, int to) {
  Path(to) = Path(from);
  std::copy_n(&Value(from, 0), PointCount, &Value(to, 0));
}

void SpectrumSet::SwapSlots(int a, int b) {
  std::swap(Path(a), Path(b));
  std::swap_ranges(&Value(a, 0), &Value(a, 0) + PointCount, &Value(b, 0));
}

bool ReadSpectrumFile(SpectrumSet& set, std::span<const std::string_view> lines, std::string_view name, int k,
                      bool added) {
  const formats::InstrumentLines file(lines, name);
  auto spectrum = formats::ReadTitleSpectrum(file, kMaxPoints);
  if (!spectrum) spectrum = formats::ReadCommaSpectrum(file, kMaxPoints);
  if (!spectrum) return false;
  if (k < 1 || k > kMaxSpectra) {
    throw CapacityError(std::string(name) + ": a sheet holds at most " + std::to_string(kMaxSpectra) + " spectra");
  }
  // One axis serves every column: a spectrum on another one would be written
  // mislabelled, cut short or padded with numbers of an earlier file.
  if (added && set.SpectrumCount > 0 &&
      (spectrum->Count() != set.PointCount || spectrum->first != set.FirstWavelength ||
       spectrum->last != set.LastWavelength)) {
    throw FileError(std::string(name) + ": its axis (" + AxisText(spectrum->Count(), spectrum->first, spectrum->last) +
                    ") differs from the working spectra's (" +
                    AxisText(set.PointCount, set.FirstWavelength, set.LastWavelength) +
                    "); a sheet holds spectra of one axis");
  }
  std::copy(spectrum->values.begin(), spectrum->values.end(), &set.Value(k, 0));
  set.FirstWavelength = spectrum->first;
  set.LastWavelength = spectrum->last;
  set.PointCount = spectrum->Count();
  return true;
}

bool ReadSpectrumBytes(SpectrumSet& set, std::string_view bytes, std::string_view name, int k, bool added,
                       const MessageSink& warn) {
  std::vector<std::string_view> lines;
  LoadLineViews(TextBeforeNul(bytes, name, warn), lines);
  return ReadSpectrumFile(set, lines, name, k, added);
}

std::string WriteTabSheet(const SpectrumSet& set) {
  std::string out;
  out.reserve(static_cast<std::size_t>(set.PointCount + 1) * (8 + 10 * static_cast<std::size_t>(set.SpectrumCount)));
  for (int k = 1; k <= set.SpectrumCount; ++k) out.append("\t").append(set.Path(k).filename().string());
  out.append("\r\n");
  for (int i = 0; i < set.PointCount; ++i) {
    out.append(FixedReal(set.Wavelength(i), 5, 1));
    for (int k = 1; k <= set.SpectrumCount; ++k) {
      const double v = set.Value(k, i);
      // Negative values get one more place for their sign.
      out.append("\t").append(FixedReal(v, v < 0 ? 9 : 8, 6));
    }
    out.append("\r\n");
  }
  return out;
}

std::filesystem::path DefaultSheetName(const std::filesystem::path& first) {
  const std::string path = first.string();
  return path.substr(0, path.size() - std::min<std::size_t>(4, path.size())) + ".txt";
}

}  // namespace specbridge::sheets
