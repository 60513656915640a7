#include <algorithm>

#include "common/numbers.hpp"
#include "kinetics/converter.hpp"
#include "species/species.hpp"
#include "titration/titration.hpp"

namespace specbridge::species {

AbsorbanceMatrix TitrationMatrix(const titration::TitrationSeries& series) {
  const PlotRange& range = series.SelectedRange;
  std::vector<int> points;
  // The writer's test: the range widened by 1 nm on both sides.
  for (int i = 0; i < series.PointCount; ++i) {
    if (range.xLow - 1 < series.W(i) && series.W(i) < range.xHigh + 1) points.push_back(i);
  }
  const int spectra = std::clamp(series.UsedSpectrumCount, 0, series.FileCount);
  if (spectra < 1) throw EmptySelection("The series holds no spectra");
  if (points.empty()) {
    throw EmptySelection("No wavelength of the series lies between " + ShortReal(range.xLow) + " and " +
                         ShortReal(range.xHigh) + " nm");
  }
  AbsorbanceMatrix matrix;
  matrix.wavelengths = static_cast<int>(points.size());
  matrix.spectra = spectra;
  CheckDecomposable(matrix.wavelengths, matrix.spectra);
  matrix.values.reserve(points.size() * static_cast<std::size_t>(spectra));
  for (int k = 0; k < spectra; ++k) {
    for (const int i : points) matrix.values.push_back(series.A(k, i));
  }
  matrix.firstWavelength = ShortReal(series.W(points.front()));
  matrix.lastWavelength = ShortReal(series.W(points.back()));
  return matrix;
}

AbsorbanceMatrix KineticMatrix(const kinetics::KineticConverter& converter) {
  const kinetics::KineticGrid& grid = converter.Grid();
  const BoxTexts& boxes = converter.Boxes();
  const auto selection =
      kinetics::SelectColumns(grid, boxes["nmlow"], boxes["nmhigh"], converter.SpinValue("SpinEdit2"));
  if (selection.columns.empty()) {
    throw EmptySelection("No wavelength column lies between nmlow " + boxes["nmlow"] + " and nmhigh " +
                         boxes["nmhigh"]);
  }
  std::vector<int> rows;
  for (int r = 1; r < grid.RowCount(); ++r) {
    if (!grid.IsOmitted(r)) rows.push_back(r);
  }
  if (rows.empty()) throw EmptySelection("Every time row is marked Omit");
  AbsorbanceMatrix matrix;
  matrix.wavelengths = static_cast<int>(selection.columns.size());
  matrix.spectra = static_cast<int>(rows.size());
  CheckDecomposable(matrix.wavelengths, matrix.spectra);
  matrix.values.reserve(selection.columns.size() * rows.size());
  for (const int r : rows) {
    for (const int c : selection.columns) {
      matrix.values.push_back(WithContext(
          [&] {
            return "Wavelength " + std::string(grid.Cell(c, 0)) + " nm, time row " + std::to_string(r) + " (time " +
                   std::string(grid.Cell(1, r)) + ")";
          },
          [&] { return TextToReal(grid.Cell(c, r)); }));
    }
  }
  matrix.firstWavelength = grid.Cell(selection.columns.front(), 0);
  matrix.lastWavelength = grid.Cell(selection.columns.back(), 0);
  return matrix;
}

}  // namespace specbridge::species
