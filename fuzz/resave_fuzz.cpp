// Any bytes as a tab sheet: read into the grid, every cell looked at, marks
// toggled from the bytes themselves, and the kept part written.
#include <string>
#include <string_view>

#include "fuzz_support.hpp"
#include "resave/sheet.hpp"

using namespace specbridge;
using namespace specbridge::resave;
using fuzz::Check;

SPECBRIDGE_FUZZ_TARGET(bytes) {
  Sheet sheet;
  if (!fuzz::Try([&] { sheet.Load(std::string(bytes), "fuzz.txt"); })) return;
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t size = bytes.size();
  std::size_t cells = 0;
  for (int r = 0; r < sheet.RowCount() && r < 200; ++r) {
    for (int c = 0; c < sheet.ColumnCount(); ++c) cells += sheet.Cell(c, r).size();
  }
  // With no mark every line comes back as one row ending in CR LF.
  const std::string whole = sheet.SaveText();
  std::size_t rows = 0;
  for (std::size_t i = 0; i + 1 < whole.size(); ++i) rows += whole[i] == '\r' && whole[i + 1] == '\n';
  Check(rows >= static_cast<std::size_t>(sheet.RowCount() - 1));
  for (std::size_t i = 0; i + 1 < size; i += 2) {
    try {
      sheet.DoubleClick(data[i] % (sheet.ColumnCount() + 1), data[i + 1] % (sheet.RowCount() + 1));
    } catch (const OutsideGrid&) {
    }
  }
  (void)sheet.SaveText();
  Check(cells != static_cast<std::size_t>(-1));  // keeps the reads
}
