// The SPECFIT 2D-format files written from a titration series: X/Z mode 1
// with concentrations, and the kinetics variant (X/Z mode 2, model 4).
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "common/errors.hpp"
#include "common/numbers.hpp"
#include "common/text.hpp"
#include "titration/titration.hpp"

namespace specbridge::titration {
namespace {

constexpr std::string_view kCrLf = "\r\n";

void Tabs(std::string& out, int count) {
  if (count > 0) out.append(static_cast<std::size_t>(count), '\t');
}

// Appends the short text of v in at most `width` characters, blanks trimmed.
// Plain notation is cut (the lost digits are decimals). Cutting
// "1.234567E-5" would drop its exponent and write a number 100000 times too
// large, so a scientific text keeps its exponent and gives up mantissa
// digits instead: "1.235E-5".
// Writes at p, which has room for kShortRealCapacity characters, and returns
// the end of the fitted text (at most `width` characters).
char* WriteFitted(char* p, double v, std::size_t width) {
  char* const end = WriteShortReal(v, p);
  const auto size = static_cast<std::size_t>(end - p);
  if (size <= width || std::find(p, end, 'E') == end) return p + std::min(size, width);
  for (int digits = 14; digits >= 2; --digits) {
    const std::string shorter = ShortReal(TextToReal(SciReal(v, digits + 8)));
    if (shorter.size() <= width) return std::copy(shorter.begin(), shorter.end(), p);
  }
  return p + width;
}

void AppendFitted(std::string& out, double v, std::size_t width) {
  std::array<char, kShortRealCapacity> buf;
  out.append(buf.data(), WriteFitted(buf.data(), v, width));
}

// One data line, written through a cursor into room made once for the line
// (`bound` characters and a fitted text's room after them), rather than
// appended piece by piece: the data lines are nearly all of a file.
class LineWriter {
 public:
  LineWriter(std::string& out, std::size_t bound) : out_(out) {
    const std::size_t at = out_.size();
    out_.resize(at + bound + kShortRealCapacity);
    p_ = out_.data() + at;
  }
  LineWriter(const LineWriter&) = delete;
  LineWriter& operator=(const LineWriter&) = delete;
  ~LineWriter() { out_.resize(static_cast<std::size_t>(p_ - out_.data())); }

  void Fitted(double v, std::size_t width) { p_ = WriteFitted(p_, v, width); }
  void Put(std::string_view text) { p_ = std::copy(text.begin(), text.end(), p_); }
  void Put(char c) { *p_++ = c; }

 private:
  std::string& out_;
  char* p_;
};

bool InWidenedRange(const TitrationSeries& series, int i) {
  const double w = series.W(i);
  return series.SelectedRange.xLow - 1 < w && w < series.SelectedRange.xHigh + 1;
}

// " 4.975E-0006" becomes "4.975E-06": no sign position, two exponent digits.
void AppendCompact(std::string& out, const ConcentrationGrid& grid, int column, int row) {
  static constexpr std::array<const char*, 4> kRows{"", "[M]", "[L]", "[H+]"};
  const std::string where = std::string(kRows[static_cast<std::size_t>(row)]) + " of point " +
                            std::to_string(column - 1) + " (concentration grid column " + std::to_string(column) + ")";
  if (column >= static_cast<int>(grid.columns.size())) {
    throw ConversionError(where + ": the cell is empty; press Calculate again after changing Points for Meas.");
  }
  const std::string& cell = grid.columns[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)];
  const double v = WithContext(where, [&] { return TextToReal(cell); });
  const std::string sci = SciReal(v, 12);
  out.append(sci, 1, 7);
  out.append(sci, 10, 2);
}

int ClampedSkipping(int skipping) { return std::clamp(skipping, 0, 4); }

}  // namespace

int CountSelectedPoints(const TitrationSeries& series, int skipping) {
  const int stride = ClampedSkipping(skipping) + 1;
  int count = 0;
  for (int i = 0; i < series.PointCount; ++i) {
    if (InWidenedRange(series, i) && i % stride == 0) ++count;
  }
  return count;
}

