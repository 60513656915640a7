// The singular values of the largest titration series (3001 wavelengths x
// 101 spectra) and of the largest matrix the decomposition accepts in its
// worst shape (1000 x 1000).
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

#include "species/species.hpp"

namespace {

using specbridge::species::AbsorbanceMatrix;

// Three Gaussian bands with changing amounts, plus noise of 0.001.
AbsorbanceMatrix ThreeSpecies(int wavelengths, int spectra) {
  AbsorbanceMatrix matrix{wavelengths, spectra, {}, "200", "800"};
  std::mt19937 random(7);
  std::normal_distribution<double> noise(0.0, 1e-3);
  for (int k = 0; k < spectra; ++k) {
    const double t = static_cast<double>(k) / (spectra - 1);
    for (int i = 0; i < wavelengths; ++i) {
      const double nm = 200 + 600.0 * i / (wavelengths - 1);
      const auto band = [nm](double centre) { return std::exp(-std::pow((nm - centre) / 40, 2)); };
      matrix.values.push_back((1 - t) * band(350) + 4 * t * (1 - t) * band(450) + t * t * band(600) + noise(random));
    }
  }
  return matrix;
}

void EstimateSpecies(benchmark::State& state) {
  const AbsorbanceMatrix matrix = ThreeSpecies(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  for (auto _ : state) benchmark::DoNotOptimize(specbridge::species::EstimateSpecies(matrix));
}
BENCHMARK(EstimateSpecies)->Args({3001, 101})->Args({1000, 1000})->Unit(benchmark::kMillisecond);

}  // namespace
