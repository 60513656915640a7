#pragma once

#include <QMainWindow>

#include "common/dialogs.hpp"
#include "shell/directory_memory.hpp"

class QAction;
class QMenu;
class QPlainTextEdit;
class QPushButton;

namespace specbridge::shell {

// The main window: the "File" and "Tools" menus that show the tool windows.
// It creates every tool window once, in a fixed order, and owns them.
class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  TForm1(DirectoryMemory& directories, Dialogs& dialogs, QWidget* parent = nullptr);

  static QString TitleLine();

  // "File"
  void Exit1Click();

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
};

}  // namespace specbridge::shell
