// "Apply" on tables split from short texts: each operator of each group, the
// order of the operands, rows that are skipped, results read again by a
// later formula, and the failures that stop a run part-way.
#include <functional>
#include <string>
#include <typeinfo>
#include <vector>

#include "columns/columns.hpp"
#include "common/text.hpp"
#include "support/test_support.hpp"

namespace specbridge::columns {
namespace {

using ::testing::ElementsAreArray;
using Op = Operator;

// Column numbers (result, first, second), operators (first, middle, second),
// constants and "Use the Second Term", as the window's controls read.
Formula Make(int t, int a, Op op1, const char* e1, bool second = false, Op op3 = Op::kPlus, int b = 0,
             Op op2 = Op::kTimes, const char* e2 = "1") {
  return Formula{t, a, op1, e1, op3, b, op2, e2, second};
}

struct MathCase {
  const char* name;
  std::vector<std::string> text;
  std::vector<Formula> formulas;  // applied in order
  std::vector<std::string> updated;
  const std::type_info* failure = nullptr;
  const char* message = "";
};

// Cases print as their names.
void PrintTo(const MathCase& c, std::ostream* os) { *os << c.name; }

class SimpleMath : public ::testing::TestWithParam<MathCase> {};

TEST_P(SimpleMath, GivesTheExpectedTextAfterUpdate) {
  const MathCase& c = GetParam();
  TreatmentTable table;
  SplitIntoTable(TextLines(c.text), table);
  try {
    for (const Formula& formula : c.formulas) ApplyFormula(formula, table);
    EXPECT_EQ(c.failure, nullptr) << "expected: " << c.message;
  } catch (const Failure& failure) {
    ASSERT_NE(c.failure, nullptr) << failure.Message();
    EXPECT_EQ(typeid(failure), *c.failure);
    EXPECT_EQ(failure.Message(), c.message);
  }
  TextLines text(c.text);
  UpdateSheet(table, text);
  EXPECT_THAT(text, ElementsAreArray(c.updated));
}

const std::vector<std::string> kFiveAndMinusTwo{"5 0", "-2 0"};
const std::vector<std::string> kThreeEight{"3 8 0"};
// (3 * 2) op (8 / 4): the first term on the left.
Formula Terms(Op op3) { return Make(2, 0, Op::kTimes, "2", true, op3, 1, Op::kDivide, "4"); }

INSTANTIATE_TEST_SUITE_P(
    Formulas, SimpleMath,
    ::testing::Values(
        MathCase{"TimesThousandFromColumnOneIntoTwo",
                 {"1 0.5 x", "2 0.25 y", "3"},
                 {Make(2, 1, Op::kTimes, "1000")},
                 {"1 0.5 500", "2 0.25 250", "3  "}},
        MathCase{"PlusAddsTheConstant", kFiveAndMinusTwo, {Make(1, 0, Op::kPlus, "2")}, {"5 7", "-2 0"}},
        MathCase{"MinusSubtractsTheConstant", kFiveAndMinusTwo, {Make(1, 0, Op::kMinus, "2")}, {"5 3", "-2 -4"}},
        MathCase{"TimesMultiplies", kFiveAndMinusTwo, {Make(1, 0, Op::kTimes, " 2E0 ")}, {"5 10", "-2 -4"}},
        MathCase{"DivideDividesTheCell", kFiveAndMinusTwo, {Make(1, 0, Op::kDivide, "2")}, {"5 2.5", "-2 -1"}},
        MathCase{"NoOperatorCopies", kFiveAndMinusTwo, {Make(1, 0, Op::kNone, "2")}, {"5 5", "-2 -2"}},
        MathCase{"TermsAdded", kThreeEight, {Terms(Op::kPlus)}, {"3 8 8"}},
        MathCase{"TermsSubtracted", kThreeEight, {Terms(Op::kMinus)}, {"3 8 4"}},
        MathCase{"TermsMultiplied", kThreeEight, {Terms(Op::kTimes)}, {"3 8 12"}},
        MathCase{"TermsDivided", kThreeEight, {Terms(Op::kDivide)}, {"3 8 3"}},
        MathCase{"NoMiddleOperatorGivesTheFirstTerm", kThreeEight, {Terms(Op::kNone)}, {"3 8 6"}},
        MathCase{"ResultIntoItsOwnOperand", {"2 1"}, {Make(0, 0, Op::kTimes, "3")}, {"6 1"}},
        MathCase{"RowsWithAnEmptyOperandKeepTheirResultCell",
                 {"1 2 9", "3", "4 5 6 7"},
                 {Make(2, 0, Op::kNone, "1", true, Op::kPlus, 1, Op::kNone, "1")},
                 {"1 2 3 ", "3   ", "4 5 9 7"}},
        MathCase{
            "UnusedSecondColumnIsNotChecked", {"4 0"}, {Make(1, 0, Op::kMinus, "1", false, Op::kPlus, 7)}, {"4 3"}},
        MathCase{"ResultsAreReadAgainAsFifteenDigitTexts",
                 {"1 0"},
                 {Make(1, 0, Op::kDivide, "3"), Make(1, 1, Op::kTimes, "3")},
                 {"1 0.999999999999999"}},
        MathCase{"NegativeZeroIsWrittenZero", {"0 5", "-0 5"}, {Make(1, 0, Op::kTimes, "-1")}, {"0 0", "-0 0"}},
        MathCase{"SmallResultsInScientificForm", {"3 0"}, {Make(1, 0, Op::kTimes, "1e-6")}, {"3 3E-6"}},
        MathCase{"TextInRowOneStopsAtOnce",
                 {"  wavelength", "400"},
                 {Make(1, 0, Op::kTimes, "2")},
                 {"  wavelength   ", "400   "},
                 &typeid(ConversionError),
                 "row 1, Column 0: '  wavelength' is not a valid floating point value"},
        MathCase{"RowsBeforeAFailureKeepTheirResults",
                 {"1 0", "2 0", "x 0", "4 0"},
                 {Make(1, 0, Op::kTimes, "2")},
                 {"1 2", "2 4", "x 0", "4 0"},
                 &typeid(ConversionError),
                 "row 3, Column 0: 'x' is not a valid floating point value"},
        MathCase{"SecondOperandNotANumber",
                 {"1 2 0", "3 - 0"},
                 {Make(2, 0, Op::kNone, "1", true, Op::kPlus, 1, Op::kNone, "1")},
                 {"1 2 3", "3 - 0"},
                 &typeid(ConversionError),
                 "row 2, Column 1: '-' is not a valid floating point value"},
        MathCase{"DivisionByZero",
                 {"1 0", "2 0"},
                 {Make(1, 0, Op::kDivide, "0")},
                 {"1 0", "2 0"},
                 &typeid(MathError),
                 "row 1, result Column 1: Division by zero"},
        MathCase{"ZeroByZeroBetweenTheTerms",
                 {"2 1 9", "0 0 9"},
                 {Make(2, 0, Op::kNone, "1", true, Op::kDivide, 1, Op::kTimes, "1")},
                 {"2 1 2", "0 0 9"},
                 &typeid(MathError),
                 "row 2, result Column 2: Invalid floating point operation (0 / 0)"},
        MathCase{"Overflow",
                 {"1E308 0"},
                 {Make(1, 0, Op::kTimes, "10")},
                 {"1E308 0"},
                 &typeid(MathError),
                 "row 1, result Column 1: Floating point overflow"},
        MathCase{"UnusedConstantStillConverted",
                 {"1 0"},
                 {Make(1, 0, Op::kTimes, "2", false, Op::kPlus, 0, Op::kTimes, "1,5")},
                 {"1 0"},
                 &typeid(ConversionError),
                 "Edit2: '1,5' is not a valid floating point value"},
        MathCase{"ResultColumnBeyondTheTable",
                 {"1 0"},
                 {Make(2, 0, Op::kTimes, "2")},
                 {"1 0"},
                 &typeid(NoSuchColumn),
                 "The result column 2 is not in the table, whose last column is 1"},
        MathCase{"SecondColumnBeyondTheTable",
                 {"1 0"},
                 {Make(1, 0, Op::kTimes, "2", true, Op::kPlus, 2)},
                 {"1 0"},
                 &typeid(NoSuchColumn),
                 "The second column 2 is not in the table, whose last column is 1"}),
    [](const auto& info) { return std::string(info.param.name); });

// A session as the windows run it: open, SpacesToTab, the split, three
// formulas (the second one with both terms), the update and the save.
TEST(ColumnTool, SessionOfSeveralStepsGivesTheGoldenFile) {
  ColumnTool tool;
  EXPECT_THAT(tool.Sheet(), ElementsAreArray({"Memo1"}));
  const auto input = test::DataPath("columns/irregular_blanks.txt");
  tool.Open(ReadFileBytes(input), input.string());
  EXPECT_EQ(tool.SheetFileName(), input.string());
  tool.SpacesToTab1Click();
  EXPECT_TRUE(test::MatchesGolden("columns/expected/irregular_blanks_tabs.txt", tool.SaveBytes()));
  tool.ColumnCalculation1Click();
  EXPECT_EQ(tool.LastColumn(), 2);
  tool.Math() = Make(1, 1, Op::kTimes, "1000");
  tool.ApplyClick();
  tool.Math() = Make(2, 2, Op::kTimes, "1000", true, Op::kMinus, 1, Op::kDivide, "4");
  tool.ApplyClick();
  tool.Math() = Make(0, 0, Op::kMinus, "400");
  tool.ApplyClick();
  tool.UpdateandReturnToMain1Click();
  EXPECT_TRUE(test::MatchesGolden("columns/expected/irregular_blanks_session.txt", tool.SaveBytes()));
}

TEST(ColumnTool, OpenCutsLinesAsATextBoxLoadsAFile) {
  ColumnTool tool;
  std::vector<std::string> warnings;
  tool.Open(std::string("a\n\rb\r\n\x1a\r\nc\0d", 12), "/data/x.txt",
            [&](std::string_view w) { warnings.emplace_back(w); });
  EXPECT_THAT(tool.Sheet(), ElementsAreArray({"a", "", "b", "\x1a", "c"}));
  EXPECT_THAT(warnings,
              ElementsAreArray(
                  {"x.txt, line 5: a NUL byte ends the text here; the remaining 2 bytes of the file are not read"}));
  EXPECT_EQ(tool.SaveBytes(), "a\r\n\r\nb\r\n\x1a\r\nc\r\n");
  tool.Open("", "empty.txt");
  EXPECT_EQ(tool.SaveBytes(), "");
}

}  // namespace
}  // namespace specbridge::columns
