#include "common/text.hpp"

#include "common/errors.hpp"
#include "common/numbers.hpp"
#include "support/test_support.hpp"

namespace specbridge {
namespace {

using ::testing::ElementsAre;

TEST(LoadLines, CutsAtEveryKindOfLineEnd) {
  EXPECT_THAT(LoadLines("a\r\nb\rc\nd"), ElementsAre("a", "b", "c", "d"));
  EXPECT_THAT(LoadLines("a\n"), ElementsAre("a"));
  EXPECT_THAT(LoadLines("a\r\n\r\n"), ElementsAre("a", ""));
  EXPECT_THAT(LoadLines("\n\n"), ElementsAre("", ""));
  EXPECT_THAT(LoadLines("a\rb\rc\r\nd\re\n"), ElementsAre("a", "b", "c", "d", "e"));
  EXPECT_THAT(LoadLines("\r\r\n\n\r"), ElementsAre("", "", "", ""));
  EXPECT_THAT(LoadLines(""), ElementsAre());
  EXPECT_THAT(LoadLines(std::string_view("a\nb\0c\nd", 7)), ElementsAre("a", "b"));
}

// The rule byte by byte, against the block-wise search, on random texts of
// line ends, letters and NULs long enough to cross several 64-byte blocks.
TEST(LoadLineViews, CutsAsTheRuleSaysAcrossBlocks) {
  const auto rule = [](std::string_view bytes) {
    std::vector<std::string> lines;
    std::string line;
    bool open = false;
    for (std::size_t i = 0; i < bytes.size() && bytes[i] != '\0'; ++i) {
      if (bytes[i] == '\n' || bytes[i] == '\r') {
        lines.push_back(line);
        line.clear();
        open = false;
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
      } else {
        line += bytes[i];
        open = true;
      }
    }
    if (open) lines.push_back(line);
    return lines;
  };
  std::uint64_t seed = 7;
  std::vector<std::string_view> views{"stale"};
  for (int i = 0; i < 3000; ++i) {
    std::string bytes;
    for (int k = 0; k < i % 200; ++k) {
      seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
      bytes += "abcdefg\r\n\r\n\0"[(seed >> 33U) % (i % 3 == 0 ? 12 : 11)];
    }
    LoadLineViews(bytes, views);
    EXPECT_EQ(std::vector<std::string>(views.begin(), views.end()), rule(bytes)) << testing::PrintToString(bytes);
    EXPECT_EQ(views.size(), CountLines(bytes));
    for (const auto view : views) {
      EXPECT_TRUE(view.empty() ||
                  (view.data() >= bytes.data() && view.data() + view.size() <= bytes.data() + bytes.size()));
    }
  }
}

TEST(TextReader, ReadsNumbersAcrossBlanksTabsAndLines) {
  TextReader reader("  1.5\t2\r\n\r\n-3 x\n", "times.txt");
  EXPECT_EQ(reader.ReadReal(), 1.5);
  EXPECT_EQ(reader.ReadReal(), 2);
  EXPECT_EQ(reader.ReadInteger(), -3);
  EXPECT_THROW_MSG(reader.ReadReal(), ConversionError, "times.txt, line 3: 'x' is not a valid floating point value");
  EXPECT_EQ(reader.ReadReal(), 0);  // the end reads as zero
  EXPECT_TRUE(reader.AtEnd());
}

TEST(TextReader, ReadsAndSkipsLines) {
  TextReader reader("a\rb\r\nc 1\nlast");
  EXPECT_EQ(reader.ReadLine(), "a");
  EXPECT_EQ(reader.ReadLine(), "b");
  EXPECT_EQ(reader.ReadLine(), "c 1");
  EXPECT_EQ(reader.LineNumber(), 4);
  EXPECT_EQ(reader.ReadLine(), "last");
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_EQ(reader.ReadLine(), "");

  TextReader numbers("10 s first\n20\n");
  EXPECT_EQ(numbers.ReadReal(), 10);
  numbers.SkipLine();
  EXPECT_EQ(numbers.ReadReal(), 20);
  numbers.SkipLine();
  EXPECT_TRUE(numbers.AtEnd());
}

// The same text with each kind of line end: the same numbers, lines and
// failure places. A CR-only file once read as a single line.
TEST(TextReader, EveryLineEndEndsALine) {
  for (const std::string_view end : {"\n", "\r\n", "\r"}) {
    const auto join = [&](std::initializer_list<std::string_view> lines) {
      std::string text;
      for (const auto line : lines) (text += line) += end;
      return text;
    };
    const std::string text = join({"0 2 3 rest", "", "400 skipped", "500", "x"});
    TextReader reader(text, "a.dem");
    EXPECT_EQ(reader.ReadInteger(), 0);
    EXPECT_EQ(reader.ReadInteger(), 2);
    EXPECT_EQ(reader.ReadInteger(), 3);
    reader.SkipLine();
    EXPECT_EQ(reader.ReadReal(), 400);
    reader.SkipLine();
    EXPECT_TRUE(reader.TokenLeft());
    EXPECT_EQ(reader.LineNumber(), 4);
    EXPECT_EQ(reader.ReadLine(), "500");
    EXPECT_THROW_MSG(reader.ReadReal(), ConversionError, "a.dem, line 5: 'x' is not a valid floating point value");
    EXPECT_FALSE(reader.TokenLeft());
    EXPECT_EQ(reader.LineNumber(), 6);
  }
}

TEST(TextReader, ANulByteEndsTheText) {
  TextReader reader(std::string_view("1\n2\0 3\n", 7));
  EXPECT_EQ(reader.ReadReal(), 1);
  EXPECT_EQ(reader.ReadReal(), 2);
  EXPECT_FALSE(reader.TokenLeft());
}

TEST(TextBeforeNul, CutsAtTheFirstNulAndNamesItsLine) {
  std::vector<std::string> warnings;
  const MessageSink warn = [&](std::string_view text) { warnings.emplace_back(text); };
  EXPECT_EQ(TextBeforeNul("a\r\nb", "x.ASC", warn), "a\r\nb");
  EXPECT_TRUE(warnings.empty());
  EXPECT_EQ(TextBeforeNul(std::string_view("a\r\nb\rc\n1\0\0 2\n", 13), "x.ASC", warn), "a\r\nb\rc\n1");
  EXPECT_EQ(TextBeforeNul(std::string_view("\0", 1), "", warn), "");
  EXPECT_EQ(TextBeforeNul(std::string_view("a\r\0", 3), "", {}), "a\r");
  EXPECT_THAT(
      warnings,
      ElementsAre("x.ASC, line 4: a NUL byte ends the text here; the remaining 5 bytes of the file are not read",
                  "line 1: a NUL byte ends the text here; the remaining 1 bytes of the file are not read"));
}

TEST(SplitFields, PartsAtBlankRunsOnly) {
  EXPECT_THAT(SplitFields("  400.0   0.123\t0.5  "), ElementsAre("400.0", "0.123\t0.5"));
  EXPECT_THAT(SplitFields("a \x81\x40"
                          "b"),
              ElementsAre("a", "b"));
  // A full-width space followed by a blank ends a field of its own, which is empty.
  EXPECT_THAT(SplitFields("a \x81\x40\x81\x40 b c"), ElementsAre("a", "", "b", "c"));
  EXPECT_THAT(SplitFields("a \x81\x40\x81\x40"
                          "b"),
              ElementsAre("a", "b"));
  // The first field keeps its full-width space.
  EXPECT_THAT(SplitFields("\x81\x40"
                          "a b"),
              ElementsAre("\x81\x40"
                          "a",
                          "b"));
  EXPECT_THAT(SplitFields(""), ElementsAre(""));
  EXPECT_THAT(SplitFields(" \t "), ElementsAre(""));
  EXPECT_THAT(SplitFields("abc"), ElementsAre("abc"));
  EXPECT_THAT(SplitFields("1 2 3"), ElementsAre("1", "2", "3"));
}

TEST(SplitFields, RefusesMoreThanItsCapacity) {
  std::string line;
  for (int i = 0; i < kMaxFields; ++i) line += "1 ";
  EXPECT_EQ(SplitFields(line).size(), static_cast<std::size_t>(kMaxFields));
  line += "1";
  EXPECT_THROW_MSG(SplitFields(line), CapacityError, "A line holds more than 1300 fields");
}

TEST(ReadFileBytes, ReadsWholeFilesAndNamesMissingOnes) {
  test::TempDir dir;
  const std::string bytes("a\r\nb\0c", 6);
  EXPECT_EQ(ReadFileBytes(dir.Write("x.ASC", bytes)), bytes);
  EXPECT_EQ(ReadFileBytes(dir.Write("empty.ASC", "")), "");
  EXPECT_THROW_MSG(ReadFileBytes(dir / "missing.ASC"), FileError,
                   "Cannot open '" + (dir / "missing.ASC").string() + "': No such file or directory");
  EXPECT_THROW_MSG(ReadFileBytes(dir.Path()), FileError,
                   "Cannot read '" + dir.Path().string() + "': it is a directory, not a regular file");
}

}  // namespace
}  // namespace specbridge

