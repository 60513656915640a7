#include "sheets/Unit10.hpp"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "common/output_file.hpp"
#include "common/text.hpp"
#include "gui/QtDrop.hpp"
#include "gui/QtPlot.hpp"
#include "gui/QtText.hpp"

namespace specbridge::sheets {

TForm10::TForm10(DirectoryMemory& directories, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent, Qt::Window),
      dialogs_(dialogs),
      files_(dialogs, directories),
      set_(std::make_unique<SpectrumSet>()),
      picture_(kPlotWidth, kPlotHeight, QImage::Format_RGB32) {
  setObjectName("TForm10");
  setAcceptDrops(true);
  setWindowTitle(
      "Converting Spectral Data into Tab-2D (for Shimadzu MultiSpec1500 (*.ASC) and RF5300PC only) (Not for SPECFIT)");
  picture_.fill(Qt::white);

  QMenu* file = menuBar()->addMenu("File");
  file->setObjectName("File1");
  const auto item = [this, file](const char* caption, const char* name, void (TForm10::*handler)()) {
    QAction* action = file->addAction(caption);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, [this, handler] { RunCommand(dialogs_, [&] { (this->*handler)(); }); });
  };
  item("Open", "Open1", &TForm10::Open1Click);
  item("Close", "Close1", &TForm10::Close1Click);
  item("Save", "Save1", &TForm10::Save1Click);
  item("Quit", "Exit1", &TForm10::Exit1Click);

  auto* central = new QWidget(this);
  auto* columns = new QHBoxLayout(central);
  columns->addWidget(BuildLists());
  columns->addWidget(BuildPlotPanel(), 1);
  setCentralWidget(central);
  setAutoFillBackground(true);
  Paint(PlotScene(kPlotWidth, kPlotHeight));
  RefleshWorkFile();
}

QTableWidget* TForm10::AddGrid(const char* name, QWidget* parent) {
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

QWidget* TForm10::BuildLists() {
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

  const auto run = [this](void (TForm10::*handler)()) {
    return [this, handler] { RunCommand(dialogs_, [&] { (this->*handler)(); }); };
  };
  connect(StringGrid2_, &QTableWidget::currentCellChanged, this, [this](int row) { SpinEdit2_->setValue(row); });
  connect(StringGrid1_, &QTableWidget::currentCellChanged, this, [this](int row) { SpinEdit1_->setValue(row); });
  connect(StringGrid2_, &QTableWidget::cellDoubleClicked, this, run(&TForm10::StringGrid2DblClick));
  connect(StringGrid1_, &QTableWidget::cellDoubleClicked, this, run(&TForm10::StringGrid1DblClick));
  connect(up, &QToolButton::clicked, this, run(&TForm10::SpinButton1UpClick));
  connect(down, &QToolButton::clicked, this, run(&TForm10::SpinButton1DownClick));
  return lists;
}

QWidget* TForm10::BuildPlotPanel() {
  auto* panel = new QWidget(this);
  auto* grid = new QGridLayout(panel);
  auto* black = new QFrame(panel);
  black->setObjectName("Panel1");
  black->setAutoFillBackground(true);
  black->setPalette(QPalette(Qt::black));
  auto* stack = new QGridLayout(black);
  stack->setContentsMargins(4, 4, 4, 4);
  Image1_ = new QLabel(black);
  Image1_->setObjectName("Image1");
  Image1_->setFixedSize(kPlotWidth, kPlotHeight);
  stack->addWidget(Image1_, 0, 0);
  for (int b = 0; b < 4; ++b) {
    const QString name = QString("Edit%1").arg(b + 1);
    Edit_[b] = new QLineEdit(name, panel);
    Edit_[b]->setObjectName(name);
    Edit_[b]->setReadOnly(true);
    Edit_[b]->setFixedWidth(90);
  }
  grid->addWidget(Edit_[3], 0, 0, Qt::AlignTop);
  grid->addWidget(Edit_[2], 1, 0, Qt::AlignBottom);
  grid->addWidget(black, 0, 1, 2, 2);
  grid->addWidget(Edit_[0], 2, 1, Qt::AlignLeft);
  grid->addWidget(Edit_[1], 2, 2, Qt::AlignRight);
  return panel;
}

void TForm10::Paint(const PlotScene& scene) {
  PaintScene(picture_, scene);
  Image1_->setPixmap(QPixmap::fromImage(picture_));
}

std::function<bool(SpectrumSet&, int, bool)> TForm10::FileRead(const std::filesystem::path& path) {
  return [this, path](SpectrumSet& set, int k, bool added) {
    return ReadSpectrumBytes(set, ReadFileBytes(path), path.filename().string(), k, added,
                             [this](std::string_view text) { files_.Message(text); });
  };
}

std::vector<std::filesystem::path> TForm10::WorkingPaths() const {
  std::vector<std::filesystem::path> paths;
  for (int k = 1; k <= set_->SpectrumCount; ++k) paths.push_back(set_->Path(k));
  return paths;
}

void TForm10::Open1Click() {
  const auto chosen = files_.Open({.startIn = StartIn::kCurrentDirectory});
  if (!chosen) return;
  workingDirectory_ = chosen->parent_path();
  // The list follows the chosen file even when the file is refused.
  directoryList_.Refresh(SheetDirectoryList(workingDirectory_, *chosen));
  RefleshFile();
  if (OpenSpectrum(*set_, *chosen, FileRead(*chosen))) DrawSpec();
  RefleshWorkFile();
}

void TForm10::Close1Click() {
  CloseSpectra(*set_);
  setPalette(QPalette(QColor(0, 255, 255)));
  Paint(BlankDataRect(lastData_, kPlotWidth, kPlotHeight, true));
  RefleshWorkFile();
}

void TForm10::Save1Click() {
  if (set_->SpectrumCount <= 0) return;
  const auto chosen = files_.Save({.proposed = DefaultSheetName(*set_), .inputs = WorkingPaths()});
  if (!chosen) return;
  set_->SheetPath = *chosen;
  WriteFileAtomically(*chosen, WriteTabSheet(*set_));
}

void TForm10::Exit1Click() { hide(); }

void TForm10::StringGrid2DblClick() {
  const QTableWidgetItem* cell = StringGrid2_->item(SpinEdit2_->value(), 0);
  if (cell == nullptr || cell->text().isEmpty()) return;
  const std::filesystem::path path = workingDirectory_ / ToPath(cell->text());
  if (AddSpectrum(*set_, path, FileRead(path))) DrawSpec();
  RefleshWorkFile();
}

void TForm10::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedFiles(event->mimeData()).empty()) event->acceptProposedAction();
}

