#include "kinetics/Unit3.hpp"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

#include "common/output_file.hpp"
#include "common/text.hpp"
#include "gui/QtExitEdit.hpp"
#include "gui/QtSpeciesPlot.hpp"
#include "gui/QtText.hpp"
#include "kinetics/Unit4.hpp"
#include "kinetics/Unit5.hpp"
#include "kinetics/Unit6.hpp"
#include "species/species.hpp"

namespace specbridge::kinetics {
namespace {

void ShowWindow(QWidget& window) {
  window.show();
  window.raise();
  window.activateWindow();
}

}  // namespace

int KineticGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : grid_->RowCount(); }

int KineticGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : grid_->ColumnCount();
}

QVariant KineticGridModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) return {};
  return FromShiftJis(grid_->Cell(index.column(), index.row()));
}

void KineticGridModel::Refresh() {
  beginResetModel();
  endResetModel();
}

TForm3::TForm3(DirectoryMemory& directories, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent, Qt::Window),
      dialogs_(dialogs),
      kineticDirectory_(directories),
      files_(dialogs, kineticDirectory_, "*.ASC") {
  setObjectName("TForm3");
  setWindowTitle("Generating 2D-Format Files for SPECFIT (kinetic traces; X/Z=2 & Model=4)");
  resize(1180, 760);
  form4_ = new TForm4(converter_, this);
  form5_ = std::make_unique<TForm5>(*this, views_.Trace());
  form6_ = std::make_unique<TForm6>(*this, views_.Spectra());

  const auto item = [this](QMenu* menu, const char* caption, const char* name, void (TForm3::*handler)()) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, [this, handler] { Run([&] { (this->*handler)(); }); });
    return action;
  };
  QMenu* file = menuBar()->addMenu("File");
  file->setObjectName("File1");
  item(file, "Open", "Open1", &TForm3::Open1Click)->setShortcut(QKeySequence::Open);
  item(file, "Save_SPECFIT_File", "Save1", &TForm3::Save1Click)->setShortcut(QKeySequence::Save);
  item(file, "Quit", "Exit1", &TForm3::Exit1Click);
  QMenu* conditions = menuBar()->addMenu("Conditions");
  conditions->setObjectName("Conditions1");
  item(conditions, "Comments etc.", "Commentsetc1", &TForm3::Commentsetc1Click);
  for (const auto& [caption, name, handler] :
       {std::tuple{"Kinetic_Trace", "KineticTrace1", &TForm3::KineticTrace1Click},
        std::tuple{"Spectral_Features", "SpectralFeatures1", &TForm3::SpectralFeatures1Click}}) {
    QAction* view = menuBar()->addAction(caption);
    view->setObjectName(name);
    connect(view, &QAction::triggered, this, [this, handler] { Run([&] { (this->*handler)(); }); });
  }

  auto* central = new QWidget(this);
  auto* columns = new QHBoxLayout(central);
  model_ = new KineticGridModel(converter_.Grid(), this);
  StringGrid1_ = new QTableView(central);
  StringGrid1_->setObjectName("StringGrid1");
  StringGrid1_->setModel(model_);
  StringGrid1_->horizontalHeader()->hide();
  StringGrid1_->verticalHeader()->hide();
  StringGrid1_->verticalHeader()->setDefaultSectionSize(15);
  StringGrid1_->horizontalHeader()->setDefaultSectionSize(64);
  StringGrid1_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  columns->addWidget(StringGrid1_, 1);
  columns->addWidget(BuildControls());
  setCentralWidget(central);
  ShowControls();
}

QSpinBox* TForm3::AddSpin(const char* name, QWidget* parent) {
  const SpinEdit& spin = converter_.Spin(name);
  auto* box = new QSpinBox(parent);
  box->setObjectName(name);
  box->setRange(spin.min, spin.max);
  box->setValue(spin.value);
  box->setFixedWidth(70);
  connect(box, &QSpinBox::valueChanged, this, [this, name](int value) { SpinEditChange(name, value); });
  return box;
}

