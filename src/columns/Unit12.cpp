#include "columns/Unit12.hpp"

#include <QHeaderView>
#include <QMenuBar>
#include <QTableView>

#include "columns/Unit11.hpp"
#include "columns/Unit13.hpp"
#include "gui/QtText.hpp"

namespace specbridge::columns {

int TreatmentModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : std::max(table_.RowCount() - 1, 0);
}

int TreatmentModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : table_.ColCount(); }

QVariant TreatmentModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) return {};
  const int row = index.row() + 1;
  if (row >= table_.RowCount() || index.column() >= table_.ColCount()) return {};
  return FromShiftJis(table_.Cell(index.column(), row));
}

QVariant TreatmentModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section >= table_.ColCount()) return {};
  return FromShiftJis(table_.Cell(section, 0));
}

void TreatmentModel::Rebuild(const std::function<void()>& change) {
  beginResetModel();
  try {
    change();
  } catch (...) {
    endResetModel();
    throw;
  }
  endResetModel();
}

void TreatmentModel::Refresh(const std::function<void()>& change) {
  const auto changed = [this] {
    if (rowCount() > 0 && columnCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
  };
  try {
    change();
  } catch (...) {
    // The rows before a failure keep their results, and show them.
    changed();
    throw;
  }
  changed();
}

TForm12::TForm12(TForm11& sheet, const TreatmentTable& table, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent, Qt::Window), sheet_(sheet), table_(table), dialogs_(dialogs) {
  setObjectName("TForm12");
  setWindowTitle("Column Treatment Window");
  resize(680, 480);

  const auto item = [this](QMenu* menu, const char* caption, const char* name, void (TForm12::*handler)()) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, [this, handler] { RunCommand(dialogs_, [&] { (this->*handler)(); }); });
  };
  QMenu* file = menuBar()->addMenu("File");
  file->setObjectName("File1");
  item(file, "Update and Return To Main", "UpdateandReturnToMain1", &TForm12::UpdateandReturnToMain1Click);
  item(file, "Abort The Treatment", "AbortTheTreatment1", &TForm12::AbortTheTreatment1Click);
  QMenu* edit = menuBar()->addMenu("Edit");
  edit->setObjectName("Edit1");
  item(edit, "Simple_Math", "SimpleMath1", &TForm12::SimpleMath1Click);

  model_ = new TreatmentModel(table_, this);
  StringGrid1_ = new QTableView(this);
  StringGrid1_->setObjectName("StringGrid1");
  StringGrid1_->setModel(model_);
  StringGrid1_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StringGrid1_->verticalHeader()->hide();
  StringGrid1_->horizontalHeader()->setDefaultSectionSize(150);
  StringGrid1_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  StringGrid1_->verticalHeader()->setMinimumSectionSize(16);
  StringGrid1_->verticalHeader()->setDefaultSectionSize(std::max(16, StringGrid1_->fontMetrics().height() + 2));
  StringGrid1_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  setCentralWidget(StringGrid1_);
}

void TForm12::UpdateandReturnToMain1Click() {
  sheet_.UpdateFromTable();
  hide();
}

void TForm12::AbortTheTreatment1Click() { hide(); }

void TForm12::SimpleMath1Click() {
  TForm13& math = sheet_.Form13();
  math.BoundColumns(table_.ColCount() - 1);
  math.show();
  math.raise();
  math.activateWindow();
}

}  // namespace specbridge::columns
