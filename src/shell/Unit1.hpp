#pragma once

#include <QMainWindow>

#include "common/dialogs.hpp"
#include "shell/directory_memory.hpp"

class QAction;
class QMenu;
class QPlainTextEdit;
class QPushButton;

namespace specbridge::fix {
class ConcentrationForm;
}  // namespace specbridge::fix
namespace specbridge::titration {
class TForm2;
}  // namespace specbridge::titration

namespace specbridge::shell {

// The main window: the "File" and "Tools" menus that show the tool windows.
// It creates every tool window once, in a fixed order, and owns them.
class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  TForm1(DirectoryMemory& directories, Dialogs& dialogs, QWidget* parent = nullptr);

  static QString TitleLine();

  // "File"
  void TitrationExperiments1Click();
  void ConvertingEpsironData1Click();
  void Generating1Click();
  void GeneratingFIXfilesforSPECFITfromMultispecascfiles1Click();
  void GeneratingFIXfilesforSPECFITfromMultispecascfilesNo21Click();
  void GeneratingFIXfilesforSPECFITfromtheASCIIFilesofUVProbeShimadzuUV24503100PC3150PC1Click();
  void Exit1Click();

  // The FIX conversions of the concentration dialogs TForm17, TForm18 and
  // TForm19; false when the conversion stopped with an error.
  bool Button1Click();
  bool Button2Click();
  bool Button3Click();

 private:
  QAction* AddItem(QMenu* menu, const QString& caption, const QString& name, void (TForm1::*handler)());
  static void ShowTool(QWidget* window);

  DirectoryMemory& directories_;
  Dialogs& dialogs_;
  QPlainTextEdit* Memo1_ = nullptr;
  QPushButton* Button1_ = nullptr;
  QPushButton* Button2_ = nullptr;
  QPushButton* Button3_ = nullptr;
  FileDialog OpenDialog1_;
  FileDialog SaveDialog1_;
  titration::TForm2* Form2_ = nullptr;
  fix::ConcentrationForm* Form17_ = nullptr;
  fix::ConcentrationForm* Form18_ = nullptr;
  fix::ConcentrationForm* Form19_ = nullptr;
};

}  // namespace specbridge::shell
