#include "gui/QtSpectrumLists.hpp"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/QtPlot.hpp"
#include "gui/QtPlotPanel.hpp"
#include "gui/QtText.hpp"

namespace specbridge {

SpectrumLists::SpectrumLists(QSize plotSize, QWidget* parent)
    : QWidget(parent), picture_(plotSize, QImage::Format_RGB32) {
  setObjectName("SpectrumLists");
  picture_.fill(Qt::white);
  auto* columns = new QHBoxLayout(this);
  columns->setContentsMargins(0, 0, 0, 0);
  columns->addWidget(BuildLists());
  for (int b = 0; b < 4; ++b) {
    const QString name = QString("Edit%1").arg(b + 1);
    Edit_[static_cast<std::size_t>(b)] = new QLineEdit(name, this);
    Edit_[static_cast<std::size_t>(b)]->setObjectName(name);
    Edit_[static_cast<std::size_t>(b)]->setReadOnly(true);
    Edit_[static_cast<std::size_t>(b)]->setFixedWidth(90);
  }
  const PlotPanel plot = BuildPlotPanel(this, plotSize, {Edit_[0], Edit_[1], Edit_[2], Edit_[3]});
  Image1_ = plot.image;
  columns->addWidget(plot.widget, 1);
  Paint(PlotScene(plotSize.width(), plotSize.height()));
}

QTableWidget* SpectrumLists::AddGrid(const char* name, QWidget* parent) {
  auto* grid = new QTableWidget(20, 1, parent);
  grid->setObjectName(name);
  grid->horizontalHeader()->hide();
  grid->verticalHeader()->hide();
  grid->verticalHeader()->setDefaultSectionSize(18);
  grid->horizontalHeader()->setStretchLastSection(true);
  grid->setFixedWidth(170);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  return grid;
}

QWidget* SpectrumLists::BuildLists() {
  auto* lists = new QWidget(this);
  auto* column = new QVBoxLayout(lists);
  column->setContentsMargins(0, 0, 0, 0);
  StringGrid2_ = AddGrid("StringGrid2", lists);
  StringGrid2_->setRowCount(0);  // empty until the first "Open"
  column->addWidget(StringGrid2_, 1);

  auto* label = new QLabel("Working Files", lists);
  label->setObjectName("Label1");
  label->setStyleSheet("color: blue; font-weight: bold;");
  column->addWidget(label);
  StringGrid1_ = AddGrid("StringGrid1", lists);
  column->addWidget(StringGrid1_, 1);

  auto* spin = new QWidget(lists);
  spin->setObjectName("SpinButton1");
  auto* spinGrid = new QGridLayout(spin);
  spinGrid->setContentsMargins(0, 0, 0, 0);
  auto* up = new QToolButton(spin);
  up->setObjectName("SpinButton1Up");
  up->setArrowType(Qt::UpArrow);
  auto* down = new QToolButton(spin);
  down->setObjectName("SpinButton1Down");
  down->setArrowType(Qt::DownArrow);
  spinGrid->addWidget(up, 0, 0);
  spinGrid->addWidget(new QLabel("MoveUpward", spin), 0, 1);
  spinGrid->addWidget(down, 1, 0);
  spinGrid->addWidget(new QLabel("MoveDownward", spin), 1, 1);
  column->addWidget(spin);

  // The selected rows: hidden state of the lists.
  SpinEdit1_ = new QSpinBox(lists);
  SpinEdit2_ = new QSpinBox(lists);
  SpinEdit1_->setObjectName("SpinEdit1");
  SpinEdit2_->setObjectName("SpinEdit2");
  for (QSpinBox* box : {SpinEdit1_, SpinEdit2_}) {
    box->setRange(0, 20);
    box->hide();
  }

  connect(StringGrid2_, &QTableWidget::currentCellChanged, this, [this](int row) { SpinEdit2_->setValue(row); });
  connect(StringGrid1_, &QTableWidget::currentCellChanged, this, [this](int row) { SpinEdit1_->setValue(row); });
  connect(StringGrid2_, &QTableWidget::cellDoubleClicked, this, &SpectrumLists::DirectoryDoubleClicked);
  connect(StringGrid1_, &QTableWidget::cellDoubleClicked, this, &SpectrumLists::WorkingDoubleClicked);
  connect(up, &QToolButton::clicked, this, &SpectrumLists::UpClicked);
  connect(down, &QToolButton::clicked, this, &SpectrumLists::DownClicked);
  return lists;
}

int SpectrumLists::DirectoryRow() const { return SpinEdit2_->value(); }

int SpectrumLists::WorkingRow() const { return SpinEdit1_->value(); }

QString SpectrumLists::DirectoryEntry() const {
  const QTableWidgetItem* cell = StringGrid2_->item(SpinEdit2_->value(), 0);
  return cell == nullptr ? QString() : cell->text();
}

void SpectrumLists::ShowDirectory(const std::vector<std::string>& names) {
  if (names.empty()) return;
  StringGrid2_->setRowCount(static_cast<int>(names.size()));
  for (std::size_t r = 0; r < names.size(); ++r) {
    StringGrid2_->setItem(static_cast<int>(r), 0, new QTableWidgetItem(FromPath(names[r])));
  }
  SpinEdit2_->setMaximum(static_cast<int>(names.size()) - 1);
}

void SpectrumLists::ShowWorking(const std::vector<std::string>& names) {
  const int selected = SpinEdit1_->value();
  StringGrid1_->blockSignals(true);
  StringGrid1_->setRowCount(static_cast<int>(names.size()));
  for (std::size_t r = 0; r < names.size(); ++r) {
    StringGrid1_->setItem(static_cast<int>(r), 0, new QTableWidgetItem(FromPath(names[r])));
  }
  StringGrid1_->blockSignals(false);
  SpinEdit1_->setMaximum(static_cast<int>(names.size()) - 1);
  SpinEdit1_->setValue(std::min(selected, SpinEdit1_->maximum()));
}

void SpectrumLists::SelectWorking(int row) {
  StringGrid1_->setCurrentCell(row, 0);
  SpinEdit1_->setValue(row);
}

void SpectrumLists::Paint(const PlotScene& scene) {
  PaintScene(picture_, scene);
  Image1_->setPixmap(QPixmap::fromImage(picture_));
}

void SpectrumLists::ShowRange(const std::array<std::string, 4>& texts) {
  for (std::size_t b = 0; b < texts.size(); ++b) Edit_[b]->setText(QString::fromStdString(texts[b]));
}

}  // namespace specbridge
