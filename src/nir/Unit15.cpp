#include "nir/Unit15.hpp"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "nir/cleaning.hpp"

namespace specbridge::nir {

TForm15::TForm15(std::function<void()> doIt, QWidget* parent) : QDialog(parent), doIt_(std::move(doIt)) {
  setObjectName("TForm15");
  setWindowTitle("Reconfirmation Dialog");
  setModal(false);

  auto* layout = new QGridLayout(this);
  Label1_ = new QLabel("There are 0 File to be Processed with this!", this);
  Label1_->setObjectName("Label1");
  auto* Label2 = new QLabel("Do you really want to process them?", this);
  Label2->setObjectName("Label2");
  auto* OK = new QPushButton("OK", this);
  OK->setObjectName("OK");
  OK->setDefault(true);
  auto* Cancel = new QPushButton("Cancel", this);
  Cancel->setObjectName("Cancel");
  Cancel->setAutoDefault(false);
  layout->addWidget(Label1_, 0, 0, 1, 2);
  layout->addWidget(Label2, 1, 0, 1, 2);
  layout->addWidget(OK, 2, 0);
  layout->addWidget(Cancel, 2, 1);
  connect(OK, &QPushButton::clicked, this, &TForm15::OKClick);
  connect(Cancel, &QPushButton::clicked, this, &TForm15::CancelClick);
}

void TForm15::SetCount(std::size_t count) { Label1_->setText(QString::fromStdString(ConfirmationText(count))); }

void TForm15::OKClick() {
  hide();
  if (doIt_) doIt_();
}

void TForm15::CancelClick() { hide(); }

}  // namespace specbridge::nir
