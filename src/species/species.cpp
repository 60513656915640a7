#include "species/species.hpp"

#include <Eigen/SVD>
#include <algorithm>
#include <cmath>
#include <limits>

#include "common/numbers.hpp"

namespace specbridge::species {
namespace {

// Median of values sorted largest first.
double SortedMedian(const double* first, std::size_t count) {
  const std::size_t middle = count / 2;
  return count % 2 == 1 ? first[middle] : (first[middle - 1] + first[middle]) / 2;
}

}  // namespace

void CheckDecomposable(long long wavelengths, long long spectra) {
  if (wavelengths * spectra > kMaxValues) {
    throw CapacityError("The selection holds " + std::to_string(wavelengths) + " wavelengths x " +
                        std::to_string(spectra) + " spectra; the singular values are computed for at most " +
                        std::to_string(kMaxValues) +
                        " values (narrow the wavelength range, skip wavelengths or omit time rows)");
  }
}

SpeciesEstimate EstimateSpecies(const AbsorbanceMatrix& matrix) {
  SpeciesEstimate estimate;
  const int m = matrix.wavelengths;
  const int n = matrix.spectra;
  if (m <= 0 || n <= 0) return estimate;
  CheckDecomposable(m, n);
  if (!std::all_of(matrix.values.begin(), matrix.values.end(), [](double v) { return std::isfinite(v); })) {
    throw MathError("The absorbance matrix holds a value that is not a finite number");
  }
  const Eigen::Map<const Eigen::MatrixXd> a(matrix.values.data(), m, n);
  // Values only: no singular vectors are asked for.
  const Eigen::BDCSVD<Eigen::MatrixXd> svd(a);
  const Eigen::VectorXd& s = svd.singularValues();
  estimate.values.assign(s.data(), s.data() + s.size());
  const std::size_t p = estimate.values.size();
  const double largest = p > 0 ? estimate.values.front() : 0;
  if (!(largest > 0)) {
    estimate.shares.assign(p, 0.0);
    return estimate;
  }

  // Shares of the sum of squares (the total signal power), scaled by the
  // largest value so that no square overflows.
  double total = 0;
  for (const double v : estimate.values) total += (v / largest) * (v / largest);
  for (const double v : estimate.values) estimate.shares.push_back((v / largest) * (v / largest) / total);

  // White noise alone gives values that fall off gently (the largest within
  // about 5 times the median of the lower half once there are 20 or more
  // values, closer still for a tall matrix), while each absorbing species
  // adds a value far above: the lower half is taken for noise, and a species
  // must stand kNoiseFactor times above its median, which holds while the
  // species are fewer than half the values. Values the rounding of the
  // decomposition alone can produce never count.
  const double rounding = largest * static_cast<double>(std::max(m, n)) * std::numeric_limits<double>::epsilon();
  if (static_cast<int>(p) >= kMinValuesForFloor) {
    const std::size_t lower = p / 2;
    estimate.noiseFloor = SortedMedian(estimate.values.data() + lower, p - lower);
  }
  estimate.threshold = std::max(rounding, estimate.noiseFloor ? kNoiseFactor * *estimate.noiseFloor : 0.0);
  estimate.suggestedCount = static_cast<int>(
      std::count_if(estimate.values.begin(), estimate.values.end(), [&](double v) { return v > estimate.threshold; }));
  return estimate;
}

std::string ValueText(double v) {
  // SciReal gives " 1.234E+0001": sign position, mantissa, four exponent digits.
  const std::string sci = SciReal(v, 12);
  std::string text = sci[0] == '-' ? "-" : "";
  text.append(sci, 1, 6);  // "1.234E"
  text += sci[7];          // exponent sign
  std::size_t digits = 8;
  while (digits < sci.size() - 2 && sci[digits] == '0') ++digits;
  text.append(sci, digits);
  return text;
}

std::string ReportText(const AbsorbanceMatrix& matrix, const SpeciesEstimate& estimate) {
  std::string out = IntText(matrix.spectra) + " spectra x " + IntText(matrix.wavelengths) + " wavelengths, " +
                    matrix.firstWavelength + " to " + matrix.lastWavelength + " nm\n";
  out += " No.  Singular value  Share (%)  Cumulative (%)\n";
  double cumulative = 0;
  for (std::size_t k = 0; k < estimate.values.size(); ++k) {
    cumulative += estimate.shares[k];
    std::string value = ValueText(estimate.values[k]);
    out += IntText(static_cast<std::int64_t>(k + 1), 4) +
           std::string(16 - std::min<std::size_t>(value.size(), 15), ' ') + value +
           FixedReal(100 * estimate.shares[k], 11, 3) + FixedReal(100 * cumulative, 16, 3) + "\n";
  }
  if (estimate.noiseFloor) {
    out += "Noise floor: " + ValueText(*estimate.noiseFloor) + " (median of the lower half of the values)\n";
  } else {
    out += "Noise floor: none (fewer than " + IntText(kMinValuesForFloor) + " values)\n";
  }
  const bool fromFloor = estimate.noiseFloor && estimate.threshold == kNoiseFactor * *estimate.noiseFloor;
  out += "Threshold: " + ValueText(estimate.threshold) +
         (fromFloor ? " (" + ShortReal(kNoiseFactor) + " x the noise floor)\n"
                    : std::string(" (the rounding level of the decomposition)\n"));
  out += "Suggested number of absorbing species: " + IntText(estimate.suggestedCount) + "\n";
  return out;
}

SingularValuePlot DrawSingularValues(const SpeciesEstimate& estimate, int width, int height) {
  constexpr Rgb kGrid{0xC0, 0xC0, 0xC0};
  constexpr Rgb kFrame{0x80, 0x80, 0x80};
  constexpr Rgb kCurve{0x00, 0x00, 0x80};
  constexpr Rgb kThreshold{0xFF, 0x00, 0x00};
  constexpr int kDot = 3;
  SingularValuePlot plot;
  plot.left = 44;
  const int top = 8, right = 8, bottom = 8;
  const int innerWidth = std::max(width - plot.left - right, 1);
  const int innerHeight = std::max(height - top - bottom, 1);
  PlotScene& scene = plot.scene = PlotScene(width, height);
  scene.FillRect(0, 0, width, height, kWhite);
  const auto frame = [&] {
    scene.SetPen(kFrame);
    scene.MoveTo(plot.left, top);
    scene.LineTo(plot.left + innerWidth, top);
    scene.LineTo(plot.left + innerWidth, top + innerHeight);
    scene.LineTo(plot.left, top + innerHeight);
    scene.LineTo(plot.left, top);
  };
  const int q = static_cast<int>(std::min<std::size_t>(estimate.values.size(), kMaxPlotted));
  if (q == 0 || !(estimate.values.front() > 0)) {
    frame();
    return plot;
  }

  // Whole decades from the largest value down to the smallest plotted one
  // (or the threshold), at most 16 of them: what lies below sits on the floor.
  const int high = static_cast<int>(std::ceil(std::log10(estimate.values.front())));
  double smallest = estimate.values.front();
  for (int k = 0; k < q; ++k) {
    if (estimate.values[static_cast<std::size_t>(k)] > 0) smallest = estimate.values[static_cast<std::size_t>(k)];
  }
  if (estimate.threshold > 0) smallest = std::min(smallest, estimate.threshold);
  int low = std::max(static_cast<int>(std::floor(std::log10(smallest))), high - 16);
  if (low >= high) low = high - 1;
  const PlotMapping map({0.5, q + 0.5, static_cast<double>(low), static_cast<double>(high)}, innerWidth, innerHeight);
  const auto y = [&](double v) { return top + map.PlotY(v > 0 ? std::max(std::log10(v), double(low)) : low); };
  const auto x = [&](int k) { return plot.left + map.PlotX(k + 1); };

  const int step = (high - low + 5) / 6;  // six labels at most
  scene.SetPen(kGrid);
  for (int e = high; e >= low; e -= step) {
    const int row = top + map.PlotY(e);
    plot.decades.push_back({row, e});
    scene.MoveTo(plot.left, row);
    scene.LineTo(plot.left + innerWidth, row);
  }
  frame();
  if (estimate.threshold > 0 && std::log10(estimate.threshold) >= low) {
    scene.SetPen(kThreshold);
    scene.MoveTo(plot.left, y(estimate.threshold));
    scene.LineTo(plot.left + innerWidth, y(estimate.threshold));
  }
  scene.SetPen(kCurve);
  scene.MoveTo(x(0), y(estimate.values.front()));
  for (int k = 1; k < q; ++k) scene.LineTo(x(k), y(estimate.values[static_cast<std::size_t>(k)]));
  for (int k = 0; k < q; ++k) {
    const int px = x(k), py = y(estimate.values[static_cast<std::size_t>(k)]);
    scene.Ellipse(px - kDot, py - kDot, px + kDot + 1, py + kDot + 1, k < estimate.suggestedCount ? kCurve : kWhite);
  }
  return plot;
}

}  // namespace specbridge::species
