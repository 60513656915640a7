#pragma once

// MultiSpec "##TITLE" exports (JCAMP-DX style, one ordinate per line). Only
// line numbers and character positions count; the labels in front of the
// header values are never compared. A spectrum file holds the wavelength
// range on lines 11 to 13 and its values from line 16; a kinetics file holds
// the time range on lines 16 to 18 as well, and its blocks from line 19.

#include <cstdint>
#include <string_view>

#include "formats/instrument_lines.hpp"

namespace specbridge::formats {

// Line 1 begins with these seven characters, letter case included.
inline constexpr std::string_view kTitleMark = "##TITLE";
inline bool IsTitleHeader(std::string_view firstLine) { return BeginsWith(firstLine, kTitleMark); }

// Where a header value stands: its line and the character it starts at (the
// text runs to the end of the line).
struct TitleField {
  int line;
  std::size_t from;
};
// After labels of 9, 8 and 10 characters ("##FIRSTX=", "##LASTX=", "##NPOINTS=").
inline constexpr TitleField kFirstWavelength{11, 10};
inline constexpr TitleField kLastWavelength{12, 9};
inline constexpr TitleField kWavelengthCount{13, 11};
inline constexpr TitleField kFirstTime{16, 10};
inline constexpr TitleField kLastTime{17, 9};
inline constexpr TitleField kTimeCount{18, 11};

// Line of point 0 of a spectrum file; point i stands on line 16 + i.
inline constexpr int kTitleFirstValueLine = 16;

// The text of a header value; empty when its line is missing or shorter.
inline std::string_view TitleText(const InstrumentLines& lines, TitleField field) {
  return From(lines.Line(field.line), field.from);
}
// The text of a header value from a line that must be there (a missing one
// throws FileError: truncated file).
inline std::string_view NeededTitleText(const InstrumentLines& lines, TitleField field) {
  return From(lines.Needed(field.line), field.from);
}

// The value as a real or as a whole number, as each tool's reader takes it;
// a failure names the file, the line and the text.
inline double TitleReal(const InstrumentLines& lines, TitleField field) {
  return lines.Real(field.line, TitleText(lines, field));
}
inline std::int32_t TitleInteger(const InstrumentLines& lines, TitleField field) {
  return lines.Integer(field.line, TitleText(lines, field));
}

}  // namespace specbridge::formats
