#pragma once

// The titration converter: a numbered series of absorption spectra (or a
// blank-separated "2D" sheet), the concentrations of every titration point,
// the SPECFIT 2D-format file for X/Z mode 1, the kinetics export of the same
// series, the range boxes and the two drawings of the window TForm2.

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/boxes.hpp"
#include "common/plot.hpp"

namespace specbridge::titration {

inline constexpr int kMaxSpectra = 101;  // files 00 .. 100
inline constexpr int kMaxPoints = 3001;
inline constexpr int kMaxTimes = 500;  // entries of a times file

// The window's own messages.
inline constexpr std::string_view kTabLayoutMessage = "This does not match the required format!!  Check the_file now!";
inline constexpr std::string_view kTimesMissingMessage =
    "The initial and interval times are missing!  Please fill the corresponding boxes with appropriate values";
inline constexpr std::string_view kComment1MissingMessage = "Comment1 is missing!!!";

// Design-time texts of TForm2's edit boxes, in window order:
// Edit1 "200", Edit2 "800", Edit3 "0", Edit4 "2", Edit6 "Edit6", Edit7 "Edit7",
// Edit8 "Edit8", Extention "ASC", Comment1, Comment2, V0, Vt, CM, CH, Temp
// (their names), No1..No5, CL1..CL5 (their names), Edit9 "0", Edit10 "300".
// The boxes that show paths (SaveFile, Edit11) are not among them: a path is
// no Shift-JIS text, the window shows it as a path.
BoxTexts DefaultBoxes();

// The data set of the titration window; one per window, kept for the whole
// run. Spectra are kMaxPoints apart; a new series has room for kMaxSpectra of
// them, an opened one for the spectra it read.
struct TitrationSeries {
  TitrationSeries();

  std::vector<std::filesystem::path> FileNames;  // kMaxSpectra entries
  int FileCount = 0;
  int UsedSpectrumCount = 0;
  int PointCount = 0;
  int TrailingLineCount = 0;
  std::vector<double> Wavelengths;  // kMaxPoints entries
  std::vector<double> Absorbances;  // spectrum-major, kMaxPoints per spectrum

  double& A(int k, int i) { return Absorbances[Index(k, i)]; }
  double A(int k, int i) const { return Absorbances[Index(k, i)]; }
  double W(int i) const { return Wavelengths[static_cast<std::size_t>(i)]; }
  double& W(int i) { return Wavelengths[static_cast<std::size_t>(i)]; }

  PlotRange DataRange{1000, 0, 1000, 0};      // xLow=XMin, xHigh=XMax, yLow=YMin, yHigh=YMax
  PlotRange SelectedRange{1000, 0, 1000, 0};  // XLow, XHigh, YLow, YHigh
  bool ConcentrationsReady = false;
  std::string SeriesBase;
  std::filesystem::path SeriesDirectory;
  // Series directory, SeriesBase and ".txt": what the save dialogs propose.
  std::filesystem::path ProposedSaveFile;

