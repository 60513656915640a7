#pragma once

#include <QDialog>
#include <functional>
#include <string>

class QLineEdit;
class QPushButton;

namespace specbridge::fix {

// The make-up shared by the three concentration dialogs: "Concentration ="
// Edit1 "(mol/l)", OK and Cancel. Shown modeless; OK hands the typed molar
// concentration to a conversion of the main window.
class ConcentrationForm : public QDialog {
  Q_OBJECT

 public:
  // `conversion` runs the main window's conversion; it returns false when the
  // conversion stopped with an error.
  ConcentrationForm(const QString& objectName, const QString& title, std::function<bool()> conversion,
                    QWidget* parent = nullptr);

  // Edit1 as the core reads boxes (Shift-JIS bytes).
  std::string ConcentrationText() const;

  // OK: nothing while Edit1 is empty; otherwise the conversion, then the
  // dialog hides unless the conversion failed.
  void Button1Click();
  // Cancel.
  void Button2Click();

 private:
  std::function<bool()> conversion_;
  QLineEdit* Edit1_ = nullptr;
};

// Concentration for the MultiSpec FIX generator No.1.
class TForm17 : public ConcentrationForm {
  Q_OBJECT

 public:
  explicit TForm17(std::function<bool()> conversion, QWidget* parent = nullptr);
};

}  // namespace specbridge::fix
