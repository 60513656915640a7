#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace specbridge {

// The whole file in one read. Throws FileError naming the file and the
// system's reason.
std::string ReadFileBytes(const std::filesystem::path& path);

// Where readers send warnings: the CLI prints them on stderr, a window shows
// them in a message box.
using MessageSink = std::function<void(std::string_view)>;

// A NUL byte ends the text of a file: the bytes before the first NUL. When a
// NUL cuts the text, `warn` (if set) is told "name, line N: ..." so that a
// truncated spectrum is never silent.
std::string_view TextBeforeNul(std::string_view bytes, std::string_view name, const MessageSink& warn);

// Cuts text at every LF, every CR and every CR LF (counted once); a last line
// without a line end is kept; a NUL byte ends the text. This is how files are
// loaded into grids and multi-line boxes.
std::vector<std::string> LoadLines(std::string_view bytes);

// The position of the first LF or CR at or after `from`; the size when none.
inline std::size_t FindLineEnd(std::string_view bytes, std::size_t from) {
  // Eight bytes at a time: (x - 1) & ~x sets the high bit of a zero byte,
  // and the lowest one set marks the first LF or CR (a borrow only flags
  // bytes after it).
  constexpr std::uint64_t kOnes = 0x0101010101010101U;
  constexpr std::uint64_t kHighs = 0x8080808080808080U;
  std::size_t i = from;
  for (; std::endian::native == std::endian::little && i + 8 <= bytes.size(); i += 8) {
    std::uint64_t word = 0;
    std::memcpy(&word, bytes.data() + i, 8);
    const std::uint64_t lf = word ^ (kOnes * '\n');
    const std::uint64_t cr = word ^ (kOnes * '\r');
    const std::uint64_t found = (((lf - kOnes) & ~lf) | ((cr - kOnes) & ~cr)) & kHighs;
    if (found != 0) return i + static_cast<std::size_t>(std::countr_zero(found) / 8);
  }
  while (i < bytes.size() && bytes[i] != '\n' && bytes[i] != '\r') ++i;
  return i;
}

// Calls `line(view)` for each line of LoadLines, a view into `bytes`.
template <class Line>
void ForEachLine(std::string_view bytes, Line&& line) {
  if (const auto nul = bytes.find('\0'); nul != std::string_view::npos) bytes = bytes.substr(0, nul);
  std::size_t start = 0;
  for (std::size_t end = FindLineEnd(bytes, 0); end < bytes.size(); end = FindLineEnd(bytes, start)) {
    line(bytes.substr(start, end - start));
    start = end + 1;
    if (bytes[end] == '\r' && start < bytes.size() && bytes[start] == '\n') ++start;
  }
  if (start < bytes.size()) line(bytes.substr(start));
}

// The lines of LoadLines as views into `bytes`, without copying them: for
// readers that go through many files and keep none of their lines.
void LoadLineViews(std::string_view bytes, std::vector<std::string_view>& lines);

// Sequential reading of a text file's bytes, as instrument files are read
// number by number. Failures carry `name` and the line number. Lines end at
// a LF, a CR LF or a lone CR, as LoadLines cuts them; a NUL ends the text.
class TextReader {
 public:
  explicit TextReader(std::string_view bytes, std::string name = {});

  // Skips blanks, tabs and line ends, takes the characters up to the next
  // blank, tab or line end and converts them as TextToReal does. At the end
  // of the text the value is 0.
  double ReadReal();
  // As ReadReal with the rules of TextToInteger.
  std::int32_t ReadInteger();
  // Skips blanks, tabs and line ends; whether a number (or any token) is
  // left to read, so that a reader can tell a missing number from a 0.
  bool TokenLeft();
  // The characters up to the next line end. Empty at the end of the text.
  std::string ReadLine();
  // Discards everything up to and including the next line end.
  void SkipLine();
  bool AtEnd() const { return pos_ >= bytes_.size(); }
  // Line of the next character to be read, counted from 1.
  int LineNumber() const { return line_; }
  const std::string& Name() const { return name_; }

 private:
  std::string_view NextToken();
  // Steps over a line end at the read position, if there is one.
  bool PassLineEnd();

  std::string_view bytes_;
  std::size_t pos_ = 0;
  int line_ = 1;
  std::string name_;
};

// The blank-run field splitter of blank-separated sheets: fields are parted
// by runs of code-32 blanks (a tab stays inside a field), each field trimmed,
// and leading Shift-JIS full-width spaces (0x81 0x40) dropped from all fields
// but the first. Always at least one field. The views point into `line`.
// More than kMaxFields fields throw CapacityError.
inline constexpr int kMaxFields = 1300;
void SplitFields(std::string_view line, std::vector<std::string_view>& fields);
std::vector<std::string_view> SplitFields(std::string_view line);

// Removes characters of code 32 or below from both ends.
std::string_view TrimControls(std::string_view text);

}  // namespace specbridge