namespace specbridge {
namespace {

// Every quoted text of a message goes through one helper.
TEST(QuoteText, KeepsMessagesShortAndReadable) {
  const std::string longLine(50'000'000, '7');
  struct Case {
    std::string_view text;
    std::string quoted;
  };
  for (const Case& c : {
           Case{"1,5", "'1,5'"},
           Case{"", "''"},
           Case{std::string_view("a\0b\tc\x7f", 6), "'a\\x00b\\x09c\\x7f'"},
           // Shift-JIS: "wavelength" (two pairs), a half-width katakana, then
           // a lead byte without its trail and bytes that are no text.
           Case{"\x94\x67\x92\xB7 \xB1", "'\x94\x67\x92\xB7 \xB1'"},
           Case{"\x94\x0A\x80\xA0\xFD\xFF", "'\\x94\\x0a\\x80\\xa0\\xfd\\xff'"},
           Case{"\xE0", "'\\xe0'"},
           Case{std::string_view(longLine), "'" + std::string(60, '7') + "'... (50000000 bytes)"},
       }) {
    EXPECT_EQ(QuoteText(c.text), c.quoted);
  }
  // A message quoting a huge token stays short.
  EXPECT_THROW_MSG(TextToReal(longLine + "x"), ConversionError,
                   "'" + std::string(60, '7') + "'... (50000001 bytes) is not a valid floating point value");
}

}  // namespace
}  // namespace specbridge
