#include "shell/Unit1.hpp"

#include <QApplication>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

#include "common/QtText.hpp"
#include "fix/Unit17.hpp"
#include "fix/Unit18.hpp"
#include "fix/Unit19.hpp"
#include "fix/fix_commands.hpp"
#include "titration/Unit2.hpp"

namespace specbridge::shell {

TForm1::TForm1(DirectoryMemory& directories, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), directories_(directories), dialogs_(dialogs) {
  setObjectName("TForm1");
  setWindowTitle(TitleLine());
  resize(1144, 565);

  auto* Image1 = new QWidget(this);
  Image1->setObjectName("Image1");
  Image1->setAutoFillBackground(true);
  Image1->setPalette(QPalette(Qt::white));
  setCentralWidget(Image1);

  // Hidden helpers of the FIX conversions.
  Memo1_ = new QPlainTextEdit(Image1);
  Memo1_->setObjectName("Memo1");
  Memo1_->hide();
  Button1_ = new QPushButton(Image1);
  Button2_ = new QPushButton(Image1);
  Button3_ = new QPushButton(Image1);
  Button1_->setObjectName("Button1");
  Button2_->setObjectName("Button2");
  Button3_->setObjectName("Button3");
  for (QPushButton* button : {Button1_, Button2_, Button3_}) button->hide();
  connect(Button1_, &QPushButton::clicked, this, &TForm1::Button1Click);
  connect(Button2_, &QPushButton::clicked, this, &TForm1::Button2Click);
  connect(Button3_, &QPushButton::clicked, this, &TForm1::Button3Click);

  QMenu* File1 = menuBar()->addMenu("File");
  File1->setObjectName("File1");
  AddItem(File1, "Titration Experiments", "TitrationExperiments1", &TForm1::TitrationExperiments1Click);
  AddItem(File1, "Kinetic Traces", "KineticTraces1", nullptr);
  AddItem(File1, "Kinetic Traces_Simpler", "KineticTracesSimpler1", nullptr);
  AddItem(File1, "Converting Epsiron Data (*a.dem)", "ConvertingEpsironData1", &TForm1::ConvertingEpsironData1Click);
  AddItem(File1, "Generating FIX files for SPECFIT from *a.dem file", "Generating1", &TForm1::Generating1Click);
  AddItem(File1, "Generating FIX files for SPECFIT from Multispec *.asc files No.1",
          "GeneratingFIXfilesforSPECFITfromMultispecascfiles1",
          &TForm1::GeneratingFIXfilesforSPECFITfromMultispecascfiles1Click);
  AddItem(File1, "Generating FIX files for SPECFIT from Multispec *.asc files No.2",
          "GeneratingFIXfilesforSPECFITfromMultispecascfilesNo21",
          &TForm1::GeneratingFIXfilesforSPECFITfromMultispecascfilesNo21Click);
  AddItem(File1, "Generating FIX files for SPECFIT from the ASCII Files of UVProbe (Shimadzu UV 2450, 3100PC, 3150PC) ",
          "GeneratingFIXfilesforSPECFITfromtheASCIIFilesofUVProbeShimadzuUV24503100PC3150PC1",
          &TForm1::GeneratingFIXfilesforSPECFITfromtheASCIIFilesofUVProbeShimadzuUV24503100PC3150PC1Click);
  QAction* exit = AddItem(File1, "Exit", "Exit1", &TForm1::Exit1Click);
  exit->setShortcut(QKeySequence::Quit);

  QMenu* Tools1 = menuBar()->addMenu("Tools");
  Tools1->setObjectName("Tools1");
  AddItem(Tools1, "Converting ASCII Files from Multispec1500 and RF5300PC into 2D-Tab Sheets",
          "ConvertingASCIIFilesfromMultispec1500into2DTabSheets1", nullptr);
  AddItem(Tools1, "Correcting the Sensitivity of Detector Using W-Lamp Data (for RF5300PC)",
          "CorrectingtheSensitivityofDetectorUsingWLampDataforRF5300PC1", nullptr);
  AddItem(Tools1, "Removing Irrelevant Lines in the NIR region (for Shimadzu UV3150K)",
          "RemovingIrrelevantLinesintheNIRregionforShimadzuUV3150K1", nullptr);
  AddItem(Tools1, "Read 2D-sheet with Tabs and Resave Part of it", "Read2DsheetwithTabsandResavepartially1", nullptr);
  AddItem(Tools1, "Multipurpose Tool for 2D-Sheet Data (Simple Math)", "MultipurposeToolfor2DSheetDataSimpleMath1",
          nullptr);

  // Tool windows, created hidden in this order: TForm3, TForm2, TForm4 ... TForm19.
  Form2_ = new titration::TForm2(directories_, dialogs_, this);
  Form17_ = new fix::TForm17([this] { return Button1Click(); }, this);
  Form18_ = new fix::TForm18([this] { return Button2Click(); }, this);
  Form19_ = new fix::TForm19([this] { return Button3Click(); }, this);
}

QString TForm1::TitleLine() {
  return QStringLiteral("specbridge — spectrophotometric data to SPECFIT (%1)").arg(SPECBRIDGE_RELEASE_MONTH);
}

// A tool whose window is not built yet keeps its item disabled.
QAction* TForm1::AddItem(QMenu* menu, const QString& caption, const QString& name, void (TForm1::*handler)()) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(name);
  if (handler != nullptr) {
    connect(action, &QAction::triggered, this, handler);
  } else {
    action->setEnabled(false);
  }
  return action;
}

