#pragma once

#include <QWidget>

#include "common/dialogs.hpp"

namespace specbridge {

// The dialogs seam on QFileDialog and QMessageBox.
class QtDialogs : public Dialogs {
 public:
  explicit QtDialogs(QWidget* parent) : parent_(parent) {}
  std::optional<std::filesystem::path> Open(FileDialog& dialog) override;
  std::optional<std::filesystem::path> Save(FileDialog& dialog) override;
  std::vector<std::filesystem::path> OpenMany(FileDialog& dialog) override;
  void Message(std::string_view text) override;
  void Error(std::string_view text) override;

 private:
  QWidget* parent_;
};

}  // namespace specbridge
