#pragma once

// The kinetic data grid: the one store of the kinetic-trace converter. Every
// cell is text, as the window's grid shows it; later steps convert cells to
// numbers only when they need them.
//
//   row 0, columns 2 .. C-1   wavelengths (nm)
//   column 1, rows 1 .. R-1   times (s)
//   column 0, rows 1 .. R-1   omit marks: "Omit" or empty
//   column c >= 2, row r >= 1 absorbance at wavelength c and time r

#include <cstdint>
#include <memory>
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
  // At least 2 columns and 1 row. Value cells that are pieces of `source`
  // (the file a reader reads) are kept as places in it rather than copies.
  KineticGrid(int columns, int rows, std::shared_ptr<const std::string> source = nullptr);

  int ColumnCount() const { return columns_; }
  int RowCount() const { return rows_; }

  // Empty outside the grid: the anchor search meets the empty text past the
  // last column, as in the window. A view stays valid until the next SetCell.
  std::string_view Cell(int c, int r) const;
  // Requires 0 <= c < C and 0 <= r < R. Column 0 below row 0 holds only the
  // omit mark: any other text there clears it.
  void SetCell(int c, int r, std::string_view text);

  bool IsOmitted(int r) const { return r >= 1 && r < rows_ && omitted_[static_cast<std::size_t>(r)] != 0; }
  // Rows outside 1 .. R-1 are ignored.
  void Mark(int r);
  void Clear(int r);

  // Rows 1 .. R-1 without an omit mark.
  int KeptRowCount() const;

  // The bytes of all value texts: a bound for what a writer copies.
  std::size_t TextSize() const { return sourceSize_ + text_.size(); }

  // The grid as a tab-separated text, one CR LF line per row.
  std::string Dump() const;

 private:
  // The value cells are written once by a reader and only read afterwards, so
  // their texts lie in the file's bytes or in one buffer after them (offsets
  // from sourceSize_ on); the edges (wavelengths, times, marks) are what the
  // handlers change.
  struct Span {
    std::uint32_t offset = 0;
    std::uint32_t length = 0;
  };
  std::size_t ValueIndex(int c, int r) const {
    return static_cast<std::size_t>(r - 1) * static_cast<std::size_t>(columns_ - 2) + static_cast<std::size_t>(c - 2);
  }

  int columns_ = 0;
  int rows_ = 0;
  std::vector<std::string> row0_;   // columns_ texts
  std::vector<std::string> times_;  // rows_ texts, [0] unused
  std::vector<char> omitted_;       // rows_ marks, [0] unused
  std::vector<Span> values_;        // (C - 2) x (R - 1), row-major
  std::shared_ptr<const std::string> source_;
  std::size_t sourceSize_ = 0;
  std::string text_;
};

// Throws CapacityError naming `name` when a grid of this size would pass a
// capacity; the readers call it before they store anything.
void CheckGridSize(long long wavelengths, long long timeRows, std::string_view name);

}  // namespace specbridge::kinetics
