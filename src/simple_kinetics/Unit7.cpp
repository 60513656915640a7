#include "simple_kinetics/Unit7.hpp"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/output_file.hpp"
#include "common/text.hpp"
#include "gui/QtText.hpp"
#include "simple_kinetics/exclusion.hpp"

namespace specbridge::simple_kinetics {

TForm7::TForm7(DirectoryMemory& directories, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent, Qt::Window), dialogs_(dialogs), files_(dialogs, directories, "*.ASC") {
  setObjectName("TForm7");
  setWindowTitle("Reads a Kinetic Trace in ASCII from Shimadzu Multispec1500 and Saves a 2D-format File in Model=4");
  resize(520, 440);

  QMenu* file = menuBar()->addMenu("File");
  file->setObjectName("File1");
  const auto item = [this, file](const char* caption, const char* name, void (TForm7::*handler)(),
                                 const QKeySequence& keys) {
    QAction* action = file->addAction(caption);
    action->setObjectName(name);
    action->setShortcut(keys);
    connect(action, &QAction::triggered, this, [this, handler] { RunCommand(dialogs_, [&] { (this->*handler)(); }); });
  };
  item("Open", "Open1", &TForm7::Open1Click, QKeySequence::Open);
  item("Save", "Save1", &TForm7::Save1Click, QKeySequence::Save);
  item("Quit", "Quit1", &TForm7::Quit1Click, QKeySequence::Close);

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);

  auto* rules = new QGroupBox("Omitting Rules", central);
  rules->setObjectName("GroupBox1");
  auto* rulesGrid = new QGridLayout(rules);
  for (int row = 0; row < static_cast<int>(kSectionBoxes.size()); ++row) {
    rulesGrid->addWidget(new QLabel(QString::fromLatin1(kSectionCaptions[row]), rules), row, 0);
    rulesGrid->addWidget(AddBox(kSectionBoxes[row].data(), rules), row, 1);
  }
  layout->addWidget(rules);

  auto* range = new QGroupBox("Change the range of Wavelength", central);
  range->setObjectName("GroupBox2");
  auto* rangeRow = new QHBoxLayout(range);
  rangeRow->addWidget(AddBox("MIN", range));
  rangeRow->addWidget(new QLabel("___", range));
  rangeRow->addWidget(AddBox("MAX", range));
  rangeRow->addWidget(new QLabel("nm", range));
  rangeRow->addStretch(1);
  layout->addWidget(range);

  auto* results = new QGroupBox("Switch and Results", central);
  results->setObjectName("GroupBox3");
  auto* resultsGrid = new QGridLayout(results);
  resultsGrid->addWidget(new QLabel("Total Data", results), 0, 0);
  resultsGrid->addWidget(AddBox("Edit1", results), 0, 1);
  resultsGrid->addWidget(new QLabel("For Saving", results), 1, 0);
  resultsGrid->addWidget(AddBox("Edit2", results), 1, 1);
  auto* exclusion = new QPushButton("Conduct Exclusion", results);
  exclusion->setObjectName("Button1");
  connect(exclusion, &QPushButton::clicked, this, [this] { RunCommand(dialogs_, [&] { Button1Click(); }); });
  resultsGrid->addWidget(exclusion, 0, 2, 2, 1);
  resultsGrid->setColumnStretch(3, 1);
  layout->addWidget(results);
  layout->addStretch(1);

  // The proposed output path; never shown.
  SaveFile_ = new QLineEdit(central);
  SaveFile_->setObjectName("SaveFile");
  SaveFile_->hide();

  setCentralWidget(central);
  ShowBoxes();
}

QLineEdit* TForm7::AddBox(const char* name, QWidget* parent, int width) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(name);
  box->setFixedWidth(width);
  return box;
}

void TForm7::SyncBoxesFromWidgets() { ReadBoxTexts(*this, converter_.Boxes()); }

void TForm7::ShowBoxes() {
  WriteBoxTexts(*this, converter_.Boxes());
  SaveFile_->setText(QString::fromStdString(converter_.SaveFile().string()));
}

void TForm7::Open1Click() {
  const auto chosen = files_.Open({.startIn = StartIn::kCurrentDirectory});
  if (!chosen) return;
  SyncBoxesFromWidgets();
  converter_.Open(ReadFileBytes(*chosen), *chosen);
  inputs_ = {*chosen};
  ShowBoxes();
}

void TForm7::Button1Click() {
  SyncBoxesFromWidgets();
  converter_.Button1Click();
  ShowBoxes();
}

void TForm7::Save1Click() {
  // Nothing to write: no dialog either.
  if (converter_.Data().Empty()) throw NoTraceData(std::string(kNoTraceData));
  SyncBoxesFromWidgets();
  // The dialog starts in SaveFile's directory and proposes its name.
  const std::filesystem::path& proposed = converter_.SaveFile();
  const auto chosen =
      files_.Save({.proposed = proposed.filename(), .inputs = inputs_, .startDirectory = proposed.parent_path()});
  if (!chosen) return;
  WriteFileAtomically(*chosen, converter_.SaveBytes());
}

void TForm7::Quit1Click() {
  converter_.Quit1Click();
  inputs_.clear();
  hide();
}

}  // namespace specbridge::simple_kinetics
