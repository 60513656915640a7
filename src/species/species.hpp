#pragma once

// How many absorbing species a series holds: the singular values of its
// absorbance matrix (wavelengths x spectra), the share of each in the whole
// signal, and the count of values standing clearly above the noise floor.

#include <optional>
#include <string>
#include <vector>

#include "common/errors.hpp"
#include "common/plot.hpp"

namespace specbridge::titration {
struct TitrationSeries;
}
namespace specbridge::kinetics {
class KineticConverter;
}

namespace specbridge::species {

// A selection that leaves no wavelength or no spectrum to decompose.
class EmptySelection : public Failure {
  using Failure::Failure;
};

// Values at most this many times the noise floor are taken for noise.
inline constexpr double kNoiseFactor = 10;
// Fewer values leave no lower half to estimate the noise from.
inline constexpr int kMinValuesForFloor = 4;
// The decomposition costs about m n min(m, n): this keeps the worst shape
// (1000 x 1000) near a second.
inline constexpr long long kMaxValues = 1'000'000;

// Rows are wavelengths, columns spectra (or times), column-major.
struct AbsorbanceMatrix {
  int wavelengths = 0;
  int spectra = 0;
  std::vector<double> values;                   // spectrum s, wavelength i at values[s * wavelengths + i]
  std::string firstWavelength, lastWavelength;  // as the data show them
  friend bool operator==(const AbsorbanceMatrix&, const AbsorbanceMatrix&) = default;
};

struct SpeciesEstimate {
  std::vector<double> values;        // singular values, largest first
  std::vector<double> shares;        // s(i)^2 / sum of all s(j)^2
  std::optional<double> noiseFloor;  // median of the lower half of the values
  double threshold = 0;              // a value above this counts as a species
  int suggestedCount = 0;
};

// Throws CapacityError when the matrix holds more than kMaxValues values.
void CheckDecomposable(long long wavelengths, long long spectra);

// Refuses (MathError) a value that is not finite, and (CapacityError) a
// matrix beyond kMaxValues.
SpeciesEstimate EstimateSpecies(const AbsorbanceMatrix& matrix);

// What "Save" of the titration window would write with no skipping: the
// points inside the selected range widened by 1 nm, and the first
// UsedSpectrumCount spectra. An empty selection throws EmptySelection.
AbsorbanceMatrix TitrationMatrix(const titration::TitrationSeries& series);

// What "Save_SPECFIT_File" of the kinetic-trace window would write: the
// wavelength columns chosen by nmlow, nmhigh and the skipping policy, and
// the time rows without an omit mark. A cell that is no number throws
// ConversionError naming its wavelength and row; an empty selection throws
// EmptySelection.
AbsorbanceMatrix KineticMatrix(const kinetics::KineticConverter& converter);

// The report for a person: the matrix size, one line per value with its
// share and the running total of the shares in percent, the noise floor and
// the suggested count. Lines end with LF.
std::string ReportText(const AbsorbanceMatrix& matrix, const SpeciesEstimate& estimate);

// "1.234E-03": four significant digits, two exponent digits at least.
std::string ValueText(double v);

// The log-scale plot of the first kMaxPlotted values: a decade grid, the
// values joined by a line, a filled dot for each value counted as a species,
// an open dot for the others and the threshold in red.
inline constexpr int kMaxPlotted = 30;
struct DecadeMark {
  int y = 0;
  int exponent = 0;  // the line stands for 10^exponent
};
struct SingularValuePlot {
  PlotScene scene{0, 0};
  std::vector<DecadeMark> decades;  // for the labels the window writes
  int left = 0;                     // the plot area starts here; labels go before it
};
SingularValuePlot DrawSingularValues(const SpeciesEstimate& estimate, int width, int height);

}  // namespace specbridge::species
