#include "emission/Unit16.hpp"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenuBar>
#include <QTableWidget>

#include "common/output_file.hpp"
#include "common/text.hpp"
#include "sheets/spectrum_set.hpp"

namespace specbridge::emission {

TForm16::TForm16(DirectoryMemory& directories, Dialogs& dialogs, QWidget* parent)
    : SpectrumWindow("TForm16",
                     "Detector-Sensitivity Correction of Emission Spectra Recorded on a Shimadzu RF5300PC Based on a "
                     "Standard Tungsten Lamp Spectrum",
                     directories, dialogs, parent) {
  QMenu* factor = menuBar()->addMenu("Wfactor");
  factor->setObjectName("Wfactor1");
  AddCommand(factor, "Read_WData", "ReadWData1", [this] { ReadWData1Click(); });
  AddCommand(factor, "Generate_WFactor", "GenerateWFactor1", [this] { GenerateWFactor1Click(); });
  AddCommand(factor, "Save_WFactor", "SaveWFactor1", [this] { SaveWFactor1Click(); });
  QMenu* correct = menuBar()->addMenu("Correct_Emission");
  correct->setObjectName("CorrectEmission1");
  AddCommand(correct, "Select_WFactor", "SelectWFactor1", [this] { SelectWFactor1Click(); });
  AddCommand(correct, "Apply_Correction", "ApplyCorrection1", [this] { ApplyCorrection1Click(); });
  AddCommand(correct, "Save_Corrected", "SaveCorrected1", [this] { SaveCorrected1Click(); });

  // The lamp data: wavelength, lamp intensity, factor.
  StringGrid3_ = new QTableWidget(0, 3, this);
  StringGrid3_->setObjectName("StringGrid3");
  StringGrid3_->horizontalHeader()->hide();
  StringGrid3_->verticalHeader()->hide();
  StringGrid3_->verticalHeader()->setDefaultSectionSize(18);
  // Room for the 12-character texts of intensity and factor.
  for (const auto& [column, width] : {std::pair{0, 64}, {1, 104}, {2, 104}}) {
    StringGrid3_->setColumnWidth(column, width);
  }
  StringGrid3_->setFixedWidth(64 + 2 * 104 + 24);
  StringGrid3_->setEditTriggers(QAbstractItemView::NoEditTriggers);

  auto* central = new QWidget(this);
  auto* columns = new QHBoxLayout(central);
  columns->addWidget(lists_);
  columns->addWidget(StringGrid3_);
  setCentralWidget(central);
  resize(1250, 720);
}

TForm16::Reader TForm16::FileRead(const std::filesystem::path& path) {
  return [this, path](EmissionSet& set, int k, bool added) {
    const bool accepted = ReadEmissionBytes(set, ReadFileBytes(path), path.filename().string(), k, added,
                                            [this](std::string_view text) { Warn(text); });
    if (accepted) read_.insert(path);
    return accepted;
  };
}

std::vector<std::filesystem::path> TForm16::Inputs() const {
  std::vector<std::filesystem::path> inputs;
  for (int k = 1; k <= set_->SpectrumCount; ++k) {
    if (read_.contains(set_->Path(k))) inputs.push_back(set_->Path(k));
  }
  if (!set_->Path(kFactorSlot).empty()) inputs.push_back(set_->Path(kFactorSlot));
  return inputs;
}

void TForm16::ShowLampGrid() {
  StringGrid3_->setRowCount(static_cast<int>(grid_.size()));
  for (std::size_t r = 0; r < grid_.size(); ++r) {
    for (std::size_t c = 0; c < 3; ++c) {
      StringGrid3_->setItem(static_cast<int>(r), static_cast<int>(c),
                            new QTableWidgetItem(QString::fromStdString(grid_[r][c])));
    }
  }
}

void TForm16::Open1Click() {
  const auto chosen = files_.Open();
  if (!chosen) return;
  // Every entry of the directory, directories too.
  OpenChosen(*chosen, sheets::ListDirectory(chosen->parent_path(), {""}, true));
}

void TForm16::Save1Click() {
  if (set_->SpectrumCount <= 0) return;
  const auto chosen = files_.Save({.proposed = sheets::DefaultSheetName(set_->Path(1)), .inputs = Inputs()});
  if (!chosen) return;
  set_->SheetPath = *chosen;
  WriteFileAtomically(*chosen, WriteGroupedSheet(*set_, 1, set_->SpectrumCount));
}

void TForm16::ReadWData1Click() {
  Open1Click();
  // After a cancelled dialog the grid shows the last working spectrum.
  ShowLampData(*set_, grid_);
  ShowLampGrid();
}

void TForm16::GenerateWFactor1Click() {
  if (!GenerateWFactor(*set_, grid_)) return;
  ShowLampGrid();
  DrawSpec();
  RefleshWorkFile();
}

void TForm16::SaveWFactor1Click() {
  // Refused before the dialog unless working spectrum 2 is a generated factor.
  const std::string text = WFactorText(*set_);
  const auto chosen = files_.Save({.proposed = set_->Path(1).string() + ".wfc", .inputs = Inputs(), .remember = false});
  if (!chosen) return;
  WriteFileAtomically(*chosen, text);
  set_->Path(2) = *chosen;
  RefleshWorkFile();
}

void TForm16::SelectWFactor1Click() {
  const auto chosen = files_.Open({.remember = false});
  if (!chosen) return;
  SelectWFactorBytes(*set_, ReadFileBytes(*chosen), *chosen, grid_, [this](std::string_view text) { Warn(text); });
  ShowLampGrid();
}

void TForm16::ApplyCorrection1Click() {
  if (!ApplyCorrection(*set_, [this](std::string_view text) { Warn(text); })) return;
  DrawSpec();
  RefleshWorkFile();
}

void TForm16::SaveCorrected1Click() {
  if (set_->SpectrumCount <= 0) return;
  const std::string text = CorrectedSheet(*set_);
  const auto chosen =
      files_.Save({.proposed = set_->Path(set_->CorrectedFrom + 1), .inputs = Inputs(), .remember = false});
  if (!chosen) return;
  set_->SheetPath = *chosen;
  WriteFileAtomically(*chosen, text);
}

}  // namespace specbridge::emission
