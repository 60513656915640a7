#include "common/numbers.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>

#include "common/errors.hpp"

namespace specbridge {
namespace {

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

[[noreturn]] void NotAReal(std::string_view text) {
  throw ConversionError(QuoteText(text) + " is not a valid floating point value");
}

[[noreturn]] void NotAnInteger(std::string_view text) {
  throw ConversionError(QuoteText(text) + " is not a valid integer value");
}

// True when a (> 0, finite) lies exactly halfway between two multiples of
// 10^k.
bool IsHalfway(double a, int k) {
  if (k <= 0) {
    // 2a / 10^k is an odd integer  <=>  a * 2^(1-k) is an odd integer.
    if (1 - k > 1100) return false;
    const double t = std::ldexp(a, 1 - k);
    return std::isfinite(t) && std::fmod(t, 2.0) == 1.0;
  }
  // a = M * 2^E with M odd: a tie needs E == k - 1 and 5^k dividing M.
  if (k > 22) return false;  // 5^23 exceeds any 53-bit mantissa
  int e = 0;
  const double m = std::frexp(a, &e);
  auto mantissa = static_cast<std::uint64_t>(std::ldexp(m, 53));
  int exponent = e - 53;
  while ((mantissa & 1U) == 0) {
    mantissa >>= 1U;
    ++exponent;
  }
  if (exponent != k - 1) return false;
  std::uint64_t power = 1;
  for (int i = 0; i < k; ++i) power *= 5;
  return mantissa % power == 0;
}

// Digits of a rounded magnitude: digits[0] stands at 10^exponent; digits past
// count are zeros; count 0 is the value zero.
struct DigitView {
  const char* digits;
  int count;
  int exponent;
};

// A rounded magnitude that owns its digits.
struct Decimal {
  static constexpr int kCapacity = 128;
  std::array<char, kCapacity> digits;  // only the first `count` are set
  int count = 0;
  int exponent = 0;
  char At(int i) const { return i >= 0 && i < count ? digits[static_cast<std::size_t>(i)] : '0'; }
  operator DigitView() const { return {digits.data(), count, exponent}; }  // NOLINT: a view of it
};

// Digits and exponent of std::to_chars' scientific output ("1.2345e-05").
int ParseScientific(const char* first, const char* last, char* digits, int capacity, int& exponent) {
  int count = 0;
  const char* p = first;
  for (; p < last && *p != 'e'; ++p) {
    if (IsDigit(*p) && count < capacity) digits[count++] = *p;
  }
  int sign = 1;
  int e = 0;
  if (p < last && ++p < last && (*p == '-' || *p == '+')) sign = *p++ == '-' ? -1 : 1;
  for (; p < last; ++p) e = e * 10 + (*p - '0');
  exponent = sign * e;
  return count;
}

// The first `keep` of `count` digits, one unit added at the last kept digit
// when `up`; trailing zeros dropped.
Decimal Assemble(const char* digits, int count, int exponent, int keep, bool up) {
  Decimal d;
  d.exponent = exponent;
  d.count = std::clamp(std::min(keep, count), 0, Decimal::kCapacity);
  std::copy_n(digits, d.count, d.digits.begin());
  if (up) {
    int i = d.count - 1;
    while (i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9') --i;
    if (i < 0) {  // 999 -> 1000, or nothing kept -> one unit
      d.digits[0] = '1';
      d.count = 1;
      d.exponent += 1;
    } else {
      ++d.digits[static_cast<std::size_t>(i)];
      d.count = i + 1;
    }
  }
  while (d.count > 0 && d.digits[static_cast<std::size_t>(d.count - 1)] == '0') --d.count;
  return d;
}

// Rounding on the exact decimal expansion of a (at most 767 significant
// digits for any double): at least half a unit rounds away from zero.
Decimal ExactRounded(double a, int position, int significant) {
  std::array<char, 800> buf{};
  const char* end = std::to_chars(buf.data(), buf.data() + buf.size(), a, std::chars_format::scientific, 766).ptr;
  std::array<char, 780> digits{};
  int exponent = 0;
  const int count = ParseScientific(buf.data(), end, digits.data(), static_cast<int>(digits.size()), exponent);
  const int keep = significant > 0 ? significant : exponent - position + 1;
  if (keep < 0) return {};
  if (keep >= count) return Assemble(digits.data(), count, exponent, count, false);
  return Assemble(digits.data(), count, exponent, keep, digits[static_cast<std::size_t>(keep)] >= '5');
}

// The shortest digits that read back as a, from std::to_chars.
struct Shortest {
  std::array<char, 24> digits{};
  int count = 0;
  int exponent = 0;
};

Shortest ShortestDigits(double a) {
  std::array<char, 40> buf{};
  const char* end = std::to_chars(buf.data(), buf.data() + buf.size(), a, std::chars_format::scientific).ptr;
  Shortest s;
  s.count = ParseScientific(buf.data(), end, s.digits.data(), static_cast<int>(s.digits.size()), s.exponent);
  return s;
}

// a (> 0, finite) rounded half away from zero to a multiple of 10^position.
// The shortest round-trip digits decide unless they end exactly on the 5 of
// a possible tie, or more digits are wanted than they can vouch for; the
// exact expansion settles those rare cases.
Decimal RoundedAt(double a, const Shortest& s, int position) {
  const int keep = s.exponent - position + 1;
  if (keep < 0) return {};
  if (keep >= s.count) {
    // Up to 15 digits the shortest digits are the correctly rounded ones.
    if (keep <= 15) return Assemble(s.digits.data(), s.count, s.exponent, s.count, false);
  } else {
    const char dropped = s.digits[static_cast<std::size_t>(keep)];
    if (dropped != '5' || keep + 1 < s.count) {
      return Assemble(s.digits.data(), s.count, s.exponent, keep, dropped >= '5');
    }
    if (IsHalfway(a, position)) return Assemble(s.digits.data(), s.count, s.exponent, keep, true);
  }
  return ExactRounded(a, position, 0);
}

__extension__ typedef unsigned __int128 UInt128;

constexpr std::array<std::uint64_t, 20> kPowersOfTen = [] {
  std::array<std::uint64_t, 20> powers{};
  std::uint64_t p = 1;
  for (auto& power : powers) {
    power = p;
    p *= 10;
  }
  return powers;
}();

constexpr std::array<double, 23> kPowersOfTenReal = [] {
  std::array<double, 23> powers{};
  double p = 1;
  for (auto& power : powers) {
    power = p;  // exact up to 10^22
    p *= 10;
  }
  return powers;
}();

constexpr UInt128 PowerOfTen(int d) {
  return d < 20 ? UInt128{kPowersOfTen[static_cast<std::size_t>(d)]} : UInt128{kPowersOfTen[19]} * PowerOfTen(d - 19);
}

// a * 10^d rounded half away from zero, in exact integer arithmetic on the
// binary value; nothing when the result could leave 127 bits.
std::optional<UInt128> ScaledRound(double a, int d) {
  if (d < 0 || d > 22 || !(a * kPowersOfTenReal[static_cast<std::size_t>(d)] < 1e38)) return std::nullopt;
  const auto bits = std::bit_cast<std::uint64_t>(a);
  const auto biased = static_cast<int>(bits >> 52U);
  std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52U) - 1);
  int exponent = -1074;
  if (biased != 0) {
    mantissa |= std::uint64_t{1} << 52U;
    exponent = biased - 1075;
  }
  const UInt128 n = UInt128{mantissa} * PowerOfTen(d);
  if (exponent >= 0) return n << static_cast<unsigned>(exponent);
  const int shift = -exponent;
  if (shift >= 128) return UInt128{shift == 128 && (n >> 127U) != 0 ? 1U : 0U};
  const UInt128 half = UInt128{1} << static_cast<unsigned>(shift - 1);
  const UInt128 rest = n & ((half << 1U) - 1);
  return (n >> static_cast<unsigned>(shift)) + (rest >= half ? 1U : 0U);
}

// The decimal q * 10^-d.
Decimal FromScaled(UInt128 q, int d) {
  Decimal out;
  if (q == 0) return out;
  char* const first = out.digits.data();
  char* const last = first + out.digits.size();
  if (q <= std::numeric_limits<std::uint64_t>::max()) {
    // Trailing zeros are dropped as numbers, before any digit is written.
    auto n = static_cast<std::uint64_t>(q);
    int zeros = 0;
    for (; n % 10000 == 0; n /= 10000) zeros += 4;
    for (; n % 10 == 0; n /= 10) ++zeros;
    out.count = static_cast<int>(std::to_chars(first, last, n).ptr - first);
    out.exponent = out.count + zeros - 1 - d;
    return out;
  }
  const UInt128 split = kPowersOfTen[19];
  char* end = std::to_chars(first, last, static_cast<std::uint64_t>(q / split)).ptr;
  // The low part keeps its leading zeros.
  std::array<char, 24> low{};
  const char* lowEnd = std::to_chars(low.data(), low.data() + low.size(), static_cast<std::uint64_t>(q % split)).ptr;
  end = std::fill_n(end, 19 - (lowEnd - low.data()), '0');
  end = std::copy(static_cast<const char*>(low.data()), lowEnd, end);
  const auto count = static_cast<int>(end - first);
  out.exponent = count - 1 - d;
  out.count = count;
  while (out.digits[static_cast<std::size_t>(out.count - 1)] == '0') --out.count;
  return out;
}

Decimal RoundedAt(double a, int position) {
  if (const auto q = ScaledRound(a, -position)) return FromScaled(*q, -position);
  return RoundedAt(a, ShortestDigits(a), position);
}

// a (> 0, finite) rounded half away from zero to `significant` digits (at
// most 18).
Decimal RoundedSignificant(double a, int significant) {
  // From the binary exponent: the decimal exponent or one less.
  const auto biased = static_cast<int>(std::bit_cast<std::uint64_t>(a) >> 52U);
  // floor(e * log10(2)) in integer arithmetic, exact for |e| <= 2620.
  int exponent = biased == 0 ? -324 : ((biased - 1023) * 315653) >> 20;
  for (int attempt = 0; attempt < 2; ++attempt) {
    const int d = significant - 1 - exponent;
    const auto q = ScaledRound(a, d);
    if (!q) break;
    if (*q > PowerOfTen(significant)) {
      ++exponent;  // the guess was one too low
      continue;
    }
    return FromScaled(*q, d);
  }
  if (significant > 15) return ExactRounded(a, 0, significant);
  const Shortest s = ShortestDigits(a);
  return RoundedAt(a, s, s.exponent - significant + 1);
}

// The digits before the point (at least "0"), then `decimals` decimals.
char* WriteFixed(DigitView d, int decimals, char* p) {
  const char* digits = d.digits;
  const int count = d.count;
  if (count == 0 || d.exponent < 0) {
    *p++ = '0';
  } else {
    const int whole = d.exponent + 1;
    const int copied = std::min(whole, count);
    p = std::copy_n(digits, copied, p);
    p = std::fill_n(p, whole - copied, '0');
  }
  if (decimals <= 0) return p;
  *p++ = '.';
  // Decimal j (from 1) is digit exponent + j.
  const int leadingZeros = count == 0 ? decimals : std::clamp(-d.exponent - 1, 0, decimals);
  p = std::fill_n(p, leadingZeros, '0');
  const int firstIndex = d.exponent + 1 + leadingZeros;
  const int copied = std::clamp(count - firstIndex, 0, decimals - leadingZeros);
  p = std::copy_n(digits + std::max(firstIndex, 0), copied, p);
  return std::fill_n(p, decimals - leadingZeros - copied, '0');
}

std::string PadLeft(std::string_view body, int width) {
  const auto w = static_cast<std::size_t>(std::max(width, 0));
  std::string out;
  if (body.size() < w) out.assign(w - body.size(), ' ');
  out.append(body);
  return out;
}

std::string_view NonFinite(double v) {
  if (std::isnan(v)) return "NAN";
  return v < 0 ? "-INF" : "INF";
}

// "1.5E-5", "2.5E20", "1E15": the scientific form of the short texts.
char* WriteShortScientific(DigitView d, char* p) {
  *p++ = d.count > 0 ? d.digits[0] : '0';
  if (d.count > 1) {
    *p++ = '.';
    p = std::copy_n(d.digits + 1, d.count - 1, p);
  }
  *p++ = 'E';
  if (d.exponent < 0) *p++ = '-';
  return std::to_chars(p, p + 8, std::abs(d.exponent)).ptr;
}

// The two digits of 0 to 99 as the values of two bytes, the tens first.
constexpr std::array<std::uint16_t, 100> kPairValues = [] {
  std::array<std::uint16_t, 100> pairs{};
  for (int i = 0; i < 100; ++i) pairs[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(i / 10 | i % 10 << 8);
  return pairs;
}();

// The eight decimal digits of n (below 10^8) as byte values 0-9 of a word,
// the first digit in the lowest byte: split into fours and pairs by exact
// multiplications, the pairs looked up. The digits are made in registers,
// never stored byte by byte and read back.
constexpr std::uint64_t EightDigits(std::uint64_t n) {
  const std::uint64_t high = n * 109951163 >> 40U;  // n / 10^4, exact below 10^8
  const std::uint64_t low = n - high * 10000;
  const std::uint64_t highPair = high * 5243 >> 19U;  // / 100, exact below 10^4
  const std::uint64_t lowPair = low * 5243 >> 19U;
  return std::uint64_t{kPairValues[highPair]} | std::uint64_t{kPairValues[high - 100 * highPair]} << 16U |
         std::uint64_t{kPairValues[lowPair]} << 32U | std::uint64_t{kPairValues[low - 100 * lowPair]} << 48U;
}
static_assert(EightDigits(12345678) == 0x0807060504030201);
// Against digits taken one division at a time, where the multiplications
// are closest to leaving their exact range.
static_assert([] {
  for (std::uint64_t n = 0; n < 100000000; n += n < 2000 ? 1 : 999983) {
    std::uint64_t expected = 0;
    for (std::uint64_t rest = n, byte = 0; byte < 8; ++byte, rest /= 10) expected |= rest % 10 << (8 * (7 - byte));
    if (EightDigits(n) != expected || EightDigits(99999999 - n) != EightDigits(99999999) - expected) return false;
  }
  return true;
}());

// Eight '0' characters in a word: or-ed with digit values, their text.
constexpr std::uint64_t kZeroDigits = 0x3030303030303030;

// The bytes of x up to its highest byte that is not zero: the count of
// digits up to the last one that is not 0, in a word of digit values.
constexpr int ByteWidth(std::uint64_t x) { return static_cast<int>((std::bit_width(x) + 7U) / 8U); }

// Digits as text bytes in a word (uint64_t or UInt128), the first in the
// lowest byte and '0' after the last of `count`, written in plain notation:
// the digits before the point ("0" below 1), then a point and the others
// when there are any. The first digit stands at 10^e, e from -4 to
// 2 * sizeof(Word) - 1. Bytes after the end, within the caller's room, are
// scratch: the words are stored whole, as copies of a few bytes would cost
// more than the digits.
template <class Word>
char* WritePlain(Word digits, int count, int e, char* p) {
  if (e < 0) {
    std::memcpy(p, "0.000", 5);
    p += 1 - e;  // "0." and -e - 1 zeros
    std::memcpy(p, &digits, sizeof digits);
    return p + count;
  }
  const int whole = e + 1;  // digits before the point
  std::memcpy(p, &digits, sizeof digits);
  if (count <= whole) return p + whole;
  p += whole;
  *p++ = '.';
  digits >>= static_cast<unsigned>(8 * whole);
  std::memcpy(p, &digits, sizeof digits);
  return p + count - whole;
}

// The doubles nearest to 10^k for k from -8 to 15: a double at or above
// the one for 10^k has 15 significant digits from 10^k on (the one just
// below 10^k rounds to it).
constexpr int kLowestPower = -8;
constexpr std::array<double, 24> kNearestPowersOfTen = [] {
  std::array<double, 24> powers{};
  for (int k = kLowestPower; k <= 15; ++k) {
    powers[static_cast<std::size_t>(k - kLowestPower)] =
        k < 0 ? 1 / kPowersOfTenReal[static_cast<std::size_t>(-k)] : kPowersOfTenReal[static_cast<std::size_t>(k)];
  }
  return powers;
}();

// a * power rounded to an integer, when that integer divided by power (10^d
// for d from 0 to 22: both exact doubles) gives `a` back: a decimal of that
// many digits that reads back as `a` is `a` rounded to 15 digits, as `a` lies
// within half an ulp of it and the grid of 15 digits is wider. Most values
// were read from texts of a few digits, and this one division spares them
// the 128-bit product.
std::optional<std::uint64_t> ReadsBack(double a, double scaled, double power) {
  const auto m = static_cast<std::int64_t>(scaled + 0.5);
  if (static_cast<double>(m) / power != a) return std::nullopt;
  return static_cast<std::uint64_t>(m);
}

std::optional<std::uint64_t> ReadsBack(double a, int d) {
  const double power = kPowersOfTenReal[static_cast<std::size_t>(d)];
  return ReadsBack(a, a * power, power);
}

// a (> 0) with its first digit at 10^e, e from -8 to 14, rounded half away
// from zero to 15 significant digits and written out; nothing when the
// 128-bit product cannot hold it.
[[gnu::noinline]] char* WriteFifteen(double a, int e, char* p) {
  std::uint64_t n = 0;
  if (const auto m = ReadsBack(a, 14 - e)) {
    n = *m;
  } else {
    const auto q = ScaledRound(a, 14 - e);
    if (!q) return nullptr;
    n = static_cast<std::uint64_t>(*q);
  }
  if (n == kPowersOfTen[15]) {  // 999... rounded up to a 16th digit
    n /= 10;
    ++e;
  }
  // 15 digits and a 0 in two words; the last 7 digits are often zeros.
  const std::uint64_t lowDigits = n % 10000000;
  const std::uint64_t high = EightDigits(n / 10000000);
  const std::uint64_t low = lowDigits == 0 ? 0 : EightDigits(lowDigits * 10);
  const int count = low != 0 ? 8 + ByteWidth(low) : ByteWidth(high);
  const UInt128 digits = (UInt128{low} << 64U | high) | (UInt128{kZeroDigits} << 64U | kZeroDigits);
  if (e >= -4 && e < 15) return WritePlain(digits, count, e, p);
  std::array<char, 16> scratch;
  std::memcpy(scratch.data(), &digits, scratch.size());
  return WriteShortScientific({scratch.data(), count, e}, p);
}

// For the binary exponents whose values have decimal exponents from -5 to
// 6, or one more: that exponent e (floor(binary * log10(2)), the decimal
// exponent or one less), the nearest double of 10^(e + 1) (from it on, the
// exponent is e + 1), and 10^(7 - e) and 10^(6 - e), which scale the value
// to 8 digits.
struct Scale {
  double next;
  double lower;
  double higher;
  int exponent;
};
constexpr int kFirstScale = -16;
constexpr int kScaleCount = 40;
constexpr std::array<Scale, kScaleCount> kEightDigitScales = [] {
  std::array<Scale, kScaleCount> scales{};
  for (int i = 0; i < kScaleCount; ++i) {
    const int e = ((i + kFirstScale) * 315653) >> 20;
    scales[static_cast<std::size_t>(i)] = {kNearestPowersOfTen[static_cast<std::size_t>(e + 1 - kLowestPower)],
                                           kPowersOfTenReal[static_cast<std::size_t>(7 - e)],
                                           kPowersOfTenReal[static_cast<std::size_t>(6 - e)], e};
  }
  return scales;
}();
static_assert(kEightDigitScales.front().exponent == -5 && kEightDigitScales.back().exponent == 6);

// ShortReal's common case, a (> 0) from 1E-8 to 1E15: rounded half away from
// zero to 15 significant digits and written straight out, without the
// general Decimal. Nothing outside that span.
char* WriteFifteenDigits(double a, char* p) {
  const auto biased = static_cast<int>(std::bit_cast<std::uint64_t>(a) >> 52U);
  if (biased == 0) return nullptr;
  static_assert(std::endian::native == std::endian::little, "digit bytes are laid out from the low byte");
  const int binary = biased - 1023;
  int e = 0;  // the decimal exponent
  if (binary >= kFirstScale && binary < kFirstScale + kScaleCount) {
    // Instrument values have at most 8 digits: one word of them. The scale
    // comes from a table by the binary exponent, as the digits wait on it.
    const Scale& scale = kEightDigitScales[static_cast<std::size_t>(binary - kFirstScale)];
    const bool up = a >= scale.next;
    e = scale.exponent + (up ? 1 : 0);
    if (e >= -4) {
      const double power = up ? scale.higher : scale.lower;
      if (const auto n = ReadsBack(a, a * power, power)) {
        const std::uint64_t values = EightDigits(*n);
        return WritePlain(values | kZeroDigits, ByteWidth(values), e, p);
      }
    }
  } else {
    e = (binary * 315653) >> 20;  // the decimal exponent or one less
    if (e < kLowestPower - 1 || e > 14) return nullptr;
    e += a >= kNearestPowersOfTen[static_cast<std::size_t>(e + 1 - kLowestPower)] ? 1 : 0;
    if (e < kLowestPower || e > 14) return nullptr;
  }
  return WriteFifteen(a, e, p);
}

}  // namespace

namespace {

// The digits at the start of a word of text bytes (first byte lowest), at
// most 8, read at once: their count and value.
struct DigitRun {
  std::uint64_t value;
  int count;
};

[[gnu::always_inline]] inline DigitRun ReadDigitWord(std::uint64_t word) {
  const std::uint64_t values = word ^ 0x3030303030303030;  // digits become 0 to 9
  // Bit 7 of each byte that is not a digit: a value above 9 carries into it.
  const std::uint64_t others = (((values & 0x7F7F7F7F7F7F7F7F) + 0x7676767676767676) | values) & 0x8080808080808080;
  const int count = others == 0 ? 8 : std::countr_zero(others) / 8;
  if (count == 0) return {0, 0};
  // The digits moved to the top bytes, zeros before them; then pairs, fours
  // and the eight combined by multiplications.
  std::uint64_t v = values << static_cast<unsigned>(8 * (8 - count));
  v = v * 10 + (v >> 8U);
  v = ((v & 0x000000FF000000FF) * (100 + (1000000ULL << 32U)) +
       ((v >> 16U) & 0x000000FF000000FF) * (1 + (10000ULL << 32U))) >>
      32U;
  return {v, count};
}

// The digits from p on added to `mantissa` (wrapping past 19 digits, which
// the caller refuses); returns their end. For the decimals of instrument
// values, 4 to 8 of them: words are read 8 bytes at a time, only within
// [text, end); a text shorter than that goes byte by byte.
[[gnu::always_inline]] inline const char* ReadDecimals(const char* text, const char* p, const char* end,
                                                       std::uint64_t& mantissa) {
  static_assert(std::endian::native == std::endian::little, "text bytes are read from the low byte");
  if (end - text < 8) {
    for (; p < end && IsDigit(*p); ++p) mantissa = mantissa * 10 + static_cast<std::uint64_t>(*p - '0');
    return p;
  }
  for (;;) {
    const auto left = end - p;
    if (left == 0) return p;
    std::uint64_t word = 0;
    if (left >= 8) {
      std::memcpy(&word, p, 8);
    } else {
      // The last 8 bytes of the text, moved down so that p comes first.
      std::memcpy(&word, end - 8, 8);
      word >>= static_cast<unsigned>(8 * (8 - left));
    }
    const DigitRun run = ReadDigitWord(word);
    mantissa = mantissa * kPowersOfTen[static_cast<std::size_t>(run.count)] + run.value;
    p += run.count;
    if (run.count < 8) return p;
  }
}

// The plain texts of instrument files ("-0.012345", "190.5", "1.5E-3") in one
// pass: at most 19 significant digits whose value and power of ten are both
// exact doubles, so that one multiplication or division rounds correctly.
// Nothing for any other text, which the full reader then takes.
std::optional<double> SimpleReal(const char* p, const char* end) {
  const char* const text = p;
  while (p < end && *p == ' ') ++p;
  while (end > p && end[-1] == ' ') --end;
  bool negative = false;
  if (p < end && (*p == '+' || *p == '-')) negative = *p++ == '-';
  // Up to 19 digits, leading zeros included, cannot overflow the mantissa.
  std::uint64_t mantissa = 0;
  const char* first = p;
  // Few digits before the point: a word would cost more than the bytes.
  for (; p < end && IsDigit(*p); ++p) mantissa = mantissa * 10 + static_cast<std::uint64_t>(*p - '0');
  auto digits = p - first;
  int exponent = 0;  // the power of ten of the mantissa's last digit
  if (p < end && *p == '.') {
    const char* fraction = ++p;
    p = ReadDecimals(text, p, end, mantissa);
    exponent = -static_cast<int>(p - fraction);
    digits += p - fraction;
  }
  if (digits == 0 || digits > 19) return std::nullopt;
  if (p < end) {
    if (*p != 'e' && *p != 'E') return std::nullopt;
    ++p;
    bool negativeExponent = false;
    if (p < end && (*p == '+' || *p == '-')) negativeExponent = *p++ == '-';
    if (p == end) return std::nullopt;
    int written = 0;
    for (; p < end; ++p) {
      if (!IsDigit(*p) || written > 1000) return std::nullopt;
      written = written * 10 + (*p - '0');
    }
    exponent += negativeExponent ? -written : written;
  }
  if (mantissa > (std::uint64_t{1} << 53U) || exponent < -22 || exponent > 22) return std::nullopt;
  const double m = static_cast<double>(mantissa);
  const double value = exponent < 0 ? m / kPowersOfTenReal[static_cast<std::size_t>(-exponent)]
                                    : m * kPowersOfTenReal[static_cast<std::size_t>(exponent)];
  return negative ? -value : value;
}

// Every text SimpleReal leaves: long mantissas, large exponents, errors.
[[gnu::noinline]] double FullTextToReal(std::string_view text) {
  const char* p = text.data();
  const char* end = p + text.size();
  while (p < end && *p == ' ') ++p;
  while (end > p && end[-1] == ' ') --end;
  bool negative = false;
  if (p < end && (*p == '+' || *p == '-')) negative = *p++ == '-';
  // from_chars takes exactly our grammar once the text starts with a digit or
  // a point: this keeps out "inf", "nan", a second sign and blanks.
  if (p == end || !(IsDigit(*p) || *p == '.')) NotAReal(text);
  double value = 0;
  const auto [ptr, ec] = std::from_chars(p, end, value, std::chars_format::general);
  if (ptr != end) NotAReal(text);
  if (ec == std::errc::result_out_of_range) {
    // Overflow is refused; an underflow is a zero, as strtod says.
    const std::string copy(p, end);
    value = std::strtod(copy.c_str(), nullptr);
    if (std::isinf(value)) {
      throw ConversionError(QuoteText(text) + " is out of the range of a floating point value");
    }
  } else if (ec != std::errc{}) {
    NotAReal(text);
  }
  return negative ? -value : value;
}

}  // namespace

double TextToReal(std::string_view text) {
  if (const auto value = SimpleReal(text.data(), text.data() + text.size())) return *value;
  return FullTextToReal(text);
}

std::int32_t TextToInteger(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) NotAnInteger(text);
  std::int64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    if (!IsDigit(text[i])) NotAnInteger(text);
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) NotAnInteger(text);
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<std::int32_t>::max()) NotAnInteger(text);
  return static_cast<std::int32_t>(value);
}

