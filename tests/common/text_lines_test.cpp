// TextLines against a plain vector of strings: the same lines after any mix
// of changes, including a line set from a view of the buffer itself.
#include "common/text_lines.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "common/text.hpp"

namespace specbridge {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

TEST(TextLines, LoadsAsLoadLinesCuts) {
  for (const std::string& bytes : {std::string("a\r\nb\rc\n\nd"), std::string("\r\r\n"), std::string(""),
                                   std::string("x\n"), std::string("x\0y\nz", 5)}) {
    EXPECT_THAT(TextLines::Load(bytes), ElementsAreArray(LoadLines(bytes))) << bytes;
  }
  EXPECT_EQ(TextLines::Load("a\rb").Joined("\r\n"), "a\r\nb\r\n");
}

TEST(TextLines, MatchesAVectorOfStringsUnderRandomChanges) {
  std::mt19937 random(7);
  TextLines lines = TextLines::Load("one\ntwo\nthree");
  std::vector<std::string> expected{"one", "two", "three"};
  for (int step = 0; step < 5000; ++step) {
    const std::size_t i = random() % expected.size();
    const std::size_t j = random() % expected.size();
    switch (random() % 4) {
      case 0: {  // longer, from outside
        const std::string text(random() % 40, static_cast<char>('a' + step % 26));
        lines.Set(i, text);
        expected[i] = text;
        break;
      }
      case 1: {  // a part of another line: a view of the buffer itself
        const std::string_view other = lines[j];
        const std::size_t from = other.empty() ? 0 : random() % other.size();
        lines.Set(i, other.substr(from));
        expected[i] = expected[j].substr(from);
        break;
      }
      case 2:  // a copy of a line appended
        if (expected.size() < 50) {
          lines.push_back(lines[j]);
          expected.push_back(expected[j]);
        }
        break;
      default:
        lines.Replace('a', 'b');
        for (std::string& line : expected) std::replace(line.begin(), line.end(), 'a', 'b');
    }
    ASSERT_THAT(lines, ElementsAreArray(expected)) << "step " << step;
  }
  EXPECT_EQ(lines, TextLines(expected));
  EXPECT_NE(lines, TextLines{"one"});
}

}  // namespace
}  // namespace specbridge
