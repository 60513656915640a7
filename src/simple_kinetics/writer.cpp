#include "simple_kinetics/writer.hpp"

#include "common/errors.hpp"
#include "common/numbers.hpp"

namespace specbridge::simple_kinetics {
namespace {

void AppendTabs(std::string& out, std::int64_t count) {
  if (count > 0) out.append(static_cast<std::size_t>(count), '\t');
}

void EndLine(std::string& out) { out += "\r\n"; }

std::string Name(const SimpleTraceData& data) { return data.FileName.string(); }

}  // namespace

ThinnedAxis::ThinnedAxis(const SimpleTraceData& data, const std::string& name)
    : count_(data.Nw / 2 + data.Nw % 2), first_(data.W1) {
  if (count_ < 2) {
    throw MathError(name + ": the wavelength count " + std::to_string(data.Nw) +
                    " keeps a single wavelength, and the step between kept wavelengths divides by zero");
  }
  step_ = (static_cast<long double>(data.W2) - first_) / static_cast<long double>(data.Nw - 1);
}

WrittenRange FindWrittenRange(const ThinnedAxis& axis, double low, double high) {
  const std::int32_t c = axis.Count();
  WrittenRange range{c - 1, 0};
  for (std::int32_t k = 1; k < c; ++k) {
    if (axis.At(k) > low) {
      range.first = k - 1;
      break;
    }
  }
  for (std::int32_t k = c - 2; k >= 0; --k) {
    if (axis.At(k) < high) {
      range.last = k + 1;
      break;
    }
  }
  return range;
}

std::string WriteSimpleTrace(const SimpleTraceData& data, std::string_view minText, std::string_view maxText) {
  if (data.Empty()) throw NoTraceData(std::string(kNoTraceData));
  const double low = WithContext("MIN", [&] { return TextToReal(minText); });
  const double high = WithContext("MAX", [&] { return TextToReal(maxText); });
  const std::string name = Name(data);
  const ThinnedAxis axis(data, name);
  const WrittenRange range = FindWrittenRange(axis, low, high);
  if (range.last < range.first) {
    throw ConversionError("MIN " + QuoteText(minText) + " and MAX " + QuoteText(maxText) +
                          " leave no wavelength between them to save");
  }
  const double timeStep = WithContext(name + ", time step (T2 - T1) / (Nr - 1)", [&] {
    return CheckedDivide(CheckedFinite(data.T2 - data.T1), static_cast<double>(data.Nr) - 1);
  });

  const std::int64_t n = range.last - range.first + 1;
  const std::int32_t used = data.CountUsed();
  std::string out;
  out.reserve(static_cast<std::size_t>((used + 9) * (n * 8 + 12)));
  out += "Comment1";
  AppendTabs(out, n);
  EndLine(out);
  out += "Comment2";
  AppendTabs(out, n);
  EndLine(out);
  out += "X/Z Mode\tNm\tNw\tNc\tModel\tX-axis\tY-axis\tZ-axis\tPath\tTemp (C)";
  AppendTabs(out, n - 9);
  EndLine(out);
  out += "2\t" + IntText(used, 3) + "\t" + IntText(n, 3) + "\t4\t4\t0\t0\t0\t1\t25";
  AppendTabs(out, n - 9);
  EndLine(out);
  for (const char* line : {"1\t0.000E+00", "1\t5.000E-05", "1\t0.000E+00", "1\t0.000E+00"}) {
    out += line;
    AppendTabs(out, n - 1);
    EndLine(out);
  }

  out += "Data";
  for (std::int32_t k = range.first; k <= range.last; ++k) {
    out += '\t';
    out += WithContext(name, [&] { return FixedReal(CheckedFinite(static_cast<double>(axis.At(k))), 3, 0); });
  }
  EndLine(out);

  for (std::int32_t i = 1; i <= data.Nr; ++i) {
    if (!data.IsUsed(i)) continue;
    // The time follows the run number, not the written row.
    out += WithContext(name, [&] { return FixedReal(CheckedFinite(data.T1 + timeStep * (i - 1)), 5, 2); });
    for (std::int32_t k = range.first; k <= range.last; ++k) {
      out += '\t';
      out += FixedReal(data.Value(i, 2 * k + 1), 6, 4);
    }
    EndLine(out);
  }
  return out;
}

}  // namespace specbridge::simple_kinetics