std::string FixedReal(double v, int w, int d) {
  if (!std::isfinite(v)) return PadLeft(NonFinite(v), w);
  const double a = std::abs(v);
  if (a >= 1e36) return SciReal(v, w);
  d = std::clamp(d, 0, 60);
  std::array<char, 112> buf{};
  char* p = buf.data();
  if (v < 0) *p++ = '-';
  p = WriteFixed(a == 0 ? Decimal{} : RoundedAt(a, -d), d, p);
  return PadLeft(std::string_view(buf.data(), static_cast<std::size_t>(p - buf.data())), w);
}

std::string SciReal(double v, int w) {
  const int significant = std::clamp(w - 8, 2, 18);
  if (!std::isfinite(v)) return PadLeft(NonFinite(v), w);
  const Decimal d = v == 0 ? Decimal{} : RoundedSignificant(std::abs(v), significant);
  std::array<char, 32> buf{};
  char* p = buf.data();
  *p++ = v < 0 ? '-' : ' ';
  *p++ = d.At(0);
  *p++ = '.';
  for (int i = 1; i < significant; ++i) *p++ = d.At(i);
  *p++ = 'E';
  *p++ = d.exponent < 0 ? '-' : '+';
  const int e = std::abs(d.exponent);
  *p++ = static_cast<char>('0' + e / 1000 % 10);
  *p++ = static_cast<char>('0' + e / 100 % 10);
  *p++ = static_cast<char>('0' + e / 10 % 10);
  *p++ = static_cast<char>('0' + e % 10);
  return PadLeft(std::string_view(buf.data(), static_cast<std::size_t>(p - buf.data())), w);
}

