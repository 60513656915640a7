#pragma once

// UVProbe ASCII exports (UV-2450, UV-3100PC, UV-3150PC): two quoted header
// lines, then one "wavelength,value" point per line.

#include <optional>
#include <string_view>

namespace specbridge::formats {

// Line 1 begins with a double quote, line 2 with a double quote and the
// Shift-JIS word for wavelength.
inline bool IsUvProbeExport(std::string_view firstLine, std::string_view secondLine) {
  return firstLine.substr(0, 1) == "\"" && secondLine.substr(0, 5) == "\"\x94\x67\x92\xB7";
}

// Line of point 0; point i stands on line 3 + i.
inline constexpr int kUvProbeFirstPointLine = 3;

// One data line of a UVProbe export: "400.0,0.532", or "1,100.0,0.532" where
// the instrument writes the thousands of a wavelength of 1000 nm or more
// before a comma. Nothing for a line without a comma or with more than two.
// Two commas are read only in that thousands form (one to three digits, a
// comma, exactly three digits before the point or the comma); any other
// two-comma line ("1100.0,1,5", a decimal comma) throws ConversionError, as
// does a field that is not a number.
struct CommaPoint {
  double wavelength = 0;
  double value = 0;
};
std::optional<CommaPoint> ReadCommaPoint(std::string_view line);

}  // namespace specbridge::formats
