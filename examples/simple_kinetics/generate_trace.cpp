// Writes the example kinetics file: a first-order reaction A -> B
// (k = 0.05 /s) followed by 100 spectra (300-600 nm, 2 nm steps) taken every
// 0.5 s from 0.5 s on, as a MultiSpec-1500 "##TITLE" kinetics export with
// one value per line and a "##PAGE" line before each spectrum.
// Usage: generate_trace OUTPUT_FILE
#include <cmath>
#include <cstdio>

namespace {

constexpr double kRate = 0.05;  // 1/s
constexpr int kFirstNm = 300, kLastNm = 600, kStepNm = 2;
constexpr int kRuns = 100;
constexpr double kFirstTime = 0.5, kLastTime = 50.0;

double Band(double nm, double peak, double width, double height) {
  const double x = (nm - peak) / width;
  return height * std::exp(-x * x);
}

// A absorbs at 360 nm, B at 480 nm; both a little in the UV.
double SpectrumA(double nm) { return Band(nm, 360, 40, 0.85) + Band(nm, 300, 20, 0.30); }
double SpectrumB(double nm) { return Band(nm, 480, 55, 0.62) + Band(nm, 310, 25, 0.25); }

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_FILE\n", argv[0]);
    return 2;
  }
  std::FILE* file = std::fopen(argv[1], "wb");
  if (file == nullptr) return 1;
  const int points = (kLastNm - kFirstNm) / kStepNm + 1;
  std::fprintf(file,
               "##TITLE=A -> B, 25 C, 1 cm\r\n##JCAMP-DX=4.24\r\n##DATA TYPE=UV/VIS SPECTRUM\r\n"
               "##ORIGIN=MultiSpec-1500\r\n##OWNER=\r\n##DATE=2026/12/01\r\n##TIME=10:15:00\r\n"
               "##XUNITS=NANOMETERS\r\n##YUNITS=ABSORBANCE\r\n##XFACTOR=1.000000\r\n"
               "##FIRSTX=%d.000000\r\n##LASTX=%d.000000\r\n##NPOINTS=%d\r\n"
               "##TUNITS=SECONDS\r\n##TFACTOR=1.000000\r\n"
               "##FIRSTT=%.6f\r\n##LASTT=%.6f\r\n##NPOINTS=%d\r\n##XYDATA=(X++(Y..Y))\r\n",
               kFirstNm, kLastNm, points, kFirstTime, kLastTime, kRuns);
  unsigned noise = 4242;
  for (int run = 0; run < kRuns; ++run) {
    const double t = kFirstTime + (kLastTime - kFirstTime) * run / (kRuns - 1);
    const double a = std::exp(-kRate * t);
    std::fprintf(file, "##PAGE=T=%.6f\r\n", t);
    for (int nm = kFirstNm; nm <= kLastNm; nm += kStepNm) {
      noise = noise * 1103515245U + 12345U;
      const double jitter = (static_cast<int>((noise >> 16U) % 1001U) - 500) * 1e-6;
      std::fprintf(file, "%.5f\r\n", SpectrumA(nm) * a + SpectrumB(nm) * (1 - a) + 0.001 + jitter);
    }
  }
  std::fprintf(file, "##END=\r\n");
  std::fclose(file);
  return 0;
}
