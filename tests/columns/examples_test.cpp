// The shipped examples through the sessions a chemist would run on them.
#include <filesystem>
#include <string>

#include "columns/columns.hpp"
#include "common/text.hpp"
#include "support/test_support.hpp"

namespace specbridge::columns {
namespace {

void OpenExample(ColumnTool& tool, const char* name) {
  const auto path = std::filesystem::path(SPECBRIDGE_EXAMPLES) / "columns" / name;
  tool.Open(ReadFileBytes(path), path.string());
}

// Absorbance to milli-absorbance in both spectra, back to a tab sheet.
TEST(ColumnExamples, TwoSpectraInMilliAbsorbance) {
  ColumnTool tool;
  OpenExample(tool, "two_spectra.txt");
  tool.ColumnCalculation1Click();
  Formula& f = tool.Math();
  f.firstOperator = Operator::kTimes;
  f.constant1 = "1000";
  for (int column : {1, 2}) {
    f.resultColumn = f.firstColumn = column;
    tool.ApplyClick();
  }
  tool.UpdateandReturnToMain1Click();
  tool.SpacesToTab1Click();
  EXPECT_TRUE(test::MatchesGolden("columns/expected/two_spectra_mau.txt", tool.SaveBytes()));
}

// A constant baseline taken off an instrument's blank-separated export.
TEST(ColumnExamples, BaselineOffABlankSeparatedExport) {
  ColumnTool tool;
  OpenExample(tool, "uv_blanks.txt");
  tool.ColumnCalculation1Click();
  tool.Math().resultColumn = tool.Math().firstColumn = 1;
  tool.Math().firstOperator = Operator::kMinus;
  tool.Math().constant1 = "0.05";
  tool.ApplyClick();
  tool.UpdateandReturnToMain1Click();
  tool.SpacesToTab1Click();
  EXPECT_TRUE(test::MatchesGolden("columns/expected/uv_blanks_baseline.txt", tool.SaveBytes()));
}

}  // namespace
}  // namespace specbridge::columns
