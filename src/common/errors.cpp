#include "common/errors.hpp"

#include <cmath>

namespace specbridge {

std::string LinePlace(std::string_view name, long long line) {
  return (name.empty() ? std::string("line ") : std::string(name) + ", line ") + std::to_string(line);
}

double CheckedDivide(double a, double b) {
  if (b == 0) throw MathError(a == 0 ? "Invalid floating point operation (0 / 0)" : "Division by zero");
  return CheckedFinite(a / b);
}

double CheckedFinite(double v) {
  if (std::isnan(v)) throw MathError("Invalid floating point operation");
  if (std::isinf(v)) throw MathError("Floating point overflow");
  return v;
}

}  // namespace specbridge
