#include "inspect/json.hpp"

#include <iconv.h>

#include <cerrno>
#include <charconv>
#include <cmath>

namespace specbridge::inspect {

namespace {

void AppendUtf8(std::string& out, unsigned code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

}  // namespace

std::string ShiftJisToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 3 / 2);
  // CP932 is Shift-JIS as the instruments' Windows software writes it.
  iconv_t convert = iconv_open("UTF-8", "CP932");
  if (convert == reinterpret_cast<iconv_t>(-1)) {
    for (const char c : bytes) AppendUtf8(out, static_cast<unsigned char>(c));
    return out;
  }
  char* in = const_cast<char*>(bytes.data());
  std::size_t inLeft = bytes.size();
  char buffer[1024];
  while (inLeft > 0) {
    char* to = buffer;
    std::size_t toLeft = sizeof buffer;
    const std::size_t result = iconv(convert, &in, &inLeft, &to, &toLeft);
    out.append(buffer, static_cast<std::size_t>(to - buffer));
    if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
      // An invalid or cut sequence: its first byte as it is, then go on.
      AppendUtf8(out, static_cast<unsigned char>(*in));
      ++in;
      --inLeft;
      iconv(convert, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(convert);
  return out;
}

JsonWriter& JsonWriter::Key(std::string_view key) {
  BeforeValue();
  Quote(key);
  text_ += ": ";
  afterKey_ = true;
  return *this;
}

void JsonWriter::NewLine() {
  text_ += '\n';
  text_.append(2 * empty_.size(), ' ');
}

void JsonWriter::BeforeValue() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (empty_.empty()) return;
  if (!empty_.back()) text_ += ',';
  empty_.back() = false;
  NewLine();
}

JsonWriter& JsonWriter::Open(char bracket) {
  BeforeValue();
  text_ += bracket;
  empty_.push_back(true);
  return *this;
}

JsonWriter& JsonWriter::Close(char bracket) {
  const bool wasEmpty = empty_.back();
  empty_.pop_back();
  if (!wasEmpty) NewLine();
  text_ += bracket;
  return *this;
}

JsonWriter& JsonWriter::String(std::string_view shiftJis) {
  BeforeValue();
  Quote(shiftJis);
  return *this;
}

void JsonWriter::Quote(std::string_view shiftJis) {
  static constexpr char kHex[] = "0123456789abcdef";
  const std::string utf8 = ShiftJisToUtf8(shiftJis);
  std::string quoted = "\"";
  for (const char c : utf8) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (u < 0x20) {
      quoted += "\\u00";
      quoted += kHex[u >> 4];
      quoted += kHex[u & 15];
    } else {
      quoted += c;
    }
  }
  quoted += '"';
  text_ += quoted;
}

JsonWriter& JsonWriter::Integer(long long value) {
  BeforeValue();
  text_ += std::to_string(value);
  return *this;
}

JsonWriter& JsonWriter::Real(double value) {
  if (!std::isfinite(value)) return Null();
  BeforeValue();
  char buffer[32];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  text_.append(buffer, end);
  return *this;
}

JsonWriter& JsonWriter::Bool(bool value) {
  BeforeValue();
  text_ += value ? "true" : "false";
  return *this;
}

JsonWriter& JsonWriter::Null() {
  BeforeValue();
  text_ += "null";
  return *this;
}

}  // namespace specbridge::inspect
