#include "resave/Unit8.hpp"

#include <QColor>
#include <QHeaderView>
#include <QMenuBar>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

#include "common/output_file.hpp"
#include "gui/QtText.hpp"
#include "resave/Unit9.hpp"

namespace specbridge::resave {

int SheetModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : sheet_.RowCount(); }

int SheetModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : sheet_.ColumnCount(); }

QVariant SheetModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const bool marker = index.row() == 0 || index.column() == 0;
  switch (role) {
    case Qt::DisplayRole: {
      // A tab kept inside the last cell would stop the text; show it.
      QString text = FromShiftJis(sheet_.Cell(index.column(), index.row()));
      text.replace(QLatin1Char('\t'), QStringLiteral(" \u2192 "));
      return text;
    }
    case Qt::BackgroundRole:
      return marker ? QVariant(QColor(236, 236, 236)) : QVariant();
    case Qt::ForegroundRole:
      return marker ? QVariant(QColor(160, 0, 0)) : QVariant();
    default:
      return {};
  }
}

void SheetModel::Reset() {
  beginResetModel();
  endResetModel();
}

void SheetModel::CellChanged(int column, int row) {
  const QModelIndex cell = index(row, column);
  emit dataChanged(cell, cell, {Qt::DisplayRole});
}

TForm8::TForm8(DirectoryMemory& directories, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent, Qt::Window), dialogs_(dialogs), files_(dialogs, directories) {
  setObjectName("TForm8");
  setWindowTitle("Read Numerical 2D Data Separated with Tabs and Conduct Partial Resaving");
  resize(900, 600);

  const auto item = [this](QMenu* menu, const char* caption, const char* name, void (TForm8::*handler)(),
                           const QKeySequence& keys = {}) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    action->setShortcut(keys);
    connect(action, &QAction::triggered, this, [this, handler] { RunCommand(dialogs_, [&] { (this->*handler)(); }); });
  };
  QMenu* file = menuBar()->addMenu("File");
  file->setObjectName("File1");
  item(file, "Read", "Read1", &TForm8::Read1Click, QKeySequence::Open);
  item(file, "Save", "Save1", &TForm8::Save1Click, QKeySequence::Save);
  item(file, "Quit", "Exit1", &TForm8::Exit1Click, QKeySequence::Close);
  QAction* help = menuBar()->addAction("Help");
  help->setObjectName("Help1");
  connect(help, &QAction::triggered, this, &TForm8::Help1Click);

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  model_ = new SheetModel(sheet_, this);
  StringGrid1_ = new QTableView(central);
  StringGrid1_->setObjectName("StringGrid1");
  StringGrid1_->setModel(model_);
  StringGrid1_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StringGrid1_->setSelectionMode(QAbstractItemView::SingleSelection);
  StringGrid1_->setSelectionBehavior(QAbstractItemView::SelectItems);
  StringGrid1_->setWordWrap(false);
  // No fixed rows or columns: row 0 and column 0 are the marker cells.
  StringGrid1_->horizontalHeader()->hide();
  StringGrid1_->verticalHeader()->hide();
  StringGrid1_->horizontalHeader()->setDefaultSectionSize(70);
  StringGrid1_->verticalHeader()->setMinimumSectionSize(15);
  StringGrid1_->verticalHeader()->setDefaultSectionSize(18);
  StringGrid1_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  layout->addWidget(StringGrid1_);
  connect(StringGrid1_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) {
            if (current.isValid()) StringGrid1SelectCell(current.column(), current.row());
          });
  connect(StringGrid1_, &QTableView::doubleClicked, this, [this](const QModelIndex& cell) {
    StringGrid1SelectCell(cell.column(), cell.row());
    RunCommand(dialogs_, [this] { StringGrid1DblClick(); });
  });

  SpinEdit1_ = new QSpinBox(central);
  SpinEdit1_->setObjectName("SpinEdit1");
  SpinEdit1_->hide();
  SpinEdit2_ = new QSpinBox(central);
  SpinEdit2_->setObjectName("SpinEdit2");
  SpinEdit2_->hide();
  setCentralWidget(central);

  help_ = new TForm9(this);
}

void TForm8::Read1Click() {
  const auto chosen = files_.Open();
  if (!chosen) return;
  // A refused file leaves grid and marks as they were.
  sheet_.Read(*chosen, [this](std::string_view warning) { dialogs_.Message(warning); });
  model_->Reset();
  SpinEdit1_->setRange(0, sheet_.ColumnCount() - 1);
  SpinEdit2_->setRange(0, sheet_.RowCount() - 1);
}

void TForm8::Save1Click() {
  if (!sheet_.Loaded()) return;
  const auto chosen = files_.Save({.proposed = sheet_.FileName().string() + ".txt", .inputs = {sheet_.FileName()}});
  if (!chosen) return;
  WriteFileAtomically(*chosen, sheet_.SaveText());
}

void TForm8::Exit1Click() { hide(); }

void TForm8::Help1Click() {
  help_->show();
  help_->raise();
}

void TForm8::StringGrid1SelectCell(int column, int row) {
  SpinEdit1_->setValue(column);
  SpinEdit2_->setValue(row);
}

void TForm8::StringGrid1DblClick() {
  const int column = SpinEdit1_->value();
  const int row = SpinEdit2_->value();
  if (sheet_.DoubleClick(column, row)) model_->CellChanged(column, row);
}

}  // namespace specbridge::resave
