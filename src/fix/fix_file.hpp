#pragma once

#include <filesystem>
#include <span>
#include <string>

namespace specbridge::fix {

// SPECFIT ".fix" files. The header names R (the spectra plus the wavelength
// row) and W; wavelengths are fixed reals of width 5 with 2 decimals and values
// fixed reals of width 10 with 3 decimals, which grow rather than being cut.
// Lines end with CR LF. Every spectrum must hold one value per wavelength.

// Row layout: one line of wavelengths, then one line per spectrum, every
// number with one blank on each side.
std::string FixRowsText(std::span<const double> wavelengths, std::span<const std::span<const double>> spectra);
void WriteFixRows(const std::filesystem::path& path, std::span<const double> wavelengths,
                  std::span<const std::span<const double>> spectra);

// Column layout of one spectrum: the wavelengths one per line, then the values
// one per line.
std::string FixColumnsText(std::span<const double> wavelengths, std::span<const double> values);
void WriteFixColumns(const std::filesystem::path& path, std::span<const double> wavelengths,
                     std::span<const double> values);

}  // namespace specbridge::fix
