#pragma once

// The spectral sheet converter: up to 100 single spectra on one evenly
// spaced wavelength axis, written side by side into a tab-separated 2D sheet
// (a wavelength column and one column per spectrum) for spreadsheets.

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/text.hpp"

namespace specbridge::sheets {

inline constexpr int kMaxSpectra = 100;
inline constexpr int kMaxPoints = 602;

// The data set of the sheet window (TForm10), kept for the whole run.
// Spectra are numbered from 1 as the working list shows them; entries 1 to
// SpectrumCount are in use. Rows beyond the count keep their numbers.
struct SpectrumSet {
  SpectrumSet();

  int SpectrumCount = 0;
  std::vector<std::filesystem::path> SpectrumPaths;  // kMaxSpectra entries; entry k - 1 is spectrum k
  std::filesystem::path SheetPath;
  std::vector<double> SpectrumValues;  // kMaxSpectra x kMaxPoints, spectrum-major
  // One axis shared by every working spectrum.
  double FirstWavelength = 0;
  double LastWavelength = 0;
  int PointCount = 0;

  double& Value(int k, int i) { return SpectrumValues[Index(k, i)]; }
  double Value(int k, int i) const { return SpectrumValues[Index(k, i)]; }
  std::filesystem::path& Path(int k) { return SpectrumPaths[static_cast<std::size_t>(k - 1)]; }
  const std::filesystem::path& Path(int k) const { return SpectrumPaths[static_cast<std::size_t>(k - 1)]; }
  // Point i of the axis: (last - first) * i / (N - 1) + first.
  double Wavelength(int i) const;

  // --- What the working list and the plot ask of a set -----------------------
  int WorkingCapacity() const { return kMaxSpectra; }
  // "Open" starts with no paths; the values stay.
  void BeginOpen();
  // Removal moves spectrum `from` into row `to`: its path and its N values.
  void CopySlot(int from, int to);
  void SwapSlots(int a, int b);
  int PointsOf(int) const { return PointCount; }
  double FirstOf(int) const { return FirstWavelength; }
  double LastOf(int) const { return LastWavelength; }
  double WavelengthOf(int, int i) const { return Wavelength(i); }
  double ValueOf(int k, int i) const { return Value(k, i); }

 private:
  static std::size_t Index(int k, int i) {
    return static_cast<std::size_t>(k - 1) * kMaxPoints + static_cast<std::size_t>(i);
  }
};

// Reads the lines of one file as spectrum k: a "##TITLE" file or a
// comma-column file. False when the file is neither (refused; nothing
// changed). `added` is true for a file appended to the set: it must then lie
// on the axis of the spectra already in the set (SpectrumCount of them, k not
// counted), or the file is refused with a FileError naming both axes. The
// first file of a set (`added` false) sets the axis. Any failure (a number,
// a capacity, a truncated file, a single point) throws before anything is
// stored. `name` starts the messages.
bool ReadSpectrumFile(SpectrumSet& set, std::span<const std::string_view> lines, std::string_view name, int k,
                      bool added);

// ReadSpectrumFile on a file's bytes: the text before a NUL (`warn` is told
// where a NUL cuts it), cut into lines at CR LF, LF and CR.
bool ReadSpectrumBytes(SpectrumSet& set, std::string_view bytes, std::string_view name, int k, bool added,
                       const MessageSink& warn);

// The sheet of all working spectra: a header of file names, then one line per
// wavelength; CR LF line ends. Requires SpectrumCount >= 1.
std::string WriteTabSheet(const SpectrumSet& set);

// The name a sheet's save dialog proposes: spectrum 1's path `first` less
// its last four characters, plus ".txt".
std::filesystem::path DefaultSheetName(const std::filesystem::path& first);
inline std::filesystem::path DefaultSheetName(const SpectrumSet& set) { return DefaultSheetName(set.Path(1)); }

}  // namespace specbridge::sheets
