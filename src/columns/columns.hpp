#pragma once

// The column arithmetic tool: a sheet text (the lines of TForm11's text box),
// the treatment table of TForm12 and the formula of TForm13, with the
// operations their menus and buttons run. The windows and the CLI only show
// dialogs, copy texts and call these.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "common/errors.hpp"
#include "common/text.hpp"
#include "common/text_lines.hpp"

namespace specbridge::columns {

// A line split by SpacesToTab or "Column Calculation" holds at most this
// many fields.
inline constexpr int kMaxLineFields = 100;

// The text box holds this single line before anything is opened.
inline constexpr std::string_view kDesignText = "Memo1";

// A formula naming a column the table does not have.
class NoSuchColumn : public Failure {
  using Failure::Failure;
};

// --- Sheet text conversions -------------------------------------------------

// Field boundaries of `line`: the 0-based positions p >= 1 where `line[p]` is
// the separator and `line[p - 1]` is not. A run of separators thus counts
// once, and a separator at the very start never starts a field. Throws
// CapacityError naming `lineNumber` when the line has more than
// kMaxLineFields fields.
void FieldBoundaries(std::string_view line, char separator, long long lineNumber, std::vector<std::size_t>& boundaries);

// Field k of `line` cut at `boundaries` (k = 0 is the text before the first
// boundary), trimmed of blanks, tabs and control characters.
std::string_view FieldAt(std::string_view line, const std::vector<std::size_t>& boundaries, std::size_t k);

// Every tab becomes one blank; nothing else changes.
void TabToSpace(TextLines& lines);

// Every run of blanks after a field becomes one tab, every field trimmed;
// lines without a boundary stay as they are. All lines are checked against
// the field limit before any of them changes.
void SpacesToTab(TextLines& lines);

// --- Treatment table --------------------------------------------------------

// The grid of TForm12: row 0 holds the headers, row i + 1 line i of the sheet
// text. Cells are addressed (column, row).
class TreatmentTable {
 public:
  // As the window is designed: 4 columns, 4 rows, all cells empty.
  TreatmentTable();

  int ColCount() const { return cols_; }
  int RowCount() const { return rows_; }
  const std::string& Cell(int col, int row) const { return cells_[Index(col, row)]; }
  void SetCell(int col, int row, std::string_view text) { cells_[Index(col, row)].assign(text); }
  // Resizes to cols x rows with every cell empty.
  void Reset(int cols, int rows);

 private:
  std::size_t Index(int col, int row) const {
    return static_cast<std::size_t>(row) * static_cast<std::size_t>(cols_) + static_cast<std::size_t>(col);
  }

  int cols_ = 0;
  int rows_ = 0;
  std::vector<std::string> cells_;
};

// "Column Calculation": rebuilds `table` from the sheet text. The separator
// is a tab when line 1 holds one, else a blank. When line 1 has no boundary,
// every line goes whole into column 0 and the column count stays. Otherwise
// the table gets a "Column c" header per column and one field per cell; a
// line without a boundary goes trimmed into column 0, and a line with more
// fields than line 1 widens the table. A line over the field limit is
// refused before the table changes.
void SplitIntoTable(const TextLines& lines, TreatmentTable& table);

// "Update and Return To Main": line r - 1 := the cells of row r joined by
// single blanks. Rows beyond the end of the text are appended; lines beyond
// the table stay.
void UpdateSheet(const TreatmentTable& table, TextLines& lines);

// --- Simple mathematics -----------------------------------------------------

enum class Operator { kNone, kPlus, kMinus, kTimes, kDivide };

// The controls of TForm13 at their design-time values.
struct Formula {
  int resultColumn = 0;                        // SpinEdit3
  int firstColumn = 0;                         // SpinEdit1
  Operator firstOperator = Operator::kTimes;   // CheckBox1-4
  std::string constant1 = "1";                 // Edit1
  Operator middleOperator = Operator::kPlus;   // CheckBox9-12
  int secondColumn = 0;                        // SpinEdit2
  Operator secondOperator = Operator::kTimes;  // CheckBox5-8
  std::string constant2 = "1";                 // Edit2
  bool useSecondTerm = false;                  // CheckBox13
};

// "Apply": for every table row whose needed cells are non-empty, the result
// cell becomes the formula's value as a short real text. Rows are done in
// order; a failure (a text that is not a number, a division by zero, an
// overflow) names the row and the cell and leaves the rows before it done.
// A column beyond the table is refused before any row changes.
void ApplyFormula(const Formula& formula, TreatmentTable& table);

// --- The tool as its three windows hold it ---------------------------------

class ColumnTool {
 public:
  // TForm11's text box (Memo1), one entry per line, without line ends.
  TextLines& Sheet() { return sheet_; }
  const TextLines& Sheet() const { return sheet_; }
  // The file the last "Open" read; "Save" proposes it.
  const std::string& SheetFileName() const { return sheetFileName_; }
  const TreatmentTable& Table() const { return table_; }
  Formula& Math() { return formula_; }
  const Formula& Math() const { return formula_; }

  // "File" -> "Open" once the dialog chose `path`: the file's bytes replace
  // the text, cut into lines as a text box loads a file. A NUL byte ends the
  // text; `warn` is told where, as saving would then drop the rest.
  void Open(std::string_view bytes, std::string path, const MessageSink& warn = {});
  // "File" -> "Save": every line followed by CR LF.
  std::string SaveBytes() const;

  void TabToSpace1Click() { TabToSpace(sheet_); }
  void SpacesToTab1Click() { SpacesToTab(sheet_); }
  // Builds the table; the window then shows TForm12.
  void ColumnCalculation1Click() { SplitIntoTable(sheet_, table_); }
  // Writes the table back; the window then hides TForm12.
  void UpdateandReturnToMain1Click() { UpdateSheet(table_, sheet_); }
  // The largest column number TForm13's spin editors accept.
  int LastColumn() const { return table_.ColCount() - 1; }
  void ApplyClick() { ApplyFormula(formula_, table_); }

 private:
  TextLines sheet_{kDesignText};
  std::string sheetFileName_;
  TreatmentTable table_;
  Formula formula_;
};

}  // namespace specbridge::columns
