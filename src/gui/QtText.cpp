#include "gui/QtText.hpp"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace specbridge {

QString FromShiftJis(std::string_view bytes) {
  QStringDecoder decoder("Shift_JIS");
  if (!decoder.isValid()) return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
  return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string ToShiftJis(const QString& text) {
  QStringEncoder encoder("Shift_JIS");
  if (!encoder.isValid()) return text.toLatin1().toStdString();
  const QByteArray bytes = encoder.encode(text);
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QString FromPath(const std::filesystem::path& path) {
#ifdef _WIN32
  return QString::fromStdWString(path.native());
#else
  return QFile::decodeName(QByteArray::fromStdString(path.native()));
#endif
}

std::filesystem::path ToPath(const QString& text) {
#ifdef _WIN32
  return std::filesystem::path(text.toStdWString());
#else
  return std::filesystem::path(QFile::encodeName(text).toStdString());
#endif
}

}  // namespace specbridge

#include <QLineEdit>

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
