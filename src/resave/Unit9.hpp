#pragma once

#include <QDialog>

namespace specbridge::resave {

// "Help for Partial Saving Routine": how to mark, unmark and save.
class TForm9 : public QDialog {
  Q_OBJECT

 public:
  explicit TForm9(QWidget* parent = nullptr);

  // OK: hides the help and shows the sheet window.
  void Button1Click();
};

}  // namespace specbridge::resave