std::string WriteTitration2D(const TitrationSeries& series, const ConcentrationGrid& grid, const BoxTexts& boxes,
                             int skipping) {
  if (!series.ConcentrationsReady) throw std::logic_error("Save needs the concentrations (Calculate)");
  const int n = series.UsedSpectrumCount;
  const int stride = ClampedSkipping(skipping) + 1;
  const int nw = CountSelectedPoints(series, skipping);
  // Values are brought down so that the largest one of the series reads 2.
  const double f = series.DataRange.yHigh > 5 ? 2 / series.DataRange.yHigh : 1.0;
  const int temperature = WithContext("Temp", [&] { return TextToInteger(boxes["Temp"]); });

  std::string out;
  out.reserve(static_cast<std::size_t>(nw + 8) * static_cast<std::size_t>(n * 9 + 8) + 512);

  out += boxes["Comment1"];
  Tabs(out, std::max(n - 1, 0) + 1);
  out += kCrLf;

  out += boxes["Comment2"];
  const auto titrantCell = [&](int j) {
    const std::string& cl = boxes["CL" + std::to_string(j)];
    const std::string& no = boxes["No" + std::to_string(j)];
    if (cl.empty() || no.empty()) return std::string("\t");
    return "\t[L" + std::to_string(j) + "]=" + cl + " M (No. " + no + ")";
  };
  for (int cell = 1; cell <= n - 1; ++cell) {
    switch (cell) {
      case 1:
        out += boxes["V0"].empty() ? std::string("\t") : "\tV0=" + boxes["V0"] + " ml";
        break;
      case 2:
        out += "\tVt=" + boxes["Vt"] + " ml";
        break;
      case 3:
        out += "\t[M]=" + boxes["CM"] + " M";
        break;
      case 4:
        out += "\t[H+]=" + boxes["CH"] + " M";
        break;
      case 5:
      case 6:
      case 7:
      case 8:
        out += titrantCell(cell - 4);
        break;
      default:
        out += '\t';
        break;
    }
  }
  out += '\t';
  out += kCrLf;

  Tabs(out, std::max(n, 0) + 1);
  out += kCrLf;

  out += "X/Z Mode\tNm\tNw\tNc\tModel\tX-axis\tY-axis\tZ-axis\tPath\tTemp (C)";
  Tabs(out, std::max(n - 10, 0) + 1);
  out += kCrLf;

  out += "1\t" + IntText(n) + "\t" + IntText(nw) + "\t2\t2\t0\t0\t0\t1\t" + IntText(temperature, 2) + "\t";
  Tabs(out, std::max(n - 10, 0) + 1);
  out += kCrLf;

  for (int row = 1; row <= 3; ++row) {
    out += row == 3 ? std::string("[H+] = ") : IntText(n);
    for (int p = 1; p <= n; ++p) {
      out += '\t';
      AppendCompact(out, grid, p, row);
    }
    out += kCrLf;
  }

  const std::size_t bound = 5 + 1 + static_cast<std::size_t>(std::max(n, 0)) * (8 + 1) + kCrLf.size();
  for (int i = 0; i < series.PointCount; ++i) {
    if (!InWidenedRange(series, i) || i % stride != 0) continue;
    LineWriter line(out, bound);
    line.Fitted(series.W(i), 5);
    line.Put('\t');
    for (int k = 0; k < n; ++k) {
      line.Fitted(series.A(k, i) * f, 8);
      line.Put('\t');
    }
    line.Put(kCrLf);
  }
  return out;
}

std::vector<std::string> KineticsGuardMessages(const BoxTexts& boxes) {
  std::vector<std::string> messages;
  if (boxes["Edit9"].empty() || boxes["Edit10"].empty()) messages.emplace_back(kTimesMissingMessage);
  if (TrimControls(boxes["Comment1"]) == "Comment1") messages.emplace_back(kComment1MissingMessage);
  return messages;
}

bool KineticsGuardPassed(const BoxTexts& boxes) {
  return !boxes["Edit9"].empty() && !boxes["Edit10"].empty() && TrimControls(boxes["Comment1"]) != "Comment1";
}

