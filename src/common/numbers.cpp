#include "common/numbers.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "common/errors.hpp"

namespace specbridge {
namespace {

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

[[noreturn]] void NotAReal(std::string_view text) {
  throw ConversionError("'" + std::string(text) + "' is not a valid floating point value");
}

[[noreturn]] void NotAnInteger(std::string_view text) {
  throw ConversionError("'" + std::string(text) + "' is not a valid integer value");
}

// True when a (> 0, finite) lies exactly halfway between two multiples of
// 10^k. std::to_chars rounds such ties to even; we round them away from zero.
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

// Digits of a (> 0, finite) rounded half away from zero.
struct Scientific {
  std::array<char, 24> digits{};  // significant digits, no point
  int count = 0;
  int exponent = 0;  // decimal exponent of the first digit
};

Scientific ToScientific(double a, int significant) {
  std::array<char, 48> buf{};
  auto format = [&](double x) {
    return std::to_chars(buf.data(), buf.data() + buf.size(), x, std::chars_format::scientific, significant - 1).ptr;
  };
  char* end = format(a);
  const char* e = std::find(static_cast<const char*>(buf.data()), static_cast<const char*>(end), 'e');
  int exponent = std::atoi(e + 1);
  if (IsHalfway(a, exponent - (significant - 1))) {
    end = format(std::nextafter(a, std::numeric_limits<double>::infinity()));
    e = std::find(static_cast<const char*>(buf.data()), static_cast<const char*>(end), 'e');
    exponent = std::atoi(e + 1);
  }
  Scientific result;
  result.exponent = exponent;
  for (const char* p = buf.data(); p < e; ++p) {
    if (IsDigit(*p)) result.digits[static_cast<std::size_t>(result.count++)] = *p;
  }
  return result;
}

// a (>= 0, finite, < 1E36) rounded half away from zero to `decimals`
// decimals, written into buf; returns the end.
char* ToFixed(double a, int decimals, char* first, char* last) {
  if (a != 0 && IsHalfway(a, -decimals)) a = std::nextafter(a, std::numeric_limits<double>::infinity());
  return std::to_chars(first, last, a, std::chars_format::fixed, decimals).ptr;
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
void AppendShortScientific(std::string& out, const Scientific& s) {
  int count = s.count;
  while (count > 1 && s.digits[static_cast<std::size_t>(count - 1)] == '0') --count;
  out += s.digits[0];
  if (count > 1) {
    out += '.';
    out.append(s.digits.data() + 1, static_cast<std::size_t>(count - 1));
  }
  out += 'E';
  if (s.exponent < 0) out += '-';
  std::array<char, 8> exp{};
  out.append(exp.data(), std::to_chars(exp.data(), exp.data() + exp.size(), std::abs(s.exponent)).ptr);
}

}  // namespace

double TextToReal(std::string_view text) {
  const char* p = text.data();
  const char* end = p + text.size();
  while (p < end && *p == ' ') ++p;
  while (end > p && end[-1] == ' ') --end;
  bool negative = false;
  if (p < end && (*p == '+' || *p == '-')) negative = *p++ == '-';
  const char* const number = p;
  int digits = 0;
  for (; p < end && IsDigit(*p); ++p) ++digits;
  if (p < end && *p == '.') {
    for (++p; p < end && IsDigit(*p); ++p) ++digits;
  }
  if (digits == 0) NotAReal(text);
  if (p < end && (*p == 'e' || *p == 'E')) {
    ++p;
    if (p < end && (*p == '+' || *p == '-')) ++p;
    if (p == end || !IsDigit(*p)) NotAReal(text);
    while (p < end && IsDigit(*p)) ++p;
  }
  if (p != end) NotAReal(text);

  double value = 0;
  const auto [ptr, ec] = std::from_chars(number, end, value, std::chars_format::general);
  if (ec == std::errc::result_out_of_range) {
    // Overflow is refused; an underflow is a zero, as strtod says.
    const std::string copy(number, end);
    value = std::strtod(copy.c_str(), nullptr);
    if (std::isinf(value) || std::abs(value) > std::numeric_limits<double>::max()) {
      throw ConversionError("'" + std::string(text) + "' is out of the range of a floating point value");
    }
  } else if (ec != std::errc{} || ptr != end) {
    NotAReal(text);
  }
  return negative ? -value : value;
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
  p = ToFixed(a, d, p, buf.data() + buf.size());
  return PadLeft(std::string_view(buf.data(), static_cast<std::size_t>(p - buf.data())), w);
}

std::string SciReal(double v, int w) {
  const int significant = std::clamp(w - 8, 2, 18);
  if (!std::isfinite(v)) return PadLeft(NonFinite(v), w);
  std::array<char, 32> buf{};
  char* p = buf.data();
  *p++ = v < 0 ? '-' : ' ';
  Scientific s;
  if (v == 0) {
    s.count = significant;
    std::fill_n(s.digits.begin(), significant, '0');
  } else {
    s = ToScientific(std::abs(v), significant);
  }
  *p++ = s.digits[0];
  *p++ = '.';
  p = std::copy_n(s.digits.begin() + 1, s.count - 1, p);
  *p++ = 'E';
  *p++ = s.exponent < 0 ? '-' : '+';
  const int e = std::abs(s.exponent);
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

std::string ShortReal(double v) {
  if (v == 0) return "0";
  if (!std::isfinite(v)) return std::string(NonFinite(v));
  const Scientific s = ToScientific(std::abs(v), 15);
  std::string out;
  if (v < 0) out += '-';
  if (s.exponent < -4 || s.exponent >= 15) {
    AppendShortScientific(out, s);
    return out;
  }
  int count = s.count;
  while (count > 1 && s.digits[static_cast<std::size_t>(count - 1)] == '0') --count;
  const auto digit = [&](int i) { return i < count ? s.digits[static_cast<std::size_t>(i)] : '0'; };
  if (s.exponent < 0) {
    out += "0.";
    out.append(static_cast<std::size_t>(-s.exponent - 1), '0');
    out.append(s.digits.data(), static_cast<std::size_t>(count));
    return out;
  }
  for (int i = 0; i <= s.exponent; ++i) out += digit(i);
  if (count > s.exponent + 1) {
    out += '.';
    out.append(s.digits.data() + s.exponent + 1, static_cast<std::size_t>(count - s.exponent - 1));
  }
  return out;
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
    const Scientific s = ToScientific(a, p);
    if (s.exponent >= p) {
      AppendShortScientific(out, s);
      return out;
    }
    decimals = std::min(d, p - 1 - s.exponent);
  }
  std::array<char, 112> buf{};
  char* end = ToFixed(a, decimals, buf.data(), buf.data() + buf.size());
  out.append(buf.data(), static_cast<std::size_t>(end - buf.data()));
  if (d > decimals) {
    if (decimals == 0) out += '.';
    out.append(static_cast<std::size_t>(d - decimals), '0');
  }
  return out;
}

}  // namespace specbridge
