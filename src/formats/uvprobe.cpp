#include "formats/uvprobe.hpp"

#include <algorithm>

#include "common/errors.hpp"
#include "common/numbers.hpp"

namespace specbridge::formats {

namespace {

bool AllDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "1" .. "999" before the first comma and "100", "100." or "100.0" between
// the commas: the thousands separator of a wavelength of 1000 nm or more.
bool IsThousandsForm(std::string_view thousands, std::string_view rest) {
  if (thousands.empty() || thousands.size() > 3 || !AllDigits(thousands)) return false;
  if (rest.size() < 3 || !AllDigits(rest.substr(0, 3))) return false;
  return rest.size() == 3 || (rest[3] == '.' && AllDigits(rest.substr(4)));
}

}  // namespace

std::optional<CommaPoint> ReadCommaPoint(std::string_view line) {
  const std::size_t first = line.find(',');
  if (first == std::string_view::npos) return std::nullopt;
  const std::size_t second = line.find(',', first + 1);
  if (second == std::string_view::npos)
    return CommaPoint{TextToReal(line.substr(0, first)), TextToReal(line.substr(first + 1))};
  if (line.find(',', second + 1) != std::string_view::npos) return std::nullopt;
  const std::string_view thousands = line.substr(0, first);
  const std::string_view rest = line.substr(first + 1, second - first - 1);
  if (!IsThousandsForm(thousands, rest)) {
    // A decimal comma ("1100.0,1,5") would otherwise become 1100001 nm.
    throw ConversionError(QuoteText(line) +
                          " has two commas, but not a wavelength with a thousands separator (as in 1,100.0,0.523)");
  }
  return CommaPoint{TextToReal(thousands) * 1000 + TextToReal(rest), TextToReal(line.substr(second + 1))};
}

}  // namespace specbridge::formats
