#include "common/text.hpp"

#include "common/errors.hpp"
#include "support/test_support.hpp"

namespace specbridge {
namespace {

using ::testing::ElementsAre;

TEST(LoadLines, CutsAtEveryKindOfLineEnd) {
  EXPECT_THAT(LoadLines("a\r\nb\rc\nd"), ElementsAre("a", "b", "c", "d"));
  EXPECT_THAT(LoadLines("a\n"), ElementsAre("a"));
  EXPECT_THAT(LoadLines("a\r\n\r\n"), ElementsAre("a", ""));
  EXPECT_THAT(LoadLines("\n\n"), ElementsAre("", ""));
  EXPECT_THAT(LoadLines(""), ElementsAre());
  EXPECT_THAT(LoadLines(std::string_view("a\nb\0c\nd", 7)), ElementsAre("a", "b"));
}

TEST(LoadLineViews, CutsExactlyAsLoadLines) {
  std::vector<std::string_view> views{"stale"};
  for (const std::string_view bytes : {std::string_view("a\r\nb\rc\nd"), std::string_view("a\n"),
                                       std::string_view("a\r\n\r\n"), std::string_view("\n\n"), std::string_view(""),
                                       std::string_view("\r\r\n\n\r"), std::string_view("a\nb\0c\nd", 7)}) {
    LoadLineViews(bytes, views);
    const auto lines = LoadLines(bytes);
    EXPECT_EQ(std::vector<std::string>(views.begin(), views.end()), lines) << bytes;
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
  EXPECT_EQ(reader.ReadLine(), "ab");
  EXPECT_EQ(reader.ReadLine(), "c 1");
  EXPECT_EQ(reader.LineNumber(), 3);
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
  EXPECT_THROW_MSG(SplitFields(line), CapacityError, "more than 1300 fields");
}

TEST(ReadFileBytes, ReadsWholeFilesAndNamesMissingOnes) {
  test::TempDir dir;
  const std::string bytes("a\r\nb\0c", 6);
  EXPECT_EQ(ReadFileBytes(dir.Write("x.ASC", bytes)), bytes);
  EXPECT_EQ(ReadFileBytes(dir.Write("empty.ASC", "")), "");
  EXPECT_THROW_MSG(ReadFileBytes(dir / "missing.ASC"), FileError, "missing.ASC': No such file or directory");
  EXPECT_THROW_MSG(ReadFileBytes(dir.Path()), FileError, "is a directory");
}

}  // namespace
}  // namespace specbridge

namespace specbridge {
namespace {

TEST(ReadCommaPoint, ReadsOneOrTwoCommas) {
  const auto plain = ReadCommaPoint("400.0,0.532");
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->wavelength, 400);
  EXPECT_EQ(plain->value, 0.532);
  // The thousands of 1100 nm cut off by a comma.
  const auto wide = ReadCommaPoint("1,100.0,0.532");
  ASSERT_TRUE(wide);
  EXPECT_EQ(wide->wavelength, 1100);
  EXPECT_EQ(wide->value, 0.532);
  EXPECT_FALSE(ReadCommaPoint(""));
  EXPECT_FALSE(ReadCommaPoint("400.0 0.5"));
  EXPECT_FALSE(ReadCommaPoint("1,2,3,4"));
  EXPECT_THROW_MSG(ReadCommaPoint("400.0,abs"), ConversionError, "'abs' is not a valid floating point value");
  EXPECT_THROW_MSG(ReadCommaPoint("1e306,0,1"), MathError, "overflow");
}

}  // namespace
}  // namespace specbridge