QWidget* TForm3::BuildControls() {
  auto* panel = new QWidget(this);
  auto* layout = new QVBoxLayout(panel);
  const auto group = [&](const char* title, const char* name) {
    auto* box = new QGroupBox(title, panel);
    box->setObjectName(name);
    layout->addWidget(box);
    return new QGridLayout(box);
  };
  const auto edit = [this](const char* name, QWidget* parent, bool readOnly = false) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setFixedWidth(90);
    box->setReadOnly(readOnly);
    return box;
  };

  QGridLayout* time = group("Time_Control", "GroupBox1");
  time->addWidget(new QLabel("Dead_Time [sec]"), 0, 0);
  time->addWidget(edit("DeadTime", panel), 0, 1);
  time->addWidget(new QLabel("delta(Time) [sec]"), 1, 0);
  time->addWidget(edit("Interval", panel), 1, 1);
  auto* apply = new QPushButton("Apply", panel);
  apply->setObjectName("Apply1");
  connect(apply, &QPushButton::clicked, this, [this] { Run([&] { Apply1Click(); }); });
  time->addWidget(apply, 2, 1);

  QGridLayout* wavelengths = group("Wavelength_Settings", "GroupBox2");
  wavelengths->addWidget(new QLabel("Wavelength Range"), 0, 0, 1, 4);
  for (const auto& [name, column] : {std::pair{"nmlow", 0}, std::pair{"nmhigh", 2}}) {
    auto* limit = new ExitEdit(panel);
    limit->setObjectName(name);
    limit->setFixedWidth(80);
    const bool low = column == 0;
    connect(limit, &ExitEdit::Exited, this, [this, low] { Run([&] { low ? nmlowExit() : nmhighExit(); }); });
    wavelengths->addWidget(limit, 1, column);
  }
  wavelengths->addWidget(new QLabel("___"), 1, 1);
  wavelengths->addWidget(new QLabel("nm"), 1, 3);
  wavelengths->addWidget(new QLabel("Skipping Policy"), 2, 0, 1, 2);
  wavelengths->addWidget(AddSpin("SpinEdit2", panel), 2, 2);
  wavelengths->addWidget(new QLabel("Nw Points"), 3, 0, 1, 2);
  wavelengths->addWidget(edit("Points", panel, true), 3, 2, 1, 2);

  QGridLayout* omitting = group("Omitting_Process", "GroupBox3");
  omitting->addWidget(new QLabel("Omitting Unit"), 0, 0);
  omitting->addWidget(AddSpin("SpinEdit1", panel), 0, 1);
  omitting->addWidget(new QLabel("Lower_Cut_Off"), 1, 0);
  omitting->addWidget(AddSpin("SpinEdit3", panel), 1, 1);
  omitting->addWidget(new QLabel("Upper_Cut_Off"), 2, 0);
  omitting->addWidget(AddSpin("SpinEdit4", panel), 2, 1);
  // The previous cut-off values, kept out of sight.
  for (const char* name : {"SpinEdit5", "SpinEdit6"}) AddSpin(name, panel)->hide();

  QGridLayout* counts = group("No. of Data Points", "GroupBox4");
  counts->addWidget(new QLabel("Original Data"), 0, 0);
  counts->addWidget(edit("Total", panel, true), 0, 1);
  counts->addWidget(new QLabel("To be Saved"), 1, 0);
  counts->addWidget(edit("Part", panel, true), 1, 1);
  species_ = new SpeciesPlot(panel);
  layout->addWidget(species_);
  layout->addStretch(1);
  return panel;
}

TForm3::~TForm3() = default;

void TForm3::RunHandler(const std::function<void()>& body) {
  RunCommand(dialogs_, [&] {
    ReadBoxes();
    body();
  });
  ShowControls();
}

void TForm3::ReadBoxes() {
  ReadBoxTexts(*this, converter_.Boxes());
  form4_->ReadBoxes();
  form5_->ReadBoxes();
  form6_->ReadBoxes();
}

void TForm3::ShowControls() {
  WriteBoxTexts(*this, converter_.Boxes());
  form4_->ShowBoxes();
  for (const char* name : {"SpinEdit1", "SpinEdit2", "SpinEdit3", "SpinEdit4", "SpinEdit5", "SpinEdit6"}) {
    auto* box = findChild<QSpinBox*>(name);
    const QSignalBlocker quiet(box);
    box->setValue(converter_.SpinValue(name));
  }
  model_->Refresh();
  form5_->ShowControls();
  form6_->ShowControls();
  // A handler may have changed the selection; an unchanged one is not decomposed again.
  if (!converter_.State().KineticFileName.empty()) {
    species_->Update([this] { return species::KineticMatrix(converter_); });
  }
}

void TForm3::Open1Click() {
  const auto chosen = files_.Open({.startIn = StartIn::kCurrentDirectory});
  if (!chosen) return;
  converter_.Open(ReadFileBytes(*chosen), chosen->string());
  inputs_ = {*chosen};
}

void TForm3::Save1Click() {
  for (const std::string_view message : converter_.SaveMessages()) dialogs_.Message(message);
  if (!converter_.SaveGuardPassed()) return;
  const auto chosen = files_.Save({.proposed = converter_.ProposedSaveName(), .inputs = inputs_});
  if (!chosen) return;
  WriteFileAtomically(*chosen, converter_.SaveBytes());
}

void TForm3::Exit1Click() {
  form4_->hide();
  form5_->hide();
  form6_->hide();
  hide();
}

void TForm3::Commentsetc1Click() { ShowWindow(*form4_); }

void TForm3::KineticTrace1Click() {
  ShowWindow(*form5_);
  views_.KineticTrace1Click();
}

void TForm3::SpectralFeatures1Click() {
  ShowWindow(*form6_);
  views_.SpectralFeatures1Click();
}

void TForm3::Apply1Click() { converter_.Apply1Click(); }

void TForm3::nmlowExit() { converter_.nmlowExit(); }

void TForm3::nmhighExit() { converter_.nmhighExit(); }

void TForm3::SpinEditChange(const char* name, int value) {
  Run([&] { converter_.SetSpin(name, value); });
}

}  // namespace specbridge::kinetics
