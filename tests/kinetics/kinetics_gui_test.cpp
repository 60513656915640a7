// The kinetic-trace window: open through the dialog, work the controls, save,
// and compare with the golden file; the menus, the comments dialog and the
// window's own directory.
#include <QApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>

#include "common/text.hpp"
#include "gui/gui_support.hpp"
#include "kinetics/Unit3.hpp"
#include "kinetics/Unit4.hpp"
#include "kinetics/Unit5.hpp"
#include "kinetics/Unit6.hpp"
#include "support/test_support.hpp"

namespace specbridge::kinetics {
namespace {

using specbridge::test::DataPath;
using specbridge::test::Find;
using specbridge::test::Trigger;

class KineticWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { start_ = std::filesystem::current_path(); }
  void TearDown() override { std::filesystem::current_path(start_); }

  void Type(const QWidget& form, const char* box, const char* text) { Find<QLineEdit>(form, box)->setText(text); }
  void Leave(const char* box, const char* text) {
    Type(form_, box, text);
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(Find<QLineEdit>(form_, box), &out);
  }
  QString Text(const QWidget& form, const char* box) { return Find<QLineEdit>(form, box)->text(); }
  void Spin(const char* name, int value, const QWidget* form = nullptr) {
    Find<QSpinBox>(form ? *form : form_, name)->setValue(value);
  }
  int SpinValue(const QWidget& form, const char* name) { return Find<QSpinBox>(form, name)->value(); }
  void Open(const std::filesystem::path& path) {
    dialogs_.Answer(path);
    Trigger(form_, "Open1");
  }

