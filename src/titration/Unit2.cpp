#include "titration/Unit2.hpp"

#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include "common/output_file.hpp"
#include "common/text.hpp"
#include "gui/QtDrop.hpp"
#include "gui/QtExitEdit.hpp"
#include "gui/QtPlot.hpp"
#include "gui/QtPlotPanel.hpp"
#include "gui/QtSpeciesPlot.hpp"
#include "gui/QtText.hpp"
#include "species/species.hpp"

namespace specbridge::titration {
namespace {

QLabel* Caption(const QString& text, QWidget* parent) { return new QLabel(text, parent); }

}  // namespace

TForm2::TForm2(DirectoryMemory& directories, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent, Qt::Window),
      dialogs_(dialogs),
      files_(dialogs, directories, "*.ASC"),
      picture_(kPlotWidth, kPlotHeight, QImage::Format_RGB32) {
  setObjectName("TForm2");
  setAcceptDrops(true);
  setWindowTitle(
      "Tool to Generate 2D-Format Files for SPECFIT (X/Z Mode=1 & Model=1) (Especially for Spectrophotometric "
      "Titration Experiments)");
  resize(1084, 942);
  picture_.fill(Qt::white);

  QMenu* file = menuBar()->addMenu("File");
  file->setObjectName("File1");
  const auto item = [this](QMenu* menu, const char* caption, const char* name, void (TForm2::*handler)(),
                           const QKeySequence& keys = {}) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    action->setShortcut(keys);
    connect(action, &QAction::triggered, this, [this, handler] { RunCommand(dialogs_, [&] { (this->*handler)(); }); });
    return action;
  };
  item(file, "Open", "Open1", &TForm2::Open1Click, QKeySequence::Open);
  item(file, "Calculate", "Calculate1", &TForm2::Button1Click, Qt::Key_F9);
  item(file, "Save", "Save1", &TForm2::Save1Click, QKeySequence::Save);
  item(file, "Save_As_Kinetics (for Torvel, Melquist, 2003)", "SaveAsKineticsforTorvelMelquist20031",
       &TForm2::SaveAsKineticsforTorvelMelquist20031Click);
  item(file, "Quit", "Quit1", &TForm2::Quit1Click, QKeySequence::Close);
  QMenu* edit = menuBar()->addMenu("Edit");
  edit->setObjectName("Edit5");
  item(edit, "ReDraw", "ReDraw1", &TForm2::ReDraw1Click, QKeySequence::Refresh);
  QAction* view = menuBar()->addAction("View File Buffer");
  view->setObjectName("ViewFileBuffer1");
  connect(view, &QAction::triggered, this, &TForm2::ViewFileBuffer1Click);

  auto* central = new QWidget(this);
  auto* columns = new QHBoxLayout;
  columns->addWidget(BuildPlotPanel());
  columns->addWidget(BuildBoxes(), 1);

  StringGrid1_ = new QTableWidget(4, 50, central);
  StringGrid1_->setObjectName("StringGrid1");
  StringGrid1_->horizontalHeader()->hide();
  StringGrid1_->verticalHeader()->hide();
  StringGrid1_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StringGrid1_->setMinimumHeight(4 * StringGrid1_->verticalHeader()->defaultSectionSize() + 24);
  StringGrid1_->horizontalHeader()->setDefaultSectionSize(110);

  auto* layout = new QVBoxLayout(central);
  layout->addLayout(columns);
  layout->addWidget(StringGrid1_);
  setCentralWidget(central);
  ShowBoxes();
  ShowGrid();
  Paint(PlotScene(kPlotWidth, kPlotHeight));
}

QLineEdit* TForm2::AddBox(const char* name, int width) {
  const bool rangeBox = QByteArrayView(name) == "Edit1" || QByteArrayView(name) == "Edit2" ||
                        QByteArrayView(name) == "Edit3" || QByteArrayView(name) == "Edit4" ||
                        QByteArrayView(name) == "Edit6";
  QLineEdit* box = rangeBox ? new ExitEdit(this) : new QLineEdit(this);
  box->setObjectName(name);
  box->setFixedWidth(width);
  return box;
}

