#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace specbridge::fix {

// Molar-absorptivity spectra on one wavelength axis, as an "*a.dem" file
// holds them.
struct EpsilonData {
  std::int32_t spectrumCount = 0;    // S
  std::int32_t wavelengthCount = 0;  // W
  std::vector<double> wavelengths;   // W values
  std::vector<double> epsilon;       // S blocks of W values, spectrum by spectrum

  // Spectrum s (0-based): its W values in wavelength order.
  std::span<const double> Spectrum(std::int32_t s) const {
    return std::span<const double>(epsilon).subspan(static_cast<std::size_t>(s) * wavelengths.size(),
                                                    wavelengths.size());
  }
};

// Sizes beyond any instrument's; the header alone decides the storage, so a
// few bytes could otherwise ask for gigabytes.
inline constexpr std::int32_t kMaxEpsilonSpectra = 10'000;
inline constexpr std::int32_t kMaxEpsilonWavelengths = 1'000'000;
inline constexpr std::int64_t kMaxEpsilonValues = 10'000'000;

// Reads the number stream of an epsilon file: a header of three integers (the
// first unused, then S and W), W wavelengths and S blocks of W values, each
// the first number of its line. Numbers missing at the end read as 0. A
// negative count or one beyond the limits above is refused. `name` prefixes
// the messages.
EpsilonData ParseEpsilonData(std::string_view bytes, const std::string& name = {});
EpsilonData ReadEpsilonFile(const std::filesystem::path& path);

// Tab-separated, one line per wavelength: the wavelength as a fixed real of
// width 6 with 2 decimals, then a tab and a fixed real of width 13 with 2
// decimals per spectrum. CR LF line ends, no header.
std::string EpsilonTableText(const EpsilonData& data);
void WriteEpsilonTable(const std::filesystem::path& path, const EpsilonData& data);

}  // namespace specbridge::fix
