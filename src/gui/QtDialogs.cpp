#include "gui/QtDialogs.hpp"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

#include "gui/QtText.hpp"

namespace specbridge {
namespace {

// "*.ASC" offers both spellings (Linux names are case-sensitive) and, as a
// second choice, every file.
QString FilterText(const std::string& pattern) {
  if (pattern.empty()) return QStringLiteral("All files (*)");
  const QString p = QString::fromStdString(pattern);
  return QStringLiteral("%1 files (%2 %3);;All files (*)").arg(p, p.toUpper(), p.toLower());
}

QString StartPath(const FileDialog& dialog) {
  if (dialog.fileName.is_absolute() || dialog.initialDirectory.empty()) return FromPath(dialog.fileName);
  return FromPath(dialog.initialDirectory / dialog.fileName);
}

std::optional<std::filesystem::path> Chosen(const QString& path) {
  if (path.isEmpty()) return std::nullopt;
  return ToPath(QDir::toNativeSeparators(path));
}

}  // namespace

std::optional<std::filesystem::path> QtDialogs::Open(FileDialog& dialog) {
  return Chosen(
      QFileDialog::getOpenFileName(parent_, QStringLiteral("Open"), StartPath(dialog), FilterText(dialog.filter)));
}

std::vector<std::filesystem::path> QtDialogs::OpenMany(FileDialog& dialog) {
  std::vector<std::filesystem::path> chosen;
  const QStringList paths =
      QFileDialog::getOpenFileNames(parent_, QStringLiteral("Open"), StartPath(dialog), FilterText(dialog.filter));
  for (const QString& path : paths) chosen.push_back(ToPath(QDir::toNativeSeparators(path)));
  return chosen;
}

std::optional<std::filesystem::path> QtDialogs::Save(FileDialog& dialog) {
  return Chosen(
      QFileDialog::getSaveFileName(parent_, QStringLiteral("Save"), StartPath(dialog), FilterText(dialog.filter)));
}

void QtDialogs::Message(std::string_view text) {
  QMessageBox::information(parent_, QStringLiteral("specbridge"), FromShiftJis(text));
}

void QtDialogs::Error(std::string_view text) {
  QMessageBox::critical(parent_, QStringLiteral("specbridge"), FromShiftJis(text));
}

}  // namespace specbridge
