#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace specbridge {

// --- Text to number ---------------------------------------------------------

// Optional blanks, optional sign, digits with an optional "." (".5", "5." and
// "5.0" all count), optional exponent, optional blanks; nothing else. Only the
// blank of code 32 is allowed around the number. Overflow is refused.
// Throws ConversionError: "'1,5' is not a valid floating point value".
double TextToReal(std::string_view text);

// Optional leading blanks, optional sign, decimal digits, nothing after.
// Throws ConversionError: "'12 ' is not a valid integer value".
std::int32_t TextToInteger(std::string_view text);

// --- Number to text ---------------------------------------------------------
// The fixed and scientific forms round half away from zero on the exact binary
// value of the double (2.5 -> "3", 0.125 -> "0.13").

// Rounded to d decimals, "-" before negative values (also when they round to
// zero: "-0.000"), right-aligned in w characters; wider values take what they
// need. Magnitudes of 1E36 or more are written as SciReal(v, w).
std::string FixedReal(double v, int w, int d);

// Sign position, d.ddd, "E", exponent sign, four exponent digits; w - 8
// significant digits (2 to 18). SciReal(1.5, 12) == " 1.500E+0000".
std::string SciReal(double v, int w);

// Decimal digits, "-" for negatives, right-aligned in w characters.
std::string IntText(std::int64_t v, int w = 0);

// The shortest text of at most 15 significant digits: plain notation for
// 0.0001 <= |v| with at most 15 digits before the point, else "1.5E-5" or
// "2.5E20"; zero is "0".
std::string ShortReal(double v);
// The same text written at `out`, which has room for kShortRealCapacity
// characters; returns the end of the text. Bytes after the end, within the
// room, may be overwritten.
inline constexpr int kShortRealCapacity = 40;
char* WriteShortReal(double v, char* out);

// v rounded to d decimals but to no more than p significant digits (later
// decimals are zeros); no padding. More than p digits before the point give
// the scientific form of ShortReal with p digits.
std::string FixedText(double v, int p, int d);

}  // namespace specbridge