QWidget* TForm2::BuildPlotPanel() {
  QLineEdit* yHigh = AddBox("Edit4", 56);
  QLineEdit* yLow = AddBox("Edit3", 56);
  QLineEdit* xLow = AddBox("Edit1", 90);
  QLineEdit* xHigh = AddBox("Edit2", 90);
  const PlotPanel plot = specbridge::BuildPlotPanel(this, QSize(kPlotWidth, kPlotHeight), {xLow, xHigh, yLow, yHigh});
  Image1_ = plot.image;
  StringGrid2_ = new QTableWidget(0, 1, plot.image->parentWidget());
  StringGrid2_->setObjectName("StringGrid2");
  StringGrid2_->horizontalHeader()->hide();
  StringGrid2_->setColumnWidth(0, 610);
  StringGrid2_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StringGrid2_->hide();
  // The buffer lies over the plot when shown.
  plot.surface->addWidget(StringGrid2_, 0, 0);
  connect(static_cast<ExitEdit*>(xLow), &ExitEdit::Exited, this,
          [this] { RunCommand(dialogs_, [&] { Edit1Exit(); }); });
  connect(static_cast<ExitEdit*>(xHigh), &ExitEdit::Exited, this,
          [this] { RunCommand(dialogs_, [&] { Edit2Exit(); }); });
  connect(static_cast<ExitEdit*>(yLow), &ExitEdit::Exited, this,
          [this] { RunCommand(dialogs_, [&] { Edit3Exit(); }); });
  connect(static_cast<ExitEdit*>(yHigh), &ExitEdit::Exited, this,
          [this] { RunCommand(dialogs_, [&] { Edit4Exit(); }); });
  return plot.widget;
}

QWidget* TForm2::BuildBoxes() {
  auto* boxes = new QWidget(this);
  auto* form = new QGridLayout(boxes);
  int row = 0;
  const auto labelled = [&](const char* caption, QWidget* box) {
    form->addWidget(Caption(caption, boxes), row, 0);
    form->addWidget(box, row++, 1, 1, 4);
  };
  auto* used = AddBox("Edit6");
  connect(static_cast<ExitEdit*>(used), &ExitEdit::Exited, this,
          [this] { RunCommand(dialogs_, [&] { Edit6Exit(); }); });
  labelled("Points for Meas.", used);
  labelled("Points for NM", AddBox("Edit7"));
  AddBox("Edit8", 160);
  labelled("", findChild<QLineEdit*>("Edit8"));
  for (const char* name : {"Edit7", "Edit8"}) findChild<QLineEdit*>(name)->setReadOnly(true);
  SpinEdit1_ = new QSpinBox(boxes);
  SpinEdit1_->setObjectName("SpinEdit1");
  SpinEdit1_->setRange(0, 4);
  SpinEdit1_->setFixedWidth(60);
  labelled("Skipping", SpinEdit1_);
  labelled("File Extention", AddBox("Extention", 60));
  SaveFile_ = AddBox("SaveFile", 240);
  SaveFile_->setText("SaveFile");
  labelled("File To Save:", SaveFile_);
  form->addWidget(AddBox("Comment1", 240), row++, 0, 1, 5);
  form->addWidget(AddBox("Comment2", 240), row++, 0, 1, 5);
  labelled("Initial Volume (ml)", AddBox("V0"));
  labelled("Titration Vol. (ml)", AddBox("Vt"));
  labelled("[M] (M)", AddBox("CM"));
  labelled("[H+] (M)", AddBox("CH"));
  labelled("Temp.", AddBox("Temp"));

  form->addWidget(Caption("[L] (M)", boxes), row++, 0);
  for (int j = 1; j <= 5; ++j) {
    const QByteArray no = "No" + QByteArray::number(j);
    const QByteArray cl = "CL" + QByteArray::number(j);
    form->addWidget(Caption("No.", boxes), row, 0, Qt::AlignRight);
    form->addWidget(AddBox(no.constData(), 50), row, 1);
    form->addWidget(AddBox(cl.constData(), 110), row, 2);
    form->addWidget(Caption("(M)", boxes), row++, 3);
  }

  auto* calculate = new QPushButton("Calculate", boxes);
  calculate->setObjectName("Button1");
  QFont bold = calculate->font();
  bold.setBold(true);
  calculate->setFont(bold);
  calculate->setStyleSheet("color: red;");
  connect(calculate, &QPushButton::clicked, this, [this] { RunCommand(dialogs_, [&] { Button1Click(); }); });
  form->addWidget(calculate, row++, 0, 1, 2);

  auto* torvel = new QGroupBox("For Torvel (Kinetics)", boxes);
  torvel->setObjectName("GroupBox1");
  auto* kinetics = new QGridLayout(torvel);
  kinetics->addWidget(Caption("Initial time (s)", torvel), 0, 0);
  kinetics->addWidget(AddBox("Edit9"), 1, 0);
  kinetics->addWidget(Caption("interval time (s)", torvel), 0, 1);
  kinetics->addWidget(AddBox("Edit10"), 1, 1);
  CheckBox1_ = new QCheckBox("from file", torvel);
  CheckBox1_->setObjectName("CheckBox1");
  connect(CheckBox1_, &QCheckBox::clicked, this, [this] { RunCommand(dialogs_, [&] { CheckBox1Click(); }); });
  kinetics->addWidget(CheckBox1_, 2, 0);
  Edit11_ = AddBox("Edit11", 240);
  Edit11_->setReadOnly(true);
  kinetics->addWidget(Edit11_, 3, 0, 1, 2);
  form->addWidget(torvel, row++, 0, 1, 5);
  species_ = new SpeciesPlot(boxes);
  form->addWidget(species_, row++, 0, 1, 5);
  form->setRowStretch(row, 1);
  return boxes;
}

