// Reading a MultiSpec kinetics file: the header fields at their fixed
// positions, the value lines, the line ends and what makes a file unusable.
#include "common/text.hpp"
#include "simple_kinetics/trace_data.hpp"
#include "simple_kinetics_test_support.hpp"
#include "support/test_support.hpp"

namespace specbridge::simple_kinetics {
namespace {

using test::Blocks;
using test::FailureOf;
using test::Header;
using test::TraceFile;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

TEST(SimpleTraceReader, ReadsTheExampleFile) {
  const std::string bytes = ReadFileBytes(specbridge::test::DataPath("simple_kinetics/five_wavelengths.ASC"));
  const SimpleTraceData data = ReadSimpleTrace(bytes, "five_wavelengths.ASC");
  EXPECT_EQ(data.W1, 400);
  EXPECT_EQ(data.W2, 408);
  EXPECT_EQ(data.Nw, 5);
  EXPECT_EQ(data.T1, 0);
  EXPECT_EQ(data.T2, 0.375);
  EXPECT_EQ(data.Nr, 4);
  EXPECT_THAT(data.values, ElementsAre(0.101, 0.102, 0.103, 0.104, 0.105, 0.201, 0.202, -0.00005, 0.204, 0.205, 0.301,
                                       0.302, 0.303, 0.304, 12.34567, 0.00005, 0.402, 0.403, 0.404, 0.405));
  EXPECT_EQ(data.Value(2, 3), -0.00005);
  EXPECT_THAT(data.marks, ElementsAre(1, 1, 1, 1));
  EXPECT_EQ(data.Ns, 4);
}

struct ReadCase {
  const char* name;
  std::string bytes;
  std::vector<double> values;
  // Test names in CTest show the case name, not its bytes.
  friend void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }
};

class ReadValues : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadValues, AsTheLineRuleGivesThem) {
  const SimpleTraceData data = ReadSimpleTrace(GetParam().bytes, "t.ASC");
  EXPECT_THAT(data.values, ElementsAreArray(GetParam().values));
}

const Header kTwoByTwo{.W1 = "400", .W2 = "402", .Nw = "2", .T1 = "0", .T2 = "1", .Nr = "2"};