std::string IntText(std::int64_t v, int w) {
  std::array<char, 24> buf{};
  const char* end = std::to_chars(buf.data(), buf.data() + buf.size(), v).ptr;
  return PadLeft(std::string_view(buf.data(), static_cast<std::size_t>(end - buf.data())), w);
}

namespace {

// The magnitudes WriteFifteenDigits leaves, through the general rounding; out
// of line, so that the common case keeps a small frame.
[[gnu::noinline]] char* WriteRoundedShort(double a, char* p) {
  const Decimal d = RoundedSignificant(a, 15);
  if (d.exponent < -4 || d.exponent >= 15) return WriteShortScientific(d, p);
  return WriteFixed(d, std::max(d.count - d.exponent - 1, 0), p);
}

}  // namespace

char* WriteShortReal(double v, char* out) {
  if (v == 0) {
    *out = '0';
    return out + 1;
  }
  if (!std::isfinite(v)) {
    const std::string_view text = NonFinite(v);
    return std::copy(text.begin(), text.end(), out);
  }
  char* p = out;
  if (v < 0) *p++ = '-';
  const double a = std::abs(v);
  if (char* end = WriteFifteenDigits(a, p)) return end;
  return WriteRoundedShort(a, p);
}

std::string ShortReal(double v) {
  std::array<char, kShortRealCapacity> buf;
  return std::string(buf.data(), WriteShortReal(v, buf.data()));
}

std::string FixedText(double v, int p, int d) {
  if (!std::isfinite(v)) return std::string(NonFinite(v));
  p = std::clamp(p, 1, 18);
  d = std::clamp(d, 0, 60);
  const double a = std::abs(v);
  std::string out;
  if (v < 0) out += '-';
  // Decimals beyond the p-th significant digit are written as zeros.
  int decimals = d;
  if (a != 0) {
    const Decimal significant = RoundedSignificant(a, p);
    if (significant.exponent >= p) {
      std::array<char, 40> buf;
      return out.append(buf.data(), WriteShortScientific(significant, buf.data()));
    }
    decimals = std::min(d, p - 1 - significant.exponent);
  }
  std::array<char, 112> buf{};
  const char* end = WriteFixed(a == 0 ? Decimal{} : RoundedAt(a, -decimals), decimals, buf.data());
  out.append(buf.data(), static_cast<std::size_t>(end - buf.data()));
  if (d > decimals) {
    if (decimals == 0) out += '.';
    out.append(static_cast<std::size_t>(d - decimals), '0');
  }
  return out;
}

}  // namespace specbridge
