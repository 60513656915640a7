// Writes the example titration: 21 spectra (250-700 nm) of a metal ion M
// titrated with a ligand L that forms ML (K = 1e6 /M), as comma-column files
// tit00.ASC ... tit20.ASC of the kind a diode-array instrument exports.
// Usage: generate_series OUTPUT_DIR
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

namespace {

constexpr double kV0 = 2.0;   // ml in the cell
constexpr double kVt = 0.01;  // ml per addition
constexpr double kCM = 1e-4;  // mol/l of M at the start
constexpr double kCL = 2e-3;  // mol/l of the titrant L
constexpr double kK = 1e6;    // l/mol, M + L = ML
constexpr int kSpectra = 21;

double Band(double nm, double peak, double width, double height) {
  const double x = (nm - peak) / width;
  return height * std::exp(-x * x);
}

// Molar absorptivities (l/mol/cm): M absorbs at 330 nm, ML at 440 nm.
double EpsilonM(double nm) { return Band(nm, 330, 45, 9000) + Band(nm, 260, 25, 4000); }
double EpsilonML(double nm) { return Band(nm, 440, 55, 7500) + Band(nm, 275, 30, 5000); }

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
    return 2;
  }
  const std::filesystem::path dir = argv[1];
  std::filesystem::create_directories(dir);
  unsigned noise = 12345;
  for (int n = 0; n < kSpectra; ++n) {
    const double v = kV0 + n * kVt;
    const double m = kCM * kV0 / v;
    const double l = kCL * n * kVt / v;
    // [ML] from the mass balance: K (m - x)(l - x) = x.
    const double b = m + l + 1 / kK;
    const double ml = (b - std::sqrt(b * b - 4 * m * l)) / 2;
    char name[32];
    std::snprintf(name, sizeof name, "tit%02d.ASC", n);
    std::FILE* file = std::fopen((dir / name).c_str(), "wb");
    if (file == nullptr) return 1;
    for (int nm = 250; nm <= 700; ++nm) {
      noise = noise * 1103515245U + 12345U;
      const double jitter = (static_cast<int>((noise >> 16U) % 1001U) - 500) * 1e-6;
      const double a = EpsilonM(nm) * (m - ml) + EpsilonML(nm) * ml + 0.002 + jitter;
      std::fprintf(file, "%d.0,%.4f\r\n", nm, a);
    }
    std::fclose(file);
  }
  return 0;
}