void TForm1::ShowTool(QWidget* window) {
  window->show();
  window->raise();
  window->activateWindow();
}

void TForm1::TitrationExperiments1Click() { ShowTool(Form2_); }

void TForm1::Exit1Click() { QApplication::exit(0); }

namespace {

// One FIX conversion of a single spectrum; the concentration is the text of
// the dialog's Edit1.
bool ConvertSpectrum(Dialogs& dialogs, fix::FixCommands commands, QPlainTextEdit* memo,
                     const fix::ConcentrationForm* form, fix::SpectrumKind kind) {
  // The file as loaded, as the conversions always kept it.
  commands.onLoaded = [memo](std::string_view bytes) { memo->setPlainText(FromShiftJis(bytes)); };
  return RunCommand(dialogs, [&] { commands.GenerateFixFromSpectrum(kind, form->ConcentrationText()); });
}

}  // namespace

void TForm1::ConvertingEpsironData1Click() {
  RunCommand(dialogs_,
             [this] { fix::FixCommands(dialogs_, directories_, OpenDialog1_, SaveDialog1_).ConvertEpsilonData(); });
}

void TForm1::Generating1Click() {
  RunCommand(dialogs_,
             [this] { fix::FixCommands(dialogs_, directories_, OpenDialog1_, SaveDialog1_).GenerateFixFromEpsilon(); });
}

void TForm1::GeneratingFIXfilesforSPECFITfromMultispecascfiles1Click() { ShowTool(Form17_); }

void TForm1::GeneratingFIXfilesforSPECFITfromMultispecascfilesNo21Click() { ShowTool(Form18_); }

void TForm1::GeneratingFIXfilesforSPECFITfromtheASCIIFilesofUVProbeShimadzuUV24503100PC3150PC1Click() {
  ShowTool(Form19_);
}

bool TForm1::Button1Click() {
  return ConvertSpectrum(dialogs_, {dialogs_, directories_, OpenDialog1_, SaveDialog1_}, Memo1_, Form17_,
                         fix::SpectrumKind::kMultiSpecRows);
}

bool TForm1::Button2Click() {
  return ConvertSpectrum(dialogs_, {dialogs_, directories_, OpenDialog1_, SaveDialog1_}, Memo1_, Form18_,
                         fix::SpectrumKind::kMultiSpecColumns);
}

bool TForm1::Button3Click() {
  return ConvertSpectrum(dialogs_, {dialogs_, directories_, OpenDialog1_, SaveDialog1_}, Memo1_, Form19_,
                         fix::SpectrumKind::kUvProbe);
}

}  // namespace specbridge::shell