namespace {

// Times are whole numbers; halves go to the even neighbour.
int RoundTime(double t, std::string_view what) {
  const double r = std::nearbyint(t);
  if (!(r >= std::numeric_limits<int>::min() && r <= std::numeric_limits<int>::max())) {
    throw MathError(std::string(what) + ": the time " + ShortReal(t) + " is beyond the integer range");
  }
  return static_cast<int>(r);
}

}  // namespace

std::vector<int> ReadTimesFile(std::string_view bytes, const std::string& name, const MessageSink& warn) {
  bytes = TextBeforeNul(bytes, name, warn);
  // Trailing blank lines would otherwise read as one more time of 0.
  while (!bytes.empty() &&
         (bytes.back() == ' ' || bytes.back() == '\t' || bytes.back() == '\r' || bytes.back() == '\n')) {
    bytes.remove_suffix(1);
  }
  std::vector<int> times;
  TextReader reader(bytes, name);
  while (!reader.AtEnd()) {
    const double t = reader.ReadReal();
    const int line = reader.LineNumber();
    if (static_cast<int>(times.size()) == kMaxTimes) {
      throw CapacityError(name + ", line " + std::to_string(line) + ": a times file holds at most " +
                          std::to_string(kMaxTimes) + " times");
    }
    times.push_back(RoundTime(t, name + ", line " + std::to_string(line)));
    reader.SkipLine();
  }
  return times;
}

std::string WriteKinetics2D(const TitrationSeries& series, BoxTexts& boxes, bool fromFile,
                            const std::vector<int>& timeList) {
  const int spectra = series.FileCount;
  if (fromFile && static_cast<int>(timeList.size()) < spectra) {
    // The user asked for the file's times; computed ones would be wrong labels.
    throw FileError("The times file holds " + std::to_string(timeList.size()) + " times, but the series has " +
                    std::to_string(spectra) + " spectra; nothing was written");
  }
  if (boxes["Temp"] == "Temp") boxes.Set("Temp", "20");
  int m = 0;
  for (int i = 0; i < series.PointCount; ++i) m += InWidenedRange(series, i) ? 1 : 0;

  const bool listedTimes = fromFile;
  double initial = 0, interval = 0;
  if (!listedTimes) {
    initial = WithContext("Initial time (Edit9)", [&] { return TextToReal(boxes["Edit9"]); });
    interval = WithContext("interval time (Edit10)", [&] { return TextToReal(boxes["Edit10"]); });
  }

  std::string out;
  out.reserve(static_cast<std::size_t>(spectra + 8) * static_cast<std::size_t>(m * 9 + 16) + 512);
  out += boxes["Comment1"];
  Tabs(out, m);
  out += kCrLf;
  out += boxes["Comment2"];
  Tabs(out, m);
  out += kCrLf;
  out += "X/Z Mode\tNm\tNw\tNc\tModel\tX-axis\tY-axis\tZ-axis\tPath\tTemp (C)";
  Tabs(out, m - 9);
  out += kCrLf;
  out += "2\t" + IntText(spectra, 3) + "\t" + IntText(m, 3) + "\t2\t4\t0\t0\t0\t1\t" + boxes["Temp"];
  Tabs(out, m - 9);
  out += kCrLf;
  out += "1\t0.00001";
  Tabs(out, m - 1);
  out += kCrLf;
  out += "1\t0.0000";
  Tabs(out, m - 1);
  out += kCrLf;

  out += "Data";
  for (int i = 0; i < series.PointCount; ++i) {
    if (!InWidenedRange(series, i)) continue;
    out += '\t';
    AppendFitted(out, series.W(i), 5);
  }
  out += kCrLf;

  for (int k = 0; k < spectra; ++k) {
    const int label = listedTimes ? timeList[static_cast<std::size_t>(k)]
                                  : RoundTime(initial + interval * k, "spectrum " + std::to_string(k));
    const std::string labelText = IntText(label);
    LineWriter line(out, labelText.size() + static_cast<std::size_t>(series.PointCount) * (1 + 8) + kCrLf.size());
    line.Put(labelText);
    for (int i = 0; i < series.PointCount; ++i) {
      if (!InWidenedRange(series, i)) continue;
      line.Put('\t');
      line.Fitted(series.A(k, i), 8);
    }
    line.Put(kCrLf);
  }
  return out;
}

}  // namespace specbridge::titration
