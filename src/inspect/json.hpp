#pragma once

// A small JSON writer for reports meant for scripts: two-space indents, keys
// in the order written. Texts are Shift-JIS bytes and come out as UTF-8.

#include <string>
#include <string_view>
#include <vector>

namespace specbridge::inspect {

class JsonWriter {
 public:
  JsonWriter& BeginObject() { return Open('{'); }
  JsonWriter& EndObject() { return Close('}'); }
  JsonWriter& BeginArray() { return Open('['); }
  JsonWriter& EndArray() { return Close(']'); }
  // The key of the next value inside an object.
  JsonWriter& Key(std::string_view key);
  JsonWriter& String(std::string_view shiftJis);
  JsonWriter& Integer(long long value);
  // Shortest text that reads back as `value`; null for infinities and NaN.
  JsonWriter& Real(double value);
  JsonWriter& Bool(bool value);
  JsonWriter& Null();

  // The document, ending with a line end.
  std::string Text() const { return text_ + "\n"; }

 private:
  JsonWriter& Open(char bracket);
  JsonWriter& Close(char bracket);
  void BeforeValue();
  void NewLine();
  void Quote(std::string_view shiftJis);

  std::string text_;
  std::vector<bool> empty_;  // per open bracket: nothing written in it yet
  bool afterKey_ = false;
};

// Shift-JIS bytes as UTF-8: a byte that starts no Shift-JIS character is
// taken as the character of the same number (0x85 -> U+0085).
std::string ShiftJisToUtf8(std::string_view bytes);

}  // namespace specbridge::inspect
