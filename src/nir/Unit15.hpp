#pragma once

#include <QDialog>
#include <cstddef>
#include <functional>

class QLabel;

namespace specbridge::nir {

// "Reconfirmation Dialog": how many files the cleaning would rewrite, with
// OK and Cancel. Modeless; it may be answered at any later time.
class TForm15 : public QDialog {
  Q_OBJECT

 public:
  // `doIt` runs the processing (the main tool window's DoItClick).
  explicit TForm15(std::function<void()> doIt, QWidget* parent = nullptr);

  // "There are N Files to be Processed with this!"
  void SetCount(std::size_t count);

  // OK: hide, show the tool window, process.
  void OKClick();
  // Cancel: hide; nothing is processed.
  void CancelClick();

 private:
  std::function<void()> doIt_;
  QLabel* Label1_ = nullptr;
};

}  // namespace specbridge::nir
