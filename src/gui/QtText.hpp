#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace specbridge {

// Box texts and file contents are Shift-JIS bytes in the core; the widgets
// hold Unicode.
QString FromShiftJis(std::string_view bytes);
std::string ToShiftJis(const QString& text);

}  // namespace specbridge

class QWidget;

namespace specbridge {

class BoxTexts;

// Copies the texts of the form's edit boxes (QLineEdit children named as the
// boxes) into `boxes`, and back.
void ReadBoxTexts(const QWidget& form, BoxTexts& boxes);
void WriteBoxTexts(QWidget& form, const BoxTexts& boxes);

}  // namespace specbridge
