#include "gui/QtText.hpp"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace specbridge {

namespace {

// Whether the text ends with the first byte of a two-byte character: the
// decoder drops such a byte without a trace.
bool EndsInsideCharacter(std::string_view bytes) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    const bool lead = (0x81 <= c && c <= 0x9F) || (0xE0 <= c && c <= 0xFC);
    if (!lead) {
      ++i;
    } else if (i + 1 == bytes.size()) {
      return true;
    } else {
      const auto t = static_cast<unsigned char>(bytes[i + 1]);
      i += (0x40 <= t && t <= 0xFC && t != 0x7F) ? 2 : 1;
    }
  }
  return false;
}

}  // namespace

QString FromShiftJis(std::string_view bytes) {
  QStringDecoder decoder("Shift_JIS", QStringConverter::Flag::Stateless);
  if (!decoder.isValid()) return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QString text = decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
  // A text cut inside a character shows the cut.
  if (EndsInsideCharacter(bytes)) text += QChar::ReplacementCharacter;
  return text;
}

std::string ToShiftJis(const QString& text) {
  QStringEncoder encoder("Shift_JIS", QStringConverter::Flag::Stateless);
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
