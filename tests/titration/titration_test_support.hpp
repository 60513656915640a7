#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "titration/titration.hpp"

namespace specbridge::titration::test {

// A series held in memory: spectrum k at point i is values[k][i].
inline TitrationSeries MakeSeries(const std::vector<double>& wavelengths,
                                  const std::vector<std::vector<double>>& values) {
  TitrationSeries series;
  series.PointCount = static_cast<int>(wavelengths.size());
  series.FileCount = series.UsedSpectrumCount = static_cast<int>(values.size());
  PlotRange range{1000, 0, 1000, 0};
  for (int i = 0; i < series.PointCount; ++i) {
    series.W(i) = wavelengths[static_cast<std::size_t>(i)];
    range.xLow = std::min(range.xLow, series.W(i));
    range.xHigh = std::max(range.xHigh, series.W(i));
    for (int k = 0; k < series.FileCount; ++k) {
      series.A(k, i) = values[static_cast<std::size_t>(k)][static_cast<std::size_t>(i)];
      range.yLow = std::min(range.yLow, series.A(k, i));
      range.yHigh = std::max(range.yHigh, series.A(k, i));
    }
  }
  series.DataRange = series.SelectedRange = range;
  return series;
}

// The boxes of the worked example: two titrant stocks from points 1 and 3.
inline BoxTexts ExampleBoxes() {
  BoxTexts boxes = DefaultBoxes();
  for (const auto& [name, text] : std::vector<std::pair<std::string, std::string>>{{"Comment1", "Titration A"},
                                                                                   {"Comment2", "pH 7"},
                                                                                   {"V0", "2"},
                                                                                   {"Vt", "0.01"},
                                                                                   {"CM", "0.0001"},
                                                                                   {"CH", "0"},
                                                                                   {"Temp", "25"},
                                                                                   {"No1", "1"},
                                                                                   {"CL1", "0.001"},
                                                                                   {"No2", "3"},
                                                                                   {"CL2", "0.01"}}) {
    boxes.Set(name, text);
  }
  return boxes;
}

}  // namespace specbridge::titration::test
