#pragma once

#include <QAbstractTableModel>
#include <QMainWindow>

#include "common/dialogs.hpp"
#include "common/file_chooser.hpp"
#include "resave/sheet.hpp"

class QSpinBox;
class QTableView;

namespace specbridge::resave {

class TForm9;

// The grid of strings over the sheet: its cells are computed from the
// sheet's lines as they are shown, so a large sheet needs no cell objects.
class SheetModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit SheetModel(const Sheet& sheet, QObject* parent = nullptr) : QAbstractTableModel(parent), sheet_(sheet) {}
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  // After "Read", and after a mark changed.
  void Reset();
  void CellChanged(int column, int row);

 private:
  const Sheet& sheet_;
};

// "Read Numerical 2D Data Separated with Tabs and Conduct Partial Resaving".
class TForm8 : public QMainWindow {
  Q_OBJECT

 public:
  TForm8(DirectoryMemory& directories, Dialogs& dialogs, QWidget* parent = nullptr);

  // "File"
  void Read1Click();
  void Save1Click();
  void Exit1Click();
  // "Help"
  void Help1Click();
  // The grid: the selected cell goes to SpinEdit1 (column) and SpinEdit2
  // (row); a double-click toggles its mark.
  void StringGrid1SelectCell(int column, int row);
  void StringGrid1DblClick();

  const Sheet& CurrentSheet() const { return sheet_; }

 private:
  Dialogs& dialogs_;
  FileChooser files_;  // OpenDialog1, SaveDialog1: all files
  Sheet sheet_;
  SheetModel* model_ = nullptr;
  QTableView* StringGrid1_ = nullptr;
  QSpinBox* SpinEdit1_ = nullptr;
  QSpinBox* SpinEdit2_ = nullptr;
  TForm9* help_ = nullptr;
};

}  // namespace specbridge::resave
