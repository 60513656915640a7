// The widget half of QtText.hpp, apart so that the text conversions need Qt
// Core only.
#include <QLineEdit>

#include "gui/QtText.hpp"

#include "common/boxes.hpp"

namespace specbridge {

void ReadBoxTexts(const QWidget& form, BoxTexts& boxes) {
  for (const auto& box : boxes.All()) {
    if (const auto* edit = form.findChild<QLineEdit*>(QString::fromStdString(box.name))) {
      boxes.Set(box.name, ToShiftJis(edit->text()));
    }
  }
}

void WriteBoxTexts(QWidget& form, const BoxTexts& boxes) {
  for (const auto& box : boxes.All()) {
    if (auto* edit = form.findChild<QLineEdit*>(QString::fromStdString(box.name))) {
      edit->setText(FromShiftJis(box.text));
    }
  }
}

}  // namespace specbridge