void TForm2::SyncBoxesFromWidgets() { ReadBoxTexts(*this, boxes_); }

void TForm2::ShowBoxes() { WriteBoxTexts(*this, boxes_); }

void TForm2::ShowGrid() {
  const auto columns = std::max<std::size_t>(grid_.columns.size(), 1);
  StringGrid1_->setColumnCount(static_cast<int>(grid_.columns.empty() ? 50 : columns));
  StringGrid1_->clearContents();
  for (std::size_t c = 0; c < grid_.columns.size(); ++c) {
    for (std::size_t r = 0; r < 4; ++r) {
      auto* cell = new QTableWidgetItem(FromShiftJis(grid_.columns[c][r]));
      // Row 0 and column 0 are the fixed cells of the grid.
      if (c == 0 || r == 0) cell->setBackground(palette().button());
      StringGrid1_->setItem(static_cast<int>(r), static_cast<int>(c), cell);
    }
  }
}

void TForm2::ShowLineBuffer() {
  StringGrid2_->setRowCount(static_cast<int>(lineBuffer_.size()));
  for (std::size_t r = 0; r < lineBuffer_.size(); ++r) {
    StringGrid2_->setItem(static_cast<int>(r), 0, new QTableWidgetItem(FromShiftJis(lineBuffer_[r])));
  }
}

void TForm2::Paint(const PlotScene& scene) {
  PaintScene(picture_, scene);
  Image1_->setPixmap(QPixmap::fromImage(picture_));
}

void TForm2::Open1Click() {
  const auto chosen = files_.Open({.startIn = StartIn::kCurrentDirectory});
  if (chosen) OpenFile(*chosen);
}

void TForm2::dragEnterEvent(QDragEnterEvent* event) {
  if (DroppedFiles(event->mimeData()).size() == 1) event->acceptProposedAction();
}

void TForm2::dropEvent(QDropEvent* event) {
  const auto files = DroppedFiles(event->mimeData());
  if (files.size() != 1) return;
  event->acceptProposedAction();
  RunCommand(dialogs_, [&] { OpenFile(files.front()); });
}

void TForm2::OpenFile(const std::filesystem::path& chosen) {
  SyncBoxesFromWidgets();
  try {
    OpenSeries(series_, chosen, boxes_, lineBuffer_, [this](std::string_view text) { dialogs_.Message(text); });
  } catch (const Failure&) {
    ShowLineBuffer();  // the file that failed, for a look
    throw;
  }
  // A "2D" sheet leaves the file names of the series before it.
  inputs_.assign(series_.FileNames.begin(), series_.FileNames.begin() + series_.FileCount);
  inputs_.push_back(chosen);
  ShowBoxes();
  SaveFile_->setText(FromPath(series_.ProposedSaveFile));
  ShowLineBuffer();
  Paint(DrawAfterOpen(series_, kPlotWidth, kPlotHeight));
  ShowSpecies();
}

void TForm2::ShowSpecies() {
  species_->Update([this] { return species::TitrationMatrix(series_); });
}

std::vector<std::filesystem::path> TForm2::Inputs() const {
  std::vector<std::filesystem::path> inputs = inputs_;
  if (!timesFile_.empty()) inputs.push_back(timesFile_);
  return inputs;
}

void TForm2::Button1Click() {
  SyncBoxesFromWidgets();
  auto grid = Calculate(boxes_, series_.UsedSpectrumCount);
  if (!grid) return;
  grid_ = std::move(*grid);
  series_.ConcentrationsReady = true;
  calculatedFrom_ = CalculateInputs();
  ShowGrid();
}