void TForm10::dropEvent(QDropEvent* event) {
  const auto files = DroppedFiles(event->mimeData());
  if (files.empty()) return;
  event->acceptProposedAction();
  // Each file on its own: one refused file leaves the others added.
  bool added = false;
  for (const std::filesystem::path& path : files) {
    RunCommand(dialogs_, [&] { added = AddSpectrum(*set_, path, FileRead(path)) || added; });
  }
  if (added) DrawSpec();
  RefleshWorkFile();
}

void TForm10::StringGrid1DblClick() {
  switch (RemoveSpectrum(*set_, SpinEdit1_->value())) {
    case Redraw::kSpectra:
      DrawSpec();
      break;
    case Redraw::kBlankDataRect:
      Paint(BlankDataRect(lastData_, kPlotWidth, kPlotHeight, false));
      break;
    case Redraw::kNothing:
      break;
  }
  RefleshWorkFile();
}

void TForm10::SpinButton1UpClick() {
  const int row = MoveSpectrumUp(*set_, SpinEdit1_->value());
  RefleshWorkFile();
  StringGrid1_->setCurrentCell(row, 0);
  SpinEdit1_->setValue(row);
}

void TForm10::SpinButton1DownClick() {
  const int row = MoveSpectrumDown(*set_, SpinEdit1_->value());
  RefleshWorkFile();
  StringGrid1_->setCurrentCell(row, 0);
  SpinEdit1_->setValue(row);
}

void TForm10::RefleshFile() {
  const auto& rows = directoryList_.Rows();
  if (rows.empty()) return;
  StringGrid2_->setRowCount(static_cast<int>(rows.size()));
  for (std::size_t r = 0; r < rows.size(); ++r) {
    StringGrid2_->setItem(static_cast<int>(r), 0, new QTableWidgetItem(FromPath(rows[r])));
  }
  SpinEdit2_->setMaximum(static_cast<int>(rows.size()) - 1);
}

void TForm10::RefleshWorkFile() {
  const std::vector<std::string> rows = WorkingListRows(*set_);
  const int selected = SpinEdit1_->value();
  StringGrid1_->blockSignals(true);
  StringGrid1_->setRowCount(static_cast<int>(rows.size()));
  for (std::size_t r = 0; r < rows.size(); ++r) {
    StringGrid1_->setItem(static_cast<int>(r), 0, new QTableWidgetItem(FromPath(rows[r])));
  }
  StringGrid1_->blockSignals(false);
  SpinEdit1_->setMaximum(static_cast<int>(rows.size()) - 1);
  SpinEdit1_->setValue(std::min(selected, SpinEdit1_->maximum()));
}

void TForm10::DrawSpec() {
  const SpectrumDrawing drawing = sheets::DrawSpec(*set_);
  lastData_ = drawing.data;
  for (int b = 0; b < 4; ++b) Edit_[b]->setText(QString::fromStdString(drawing.boxes[static_cast<std::size_t>(b)]));
  Paint(drawing.scene);
}

}  // namespace specbridge::sheets
