// Any bytes as a sheet text of the column tool, then its menus in an order
// and with a formula that the last bytes choose. The tool lives across
// inputs, as its windows do, so the table and the formula carry over.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "columns/columns.hpp"
#include "common/errors.hpp"

namespace {

using namespace specbridge;
using namespace specbridge::columns;

template <class Body>
void Try(Body&& body) {
  try {
    body();
  } catch (const Failure&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  static ColumnTool tool;
  tool.Open(bytes, "fuzz.txt");
  const auto pick = [&](std::size_t back, int modulo) {
    return size > back ? static_cast<int>(data[size - 1 - back]) % modulo : 0;
  };
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
      if (tool.Sheet() != once) std::abort();
    }
  }
  Try([] { tool.ColumnCalculation1Click(); });
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
  Try([] { tool.ApplyClick(); });
  if (steps & 32) tool.UpdateandReturnToMain1Click();
  const std::string saved = tool.SaveBytes();
  // What was saved opens as the same lines.
  ColumnTool again;
  again.Open(saved, "again.txt");
  if (again.Sheet() != tool.Sheet()) std::abort();
  return 0;
}
