#pragma once

#include <QMainWindow>
#include <span>
#include <vector>

#include "common/dialogs.hpp"
#include "common/directory_memory.hpp"
#include "common/file_chooser.hpp"

class QAction;
class QMenu;
class QPlainTextEdit;
class QPushButton;

namespace specbridge::shell {

class TForm1;

// What a tool window is made with: the shared memory and dialogs, and the
// main window as its parent (which owns it for the whole run).
struct ToolSetting {
  DirectoryMemory& directories;
  Dialogs& dialogs;
  TForm1& main;
};

// Creates one tool window, hidden.
using MakeTool = QWidget* (*)(const ToolSetting& setting);

// A tool window with the usual constructor (directories, dialogs, parent).
template <class Form>
QWidget* MakeWindow(const ToolSetting& setting) {
  return new Form(setting.directories, setting.dialogs, &setting.main);
}

enum class Menu { kFile, kTools };

// One item of the main window's menus. An item with `make` shows its window
// (created once at start-up, in `order`); an item with `run` runs a command of
// the main window; an item with neither is a tool not built yet and stays
// disabled.
struct ToolRow {
  Menu menu;
  const char* caption;
  const char* name;  // objectName of the menu item
  int order;         // place of the window in the start-up order
  MakeTool make;
  void (TForm1::*run)();
};

// The main window: the "File" and "Tools" menus that show the tool windows,
// a welcome text listing them, and "Help".
// It creates every tool window once, in a fixed order, and owns them.
class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  TForm1(DirectoryMemory& directories, Dialogs& dialogs, QWidget* parent = nullptr);

  static QString TitleLine();
  // The items of both menus, in menu order.
  static std::span<const ToolRow> Tools();

  // "File"
  void ConvertingEpsironData1Click();
  void Generating1Click();
  // "Inspect...": what every reader makes of the chosen files, in a text window.
  void Inspect1Click();
  void Exit1Click();
  // "Help"
  void About1Click();

  // The FIX conversions of the concentration dialogs TForm17, TForm18 and
  // TForm19; false when the conversion stopped with an error.
  bool Button1Click();
  bool Button2Click();
  bool Button3Click();

 private:
  QAction* AddItem(QMenu* menu, const ToolRow& row, QWidget* window);
  static void ShowTool(QWidget* window);

  DirectoryMemory& directories_;
  Dialogs& dialogs_;
  QPlainTextEdit* Memo1_ = nullptr;
  QPushButton* Button1_ = nullptr;
  QPushButton* Button2_ = nullptr;
  QPushButton* Button3_ = nullptr;
  FileChooser files_;  // OpenDialog1, SaveDialog1
};

}  // namespace specbridge::shell
