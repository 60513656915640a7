#include "formats/tab_column.hpp"

namespace specbridge::formats {

std::optional<TabCells> SplitAtTab(std::string_view line, std::size_t from) {
  const std::size_t tab = line.find('\t', from >= 1 ? from - 1 : 0);
  if (tab == std::string_view::npos) return std::nullopt;
  return TabCells{line.substr(0, tab), line.substr(tab + 1)};
}

bool HasTabWithin(std::string_view line, std::size_t first, std::size_t last) {
  for (std::size_t p = first; p <= last && p <= line.size(); ++p) {
    if (p >= 1 && line[p - 1] == '\t') return true;
  }
  return false;
}

std::optional<TabCells> FirstTwoTabCells(std::string_view line) {
  const auto first = SplitAtTab(line);
  if (!first) return std::nullopt;
  const std::size_t second = first->after.find('\t');
  if (second == std::string_view::npos) return std::nullopt;
  return TabCells{first->before, first->after.substr(0, second)};
}

}  // namespace specbridge::formats
