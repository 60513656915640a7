// The FIX readers and writers on large generated inputs (100 spectra of 3001
// epsilon values, 3001-point spectra), beside a plain read of the same bytes.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cmath>
#include <string>

#include "fix/epsilon.hpp"
#include "fix/fix_commands.hpp"

namespace {

using namespace specbridge::fix;

constexpr int kSpectra = 100;
constexpr int kPoints = 3001;

std::string Number(double v, int decimals) {
  char buf[32];
  return std::string(buf, std::to_chars(buf, buf + 32, v, std::chars_format::fixed, decimals).ptr);
}

double Band(int i, int s) { return 12000 * std::exp(-std::pow((i - 1000.0 - 10 * s) / 300.0, 2)); }

const std::string& EpsilonFile() {
  static const std::string text = [] {
    std::string out = "1 " + std::to_string(kSpectra) + " " + std::to_string(kPoints) + "\r\n";
    for (int i = 0; i < kPoints; ++i) out += Number(200 + 0.2 * i, 1) + "\r\n";
    for (int s = 0; s < kSpectra; ++s) {
      for (int i = 0; i < kPoints; ++i) out += Number(Band(i, s), 2) + "\r\n";
    }
    return out;
  }();
  return text;
}

const std::string& UvProbeFile() {
  static const std::string text = [] {
    std::string out = "\"x.spc - RawData\"\r\n\"Wavelength nm.\",\"Abs.\"\r\n";
    for (int i = 0; i < kPoints; ++i) {
      const double wavelength = 1400 - 0.3 * i;
      const std::string nm = wavelength >= 1000 ? "1," + Number(wavelength - 1000, 1) : Number(wavelength, 1);
      out += nm + "," + Number(Band(i, 0) / 10000, 3) + "\r\n";
    }
    return out;
  }();
  return text;
}

const std::string& MultiSpecFile() {
  static const std::string text = [] {
    std::string out = "##TITLE=bench\r\n";
    for (int i = 2; i <= 10; ++i) out += "##\r\n";
    out += "##FIRSTX=200.000000\r\n##LASTX=800.000000\r\n##NPOINTS=" + std::to_string(kPoints) + "\r\n##\r\n##\r\n";
    for (int i = 0; i < kPoints; ++i) out += Number(Band(i, 0) / 10000, 6) + "\r\n";
    return out;
  }();
  return text;
}

// What reading the numbers costs at the least: from_chars over every token.
void BM_PlainNumberScan(benchmark::State& state) {
  const std::string& text = EpsilonFile();
  for (auto _ : state) {
    double sum = 0;
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end) {
      while (p < end && (*p == ' ' || *p == '\r' || *p == '\n')) ++p;
      double v = 0;
      const auto r = std::from_chars(p, end, v);
      sum += v;
      p = r.ptr == p ? p + 1 : r.ptr;
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_PlainNumberScan)->Unit(benchmark::kMillisecond);

void BM_ParseEpsilonData(benchmark::State& state) {
  const std::string& text = EpsilonFile();
  for (auto _ : state) benchmark::DoNotOptimize(ParseEpsilonData(text, "complex_series_2026a.dem"));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParseEpsilonData)->Unit(benchmark::kMillisecond);

void BM_EpsilonFixText(benchmark::State& state) {
  const EpsilonData data = ParseEpsilonData(EpsilonFile());
  for (auto _ : state) benchmark::DoNotOptimize(EpsilonFixText(data));
}
BENCHMARK(BM_EpsilonFixText)->Unit(benchmark::kMillisecond);

void BM_EpsilonTableText(benchmark::State& state) {
  const EpsilonData data = ParseEpsilonData(EpsilonFile());
  for (auto _ : state) benchmark::DoNotOptimize(EpsilonTableText(data));
}
BENCHMARK(BM_EpsilonTableText)->Unit(benchmark::kMillisecond);

void BM_SpectrumToFix(benchmark::State& state) {
  const SpectrumKind kind = state.range(0) == 0 ? SpectrumKind::kMultiSpecRows : SpectrumKind::kUvProbe;
  const std::string& text = state.range(0) == 0 ? MultiSpecFile() : UvProbeFile();
  for (auto _ : state) {
    const SingleSpectrum spectrum = LoadSpectrum(kind, text, "bench");
    benchmark::DoNotOptimize(SpectrumFixText(kind, spectrum, "1e-4"));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_SpectrumToFix)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