  std::filesystem::path start_;
  specbridge::test::TempDir dir_;
  DirectoryMemory directories_{dir_.Path()};
  ScriptedDialogs dialogs_;
  TForm3 form_{directories_, dialogs_};
};

TEST_F(KineticWindowTest, StartsWithTheDesignTimeControls) {
  EXPECT_EQ(form_.windowTitle(), "Generating 2D-Format Files for SPECFIT (kinetic traces; X/Z=2 & Model=4)");
  for (const auto& [box, text] : {std::pair{"DeadTime", "1"},
                                  {"Interval", "1"},
                                  {"nmlow", "nmlow"},
                                  {"nmhigh", "nmhigh"},
                                  {"Points", "Points"},
                                  {"Total", "Total"},
                                  {"Part", "Part"}}) {
    EXPECT_EQ(Text(form_, box), text) << box;
  }
  for (const auto& [name, min, max] : {std::tuple{"SpinEdit1", 1, 500},
                                       {"SpinEdit2", 1, 10},
                                       {"SpinEdit3", 0, 1000},
                                       {"SpinEdit4", 0, 1000},
                                       {"SpinEdit5", 0, 1000},
                                       {"SpinEdit6", 0, 1000}}) {
    EXPECT_EQ(Find<QSpinBox>(form_, name)->minimum(), min) << name;
    EXPECT_EQ(Find<QSpinBox>(form_, name)->maximum(), max) << name;
  }
  EXPECT_FALSE(Find<QSpinBox>(form_, "SpinEdit5")->isVisibleTo(&form_));
  EXPECT_TRUE(Find<QLineEdit>(form_, "Part")->isReadOnly());
  EXPECT_EQ(Find<QTableView>(form_, "StringGrid1")->model()->rowCount(), 5);
  EXPECT_TRUE(Find<QAction>(form_, "KineticTrace1")->isEnabled());
  EXPECT_TRUE(Find<QAction>(form_, "SpectralFeatures1")->isEnabled());
  EXPECT_EQ(Text(form_.CommentsDialog(), "Temperature"), "Temperature");
}

TEST_F(KineticWindowTest, OpensWorksTheControlsAndSavesTheGoldenFile) {
  Open(DataPath("kinetics/matrix_20_times.txt"));
  ASSERT_TRUE(dialogs_.Errors().empty()) << dialogs_.Errors().front();
  EXPECT_EQ(dialogs_.Requests().front().dialog.filter, "*.ASC");
  EXPECT_EQ(Text(form_, "Total"), "20");
  EXPECT_EQ(Find<QTableView>(form_, "StringGrid1")->model()->columnCount(), 14);

  Trigger(form_, "Commentsetc1");
  EXPECT_TRUE(form_.CommentsDialog().isVisible());
  Type(form_.CommentsDialog(), "Comments1", "Run 20");
  Find<QPushButton>(form_.CommentsDialog(), "Button1")->click();
  EXPECT_FALSE(form_.CommentsDialog().isVisible());

  Leave("nmlow", "420");
  EXPECT_EQ(Text(form_, "Points"), "10");
  Spin("SpinEdit2", 2);
  Spin("SpinEdit3", 3);
  Spin("SpinEdit3", 1);
  Spin("SpinEdit4", 2);
  Spin("SpinEdit4", 1);
  EXPECT_EQ(Text(form_, "Points"), "5");
  EXPECT_EQ(Text(form_, "Part"), "17");
  EXPECT_EQ(Find<QSpinBox>(form_, "SpinEdit6")->value(), 1);

  const auto out = dir_ / "run.txt";
  dialogs_.Answer(out);
  Trigger(form_, "Save1");
  ASSERT_TRUE(dialogs_.Errors().empty()) << dialogs_.Errors().front();
  EXPECT_EQ(dialogs_.Requests().back().dialog.fileName, DataPath("kinetics/matrix_20_times.txt").string());
  EXPECT_TRUE(specbridge::test::MatchesGolden("kinetics/expected/skipping_and_cut_offs.txt", ReadFileBytes(out)));
  // The untouched temperature was written as 20 and shows so.
  EXPECT_EQ(Text(form_.CommentsDialog(), "Temperature"), "20");
}

TEST_F(KineticWindowTest, SaveShowsItsMessagesAndStopsWithoutComments) {
  Open(DataPath("kinetics/title_header.ASC"));
  Trigger(form_, "Save1");
  EXPECT_EQ(dialogs_.Messages(), (std::vector<std::string>{"Comments1 is missing!!!", "Time_Column is missing!!!"}));
  EXPECT_EQ(dialogs_.Requests().size(), 1U);  // no save dialog
}

TEST_F(KineticWindowTest, AFailureIsShownAndTheControlsShowWhatStayed) {
  Open(DataPath("kinetics/matrix_20_times.txt"));
  Leave("nmlow", "405");
  EXPECT_EQ(dialogs_.Errors(), (std::vector<std::string>{"nmlow: '405' equals no wavelength in row 0"}));
  EXPECT_EQ(Text(form_, "Points"), "12");
  Open(DataPath("kinetics/title_header_truncated.ASC"));
  EXPECT_EQ(dialogs_.Errors().size(), 2U) << testing::PrintToString(dialogs_.Errors());
  EXPECT_EQ(Text(form_, "Total"), "20");
}

TEST_F(KineticWindowTest, KeepsItsOwnDirectory) {
  Open(DataPath("kinetics/matrix.txt"));
  // The chosen directory becomes the current one and goes to "dirinf", but
  // the shared working directory is left alone.
  EXPECT_EQ(std::filesystem::current_path(), DataPath("kinetics"));
  EXPECT_EQ(ReadFileBytes(dir_ / "dirinf"), DataPath("kinetics").string() + "\r\n");
  EXPECT_EQ(directories_.WorkingDirectory(), "");
}

TEST_F(KineticWindowTest, QuitHidesTheWindowTheCommentsDialogAndBothViews) {
  form_.show();
  Trigger(form_, "Commentsetc1");
  Trigger(form_, "KineticTrace1");
  Trigger(form_, "SpectralFeatures1");
  EXPECT_TRUE(form_.TraceWindow().isVisible());
  Trigger(form_, "Exit1");
  EXPECT_FALSE(form_.isVisible());
  EXPECT_FALSE(form_.CommentsDialog().isVisible());
  EXPECT_FALSE(form_.TraceWindow().isVisible());
  EXPECT_FALSE(form_.SpectraWindow().isVisible());
}

TEST_F(KineticWindowTest, TheViewsDrawAndTheirTwinsKeepBothWindowsInStep) {
  Open(DataPath("kinetics/matrix_20_times.txt"));
  const TForm5& trace = form_.TraceWindow();
  const TForm6& spectra = form_.SpectraWindow();
  Trigger(form_, "KineticTrace1");
  ASSERT_TRUE(dialogs_.Errors().empty()) << dialogs_.Errors().front();
  EXPECT_TRUE(trace.isVisible());
  EXPECT_EQ(trace.windowTitle(), "Kinetic Traces");
  EXPECT_EQ(Text(trace, "Edit5"), "430");
  EXPECT_EQ(Text(trace, "Edit1"), "2.00");
  const QImage picture = Find<QLabel>(trace, "Image1")->pixmap().toImage();
  EXPECT_EQ(picture.size(), QSize(1021, 581));
  EXPECT_EQ(picture.pixelColor(0, 300), QColor(0, 0, 255));  // the frame at XLow

  // A cut-off set in the view: the converter counts and shows it at once.
  Spin("SpinEdit4", 2, &trace);
  EXPECT_EQ(Text(form_, "Part"), "17");
  EXPECT_EQ(Text(trace, "Part"), "17");
  EXPECT_EQ(SpinValue(form_, "SpinEdit4"), 2);
  EXPECT_EQ(SpinValue(trace, "SpinEdit6"), 2);

  // The converter's skipping policy reaches the spectrum view, which redraws.
  Trigger(trace, "SpectralFeatures1");
  EXPECT_TRUE(spectra.isVisible());
  Spin("SpinEdit2", 2);
  EXPECT_EQ(SpinValue(spectra, "SpinEdit1"), 2);
  EXPECT_EQ(Text(spectra, "Points"), "6");
  EXPECT_EQ(Text(spectra, "Edit2"), "500.00");
  Type(spectra, "nmhigh", "450");
  QFocusEvent out(QEvent::FocusOut);
  QApplication::sendEvent(Find<QLineEdit>(spectra, "nmhigh"), &out);
  EXPECT_EQ(Text(form_, "nmhigh"), "450");
  EXPECT_EQ(Text(form_, "Points"), "3");
  EXPECT_EQ(Text(spectra, "Edit2"), "440.00");
  EXPECT_TRUE(dialogs_.Errors().empty()) << dialogs_.Errors().front();
}

}  // namespace
}  // namespace specbridge::kinetics
