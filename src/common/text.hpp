#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
// The same without a warning.
inline std::string_view TextBeforeNul(std::string_view bytes) { return bytes.substr(0, bytes.find('\0')); }

// Cuts text at every LF, every CR and every CR LF (counted once); a last line
// without a line end is kept; a NUL byte ends the text. This is how files are
// loaded into grids and multi-line boxes.
std::vector<std::string> LoadLines(std::string_view bytes);

namespace detail {

// Bit k set when byte k of the 64 at `p` is `a` or `b`.
inline std::uint64_t ByteMask(const char* p, char a, char b) {
#if defined(__SSE2__)
  const __m128i va = _mm_set1_epi8(a);
  const __m128i vb = _mm_set1_epi8(b);
  std::uint64_t mask = 0;
  // Unrolled at any level: a loop here costs more than its compares.
#pragma GCC unroll 4
  for (int k = 0; k < 4; ++k) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
    const auto bits =
        static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, va), _mm_cmpeq_epi8(v, vb))));
    mask |= std::uint64_t{bits} << (16 * k);
  }
  return mask;
#else
  std::uint64_t mask = 0;
  for (int k = 0; k < 64; ++k) mask |= std::uint64_t{p[k] == a || p[k] == b} << k;
  return mask;
#endif
}

// The CRs and the LFs of the 64 bytes at `p`, in one pass.
struct LineEndBits {
  std::uint64_t cr = 0;
  std::uint64_t lf = 0;
};

inline LineEndBits LineEndMasks(const char* p) {
  LineEndBits bits;
#if defined(__SSE2__)
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i lf = _mm_set1_epi8('\n');
  // Unrolled at any level: a loop here costs more than its compares.
#pragma GCC unroll 4
  for (int k = 0; k < 4; ++k) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
    bits.cr |= std::uint64_t{static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, cr)))} << (16 * k);
    bits.lf |= std::uint64_t{static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, lf)))} << (16 * k);
  }
#else
  for (int k = 0; k < 64; ++k) {
    bits.cr |= std::uint64_t{p[k] == '\r'} << k;
    bits.lf |= std::uint64_t{p[k] == '\n'} << k;
  }
#endif
  return bits;
}

// The bits set in x. std::popcount is a library call where the x86-64
// baseline has no POPCNT instruction.
inline std::size_t CountBits(std::uint64_t x) {
#if defined(__POPCNT__) || !defined(__x86_64__)
  return static_cast<std::size_t>(std::popcount(x));
#else
  x -= (x >> 1U) & 0x5555555555555555U;
  x = (x & 0x3333333333333333U) + ((x >> 2U) & 0x3333333333333333U);
  x = (x + (x >> 4U)) & 0x0f0f0f0f0f0f0f0fU;
  return static_cast<std::size_t>((x * 0x0101010101010101U) >> 56U);
#endif
}

// How many bytes of `text` are `a` or `b`.
inline std::size_t CountBytes(std::string_view text, char a, char b) {
  std::size_t count = 0;
  std::size_t i = 0;
  for (; i + 64 <= text.size(); i += 64) count += CountBits(ByteMask(text.data() + i, a, b));
  for (; i < text.size(); ++i) count += text[i] == a || text[i] == b ? 1 : 0;
  return count;
}

}  // namespace detail

namespace detail {

// Calls block(offset, ends, passed) for each 64 bytes of `bytes`: bit k of
// `ends` is set where byte offset + k ends a line (a CR, a LF not after a
// CR), bit k of `passed` where it is the LF of a CR LF.
template <class Block>
void ForEachLineEndBlock(std::string_view bytes, Block&& block) {
  std::uint64_t crBefore = 0;  // 1 when the byte before the block is a CR
  for (std::size_t offset = 0; offset < bytes.size(); offset += 64) {
    LineEndBits bits;
    if (offset + 64 <= bytes.size()) {
      bits = LineEndMasks(bytes.data() + offset);
    } else {
      char tail[64] = {};  // zeros end no line
      std::memcpy(tail, bytes.data() + offset, bytes.size() - offset);
      bits = LineEndMasks(tail);
    }
    const std::uint64_t afterCr = bits.cr << 1U | crBefore;
    crBefore = bits.cr >> 63U;
    block(offset, bits.cr | (bits.lf & ~afterCr), bits.lf & afterCr);
  }
}

}  // namespace detail

// Calls `line(view)` for each line of LoadLines, a view into `bytes`. The line
// ends of 64 bytes are found at once: instrument files hold hundreds of
// thousands of lines of ten bytes.
template <class Line>
void ForEachLine(std::string_view bytes, Line&& line) {
  bytes = TextBeforeNul(bytes);
  std::size_t start = 0;
  detail::ForEachLineEndBlock(bytes, [&](std::size_t block, std::uint64_t ends, std::uint64_t passed) {
    // The LF of a CR LF ends no line: the next line starts after it.
    if ((passed & 1U) != 0) start = block + 1;
    for (; ends != 0; ends &= ends - 1) {
      const auto at = static_cast<unsigned>(std::countr_zero(ends));
      const std::size_t end = block + at;
      line(bytes.substr(start, end - start));
      start = end + 1 + (passed >> at >> 1U & 1U);
    }
  });
  if (start < bytes.size()) line(bytes.substr(start));
}

// The number of lines ForEachLine finds in `bytes`, counted without cutting
// them: readers size their lists once.
inline std::size_t CountLines(std::string_view bytes) {
  bytes = TextBeforeNul(bytes);
  std::size_t count = 0;
  detail::ForEachLineEndBlock(
      bytes, [&count](std::size_t, std::uint64_t ends, std::uint64_t) { count += detail::CountBits(ends); });
  // A last line without a line end.
  return count + (!bytes.empty() && bytes.back() != '\n' && bytes.back() != '\r' ? 1 : 0);
}

// How many bytes of `text` are `byte`: the tabs of a sheet's line.
inline std::size_t CountByte(std::string_view text, char byte) { return detail::CountBytes(text, byte, byte); }

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
