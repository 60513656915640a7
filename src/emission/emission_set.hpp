#pragma once

// The emission correction: emission spectra of the RF-5300PC, each on its
// own wavelength axis, a detector-sensitivity factor derived from the
// spectrum of a standard tungsten lamp, the corrected copies and the grouped
// sheets that write spectra of several axes side by side.

#include <array>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/text.hpp"

namespace specbridge::emission {

inline constexpr int kSlots = 100;
inline constexpr int kMaxPoints = 1801;
// Slot 100 holds the selected lamp factor; working spectra use 1 to 99.
inline constexpr int kFactorSlot = 100;
inline constexpr int kMaxWorking = kSlots - 1;
// A correction of m spectra writes its copies into slots m + 1 to 2m.
inline constexpr int kMaxCorrected = kMaxWorking / 2;

// The data set of the emission window (TForm16), kept for the whole run.
// Slots are numbered from 1; each has its own axis, evenly spaced from
// first to last.
class EmissionSet {
 public:
  EmissionSet();

  int SpectrumCount = 0;
  std::filesystem::path SheetPath;
  // SpectrumCount at the last correction; the copies are slots
  // CorrectedFrom + 1 to 2 CorrectedFrom.
  int CorrectedFrom = 0;

  std::filesystem::path& Path(int k) { return slots_[Index(k)].path; }
  const std::filesystem::path& Path(int k) const { return slots_[Index(k)].path; }
  int Points(int k) const { return slots_[Index(k)].count; }
  double First(int k) const { return slots_[Index(k)].first; }
  double Last(int k) const { return slots_[Index(k)].last; }
  double Wavelength(int k, int i) const { return slots_[Index(k)].wavelengths[static_cast<std::size_t>(i)]; }
  double Value(int k, int i) const { return slots_[Index(k)].values[static_cast<std::size_t>(i)]; }
  // Whether slot k holds a factor made by GenerateWFactor (not yet replaced).
  bool IsGeneratedFactor(int k) const { return slots_[Index(k)].generatedFactor; }

  // Slot k becomes `count` points evenly spaced from `first` to `last` with
  // these values (MathError for a single point: the axis divides by N - 1).
  void SetEvenSpectrum(int k, double first, double last, std::span<const double> values);

  // --- What the shared working list and plot ask of a set ---------------------
  int WorkingCapacity() const { return kMaxWorking; }
  // "Open" keeps the other slots' paths, and slot 100 its factor.
  void BeginOpen() {}
  void CopySlot(int from, int to) { slots_[Index(to)] = slots_[Index(from)]; }
  void SwapSlots(int a, int b) { std::swap(slots_[Index(a)], slots_[Index(b)]); }
  int PointsOf(int k) const { return Points(k); }
  double FirstOf(int k) const { return First(k); }
  double LastOf(int k) const { return Last(k); }
  double WavelengthOf(int k, int i) const { return Wavelength(k, i); }
  double ValueOf(int k, int i) const { return Value(k, i); }

  struct Slot {
    std::filesystem::path path;
    int count = 0;
    double first = 0;
    double last = 0;
    std::vector<double> wavelengths;
    std::vector<double> values;
    bool generatedFactor = false;
  };
  Slot& At(int k) { return slots_[Index(k)]; }
  const Slot& At(int k) const { return slots_[Index(k)]; }

 private:
  static std::size_t Index(int k) { return static_cast<std::size_t>(k - 1); }
  std::vector<Slot> slots_;
};

// Reads the lines of one file as slot k: a "##TITLE" file, a comma-column
// file, or a tab-column file (a tab among characters 2 to 12 of line 1; an
// added file's tab is searched from character 3). False when the file is
// none of them (nothing changed). Any failure throws before anything is
// stored.
bool ReadEmissionFile(EmissionSet& set, std::span<const std::string_view> lines, std::string_view name, int k,
                      bool added);
// The same on a file's bytes: the text before a NUL (`warn` is told), cut
// into lines at CR LF, LF and CR.
bool ReadEmissionBytes(EmissionSet& set, std::string_view bytes, std::string_view name, int k, bool added,
                       const MessageSink& warn);

// Black-body radiance of the standard lamp (3178.081853 K) at `nm`, in the
// order of operations the lamp factors have always been computed in.
double Planck(double nm);

// The lamp-data grid: wavelength, lamp intensity and factor texts per point.
using LampGrid = std::vector<std::array<std::string, 3>>;

// `text` cut to `width` characters; a scientific text keeps its exponent
// and loses mantissa digits instead ("9.95878937E-7" -> "9.95878E-7").
std::string CutKeepingExponent(std::string_view text, std::size_t width);

// Read_WData after its "Open": the grid rows of slot SpectrumCount's
// wavelengths and values (columns 0 and 1; column 2 empty). An empty set
// gives no rows.
LampGrid LampDataGrid(const EmissionSet& set);

// Read_WData after its "Open": rows and columns 0 and 1 of `grid` become
// LampDataGrid(set); column 2 keeps the factor texts its rows had. An empty
// set leaves the grid as it is.
void ShowLampData(const EmissionSet& set, LampGrid& grid);

// Generate_WFactor: the factor of the spectrum in slot SpectrumCount goes
// into a new slot after it, normalised to 1 at the first point j >= 1 above
// 700 nm, and its texts into column 2 of `grid`. Nothing happens while the
// grid holds no lamp data. Refused, before anything changes: an empty set, a
// full working list, no point above 700 nm, a lamp value of zero at point 0
// or at the normalisation point. A zero elsewhere takes the factor of the
// point before it. False when nothing happened.
bool GenerateWFactor(EmissionSet& set, LampGrid& grid);

// Save_WFactor: the ".wfc" text of slot 2, one "wavelength<TAB>factor" line
// per point. Throws FileError unless slot 2 holds a generated factor.
std::string WFactorText(const EmissionSet& set);

// Select_WFactor: a ".wfc" file's lines into slot 100 (path `path`); the grid
// shows its wavelengths and factors. Every line must hold a tab.
void SelectWFactor(EmissionSet& set, std::span<const std::string_view> lines, const std::filesystem::path& path,
                   LampGrid& grid);

// SelectWFactor on a file's bytes: the text before a NUL (`warn` is told),
// cut into lines at CR LF, LF and CR.
void SelectWFactorBytes(EmissionSet& set, std::string_view bytes, const std::filesystem::path& path, LampGrid& grid,
                        const MessageSink& warn);

// Apply_Correction: every working slot times the selected factor at exactly
// equal wavelengths, the copies appended to the working list. Nothing
// happens without a factor or without spectra (false). A spectrum that
// matches no wavelength gives an empty copy and a warning. Refuses more
// than kMaxCorrected working spectra before anything changes.
bool ApplyCorrection(EmissionSet& set, const MessageSink& warn);

// Save_Corrected: the grouped sheet of the copies of the last correction,
// slots CorrectedFrom + 1 to SpectrumCount. Throws FileError when the
// working list holds none.
std::string CorrectedSheet(const EmissionSet& set);

// The grouped sheet of slots a to b: one wavelength column per block of
// consecutive slots on the same axis; CR LF line ends.
std::string WriteGroupedSheet(const EmissionSet& set, int a, int b);

}  // namespace specbridge::emission
