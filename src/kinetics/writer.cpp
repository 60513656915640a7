#include "kinetics/writer.hpp"

#include "common/numbers.hpp"

namespace specbridge::kinetics {
namespace {

// k tabs, none when k is zero or negative.
void Tabs(std::string& out, long long k) {
  if (k > 0) out.append(static_cast<std::size_t>(k), '\t');
}

void EndLine(std::string& out) { out += "\r\n"; }

}  // namespace

std::string WriteSpecfit2D(const KineticGrid& grid, const std::vector<int>& columns, int nm,
                           const Specfit2DTexts& texts) {
  const auto n = static_cast<long long>(columns.size());
  std::string out;
  std::size_t cells = 0;
  for (int r = 0; r < grid.RowCount(); ++r) {
    if (r == 0 || !grid.IsOmitted(r)) cells += grid.Cell(1, r).size() + 2;
  }
  out.reserve(cells + grid.TextSize() + (columns.size() + 4) * (static_cast<std::size_t>(grid.RowCount()) + 8));
  // Lines 1 to 6 are padded with tabs to n + 3 fields once n reaches 7.
  out.append(texts.comments1);
  Tabs(out, n + 2);
  EndLine(out);
  out.append(texts.comments2);
  Tabs(out, n + 2);
  EndLine(out);
  out += "X/Z Mode\tNm\tNw\tNc\tModel\tX-axis\tY-axis\tZ-axis\tPath\tTemp (C)";
  Tabs(out, n - 7);
  EndLine(out);
  out += "2\t" + IntText(nm, 3) + "\t" + IntText(n, 3) + "\t2\t4\t0\t0\t0\t1\t";
  out.append(texts.temperature);
  Tabs(out, n - 7);
  EndLine(out);
  out += "1\t0.00001";
  Tabs(out, n + 1);
  EndLine(out);
  out += "1\t0.0000";
  Tabs(out, n + 1);
  EndLine(out);
  out += "Data";
  for (const int c : columns) {
    out += '\t';
    out += grid.Cell(c, 0);
  }
  EndLine(out);
  for (int r = 1; r < grid.RowCount(); ++r) {
    if (grid.IsOmitted(r)) continue;
    out += grid.Cell(1, r);
    for (const int c : columns) {
      out += '\t';
      out += grid.Cell(c, r);
    }
    EndLine(out);
  }
  return out;
}

}  // namespace specbridge::kinetics
