#pragma once

// Fixed-width comma exports (MultiSpec "*.ASC", RF-5300PC): every line is one
// point, a wavelength of a fixed number of characters, a comma, the value.
// Most write the wavelength in 5 characters ("400.0,0.12345"); some exports
// use 6 ("1000.0,0.1").

#include <string>
#include <string_view>

namespace specbridge::formats {

inline constexpr std::size_t kCommaWavelengthWidth = 5;
inline constexpr std::size_t kWideCommaWavelengthWidth = 6;

// Character width + 1 of the line is the comma (tested on line 1 only).
inline bool IsCommaColumn(std::string_view firstLine, std::size_t width = kCommaWavelengthWidth) {
  return firstLine.size() > width && firstLine[width] == ',';
}

// Characters 1 to width.
inline std::string_view CommaWavelengthText(std::string_view line, std::size_t width = kCommaWavelengthWidth) {
  return line.substr(0, width);
}

// From character width + 2 on, at most `valueWidth` characters (the rest of
// the line by default); empty when the line is shorter.
inline std::string_view CommaValueText(std::string_view line, std::size_t width = kCommaWavelengthWidth,
                                       std::size_t valueWidth = std::string_view::npos) {
  return width + 1 < line.size() ? line.substr(width + 1, valueWidth) : std::string_view();
}

}  // namespace specbridge::formats
