#pragma once

// The five input layouts of the kinetic-trace converter and the recognition
// that tells them apart by their first three lines.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "kinetics/grid.hpp"

namespace specbridge::kinetics {

enum class Layout : char {
  TimeRowMatrix = 'A',           // numbers; line 1 holds the times
  WavelengthHeaderMatrix = 'B',  // numbers under a Shift-JIS wavelength header
  TitleHeader = 'C',             // MultiSpec "##TITLE" kinetics file, one value per line
  BlankTable = 'D',              // "space" on line 1, blank-separated, descending wavelengths
  Specfit2D = 'E',               // a 2D-format file written by this converter
};

// A later test replaces an earlier one: "##TITLE" on line 1 and "X/Z Mode"
// on line 3 is a 2D-format file.
Layout RecognizeLayout(std::string_view bytes);

// The counts and end values that layouts C, D and E read from their header.
struct HeaderValues {
  int WavelengthCount = 0;
  int TimeCount = 0;
  double FirstWavelength = 0;
  double LastWavelength = 0;
  double FirstTime = 0;
  double LastTime = 0;
};

// Everything one open reads. The display texts are what the window shows in
// nmlow, nmhigh, Points, Total and Part (every layout) and in DeadTime and
// Interval (layouts C, D and E only).
struct KineticFile {
  Layout layout = Layout::TimeRowMatrix;
  KineticGrid grid;
  std::optional<HeaderValues> header;  // layouts C, D and E
  std::string nmlow, nmhigh, points, total, part;
  std::optional<std::string> deadTime, interval;
};

// Reads a whole file; the grid keeps `bytes` (its value cells point into
// them). `name` goes into failure messages with the line. A
// failure leaves nothing half-read for the caller: the open is all or nothing.
// Blank lines at the end of a file are ignored (layouts A, B, D and E); a line
// of layout D or E holding more than kMaxLineFields fields is refused.
inline constexpr int kMaxLineFields = 650;
KineticFile ReadKineticFile(std::string bytes, const std::string& name);

// True when `token` is a number that short real text writes unchanged
// ("0.1234", "-12.5", "400"), so it can be stored as it stands; false for
// anything else ("0.50", "+1", "1E3", "0.00001", text that is no number).
bool IsShortRealText(std::string_view token);

}  // namespace specbridge::kinetics
