// Any bytes as one file of a titration series (every layout test and reader),
// as a "2D" sheet and as a times file, then through the writers and the
// drawing of what was read; and once through the whole "Open" from disk.
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "common/errors.hpp"
#include "common/text.hpp"
#include "titration/titration.hpp"

namespace {

using namespace specbridge;
using namespace specbridge::titration;

void Use(TitrationSeries& series, int spectra) {
  series.FileCount = series.UsedSpectrumCount = spectra;
  series.ConcentrationsReady = true;
  series.DataRange = series.SelectedRange = {0, 1000, -1, 10};
  BoxTexts boxes = DefaultBoxes();
  try {
    (void)WriteKinetics2D(series, boxes, false, {});
    boxes.Set("Temp", "25");
    ConcentrationGrid grid;
    grid.columns.assign(static_cast<std::size_t>(spectra) + 1, {"0", "0.0001", "0", "0"});
    (void)WriteTitration2D(series, grid, boxes, 1);
    (void)ReDraw(series, boxes, 64, 48);
  } catch (const Failure&) {
  }
}

// "Open" on the bytes as file 00 of a series, then the drawing after it.
void OpenFromDisk(std::string_view bytes) {
  static const std::filesystem::path directory = [] {
    auto dir = std::filesystem::temp_directory_path() / ("specbridge-fuzz-titration-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    return dir;
  }();
  const auto file = directory / "f00.ASC";
  std::ofstream(file, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  static TitrationSeries series;
  static BoxTexts boxes = DefaultBoxes();
  std::vector<std::string> buffer;
  try {
    OpenSeries(series, file, boxes, buffer, [](std::string_view) {});
    (void)DrawAfterOpen(series, 64, 48);
    (void)WriteKinetics2D(series, boxes, false, {});
  } catch (const Failure&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> lines = LoadLines(bytes);
  // The window keeps one series for the whole run, so the arrays carry over
  // from input to input here as well; only the counts start afresh.
  static TitrationSeries series;
  const auto restart = [] {
    series.FileCount = series.UsedSpectrumCount = series.PointCount = series.TrailingLineCount = 0;
  };
  {
    restart();
    bool countHeader = false;
    try {
      // The same file twice: spectrum 0 sets the wavelengths, spectrum 1
      // runs with the flags and counts the first one left.
      ReadSeriesFile(series, lines, 0, "fuzz00.ASC", countHeader, [](std::string_view) {});
      ReadSeriesFile(series, lines, 1, "fuzz01.ASC", countHeader, [](std::string_view) {});
      Use(series, 2);
    } catch (const Failure&) {
    }
  }
  if (!lines.empty()) {
    restart();
    try {
      ReadBlankSheet(series, std::vector<std::string>(lines.begin() + 1, lines.end()), "fuzz.txt");
      Use(series, series.FileCount);
    } catch (const Failure&) {
    }
  }
  try {
    (void)ReadTimesFile(bytes, "times.txt");
  } catch (const Failure&) {
  }
  // The whole open copies the 2.4 MB series; a quarter of the inputs keeps
  // the fuzzer fast.
  if (size % 4 == 0) OpenFromDisk(bytes);
  return 0;
}
