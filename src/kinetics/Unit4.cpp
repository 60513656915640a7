#include "kinetics/Unit4.hpp"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "gui/QtText.hpp"

namespace specbridge::kinetics {

TForm4::TForm4(KineticConverter& converter, QWidget* parent) : QWidget(parent, Qt::Window), converter_(converter) {
  setObjectName("TForm4");
  setWindowTitle("Comments (Saved into 1st and 2nd lines) and Temperature");
  auto* layout = new QGridLayout(this);
  const auto box = [this](const char* name, int width) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setMinimumWidth(width);
    return edit;
  };
  layout->addWidget(box("Comments1", 560), 0, 0, 1, 3);
  layout->addWidget(box("Comments2", 560), 1, 0, 1, 3);
  QLineEdit* temperature = box("Temperature", 120);
  temperature->setFixedWidth(120);
  layout->addWidget(temperature, 2, 0);
  layout->addWidget(new QLabel("[deg. C]", this), 2, 1);
  layout->setColumnStretch(1, 1);
  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("Button1");
  connect(ok, &QPushButton::clicked, this, &TForm4::Button1Click);
  layout->addWidget(ok, 2, 2, Qt::AlignRight);
  ShowBoxes();
}

void TForm4::Button1Click() {
  ReadBoxes();
  hide();
}

void TForm4::ReadBoxes() { ReadBoxTexts(*this, converter_.Comments()); }

void TForm4::ShowBoxes() { WriteBoxTexts(*this, converter_.Comments()); }

}  // namespace specbridge::kinetics
