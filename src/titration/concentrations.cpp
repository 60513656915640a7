// Total concentrations of every titration point from the volumes and the
// stock concentrations typed into the window.
#include <utility>

#include "common/errors.hpp"
#include "common/numbers.hpp"
#include "titration/titration.hpp"

namespace specbridge::titration {
namespace {

double BoxReal(const BoxTexts& boxes, std::string_view name) {
  return WithContext(name, [&] { return TextToReal(boxes[name]); });
}

int BoxInteger(const BoxTexts& boxes, std::string_view name) {
  return WithContext(name, [&] { return TextToInteger(boxes[name]); });
}

struct Titrant {
  int firstPoint;
  double concentration;
};

// A "No" box still at its design-time text ends the table, whatever the
// later boxes hold.
std::vector<Titrant> TitrantTable(const BoxTexts& boxes) {
  std::vector<Titrant> table;
  for (int j = 1; j <= 5; ++j) {
    const std::string no = "No" + std::to_string(j);
    const std::string cl = "CL" + std::to_string(j);
    if (j > 1 && boxes[no] == no) break;
    const int point = BoxInteger(boxes, no);
    table.push_back({point, BoxReal(boxes, cl)});
  }
  return table;
}

}  // namespace

std::optional<ConcentrationGrid> Calculate(const BoxTexts& boxes, int usedSpectrumCount) {
  for (const char* name : {"Comment1", "V0", "Vt", "CM", "CH", "Temp", "No1", "CL1"}) {
    if (boxes[name] == name) return std::nullopt;
  }
  if (usedSpectrumCount <= 0) return std::nullopt;

  const double v0 = BoxReal(boxes, "V0");
  const double vt = BoxReal(boxes, "Vt");
  const double cm = BoxReal(boxes, "CM");
  const double ch = BoxReal(boxes, "CH");
  const std::vector<Titrant> table = TitrantTable(boxes);

  ConcentrationGrid grid;
  grid.columns.reserve(static_cast<std::size_t>(usedSpectrumCount) + 1);
  grid.columns.push_back({"", "[M] (M)", "[L] (M)", "[H] (M)"});
  double c = 0;  // concentration of the stock being added
  double a = 0;  // amount of titrant in the cell
  for (int i = 0; i < usedSpectrumCount; ++i) {
    const std::string where = "point " + std::to_string(i);
    const double v = CheckedFinite(v0 + i * vt);
    const double m = WithContext(where + ", [M]", [&] { return CheckedDivide(cm * v0, v); });
    for (const Titrant& t : table) {
      if (t.firstPoint == i) c = t.concentration;
    }
    a = CheckedFinite(a + vt * c);
    const double l = WithContext(where + ", [L]", [&] { return CheckedDivide(a, v); });
    grid.columns.push_back({std::to_string(i), FixedText(m, 16, 10), FixedText(l, 16, 10), FixedText(ch, 16, 10)});
  }
  return grid;
}

}  // namespace specbridge::titration
