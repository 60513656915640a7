#pragma once

// The two views of the kinetic-trace converter: "Kinetic Traces" (TForm5),
// the absorbance at one wavelength against time, and "Spectral Changes"
// (TForm6), the spectra of every kept time row. Both hold twins of the
// converter's controls and keep them in step with it: a twin set from either
// side runs its change handler only when its value changed, and that handler
// redraws its view. Views are drawn whether shown or not.

#include <string>
#include <string_view>
#include <vector>

#include "common/boxes.hpp"
#include "common/plot.hpp"
#include "kinetics/converter.hpp"

namespace specbridge::kinetics {

// The drawing surfaces.
inline constexpr int kTraceWidth = 1021;
inline constexpr int kTraceHeight = 581;
inline constexpr int kSpectraWidth = 1031;
inline constexpr int kSpectraHeight = 671;

// Spin editors and the last picture of one view.
class ViewControls {
 public:
  ViewControls(std::string_view form, BoxTexts boxes, std::vector<SpinEdit> spins, int width, int height);

  BoxTexts& Boxes() { return boxes_; }
  const BoxTexts& Boxes() const { return boxes_; }
  bool IsSpin(std::string_view name) const;
  const SpinEdit& Spin(std::string_view name) const;
  int SpinValue(std::string_view name) const { return Spin(name).value; }

  // The picture as last drawn: a scene that starts by clearing the surface,
  // so it alone gives the picture's pixels. A redraw that failed half way
  // leaves what it drew. The serial changes with every redraw that drew.
  const PlotScene& Scene() const { return scene_; }
  int SceneSerial() const { return serial_; }

  // "TFormN.Control=text" per control in `order`; spin editors give their
  // value, a box never set and without a design-time text is left out.
  std::vector<std::string> ReportLines(const std::vector<std::string_view>& order) const;

 protected:
  SpinEdit& MutableSpin(std::string_view name);
  // Clamps `value` to the spin editor's range; false when it did not change.
  bool Change(std::string_view name, int value);
  PlotScene& StartPicture();

 private:
  std::string form_;
  BoxTexts boxes_;
  std::vector<SpinEdit> spins_;
  PlotScene scene_;
  int serial_ = 0;
};

// TForm5. Boxes: Edit1 (XLow), Edit2 (XHigh), Edit3 (YLow), Edit4 (YHigh),
// Edit5 (the trace's wavelength), DeadTime, Interval, Total, Part. Spin
// editors: SpinEdit1 (the grid column, 0-3300 until its first use, then 2 to
// C - 1), SpinEdit3 (omitting unit, 1-100), SpinEdit2 and SpinEdit4 (lower
// and upper cut-off, 0-1000), SpinEdit5 and SpinEdit6 (their hidden
// previous values).
class TraceView : public ViewControls {
 public:
  explicit TraceView(KineticConverter& converter);

  // As the user or a twin sets it: clamped; the handler runs on a change.
  void SetSpin(std::string_view name, int value);

  void SpinEdit1Change();  // the redraw
  void Apply1Click();
  void SpinEdit3Change();  // omitting unit
  void SpinEdit2Change();  // lower cut-off (also SpinEdit5)
  void SpinEdit4Change();  // upper cut-off (also SpinEdit6)

  std::vector<std::string> ReportLines() const;

 private:
  void Recount();

  KineticConverter& converter_;
  std::vector<double> points_;  // time, absorbance of each plotted row
};

// TForm6. Boxes: Edit1 to Edit4 as in the trace view, nmlow, nmhigh,
// Points. Spin editors: SpinEdit1 (skipping policy, 1-10); SpinEdit2,
// SpinEdit4, SpinEdit5, SpinEdit6 are hidden and never used.
class SpectraView : public ViewControls {
 public:
  explicit SpectraView(KineticConverter& converter);

  void SetSpin(std::string_view name, int value);

  void SpinEdit1Change();  // the redraw
  void nmlowExit();
  void nmhighExit();

  std::vector<std::string> ReportLines() const;

 private:
  KineticConverter& converter_;
  std::vector<double> values_;  // wavelengths, then the absorbances of each plotted row
};

// Both views attached to one converter as its twins, for the life of both.
class KineticViews : public KineticTwins {
 public:
  explicit KineticViews(KineticConverter& converter);
  ~KineticViews() override;
  KineticViews(const KineticViews&) = delete;
  KineticViews& operator=(const KineticViews&) = delete;

  TraceView& Trace() { return trace_; }
  const TraceView& Trace() const { return trace_; }
  SpectraView& Spectra() { return spectra_; }
  const SpectraView& Spectra() const { return spectra_; }

  // The converter's menus "Kinetic_Trace" and "Spectral_Features" (the
  // window also shows the view).
  void KineticTrace1Click() { trace_.SpinEdit1Change(); }
  void SpectralFeatures1Click() { spectra_.SpinEdit1Change(); }

  void CopyOpenFields(const BoxTexts& converterBoxes) override;
  void CopyTimeAxis(std::string_view deadTime, std::string_view interval) override;
  void CopyWavelengthCount(std::string_view points, int step, std::string_view nmlow, std::string_view nmhigh) override;
  void CopyOmittingUnit(int unit) override;
  void CopyLowerCutOff(int lower) override;
  void CopyUpperCutOff(int upper) override;
  void CopyPart(std::string_view part) override;

 private:
  KineticConverter& converter_;
  TraceView trace_;
  SpectraView spectra_;
};

}  // namespace specbridge::kinetics
