#include "sheets/Unit10.hpp"

#include <QHBoxLayout>

#include "common/output_file.hpp"
#include "common/text.hpp"

namespace specbridge::sheets {

TForm10::TForm10(DirectoryMemory& directories, Dialogs& dialogs, QWidget* parent)
    : SpectrumWindow("TForm10",
                     "Converting Spectral Data into Tab-2D (for Shimadzu MultiSpec1500 (*.ASC) and RF5300PC only) "
                     "(Not for SPECFIT)",
                     directories, dialogs, parent) {
  auto* central = new QWidget(this);
  auto* columns = new QHBoxLayout(central);
  columns->addWidget(lists_);
  setCentralWidget(central);
}

TForm10::Reader TForm10::FileRead(const std::filesystem::path& path) {
  return [this, path](SpectrumSet& set, int k, bool added) {
    return ReadSpectrumBytes(set, ReadFileBytes(path), path.filename().string(), k, added,
                             [this](std::string_view text) { files_.Message(text); });
  };
}

void TForm10::Open1Click() {
  const auto chosen = files_.Open({.startIn = StartIn::kCurrentDirectory});
  if (!chosen) return;
  // The list follows the chosen file even when the file is refused.
  OpenChosen(*chosen, SheetDirectoryList(chosen->parent_path(), *chosen));
}

void TForm10::Save1Click() {
  if (set_->SpectrumCount <= 0) return;
  const auto chosen = files_.Save({.proposed = DefaultSheetName(*set_), .inputs = WorkingPaths()});
  if (!chosen) return;
  set_->SheetPath = *chosen;
  WriteFileAtomically(*chosen, WriteTabSheet(*set_));
}

}  // namespace specbridge::sheets
