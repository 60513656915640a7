#include "common/errors.hpp"

#include <cmath>

namespace specbridge {
namespace {

bool IsShiftJisLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
bool IsShiftJisTrail(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }
// Printable ASCII and the single-byte katakana of Shift-JIS.
bool IsSingleText(unsigned char c) { return (c >= 0x20 && c < 0x7F) || (c >= 0xA1 && c <= 0xDF); }

}  // namespace

std::string QuoteText(std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out = "'";
  std::size_t i = 0;
  while (i < text.size() && i < kQuotedBytes) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (IsShiftJisLead(c) && i + 1 < text.size() && IsShiftJisTrail(static_cast<unsigned char>(text[i + 1]))) {
      out.append(text.substr(i, 2));
      i += 2;
      continue;
    }
    if (IsSingleText(c)) {
      out += static_cast<char>(c);
    } else {
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
    ++i;
  }
  out += '\'';
  if (i < text.size()) out += "... (" + std::to_string(text.size()) + " bytes)";
  return out;
}

std::string LinePlace(std::string_view name, long long line) {
  return (name.empty() ? std::string("line ") : std::string(name) + ", line ") + std::to_string(line);
}

double CheckedDivide(double a, double b) {
  if (b == 0) throw MathError(a == 0 ? "Invalid floating point operation (0 / 0)" : "Division by zero");
  return CheckedFinite(a / b);
}

double CheckedFinite(double v) {
  if (std::isnan(v)) throw MathError("Invalid floating point operation");
  if (std::isinf(v)) throw MathError("Floating point overflow");
  return v;
}

}  // namespace specbridge
