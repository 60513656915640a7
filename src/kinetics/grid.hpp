#pragma once

// The kinetic data grid: the one store of the kinetic-trace converter. Every
// cell is text, as the window's grid shows it; later steps convert cells to
// numbers only when they need them.
//
//   row 0, columns 2 .. C-1   wavelengths (nm)
//   column 1, rows 1 .. R-1   times (s)
//   column 0, rows 1 .. R-1   omit marks: "Omit" or empty
//   column c >= 2, row r >= 1 absorbance at wavelength c and time r

#include <string>
#include <string_view>
#include <vector>

namespace specbridge::kinetics {

inline constexpr std::string_view kOmitMark = "Omit";

// Capacities of the grid. A column index of the trace view's spin editor runs
// up to 3300, so C may reach 3301; the cell limit keeps a grid within a few
// hundred megabytes whatever a header announces.
inline constexpr int kMaxWavelengths = 3299;
inline constexpr int kMaxTimeRows = 20000;
inline constexpr long long kMaxCells = 4'000'000;

class KineticGrid {
 public:
  // A fresh window shows an empty table of 5 columns and 5 rows.
  KineticGrid() : KineticGrid(5, 5) {}
  KineticGrid(int columns, int rows);

  int ColumnCount() const { return columns_; }
  int RowCount() const { return rows_; }
  int WavelengthCount() const { return columns_ - 2; }
  int TimeRowCount() const { return rows_ - 1; }

  // Empty outside the grid: the anchor search meets the empty text past the
  // last column, as in the window.
  const std::string& Cell(int c, int r) const;
  // Requires 0 <= c < C and 0 <= r < R.
  void SetCell(int c, int r, std::string_view text);
  std::string& MutableCell(int c, int r);

  bool IsOmitted(int r) const { return Cell(0, r) == kOmitMark; }
  // Rows outside 1 .. R-1 are ignored.
  void Mark(int r);
  void Clear(int r);

  // Rows 1 .. R-1 without an omit mark.
  int KeptRowCount() const;

  // The grid as a tab-separated text, one CR LF line per row.
  std::string Dump() const;

 private:
  std::size_t Index(int c, int r) const {
    return static_cast<std::size_t>(r) * static_cast<std::size_t>(columns_) + static_cast<std::size_t>(c);
  }

  int columns_ = 0;
  int rows_ = 0;
  std::vector<std::string> cells_;  // row-major
};

// Throws CapacityError naming `name` when a grid of this size would pass a
// capacity; the readers call it before they store anything.
void CheckGridSize(long long wavelengths, long long timeRows, std::string_view name);

}  // namespace specbridge::kinetics
