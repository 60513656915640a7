#pragma once

#include <QString>
#include <filesystem>
#include <string>
#include <string_view>

namespace specbridge {

// Box texts and file contents are Shift-JIS bytes in the core; the widgets
// hold Unicode.
QString FromShiftJis(std::string_view bytes);
std::string ToShiftJis(const QString& text);

// Paths are no box text: they keep the file system's own encoding and are
// converted here only, where a widget or a Qt dialog shows or returns one.
QString FromPath(const std::filesystem::path& path);
std::filesystem::path ToPath(const QString& text);

}  // namespace specbridge

class QWidget;

namespace specbridge {

class BoxTexts;

// Copies the texts of the form's edit boxes (QLineEdit children named as the
// boxes) into `boxes`, and back.
void ReadBoxTexts(const QWidget& form, BoxTexts& boxes);
void WriteBoxTexts(QWidget& form, const BoxTexts& boxes);

}  // namespace specbridge
