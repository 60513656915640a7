// Parsing and formatting of absorbance-like numbers, beside std::from_chars
// alone on the same texts.
#include <benchmark/benchmark.h>

#include <charconv>
#include <random>
#include <string>
#include <vector>

#include "common/numbers.hpp"

namespace {

// Absorbances as instruments write them: plain, signed, exponent forms.
const std::vector<std::string>& Texts() {
  static const std::vector<std::string> texts = [] {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> absorbance(-0.05, 2.5);
    std::vector<std::string> out;
    char buf[32];
    for (int i = 0; i < 4096; ++i) {
      const double v = absorbance(random);
      switch (i % 4) {
        case 0:
          out.emplace_back(buf, std::to_chars(buf, buf + 32, v, std::chars_format::fixed, 4).ptr);
          break;
        case 1:
          out.emplace_back(buf, std::to_chars(buf, buf + 32, v, std::chars_format::fixed, 6).ptr);
          break;
        case 2:
          out.emplace_back(buf, std::to_chars(buf, buf + 32, v / 1000, std::chars_format::scientific, 5).ptr);
          break;
        default:
          out.emplace_back(buf, std::to_chars(buf, buf + 32, v).ptr);
          break;
      }
    }
    return out;
  }();
  return texts;
}

std::int64_t TotalBytes() {
  std::int64_t n = 0;
  for (const auto& t : Texts()) n += static_cast<std::int64_t>(t.size());
  return n;
}

void BM_FromChars(benchmark::State& state) {
  for (auto _ : state) {
    for (const auto& t : Texts()) {
      double v = 0;
      std::from_chars(t.data(), t.data() + t.size(), v);
      benchmark::DoNotOptimize(v);
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(Texts().size()));
  state.SetBytesProcessed(state.iterations() * TotalBytes());
}
BENCHMARK(BM_FromChars);

void BM_TextToReal(benchmark::State& state) {
  for (auto _ : state) {
    for (const auto& t : Texts()) benchmark::DoNotOptimize(specbridge::TextToReal(t));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(Texts().size()));
  state.SetBytesProcessed(state.iterations() * TotalBytes());
}
BENCHMARK(BM_TextToReal);

std::vector<double> Values() {
  std::vector<double> values;
  for (const auto& t : Texts()) values.push_back(specbridge::TextToReal(t));
  return values;
}

template <class Format>
void RunFormat(benchmark::State& state, Format format) {
  const std::vector<double> values = Values();
  for (auto _ : state) {
    for (double v : values) benchmark::DoNotOptimize(format(v));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(values.size()));
}

void BM_FixedReal(benchmark::State& state) {
  RunFormat(state, [](double v) { return specbridge::FixedReal(v, 10, 3); });
}
BENCHMARK(BM_FixedReal);

void BM_SciReal(benchmark::State& state) {
  RunFormat(state, [](double v) { return specbridge::SciReal(v, 12); });
}
BENCHMARK(BM_SciReal);

void BM_ShortReal(benchmark::State& state) {
  RunFormat(state, [](double v) { return specbridge::ShortReal(v); });
}
BENCHMARK(BM_ShortReal);

}  // namespace
