#include <string>

#include "columns/columns.hpp"
#include "common/numbers.hpp"

namespace specbridge::columns {
namespace {

// The operand first: "-" subtracts the constant from the cell, "/" divides
// the cell by it.
double Combine(double value, Operator op, double operand) {
  switch (op) {
    case Operator::kPlus:
      return CheckedFinite(operand + value);
    case Operator::kMinus:
      return CheckedFinite(value - operand);
    case Operator::kTimes:
      return CheckedFinite(operand * value);
    case Operator::kDivide:
      return CheckedDivide(value, operand);
    case Operator::kNone:
      break;
  }
  return value;
}

// The operator between the two terms; without one the first term stands.
double Between(double v, Operator op, double w) {
  switch (op) {
    case Operator::kPlus:
      return CheckedFinite(v + w);
    case Operator::kMinus:
      return CheckedFinite(v - w);
    case Operator::kTimes:
      return CheckedFinite(v * w);
    case Operator::kDivide:
      return CheckedDivide(v, w);
    case Operator::kNone:
      break;
  }
  return v;
}

void CheckColumn(const TreatmentTable& table, int column, const char* role) {
  if (column < 0 || column >= table.ColCount()) {
    throw NoSuchColumn(std::string("The ") + role + " column " + std::to_string(column) +
                       " is not in the table, whose last column is " + std::to_string(table.ColCount() - 1));
  }
}

double Constant(const std::string& text, const char* box) {
  return WithContext(box, [&] { return TextToReal(text); });
}

double CellValue(const TreatmentTable& table, int column, int row) {
  return WithContext([&] { return "row " + std::to_string(row) + ", Column " + std::to_string(column); },
                     [&] { return TextToReal(table.Cell(column, row)); });
}

}  // namespace

void ApplyFormula(const Formula& formula, TreatmentTable& table) {
  CheckColumn(table, formula.resultColumn, "result");
  CheckColumn(table, formula.firstColumn, "first");
  if (formula.useSecondTerm) CheckColumn(table, formula.secondColumn, "second");
  if (table.RowCount() < 2) return;
  // Both constants are read for every row, used or not; their texts do not
  // change during the run, so reading them once fails and succeeds alike.
  const double e1 = Constant(formula.constant1, "Edit1");
  const double e2 = Constant(formula.constant2, "Edit2");
  const int a = formula.firstColumn;
  const int b = formula.secondColumn;
  const int t = formula.resultColumn;
  for (int r = 1; r < table.RowCount(); ++r) {
    if (table.Cell(a, r).empty()) continue;
    if (formula.useSecondTerm && table.Cell(b, r).empty()) continue;
    const auto atResult = [&](auto&& step) {
      return WithContext([&] { return "row " + std::to_string(r) + ", result Column " + std::to_string(t); }, step);
    };
    const double first = CellValue(table, a, r);
    const double v = atResult([&] { return Combine(first, formula.firstOperator, e1); });
    double result = v;
    if (formula.useSecondTerm) {
      const double second = CellValue(table, b, r);
      const double w = atResult([&] { return Combine(second, formula.secondOperator, e2); });
      result = atResult([&] { return Between(v, formula.middleOperator, w); });
    }
    // Both operands were read above: the result may go into one of them.
    table.SetCell(t, r, ShortReal(result));
  }
}

}  // namespace specbridge::columns
