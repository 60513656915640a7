// Any bytes as a sheet text of the column tool, then its menus in an order
// and with a formula that the last bytes choose. Each input starts from a
// fresh tool.
#include <string>
#include <string_view>

#include "columns/columns.hpp"
#include "fuzz_support.hpp"

using namespace specbridge;
using namespace specbridge::columns;
using fuzz::Check;
using fuzz::Try;

SPECBRIDGE_FUZZ_TARGET(bytes) {
  ColumnTool tool;
  tool.Open(bytes, "fuzz.txt");
  const auto pick = [&](std::size_t back, int modulo) { return fuzz::Pick(bytes, back, modulo); };
  const int steps = pick(0, 64);
  if (steps & 1) tool.TabToSpace1Click();
  if (steps & 2) {
    bool converted = false;
    Try([&] {
      tool.SpacesToTab1Click();
      converted = true;
    });
    if (converted) {
      // A converted text has no blank between fields left: a second run changes nothing.
      const auto once = tool.Sheet();
      tool.SpacesToTab1Click();
      Check(tool.Sheet() == once);
    }
  }
  Try([&] { tool.ColumnCalculation1Click(); });
  Formula& f = tool.Math();
  f.resultColumn = pick(1, 5);
  f.firstColumn = pick(2, 5);
  f.secondColumn = pick(3, 5);
  f.firstOperator = static_cast<Operator>(pick(4, 5));
  f.middleOperator = static_cast<Operator>(pick(5, 5));
  f.secondOperator = static_cast<Operator>(pick(6, 5));
  f.useSecondTerm = (steps & 4) != 0;
  f.constant1 = (steps & 8) ? "0" : "-2.5E3";
  f.constant2 = (steps & 16) ? "1e308" : "3";
  Try([&] { tool.ApplyClick(); });
  if (steps & 32) tool.UpdateandReturnToMain1Click();
  const std::string saved = tool.SaveBytes();
  // What was saved opens as the same lines.
  ColumnTool again;
  again.Open(saved, "again.txt");
  Check(again.Sheet() == tool.Sheet());
}
