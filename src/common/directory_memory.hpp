#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "common/dialogs.hpp"

namespace specbridge {

// The directory that the bytes of a "dirinf" file name: its first line,
// blanks included, ended by CR LF, LF or a lone CR; a NUL byte ends the text.
std::string DirinfDirectory(std::string_view bytes);

// The directory the user last chose in any open or save dialog, kept across
// runs in the one-line file "dirinf" of the start directory.
class DirectoryMemory {
 public:
  // Start-up: records `startDirectory` and, when its "dirinf" exists, loads
  // WorkingDirectory from it and makes that the process's current directory
  // (a directory that no longer exists is ignored).
  explicit DirectoryMemory(std::filesystem::path startDirectory);
  // The same for the process's current directory.
  static DirectoryMemory AtStartUp();

  const std::filesystem::path& StartDirectory() const { return startDirectory_; }
  const std::string& WorkingDirectory() const { return workingDirectory_; }
  std::filesystem::path DirinfPath() const { return startDirectory_ / "dirinf"; }

  // After a successful dialog: WorkingDirectory := the chosen file's
  // directory, the current directory follows, both dialogs start there next
  // time, and "dirinf" is rewritten. Throws FileError when "dirinf" cannot be
  // written; the caller must then leave the user's file alone.
  void RememberDirectory(const std::filesystem::path& chosenFile, FileDialog* openDialog,
                         FileDialog* saveDialog = nullptr);

  // Tools that take the process's current directory before their open
  // dialog: WorkingDirectory := current directory.
  void RefreshFromCurrentDirectory();

 private:
  std::filesystem::path startDirectory_;
  std::string workingDirectory_;
};

}  // namespace specbridge
