// Writes the example kinetics: a first-order reaction A -> B (k = 0.04 /s,
// 1e-4 M, 1 cm cell) followed by spectra from 400 to 700 nm every 5 nm, 31
// spectra from 2 s every 5 s, in each of the five layouts the kinetic-trace
// converter reads:
//   ab_matrix.txt     number matrix with a time row
//   ab_header.txt     number matrix under the Shift-JIS wavelength header
//   ab_multispec.ASC  title-header kinetics file, one value per line
//   ab_space.txt      "space" table, wavelengths from the highest down
//   ab_specfit.txt    SPECFIT 2D-format file (X/Z mode 2, model 4)
// Usage: generate_kinetics OUTPUT_DIR
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr double kRate = 0.04;           // 1/s
constexpr double kConcentration = 1e-4;  // mol/l of A at t = 0
constexpr int kFirstNm = 400;
constexpr int kStepNm = 5;
constexpr int kWavelengths = 61;  // 400 .. 700 nm
constexpr int kDeadTime = 2;      // s
constexpr int kInterval = 5;      // s
constexpr int kTimes = 31;        // 2 .. 152 s

double Band(double nm, double peak, double width, double height) {
  const double x = (nm - peak) / width;
  return height * std::exp(-x * x);
}

// Molar absorptivities (l/mol/cm): A is orange-yellow (450 nm), B violet (560 nm).
double EpsilonA(double nm) { return Band(nm, 450, 40, 8000) + Band(nm, 380, 30, 3000); }
double EpsilonB(double nm) { return Band(nm, 560, 45, 9500) + Band(nm, 380, 30, 2500); }

int Nm(int j) { return kFirstNm + kStepNm * j; }
int Time(int i) { return kDeadTime + kInterval * i; }

// Absorbances [time][wavelength] with a small deterministic noise.
std::vector<std::vector<std::string>> Values() {
  unsigned noise = 4242;
  std::vector<std::vector<std::string>> values(kTimes, std::vector<std::string>(kWavelengths));
  for (int i = 0; i < kTimes; ++i) {
    const double a = kConcentration * std::exp(-kRate * Time(i));
    const double b = kConcentration - a;
    for (int j = 0; j < kWavelengths; ++j) {
      noise = noise * 1103515245U + 12345U;
      const double jitter = (static_cast<int>((noise >> 16U) % 401U) - 200) * 1e-6;
      char text[32];
      std::snprintf(text, sizeof text, "%.4f", EpsilonA(Nm(j)) * a + EpsilonB(Nm(j)) * b + 0.003 + jitter);
      values[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] = text;
    }
  }
  return values;
}

class Output {
 public:
  explicit Output(const std::filesystem::path& path) : file_(std::fopen(path.c_str(), "wb")) {}
  ~Output() {
    if (file_ != nullptr) std::fclose(file_);
  }
  Output(const Output&) = delete;
  Output& operator=(const Output&) = delete;
  bool Good() const { return file_ != nullptr; }
  void Line(const std::string& text) { std::fprintf(file_, "%s\r\n", text.c_str()); }

 private:
  std::FILE* file_;
};

std::string At(const std::vector<std::vector<std::string>>& v, int i, int j) {
  return v[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)];
}

bool WriteMatrix(const std::filesystem::path& dir, const std::vector<std::vector<std::string>>& v) {
  Output out(dir / "ab_matrix.txt");
  if (!out.Good()) return false;
  std::string times = "0";
  for (int i = 0; i < kTimes; ++i) times += " " + std::to_string(Time(i));
  out.Line(times);
  for (int j = 0; j < kWavelengths; ++j) {
    std::string line = std::to_string(Nm(j));
    for (int i = 0; i < kTimes; ++i) line += " " + At(v, i, j);
    out.Line(line);
  }
  return true;
}

bool WriteHeaderMatrix(const std::filesystem::path& dir, const std::vector<std::vector<std::string>>& v) {
  Output out(dir / "ab_header.txt");
  if (!out.Good()) return false;
  // "wavelength" in Shift-JIS, then the times, which the converter does not read.
  std::string header = "\x94\x67\x92\xB7";
  for (int i = 0; i < kTimes; ++i) header += "\t" + std::to_string(Time(i));
  out.Line(header);
  for (int j = 0; j < kWavelengths; ++j) {
    std::string line = std::to_string(Nm(j));
    for (int i = 0; i < kTimes; ++i) line += "\t" + At(v, i, j);
    out.Line(line);
  }
  return true;
}

