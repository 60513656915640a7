// TForm7 as a user drives it: Open, Conduct Exclusion and Save through the
// menu, the button and scripted dialogs.
#include <QLineEdit>
#include <QPushButton>
#include <cstdlib>

#include "gui/gui_support.hpp"
#include "simple_kinetics/Unit7.hpp"
#include "support/test_support.hpp"

namespace specbridge::simple_kinetics {
namespace {

using specbridge::test::DataPath;
using specbridge::test::Find;
using specbridge::test::Slurp;
using specbridge::test::Trigger;

class SimpleKineticsWindowTest : public test::FolderTest {
 protected:
  void Type(const char* box, const char* text) { Find<QLineEdit>(form_, box)->setText(text); }
  std::string Text(const char* box) { return Find<QLineEdit>(form_, box)->text().toStdString(); }
  void Open(const std::filesystem::path& path) {
    dialogs_.Answer(path);
    Trigger(form_, "Open1");
  }

  DirectoryMemory directories_{dir_.Path()};
  ScriptedDialogs dialogs_;
  TForm7 form_{directories_, dialogs_};
};

TEST_F(SimpleKineticsWindowTest, StartsWithTheDesignTimeTexts) {
  EXPECT_EQ(form_.windowTitle(),
            "Reads a Kinetic Trace in ASCII from Shimadzu Multispec1500 and Saves a 2D-format File in Model=4");
  const std::pair<const char*, const char*> boxes[] = {{"Edit1", "Total"}, {"Edit2", "Part"},       {"Edit3", "NONE"},
                                                       {"Edit4", "NONE"},  {"Edit5", "NONE"},       {"Edit6", "NONE"},
                                                       {"Edit7", "NONE"},  {"Edit8", "NONE"},       {"MIN", "MIN"},
                                                       {"MAX", "MAX"},     {"SaveFile", "SaveFile"}};
  for (const auto& [box, text] : boxes) EXPECT_EQ(Text(box), text) << box;
  EXPECT_FALSE(Find<QLineEdit>(form_, "SaveFile")->isVisibleTo(&form_));
  EXPECT_EQ(Find<QPushButton>(form_, "Button1")->text(), "Conduct Exclusion");
}

TEST_F(SimpleKineticsWindowTest, OpensThinsAndSaves) {
  const auto input = DataPath("simple_kinetics/twenty_wavelengths.ASC");
  Open(input);
  ASSERT_TRUE(dialogs_.Errors().empty()) << dialogs_.Errors().front();
  EXPECT_EQ(dialogs_.Requests().back().dialog.filter, "*.ASC");
  const std::pair<const char*, const char*> opened[] = {{"Edit1", "3"}, {"Edit2", "3"}, {"Edit3", "1"},
                                                        {"Edit4", "3"}, {"MIN", "400"}, {"MAX", "419"}};
  for (const auto& [box, text] : opened) EXPECT_EQ(Text(box), text) << box;
  EXPECT_EQ(Text("SaveFile"), DataPath("simple_kinetics/twenty_wavelengths.txt").string());

  Type("Edit4", "1");
  Type("Edit5", "3");
  Find<QPushButton>(form_, "Button1")->click();
  EXPECT_EQ(Text("Edit2"), "2");

  Type("MIN", "403");
  Type("MAX", "411.5");
  const auto out = dir_ / "thinned.txt";
  dialogs_.Answer(out);
  Trigger(form_, "Save1");
  ASSERT_TRUE(dialogs_.Errors().empty()) << dialogs_.Errors().front();
  EXPECT_EQ(dialogs_.Requests().back().dialog.fileName, "twenty_wavelengths.txt");
  EXPECT_EQ(dialogs_.Requests().back().dialog.initialDirectory, input.parent_path());
  EXPECT_TRUE(specbridge::test::MatchesGolden("simple_kinetics/expected/twenty_wavelengths_403_to_411.5_runs_1_3.txt",
                                              Slurp(out)));
  EXPECT_EQ(Slurp(dir_ / "dirinf"), dir_.Path().string() + "\r\n");

  if (const char* shot = std::getenv("SPECBRIDGE_SCREENSHOT")) form_.grab().save(shot);
}

TEST_F(SimpleKineticsWindowTest, RefusedCommandsWriteNothing) {
  // No file yet: no save dialog at all.
  Trigger(form_, "Save1");
  EXPECT_TRUE(dialogs_.Requests().empty());
  ASSERT_EQ(dialogs_.Errors().size(), 1U);
  EXPECT_EQ(dialogs_.Errors()[0], "No kinetic trace is open: choose File > Open first");

  // Never over the file that was read.
  const auto input = dir_.Write("k.ASC", Slurp(DataPath("simple_kinetics/five_wavelengths.ASC")));
  Open(input);
  dialogs_.Answer(input);
  Trigger(form_, "Save1");
  ASSERT_EQ(dialogs_.Errors().size(), 2U);
  EXPECT_EQ(Slurp(input), Slurp(DataPath("simple_kinetics/five_wavelengths.ASC")));

  // A press that fails leaves boxes and marks as they were.
  Type("Edit5", "2x");
  Find<QPushButton>(form_, "Button1")->click();
  ASSERT_EQ(dialogs_.Errors().size(), 3U);
  EXPECT_EQ(dialogs_.Errors()[2], "Edit5: '2x' is not a valid integer value");
  EXPECT_EQ(Text("Edit2"), "4");

  // Quit hides the window and drops the file; the boxes stay.
  form_.show();
  Trigger(form_, "Quit1");
  EXPECT_FALSE(form_.isVisible());
  EXPECT_EQ(Text("Edit1"), "4");
  const auto requests = dialogs_.Requests().size();
  Trigger(form_, "Save1");
  EXPECT_EQ(dialogs_.Requests().size(), requests);
  EXPECT_EQ(dialogs_.Errors().back(), "No kinetic trace is open: choose File > Open first");
}

}  // namespace
}  // namespace specbridge::simple_kinetics
