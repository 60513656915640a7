#pragma once

// Tab-separated exports: a wavelength, a tab, a value (RF-5300PC "Save as
// text", the lamp-factor files), and the spectrum tables under a 22-line
// "File Name :" header, whose lines hold wavelength, tab, value, tab, ...

#include <optional>
#include <string_view>

#include "formats/instrument_lines.hpp"

namespace specbridge::formats {

// The two sides of the first tab at or after character `from` (counted from
// 1): the text before it (from character 1) and the rest of the line after
// it. Nothing when there is no such tab.
struct TabCells {
  std::string_view before;
  std::string_view after;
};
std::optional<TabCells> SplitAtTab(std::string_view line, std::size_t from = 1);

// Whether one of the characters first to last (counted from 1) is a tab.
bool HasTabWithin(std::string_view line, std::size_t first, std::size_t last);

// The first two cells of a line of tab-separated cells: the text before the
// first tab and the text between the first and the second tab. Nothing when
// the line holds fewer than two tabs.
std::optional<TabCells> FirstTwoTabCells(std::string_view line);

// The table under a "File Name :" header: line 23 names the columns, the
// points start on line 24.
inline constexpr int kTabTableFirstPointLine = 24;
inline bool IsTabTable(const InstrumentLines& lines) {
  return BeginsWith(lines.Line(1), "File Name :") && BeginsWith(lines.Line(23), "Wavelength[nm]");
}

}  // namespace specbridge::formats
