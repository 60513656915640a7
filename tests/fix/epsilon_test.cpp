#include "fix/epsilon.hpp"

#include "case_name.hpp"
#include "common/errors.hpp"
#include "fix/fix_commands.hpp"
#include "fix/fix_file.hpp"
#include "support/test_support.hpp"

namespace specbridge::fix {
namespace {

using namespace std::string_literals;
using test::MatchesGolden;
using test::SameBytes;

// One epsilon file, its table and its FIX file, all worked out by hand.
struct GoldenCase {
  const char* input;
  const char* table;
  const char* fix;
};

class FixEpsilonGolden : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(FixEpsilonGolden, TableAndFixFileMatchByteForByte) {
  const GoldenCase& c = GetParam();
  const EpsilonData data = ReadEpsilonFile(test::DataPath(std::string("fix/") + c.input));
  EXPECT_TRUE(MatchesGolden(std::string("fix/") + c.table, EpsilonTableText(data)));
  EXPECT_TRUE(MatchesGolden(std::string("fix/") + c.fix, EpsilonFixText(data)));
}

// Comments, an empty line and a tab in the stream; a wavelength of 1000, a
// value of 1 000 000, negative values (one rounding to "-0.00"); S = 0; W = 1.
INSTANTIATE_TEST_SUITE_P(Files, FixEpsilonGolden,
                         ::testing::Values(GoldenCase{"two_spectraa.dem", "two_spectra.table", "two_spectra.fix"},
                                           GoldenCase{"no_spectruma.dem", "no_spectrum.table", "no_spectrum.fix"},
                                           GoldenCase{"one_wavelengtha.dem", "one_wavelength.table",
                                                      "one_wavelength.fix"}),
                         [](const auto& info) { return CaseName(info.param.table); });

// The golden inputs with LF-only and CR-only line ends: the same outputs. A
// CR-only file once read as one line and gave a table of zeros.
TEST_P(FixEpsilonGolden, EveryLineEndGivesTheSameFiles) {
  const GoldenCase& c = GetParam();
  const std::string bytes = ReadFileBytes(test::DataPath(std::string("fix/") + c.input));
  for (const std::string_view end : {"\n", "\r\n", "\r"}) {
    const EpsilonData data = ParseEpsilonData(test::WithLineEnds(bytes, end), c.input);
    EXPECT_TRUE(MatchesGolden(std::string("fix/") + c.table, EpsilonTableText(data))) << c.input;
    EXPECT_TRUE(MatchesGolden(std::string("fix/") + c.fix, EpsilonFixText(data))) << c.input;
  }
}

TEST(FixEpsilonRead, TheHeaderMaySpreadOverLines) {
  // Every number is looked for past blanks and line ends.
  const EpsilonData data = ParseEpsilonData("7\n1\n\n  3 trailing words\n400\n401 x\n402\n1.5e3\n2\n-3");
  EXPECT_EQ(data.spectrumCount, 1);
  EXPECT_EQ(data.wavelengthCount, 3);
  EXPECT_EQ(data.wavelengths, (std::vector<double>{400, 401, 402}));
  EXPECT_EQ(data.epsilon, (std::vector<double>{1500, 2, -3}));
}

// Missing numbers are never zeros: a file without data, or shorter than its
// header announces, is refused with both counts.
TEST(FixEpsilonRead, RefusesFilesWithoutAllTheirNumbers) {
  struct Case {
    std::string_view bytes;
    std::string_view message;
  };
  for (const Case& c : {
           Case{"", "xa.dem: the file holds no data"},
           Case{" \r\n\t\r\n", "xa.dem: the file holds no data"},
           Case{"0 2\n", "xa.dem: the header ends after 2 of its 3 integers (unused, spectra, wavelengths)"},
           Case{"0 0 0\n", "xa.dem: the header announces 0 wavelengths; the file holds no data"},
           Case{"0 2 0\n1\n", "xa.dem: the header announces 0 wavelengths; the file holds no data"},
           Case{"0 0 2\n",
                "xa.dem: the file ends after 0 of the 2 numbers its header announces (2 wavelengths, then "
                "0 spectra of 2 values)"},
           Case{"0 1 2 words\n400\n401\n0.5\n\n",
                "xa.dem: the file ends after 3 of the 4 numbers its header announces (2 wavelengths, then 1 spectra "
                "of 2 values)"},
           Case{"0 1 100000",
                "xa.dem: the file ends after 0 of the 200000 numbers its header announces (100000 wavelengths, then 1 "
                "spectra of 100000 values)"},
       }) {
    EXPECT_THROW_MSG(ParseEpsilonData(c.bytes, "xa.dem"), FileError, std::string(c.message));
  }
}

TEST(FixEpsilonRead, ANulByteEndsTheTextWithAWarning) {
  std::vector<std::string> warnings;
  const std::string bytes = "0 0 2\r\n400\r\n401\0\r\n402\r\n"s;
  const EpsilonData data =
      ParseEpsilonData(bytes, "xa.dem", [&](std::string_view text) { warnings.emplace_back(text); });
  EXPECT_EQ(data.wavelengths, (std::vector<double>{400, 401}));
  EXPECT_THAT(warnings, ::testing::ElementsAre("xa.dem, line 3: a NUL byte ends the text here; the remaining 8 bytes "
                                               "of the file are not read"));
  // Cut before the last value, the file is short of its header's count.
  EXPECT_THROW_MSG(ParseEpsilonData(std::string_view("0 0 2\n400\n\0"
                                                     "401\n",
                                                     15),
                                    "xa.dem"),
                   FileError,
                   "xa.dem: the file ends after 1 of the 2 numbers its header announces (2 wavelengths, then 0 spectra "
                   "of 2 values)");
}

TEST(FixEpsilonRead, OnlyTheFirstNumberOfALineCounts) {
  // "401 402" is one wavelength line; 402 must not become the next wavelength.
  const EpsilonData data = ParseEpsilonData("0 1 2\r\n400 999\r\n401 402\r\n5 6\r\n7\r\n");
  EXPECT_EQ(data.wavelengths, (std::vector<double>{400, 401}));
  EXPECT_EQ(data.epsilon, (std::vector<double>{5, 7}));
}

TEST(FixEpsilonRead, BlocksFollowInSpectrumOrder) {
  const EpsilonData data = ParseEpsilonData("0 3 2\n1\n2\n10\n11\n20\n21\n30\n31\ntrailing text is ignored\n");
  ASSERT_EQ(data.spectrumCount, 3);
  EXPECT_EQ(std::vector<double>(data.Spectrum(0).begin(), data.Spectrum(0).end()), (std::vector<double>{10, 11}));
  EXPECT_EQ(std::vector<double>(data.Spectrum(2).begin(), data.Spectrum(2).end()), (std::vector<double>{30, 31}));
}

TEST(FixEpsilonRead, RefusesBadHeadersAndTokens) {
  EXPECT_THROW_MSG(ParseEpsilonData("0 -1 3\n", "xa.dem"), ConversionError,
                   "xa.dem: the header announces -1 spectra; a count cannot be negative");
  EXPECT_THROW_MSG(ParseEpsilonData("0 2 -3\n", "xa.dem"), ConversionError,
                   "xa.dem: the header announces -3 wavelengths; a count cannot be negative");
  EXPECT_THROW_MSG(ParseEpsilonData("0 2 3.0\n", "xa.dem"), ConversionError,
                   "xa.dem, line 1: '3.0' is not a valid integer value");
  EXPECT_THROW_MSG(ParseEpsilonData("0 1 2\n400\n\n4o1\n", "xa.dem"), ConversionError,
                   "xa.dem, line 4: '4o1' is not a valid floating point value");
  EXPECT_THROW_MSG(ParseEpsilonData("0 1 1\n400\n1,5\n"), ConversionError,
                   "line 3: '1,5' is not a valid floating point value");
  // Binary bytes are escaped in the message, not shown raw.
  EXPECT_THROW_MSG(ParseEpsilonData("0 1 1\r400\r\x01\x02\xff\r"), ConversionError,
                   "line 3: '\\x01\\x02\\xff' is not a valid floating point value");
}

TEST(FixEpsilonRead, RefusesSizesBeyondTheLimitsBeforeStoringAnything) {
  // A few bytes would otherwise ask for gigabytes of zeros.
  EXPECT_THROW_MSG(ParseEpsilonData("0 2000000000 2000000000\n", "big.dem"), CapacityError,
                   "big.dem: the header announces 2000000000 spectra; at most 1000 are supported");
  EXPECT_THROW_MSG(ParseEpsilonData("0 1 2000000\n"), CapacityError,
                   "the header announces 2000000 wavelengths; at most 100000 are supported");
  EXPECT_THROW_MSG(ParseEpsilonData("0 1000 100000\n"), CapacityError,
                   "the header announces 1000 spectra of 100000 wavelengths; at most 2000000 values are supported");
  // The 14 bytes that once gave a 127 MB .fix file of zeros.
  EXPECT_THROW_MSG(ParseEpsilonData("0 10 1000000", "xa.dem"), CapacityError,
                   "xa.dem: the header announces 1000000 wavelengths; at most 100000 are supported");
}

TEST(FixEpsilonRead, MissingFileNamesItself) {
  EXPECT_THROW_MSG(ReadEpsilonFile("/no/such/dir/xa.dem"), FileError,
                   "Cannot open '/no/such/dir/xa.dem': No such file or directory");
}

TEST(FixEpsilonFix, ThreeSpectraOf201WavelengthsGiveAHeaderAndFourLines) {
  std::string file = "0 3 201\r\n";
  for (int w = 0; w < 201; ++w) file += std::to_string(300 + w) + "\r\n";
  for (int s = 0; s < 3; ++s) {
    for (int w = 0; w < 201; ++w) file += std::to_string((s + 1) * w) + "\r\n";
  }
  const std::string fix = EpsilonFixText(ParseEpsilonData(file));
  const std::vector<std::string> lines = [&] {
    std::vector<std::string> out;
    for (std::size_t start = 0; start < fix.size();) {
      const std::size_t end = fix.find("\r\n", start);
      out.push_back(fix.substr(start, end - start));
      start = end + 2;
    }
    return out;
  }();
  ASSERT_EQ(lines.size(), 5U);
  EXPECT_EQ(lines[0], " 4             1             201  ");
  EXPECT_EQ(lines[1].size(), 201U * 8);
  EXPECT_TRUE(lines[1].starts_with(" 300.00  301.00 "));
  EXPECT_TRUE(lines[1].ends_with(" 500.00 "));
  EXPECT_EQ(lines[3].size(), 201U * 12);
  EXPECT_TRUE(lines[3].ends_with("    400.000 "));  // 2 x 200
  EXPECT_TRUE(lines[4].starts_with("      0.000       3.000 "));
}

TEST(FixFileColumns, OneNumberPerLineWithoutBlanksAround) {
  const std::vector<double> wavelengths = {400, 1000.004}, values = {-0.5, 1234567.8916};
  EXPECT_TRUE(SameBytes(" 2             1               2  \r\n400.00\r\n1000.00\r\n    -0.500\r\n1234567.892\r\n",
                        FixColumnsText(wavelengths, values)));
}

TEST(FixFileRows, HeaderGrowsBeyondTwoCharactersForManySpectra) {
  const std::vector<double> wavelengths = {400};
  const std::vector<double> value = {1};
  const std::vector<std::span<const double>> spectra(120, value);
  const std::string text = FixRowsText(wavelengths, spectra);
  EXPECT_TRUE(text.starts_with("121             1               1  \r\n 400.00 \r\n      1.000 \r\n"));
}

TEST(FixFileWrite, WritersReplaceTheTargetWhole) {
  const test::TempDir dir;
  const auto target = dir.Write("out.fix", "old content that is longer than the new one\r\n");
  const std::vector<double> wavelengths = {400}, values = {2};
  WriteFixColumns(target, wavelengths, values);
  EXPECT_EQ(test::Slurp(target), " 2             1               1  \r\n400.00\r\n     2.000\r\n");
  const std::span<const double> rows[] = {values};
  WriteFixRows(target, wavelengths, rows);
  EXPECT_EQ(test::Slurp(target), " 2             1               1  \r\n 400.00 \r\n      2.000 \r\n");
  WriteEpsilonTable(target, ParseEpsilonData("0 1 1\n400\n2\n"));
  EXPECT_EQ(test::Slurp(target), "400.00\t         2.00\r\n");
  EXPECT_THROW_MSG(WriteEpsilonTable(dir / "no/such/dir/t", ParseEpsilonData("0 0 1\n400\n")), FileError,
                   "Cannot create '" + (dir / "no/such/dir/t").string() + "': No such file or directory");
}

}  // namespace
}  // namespace specbridge::fix
