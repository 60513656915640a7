#pragma once

#include <QAbstractTableModel>
#include <QMainWindow>
#include <functional>

#include "columns/columns.hpp"
#include "common/dialogs.hpp"

class QTableView;

namespace specbridge::columns {

class TForm11;

// The treatment table as a grid: row 0 of the table is the fixed header row,
// rows 1 .. R-1 are the grid's rows. The cells are read from the table when
// shown, so a sheet of many lines costs nothing until it is scrolled to.
class TreatmentModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit TreatmentModel(const TreatmentTable& table, QObject* parent = nullptr)
      : QAbstractTableModel(parent), table_(table) {}

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // `change` may resize the table: the grid forgets what it showed.
  void Rebuild(const std::function<void()>& change);
  // `change` only rewrites cells: the grid keeps its place.
  void Refresh(const std::function<void()>& change);

 private:
  const TreatmentTable& table_;
};

// "Column Treatment Window": "File" (Update and Return To Main, Abort The
// Treatment) and "Edit" (Simple_Math).
class TForm12 : public QMainWindow {
  Q_OBJECT

 public:
  TForm12(TForm11& sheet, const TreatmentTable& table, Dialogs& dialogs, QWidget* parent = nullptr);

  void UpdateandReturnToMain1Click();
  void AbortTheTreatment1Click();
  void SimpleMath1Click();

  TreatmentModel& Model() { return *model_; }

 private:
  TForm11& sheet_;
  const TreatmentTable& table_;
  Dialogs& dialogs_;
  TreatmentModel* model_ = nullptr;
  QTableView* StringGrid1_ = nullptr;
};

}  // namespace specbridge::columns
