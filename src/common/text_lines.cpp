#include "common/text_lines.hpp"

#include <algorithm>
#include <cstring>

#include "common/text.hpp"

namespace specbridge {

TextLines::TextLines(std::initializer_list<std::string_view> lines) {
  for (const std::string_view line : lines) push_back(line);
}

TextLines::TextLines(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) push_back(line);
}

TextLines TextLines::Load(std::string_view bytes) {
  TextLines lines;
  lines.text_.assign(TextBeforeNul(bytes));
  // Pages reserved and never written cost nothing; a vector that grows
  // copies itself.
  lines.spans_.reserve(CountLines(lines.text_));
  ForEachLine(lines.text_, [&lines](std::string_view view) {
    lines.spans_.push_back({static_cast<std::size_t>(view.data() - lines.text_.data()), view.size()});
    lines.kept_ += view.size();
  });
  return lines;
}

TextLines::Span TextLines::Append(std::string_view line) {
  if (!line.empty() && line.data() >= text_.data() && line.data() < text_.data() + text_.size()) {
    const std::string copy(line);
    return Append(copy);
  }
  const Span span{text_.size(), line.size()};
  text_.append(line);
  kept_ += line.size();
  return span;
}

void TextLines::push_back(std::string_view line) { spans_.push_back(Append(line)); }

void TextLines::Set(std::size_t i, std::string_view line) {
  Span& span = spans_[i];
  kept_ -= span.length;
  if (line.size() <= span.length) {
    // In place: a line that shrinks (as the tab conversions make them) moves
    // nothing. memmove, as `line` may be a part of the old line.
    std::memmove(text_.data() + span.offset, line.data(), line.size());
    span.length = line.size();
    kept_ += line.size();
  } else {
    span = Append(line);
  }
  CompactIfSparse();
}

void TextLines::Replace(char from, char to) { std::replace(text_.begin(), text_.end(), from, to); }

void TextLines::reserve(std::size_t lines, std::size_t bytes) {
  spans_.reserve(lines);
  text_.reserve(bytes);
}

std::string TextLines::Joined(std::string_view end) const {
  std::string joined;
  joined.reserve(kept_ + spans_.size() * end.size());
  for (const Span& span : spans_) {
    joined.append(text_, span.offset, span.length);
    joined.append(end);
  }
  return joined;
}

void TextLines::CompactIfSparse() {
  if (text_.size() <= 2 * kept_ + 4096) return;
  std::string compact;
  compact.reserve(kept_);
  for (Span& span : spans_) {
    const std::size_t offset = compact.size();
    compact.append(text_, span.offset, span.length);
    span.offset = offset;
  }
  text_.swap(compact);
}

bool operator==(const TextLines& a, const TextLines& b) { return std::equal(a.begin(), a.end(), b.begin(), b.end()); }

}  // namespace specbridge
