#pragma once

#include "kinetics/Unit5.hpp"

namespace specbridge::kinetics {

// "Spectral Changes": the spectra of every kept time row over the selected
// wavelengths.
class TForm6 : public KineticViewWindow {
  Q_OBJECT

 public:
  TForm6(TForm3& converterWindow, SpectraView& view);

  void KineticTrace1Click();

 private:
  SpectraView& view_;
};

}  // namespace specbridge::kinetics
