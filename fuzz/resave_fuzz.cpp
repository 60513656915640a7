// Any bytes as a tab sheet: read into the grid, every cell looked at, marks
// toggled from the bytes themselves, and the kept part written.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/errors.hpp"
#include "resave/sheet.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace specbridge;
  using namespace specbridge::resave;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  Sheet sheet;
  try {
    sheet.Load(std::string(bytes), "fuzz.txt");
  } catch (const Failure&) {
    return 0;
  }
  std::size_t cells = 0;
  for (int r = 0; r < sheet.RowCount() && r < 200; ++r) {
    for (int c = 0; c < sheet.ColumnCount(); ++c) cells += sheet.Cell(c, r).size();
  }
  // With no mark every line comes back as one row ending in CR LF.
  const std::string whole = sheet.SaveText();
  std::size_t rows = 0;
  for (std::size_t i = 0; i + 1 < whole.size(); ++i) rows += whole[i] == '\r' && whole[i + 1] == '\n';
  if (rows < static_cast<std::size_t>(sheet.RowCount() - 1)) std::abort();
  for (std::size_t i = 0; i + 1 < size; i += 2) {
    try {
      sheet.DoubleClick(data[i] % (sheet.ColumnCount() + 1), data[i + 1] % (sheet.RowCount() + 1));
    } catch (const OutsideGrid&) {
    }
  }
  (void)sheet.SaveText();
  if (cells == static_cast<std::size_t>(-1)) std::abort();  // keeps the reads
  return 0;
}
