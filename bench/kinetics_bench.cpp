// Opening and saving a large title-header kinetics file (500 times x 601
// wavelengths) and a large number matrix (1000 times x 601 wavelengths),
// each beside a plain read of the same bytes measured in the same run.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/text.hpp"
#include "kinetics/converter.hpp"

namespace {

using namespace specbridge;
using namespace specbridge::kinetics;

constexpr int kWavelengths = 601;  // 200 .. 800 nm

std::string Value(int time, int j) {
  char buf[32];
  const double a = 0.5 * std::exp(-0.01 * time) * (1 + std::sin(j / 50.0)) + 1e-5 * ((time * 7 + j * 13) % 97);
  return std::string(buf, std::to_chars(buf, buf + sizeof buf, a, std::chars_format::fixed, 6).ptr);
}

std::string TitleHeaderFile(int times) {
  std::string bytes = "##TITLE=bench\r\n";
  for (int n = 2; n <= 10; ++n) bytes += "##LABEL=\r\n";
  bytes += "##FIRSTX=200\r\n##LASTX=800\r\n##NPOINTS=" + std::to_string(kWavelengths) + "\r\n\r\n\r\n";
  bytes += "##FIRSTX=0\r\n##LASTX=" + std::to_string(times - 1) + "\r\n##NPOINTS=" + std::to_string(times) + "\r\n";
  bytes += "##XYDATA\r\n";
  for (int t = 0; t < times; ++t) {
    bytes += "##PAGE\r\n";
    for (int j = 0; j < kWavelengths; ++j) bytes += Value(t, j) + "\r\n";
  }
  return bytes + "##END=\r\n";
}

std::string MatrixFile(int times) {
  std::string bytes = "0";
  for (int t = 0; t < times; ++t) bytes += " " + std::to_string(t);
  bytes += "\r\n";
  for (int j = 0; j < kWavelengths; ++j) {
    bytes += std::to_string(200 + j);
    for (int t = 0; t < times; ++t) bytes += " " + Value(t, j);
    bytes += "\r\n";
  }
  return bytes;
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
  BenchFile(const BenchFile&) = delete;
  BenchFile& operator=(const BenchFile&) = delete;
  const std::filesystem::path& Path() const { return path_; }
  std::int64_t Size() const { return size_; }

 private:
  std::filesystem::path path_;
  std::int64_t size_;
};

const BenchFile& TitleHeader() {
  static const BenchFile file("kinetics.ASC", TitleHeaderFile(500));
  return file;
}

const BenchFile& Matrix() {
  static const BenchFile file("matrix.txt", MatrixFile(1000));
  return file;
}

void PlainRead(benchmark::State& state, const BenchFile& file) {
  for (auto _ : state) benchmark::DoNotOptimize(ReadFileBytes(file.Path()));
  state.SetBytesProcessed(state.iterations() * file.Size());
}

void Open(benchmark::State& state, const BenchFile& file) {
  KineticConverter converter;
  for (auto _ : state) {
    converter.Open(ReadFileBytes(file.Path()), file.Path().string());
    benchmark::DoNotOptimize(converter.Grid().Cell(2, 1));
  }
  state.SetBytesProcessed(state.iterations() * file.Size());
}

// Times applied, every row kept, every wavelength selected.
void Save(benchmark::State& state, const BenchFile& file) {
  KineticConverter converter;
  converter.Open(ReadFileBytes(file.Path()), file.Path().string());
  converter.Apply1Click();
  converter.Comments().Set("Comments1", "bench");
  std::int64_t written = 0;
  for (auto _ : state) {
    const std::string bytes = converter.SaveBytes();
    written = static_cast<std::int64_t>(bytes.size());
    benchmark::DoNotOptimize(bytes.data());
  }
  state.SetBytesProcessed(state.iterations() * written);
}

BENCHMARK_CAPTURE(PlainRead, TitleHeader500x601, TitleHeader())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Open, TitleHeader500x601, TitleHeader())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Save, TitleHeader500x601, TitleHeader())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PlainRead, Matrix1000x601, Matrix())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Open, Matrix1000x601, Matrix())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Save, Matrix1000x601, Matrix())->Unit(benchmark::kMillisecond);

}  // namespace
