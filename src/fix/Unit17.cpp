#include "fix/Unit17.hpp"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "gui/QtText.hpp"

namespace specbridge::fix {
namespace {

QLabel* BoldLabel(const QString& text, const QString& name, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  QFont font = label->font();
  font.setBold(true);
  label->setFont(font);
  return label;
}

}  // namespace

ConcentrationForm::ConcentrationForm(const QString& objectName, const QString& title, std::function<bool()> conversion,
                                     QWidget* parent)
    : QDialog(parent), conversion_(std::move(conversion)) {
  setObjectName(objectName);
  setWindowTitle(title);
  setModal(false);

  auto* layout = new QGridLayout(this);
  layout->addWidget(BoldLabel("Concentration =", "Label1", this), 0, 0);
  Edit1_ = new QLineEdit(this);
  Edit1_->setObjectName("Edit1");
  layout->addWidget(Edit1_, 0, 1);
  layout->addWidget(BoldLabel("(mol/l)", "Label2", this), 0, 2);

  auto* Button1 = new QPushButton("OK", this);
  Button1->setObjectName("Button1");
  Button1->setDefault(true);
  auto* Button2 = new QPushButton("Cancel", this);
  Button2->setObjectName("Button2");
  Button2->setAutoDefault(false);
  layout->addWidget(Button1, 1, 1);
  layout->addWidget(Button2, 1, 2);
  connect(Button1, &QPushButton::clicked, this, &ConcentrationForm::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &ConcentrationForm::Button2Click);
}

std::string ConcentrationForm::ConcentrationText() const { return ToShiftJis(Edit1_->text()); }

void ConcentrationForm::Button1Click() {
  if (Edit1_->text().isEmpty()) return;
  if (conversion_ && conversion_()) hide();
}

void ConcentrationForm::Button2Click() { hide(); }

TForm17::TForm17(std::function<bool()> conversion, QWidget* parent)
    : ConcentrationForm("TForm17", "Input Molar Concentration!", std::move(conversion), parent) {}

}  // namespace specbridge::fix
