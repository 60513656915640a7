#include "columns/Unit13.hpp"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "columns/Unit12.hpp"
#include "gui/QtText.hpp"

namespace specbridge::columns {
namespace {

constexpr const char* kOperatorCaptions[] = {"+", "-", "*", "/"};
constexpr Operator kOperators[] = {Operator::kPlus, Operator::kMinus, Operator::kTimes, Operator::kDivide};

// The first box of the group of box `number`: CheckBox1-4 the first
// operator, CheckBox5-8 the second, CheckBox9-12 the one between the terms.
int GroupStart(int number) { return (number - 1) / 4 * 4 + 1; }

}  // namespace

TForm13::TForm13(ColumnTool& tool, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), tool_(tool), dialogs_(dialogs) {
  setObjectName("TForm13");
  setWindowTitle("Simple Mathematics");

  const auto spin = [this](const char* name) {
    auto* box = new QSpinBox(this);
    box->setObjectName(name);
    box->setRange(0, 3);
    box->setMinimumWidth(64);
    return box;
  };
  const auto edit = [this](const char* name) {
    auto* box = new QLineEdit("1", this);
    box->setObjectName(name);
    box->setFixedWidth(110);
    return box;
  };
  // Four check boxes "+", "-", "*", "/" from CheckBox`first`, one stacked
  // over the other.
  const auto group = [this](int first) {
    auto* stack = new QVBoxLayout;
    stack->setSpacing(0);
    for (int k = 0; k < 4; ++k) {
      const int number = first + k;
      auto* box = new QCheckBox(kOperatorCaptions[k], this);
      box->setObjectName(QStringLiteral("CheckBox%1").arg(number));
      connect(box, &QCheckBox::toggled, this, [this, number] { CheckBoxClick(number); });
      CheckBox_[static_cast<std::size_t>(number)] = box;
      stack->addWidget(box);
    }
    return stack;
  };

  SpinEdit3_ = spin("SpinEdit3");
  SpinEdit1_ = spin("SpinEdit1");
  SpinEdit2_ = spin("SpinEdit2");
  Edit1_ = edit("Edit1");
  Edit2_ = edit("Edit2");
  auto* equals = new QLabel("=", this);
  equals->setObjectName("Label4");

  auto* grid = new QGridLayout(this);
  grid->setHorizontalSpacing(10);
  int column = 0;
  const auto captioned = [&](QWidget* spinBox) {
    grid->addWidget(new QLabel("Column No.", this), 0, column);
    grid->addWidget(spinBox, 1, column++);
  };
  captioned(SpinEdit3_);
  grid->addWidget(equals, 1, column++);
  captioned(SpinEdit1_);
  grid->addLayout(group(1), 1, column++);
  grid->addWidget(Edit1_, 1, column++);
  grid->addLayout(group(9), 1, column++);
  captioned(SpinEdit2_);
  grid->addLayout(group(5), 1, column++);
  grid->addWidget(Edit2_, 1, column++);

  auto* second = new QCheckBox("Use the Second Term", this);
  second->setObjectName("CheckBox13");
  CheckBox_[13] = second;
  auto* apply = new QPushButton("Apply", this);
  apply->setObjectName("Apply");
  auto* quit = new QPushButton("Quit", this);
  quit->setObjectName("Quit");
  grid->addWidget(second, 2, 6, 1, 3);
  grid->addWidget(apply, 3, 6);
  grid->addWidget(quit, 3, 7);
  connect(apply, &QPushButton::clicked, this, [this] { ApplyClick(); });
  connect(quit, &QPushButton::clicked, this, [this] { QuitClick(); });

  // "*" for both constants, "+" between the terms.
  CheckBox_[3]->setChecked(true);
  CheckBox_[7]->setChecked(true);
  CheckBox_[9]->setChecked(true);
  adjustSize();
}

void TForm13::BoundColumns(int lastColumn) {
  for (QSpinBox* box : {SpinEdit1_, SpinEdit2_, SpinEdit3_}) box->setMaximum(std::max(lastColumn, 0));
}

void TForm13::CheckBoxClick(int number) {
  if (!CheckBox_[static_cast<std::size_t>(number)]->isChecked()) return;
  const int first = GroupStart(number);
  for (int other = first; other < first + 4; ++other) {
    if (other != number) CheckBox_[static_cast<std::size_t>(other)]->setChecked(false);
  }
}

void TForm13::ReadFormula() {
  const auto checked = [this](int first) {
    for (int k = 0; k < 4; ++k) {
      if (CheckBox_[static_cast<std::size_t>(first + k)]->isChecked()) return kOperators[k];
    }
    return Operator::kNone;
  };
  Formula& f = tool_.Math();
  f.resultColumn = SpinEdit3_->value();
  f.firstColumn = SpinEdit1_->value();
  f.secondColumn = SpinEdit2_->value();
  f.firstOperator = checked(1);
  f.secondOperator = checked(5);
  f.middleOperator = checked(9);
  f.constant1 = ToShiftJis(Edit1_->text());
  f.constant2 = ToShiftJis(Edit2_->text());
  f.useSecondTerm = CheckBox_[13]->isChecked();
}

void TForm13::ApplyClick() {
  RunCommand(dialogs_, [this] {
    ReadFormula();
    model_->Refresh([this] { tool_.ApplyClick(); });
  });
}

void TForm13::QuitClick() { hide(); }

}  // namespace specbridge::columns
