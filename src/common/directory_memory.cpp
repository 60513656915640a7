#include "common/directory_memory.hpp"

#include <system_error>

#include "common/output_file.hpp"
#include "common/text.hpp"

namespace specbridge {

std::string DirinfDirectory(std::string_view bytes) {
  // Only the first line counts, blanks included.
  const std::string_view text = TextBeforeNul(bytes);
  return std::string(text.substr(0, text.find_first_of("\r\n")));
}

DirectoryMemory::DirectoryMemory(std::filesystem::path startDirectory) : startDirectory_(std::move(startDirectory)) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(DirinfPath(), ec)) return;
  std::string bytes;
  try {
    bytes = ReadFileBytes(DirinfPath());
  } catch (const FileError&) {
    return;  // an unreadable "dirinf" is as good as none
  }
  workingDirectory_ = DirinfDirectory(bytes);
  if (!workingDirectory_.empty()) std::filesystem::current_path(workingDirectory_, ec);
}

DirectoryMemory DirectoryMemory::AtStartUp() {
  std::error_code ec;
  return DirectoryMemory(std::filesystem::current_path(ec));
}

void DirectoryMemory::RememberDirectory(const std::filesystem::path& chosenFile, FileDialog* openDialog,
                                        FileDialog* saveDialog) {
  std::error_code ec;
  const std::filesystem::path full = std::filesystem::absolute(chosenFile, ec);
  workingDirectory_ = (ec ? chosenFile : full).parent_path().string();
  std::filesystem::current_path(workingDirectory_, ec);
  if (openDialog != nullptr) openDialog->initialDirectory = workingDirectory_;
  if (saveDialog != nullptr) saveDialog->initialDirectory = workingDirectory_;
  WriteFileAtomically(DirinfPath(), workingDirectory_ + "\r\n");
}

void DirectoryMemory::RefreshFromCurrentDirectory() {
  std::error_code ec;
  const auto current = std::filesystem::current_path(ec);
  if (!ec) workingDirectory_ = current.string();
}

}  // namespace specbridge
