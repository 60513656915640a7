#include "formats/even_axis.hpp"

#include "common/errors.hpp"

namespace specbridge::formats {

double EvenlySpaced(double first, double last, int count, int i) {
  const long double product = (static_cast<long double>(last) - first) * i;
  if (count == 1) (void)CheckedDivide(static_cast<double>(product), 0.0);
  return CheckedFinite(static_cast<double>(product / (count - 1) + first));
}

}  // namespace specbridge::formats
