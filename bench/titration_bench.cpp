// Opening and saving the largest titration series (101 files of 3001
// points), beside a plain read of the same files measured in the same run.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "common/text.hpp"
#include "titration/titration.hpp"

namespace {

using namespace specbridge;
using namespace specbridge::titration;

// A comma-column series as a diode-array instrument writes it: 190.0 to
// 490.0 nm by 0.1 nm, absorbances with six decimals.
class MaximumSeries {
 public:
  MaximumSeries() {
    directory_ = std::filesystem::temp_directory_path() / ("specbridge-bench-titration-" + std::to_string(::getpid()));
    std::filesystem::create_directories(directory_);
    std::mt19937 random(11);
    std::uniform_real_distribution<double> noise(-0.002, 0.002);
    char buf[64];
    for (int k = 0; k < kMaxSpectra; ++k) {
      std::string bytes;
      for (int i = 0; i < kMaxPoints; ++i) {
        const double w = 190.0 + 0.1 * i;
        const double a = 0.02 * k * (1 + std::sin(i / 300.0)) + noise(random);
        char* p = std::to_chars(buf, buf + 64, w, std::chars_format::fixed, 1).ptr;
        *p++ = ',';
        p = std::to_chars(p, buf + 64, a, std::chars_format::fixed, 6).ptr;
        bytes.append(buf, p);
        bytes += "\r\n";
      }
      const auto path = directory_ / ("max" + std::string(k < 10 ? "0" : "") + std::to_string(k) + ".ASC");
      std::ofstream(path, std::ios::binary) << bytes;
      files_.push_back(path);
      totalBytes_ += static_cast<std::int64_t>(bytes.size());
    }
  }
  ~MaximumSeries() {
    std::error_code error;
    std::filesystem::remove_all(directory_, error);
  }
  const std::vector<std::filesystem::path>& Files() const { return files_; }
  std::int64_t TotalBytes() const { return totalBytes_; }

 private:
  std::filesystem::path directory_;
  std::vector<std::filesystem::path> files_;
  std::int64_t totalBytes_ = 0;
};

const MaximumSeries& Series() {
  static const MaximumSeries series;
  return series;
}

void BM_PlainRead(benchmark::State& state) {
  for (auto _ : state) {
    for (const auto& file : Series().Files()) benchmark::DoNotOptimize(ReadFileBytes(file));
  }
  state.SetBytesProcessed(state.iterations() * Series().TotalBytes());
}
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond);

void BM_OpenSeries(benchmark::State& state) {
  TitrationSeries series;
  BoxTexts boxes = DefaultBoxes();
  std::vector<std::string> lineBuffer;
  for (auto _ : state) {
    OpenSeries(series, Series().Files()[7], boxes, lineBuffer, nullptr);
    benchmark::DoNotOptimize(series.DataRange);
  }
  state.SetBytesProcessed(state.iterations() * Series().TotalBytes());
}
BENCHMARK(BM_OpenSeries)->Unit(benchmark::kMillisecond);

void BM_WriteTitration2D(benchmark::State& state) {
  TitrationSeries series;
  BoxTexts boxes = DefaultBoxes();
  std::vector<std::string> lineBuffer;
  OpenSeries(series, Series().Files()[0], boxes, lineBuffer, nullptr);
  for (const auto& [name, text] : std::vector<std::pair<const char*, const char*>>{{"Comment1", "bench"},
                                                                                   {"V0", "2"},
                                                                                   {"Vt", "0.01"},
                                                                                   {"CM", "0.0001"},
                                                                                   {"CH", "0"},
                                                                                   {"Temp", "25"},
                                                                                   {"No1", "1"},
                                                                                   {"CL1", "0.001"}}) {
    boxes.Set(name, text);
  }
  const auto grid = Calculate(boxes, series.UsedSpectrumCount);
  series.ConcentrationsReady = true;
  std::int64_t written = 0;
  for (auto _ : state) {
    const std::string bytes = WriteTitration2D(series, *grid, boxes, 0);
    written = static_cast<std::int64_t>(bytes.size());
    benchmark::DoNotOptimize(bytes.data());
  }
  state.SetBytesProcessed(state.iterations() * written);
}
BENCHMARK(BM_WriteTitration2D)->Unit(benchmark::kMillisecond);

}  // namespace
