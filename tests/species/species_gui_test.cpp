// The singular values beside the data of the titration and kinetic-trace
// windows: shown after an open, redone when the range changes.
#include <QApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>

#include "gui/gui_support.hpp"
#include "kinetics/Unit3.hpp"
#include "support/test_support.hpp"
#include "titration/Unit2.hpp"

namespace specbridge {
namespace {

using specbridge::test::DataPath;
using specbridge::test::Find;
using specbridge::test::Trigger;

class SpeciesWindowTest : public specbridge::test::FolderTest {
 protected:
  static void Leave(QWidget& form, const char* box, const char* text) {
    Find<QLineEdit>(form, box)->setText(text);
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(Find<QLineEdit>(form, box), &out);
  }
  static QString Count(const QWidget& form) { return Find<QLabel>(form, "SpeciesCount")->text(); }

  DirectoryMemory directories_{dir_.Path()};
  ScriptedDialogs dialogs_;
};

// The fixtures hold four orthogonal spectra, two far above the others; up
// to 410 nm only the first is left.
TEST_F(SpeciesWindowTest, BothWindowsShowTheSuggestedCountOfTheirRange) {
  titration::TForm2 titration(directories_, dialogs_);
  EXPECT_EQ(Count(titration), "Open a file to see its singular values");
  dialogs_.Answer(DataPath("species/orthogonal_sheet.txt"));
  Trigger(titration, "Open1");
  EXPECT_EQ(Count(titration), "Suggested species: 2");
  Leave(titration, "Edit2", "410");
  EXPECT_EQ(Count(titration), "Suggested species: 1");

  kinetics::TForm3 kinetic(directories_, dialogs_);
  EXPECT_EQ(Count(kinetic), "Open a file to see its singular values");
  dialogs_.Answer(DataPath("species/orthogonal_grid.txt"));
  Trigger(kinetic, "Open1");
  EXPECT_EQ(Count(kinetic), "Suggested species: 2");
  Leave(kinetic, "nmhigh", "410");
  EXPECT_EQ(Count(kinetic), "Suggested species: 1");
  Leave(kinetic, "nmlow", "405");
  EXPECT_EQ(Count(kinetic), "nmlow: '405' equals no wavelength in row 0");
}

}  // namespace
}  // namespace specbridge
