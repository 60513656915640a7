#pragma once

#include <QMainWindow>
#include <QStringList>
#include <functional>

#include "columns/columns.hpp"
#include "common/dialogs.hpp"
#include "common/file_chooser.hpp"

class QPlainTextEdit;

namespace specbridge::columns {

class TForm12;
class TForm13;

// The sheet text: an editable text box with "File" (Open, Save, Quit) and
// "Edit" (TabToSpace, SpacesToTab, Column Calculation). It creates and owns
// the treatment window TForm12 and the formula window TForm13.
class TForm11 : public QMainWindow {
  Q_OBJECT

 public:
  TForm11(DirectoryMemory& directories, Dialogs& dialogs, QWidget* parent = nullptr);

  // "File"
  void open1Click();
  void Save1Click();
  void Exit1Click();
  // "Edit"
  void TabToSpace1Click();
  void SpacesToTab1Click();
  void ColumnCalculation1Click();

  // TForm12's "Update and Return To Main": the table into the text as the
  // text box holds it now.
  void UpdateFromTable();

  const ColumnTool& Tool() const { return tool_; }
  TForm12& Form12() { return *form12_; }
  TForm13& Form13() { return *form13_; }

 private:
  // Runs `change` on the tool's lines, with the user's typing taken in
  // first and the result shown after.
  void ChangeText(const std::function<void()>& change);
  void TakeTypedText();
  void ShowText();

  Dialogs& dialogs_;
  FileChooser files_;  // OpenDialog1, SaveDialog1 (no filter)
  ColumnTool tool_;
  QPlainTextEdit* Memo1_ = nullptr;
  // The lines as last put into the text box, to tell the typed ones apart.
  QStringList shown_;
  TForm12* form12_ = nullptr;
  TForm13* form13_ = nullptr;
};

}  // namespace specbridge::columns