bool WriteTitleHeader(const std::filesystem::path& dir, const std::vector<std::vector<std::string>>& v) {
  Output out(dir / "ab_multispec.ASC");
  if (!out.Good()) return false;
  for (const char* line : {"##TITLE=A -> B, first order", "##JCAMP-DX=4.24", "##DATA TYPE=UV/VIS KINETICS",
                           "##ORIGIN=specbridge example", "##OWNER=", "##DATE=2026/12/01", "##TIME=10:00:00",
                           "##XUNITS=NANOMETERS", "##YUNITS=ABSORBANCE", "##XFACTOR=1"}) {
    out.Line(line);
  }
  out.Line("##FIRSTX=" + std::to_string(Nm(0)));
  out.Line("##LASTX=" + std::to_string(Nm(kWavelengths - 1)));
  out.Line("##NPOINTS=" + std::to_string(kWavelengths));
  out.Line("##TUNITS=SECONDS");
  out.Line("##TFACTOR=1");
  out.Line("##FIRSTX=" + std::to_string(Time(0)));
  out.Line("##LASTX=" + std::to_string(Time(kTimes - 1)));
  out.Line("##NPOINTS=" + std::to_string(kTimes));
  out.Line("##XYDATA=(X++(Y..Y))");
  for (int i = 0; i < kTimes; ++i) {
    out.Line("##PAGE=T=" + std::to_string(Time(i)));
    for (int j = 0; j < kWavelengths; ++j) out.Line(At(v, i, j));
  }
  out.Line("##END=");
  return true;
}

bool WriteSpaceTable(const std::filesystem::path& dir, const std::vector<std::vector<std::string>>& v) {
  Output out(dir / "ab_space.txt");
  if (!out.Good()) return false;
  out.Line("space");
  std::string header = " Time(s)/nm";
  for (int j = kWavelengths - 1; j >= 0; --j) header += " " + std::to_string(Nm(j));
  out.Line(header);
  for (int i = 0; i < kTimes; ++i) {
    std::string line = std::to_string(Time(i));
    for (int j = kWavelengths - 1; j >= 0; --j) line += " " + At(v, i, j);
    out.Line(line);
  }
  return true;
}

bool WriteSpecfit(const std::filesystem::path& dir, const std::vector<std::vector<std::string>>& v) {
  Output out(dir / "ab_specfit.txt");
  if (!out.Good()) return false;
  const std::string n = std::to_string(kWavelengths);
  const std::string commentTabs(kWavelengths + 2, '\t');
  const std::string headerTabs(kWavelengths - 7, '\t');
  const std::string fixedTabs(kWavelengths + 1, '\t');
  out.Line("A -> B, first order" + commentTabs);
  out.Line("k = 0.04 /s, 1E-4 M, 1 cm" + commentTabs);
  out.Line("X/Z Mode\tNm\tNw\tNc\tModel\tX-axis\tY-axis\tZ-axis\tPath\tTemp (C)" + headerTabs);
  out.Line("2\t " + std::to_string(kTimes) + "\t " + n + "\t2\t4\t0\t0\t0\t1\t25" + headerTabs);
  out.Line("1\t0.00001" + fixedTabs);
  out.Line("1\t0.0000" + fixedTabs);
  std::string data = "Data";
  for (int j = 0; j < kWavelengths; ++j) data += "\t" + std::to_string(Nm(j));
  out.Line(data);
  for (int i = 0; i < kTimes; ++i) {
    std::string line = std::to_string(Time(i));
    for (int j = 0; j < kWavelengths; ++j) line += "\t" + At(v, i, j);
    out.Line(line);
  }
  return true;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
    return 2;
  }
  const std::filesystem::path dir = argv[1];
  std::filesystem::create_directories(dir);
  const auto values = Values();
  const bool written = WriteMatrix(dir, values) && WriteHeaderMatrix(dir, values) && WriteTitleHeader(dir, values) &&
                       WriteSpaceTable(dir, values) && WriteSpecfit(dir, values);
  return written ? 0 : 1;
}
