#include <algorithm>
#include <string>

#include "columns/columns.hpp"

namespace specbridge::columns {
namespace {

// Far above any spectral sheet (3001 points by 101 spectra is 0.3 million
// cells), low enough that the cells of one table fit in memory.
constexpr std::size_t kMaxTableCells = 4'000'000;

void CheckTableSize(std::size_t cols, std::size_t rows) {
  if (rows > kMaxTableCells || cols * rows > kMaxTableCells) {
    throw CapacityError("A table of " + std::to_string(cols) + " columns and " + std::to_string(rows) +
                        " rows is larger than the limit of " + std::to_string(kMaxTableCells) + " cells");
  }
}

}  // namespace

TreatmentTable::TreatmentTable() { Reset(4, 4); }

void TreatmentTable::Reset(int cols, int rows) {
  cols_ = cols;
  rows_ = rows;
  cells_.clear();
  cells_.resize(static_cast<std::size_t>(cols) * static_cast<std::size_t>(rows));
}

void SplitIntoTable(const TextLines& lines, TreatmentTable& table) {
  const std::size_t rows = lines.size() + 1;
  const char separator = !lines.empty() && lines[0].find('\t') != std::string_view::npos ? '\t' : ' ';
  std::vector<std::size_t> boundaries;
  if (!lines.empty()) FieldBoundaries(lines[0], separator, 1, boundaries);

  if (boundaries.empty()) {
    // Nothing to split by: whole lines, as they are, in the first column.
    CheckTableSize(static_cast<std::size_t>(table.ColCount()), rows);
    table.Reset(table.ColCount(), static_cast<int>(rows));
    for (std::size_t i = 0; i < lines.size(); ++i) table.SetCell(0, static_cast<int>(i) + 1, lines[i]);
    return;
  }

  // Every line is measured first: a line over the limit leaves the table as
  // it was, and a line wider than line 1 widens the table instead of losing
  // its last fields.
  std::size_t cols = boundaries.size() + 1;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    FieldBoundaries(lines[i], separator, static_cast<long long>(i) + 1, boundaries);
    cols = std::max(cols, boundaries.size() + 1);
  }
  CheckTableSize(cols, rows);
  table.Reset(static_cast<int>(cols), static_cast<int>(rows));
  for (std::size_t c = 0; c < cols; ++c) table.SetCell(static_cast<int>(c), 0, "Column " + std::to_string(c));
  for (std::size_t i = 0; i < lines.size(); ++i) {
    FieldBoundaries(lines[i], separator, static_cast<long long>(i) + 1, boundaries);
    // A line without a boundary is one field: kept in column 0 rather than
    // left out of the table (and blanked by the update).
    for (std::size_t k = 0; k <= boundaries.size(); ++k) {
      table.SetCell(static_cast<int>(k), static_cast<int>(i) + 1, FieldAt(lines[i], boundaries, k));
    }
  }
}

void UpdateSheet(const TreatmentTable& table, TextLines& lines) {
  std::string line;
  for (int r = 1; r < table.RowCount(); ++r) {
    line.assign(table.Cell(0, r));
    for (int c = 1; c < table.ColCount(); ++c) {
      line += ' ';
      line += table.Cell(c, r);
    }
    const auto index = static_cast<std::size_t>(r) - 1;
    // The text may have become shorter since the split: the table's rows
    // are appended rather than lost.
    if (index < lines.size()) {
      lines.Set(index, line);
    } else {
      lines.push_back(line);
    }
  }
}

}  // namespace specbridge::columns
