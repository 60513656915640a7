#pragma once

#include <filesystem>
#include <set>
#include <vector>

#include "emission/emission_set.hpp"
#include "sheets/SpectrumWindow.hpp"

class QTableWidget;

namespace specbridge::emission {

// The emission correction: the lists and plot of the sheet converter, each
// spectrum on its own axis, plus the lamp factor (read the lamp spectrum,
// generate, save, select) and its application to the working spectra.
class TForm16 : public sheets::SpectrumWindow<EmissionSet> {
  Q_OBJECT

 public:
  TForm16(DirectoryMemory& directories, Dialogs& dialogs, QWidget* parent = nullptr);

  // "File"
  void Open1Click() override;
  void Save1Click() override;
  // "Wfactor"
  void ReadWData1Click();
  void GenerateWFactor1Click();
  void SaveWFactor1Click();
  // "Correct_Emission"
  void SelectWFactor1Click();
  void ApplyCorrection1Click();
  void SaveCorrected1Click();

  const LampGrid& Grid() const { return grid_; }

 private:
  // ReadEmissionFile on the file at `path`; NUL warnings go to a message box.
  Reader FileRead(const std::filesystem::path& path) override;
  void ShowLampGrid();
  // The files read that the window still shows: no save may replace one.
  std::vector<std::filesystem::path> Inputs() const;
  void Warn(std::string_view text) { files_.Message(text); }

  LampGrid grid_;
  std::set<std::filesystem::path> read_;  // every file a reader accepted
  QTableWidget* StringGrid3_ = nullptr;
};

}  // namespace specbridge::emission
