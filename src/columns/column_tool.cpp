#include <filesystem>

#include "columns/columns.hpp"
#include "common/text.hpp"

namespace specbridge::columns {

void ColumnTool::Open(std::string_view bytes, std::string path, const MessageSink& warn) {
  const std::string name = std::filesystem::path(path).filename().string();
  std::vector<std::string> lines = LoadLines(TextBeforeNul(bytes, name, warn));
  sheet_.swap(lines);
  sheetFileName_ = std::move(path);
}

std::string ColumnTool::SaveBytes() const {
  std::size_t size = 0;
  for (const std::string& line : sheet_) size += line.size() + 2;
  std::string bytes;
  bytes.reserve(size);
  for (const std::string& line : sheet_) {
    bytes += line;
    bytes += "\r\n";
  }
  return bytes;
}

}  // namespace specbridge::columns
