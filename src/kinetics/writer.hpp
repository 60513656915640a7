#pragma once

// The SPECFIT 2D-format file for kinetics (X/Z mode 2, model 4): two comment
// lines, the header and its values, two fixed lines, the "Data" line of
// wavelengths and one line per kept time row. Cells are copied as text.

#include <string>
#include <string_view>
#include <vector>

#include "kinetics/grid.hpp"

namespace specbridge::kinetics {

struct Specfit2DTexts {
  std::string_view comments1;
  std::string_view comments2;
  std::string_view temperature;
};

// The whole file, CR LF lines, for the selected `columns` (ascending) and the
// rows without an omit mark. `nm` is the spectrum count written on line 4.
std::string WriteSpecfit2D(const KineticGrid& grid, const std::vector<int>& columns, int nm,
                           const Specfit2DTexts& texts);

}  // namespace specbridge::kinetics
