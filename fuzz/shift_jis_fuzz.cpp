// Any bytes as Shift-JIS box text or file content, shown in a widget and
// typed back: decoding never fails, and text that decodes without a
// replacement (U+FFFD, or the converter's substitute U+001A) comes back as the
// same characters. Not always as the same bytes: the NEC and IBM extension
// rows hold the same characters twice (EE 80 and FB 9C), and encoding picks
// one of the two codes.
#include <QString>
#include <string_view>

#include "fuzz_support.hpp"
#include "gui/QtText.hpp"

using specbridge::fuzz::Check;

SPECBRIDGE_FUZZ_TARGET(bytes) {
  const QString shown = specbridge::FromShiftJis(bytes);
  const std::string typed = specbridge::ToShiftJis(shown);
  if (!shown.contains(QChar::ReplacementCharacter) && !shown.contains(QChar(0x1A))) {
    Check(specbridge::FromShiftJis(typed) == shown);
  }
  // Typing what is shown again changes nothing more.
  Check(specbridge::ToShiftJis(specbridge::FromShiftJis(typed)) == typed);
  // A path the system can show (UTF-8) keeps its bytes through the Qt seam;
  // any other comes back the same on its second trip.
  const std::string name(bytes.substr(0, bytes.find('\0')));
  const QString shownPath = specbridge::FromPath(name);
  const std::filesystem::path back = specbridge::ToPath(shownPath);
  if (!shownPath.contains(QChar::ReplacementCharacter)) Check(back.native() == name);
  Check(specbridge::ToPath(specbridge::FromPath(back)) == back);
}