INSTANTIATE_TEST_SUITE_P(
    Files, ReadValues,
    ::testing::Values(
        ReadCase{"CrLf", TraceFile(kTwoByTwo, {"##A", "1", "2", "##B", "3", "4"}), {1, 2, 3, 4}},
        ReadCase{"LfOnly", TraceFile(kTwoByTwo, {"##A", "1", "2", "##B", "3", "4"}, "\n"), {1, 2, 3, 4}},
        // Every CR is dropped from its line, wherever it stands.
        ReadCase{"CrInsideAValue", TraceFile(kTwoByTwo, {"0.12\r34", "\r2", "3\r\r", "4"}), {0.1234, 2, 3, 4}},
        ReadCase{"NoFinalLineEnd", TraceFile(kTwoByTwo, {"1", "2", "3"}) + "4", {1, 2, 3, 4}},
        // Line 19 is data like any other; only "#" in character 1 skips a line.
        ReadCase{"NoBlockLines", TraceFile(kTwoByTwo, {"1", "2", "3", "4"}), {1, 2, 3, 4}},
        ReadCase{"BlanksAroundValues", TraceFile(kTwoByTwo, {" 1", "2 ", "  3  ", "#4", "4E0"}), {1, 2, 3, 4}},
        // Values past Nr runs are checked but not kept.
        ReadCase{"ExtraValues", TraceFile(kTwoByTwo, {"1", "2", "3", "4", "5", "##END="}), {1, 2, 3, 4}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SimpleTraceReader, HeaderLabelsAreNotCompared) {
  std::string bytes = TraceFile(kTwoByTwo, {"1", "2", "3", "4"});
  const std::vector<std::pair<std::string, std::string>> labels = {
      {"##FIRSTX=400", "FIRST....-1.5"}, {"##LASTX=402", "LAST....2.5E2"}, {"##NPOINTS=2", "POINTS...+2"},
      {"##FIRSTT=0", "xxxxxxxxx 7"},     {"##LASTT=1", "yyyyyyyy9"},       {"##NPOINTS=2\r\n1", "NNNNNNNNNN2\r\n1"}};
  for (const auto& [from, to] : labels) bytes.replace(bytes.find(from), from.size(), to);
  const SimpleTraceData data = ReadSimpleTrace(bytes, "t.ASC");
  EXPECT_EQ(data.W1, -1.5);
  EXPECT_EQ(data.W2, 250);
  EXPECT_EQ(data.Nw, 2);
  EXPECT_EQ(data.T1, 7);
  EXPECT_EQ(data.T2, 9);
  EXPECT_EQ(data.Nr, 2);
}

struct FailCase {
  const char* name;
  std::string bytes;
  std::string failure;
  // Test names in CTest show the case name, not its bytes.
  friend void PrintTo(const FailCase& c, std::ostream* os) { *os << c.name; }
};

class RefusedFiles : public ::testing::TestWithParam<FailCase> {};

TEST_P(RefusedFiles, NameTheFileTheLineAndTheText) {
  EXPECT_EQ(FailureOf([&] { ReadSimpleTrace(GetParam().bytes, "t.ASC"); }), GetParam().failure);
}

std::string HeaderLines(int count) {
  const std::string full = TraceFile(kTwoByTwo, {});
  std::size_t end = 0;
  for (int n = 0; n < count; ++n) end = full.find('\n', end) + 1;
  return full.substr(0, end);
}

Header With(std::string Header::*field, std::string text) {
  Header h;
  h.*field = std::move(text);
  return h;
}

INSTANTIATE_TEST_SUITE_P(
    Files, RefusedFiles,
    ::testing::Values(
        FailCase{"FirstWavelength", TraceFile(With(&Header::W1, "4OO"), Blocks(4, 5)),
                 "ConversionError: t.ASC, line 11: '4OO' is not a valid floating point value"},
        FailCase{"LastTimeEmpty", TraceFile(With(&Header::T2, ""), Blocks(4, 5)),
                 "ConversionError: t.ASC, line 17: '' is not a valid floating point value"},
        FailCase{"CountWithTrailingBlank", TraceFile(With(&Header::Nw, "5 "), Blocks(4, 5)),
                 "ConversionError: t.ASC, line 13: '5 ' is not a valid integer value"},
        FailCase{"CountWithPoint", TraceFile(With(&Header::Nr, "4.0"), Blocks(4, 5)),
                 "ConversionError: t.ASC, line 18: '4.0' is not a valid integer value"},
        FailCase{"NoWavelength", TraceFile(With(&Header::Nw, "0"), Blocks(4, 5)),
                 "ConversionError: t.ASC, line 13: the header announces 0 wavelengths; at least 1 is needed"},
        FailCase{"NegativeRuns", TraceFile(With(&Header::Nr, "-2"), Blocks(4, 5)),
                 "ConversionError: t.ASC, line 18: the header announces -2 runs; at least 1 is needed"},
        FailCase{"HeaderCutShort", HeaderLines(15),
                 "FileError: t.ASC, line 16 is missing: the file ends after line 15"},
        FailCase{"EmptyFile", "", "FileError: t.ASC, line 11 is missing: the file ends after line 0"},
        // Without LF the whole file is line 1.
        FailCase{"CrOnlyLineEnds", TraceFile(kTwoByTwo, {"1", "2", "3", "4"}, "\r"),
                 "FileError: t.ASC, line 11 is missing: the file ends after line 1"},
        FailCase{"EmptyLine", TraceFile(Header(), {"1", "", "3"}),
                 "ConversionError: t.ASC, line 20: '' is not a valid floating point value"},
        FailCase{"LineOfBlanks", TraceFile(Header(), {"1", "   "}),
                 "ConversionError: t.ASC, line 20: '   ' is not a valid floating point value"},
        FailCase{"ValueWithTab", TraceFile(Header(), {"0.5\t"}),
                 "ConversionError: t.ASC, line 19: '0.5\\x09' is not a valid floating point value"},
        FailCase{"FinalBlankLine", TraceFile(kTwoByTwo, {"1", "2", "3", "4", ""}),
                 "ConversionError: t.ASC, line 23: '' is not a valid floating point value"},
        FailCase{"FewerValuesThanAnnounced", TraceFile(Header(), {"1", "2", "3"}),
                 "FileError: t.ASC: the header announces 4 runs of 5 wavelengths (20 values), but the file holds 3 "
                 "values"},
        FailCase{"MoreRunsThanLines", TraceFile(With(&Header::Nr, "1000"), Blocks(4, 5)),
                 "FileError: t.ASC: the header announces 1000 runs of 5 wavelengths (5000 values), but the file "
                 "holds 20 values"},
        FailCase{"BeyondCapacity",
                 TraceFile(Header{.W1 = "400", .W2 = "408", .Nw = "4000", .T1 = "0", .T2 = "1", .Nr = "4001"}, {}),
                 "CapacityError: t.ASC, line 18: 4001 runs of 4000 wavelengths exceed the limit of 16000000 values"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace specbridge::simple_kinetics
