#include "common/numbers.hpp"

#include <bit>
#include <charconv>
#include <cmath>
#include <limits>
#include <random>

#include "common/errors.hpp"
#include "support/test_support.hpp"

namespace specbridge {
namespace {

struct FixedCase {
  double value;
  int width, decimals;
  const char* text;
};

// The forms the writers use, for 123.456789 and -0.5, and the rounding rules.
TEST(FixedReal, WritesEveryFormOfTheWriters) {
  const FixedCase cases[] = {
      {123.456789, 5, 1, "123.5"},
      {-0.5, 5, 1, " -0.5"},
      {123.456789, 6, 1, " 123.5"},
      {-0.5, 6, 1, "  -0.5"},
      {123.456789, 8, 6, "123.456789"},
      {-0.5, 8, 6, "-0.500000"},
      {123.456789, 9, 6, "123.456789"},
      {-0.5, 9, 6, "-0.500000"},
      {123.456789, 5, 2, "123.46"},
      {-0.5, 5, 2, "-0.50"},
      {123.456789, 10, 3, "   123.457"},
      {-0.5, 10, 3, "    -0.500"},
      {123.456789, 6, 2, "123.46"},
      {-0.5, 6, 2, " -0.50"},
      {123.456789, 13, 2, "       123.46"},
      {-0.5, 13, 2, "        -0.50"},
      {123.456789, 3, 0, "123"},
      {-0.5, 3, 0, " -1"},
      {123.456789, 6, 4, "123.4568"},
      {-0.5, 6, 4, "-0.5000"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FixedReal(c.value, c.width, c.decimals), c.text) << c.value << " w" << c.width << " d" << c.decimals;
  }
}

TEST(FixedReal, RoundsHalfAwayFromZeroOnTheExactBinaryValue) {
  const FixedCase cases[] = {
      {2.5, 0, 0, "3"},
      {-2.5, 0, 0, "-3"},
      {0.5, 0, 0, "1"},
      {1.5, 0, 0, "2"},
      {0.125, 0, 2, "0.13"},
      {-0.125, 0, 2, "-0.13"},
      {0.375, 0, 2, "0.38"},
      // Not ties in binary: 1.005 is 1.00499999..., 2.675 is 2.67499999...
      {1.005, 0, 2, "1.00"},
      {2.675, 0, 2, "2.67"},
      {0.145, 0, 2, "0.14"},
      {9.9996, 0, 3, "10.000"},
      {999.5, 0, 0, "1000"},
  };
  for (const auto& c : cases) EXPECT_EQ(FixedReal(c.value, c.width, c.decimals), c.text) << c.value;
}

TEST(FixedReal, GrowsPastItsWidthAndKeepsTheSignOfNegativeZeros) {
  EXPECT_EQ(FixedReal(1234.5, 5, 2), "1234.50");
  EXPECT_EQ(FixedReal(1234567.0, 10, 3), "1234567.000");
  EXPECT_EQ(FixedReal(0.5, 5, 2), " 0.50");
  EXPECT_EQ(FixedReal(-0.0001, 6, 3), "-0.000");
  EXPECT_EQ(FixedReal(0.0, 6, 3), " 0.000");
  EXPECT_EQ(FixedReal(1e36, 12, 2), " 1.000E+0036");
  EXPECT_EQ(FixedReal(-2e40, 12, 2), "-2.000E+0040");
}

TEST(SciReal, WritesSignDigitsAndFourExponentDigits) {
  EXPECT_EQ(SciReal(123.456789, 12), " 1.235E+0002");
  EXPECT_EQ(SciReal(-0.5, 12), "-5.000E-0001");
  EXPECT_EQ(SciReal(1.5, 12), " 1.500E+0000");
  EXPECT_EQ(SciReal(-0.002, 12), "-2.000E-0003");
  EXPECT_EQ(SciReal(0.0, 12), " 0.000E+0000");
  EXPECT_EQ(SciReal(4.9751243781e-6, 12), " 4.975E-0006");
  EXPECT_EQ(SciReal(9.9996, 12), " 1.000E+0001");
  EXPECT_EQ(SciReal(1e-300, 12), " 1.000E-0300");
  // At least 2 and at most 18 significant digits; wider fields are padded.
  EXPECT_EQ(SciReal(1.5, 4), " 1.5E+0000");
  EXPECT_EQ(SciReal(1.5, 30), "     1.50000000000000000E+0000");
}

TEST(SciReal, RoundsTiesAwayFromZero) {
  EXPECT_EQ(SciReal(12.5, 10), " 1.3E+0001");
  EXPECT_EQ(SciReal(-12.5, 10), "-1.3E+0001");
  EXPECT_EQ(SciReal(1250.0, 10), " 1.3E+0003");
  EXPECT_EQ(SciReal(0.125, 10), " 1.3E-0001");
  // 1.45 is 1.44999... in binary: no tie.
  EXPECT_EQ(SciReal(1.45, 10), " 1.4E+0000");
}

TEST(IntText, PadsToItsWidth) {
  EXPECT_EQ(IntText(25, 2), "25");
  EXPECT_EQ(IntText(5, 2), " 5");
  EXPECT_EQ(IntText(21, 3), " 21");
  EXPECT_EQ(IntText(601, 3), "601");
  EXPECT_EQ(IntText(1234, 2), "1234");
  EXPECT_EQ(IntText(-7), "-7");
  EXPECT_EQ(IntText(0), "0");
}

TEST(ShortReal, WritesTheShortestTextOfFifteenDigits) {
  const std::pair<double, const char*> cases[] = {
      {1e-6, "1E-6"},
      {2.5e20, "2.5E20"},
      {0.1, "0.1"},
      {0.0, "0"},
      {0.0001, "0.0001"},
      {0.00005, "5E-5"},
      {0.00001234567, "1.234567E-5"},
      {1e15, "1E15"},
      {123456789012345.0, "123456789012345"},
      {400.0, "400"},
      {400.25, "400.25"},
      {-0.0123456, "-0.0123456"},
      {1.0 / 3.0, "0.333333333333333"},
      {2.0 / 3.0, "0.666666666666667"},
      {0.1 + 0.2, "0.3"},
      {-2.5e-7, "-2.5E-7"},
      {999999999999999.9, "1E15"},
      {300.0, "300"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(ShortReal(value), text) << value;
}

TEST(FixedText, KeepsNoMoreThanPSignificantDigits) {
  EXPECT_EQ(FixedText(300.0, 11, 2), "300.00");
  EXPECT_EQ(FixedText(-0.05, 11, 2), "-0.05");
  EXPECT_EQ(FixedText(0.0, 16, 10), "0.0000000000");
  EXPECT_EQ(FixedText(0.0001, 16, 10), "0.0001000000");
  EXPECT_EQ(FixedText(0.00001 / 2.01, 16, 10), "0.0000049751");
  EXPECT_EQ(FixedText(4e-11, 16, 10), "0.0000000000");
  EXPECT_EQ(FixedText(1234.5678, 5, 2), "1234.60");
  EXPECT_EQ(FixedText(0.125, 11, 2), "0.13");
  EXPECT_EQ(FixedText(123456789012.5, 11, 2), "1.2345678901E11");
}

TEST(TextToReal, AcceptsTheNumberGrammar) {
  const std::pair<const char*, double> cases[] = {
      {"1.5E3", 1500}, {" -2.5 ", -2.5}, {".5", 0.5},  {"5.", 5},      {"5.0", 5},    {"+3", 3},
      {"1e-3", 0.001}, {"2E+2", 200},    {"  0  ", 0}, {"-0.5e1", -5}, {"1e-400", 0}, {"000123.4500", 123.45},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(TextToReal(text), value) << text;
}

TEST(TextToReal, RefusesEverythingElseQuotingTheText) {
  EXPECT_THROW_MSG(TextToReal("1,5"), ConversionError, "'1,5' is not a valid floating point value");
  for (const char* text : {"1.5x", "", " ", "e5", "1e", "1e+", "\t1", "1\t", "- 1", "1.2.3", "0x1p3", "inf", "nan", ".",
                           "+", "1 2", "1..2"}) {
    EXPECT_THROW(TextToReal(text), ConversionError) << "'" << text << "'";
  }
  EXPECT_THROW_MSG(TextToReal("1e400"), ConversionError, "'1e400' is out of the range of a floating point value");
}

// The one-pass reader of short texts against the C library's correctly
// rounded strtod, over texts of up to 20 digits (decimals are read 8 at a
// time) and exponents around the limits of exact powers of ten.
TEST(TextToReal, ReadsEveryShortTextAsStrtodDoes) {
  std::mt19937_64 random(7);
  for (int n = 0; n < 100000; ++n) {
    std::string text = random() % 4 == 0 ? "-" : "";
    const auto digits = static_cast<int>(random() % 20) + 1;
    const auto point = static_cast<int>(random() % static_cast<std::uint64_t>(digits + 1));
    for (int i = 0; i < digits; ++i) {
      if (i == point) text += '.';
      text += static_cast<char>('0' + random() % 10);
    }
    if (random() % 3 == 0) text += "E" + std::to_string(static_cast<int>(random() % 61) - 30);
    // Blanks around the number lengthen the text the digits are read from.
    if (random() % 5 == 0) text = std::string(random() % 3, ' ') + text + std::string(random() % 9, ' ');
    const double expected = std::strtod(text.c_str(), nullptr);
    ASSERT_EQ(std::bit_cast<std::uint64_t>(TextToReal(text)), std::bit_cast<std::uint64_t>(expected)) << text;
  }
}

TEST(TextToInteger, AcceptsLeadingBlanksAndASignOnly) {
  EXPECT_EQ(TextToInteger("12"), 12);
  EXPECT_EQ(TextToInteger("  12"), 12);
  EXPECT_EQ(TextToInteger("-7"), -7);
  EXPECT_EQ(TextToInteger("+7"), 7);
  EXPECT_EQ(TextToInteger("2147483647"), 2147483647);
  EXPECT_EQ(TextToInteger("-2147483648"), -2147483647 - 1);
  EXPECT_THROW_MSG(TextToInteger("12 "), ConversionError, "'12 ' is not a valid integer value");
  for (const char* text : {"", " ", "-", "1.0", "2147483648", "-2147483649", "99999999999999999999", "1e3", "No1"}) {
    EXPECT_THROW(TextToInteger(text), ConversionError) << "'" << text << "'";
  }
}

TEST(CheckedDivide, RefusesZeroDivisorsAndOverflow) {
  EXPECT_EQ(CheckedDivide(1, 4), 0.25);
  EXPECT_THROW_MSG(CheckedDivide(1, 0), MathError, "Division by zero");
  EXPECT_THROW_MSG(CheckedDivide(0, 0), MathError, "Invalid floating point operation (0 / 0)");
  EXPECT_THROW_MSG(CheckedDivide(1e300, 1e-300), MathError, "Floating point overflow");
}

}  // namespace
}  // namespace specbridge

namespace specbridge {
namespace {

// Reference rounding on the exact decimal expansion of the double, which
// std::to_chars writes in full when asked for enough digits.
std::string ExactDigits(double a, int& exponent) {
  std::string buf(900, '\0');
  const char* end = std::to_chars(buf.data(), buf.data() + buf.size(), a, std::chars_format::scientific, 800).ptr;
  buf.resize(static_cast<std::size_t>(end - buf.data()));
  const auto e = buf.find('e');
  exponent = std::stoi(buf.substr(e + 1));
  std::string digits = buf.substr(0, 1) + buf.substr(2, e - 2);
  return digits;
}

// Keeps `keep` digits, half away from zero; returns the digits and bumps the
// exponent on a carry out of the first digit.
std::string RoundDigits(std::string digits, int keep, int& exponent) {
  if (keep < 0) return "";
  const bool up = static_cast<std::size_t>(keep) < digits.size() && digits[static_cast<std::size_t>(keep)] >= '5';
  digits.resize(static_cast<std::size_t>(keep));
  if (up) {
    int i = keep - 1;
    while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9') digits[static_cast<std::size_t>(i--)] = '0';
    if (i < 0) {
      digits.insert(digits.begin(), '1');
      ++exponent;
    } else {
      ++digits[static_cast<std::size_t>(i)];
    }
  }
  return digits;
}

std::string ReferenceSci(double v, int significant) {
  int exponent = 0;
  std::string digits = RoundDigits(ExactDigits(std::abs(v), exponent), significant, exponent);
  digits.resize(static_cast<std::size_t>(significant));
  std::string e = std::to_string(std::abs(exponent));
  return std::string(v < 0 ? "-" : " ") + digits[0] + "." + digits.substr(1) + "E" + (exponent < 0 ? "-" : "+") +
         std::string(4 - e.size(), '0') + e;
}

std::string ReferenceFixed(double v, int decimals) {
  int exponent = 0;
  const std::string exact = ExactDigits(std::abs(v), exponent);
  const int original = exponent;
  std::string digits = RoundDigits(exact, original + 1 + decimals, exponent);
  if (digits.empty()) {  // below half a unit, or exactly one unit after rounding up
    digits = (original + 1 + decimals == 0 && exact[0] >= '5') ? "1" : "0";
    exponent = digits == "1" ? -decimals : 0;
  }
  // Place the digits: digit i stands at 10^(exponent - i).
  std::string whole, fraction;
  for (int p = std::max(exponent, 0); p >= 0; --p) {
    const int i = exponent - p;
    whole += i >= 0 && i < static_cast<int>(digits.size()) ? digits[static_cast<std::size_t>(i)] : '0';
  }
  for (int p = -1; p >= -decimals; --p) {
    const int i = exponent - p;
    fraction += i >= 0 && i < static_cast<int>(digits.size()) ? digits[static_cast<std::size_t>(i)] : '0';
  }
  return std::string(v < 0 ? "-" : "") + whole + (decimals > 0 ? "." + fraction : "");
}

// The fast paths of the formatter against the exact expansion, over values
// of every magnitude the writers meet, ties and near-ties included.
TEST(NumberForms, MatchTheExactExpansionOverManyValues) {
  std::mt19937_64 random(12345);
  std::uniform_real_distribution<double> mantissa(-10, 10);
  std::uniform_int_distribution<int> exponent(-12, 8);
  std::vector<double> values;
  for (int i = 0; i < 20000; ++i) values.push_back(mantissa(random) * std::pow(10.0, exponent(random)));
  for (int i = -2000; i <= 2000; ++i) values.push_back(i / 8.0);   // exact ties at 1 and 2 decimals
  for (int i = -500; i <= 500; ++i) values.push_back(i * 0.0005);  // near-ties in binary
  for (double v : values) {
    for (int d : {0, 1, 2, 3, 4, 6, 10}) ASSERT_EQ(FixedReal(v, 0, d), ReferenceFixed(v, d)) << v << " d" << d;
    if (v != 0) {
      ASSERT_EQ(SciReal(v, 12), ReferenceSci(v, 4)) << v;
      ASSERT_EQ(SciReal(v, 25), ReferenceSci(v, 17)) << v;
    }
  }
}

// ShortReal from the exact expansion: 15 digits, trailing zeros dropped.
std::string ReferenceShort(double v) {
  if (v == 0) return "0";
  int exponent = 0;
  std::string digits = RoundDigits(ExactDigits(std::abs(v), exponent), 15, exponent);
  digits.erase(digits.find_last_not_of('0') + 1);
  const std::string sign = v < 0 ? "-" : "";
  if (exponent < -4 || exponent >= 15) {
    return sign + digits[0] + (digits.size() > 1 ? "." + digits.substr(1) : "") + "E" + std::to_string(exponent);
  }
  if (exponent < 0) return sign + "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
  const auto whole = static_cast<std::size_t>(exponent) + 1;
  digits.resize(std::max(digits.size(), whole), '0');
  return sign + digits.substr(0, whole) + (digits.size() > whole ? "." + digits.substr(whole) : "");
}

// ShortReal rounds from the shortest round-trip digits when they settle the
// text; drawn here are the doubles where they might not: 16 and 17 digits,
// exact ties at the 16th digit, neighbours of powers of ten. (Subnormals hold
// fewer than 15 digits and keep their shortest text, not the expansion.)
TEST(ShortReal, MatchesTheExactExpansionOverManyDoubles) {
  std::mt19937_64 random(20261208);
  std::vector<double> values;
  for (int n = 0; n < 30000; ++n) {
    if (const double bits = std::bit_cast<double>(random()); std::isnormal(bits)) values.push_back(bits);
    // Instrument texts, then scaled as the titration writer scales them.
    const double text = static_cast<double>(random() % 100000000) / std::pow(10.0, static_cast<int>(random() % 12));
    values.insert(values.end(), {text, text * (2 / 5.123456)});
    values.push_back(1e14 + static_cast<double>(random() % 900000000000000) + 0.5);
    values.push_back(std::ldexp(static_cast<double>(random() % 100000 * 2 + 1), -static_cast<int>(random() % 64)));
  }
  for (int k = -307; k <= 308; ++k) {
    const double power = std::pow(10.0, k);
    values.insert(values.end(), {power, std::nextafter(power, 0.0), std::nextafter(power, 1e308)});
  }
  values.insert(values.end(), {std::numeric_limits<double>::min(), std::numeric_limits<double>::max()});
  int failures = 0;
  for (const double v : values) {
    for (const double x : {v, -v}) {
      if (ShortReal(x) != ReferenceShort(x) && ++failures <= 10)
        ADD_FAILURE() << std::hexfloat << x << " " << ShortReal(x);
    }
  }
  EXPECT_EQ(failures, 0) << "of " << 2 * values.size();
}

}  // namespace
}  // namespace specbridge
