#pragma once

// The lines of one instrument export as its layouts count them: line 1 is the
// first, character 1 the first byte of a line (Shift-JIS labels count two
// bytes per character).

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace specbridge::formats {

// Characters from position `from` (counted from 1) to the end of `text`;
// empty when the text is shorter.
std::string_view From(std::string_view text, std::size_t from);

// Whether `text` begins with `prefix`, byte for byte.
inline bool BeginsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

class InstrumentLines {
 public:
  // `lines` and `name` must outlive this view; `name` starts every message.
  InstrumentLines(std::span<const std::string_view> lines, std::string_view name) : lines_(lines), name_(name) {}

  int Count() const { return static_cast<int>(lines_.size()); }
  const std::string& Name() const { return name_; }

  // Line n; a line past the end reads as empty text, as the layout tests and
  // the instruments' own readers see it.
  std::string_view Line(int n) const {
    return n >= 1 && n <= Count() ? lines_[static_cast<std::size_t>(n - 1)] : std::string_view();
  }

  // Line n, which a number must come from: past the end the file is
  // truncated (FileError naming the line and the file's length).
  std::string_view Needed(int n) const;

  // `text` (taken from line n) as a number; a failure names the file and n.
  double Real(int n, std::string_view text) const;
  std::int32_t Integer(int n, std::string_view text) const;

 private:
  std::span<const std::string_view> lines_;
  std::string name_;
};

// Views of `lines`, for readers handed owned lines.
std::vector<std::string_view> LineViews(std::span<const std::string> lines);

}  // namespace specbridge::formats
