#pragma once

// The tab-separated sheet of the partial re-saving window as its grid holds
// it: row 0 holds the column markers, column 0 the row markers, and cell
// (k, r) field k of line r. A marker is empty or "Omit"; "Save" writes the
// rows and columns whose markers are empty.

#include <cstddef>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/errors.hpp"
#include "common/text.hpp"

namespace specbridge::resave {

// Line 1 gives the columns: at most 99 tabs (100 columns). Any line is cut at
// no more than 100 tabs.
inline constexpr int kMaxFirstLineTabs = 99;
inline constexpr int kMaxLineTabs = 100;

inline constexpr std::string_view kOmit = "Omit";

// A row, column or cell that the grid does not have.
class OutsideGrid : public Failure {
  using Failure::Failure;
};

class Sheet {
 public:
  // "Read": the file whole, cut into lines as files are loaded (LF, CR and
  // CR LF each end a line, a NUL ends the text). T, the tab count of line 1,
  // gives T + 1 data columns; every mark is cleared. A file beyond the
  // capacities throws CapacityError naming it, the line and the limit, and
  // leaves the sheet as it was (a failed read changes nothing). `warn` hears
  // of a NUL that cuts the text.
  void Read(const std::filesystem::path& path, const MessageSink& warn = {});
  // The same for bytes in memory; `fileName` is what "Read" would record.
  void Load(std::string bytes, const std::filesystem::path& fileName, const MessageSink& warn = {});

  bool Loaded() const { return loaded_; }
  // The path last read; "Save" proposes it followed by ".txt".
  const std::filesystem::path& FileName() const { return fileName_; }

  // The grid: T + 2 columns and L + 1 rows once a file is read, none before.
  int ColumnCount() const { return loaded_ ? tabs_ + 2 : 0; }
  int RowCount() const { return loaded_ ? static_cast<int>(lines_.size()) + 1 : 0; }
  // The text of a cell: "Omit" or "" for markers, "" for (0, 0) and for
  // cells beyond a short line's last field. The view lives as long as the
  // sheet is not read again.
  std::string_view Cell(int column, int row) const;
  bool ColumnOmitted(int column) const { return columnOmitted_.at(column) != 0; }
  bool RowOmitted(int row) const { return rowOmitted_.at(row) != 0; }

  // A double-click on a cell: a marker cell (exactly one of column and row
  // is 0) toggles between "" and "Omit"; a data cell or (0, 0) does
  // nothing. Returns whether a mark changed. A cell outside the grid throws
  // OutsideGrid.
  bool DoubleClick(int column, int row);

  // Sets ("Omit") or clears the marks of these rows (1 ... L) or columns
  // (1 ... T + 1). All numbers are checked before any mark changes; one
  // outside throws OutsideGrid naming it.
  void MarkRows(std::span<const int> rows, bool omit);
  void MarkColumns(std::span<const int> columns, bool omit);

  // "Save": every row with an empty marker, its cells of columns with an
  // empty marker parted by tabs, ended by CR LF; nothing at all for a row
  // when every column is omitted. Empty before any "Read".
  std::string SaveText() const;

 private:
  struct Line {
    std::size_t begin = 0;
    std::size_t size = 0;
    std::size_t tabs = 0;
  };
  std::string_view LineText(int row) const { return {text_.data() + lines_[row - 1].begin, lines_[row - 1].size}; }
  // Field k (1 ... T + 1) of a line cut at its first T tabs.
  std::string_view Field(std::string_view line, int k) const;

  bool loaded_ = false;
  std::filesystem::path fileName_;
  std::string text_;
  std::vector<Line> lines_;
  int tabs_ = 0;
  std::vector<char> columnOmitted_;  // by grid column; [0] unused
  std::vector<char> rowOmitted_;     // by grid row; [0] unused
};

}  // namespace specbridge::resave
