#pragma once

#include <QMainWindow>
#include <filesystem>
#include <vector>

#include "common/dialogs.hpp"
#include "common/file_chooser.hpp"
#include "simple_kinetics/converter.hpp"

class QLineEdit;

namespace specbridge::simple_kinetics {

// The simple kinetic-trace converter: opens one MultiSpec kinetics file,
// thins its runs by the every-n rules and saves every second wavelength
// between MIN and MAX as a SPECFIT 2D-format file for model 4.
class TForm7 : public QMainWindow {
  Q_OBJECT

 public:
  TForm7(DirectoryMemory& directories, Dialogs& dialogs, QWidget* parent = nullptr);

  // "File"
  void Open1Click();
  void Save1Click();
  void Quit1Click();
  // "Conduct Exclusion"
  void Button1Click();

  const SimpleKineticsConverter& Converter() const { return converter_; }

 private:
  QLineEdit* AddBox(const char* name, QWidget* parent, int width = 80);
  void SyncBoxesFromWidgets();
  void ShowBoxes();

  Dialogs& dialogs_;
  FileChooser files_;  // OpenDialog1 ("*.ASC"), SaveDialog1
  // The file the last "Open" read: never replaced by a save.
  std::vector<std::filesystem::path> inputs_;
  SimpleKineticsConverter converter_;
  QLineEdit* SaveFile_ = nullptr;
};

}  // namespace specbridge::simple_kinetics