 private:
  static std::size_t Index(int k, int i) {
    return static_cast<std::size_t>(k) * kMaxPoints + static_cast<std::size_t>(i);
  }
};

using MessageSink = std::function<void(std::string_view)>;

// Where "Open" looks for the files of a series and reads them: the disk, or
// a folder held in memory.
class SeriesFolder {
 public:
  virtual ~SeriesFolder() = default;
  // Whether `path` names a regular file (after following links).
  virtual bool IsFile(const std::filesystem::path& path) const = 0;
  // The whole file; throws FileError naming it.
  virtual std::string Read(const std::filesystem::path& path) const = 0;
};
const SeriesFolder& DiskFolder();

// "Open" after the dialog and RememberDirectory. Reads the chosen file (a
// "2D" sheet) or the numbered series it belongs to, then sets the boxes it
// owns (Extention, Edit6, Edit7, Edit8, Edit1..Edit4) and ProposedSaveFile. `lineBuffer`
// receives the lines of the last file examined (also when that file made the
// open fail, so the user can look at it; kept as it was when no file was
// read). The tab-layout message goes to
// `message` once per bad line, as it occurs.
// On any Failure (a number that does not convert, a capacity, a title header
// with one point, a missing or unreadable file) the series and the boxes are
// left exactly as they were; the message names the file, the line and the text.
void OpenSeries(TitrationSeries& series, const std::filesystem::path& chosen, BoxTexts& boxes,
                std::vector<std::string>& lineBuffer, const MessageSink& message,
                const SeriesFolder& folder = DiskFolder());

// --- Readers over lines in memory (used by OpenSeries; also for the fuzzer) --

// Recognises the layout of one series file and reads it as spectrum k
// (wavelengths only when k == 0). `countHeader` is the count-header flag kept
// across the files of one open. `name` is used in failure messages.
void ReadSeriesFile(TitrationSeries& series, const std::vector<std::string>& lines, int k, const std::string& name,
                    bool& countHeader, const MessageSink& message);
// The same over views of the file's lines (no copies).
void ReadSeriesFile(TitrationSeries& series, const std::vector<std::string_view>& lines, int k, const std::string& name,
                    bool& countHeader, const MessageSink& message);

// The table of a "2D" sheet: `rows` are the lines after the "2D" line.
// Sets FileCount, UsedSpectrumCount, PointCount, wavelengths and values.
void ReadBlankSheet(TitrationSeries& series, const std::vector<std::string>& rows, const std::string& name);

// --- "Calculate" -------------------------------------------------------------

// StringGrid1 as columns of 4 cells; column 0 holds the row labels, column
// i + 1 the point number and [M], [L], [H+] of point i.
struct ConcentrationGrid {
  std::vector<std::array<std::string, 4>> columns;
};

// nullopt when the guard is not met (nothing to do, nothing shown). A box
// that does not convert or a zero volume throws; the caller's grid stays as
// it was. The caller sets ConcentrationsReady on success.
std::optional<ConcentrationGrid> Calculate(const BoxTexts& boxes, int usedSpectrumCount);

// --- "Save": the SPECFIT 2D-format file for X/Z mode 1 -------------------------

// Save does nothing unless this holds (check before showing the dialog).
inline bool SaveGuardPassed(const TitrationSeries& series) { return series.ConcentrationsReady; }

// Nw: points inside the selected range widened by 1, every (skipping + 1)-th
// index from point 0. `skipping` is the spin editor's 0..4.
int CountSelectedPoints(const TitrationSeries& series, int skipping);

// The whole file, CR LF lines. Throws (Temp not an integer, an empty or
// missing grid cell) before anything is written. Requires SaveGuardPassed.
std::string WriteTitration2D(const TitrationSeries& series, const ConcentrationGrid& grid, const BoxTexts& boxes,
                             int skipping);

// --- Kinetics export -----------------------------------------------------------

// The messages to show, in order (possibly none).
std::vector<std::string> KineticsGuardMessages(const BoxTexts& boxes);
// Whether the export goes on to the save dialog.
bool KineticsGuardPassed(const BoxTexts& boxes);

// The times of a times file: the number at the start of each line, rounded
// to the nearest integer (halves to even). More than kMaxTimes entries
// throw CapacityError; a line not beginning with a number throws
// ConversionError naming `name` and the line. All or nothing. Lines end at
// CR LF, LF or a lone CR; a NUL byte ends the text, with a warning to `warn`.
std::vector<int> ReadTimesFile(std::string_view bytes, const std::string& name,
                               const std::function<void(std::string_view)>& warn = {});

// The whole kinetics file (X/Z mode 2, model 4), CR LF lines. Sets Temp to
// "20" in `boxes` when it still reads "Temp". `fromFile` is CheckBox1: the
// first FileCount times of `timeList` label the spectra; a list shorter than
// the series throws FileError before anything is set.
std::string WriteKinetics2D(const TitrationSeries& series, BoxTexts& boxes, bool fromFile,
                            const std::vector<int>& timeList);

// --- Range boxes (act on focus loss) ------------------------------------------
// Return whether the value was accepted (the window then runs ReDraw); on
// refusal `boxText` is replaced by the text the box must show. A text that
// does not convert throws ConversionError and changes nothing.
bool AcceptXLow(TitrationSeries& series, std::string& boxText);         // Edit1
bool AcceptXHigh(TitrationSeries& series, std::string& boxText);        // Edit2
void RefuseYLow(std::string& boxText);                                  // Edit3: always "0.00"
bool AcceptYHigh(TitrationSeries& series, std::string& boxText);        // Edit4
bool AcceptUsedSpectra(TitrationSeries& series, std::string& boxText);  // Edit6

// --- Drawings --------------------------------------------------------------------

// The window's drawing surface.
inline constexpr int kPlotWidth = 691;
inline constexpr int kPlotHeight = 521;

// The picture after "Open": starts with the white clear, then frame and curve
// of every spectrum. A view range of zero width or height throws MathError.
PlotScene DrawAfterOpen(const TitrationSeries& series, int width, int height);

// "ReDraw": sets Edit1/Edit2 in `boxes` to XLow/XHigh; an empty scene when
// UsedSpectrumCount < 1 (the picture is left as it is).
PlotScene ReDraw(const TitrationSeries& series, BoxTexts& boxes, int width, int height);

}  // namespace specbridge::titration
