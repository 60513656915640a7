#pragma once

#include <cstdint>
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

// Calls `line(view)` for each line of LoadLines, a view into `bytes`.
template <class Line>
void ForEachLine(std::string_view bytes, Line&& line) {
  if (const auto nul = bytes.find('\0'); nul != std::string_view::npos) bytes = bytes.substr(0, nul);
  std::size_t start = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c != '\n' && c != '\r') continue;
    line(bytes.substr(start, i - start));
    if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    start = i + 1;
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
