#pragma once

// The kinetic-trace converter as its window holds it: the grid, the reader
// state, the boxes and spin editors of TForm3, the boxes of the comments
// dialog TForm4, and the handlers that act on them. The window (and the CLI)
// only show dialogs, copy texts and call these.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "common/boxes.hpp"
#include "common/errors.hpp"
#include "kinetics/grid.hpp"
#include "kinetics/readers.hpp"
#include "kinetics/rules.hpp"

namespace specbridge::kinetics {

inline constexpr std::string_view kComments1Missing = "Comments1 is missing!!!";
inline constexpr std::string_view kTimeColumnMissing = "Time_Column is missing!!!";

// A save that would write a matrix without wavelengths or without time rows.
class NothingToSave : public Failure {
  using Failure::Failure;
};

// Kept by the window between operations.
struct ReaderState {
  std::string KineticFileName;  // full path of the last opened file
  HeaderValues header;          // set by layouts C, D and E only
};

// The twin controls of the two views ("Kinetic Traces", "Spectral Changes").
// The converter hands over each copy at the moment its window makes it; a
// view sets its control and runs that control's change handler only when the
// value changed. Without views every copy goes nowhere.
class KineticTwins {
 public:
  virtual ~KineticTwins() = default;
  // After an open: the converter's Total, Part, DeadTime, Interval (trace
  // view) and nmlow, nmhigh, Points (spectrum view), as texts.
  virtual void CopyOpenFields(const BoxTexts& /*converterBoxes*/) {}
  // After "Apply": the texts of DeadTime and Interval.
  virtual void CopyTimeAxis(std::string_view /*deadTime*/, std::string_view /*interval*/) {}
  // After the wavelength count: Points, then the step, then nmlow and nmhigh.
  virtual void CopyWavelengthCount(std::string_view /*points*/, int /*step*/, std::string_view /*nmlow*/,
                                   std::string_view /*nmhigh*/) {}
  // After an omitting unit of 1.
  virtual void CopyOmittingUnit(int /*unit*/) {}
  // After a cut-off above 0: into the view's cut-off and its hidden previous value.
  virtual void CopyLowerCutOff(int /*lower*/) {}
  virtual void CopyUpperCutOff(int /*upper*/) {}
  // After every recount: the text of Part.
  virtual void CopyPart(std::string_view /*part*/) {}
};

// A spin editor: a value kept within its range.
struct SpinEdit {
  std::string_view name;
  int min = 0;
  int max = 0;
  int value = 0;
};

// The name the save dialog proposes for the file opened as `fileName`: the
// path less its last four characters (the extension), plus ".txt".
std::string ProposedSaveName(const std::string& fileName);

class KineticConverter {
 public:
  KineticConverter();
  KineticConverter(const KineticConverter&) = delete;
  KineticConverter& operator=(const KineticConverter&) = delete;

  const KineticGrid& Grid() const { return grid_; }
  // The grid for the views' twins of the omitting rules, which mark rows
  // and then recount (Recount).
  KineticGrid& RuleGrid() { return grid_; }
  const ReaderState& State() const { return state_; }
  // TForm3: DeadTime, Interval, nmlow, nmhigh, Points, Total, Part.
  BoxTexts& Boxes() { return boxes_; }
  const BoxTexts& Boxes() const { return boxes_; }
  // TForm4: Comments1, Comments2, Temperature.
  BoxTexts& Comments() { return comments_; }
  const BoxTexts& Comments() const { return comments_; }

  // SpinEdit1 (omitting unit, 1-500), SpinEdit2 (skipping policy, 1-10),
  // SpinEdit3 and SpinEdit4 (lower and upper cut-off, 0-1000), SpinEdit5 and
  // SpinEdit6 (their hidden previous values, 0-1000).
  static bool IsSpin(std::string_view name);
  const SpinEdit& Spin(std::string_view name) const;
  int SpinValue(std::string_view name) const { return Spin(name).value; }
  // As the user (or a handler) sets it: clamped to the range; the control's
  // change handler runs only when the value changed.
  void SetSpin(std::string_view name, int value);

  void SetTwins(KineticTwins* twins) { twins_ = twins ? twins : &noTwins_; }

  // "File" -> "Open" once the dialog chose `path`: reads `bytes`, replaces
  // the grid and the reader state and sets the display fields. All or
  // nothing: a failure leaves everything as it was.
  void Open(std::string bytes, const std::string& path);

  void Apply1Click();      // the time axis
  void SpinEdit2Change();  // wavelength count; also when nmlow or nmhigh is left
  void nmlowExit() { SpinEdit2Change(); }
  void nmhighExit() { SpinEdit2Change(); }
  void SpinEdit1Change();  // omitting unit
  void SpinEdit3Change();  // lower cut-off (also SpinEdit5)
  void SpinEdit4Change();  // upper cut-off (also SpinEdit6)

  // "Save_SPECFIT_File": the messages shown first, in order; whether the save
  // goes on to its dialog; the name the dialog proposes.
  std::vector<std::string_view> SaveMessages() const;
  bool SaveGuardPassed() const;
  std::string ProposedSaveName() const;
  // After the dialog: the file's bytes. The selection and the Part text are
  // checked first (ConversionError), then a save without a selected
  // wavelength or a kept row is refused (NothingToSave); only then does an
  // untouched Temperature become "20".
  std::string SaveBytes();

  // One "Form.Control=text" line per control of TForm3 and TForm4, in the
  // order of the report; spin editors give their value.
  std::vector<std::string> ReportLines() const;

  // Part := the kept rows, copied to the trace view's Part.
  void Recount();

 private:
  SpinEdit& MutableSpin(std::string_view name);

  KineticGrid grid_;
  ReaderState state_;
  BoxTexts boxes_;
  BoxTexts comments_;
  std::array<SpinEdit, 6> spins_;
  KineticTwins noTwins_;
  KineticTwins* twins_ = &noTwins_;
};

}  // namespace specbridge::kinetics
