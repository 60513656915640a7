#pragma once

#include <QWidget>

#include "kinetics/converter.hpp"

namespace specbridge::kinetics {

// The comments dialog of the kinetic-trace converter: the two comment lines
// and the temperature of the file. Modeless; "OK" only hides it.
class TForm4 : public QWidget {
  Q_OBJECT

 public:
  TForm4(KineticConverter& converter, QWidget* parent = nullptr);

  void Button1Click();
  // The boxes' texts into the converter, and back.
  void ReadBoxes();
  void ShowBoxes();

 private:
  KineticConverter& converter_;
};

}  // namespace specbridge::kinetics
