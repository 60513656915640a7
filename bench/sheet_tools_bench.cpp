// Resaving a tab sheet of 3001 rows x 100 fields and turning a 100,000-line
// blank-separated column text into tabs, each beside a plain read of the same
// bytes measured in the same run.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

#include "columns/columns.hpp"
#include "common/text.hpp"
#include "resave/sheet.hpp"

namespace {

using namespace specbridge;

void Append(std::string& out, double v, int decimals) {
  char buf[32];
  out.append(buf, std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals).ptr);
}

double Value(int t, int j) {
  return 0.5 * std::exp(-0.01 * t) * (1 + std::sin(j / 50.0)) + 1e-5 * ((t * 7 + j * 13) % 97);
}

class BenchFile {
 public:
  BenchFile(const std::string& name, const std::string& bytes) : size_(static_cast<std::int64_t>(bytes.size())) {
    path_ = std::filesystem::temp_directory_path() / ("specbridge-bench-" + std::to_string(::getpid()) + "-" + name);
    std::ofstream(path_, std::ios::binary) << bytes;
  }
  ~BenchFile() {
    std::error_code error;
    std::filesystem::remove(path_, error);
  }
  const std::filesystem::path& Path() const { return path_; }
  std::int64_t Size() const { return size_; }

 private:
  std::filesystem::path path_;
  std::int64_t size_;
};

const BenchFile& TabSheet() {
  static const BenchFile file("sheet100.txt", [] {
    std::string bytes;
    for (int i = 0; i < 3001; ++i) {
      Append(bytes, 190 + 0.1 * i, 1);
      for (int k = 0; k < 99; ++k) {
        bytes += '\t';
        Append(bytes, Value(k, i % 601), 6);
      }
      bytes += "\r\n";
    }
    return bytes;
  }());
  return file;
}

const BenchFile& ColumnText() {
  static const BenchFile file("columns100k.txt", [] {
    std::string bytes;
    for (int i = 0; i < 100000; ++i) {
      Append(bytes, 0.01 * i, 4);
      bytes += ' ';
      Append(bytes, Value(i % 500, i % 601), 6);
      bytes += "\r\n";
    }
    return bytes;
  }());
  return file;
}

void PlainRead(benchmark::State& state, const BenchFile& (*file)()) {
  for (auto _ : state) benchmark::DoNotOptimize(ReadFileBytes(file().Path()));
  state.SetBytesProcessed(state.iterations() * file().Size());
}

void Resave(benchmark::State& state) {
  for (auto _ : state) {
    resave::Sheet sheet;
    sheet.Read(TabSheet().Path());
    benchmark::DoNotOptimize(sheet.SaveText());
  }
  state.SetBytesProcessed(state.iterations() * TabSheet().Size());
}

void SpacesToTab(benchmark::State& state) {
  for (auto _ : state) {
    columns::ColumnTool tool;
    tool.Open(ReadFileBytes(ColumnText().Path()), ColumnText().Path().string());
    tool.SpacesToTab1Click();
    benchmark::DoNotOptimize(tool.SaveBytes());
  }
  state.SetBytesProcessed(state.iterations() * ColumnText().Size());
}

BENCHMARK_CAPTURE(PlainRead, TabSheet3001x100, &TabSheet)->Unit(benchmark::kMillisecond);
BENCHMARK(Resave)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PlainRead, ColumnText100k, &ColumnText)->Unit(benchmark::kMillisecond);
BENCHMARK(SpacesToTab)->Unit(benchmark::kMillisecond);

}  // namespace
