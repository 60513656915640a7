#pragma once

// What goes from the grid into the file: the time axis, the wavelength
// selection rule and the omitting rules that mark time rows "Omit". The
// converter and its two views apply these with their own control values.

#include <string_view>
#include <vector>

#include "kinetics/grid.hpp"

namespace specbridge::kinetics {

// "Apply": time of row r := t0 + dt * (r - 1) as short real text, t0 and dt
// converted from the DeadTime and Interval texts. A text that is not a number
// throws ConversionError naming the box; the grid is unchanged then.
void FillTimeAxis(KineticGrid& grid, std::string_view deadTime, std::string_view interval);

// The wavelength columns to write: every step-th column counted from the
// anchor (the first column whose wavelength equals the lower limit exactly),
// inside the limits, in ascending column order.
struct ColumnSelection {
  int anchor = 0;
  std::vector<int> columns;
};

struct LimitBoxes {
  std::string_view low = "nmlow";
  std::string_view high = "nmhigh";
};

// A limit that is not a number, a wavelength cell that is not a number, or a
// lower limit that equals no wavelength (the search meets the empty text past
// the last column) throws ConversionError naming the box or the cell.
ColumnSelection SelectColumns(const KineticGrid& grid, std::string_view low, std::string_view high, int step,
                              LimitBoxes boxes = {});

// Omitting unit U (logarithmic thinning) with the lower cut-off L and the
// upper cut-off H. U > 1 marks every row, then clears U rows after L one
// apart, U rows two apart, four apart ... while the group starts below
// R - H. U = 1 clears the rows L < r < R - H.
void ApplyOmittingUnit(KineticGrid& grid, int unit, int lower, int upper);

// Lower cut-off L with the previous value Lprev: clears rows L + 1 .. Lprev
// when L went down, then marks rows 1 .. L.
void ApplyLowerCutOff(KineticGrid& grid, int lower, int previous);

// Upper cut-off H with the previous value Hprev: clears rows R - Hprev - 1 ..
// R - H - 2 when H went down (through the last row when H went back to 0),
// then marks the last H + 1 rows when H > 0.
void ApplyUpperCutOff(KineticGrid& grid, int upper, int previous);

}  // namespace specbridge::kinetics
