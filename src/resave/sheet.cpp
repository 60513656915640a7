#include "resave/sheet.hpp"

#include <algorithm>
#include <climits>

#include "common/text.hpp"

namespace specbridge::resave {
namespace {

// The fields of a line cut at its first `tabs` tabs: a longer line keeps the
// rest, further tabs included, in the last field; a shorter one has fewer.
void CutLine(std::string_view line, int tabs, std::vector<std::string_view>& fields) {
  fields.clear();
  std::size_t start = 0;
  for (int k = 0; k < tabs; ++k) {
    const std::size_t tab = line.find('\t', start);
    if (tab == std::string_view::npos) break;
    fields.push_back(line.substr(start, tab - start));
    start = tab + 1;
  }
  fields.push_back(line.substr(start));
}

std::string Range(std::string_view what, int first, int last) {
  if (last < first) return "it has no " + std::string(what);
  return "it has " + std::string(what) + " " + std::to_string(first) + " to " + std::to_string(last);
}

}  // namespace

void Sheet::Read(const std::filesystem::path& path, const MessageSink& warn) { Load(ReadFileBytes(path), path, warn); }

void Sheet::Load(std::string bytes, const std::filesystem::path& fileName, const MessageSink& warn) {
  const std::string name = fileName.filename().string();
  std::string cut;
  std::vector<std::string_view> views;
  LoadLineViews(TextBeforeNul(bytes, name, [&cut](std::string_view warning) { cut = warning; }), views);
  std::vector<Line> lines;
  lines.reserve(views.size());
  for (std::size_t i = 0; i < views.size(); ++i) {
    const std::size_t tabs = CountByte(views[i], '\t');
    if (i == 0 && tabs > kMaxFirstLineTabs) {
      throw CapacityError(LinePlace(name, 1) + ": " + std::to_string(tabs) +
                          " tabs; the first line of a sheet may hold at most " + std::to_string(kMaxFirstLineTabs) +
                          " (" + std::to_string(kMaxFirstLineTabs + 1) + " columns)");
    }
    if (tabs > kMaxLineTabs) {
      throw CapacityError(LinePlace(name, static_cast<long long>(i) + 1) + ": " + std::to_string(tabs) +
                          " tabs; a line of a sheet may hold at most " + std::to_string(kMaxLineTabs));
    }
    lines.push_back({static_cast<std::size_t>(views[i].data() - bytes.data()), views[i].size(), tabs});
  }
  // The grid counts its rows in 32 bits.
  if (views.size() >= static_cast<std::size_t>(INT_MAX)) {
    throw CapacityError(name + ": more than " + std::to_string(INT_MAX - 1) + " lines");
  }

  tabs_ = lines.empty() ? 0 : static_cast<int>(lines[0].tabs);
  text_ = std::move(bytes);
  lines_ = std::move(lines);
  fileName_ = fileName;
  loaded_ = true;
  columnOmitted_.assign(static_cast<std::size_t>(ColumnCount()), 0);
  rowOmitted_.assign(static_cast<std::size_t>(RowCount()), 0);
  if (!cut.empty() && warn) warn(cut);
}

std::string_view Sheet::Field(std::string_view line, int k) const {
  std::size_t start = 0;
  for (int i = 1; i < k; ++i) {
    const std::size_t tab = line.find('\t', start);
    if (tab == std::string_view::npos) return {};
    start = tab + 1;
  }
  if (k == tabs_ + 1) return line.substr(start);
  return line.substr(start, line.find('\t', start) - start);
}

std::string_view Sheet::Cell(int column, int row) const {
  if (column < 0 || row < 0 || column >= ColumnCount() || row >= RowCount()) return {};
  if (row == 0) return column > 0 && columnOmitted_[column] ? kOmit : std::string_view();
  if (column == 0) return rowOmitted_[row] ? kOmit : std::string_view();
  return Field(LineText(row), column);
}

bool Sheet::DoubleClick(int column, int row) {
  if (column < 0 || row < 0 || column >= ColumnCount() || row >= RowCount()) {
    throw OutsideGrid("Cell " + std::to_string(column) + "," + std::to_string(row) + " is outside the grid: " +
                      Range("columns", 0, ColumnCount() - 1) + " and " + Range("rows", 0, RowCount() - 1));
  }
  if ((column == 0) == (row == 0)) return false;
  char& mark = row == 0 ? columnOmitted_[column] : rowOmitted_[row];
  mark = !mark;
  return true;
}

void Sheet::MarkRows(std::span<const int> rows, bool omit) {
  for (const int row : rows) {
    if (row < 1 || row >= RowCount()) {
      throw OutsideGrid("Row " + std::to_string(row) + " is outside the sheet: " + Range("rows", 1, RowCount() - 1));
    }
  }
  for (const int row : rows) rowOmitted_[row] = omit;
}

void Sheet::MarkColumns(std::span<const int> columns, bool omit) {
  for (const int column : columns) {
    if (column < 1 || column >= ColumnCount()) {
      throw OutsideGrid("Column " + std::to_string(column) +
                        " is outside the sheet: " + Range("columns", 1, ColumnCount() - 1));
    }
  }
  for (const int column : columns) columnOmitted_[column] = omit;
}

std::string Sheet::SaveText() const {
  std::string out;
  if (!loaded_) return out;
  const bool anyColumn = std::count(columnOmitted_.begin() + 1, columnOmitted_.end(), 0) > 0;
  if (!anyColumn) return out;
  out.reserve(text_.size() + 2 * lines_.size());
  // Without an omitted column a row is its line, padded with tabs to the
  // sheet's width: what cutting and joining it would give.
  const bool allColumns = std::count(columnOmitted_.begin() + 1, columnOmitted_.end(), 0) == tabs_ + 1;
  std::vector<std::string_view> fields;
  fields.reserve(static_cast<std::size_t>(tabs_) + 1);
  for (int row = 1; row < RowCount(); ++row) {
    if (rowOmitted_[row]) continue;
    if (allColumns) {
      const std::size_t tabs = lines_[static_cast<std::size_t>(row) - 1].tabs;
      out.append(LineText(row));
      if (tabs < static_cast<std::size_t>(tabs_)) out.append(static_cast<std::size_t>(tabs_) - tabs, '\t');
      out.append("\r\n");
      continue;
    }
    CutLine(LineText(row), tabs_, fields);
    bool first = true;
    for (int column = 1; column <= tabs_ + 1; ++column) {
      if (columnOmitted_[column]) continue;
      if (!first) out += '\t';
      first = false;
      if (static_cast<std::size_t>(column) <= fields.size()) out.append(fields[column - 1]);
    }
    out.append("\r\n");
  }
  return out;
}

}  // namespace specbridge::resave
