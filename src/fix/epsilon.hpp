#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/text.hpp"

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

// Capacities of an epsilon file, well beyond any instrument's (a 0.1 nm scan
// from 190 to 1100 nm has 9101 wavelengths).
inline constexpr std::int32_t kMaxEpsilonSpectra = 1'000;
inline constexpr std::int32_t kMaxEpsilonWavelengths = 100'000;
inline constexpr std::int64_t kMaxEpsilonValues = 2'000'000;

// Reads the number stream of an epsilon file: a header of three integers (the
// first unused, then S and W), W wavelengths and S blocks of W values, each
// the first number of its line. Refused: a file without its header or
// without wavelengths (W = 0; S = 0 with its wavelengths is a valid file), a
// negative count or one beyond the capacities above, and a file that ends
// before the numbers its header announces (missing values are never zeros).
// `name` prefixes the messages; `warn` hears of a NUL byte ending the text.
EpsilonData ParseEpsilonData(std::string_view bytes, const std::string& name = {}, const MessageSink& warn = {});
EpsilonData ReadEpsilonFile(const std::filesystem::path& path, const MessageSink& warn = {});

// Tab-separated, one line per wavelength: the wavelength as a fixed real of
// width 6 with 2 decimals, then a tab and a fixed real of width 13 with 2
// decimals per spectrum. CR LF line ends, no header.
std::string EpsilonTableText(const EpsilonData& data);
void WriteEpsilonTable(const std::filesystem::path& path, const EpsilonData& data);

}  // namespace specbridge::fix
