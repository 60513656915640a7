// Any bytes as one file of a titration series (every layout test and reader),
// as a "2D" sheet and as a times file, then through the writers and the
// drawing of what was read; and once through the whole "Open" of a series
// held in memory. Each input starts from a fresh series.
#include <string_view>

#include "common/text.hpp"
#include "fuzz_support.hpp"
#include "titration/titration.hpp"

namespace {

using namespace specbridge;
using namespace specbridge::titration;
using fuzz::Try;

void Use(TitrationSeries& series, int spectra) {
  series.FileCount = series.UsedSpectrumCount = spectra;
  series.ConcentrationsReady = true;
  series.DataRange = series.SelectedRange = {0, 1000, -1, 10};
  BoxTexts boxes = DefaultBoxes();
  Try([&] {
    (void)WriteKinetics2D(series, boxes, false, {});
    boxes.Set("Temp", "25");
    ConcentrationGrid grid;
    grid.columns.assign(static_cast<std::size_t>(spectra) + 1, {"0", "0.0001", "0", "0"});
    (void)WriteTitration2D(series, grid, boxes, 1);
    (void)ReDraw(series, boxes, 64, 48);
  });
}

// One file in memory, as file 00 of the series "f".
class OneFile final : public SeriesFolder {
 public:
  explicit OneFile(std::string_view bytes) : bytes_(bytes) {}
  bool IsFile(const std::filesystem::path& path) const override { return path == "/fuzz/f00.ASC"; }
  std::string Read(const std::filesystem::path& path) const override {
    if (!IsFile(path)) throw FileError("no such file");
    return std::string(bytes_);
  }

 private:
  std::string_view bytes_;
};

}  // namespace

SPECBRIDGE_FUZZ_TARGET(bytes) {
  const std::vector<std::string> lines = LoadLines(bytes);
  {
    TitrationSeries series;
    bool countHeader = false;
    Try([&] {
      // The same file twice: spectrum 0 sets the wavelengths, spectrum 1
      // runs with the flags and counts the first one left.
      ReadSeriesFile(series, lines, 0, "fuzz00.ASC", countHeader, [](std::string_view) {});
      ReadSeriesFile(series, lines, 1, "fuzz01.ASC", countHeader, [](std::string_view) {});
      Use(series, 2);
    });
  }
  if (!lines.empty()) {
    TitrationSeries series;
    Try([&] {
      ReadBlankSheet(series, std::vector<std::string>(lines.begin() + 1, lines.end()), "fuzz.txt");
      Use(series, series.FileCount);
    });
  }
  Try([&] { (void)ReadTimesFile(bytes, "times.txt"); });
  TitrationSeries series;
  BoxTexts boxes = DefaultBoxes();
  std::vector<std::string> buffer;
  Try([&] {
    OpenSeries(
        series, "/fuzz/f00.ASC", boxes, buffer, [](std::string_view) {}, OneFile(bytes));
    (void)DrawAfterOpen(series, 64, 48);
    (void)WriteKinetics2D(series, boxes, false, {});
  });
}