std::vector<std::string> TForm2::CalculateInputs() const {
  static constexpr const char* kRead[] = {"Comment1", "V0",  "Vt",  "CM",  "CH",  "Temp", "No1", "CL1",
                                          "No2",      "CL2", "No3", "CL3", "No4", "CL4",  "No5", "CL5"};
  std::vector<std::string> texts;
  for (const char* box : kRead) texts.push_back(boxes_[box]);
  texts.push_back(std::to_string(series_.UsedSpectrumCount));
  return texts;
}

void TForm2::Save1Click() {
  if (!SaveGuardPassed(series_)) return;
  SyncBoxesFromWidgets();
  // Concentrations of other volumes than the header shows would be a silent
  // error in the file: calculate again first. A failure stops the save; a
  // guard that is no longer met leaves nothing fit to write.
  if (CalculateInputs() != calculatedFrom_) {
    Button1Click();
    if (CalculateInputs() != calculatedFrom_) return;
  }
  const auto chosen = files_.Save({.proposed = ToPath(SaveFile_->text()), .inputs = Inputs()});
  if (!chosen) return;
  WriteFileAtomically(*chosen, WriteTitration2D(series_, grid_, boxes_, SpinEdit1_->value()));
}

void TForm2::SaveAsKineticsforTorvelMelquist20031Click() {
  SyncBoxesFromWidgets();
  for (const std::string& text : KineticsGuardMessages(boxes_)) dialogs_.Message(text);
  if (!KineticsGuardPassed(boxes_)) return;
  const auto chosen = files_.Save({.proposed = ToPath(SaveFile_->text()), .inputs = Inputs()});
  if (!chosen) return;
  const std::string bytes = WriteKinetics2D(series_, boxes_, CheckBox1_->isChecked(), timeList_);
  ShowBoxes();  // Temp may have become "20"
  WriteFileAtomically(*chosen, bytes);
}

void TForm2::CheckBox1Click() {
  if (!CheckBox1_->isChecked()) return;  // the list is kept; the export computes the times
  // The times file is not remembered as the working directory.
  const auto chosen = files_.Open({.startIn = StartIn::kAsLeft, .filter = "", .remember = false});
  if (!chosen) {
    CheckBox1_->setChecked(false);
    return;
  }
  Edit11_->setText(FromPath(*chosen));
  // A times file that fails to read leaves no times of an earlier file behind.
  timeList_.clear();
  timesFile_ = *chosen;
  try {
    timeList_ = ReadTimesFile(ReadFileBytes(*chosen), chosen->filename().string(),
                              [this](std::string_view text) { dialogs_.Message(text); });
  } catch (const Failure&) {
    CheckBox1_->setChecked(false);
    throw;
  }
}

void TForm2::Quit1Click() { hide(); }

void TForm2::ReDraw1Click() {
  if (series_.UsedSpectrumCount < 1) return;  // nothing opened: nothing to draw
  SyncBoxesFromWidgets();
  const PlotScene scene = ReDraw(series_, boxes_, kPlotWidth, kPlotHeight);
  for (const char* name : {"Edit1", "Edit2"}) {
    findChild<QLineEdit*>(name)->setText(FromShiftJis(boxes_[name]));
  }
  if (!scene.Empty()) Paint(scene);
  ShowSpecies();
}

void TForm2::ViewFileBuffer1Click() { StringGrid2_->setVisible(!StringGrid2_->isVisible()); }

void TForm2::AcceptRangeBox(QLineEdit* box, bool (*accept)(TitrationSeries&, std::string&)) {
  std::string text = ToShiftJis(box->text());
  const bool accepted = accept(series_, text);
  box->setText(FromShiftJis(text));
  if (accepted) ReDraw1Click();
}

void TForm2::Edit1Exit() { AcceptRangeBox(findChild<QLineEdit*>("Edit1"), &AcceptXLow); }
void TForm2::Edit2Exit() { AcceptRangeBox(findChild<QLineEdit*>("Edit2"), &AcceptXHigh); }
void TForm2::Edit4Exit() { AcceptRangeBox(findChild<QLineEdit*>("Edit4"), &AcceptYHigh); }
void TForm2::Edit6Exit() { AcceptRangeBox(findChild<QLineEdit*>("Edit6"), &AcceptUsedSpectra); }

void TForm2::Edit3Exit() {
  std::string text;
  RefuseYLow(text);
  findChild<QLineEdit*>("Edit3")->setText(FromShiftJis(text));
}

}  // namespace specbridge::titration
