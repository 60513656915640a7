#pragma once

#include <filesystem>

#include "sheets/SpectrumWindow.hpp"
#include "sheets/spectrum_set.hpp"

namespace specbridge::sheets {

// The spectral sheet converter: single spectra gathered from the working
// directory into a working list, reordered, plotted and saved side by side
// as a tab-separated sheet.
class TForm10 : public SpectrumWindow<SpectrumSet> {
  Q_OBJECT

 public:
  TForm10(DirectoryMemory& directories, Dialogs& dialogs, QWidget* parent = nullptr);

  // "File"
  void Open1Click() override;
  void Save1Click() override;

 private:
  // ReadSpectrumFile on the file at `path`; NUL warnings go to a message box.
  Reader FileRead(const std::filesystem::path& path) override;
};

}  // namespace specbridge::sheets
