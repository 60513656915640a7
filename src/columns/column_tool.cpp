#include <filesystem>

#include "columns/columns.hpp"
#include "common/text.hpp"

namespace specbridge::columns {

void ColumnTool::Open(std::string_view bytes, std::string path, const MessageSink& warn) {
  const std::string name = std::filesystem::path(path).filename().string();
  sheet_ = TextLines::Load(TextBeforeNul(bytes, name, warn));
  sheetFileName_ = std::move(path);
}

std::string ColumnTool::SaveBytes() const { return sheet_.Joined("\r\n"); }

}  // namespace specbridge::columns
