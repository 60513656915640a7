#include "kinetics/rules.hpp"

#include <algorithm>

#include "common/errors.hpp"
#include "common/numbers.hpp"

namespace specbridge::kinetics {
namespace {

double BoxReal(std::string_view box, std::string_view text) {
  return WithContext(box, [&] { return TextToReal(text); });
}

std::string CellPlace(int c, int r) { return "row " + std::to_string(r) + ", column " + std::to_string(c); }

void ClearRows(KineticGrid& grid, int from, int to) {
  for (int r = std::max(from, 1); r <= std::min(to, grid.RowCount() - 1); ++r) grid.Clear(r);
}

void MarkRows(KineticGrid& grid, int from, int to) {
  for (int r = std::max(from, 1); r <= std::min(to, grid.RowCount() - 1); ++r) grid.Mark(r);
}

}  // namespace

void FillTimeAxis(KineticGrid& grid, std::string_view deadTime, std::string_view interval) {
  const double t0 = BoxReal("DeadTime", deadTime);
  const double dt = BoxReal("Interval", interval);
  // Every time first, so an overflow leaves the column as it was.
  std::vector<double> times;
  times.reserve(static_cast<std::size_t>(grid.RowCount()));
  for (int r = 1; r < grid.RowCount(); ++r) {
    times.push_back(WithContext("Apply", [&] { return CheckedFinite(t0 + dt * (r - 1)); }));
  }
  for (int r = 1; r < grid.RowCount(); ++r) grid.SetCell(1, r, ShortReal(times[static_cast<std::size_t>(r - 1)]));
}

ColumnSelection SelectColumns(const KineticGrid& grid, std::string_view low, std::string_view high, int step,
                              LimitBoxes boxes) {
  const double lowLimit = BoxReal(boxes.low, low);
  const double highLimit = BoxReal(boxes.high, high);
  step = std::max(step, 1);
  const int columns = grid.ColumnCount();
  std::vector<double> wavelengths(static_cast<std::size_t>(std::max(columns, 0)));
  const auto wl = [&](int c) { return wavelengths[static_cast<std::size_t>(c)]; };
  ColumnSelection selection;
  // The anchor search stops at the first match; past the last column it
  // meets an empty cell, which is no number.
  int c = 2;
  for (;; ++c) {
    if (c >= columns) {
      throw ConversionError(std::string(boxes.low) + ": '" + std::string(low) + "' equals no wavelength in row 0");
    }
    wavelengths[static_cast<std::size_t>(c)] =
        WithContext([&] { return CellPlace(c, 0); }, [&] { return TextToReal(grid.Cell(c, 0)); });
    if (wl(c) == lowLimit) break;
  }
  selection.anchor = c;
  for (int d = c + 1; d < columns; ++d) {
    wavelengths[static_cast<std::size_t>(d)] =
        WithContext([&] { return CellPlace(d, 0); }, [&] { return TextToReal(grid.Cell(d, 0)); });
  }
  for (int d = 2; d < columns; ++d) {
    if (lowLimit <= wl(d) && wl(d) <= highLimit && (d - selection.anchor) % step == 0) selection.columns.push_back(d);
  }
  return selection;
}

void ApplyOmittingUnit(KineticGrid& grid, int unit, int lower, int upper) {
  const int rows = grid.RowCount();
  if (unit > 1) {
    MarkRows(grid, 1, rows - 1);
    int s = 1;
    int p = std::max(lower, 0);
    // The upper cut-off is tested before each group only, so the last group
    // may reach into the rows it cut.
    while (p < rows && p < rows - upper) {
      for (int i = 0; i < unit; ++i) {
        p += s;
        if (p < rows) grid.Clear(p);
      }
      s *= 2;
    }
    return;
  }
  ClearRows(grid, lower + 1, rows - upper - 1);
}

void ApplyLowerCutOff(KineticGrid& grid, int lower, int previous) {
  if (lower < previous) ClearRows(grid, lower + 1, previous);
  if (lower > 0) MarkRows(grid, 1, lower);
}

void ApplyUpperCutOff(KineticGrid& grid, int upper, int previous) {
  const int rows = grid.RowCount();
  // Back to 0 the last row is cleared as well: it is one of the H + 1 rows
  // the earlier cut-off marked, and no later rule would clear it.
  if (upper < previous) ClearRows(grid, rows - previous - 1, upper > 0 ? rows - upper - 2 : rows - 1);
  if (upper > 0) MarkRows(grid, rows - upper - 1, rows - 1);
}

}  // namespace specbridge::kinetics
