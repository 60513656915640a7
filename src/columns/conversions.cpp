#include <string>

#include "columns/columns.hpp"
#include "common/text.hpp"

namespace specbridge::columns {

void FieldBoundaries(std::string_view line, char separator, long long lineNumber,
                     std::vector<std::size_t>& boundaries) {
  boundaries.clear();
  for (std::size_t p = 1; p < line.size(); ++p) {
    if (line[p] != separator || line[p - 1] == separator) continue;
    if (static_cast<int>(boundaries.size()) + 1 >= kMaxLineFields) {
      throw CapacityError(LinePlace({}, lineNumber) + ": more than " + std::to_string(kMaxLineFields) +
                          " fields (the limit of a line)");
    }
    boundaries.push_back(p);
  }
}

std::string_view FieldAt(std::string_view line, const std::vector<std::size_t>& boundaries, std::size_t k) {
  const std::size_t begin = k == 0 ? 0 : boundaries[k - 1];
  const std::size_t end = k < boundaries.size() ? boundaries[k] : line.size();
  return TrimControls(line.substr(begin, end - begin));
}

void TabToSpace(TextLines& lines) { lines.Replace('\t', ' '); }

void SpacesToTab(TextLines& lines) {
  // Built aside, so that a line over the limit leaves the text whole.
  TextLines result;
  result.reserve(lines.size(), lines.TextSize());
  std::vector<std::size_t> boundaries;
  std::string joined;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    FieldBoundaries(line, ' ', static_cast<long long>(i) + 1, boundaries);
    if (boundaries.empty()) {
      result.push_back(line);
      continue;
    }
    joined.clear();
    for (std::size_t k = 0; k <= boundaries.size(); ++k) {
      if (k > 0) joined += '\t';
      joined += FieldAt(line, boundaries, k);
    }
    result.push_back(joined);
  }
  lines = std::move(result);
}

}  // namespace specbridge::columns
