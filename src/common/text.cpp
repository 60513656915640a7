#include "common/text.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "common/errors.hpp"
#include "common/file_checks.hpp"
#include "common/numbers.hpp"

namespace specbridge {
namespace {

constexpr bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string SystemReason(int error) { return std::strerror(error); }

}  // namespace

std::string ReadFileBytes(const std::filesystem::path& path) {
  RequireRegularFile(path);
  // O_NONBLOCK: should the path become a FIFO after the check, open must not
  // wait for a writer; the fstat below then refuses it.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) throw FileError("Cannot open '" + path.string() + "': " + SystemReason(errno));
  std::string bytes;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    throw FileError("Cannot read '" + path.string() + "': it is not a regular file");
  }
  // One read; the loop covers short reads and a file that grew meanwhile.
  bytes.resize(info.st_size > 0 ? static_cast<std::size_t>(info.st_size) + 1 : 4096);
  std::size_t used = 0;
  for (;;) {
    if (used == bytes.size()) bytes.resize(bytes.size() * 2);
    const ssize_t n = ::read(fd, bytes.data() + used, bytes.size() - used);
    if (n < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      ::close(fd);
      throw FileError("Cannot read '" + path.string() + "': " + SystemReason(error));
    }
    if (n == 0) break;
    used += static_cast<std::size_t>(n);
  }
  ::close(fd);
  bytes.resize(used);
  return bytes;
}

void LoadLineViews(std::string_view bytes, std::vector<std::string_view>& lines) {
  // A new list is sized once from a count: growing by doubling would copy,
  // and fault in, several times the views of a file of a million short
  // lines. A list reused for files of one length, as the files of a series
  // are, is not counted again; it grows when a file has more lines. The views
  // are written through pointers of our own, which stay in registers:
  // push_back would reload the vector's end after every view it stores.
  if (lines.empty()) lines.resize(CountLines(bytes));
  std::string_view* next = lines.data();
  std::string_view* end = next + lines.size();
  ForEachLine(bytes, [&](std::string_view line) {
    if (next == end) {
      const std::size_t used = lines.size();
      lines.resize(std::max<std::size_t>(2 * used, 64));
      next = lines.data() + used;
      end = lines.data() + lines.size();
    }
    *next++ = line;
  });
  lines.resize(static_cast<std::size_t>(next - lines.data()));
}

std::vector<std::string> LoadLines(std::string_view bytes) {
  std::vector<std::string_view> views;
  LoadLineViews(bytes, views);
  return {views.begin(), views.end()};
}

std::string_view TextBeforeNul(std::string_view bytes, std::string_view name, const MessageSink& warn) {
  const std::string_view text = TextBeforeNul(bytes);
  const std::size_t nul = text.size();
  if (nul == bytes.size()) return text;
  if (warn) {
    // Lines counted as LoadLines cuts them: CR LF once, a lone CR, a LF.
    long long line = 1;
    for (std::size_t i = 0; i < nul; ++i) {
      if (bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 >= nul || bytes[i + 1] != '\n'))) ++line;
    }
    warn(LinePlace(name, line) + ": a NUL byte ends the text here; the remaining " +
         std::to_string(bytes.size() - nul) + " bytes of the file are not read");
  }
  return text;
}

TextReader::TextReader(std::string_view bytes, std::string name)
    : bytes_(TextBeforeNul(bytes)), name_(std::move(name)) {}

bool TextReader::PassLineEnd() {
  const char c = bytes_[pos_];
  if (c != '\n' && c != '\r') return false;
  ++pos_;
  if (c == '\r' && pos_ < bytes_.size() && bytes_[pos_] == '\n') ++pos_;
  ++line_;
  return true;
}

std::string_view TextReader::NextToken() {
  while (pos_ < bytes_.size() && IsSeparator(bytes_[pos_])) {
    if (!PassLineEnd()) ++pos_;
  }
  const std::size_t start = pos_;
  while (pos_ < bytes_.size() && !IsSeparator(bytes_[pos_])) ++pos_;
  return bytes_.substr(start, pos_ - start);
}

bool TextReader::TokenLeft() {
  while (pos_ < bytes_.size() && IsSeparator(bytes_[pos_])) {
    if (!PassLineEnd()) ++pos_;
  }
  return pos_ < bytes_.size();
}

double TextReader::ReadReal() {
  const std::string_view token = NextToken();
  return token.empty() ? 0 : AtLine(name_, line_, [&] { return TextToReal(token); });
}

std::int32_t TextReader::ReadInteger() {
  const std::string_view token = NextToken();
  return token.empty() ? 0 : AtLine(name_, line_, [&] { return TextToInteger(token); });
}

std::string TextReader::ReadLine() {
  const std::size_t start = pos_;
  while (pos_ < bytes_.size() && bytes_[pos_] != '\n' && bytes_[pos_] != '\r') ++pos_;
  std::string line(bytes_.substr(start, pos_ - start));
  if (pos_ < bytes_.size()) PassLineEnd();
  return line;
}

void TextReader::SkipLine() {
  while (pos_ < bytes_.size() && !PassLineEnd()) ++pos_;
}

std::string_view TrimControls(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= 32) text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= 32) text.remove_suffix(1);
  return text;
}

void SplitFields(std::string_view line, std::vector<std::string_view>& fields) {
  fields.clear();
  const std::string_view s = TrimControls(line);
  // A field ends at a blank that follows a non-blank; the first and the last
  // character never end a field.
  std::size_t start = 0;
  for (std::size_t p = 1; p + 1 < s.size(); ++p) {
    if (s[p] != ' ' || s[p - 1] == ' ') continue;
    if (static_cast<int>(fields.size()) + 1 >= kMaxFields) {
      throw CapacityError("A line holds more than " + std::to_string(kMaxFields) + " fields");
    }
    fields.push_back(s.substr(start, p - start));
    start = p;
  }
  fields.push_back(s.substr(start));
  for (std::size_t i = 0; i < fields.size(); ++i) {
    std::string_view field = TrimControls(fields[i]);
    while (i > 0 && field.size() >= 2 && field[0] == '\x81' && field[1] == '\x40') {
      field = TrimControls(field.substr(2));
    }
    fields[i] = field;
  }
}

std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  SplitFields(line, fields);
  return fields;
}

}  // namespace specbridge
