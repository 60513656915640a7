#include "fix/fix_file.hpp"

#include <stdexcept>

#include "common/numbers.hpp"
#include "common/output_file.hpp"

namespace specbridge::fix {
namespace {

void AppendHeader(std::string& text, std::size_t spectra, std::size_t wavelengths) {
  text += IntText(static_cast<std::int64_t>(spectra) + 1, 2);
  text.append(13, ' ');
  text += '1';
  text += IntText(static_cast<std::int64_t>(wavelengths), 16);
  text += "  \r\n";
}

void CheckLength(std::span<const double> values, std::span<const double> wavelengths) {
  if (values.size() != wavelengths.size()) throw std::invalid_argument("a spectrum needs one value per wavelength");
}

}  // namespace

std::string FixRowsText(std::span<const double> wavelengths, std::span<const std::span<const double>> spectra) {
  std::string text;
  text.reserve(40 + (spectra.size() + 1) * (wavelengths.size() * 12 + 2));
  AppendHeader(text, spectra.size(), wavelengths.size());
  for (const double wavelength : wavelengths) {
    text += ' ';
    text += FixedReal(wavelength, 5, 2);
    text += ' ';
  }
  text += "\r\n";
  for (const std::span<const double> spectrum : spectra) {
    CheckLength(spectrum, wavelengths);
    for (const double value : spectrum) {
      text += ' ';
      text += FixedReal(value, 10, 3);
      text += ' ';
    }
    text += "\r\n";
  }
  return text;
}

void WriteFixRows(const std::filesystem::path& path, std::span<const double> wavelengths,
                  std::span<const std::span<const double>> spectra) {
  WriteFileAtomically(path, FixRowsText(wavelengths, spectra));
}

std::string FixColumnsText(std::span<const double> wavelengths, std::span<const double> values) {
  CheckLength(values, wavelengths);
  std::string text;
  text.reserve(40 + wavelengths.size() * 20);
  AppendHeader(text, 1, wavelengths.size());
  for (const double wavelength : wavelengths) {
    text += FixedReal(wavelength, 5, 2);
    text += "\r\n";
  }
  for (const double value : values) {
    text += FixedReal(value, 10, 3);
    text += "\r\n";
  }
  return text;
}

void WriteFixColumns(const std::filesystem::path& path, std::span<const double> wavelengths,
                     std::span<const double> values) {
  WriteFileAtomically(path, FixColumnsText(wavelengths, values));
}

}  // namespace specbridge::fix
