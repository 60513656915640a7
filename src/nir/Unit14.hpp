#pragma once

#include <QMainWindow>
#include <filesystem>
#include <vector>

#include "common/dialogs.hpp"
#include "common/file_chooser.hpp"

class QPlainTextEdit;

namespace specbridge::nir {

class TForm15;

// The NIR line removal: the user picks one UV3150K file, the window finds
// the files of its extension in its folder that carry the UV3150K header,
// asks for confirmation (TForm15) and cleans them in place, keeping backups.
class TForm14 : public QMainWindow {
  Q_OBJECT

 public:
  TForm14(DirectoryMemory& directories, Dialogs& dialogs, QWidget* parent = nullptr);

  // "File" -> "Select_One_of_Them": builds the pending list and, when it is
  // not empty, shows the confirmation.
  void Open1Click();
  // "File" -> "Quit": hides this window and shows the main window.
  void Exit1Click();
  // Processes the pending list; one message tells what became of it.
  void DoItClick();

  const std::vector<std::filesystem::path>& PendingFiles() const { return pending_; }

 private:
  void ShowLoaded(std::string_view bytes);

  Dialogs& dialogs_;
  FileChooser files_;  // OpenDialog1, all files
  std::vector<std::filesystem::path> pending_;
  QPlainTextEdit* Memo1_ = nullptr;
  TForm15* confirmation_ = nullptr;
};

}  // namespace specbridge::nir
