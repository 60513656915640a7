#include "kinetics/grid.hpp"

#include <cassert>

#include "common/errors.hpp"

namespace specbridge::kinetics {

KineticGrid::KineticGrid(int columns, int rows)
    : columns_(columns), rows_(rows), cells_(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows)) {
  assert(columns >= 0 && rows >= 1);
}

const std::string& KineticGrid::Cell(int c, int r) const {
  static const std::string empty;
  if (c < 0 || c >= columns_ || r < 0 || r >= rows_) return empty;
  return cells_[Index(c, r)];
}

void KineticGrid::SetCell(int c, int r, std::string_view text) { MutableCell(c, r).assign(text); }

std::string& KineticGrid::MutableCell(int c, int r) {
  assert(c >= 0 && c < columns_ && r >= 0 && r < rows_);
  return cells_[Index(c, r)];
}

void KineticGrid::Mark(int r) {
  if (r >= 1 && r < rows_ && columns_ > 0) SetCell(0, r, kOmitMark);
}

void KineticGrid::Clear(int r) {
  if (r >= 1 && r < rows_ && columns_ > 0) MutableCell(0, r).clear();
}

int KineticGrid::KeptRowCount() const {
  int kept = 0;
  for (int r = 1; r < rows_; ++r) kept += IsOmitted(r) ? 0 : 1;
  return kept;
}

std::string KineticGrid::Dump() const {
  std::string out;
  for (int r = 0; r < rows_; ++r) {
    for (int c = 0; c < columns_; ++c) {
      if (c > 0) out += '\t';
      out += cells_[Index(c, r)];
    }
    out += "\r\n";
  }
  return out;
}

void CheckGridSize(long long wavelengths, long long timeRows, std::string_view name) {
  const auto refuse = [&](const std::string& what) { throw CapacityError(std::string(name) + ": " + what); };
  if (wavelengths > kMaxWavelengths) {
    refuse(std::to_string(wavelengths) + " wavelengths; the grid holds at most " + std::to_string(kMaxWavelengths));
  }
  if (timeRows > kMaxTimeRows) {
    refuse(std::to_string(timeRows) + " time rows; the grid holds at most " + std::to_string(kMaxTimeRows));
  }
  if ((wavelengths + 2) * (timeRows + 1) > kMaxCells) {
    refuse(std::to_string(wavelengths) + " wavelengths by " + std::to_string(timeRows) +
           " time rows; the grid holds at most " + std::to_string(kMaxCells) + " cells");
  }
}

}  // namespace specbridge::kinetics
