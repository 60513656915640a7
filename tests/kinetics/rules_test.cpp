// The time axis, the wavelength selection rule and the omitting rules, run
// through the converter's spin editors as the user sets them.
#include <utility>

#include "common/errors.hpp"
#include "kinetics/converter.hpp"
#include "kinetics/rules.hpp"
#include "kinetics_test_support.hpp"

namespace specbridge::kinetics {
namespace {

using test::OmittedRows;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

struct Step {
  const char* spin;
  int value;
};

struct MarkCase {
  const char* name;
  int timeRows;
  std::vector<Step> steps;
  std::vector<int> omitted;
};

// A layout-A file of `rows` time rows and one wavelength.
std::string Matrix(int rows) {
  std::string line1 = "0", line2 = "400";
  for (int r = 1; r <= rows; ++r) {
    line1 += " " + std::to_string(r);
    line2 += " 0." + std::to_string(r);
  }
  return line1 + "\r\n" + line2 + "\r\n";
}

std::vector<int> Range(int from, int to) {
  std::vector<int> rows;
  for (int r = from; r <= to; ++r) rows.push_back(r);
  return rows;
}

class OmitMarks : public ::testing::TestWithParam<MarkCase> {};

TEST_P(OmitMarks, FollowTheRules) {
  const MarkCase& c = GetParam();
  KineticConverter converter;
  converter.Open(Matrix(c.timeRows), "m.txt");
  for (const Step& step : c.steps) converter.SetSpin(step.spin, step.value);
  EXPECT_THAT(OmittedRows(converter.Grid()), ElementsAreArray(c.omitted));
  EXPECT_EQ(converter.Boxes()["Part"], std::to_string(c.timeRows - static_cast<int>(c.omitted.size())));
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, OmitMarks,
    ::testing::Values(
        MarkCase{"UnitThreeOnTwentyRows", 20, {{"SpinEdit1", 3}}, {4, 6, 8, 10, 11, 12, 14, 15, 16, 18, 19, 20}},
        MarkCase{"UnitTwoAndBackToOne", 20, {{"SpinEdit1", 2}, {"SpinEdit1", 1}}, {}},
        MarkCase{"LowerThreeThenOne", 20, {{"SpinEdit3", 3}, {"SpinEdit3", 1}}, {1}},
        MarkCase{"LowerBackToZero", 20, {{"SpinEdit3", 3}, {"SpinEdit3", 0}}, {}},
        MarkCase{"UpperTwoOnTenRows", 10, {{"SpinEdit4", 2}}, {8, 9, 10}},
        MarkCase{"UpperTwoThenOne", 10, {{"SpinEdit4", 2}, {"SpinEdit4", 1}}, {9, 10}},
        // Back to 0 clears the last row too, not only up to R - 2.
        MarkCase{"UpperBackToZeroClearsTheLastRow", 10, {{"SpinEdit4", 2}, {"SpinEdit4", 0}}, {}},
        MarkCase{"UpperOneThenZeroThenTwo", 10, {{"SpinEdit4", 1}, {"SpinEdit4", 0}, {"SpinEdit4", 2}}, {8, 9, 10}},
        // Unit 1 clears L < r < R - H, which includes row R - H - 1 that the upper cut-off marked.
        MarkCase{"UnitOneAfterTheCutOffs",
                 10,
                 {{"SpinEdit3", 2}, {"SpinEdit4", 2}, {"SpinEdit1", 2}, {"SpinEdit1", 1}},
                 {1, 2, 9, 10}},
        // Unit 2 on 12 rows clears 1, 2, then 4, 6, then 10, 14: the group starting at 6 < R - H = 11
        // reaches row 10 inside the upper cut.
        MarkCase{"UnitGroupReachesIntoTheUpperCut", 12, {{"SpinEdit4", 2}, {"SpinEdit1", 2}}, {3, 5, 7, 8, 9, 11, 12}},
        // Clearing by a cut-off makes rows eligible whatever the unit decided.
        MarkCase{
            "LowerClearsRowsTheUnitMarked", 12, {{"SpinEdit3", 5}, {"SpinEdit1", 2}, {"SpinEdit3", 0}}, {8, 10, 12}},
        // A hidden previous value starts its cut-off again: L = 0 < Lprev = 6 clears rows 1 to 6.
        MarkCase{"HiddenPreviousValueStartsTheCutOff", 10, {{"SpinEdit1", 2}, {"SpinEdit5", 6}}, {7, 8, 9}},
        MarkCase{"SpinValuesAreClamped", 10, {{"SpinEdit4", 5000}}, Range(1, 10)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OmitMarks, RunningAHandlerAgainLeavesTheMarks) {
  KineticConverter converter;
  converter.Open(Matrix(20), "m.txt");
  const std::vector<std::pair<const char*, void (KineticConverter::*)()>> handlers = {
      {"SpinEdit3", &KineticConverter::SpinEdit3Change},
      {"SpinEdit4", &KineticConverter::SpinEdit4Change},
      {"SpinEdit1", &KineticConverter::SpinEdit1Change}};
  for (const int value : {3, 2, 1, 0}) {
    for (const auto& [spin, handler] : handlers) {
      converter.SetSpin(spin, value);
      const auto marks = OmittedRows(converter.Grid());
      (converter.*handler)();
      EXPECT_EQ(OmittedRows(converter.Grid()), marks) << spin << " = " << value;
    }
  }
}

TEST(OmitMarks, ACutOffOfZeroKeepsThePreviousValue) {
  KineticConverter converter;
  converter.Open(Matrix(10), "m.txt");
  converter.SetSpin("SpinEdit3", 3);
  converter.SetSpin("SpinEdit4", 2);
  converter.SetSpin("SpinEdit3", 0);
  converter.SetSpin("SpinEdit4", 0);
  EXPECT_EQ(converter.SpinValue("SpinEdit5"), 3);
  EXPECT_EQ(converter.SpinValue("SpinEdit6"), 2);
}

TEST(OmitMarks, AnOpenClearsTheMarksAndKeepsTheControls) {
  KineticConverter converter;
  converter.Open(Matrix(10), "m.txt");
  converter.SetSpin("SpinEdit1", 2);
  converter.SetSpin("SpinEdit3", 1);
  converter.Open(Matrix(12), "m.txt");
  EXPECT_THAT(OmittedRows(converter.Grid()), IsEmpty());
  EXPECT_EQ(converter.Boxes()["Part"], "12");
  EXPECT_EQ(converter.SpinValue("SpinEdit1"), 2);
  EXPECT_EQ(converter.SpinValue("SpinEdit3"), 1);
}

TEST(OmitMarks, BeforeTheFirstOpenTheEmptyTableIsMarkedLikeData) {
  KineticConverter converter;
  converter.SetSpin("SpinEdit3", 2);
  EXPECT_THAT(OmittedRows(converter.Grid()), ElementsAre(1, 2));
  EXPECT_EQ(converter.Boxes()["Part"], "2");
}

TEST(TimeAxis, ApplyFillsTheTimeColumn) {
  KineticConverter converter;
  converter.Open(Matrix(4), "m.txt");
  converter.Boxes().Set("DeadTime", "0.5");
  converter.Boxes().Set("Interval", "2");
  converter.Apply1Click();
  EXPECT_EQ(converter.Grid().Dump(), "\t\t400\r\n\t0.5\t0.1\r\n\t2.5\t0.2\r\n\t4.5\t0.3\r\n\t6.5\t0.4\r\n");
}

TEST(TimeAxis, TheIntervalTextCarriesItsRounding) {
  // (10 - 0) / 3 is shown with 15 digits; Apply reads that text back.
  KineticConverter converter;
  converter.Open("space\n x 2 1\n0 1 2\n1 1 2\n2 1 2\n10 1 2\n", "d.txt");
  EXPECT_EQ(converter.Boxes()["Interval"], "3.33333333333333");
  converter.Apply1Click();
  EXPECT_EQ(converter.Grid().Cell(1, 4), "9.99999999999999");
}

TEST(TimeAxis, ATextThatIsNoNumberChangesNothing) {
  KineticConverter converter;
  converter.Open(Matrix(2), "m.txt");
  converter.Boxes().Set("Interval", "2 s");
  EXPECT_THROW_MSG(converter.Apply1Click(), ConversionError, "Interval: '2 s' is not a valid floating point value");
  EXPECT_EQ(converter.Grid().Cell(1, 1), "1");
  converter.Boxes().Set("Interval", "1E308");
  converter.Boxes().Set("DeadTime", "1E308");
  EXPECT_THROW_MSG(converter.Apply1Click(), MathError, "Apply: Floating point overflow");
  EXPECT_EQ(converter.Grid().Cell(1, 1), "1");
}

struct SelectionCase {
  const char* name;
  const char* low;
  const char* high;
  int step;
  int anchor;
  std::vector<int> columns;
};

class WavelengthSelection : public ::testing::TestWithParam<SelectionCase> {};

// Wavelengths 400, 410, ... 510 nm in columns 2 to 13.
TEST_P(WavelengthSelection, SelectsEveryStepFromTheAnchor) {
  const SelectionCase& c = GetParam();
  KineticConverter converter;
  test::OpenFixture(converter, "matrix_20_times.txt");
  const ColumnSelection selection = SelectColumns(converter.Grid(), c.low, c.high, c.step);
  EXPECT_EQ(selection.anchor, c.anchor);
  EXPECT_THAT(selection.columns, ElementsAreArray(c.columns));
}

INSTANTIATE_TEST_SUITE_P(Rules, WavelengthSelection,
                         ::testing::Values(SelectionCase{"Everything", "400", "510", 1, 2, Range(2, 13)},
                                           // Column 2 stands at an even distance from the anchor but below the limit.
                                           SelectionCase{
                                               "StepTwoFromTheThirdColumn", "420", "510", 2, 4, {4, 6, 8, 10, 12}},
                                           SelectionCase{"AnyTextOfTheSameNumber", " 4.2E2 ", "460.0", 3, 4, {4, 7}},
                                           SelectionCase{"UpperLimitBetweenColumns", "400", "455", 1, 2, Range(2, 7)},
                                           SelectionCase{"UpperBelowLower", "450", "400", 1, 7, {}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WavelengthSelection, ALowerLimitThatIsNoWavelengthIsNamed) {
  KineticConverter converter;
  test::OpenFixture(converter, "matrix_20_times.txt");
  EXPECT_THROW_MSG(SelectColumns(converter.Grid(), "405", "510", 1), ConversionError,
                   "nmlow: '405' equals no wavelength in row 0");
  EXPECT_THROW_MSG(SelectColumns(converter.Grid(), "400", "x", 1), ConversionError,
                   "nmhigh: 'x' is not a valid floating point value");
  EXPECT_THROW_MSG(SelectColumns(converter.Grid(), "nmlow", "510", 1, {"TForm6.nmlow", "TForm6.nmhigh"}),
                   ConversionError, "TForm6.nmlow: 'nmlow' is not a valid floating point value");
  // A fresh window's empty table.
  EXPECT_THROW_MSG(SelectColumns(KineticGrid(), "400", "500", 1), ConversionError,
                   "row 0, column 2: '' is not a valid floating point value");
}

TEST(WavelengthSelection, TheCountGoesIntoPoints) {
  KineticConverter converter;
  test::OpenFixture(converter, "matrix_20_times.txt");
  converter.Boxes().Set("nmlow", "420");
  converter.nmlowExit();
  EXPECT_EQ(converter.Boxes()["Points"], "10");
  converter.SetSpin("SpinEdit2", 4);
  EXPECT_EQ(converter.Boxes()["Points"], "3");
  // A failing count leaves Points as it was.
  converter.Boxes().Set("nmhigh", "");
  EXPECT_THROW_MSG(converter.nmhighExit(), ConversionError, "nmhigh: '' is not a valid floating point value");
  EXPECT_EQ(converter.Boxes()["Points"], "3");
}

}  // namespace
}  // namespace specbridge::kinetics
