#include "formats/instrument_lines.hpp"

#include "common/errors.hpp"
#include "common/numbers.hpp"

namespace specbridge::formats {

std::string_view From(std::string_view text, std::size_t from) {
  return from >= 1 && from - 1 < text.size() ? text.substr(from - 1) : std::string_view();
}

std::string_view InstrumentLines::Needed(int n) const {
  if (n > Count()) {
    throw FileError(LinePlace(name_, n) + ": the file ends after line " + std::to_string(Count()) +
                    " (truncated file?)");
  }
  return Line(n);
}

double InstrumentLines::Real(int n, std::string_view text) const {
  return AtLine(name_, n, [&] { return TextToReal(text); });
}

std::int32_t InstrumentLines::Integer(int n, std::string_view text) const {
  return AtLine(name_, n, [&] { return TextToInteger(text); });
}

std::vector<std::string_view> LineViews(std::span<const std::string> lines) { return {lines.begin(), lines.end()}; }

}  // namespace specbridge::formats
