#include "simple_kinetics/trace_data.hpp"

#include <algorithm>

#include "common/errors.hpp"
#include "common/numbers.hpp"

namespace specbridge::simple_kinetics {
namespace {

// Lines as the instrument's own reader takes them: up to each LF, with every
// CR dropped (a CR-only file is one line, "0.12\r34" reads 0.1234). The end
// of the bytes ends the last line; a final LF starts no further line.
class LineReader {
 public:
  explicit LineReader(std::string_view bytes) : bytes_(bytes) {}

  bool AtEnd() const { return pos_ >= bytes_.size(); }
  // Number of the line Next() gave last, from 1.
  int Number() const { return number_; }

  // The next line; empty at the end.
  std::string_view Next() {
    if (AtEnd()) return {};
    const std::size_t lf = bytes_.find('\n', pos_);
    const std::size_t end = lf == std::string_view::npos ? bytes_.size() : lf;
    const std::string_view line = bytes_.substr(pos_, end - pos_);
    pos_ = end + 1;
    ++number_;
    if (line.find('\r') == std::string_view::npos) return line;
    scratch_.clear();
    std::copy_if(line.begin(), line.end(), std::back_inserter(scratch_), [](char c) { return c != '\r'; });
    return scratch_;
  }

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
  int number_ = 0;
  std::string scratch_;
};

// A header value: the text from character `from` (counted from 1) of line
// `n`; the label in front of it is not compared.
struct HeaderField {
  int line;
  std::size_t from;
};
// After labels of 9, 8 and 10 characters ("##FIRSTX=", "##LASTX=", "##NPOINTS=").
constexpr HeaderField kFirstWavelength{11, 10};
constexpr HeaderField kLastWavelength{12, 9};
constexpr HeaderField kWavelengthCount{13, 11};
constexpr HeaderField kFirstTime{16, 10};
constexpr HeaderField kLastTime{17, 9};
constexpr HeaderField kRunCount{18, 11};
constexpr int kFirstDataLine = 19;

std::string_view From(std::string_view text, std::size_t from) {
  return from - 1 < text.size() ? text.substr(from - 1) : std::string_view();
}

class HeaderReader {
 public:
  HeaderReader(std::string_view bytes, const std::string& name) : lines_(bytes), name_(name) {}

  double Real(HeaderField field) {
    const std::string_view text = Text(field);
    return AtLine(name_, field.line, [&] { return TextToReal(text); });
  }
  std::int32_t Count(HeaderField field, std::string_view what) {
    const std::string_view text = Text(field);
    const std::int32_t count = AtLine(name_, field.line, [&] { return TextToInteger(text); });
    if (count < 1) {
      throw ConversionError(LinePlace(name_, field.line) + ": the header announces " + std::to_string(count) + " " +
                            std::string(what) + "; at least 1 is needed");
    }
    return count;
  }
  LineReader& Lines() { return lines_; }

 private:
  // Reads on to line `field.line`; a file that ends before it is truncated.
  std::string_view Text(HeaderField field) {
    std::string_view line;
    while (lines_.Number() < field.line) {
      if (lines_.AtEnd()) {
        throw FileError(LinePlace(name_, field.line) + " is missing: the file ends after line " +
                        std::to_string(lines_.Number()));
      }
      line = lines_.Next();
    }
    return From(line, field.from);
  }

  LineReader lines_;
  const std::string& name_;
};

}  // namespace

std::int32_t SimpleTraceData::CountUsed() const {
  return static_cast<std::int32_t>(std::count(marks.begin(), marks.begin() + Nr, std::uint8_t{1}));
}

SimpleTraceData ReadSimpleTrace(std::string_view bytes, const std::string& name) {
  SimpleTraceData data;
  HeaderReader header(bytes, name);
  data.W1 = header.Real(kFirstWavelength);
  data.W2 = header.Real(kLastWavelength);
  data.Nw = header.Count(kWavelengthCount, "wavelengths");
  data.T1 = header.Real(kFirstTime);
  data.T2 = header.Real(kLastTime);
  data.Nr = header.Count(kRunCount, "runs");

  const std::int64_t wanted = std::int64_t{data.Nr} * data.Nw;
  if (wanted > kMaxValues) {
    throw CapacityError(LinePlace(name, kRunCount.line) + ": " + std::to_string(data.Nr) + " runs of " +
                        std::to_string(data.Nw) + " wavelengths exceed the limit of " + std::to_string(kMaxValues) +
                        " values");
  }

  // Every line from 19 on that does not begin with "#" is a value, empty
  // lines and blank lines included. Values past Nr runs are checked, not kept.
  LineReader& lines = header.Lines();
  while (lines.Number() < kFirstDataLine - 1 && !lines.AtEnd()) lines.Next();
  // Each line holds at least its LF, so the file bounds what is reserved.
  data.values.reserve(static_cast<std::size_t>(std::min<std::int64_t>(wanted, std::ssize(bytes) / 2 + 1)));
  std::int64_t held = 0;
  while (!lines.AtEnd()) {
    const std::string_view line = lines.Next();
    if (!line.empty() && line.front() == '#') continue;
    const double value = AtLine(name, lines.Number(), [&] { return TextToReal(line); });
    if (held++ < wanted) data.values.push_back(value);
  }
  if (held < wanted) {
    throw FileError(name + ": the header announces " + std::to_string(data.Nr) + " runs of " + std::to_string(data.Nw) +
                    " wavelengths (" + std::to_string(wanted) + " values), but the file holds " + std::to_string(held) +
                    " values");
  }

  data.marks.assign(static_cast<std::size_t>(data.Nr), 1);
  data.Ns = data.Nr;
  return data;
}

}  // namespace specbridge::simple_kinetics
