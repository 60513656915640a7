#pragma once

#include <cstddef>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace specbridge {

// The lines of a multi-line text box, kept in one buffer: a sheet of a
// hundred thousand short lines costs two allocations rather than one per
// line. A line's view stays valid until the next change.
class TextLines {
 public:
  class const_iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = std::string_view;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = std::string_view;

    const_iterator() = default;
    const_iterator(const TextLines* lines, std::size_t index) : lines_(lines), index_(index) {}
    std::string_view operator*() const { return (*lines_)[index_]; }
    const_iterator& operator++() {
      ++index_;
      return *this;
    }
    const_iterator operator++(int) {
      const const_iterator before = *this;
      ++index_;
      return before;
    }
    bool operator==(const const_iterator& other) const = default;

   private:
    const TextLines* lines_ = nullptr;
    std::size_t index_ = 0;
  };

  using value_type = std::string_view;
  using size_type = std::size_t;
  using iterator = const_iterator;

  TextLines() = default;
  TextLines(std::initializer_list<std::string_view> lines);
  explicit TextLines(const std::vector<std::string>& lines);
  // Cut as LoadLines cuts a file: at every LF, CR and CR LF; a NUL ends it.
  static TextLines Load(std::string_view bytes);

  std::size_t size() const { return spans_.size(); }
  bool empty() const { return spans_.empty(); }
  std::string_view operator[](std::size_t i) const { return {text_.data() + spans_[i].offset, spans_[i].length}; }
  // The bytes of all lines, without line ends.
  std::size_t TextSize() const { return kept_; }
  std::string_view back() const { return (*this)[spans_.size() - 1]; }
  const_iterator begin() const { return {this, 0}; }
  const_iterator end() const { return {this, spans_.size()}; }

  // `line` may be a view of this text.
  void push_back(std::string_view line);
  void Set(std::size_t i, std::string_view line);
  // Every `from` byte of every line becomes `to`.
  void Replace(char from, char to);
  void reserve(std::size_t lines, std::size_t bytes);

  // Every line followed by `end`.
  std::string Joined(std::string_view end) const;

  friend bool operator==(const TextLines& a, const TextLines& b);

 private:
  struct Span {
    std::size_t offset = 0;
    std::size_t length = 0;
  };
  // Appends `line` to the buffer; where it lies in the buffer, its bytes are
  // copied first, as the buffer may move.
  Span Append(std::string_view line);
  // Drops the bytes of replaced lines once they outweigh the kept ones.
  void CompactIfSparse();

  std::string text_;
  std::vector<Span> spans_;
  std::size_t kept_ = 0;  // bytes of text_ that belong to a line
};

}  // namespace specbridge
