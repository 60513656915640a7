#include "emission/emission_set.hpp"

#include <algorithm>
#include <cmath>

#include "common/errors.hpp"
#include "common/numbers.hpp"
#include "formats/even_axis.hpp"
#include "formats/instrument_lines.hpp"
#include "formats/spectrum_file.hpp"
#include "formats/tab_column.hpp"

namespace specbridge::emission {
namespace {

// The lamp factor is normalised at the first point above this wavelength.
constexpr double kNormalisationNm = 700;
// Texts of the lamp-data grid and of ".wfc" files.
constexpr std::size_t kGridWidth = 12;
constexpr std::size_t kWfcWidth = 10;

std::string Trimmed(std::string text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string GridText(double v, std::size_t width) { return Trimmed(CutKeepingExponent(ShortReal(v), width)); }

}  // namespace

EmissionSet::EmissionSet() : slots_(kSlots) {}

void EmissionSet::SetEvenSpectrum(int k, double first, double last, std::span<const double> values) {
  const int count = static_cast<int>(values.size());
  Slot slot;
  slot.wavelengths.resize(values.size());
  // The whole axis first: a single point throws before the slot changes.
  for (int i = 0; i < count; ++i) {
    slot.wavelengths[static_cast<std::size_t>(i)] = formats::EvenlySpaced(first, last, count, i);
  }
  slot.path = At(k).path;
  slot.count = count;
  slot.first = first;
  slot.last = last;
  slot.values.assign(values.begin(), values.end());
  At(k) = std::move(slot);
}

bool ReadEmissionFile(EmissionSet& set, std::span<const std::string_view> lines, std::string_view name, int k,
                      bool added) {
  const formats::InstrumentLines file(lines, name);
  auto spectrum = formats::ReadTitleSpectrum(file, kMaxPoints);
  if (!spectrum) spectrum = formats::ReadCommaSpectrum(file, kMaxPoints);
  // An added file's tab is searched from character 3.
  if (!spectrum) spectrum = formats::ReadTabSpectrum(file, kMaxPoints, added ? 3 : 1);
  if (!spectrum) return false;
  if (k < 1 || k > kMaxWorking) {
    throw CapacityError(std::string(name) + ": the working list holds at most " + std::to_string(kMaxWorking) +
                        " spectra");
  }
  set.SetEvenSpectrum(k, spectrum->first, spectrum->last, spectrum->values);
  set.At(k).generatedFactor = false;
  return true;
}

bool ReadEmissionBytes(EmissionSet& set, std::string_view bytes, std::string_view name, int k, bool added,
                       const MessageSink& warn) {
  std::vector<std::string_view> lines;
  LoadLineViews(TextBeforeNul(bytes, name, warn), lines);
  return ReadEmissionFile(set, lines, name, k, added);
}

double Planck(double nm) {
  // The constants are doubles: as long doubles the 15-digit texts of the
  // factors change in their last digit (0.127918026670285 for ...284).
  constexpr double kRadiation = 9.710440419e17;
  constexpr double kBoltzmann = 0.695;
  constexpr double kColourTemperature = 0.0003178081853;
  const long double lambda = nm;
  long double x = 1.0L / lambda;
  x /= kBoltzmann;
  x /= kColourTemperature;
  const long double difference = std::exp(x) - 1.0L;
  long double radiance = kRadiation;
  for (int power = 0; power < 5; ++power) radiance /= lambda;
  return static_cast<double>(radiance / difference);
}

std::string CutKeepingExponent(std::string_view text, std::size_t width) {
  if (text.size() <= width) return std::string(text);
  const auto e = text.find_first_of("Ee");
  if (e == std::string_view::npos || text.size() - e >= width) return std::string(text.substr(0, width));
  std::string mantissa(text.substr(0, width - (text.size() - e)));
  // "1.E-7" would read back, but reads badly.
  if (!mantissa.empty() && mantissa.back() == '.') mantissa.pop_back();
  return mantissa + std::string(text.substr(e));
}

LampGrid LampDataGrid(const EmissionSet& set) {
  LampGrid grid;
  if (set.SpectrumCount <= 0) return grid;
  const int s = set.SpectrumCount;
  grid.resize(static_cast<std::size_t>(set.Points(s)));
  for (int i = 0; i < set.Points(s); ++i) {
    auto& row = grid[static_cast<std::size_t>(i)];
    row[0] = GridText(set.Wavelength(s, i), kGridWidth);
    row[1] = GridText(set.Value(s, i), kGridWidth);
  }
  return grid;
}

void ShowLampData(const EmissionSet& set, LampGrid& grid) {
  if (set.SpectrumCount <= 0) return;
  LampGrid shown = LampDataGrid(set);
  for (std::size_t i = 0; i < shown.size() && i < grid.size(); ++i) shown[i][2] = std::move(grid[i][2]);
  grid = std::move(shown);
}

bool GenerateWFactor(EmissionSet& set, LampGrid& grid) {
  if (grid.empty() || grid[0][0].empty() || grid[0][1].empty()) return false;
  if (set.SpectrumCount <= 0) throw FileError("Generate_WFactor: the working list holds no lamp spectrum");
  const int lamp = set.SpectrumCount;
  const int n = lamp + 1;
  if (n > kMaxWorking) {
    throw CapacityError("Generate_WFactor: the working list holds at most " + std::to_string(kMaxWorking) + " spectra");
  }
  const int count = set.Points(lamp);
  int j = 1;
  while (j < count && !(set.Wavelength(lamp, j) > kNormalisationNm)) ++j;
  if (j >= count) {
    throw MathError("Generate_WFactor: " + set.Path(lamp).filename().string() +
                    " has no point above 700 nm after its first, where the factor is normalised to 1");
  }
  const auto refuseZero = [&](int i) {
    if (set.Value(lamp, i) == 0) {
      throw MathError("Generate_WFactor: the lamp intensity at " + ShortReal(set.Wavelength(lamp, i)) +
                      " nm is zero; the factor there has no value");
    }
  };
  refuseZero(0);
  refuseZero(j);

  std::vector<double> factor(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const double value = set.Value(lamp, i);
    // A zero lamp intensity takes the factor of the point before it.
    factor[static_cast<std::size_t>(i)] =
        value != 0 ? Planck(set.Wavelength(lamp, i)) / value : factor[static_cast<std::size_t>(i - 1)];
  }
  const double r = factor[static_cast<std::size_t>(j)];
  for (double& f : factor) f /= r;

  EmissionSet::Slot slot = set.At(lamp);
  slot.path = set.Path(lamp).string() + ".wfc";
  slot.values = std::move(factor);
  slot.generatedFactor = true;
  for (int i = 0; i < count && static_cast<std::size_t>(i) < grid.size(); ++i) {
    grid[static_cast<std::size_t>(i)][2] = GridText(slot.values[static_cast<std::size_t>(i)], kGridWidth);
  }
  set.At(n) = std::move(slot);
  set.SpectrumCount = n;
  return true;
}

std::string WFactorText(const EmissionSet& set) {
  constexpr int kSaved = 2;
  if (!set.IsGeneratedFactor(kSaved)) {
    throw FileError("Save_WFactor did nothing: working spectrum 2 is not a lamp factor made by Generate_WFactor");
  }
  std::string out;
  for (int i = 0; i < set.Points(kSaved); ++i) {
    out.append(GridText(set.Wavelength(kSaved, i), kWfcWidth))
        .append("\t")
        .append(GridText(set.Value(kSaved, i), kWfcWidth))
        .append("\r\n");
  }
  return out;
}

void SelectWFactor(EmissionSet& set, std::span<const std::string_view> lines, const std::filesystem::path& path,
                   LampGrid& grid) {
  const std::string name = path.filename().string();
  const formats::InstrumentLines file(lines, name);
  const int count = file.Count();
  if (count > kMaxPoints) {
    throw CapacityError(name + ": " + std::to_string(count) + " points; a factor holds at most " +
                        std::to_string(kMaxPoints));
  }
  if (count == 0) throw FileError(name + ": no lamp factor in the file");
  std::vector<double> values(static_cast<std::size_t>(count));
  double first = 0;
  double last = 0;
  for (int n = 1; n <= count; ++n) {
    const auto cells = formats::SplitAtTab(file.Line(n));
    if (!cells) {
      throw FileError(LinePlace(name, n) + ": no tab between wavelength and factor (" + QuoteText(file.Line(n)) + ")");
    }
    if (n == 1) first = file.Real(n, cells->before);
    if (n == count) last = file.Real(n, cells->before);
    values[static_cast<std::size_t>(n - 1)] = file.Real(n, cells->after);
  }
  set.SetEvenSpectrum(kFactorSlot, first, last, values);
  set.Path(kFactorSlot) = path;
  set.At(kFactorSlot).generatedFactor = false;
  grid.assign(static_cast<std::size_t>(count), {});
  for (int i = 0; i < count; ++i) {
    grid[static_cast<std::size_t>(i)][0] = GridText(set.Wavelength(kFactorSlot, i), kWfcWidth);
    grid[static_cast<std::size_t>(i)][1] = GridText(set.Value(kFactorSlot, i), kWfcWidth);
  }
}

void SelectWFactorBytes(EmissionSet& set, std::string_view bytes, const std::filesystem::path& path, LampGrid& grid,
                        const MessageSink& warn) {
  std::vector<std::string_view> lines;
  LoadLineViews(TextBeforeNul(bytes, path.filename().string(), warn), lines);
  SelectWFactor(set, lines, path, grid);
}

bool ApplyCorrection(EmissionSet& set, const MessageSink& warn) {
  if (set.Points(kFactorSlot) < 1 || set.Wavelength(kFactorSlot, 0) == 0 || set.Value(kFactorSlot, 0) == 0 ||
      set.SpectrumCount <= 0) {
    return false;
  }
  const int m = set.SpectrumCount;
  if (m > kMaxCorrected) {
    throw CapacityError("Apply_Correction: " + std::to_string(m) + " working spectra; at most " +
                        std::to_string(kMaxCorrected) + " can be corrected (their copies fill the other slots)");
  }
  const EmissionSet::Slot& factor = set.At(kFactorSlot);
  for (int k = 1; k <= m; ++k) {
    const EmissionSet::Slot& source = set.At(k);
    EmissionSet::Slot copy;
    copy.path = source.path.string() + ".cor";
    for (int j = 0; j < source.count; ++j) {
      const double wavelength = source.wavelengths[static_cast<std::size_t>(j)];
      for (int i = 0; i < factor.count; ++i) {
        if (wavelength != factor.wavelengths[static_cast<std::size_t>(i)]) continue;
        if (copy.count == 0) copy.first = wavelength;
        copy.last = wavelength;
        copy.wavelengths.push_back(wavelength);
        copy.values.push_back(source.values[static_cast<std::size_t>(j)] * factor.values[static_cast<std::size_t>(i)]);
        ++copy.count;
      }
    }
    if (copy.count == 0 && warn) {
      warn(source.path.filename().string() + ": no wavelength on the lamp factor's axis; its corrected copy is empty");
    }
    set.At(m + k) = std::move(copy);
  }
  set.CorrectedFrom = m;
  set.SpectrumCount = 2 * m;
  return true;
}

std::string CorrectedSheet(const EmissionSet& set) {
  const int first = set.CorrectedFrom + 1;
  if (set.CorrectedFrom <= 0 || first > set.SpectrumCount) {
    throw FileError("Save_Corrected did nothing: no corrected spectra in the working list");
  }
  return WriteGroupedSheet(set, first, set.SpectrumCount);
}

std::string WriteGroupedSheet(const EmissionSet& set, int a, int b) {
  const auto newAxis = [&](int s) {
    return s > a &&
           (set.Points(s) != set.Points(s - 1) || set.First(s) != set.First(s - 1) || set.Last(s) != set.Last(s - 1));
  };
  std::string out;
  for (int s = a; s <= b; ++s) {
    if (newAxis(s)) out.append("\t");
    out.append("\t").append(set.Path(s).filename().string());
  }
  out.append("\r\n");
  int rows = 0;
  for (int s = a; s <= b; ++s) rows = std::max(rows, set.Points(s));
  const auto wavelengthCell = [&](int s, int i) {
    return i < set.Points(s) ? FixedReal(set.Wavelength(s, i), 6, 1) : std::string();
  };
  for (int i = 0; i < rows; ++i) {
    out.append(wavelengthCell(a, i));
    for (int s = a; s <= b; ++s) {
      if (newAxis(s)) out.append("\t").append(wavelengthCell(s, i));
      out.append("\t");
      if (i < set.Points(s)) {
        const double v = set.Value(s, i);
        out.append(FixedReal(v, v < 0 ? 9 : 8, 6));
      }
    }
    out.append("\r\n");
  }
  return out;
}

}  // namespace specbridge::emission
