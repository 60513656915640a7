#pragma once

// The two file lists of the spectrum windows (the sheet converter and the
// emission correction): the directory list, from which a double-click adds a
// file, and the working list of the spectra in sheet order, with removal by
// double-click and the up/down button. The operations work on any set that
// offers the members below, so both windows share them.

#include <concepts>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/errors.hpp"

namespace specbridge::sheets {

// Slots are numbered from 1; row r of the working list shows slot r + 1.
template <class Set>
concept WorkingSet = requires(Set& set, const Set& view, int a, int b) {
  { set.SpectrumCount } -> std::convertible_to<int>;
  { set.Path(a) } -> std::convertible_to<std::filesystem::path&>;
  { view.WorkingCapacity() } -> std::convertible_to<int>;
  set.BeginOpen();
  set.CopySlot(a, b);
  set.SwapSlots(a, b);
};

// What the window draws after a list operation.
enum class Redraw {
  kNothing,        // the picture stays as it is
  kSpectra,        // DrawSpec
  kBlankDataRect,  // the last spectrum went: the data rectangle white, no frame
};

// `read(set, k, added)` reads the chosen file into slot k: true when
// accepted, false when refused (nothing changed); a failure throws before
// anything is stored. A failing read leaves the whole set as it was.

// "Open": a new set whose only spectrum is `chosen` (slot 1, `added` false).
// A refused file leaves the set empty. True when accepted.
template <WorkingSet Set, class Read>
bool OpenSpectrum(Set& set, const std::filesystem::path& chosen, Read&& read) {
  const bool accepted = read(set, 1, false);
  set.BeginOpen();
  set.Path(1) = chosen;
  set.SpectrumCount = accepted ? 1 : 0;
  return accepted;
}

// A double-click on a directory-list entry: `file` becomes the next working
// spectrum when its reader accepts it. True when accepted.
template <WorkingSet Set, class Read>
bool AddSpectrum(Set& set, const std::filesystem::path& file, Read&& read) {
  const int n = set.SpectrumCount + 1;
  if (n > set.WorkingCapacity()) {
    throw CapacityError(file.filename().string() + ": the working list holds at most " +
                        std::to_string(set.WorkingCapacity()) + " spectra");
  }
  if (!read(set, n, true)) return false;
  set.Path(n) = file;
  set.SpectrumCount = n;
  return true;
}

// A double-click on row `row` of the working list: the later spectra move up
// one row. An empty list (one empty row) does nothing.
template <WorkingSet Set>
Redraw RemoveSpectrum(Set& set, int row) {
  if (set.SpectrumCount <= 0 || row < 0 || row >= set.SpectrumCount) return Redraw::kNothing;
  for (int r = row; r <= set.SpectrumCount - 2; ++r) set.CopySlot(r + 2, r + 1);
  --set.SpectrumCount;
  return set.SpectrumCount == 0 ? Redraw::kBlankDataRect : Redraw::kSpectra;
}

// "MoveUpward" with row `row` selected: it changes place with the row above;
// returns the selected row afterwards (the selection follows). The first row
// does not move. The plot is not redrawn.
template <WorkingSet Set>
int MoveSpectrumUp(Set& set, int row) {
  if (row <= 0 || row >= set.SpectrumCount) return row;
  set.SwapSlots(row + 1, row);
  return row - 1;
}

// "MoveDownward": the same with the row below; the last row does not move.
template <WorkingSet Set>
int MoveSpectrumDown(Set& set, int row) {
  if (row < 0 || row >= set.SpectrumCount - 1) return row;
  set.SwapSlots(row + 1, row + 2);
  return row + 1;
}

// "Close": an empty set; paths and values stay.
template <WorkingSet Set>
void CloseSpectra(Set& set) {
  set.SpectrumCount = 0;
}

// The rows of the working list: the file names, without directory, of the
// working spectra; one empty row for an empty set.
template <WorkingSet Set>
std::vector<std::string> WorkingListRows(const Set& set) {
  if (set.SpectrumCount <= 0) return {std::string()};
  std::vector<std::string> rows;
  rows.reserve(static_cast<std::size_t>(set.SpectrumCount));
  for (int k = 1; k <= set.SpectrumCount; ++k) rows.push_back(set.Path(k).filename().string());
  return rows;
}

// --- The directory list ---------------------------------------------------------

// Names of the entries of `directory` whose names end in one of `extensions`
// (".ins"; letter case is not compared), group by group in the order given,
// each group in name order. Directories are listed only with
// `withDirectories`; an empty extension matches every name. A directory that
// cannot be listed gives no names.
std::vector<std::string> ListDirectory(const std::filesystem::path& directory,
                                       const std::vector<std::string_view>& extensions, bool withDirectories);

// The sheet window's list: "*.ins" files, then "*.ASC" files when spectrum
// 1's path ends in "ASC" in any letter case.
std::vector<std::string> SheetDirectoryList(const std::filesystem::path& directory,
                                            const std::filesystem::path& firstSpectrum);

// The directory list as the window keeps it: rebuilt by "Open" only, and a
// rebuild that finds no file keeps the rows it had.
class DirectoryList {
 public:
  void Refresh(std::vector<std::string> names) {
    if (!names.empty()) rows_ = std::move(names);
  }
  const std::vector<std::string>& Rows() const { return rows_; }
  bool Shows(std::string_view name) const;

 private:
  std::vector<std::string> rows_;
};

// Whether `name` ends in `extension`, letter case not compared (ASCII).
bool EndsWithNoCase(std::string_view name, std::string_view extension);

}  // namespace specbridge::sheets
