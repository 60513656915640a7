#pragma once

#include <QWidget>
#include <array>

#include "columns/columns.hpp"
#include "common/dialogs.hpp"

class QCheckBox;
class QLineEdit;
class QSpinBox;

namespace specbridge::columns {

class TreatmentModel;

// "Simple Mathematics": result column = (first column op1 Edit1) op3 (second
// column op2 Edit2), the second term only with "Use the Second Term".
class TForm13 : public QWidget {
  Q_OBJECT

 public:
  TForm13(ColumnTool& tool, Dialogs& dialogs, QWidget* parent = nullptr);

  // The model whose table "Apply" changes, set once the grid exists.
  void SetTable(TreatmentModel& model) { model_ = &model; }

  // Simple_Math of TForm12: the three column numbers go no further than the
  // table's last column.
  void BoundColumns(int lastColumn);
  void ApplyClick();
  void QuitClick();
  // CheckBox1Click .. CheckBox12Click: a box that becomes checked clears the
  // other three of its group.
  void CheckBoxClick(int number);

 private:
  void ReadFormula();

  ColumnTool& tool_;
  Dialogs& dialogs_;
  TreatmentModel* model_ = nullptr;
  QSpinBox* SpinEdit1_ = nullptr;
  QSpinBox* SpinEdit2_ = nullptr;
  QSpinBox* SpinEdit3_ = nullptr;
  QLineEdit* Edit1_ = nullptr;
  QLineEdit* Edit2_ = nullptr;
  std::array<QCheckBox*, 14> CheckBox_{};  // CheckBox1 .. CheckBox13 at their numbers
};

}  // namespace specbridge::columns
