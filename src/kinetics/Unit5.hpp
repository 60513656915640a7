#pragma once

#include <QImage>
#include <QMainWindow>
#include <functional>

#include "kinetics/views.hpp"

class QGridLayout;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace specbridge::kinetics {

class TForm3;

// What both views' windows share: the picture, the range labels around it,
// the spin editors and boxes of their ViewControls, and "Return". Every
// handler runs through the converter window, which reads every box of the
// four windows first and shows them all afterwards.
class KineticViewWindow : public QMainWindow {
  Q_OBJECT

 public:
  KineticViewWindow(TForm3& converterWindow, ViewControls& controls, const char* name, const char* title,
                    const QColor& background, const QSize& size);

  void Return1Click();
  // The boxes' texts into the view, and the view's controls and picture back.
  void ReadBoxes();
  void ShowControls();

 protected:
  void Run(const std::function<void()>& body);
  QLineEdit* AddBox(const char* name, int width, bool readOnly);
  // A spin editor whose change (by the user) runs `handler` with the view's
  // SetSpin, so it acts only on a change.
  QSpinBox* AddSpin(const char* name, const std::function<void(int)>& setSpin);
  // The picture with Edit4 and Edit3 at its left, Edit1 and Edit2 under its
  // ends; controls go into the returned layout below it.
  QGridLayout* BuildFrame();

  TForm3& form3_;

 private:
  ViewControls& controls_;
  QImage picture_;
  int paintedSerial_ = 0;
  QLabel* Image1_ = nullptr;
};

// "Kinetic Traces": the absorbance at one wavelength column against time.
class TForm5 : public KineticViewWindow {
  Q_OBJECT

 public:
  TForm5(TForm3& converterWindow, TraceView& view);

  void SpectralFeatures1Click();
  void Apply1Click();

 private:
  TraceView& view_;
};

}  // namespace specbridge::kinetics
