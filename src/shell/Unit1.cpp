#include "shell/Unit1.hpp"

#include <QApplication>
#include <QDialog>
#include <QFontDatabase>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include <algorithm>

#include "columns/Unit11.hpp"
#include "emission/Unit16.hpp"
#include "fix/Unit17.hpp"
#include "fix/Unit18.hpp"
#include "fix/Unit19.hpp"
#include "fix/fix_commands.hpp"
#include "gui/QtText.hpp"
#include "inspect/inspect.hpp"
#include "kinetics/Unit3.hpp"
#include "nir/Unit14.hpp"
#include "resave/Unit8.hpp"
#include "sheets/Unit10.hpp"
#include "shell/tool_guide.hpp"
#include "simple_kinetics/Unit7.hpp"
#include "titration/Unit2.hpp"

namespace specbridge::shell {
namespace {

// A concentration dialog whose OK runs one of the main window's conversions.
template <class Form, bool (TForm1::*conversion)()>
QWidget* MakeConcentrationDialog(const ToolSetting& setting) {
  return new Form([&main = setting.main] { return (main.*conversion)(); }, &setting.main);
}

// Every item of both menus but "Exit", in menu order. `order` is the
// start-up order of the windows: the kinetic-trace converter comes before
// the titration window, the rest by form number.
const ToolRow kTools[] = {
    {Menu::kFile, "Titration Experiments", "TitrationExperiments1", 3, &MakeWindow<titration::TForm2>, nullptr},
    {Menu::kFile, "Kinetic Traces", "KineticTraces1", 2, &MakeWindow<kinetics::TForm3>, nullptr},
    {Menu::kFile, "Kinetic Traces_Simpler", "KineticTracesSimpler1", 7, &MakeWindow<simple_kinetics::TForm7>, nullptr},
    {Menu::kFile, "Converting Epsiron Data (*a.dem)", "ConvertingEpsironData1", 0, nullptr,
     &TForm1::ConvertingEpsironData1Click},
    {Menu::kFile, "Generating FIX files for SPECFIT from *a.dem file", "Generating1", 0, nullptr,
     &TForm1::Generating1Click},
    {Menu::kFile, "Generating FIX files for SPECFIT from Multispec *.asc files No.1",
     "GeneratingFIXfilesforSPECFITfromMultispecascfiles1", 17,
     &MakeConcentrationDialog<fix::TForm17, &TForm1::Button1Click>, nullptr},
    {Menu::kFile, "Generating FIX files for SPECFIT from Multispec *.asc files No.2",
     "GeneratingFIXfilesforSPECFITfromMultispecascfilesNo21", 18,
     &MakeConcentrationDialog<fix::TForm18, &TForm1::Button2Click>, nullptr},
    {Menu::kFile,
     "Generating FIX files for SPECFIT from the ASCII Files of UVProbe (Shimadzu UV 2450, 3100PC, 3150PC) ",
     "GeneratingFIXfilesforSPECFITfromtheASCIIFilesofUVProbeShimadzuUV24503100PC3150PC1", 19,
     &MakeConcentrationDialog<fix::TForm19, &TForm1::Button3Click>, nullptr},
    {Menu::kFile, "Inspect...", "Inspect1", 0, nullptr, &TForm1::Inspect1Click},
    {Menu::kTools, "Converting ASCII Files from Multispec1500 and RF5300PC into 2D-Tab Sheets",
     "ConvertingASCIIFilesfromMultispec1500into2DTabSheets1", 10, &MakeWindow<sheets::TForm10>, nullptr},
    {Menu::kTools, "Correcting the Sensitivity of Detector Using W-Lamp Data (for RF5300PC)",
     "CorrectingtheSensitivityofDetectorUsingWLampDataforRF5300PC1", 16, &MakeWindow<emission::TForm16>, nullptr},
    {Menu::kTools, "Removing Irrelevant Lines in the NIR region (for Shimadzu UV3150K)",
     "RemovingIrrelevantLinesintheNIRregionforShimadzuUV3150K1", 14, &MakeWindow<nir::TForm14>, nullptr},
    {Menu::kTools, "Read 2D-sheet with Tabs and Resave Part of it", "Read2DsheetwithTabsandResavepartially1", 8,
     &MakeWindow<resave::TForm8>, nullptr},
    {Menu::kTools, "Multipurpose Tool for 2D-Sheet Data (Simple Math)", "MultipurposeToolfor2DSheetDataSimpleMath1", 11,
     &MakeWindow<columns::TForm11>, nullptr},
};

}  // namespace

std::span<const ToolRow> TForm1::Tools() { return kTools; }

TForm1::TForm1(DirectoryMemory& directories, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), directories_(directories), dialogs_(dialogs), files_(dialogs, directories) {
  setObjectName("TForm1");
  setWindowTitle(TitleLine());
  resize(1144, 565);

  auto* Image1 = new QWidget(this);
  Image1->setObjectName("Image1");
  Image1->setAutoFillBackground(true);
  Image1->setPalette(QPalette(Qt::white));
  setCentralWidget(Image1);

  // What the program is, for whoever opens it the first time.
  auto* Welcome1 = new QLabel(WelcomeText(kTools), Image1);
  Welcome1->setObjectName("Welcome1");
  Welcome1->setTextFormat(Qt::RichText);
  Welcome1->setWordWrap(true);
  Welcome1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Welcome1->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* layout = new QVBoxLayout(Image1);
  layout->setContentsMargins(24, 12, 24, 12);
  layout->addWidget(Welcome1);
  statusBar()->setObjectName("StatusBar1");

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

  QMenu* File1 = menuBar()->addMenu("&File");
  File1->setObjectName("File1");
  QMenu* Tools1 = menuBar()->addMenu("&Tools");
  Tools1->setObjectName("Tools1");
  QMenu* Help1 = menuBar()->addMenu("&Help");
  Help1->setObjectName("Help1");
  QAction* about = Help1->addAction("&About specbridge");
  about->setObjectName("About1");
  about->setStatusTip("Version, licence and Qt version");
  connect(about, &QAction::triggered, this, &TForm1::About1Click);

  // The tool windows, created hidden in their start-up order.
  std::vector<std::size_t> byOrder;
  for (std::size_t r = 0; r < std::size(kTools); ++r) {
    if (kTools[r].make != nullptr) byOrder.push_back(r);
  }
  std::stable_sort(byOrder.begin(), byOrder.end(),
                   [](std::size_t a, std::size_t b) { return kTools[a].order < kTools[b].order; });
  std::vector<QWidget*> windows(std::size(kTools), nullptr);
  const ToolSetting setting{directories_, dialogs_, *this};
  for (const std::size_t r : byOrder) windows[r] = kTools[r].make(setting);

  for (std::size_t r = 0; r < std::size(kTools); ++r) {
    AddItem(kTools[r].menu == Menu::kFile ? File1 : Tools1, kTools[r], windows[r]);
  }
  QAction* exit = File1->addAction("Exit");
  exit->setObjectName("Exit1");
  exit->setShortcut(QKeySequence::Quit);
  exit->setStatusTip("Closes every window and ends specbridge");
  connect(exit, &QAction::triggered, this, &TForm1::Exit1Click);
}

QString TForm1::TitleLine() {
  return QStringLiteral("specbridge — spectrophotometric data to SPECFIT (%1)").arg(SPECBRIDGE_RELEASE_MONTH);
}

QAction* TForm1::AddItem(QMenu* menu, const ToolRow& row, QWidget* window) {
  QAction* action = menu->addAction(row.caption);
  action->setObjectName(row.name);
  action->setStatusTip(ToolPurpose(row.name));
  if (window != nullptr) {
    connect(action, &QAction::triggered, this, [window] { ShowTool(window); });
  } else if (row.run != nullptr) {
    connect(action, &QAction::triggered, this, row.run);
  } else {
    action->setEnabled(false);  // a tool not built yet
  }
  return action;
}

void TForm1::ShowTool(QWidget* window) {
  window->show();
  window->raise();
  window->activateWindow();
}

void TForm1::Exit1Click() { QApplication::exit(0); }

void TForm1::About1Click() {
  // Not modal to the application: the tool windows stay usable.
  auto* box = new QMessageBox(QMessageBox::Information, "About specbridge", AboutText(), QMessageBox::Ok, this);
  box->setObjectName("AboutBox");
  box->setTextFormat(Qt::RichText);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->open();
}

namespace {

// One FIX conversion of a single spectrum; the concentration is the text of
// the dialog's Edit1.
bool ConvertSpectrum(Dialogs& dialogs, FileChooser& files, QPlainTextEdit* memo, const fix::ConcentrationForm* form,
                     fix::SpectrumKind kind) {
  fix::FixCommands commands(files);
  // The file as loaded, as the conversions always kept it.
  commands.onLoaded = [memo](std::string_view bytes) { memo->setPlainText(FromShiftJis(bytes)); };
  return RunCommand(dialogs, [&] { commands.GenerateFixFromSpectrum(kind, form->ConcentrationText()); });
}

}  // namespace

void TForm1::ConvertingEpsironData1Click() {
  RunCommand(dialogs_, [this] { fix::FixCommands(files_).ConvertEpsilonData(); });
}

void TForm1::Generating1Click() {
  RunCommand(dialogs_, [this] { fix::FixCommands(files_).GenerateFixFromEpsilon(); });
}

void TForm1::Inspect1Click() {
  RunCommand(dialogs_, [this] {
    const std::vector<std::filesystem::path> chosen = files_.OpenMany();
    if (chosen.empty()) return;
    std::string report;
    for (const std::filesystem::path& file : chosen) {
      report += (report.empty() ? "" : "\n") + inspect::ReportText(inspect::InspectFile(file, file.string()));
    }
    // Not modal: the reports stay beside the tool windows.
    auto* dialog = new QDialog(this);
    dialog->setObjectName("InspectDialog");
    dialog->setWindowTitle(QStringLiteral("Inspect"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    auto* text = new QPlainTextEdit(FromShiftJis(report), dialog);
    text->setObjectName("InspectText");
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(text);
    dialog->resize(960, 600);
    dialog->show();
  });
}

bool TForm1::Button1Click() {
  return ConvertSpectrum(dialogs_, files_, Memo1_, findChild<fix::ConcentrationForm*>("TForm17"),
                         fix::SpectrumKind::kMultiSpecRows);
}

bool TForm1::Button2Click() {
  return ConvertSpectrum(dialogs_, files_, Memo1_, findChild<fix::ConcentrationForm*>("TForm18"),
                         fix::SpectrumKind::kMultiSpecColumns);
}

bool TForm1::Button3Click() {
  return ConvertSpectrum(dialogs_, files_, Memo1_, findChild<fix::ConcentrationForm*>("TForm19"),
                         fix::SpectrumKind::kUvProbe);
}

}  // namespace specbridge::shell
