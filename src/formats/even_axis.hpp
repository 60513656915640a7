#pragma once

namespace specbridge::formats {

// Point i of `count` points spread evenly from `first` to `last`:
// (last - first) * i / (count - 1) + first, evaluated in this order in
// extended precision, as the instruments' software spaces its points. The
// files hold only the two ends and the count. A single point leaves nothing
// to divide by: MathError, as the division itself would give; so does an
// overflow.
double EvenlySpaced(double first, double last, int count, int i);

}  // namespace specbridge::formats
