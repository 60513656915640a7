#include "gui/QtText.hpp"

#include <gtest/gtest.h>

#include <string>

namespace specbridge {
namespace {

// Shift-JIS box texts through a widget and back.
TEST(QtTextTest, ShiftJisTextComesBackByteForByteOrShowsWhatIsLost) {
  const std::string wavelength = "\x94\x67\x92\xb7 nm";  // 波長 nm
  EXPECT_EQ(FromShiftJis(wavelength), QString::fromUtf8("\xe6\xb3\xa2\xe9\x95\xb7 nm"));
  EXPECT_EQ(ToShiftJis(FromShiftJis(wavelength)), wavelength);
  EXPECT_EQ(ToShiftJis(FromShiftJis("\xb1\xb2 x")), "\xb1\xb2 x");  // half-width kana
  // A text cut after the first byte of a character: the decoder alone drops
  // that byte, leaving no trace of the cut.
  EXPECT_EQ(FromShiftJis("ab\x81"), QString("ab") + QChar::ReplacementCharacter);
  const QChar equals(0xFF1D);  // the two bytes 81 81
  EXPECT_EQ(FromShiftJis("\x81\x81\x81"), QString(equals) + QChar::ReplacementCharacter);
  EXPECT_EQ(FromShiftJis("\x81\x81"), QString(equals));
  EXPECT_EQ(FromShiftJis("\x81\x7f\x81").back(), QChar::ReplacementCharacter);  // 7F ends no character
}

}  // namespace
}  // namespace specbridge
