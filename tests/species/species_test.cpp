#include "species/species.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "kinetics/converter.hpp"
#include "support/test_support.hpp"
#include "titration/titration.hpp"

namespace specbridge::species {
namespace {

struct RankCase {
  const char* name;
  int species;  // known rank
  int wavelengths;
  int spectra;
  double noise;    // standard deviation, absorbance units
  double weakest;  // peak absorbance of the last species
  int expected;
};

// Gaussian bands at 450, 520 and 600 nm (30 nm wide) over 400 to 700 nm;
// the titration profiles 1 - t, 4 t (1 - t) and t^2 are independent.
AbsorbanceMatrix Synthetic(const RankCase& c) {
  AbsorbanceMatrix matrix{c.wavelengths, c.spectra, {}, "400", "700"};
  std::mt19937 random(12345);
  std::normal_distribution<double> noise(0.0, c.noise);
  for (int k = 0; k < c.spectra; ++k) {
    const double t = c.spectra > 1 ? double(k) / (c.spectra - 1) : 0;
    const double profile[] = {1 - t, 4 * t * (1 - t), t * t};
    for (int i = 0; i < c.wavelengths; ++i) {
      const double nm = 400 + 300.0 * i / (c.wavelengths - 1);
      double a = 0;
      for (int j = 0; j < c.species; ++j) {
        const double centre[] = {450, 520, 600};
        const double height = j == c.species - 1 && j > 0 ? c.weakest : 1.0;
        a += height * profile[j] * std::exp(-std::pow((nm - centre[j]) / 30, 2));
      }
      matrix.values.push_back(a + (c.noise > 0 ? noise(random) : 0.0));
    }
  }
  return matrix;
}

TEST(SpeciesTest, SuggestsTheKnownRankOfSyntheticSeries) {
  const RankCase cases[] = {
      {"noise only", 0, 301, 21, 1e-3, 1, 0},
      {"one species", 1, 301, 21, 1e-3, 1, 1},
      {"two species", 2, 301, 21, 1e-3, 1, 2},
      {"three species", 3, 301, 21, 1e-3, 1, 3},
      {"three, the third weak", 3, 301, 21, 1e-3, 0.05, 3},
      {"three at full size", 3, 3001, 101, 1e-3, 1, 3},
      {"two, square matrix", 2, 101, 101, 2e-3, 1, 2},
      {"three in eight spectra", 3, 50, 8, 1e-3, 1, 3},
      {"two without noise", 2, 301, 21, 0, 1, 2},
  };
  for (const RankCase& c : cases) {
    const SpeciesEstimate estimate = EstimateSpecies(Synthetic(c));
    EXPECT_EQ(estimate.suggestedCount, c.expected) << c.name;
    ASSERT_EQ(estimate.values.size(), std::size_t(std::min(c.wavelengths, c.spectra))) << c.name;
    EXPECT_TRUE(std::is_sorted(estimate.values.rbegin(), estimate.values.rend())) << c.name;
    double total = 0;
    for (const double share : estimate.shares) total += share;
    EXPECT_NEAR(total, 1.0, 1e-12) << c.name;
  }
}

// Orthogonal spectra: the singular values are their norms, 5 and 1 (and
// two zeros), their shares 25/26 and 1/26.
TEST(SpeciesTest, OrthogonalSpectraGiveTheirNormsAndShares) {
  const AbsorbanceMatrix matrix{4, 4, {3, 4, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}, "1", "4"};
  const SpeciesEstimate estimate = EstimateSpecies(matrix);
  ASSERT_EQ(estimate.values.size(), 4u);
  EXPECT_NEAR(estimate.values[0], 5, 1e-14);
  EXPECT_NEAR(estimate.values[1], 1, 1e-14);
  EXPECT_NEAR(estimate.shares[0], 25.0 / 26, 1e-14);
  EXPECT_NEAR(estimate.shares[1], 1.0 / 26, 1e-14);
  EXPECT_EQ(estimate.suggestedCount, 2);
  EXPECT_EQ(ValueText(estimate.values[0]), "5.000E+00");
  EXPECT_EQ(ValueText(-1.23456e-123), "-1.235E-123");
}

TEST(SpeciesTest, RefusesWhatItCannotDecompose) {
  AbsorbanceMatrix large{3299, 304, {}, "", ""};
  EXPECT_THROW_MSG(EstimateSpecies(large), CapacityError,
                   "The selection holds 3299 wavelengths x 304 spectra; the singular values are computed for at "
                   "most 1000000 values (narrow the wavelength range, skip wavelengths or omit time rows)");
  const AbsorbanceMatrix infinite{2, 1, {1, HUGE_VAL}, "", ""};
  EXPECT_THROW_MSG(EstimateSpecies(infinite), MathError,
                   "The absorbance matrix holds a value that is not a finite number");
}

// The titration window's selection: the range widened by 1 nm, the first
// UsedSpectrumCount spectra.
TEST(SpeciesTest, TitrationMatrixTakesWhatSaveWrites) {
  titration::TitrationSeries series;
  series.FileCount = 3;
  series.UsedSpectrumCount = 2;
  series.PointCount = 5;
  for (int i = 0; i < 5; ++i) {
    series.W(i) = 400 + 10 * i;
    for (int k = 0; k < 3; ++k) series.A(k, i) = 10 * k + i;
  }
  series.SelectedRange = {409.5, 430.5, 0, 1};
  const AbsorbanceMatrix matrix = TitrationMatrix(series);
  EXPECT_EQ(matrix, (AbsorbanceMatrix{3, 2, {1, 2, 3, 11, 12, 13}, "410", "430"}));
  series.SelectedRange = {405, 408.9, 0, 1};
  EXPECT_THROW_MSG(TitrationMatrix(series), EmptySelection,
                   "No wavelength of the series lies between 405 and 408.9 nm");
}

TEST(SpeciesTest, KineticMatrixTakesTheSelectedColumnsAndKeptRows) {
  kinetics::KineticConverter converter;
  // A short line leaves the cell of 600 nm at 5 s empty.
  converter.Open("space\n label 800 700 600\n0 0.8 0.7 0.6\n5 0.81 0.71\n10 0.82 0.72 0.62\n", "table.txt");
  EXPECT_THROW_MSG(KineticMatrix(converter), ConversionError,
                   "Wavelength 600 nm, time row 2 (time 5): '' is not a valid floating point value");
  converter.Boxes().Set("nmlow", "700");
  converter.SetSpin("SpinEdit3", 1);  // omits the first time row
  EXPECT_EQ(KineticMatrix(converter), (AbsorbanceMatrix{2, 2, {0.71, 0.81, 0.72, 0.82}, "700", "800"}));
  converter.SetSpin("SpinEdit3", 3);
  EXPECT_THROW_MSG(KineticMatrix(converter), EmptySelection, "Every time row is marked Omit");
}

}  // namespace
}  // namespace specbridge::species
