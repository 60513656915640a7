#pragma once

// The open and save dialogs of one tool window, with the working-directory
// memory ("dirinf") that every tool shares.
//
// A tool window keeps one FileChooser for its OpenDialog1/SaveDialog1 pair
// and lets it run the whole sequence: the dialog starts in WorkingDirectory,
// a chosen file is remembered (RememberDirectory) before the window reads or
// writes it, a cancel returns nothing and changes nothing, and a save over a
// file the window has read is refused. Windows never call Dialogs::Open or
// Dialogs::Save for a file of their own.
//
//   class TForm7 : public QMainWindow {
//     ...
//     FileChooser files_;   // files_{dialogs, directories, "*.ASC"} in the constructor
//     std::vector<std::filesystem::path> inputs_;  // what the last Open read
//   };
//
//   void TForm7::Open1Click() {
//     const auto chosen = files_.Open({.startIn = StartIn::kCurrentDirectory});
//     if (!chosen) return;                    // cancelled: nothing changes
//     core::Open(data_, *chosen, ...);        // throws Failure; RunCommand shows it
//     inputs_ = {*chosen};
//   }
//
//   void TForm7::Save1Click() {
//     const auto chosen = files_.Save({.proposed = ProposedName(data_), .inputs = inputs_});
//     if (!chosen) return;
//     WriteFileAtomically(*chosen, core::FileText(data_));
//   }
//
// Every handler runs inside RunCommand, so a refusal or an unwritable
// "dirinf" (both thrown as FileError) is shown as a message and the command
// writes nothing. Dialogs that leave WorkingDirectory alone (a times file, a
// lamp-factor file) pass `.remember = false`. A tool that keeps a directory of
// its own gives its chooser its own copy of the shared DirectoryMemory (a
// member declared before the chooser): the copy writes "dirinf" and the
// current directory but never changes the shared WorkingDirectory.
// Designated initializers follow the order of the members below. A path
// shown in a box goes through FromPath/ToPath (gui/QtText.hpp), never through
// the Shift-JIS box texts.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/dialogs.hpp"
#include "common/directory_memory.hpp"

namespace specbridge {

// Where a dialog starts.
enum class StartIn {
  kWorkingDirectory,  // WorkingDirectory; empty leaves the choice to the dialog
  kCurrentDirectory,  // WorkingDirectory refreshed from the process's current directory first
  kAsLeft,            // wherever this dialog started last (RememberDirectory moves both dialogs)
};

struct OpenRequest {
  StartIn startIn = StartIn::kWorkingDirectory;
  // A pattern for this dialog only, instead of the chooser's open filter.
  std::optional<std::string_view> filter{};
  // Whether the chosen file's directory becomes WorkingDirectory and goes to "dirinf".
  bool remember = true;
};

struct SaveRequest {
  // The proposed file: a name, or a whole path (the dialog then opens in its
  // directory).
  std::filesystem::path proposed{};
  // Files the window has read and still shows; the chosen file must be none
  // of them (compared as files, so "./a", "d/../a" and links are caught).
  std::vector<std::filesystem::path> inputs{};
  StartIn startIn = StartIn::kWorkingDirectory;
  // A start directory of the tool's own, instead of `startIn`.
  std::optional<std::filesystem::path> startDirectory{};
  std::optional<std::string_view> filter{};  // instead of the chooser's save filter
  bool remember = true;
};

class FileChooser {
 public:
  // `openFilter` and `saveFilter` are patterns such as "*.ASC"; empty offers
  // all files.
  FileChooser(Dialogs& dialogs, DirectoryMemory& directories, std::string openFilter = {}, std::string saveFilter = {});

  // The chosen file, or nothing when the user cancelled. The directory is
  // remembered before the path is returned; an unwritable "dirinf" throws
  // FileError, and the caller must then leave the file alone.
  std::optional<std::filesystem::path> Open(const OpenRequest& request = {});
  // The same for several files; the first one's directory is remembered.
  std::vector<std::filesystem::path> OpenMany(const OpenRequest& request = {});

  // The same for the save dialog. A chosen file that is one of
  // `request.inputs` is refused (RefuseOutputOverInputs: FileError naming
  // both paths); nothing is remembered then.
  std::optional<std::filesystem::path> Save(const SaveRequest& request);

  // Shows a message, such as a reader's warning, in the window's message box.
  void Message(std::string_view text) { dialogs_.Message(text); }

  // The two dialogs, as the last command left them.
  const FileDialog& OpenDialog() const { return open_; }
  const FileDialog& SaveDialog() const { return save_; }
  DirectoryMemory& Directories() { return directories_; }

 private:
  std::filesystem::path StartDirectory(StartIn startIn, const FileDialog& dialog);

  std::string openFilter_;
  std::string saveFilter_;
  Dialogs& dialogs_;
  DirectoryMemory& directories_;
  FileDialog open_;
  FileDialog save_;
};

}  // namespace specbridge
