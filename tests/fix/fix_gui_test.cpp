#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "fix/Unit17.hpp"
#include "gui/gui_support.hpp"
#include "shell/Unit1.hpp"
#include "support/test_support.hpp"

namespace specbridge::fix {
namespace {

namespace fs = std::filesystem;
using test::Find;

class FixGuiTest : public test::FolderTest {
 protected:
  void SetUp() override { fs::create_directories(root_); }

  fs::path Input(const char* fixture, const char* name) const {
    return FolderTest::Input(std::string("fix/") + fixture, name);
  }
  static ::testing::AssertionResult Golden(const char* name, const fs::path& path) {
    return test::MatchesGolden(std::string("fix/") + name, test::Slurp(path));
  }

  // The dialog that a menu item shows.
  ConcentrationForm* Show(const char* item, const char* form) {
    test::Trigger(window_, item);
    auto* dialog = Find<ConcentrationForm>(window_, form);
    if (dialog != nullptr) {
      EXPECT_TRUE(dialog->isVisible()) << form;
    }
    return dialog;
  }
  void Type(ConcentrationForm& dialog, const char* text) { Find<QLineEdit>(dialog, "Edit1")->setText(text); }
  void Press(ConcentrationForm& dialog, const char* button) {
    auto* b = Find<QPushButton>(dialog, button);
    ASSERT_NE(b, nullptr);
    ASSERT_TRUE(b->isEnabled());
    b->click();
  }

  fs::path root_ = dir_ / "start";
  ScriptedDialogs dialogs_;
  DirectoryMemory directories_{(fs::create_directories(dir_ / "start"), dir_ / "start")};
  shell::TForm1 window_{directories_, dialogs_};
};

TEST_F(FixGuiTest, TheFixItemsAreEnabledAndTheDialogsAreMadeAlike) {
  struct Case {
    const char* item;
    const char* form;
    const char* title;
  };
  for (const Case& c :
       {Case{"GeneratingFIXfilesforSPECFITfromMultispecascfiles1", "TForm17", "Input Molar Concentration!"},
        Case{"GeneratingFIXfilesforSPECFITfromMultispecascfilesNo21", "TForm18", "Input Molar Concentration!"},
        Case{"GeneratingFIXfilesforSPECFITfromtheASCIIFilesofUVProbeShimadzuUV24503100PC3150PC1", "TForm19",
             "Input the Molar Concentration!"}}) {
    auto* dialog = Find<ConcentrationForm>(window_, c.form);
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(dialog->isVisible()) << "created hidden";
    ASSERT_EQ(Show(c.item, c.form), dialog);
    EXPECT_EQ(dialog->windowTitle(), c.title);
    EXPECT_EQ(Find<QLabel>(*dialog, "Label1")->text(), "Concentration =");
    EXPECT_TRUE(Find<QLabel>(*dialog, "Label1")->font().bold());
    EXPECT_EQ(Find<QLabel>(*dialog, "Label2")->text(), "(mol/l)");
    EXPECT_EQ(Find<QLineEdit>(*dialog, "Edit1")->text(), "");
    EXPECT_EQ(Find<QPushButton>(*dialog, "Button1")->text(), "OK");
    EXPECT_TRUE(Find<QPushButton>(*dialog, "Button1")->isDefault());
    EXPECT_EQ(Find<QPushButton>(*dialog, "Button2")->text(), "Cancel");
    Press(*dialog, "Button2");
    EXPECT_FALSE(dialog->isVisible());
  }
  EXPECT_TRUE(Find<QAction>(window_, "ConvertingEpsironData1")->isEnabled());
  EXPECT_TRUE(Find<QAction>(window_, "Generating1")->isEnabled());
}

TEST_F(FixGuiTest, OkWithAnEmptyBoxDoesNothing) {
  ConcentrationForm* dialog = Show("GeneratingFIXfilesforSPECFITfromMultispecascfiles1", "TForm17");
  ASSERT_NE(dialog, nullptr);
  Press(*dialog, "Button1");
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_TRUE(dialogs_.Requests().empty());
}

TEST_F(FixGuiTest, OkConvertsAndHidesAndTheBoxKeepsItsText) {
  const fs::path input = Input("thousands_comma.txt", "uv.txt");
  ConcentrationForm* dialog =
      Show("GeneratingFIXfilesforSPECFITfromtheASCIIFilesofUVProbeShimadzuUV24503100PC3150PC1", "TForm19");
  ASSERT_NE(dialog, nullptr);
  Type(*dialog, "0.001");
  dialogs_.Answer(input);
  dialogs_.Answer(dir_ / "out.fix");
  Press(*dialog, "Button1");
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_TRUE(dialogs_.Errors().empty()) << dialogs_.Errors().front();
  EXPECT_TRUE(Golden("thousands_comma.fix", dir_ / "out.fix"));
  EXPECT_EQ(dialogs_.Requests()[1].dialog.fileName, (dir_ / "uv.fix").string());
  // The hidden memo holds the file as loaded.
  EXPECT_TRUE(Find<QPlainTextEdit>(window_, "Memo1")->toPlainText().startsWith("\"sample.spc - RawData\""));

  Show("GeneratingFIXfilesforSPECFITfromtheASCIIFilesofUVProbeShimadzuUV24503100PC3150PC1", "TForm19");
  EXPECT_EQ(Find<QLineEdit>(*dialog, "Edit1")->text(), "0.001");
}

TEST_F(FixGuiTest, ACancelledFileDialogHidesTheDialog) {
  ConcentrationForm* dialog = Show("GeneratingFIXfilesforSPECFITfromMultispecascfilesNo21", "TForm18");
  ASSERT_NE(dialog, nullptr);
  Type(*dialog, "1");
  dialogs_.Answer(std::nullopt);
  Press(*dialog, "Button1");
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(dialogs_.Requests().size(), 1U);
  EXPECT_TRUE(dialogs_.Errors().empty());
}

TEST_F(FixGuiTest, AnErrorKeepsTheDialogShownAndNothingIsWritten) {
  const fs::path asc = Input("five_points.asc", "sample.asc");
  const fs::path uv = Input("thousands_comma.txt", "uv.txt");
  const fs::path plain = dir_.Write("plain.asc", "400.0,0.5\r\n");
  struct Case {
    const char* item;
    const char* form;
    fs::path input;
    const char* concentration;
    const char* message;
  };
  const Case cases[] = {
      {"GeneratingFIXfilesforSPECFITfromMultispecascfiles1", "TForm17", asc, "0", "Division by zero"},
      {"GeneratingFIXfilesforSPECFITfromMultispecascfilesNo21", "TForm18", asc, "1 mol",
       "'1 mol' is not a valid floating point value"},
      {"GeneratingFIXfilesforSPECFITfromtheASCIIFilesofUVProbeShimadzuUV24503100PC3150PC1", "TForm19", uv, "x",
       "'x' is not a valid floating point value"},
  };
  for (const Case& c : cases) {
    ConcentrationForm* dialog = Show(c.item, c.form);
    ASSERT_NE(dialog, nullptr);
    Type(*dialog, c.concentration);
    // Refused before either file dialog is shown.
    const std::size_t requests = dialogs_.Requests().size();
    Press(*dialog, "Button1");
    EXPECT_EQ(dialogs_.Requests().size(), requests) << c.form;
    EXPECT_TRUE(dialog->isVisible()) << c.form;
    ASSERT_FALSE(dialogs_.Errors().empty());
    EXPECT_THAT(dialogs_.Errors().back(), ::testing::HasSubstr(c.message));
    EXPECT_FALSE(fs::exists(dir_ / "out.fix"));
  }
  // A file that is no MultiSpec export is refused before the save dialog.
  ConcentrationForm* dialog = Show("GeneratingFIXfilesforSPECFITfromMultispecascfiles1", "TForm17");
  ASSERT_NE(dialog, nullptr);
  Type(*dialog, "1");
  dialogs_.Answer(plain);
  Press(*dialog, "Button1");
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_THAT(dialogs_.Errors().back(), ::testing::HasSubstr("plain.asc is not a MultiSpec spectrum file"));
  EXPECT_FALSE(dialogs_.Requests().back().save);
  EXPECT_TRUE(dialogs_.AllAnswered());
}

TEST_F(FixGuiTest, TheEpsilonItemsConvertAtOnce) {
  const fs::path input = Input("two_spectraa.dem", "xyza.dem");
  dialogs_.Answer(input);
  dialogs_.Answer(dir_ / "table");
  test::Trigger(window_, "ConvertingEpsironData1");
  dialogs_.Answer(input);
  dialogs_.Answer(dir_ / "eps.fix");
  test::Trigger(window_, "Generating1");
  EXPECT_TRUE(dialogs_.Errors().empty());
  EXPECT_TRUE(Golden("two_spectra.table", dir_ / "table"));
  EXPECT_TRUE(Golden("two_spectra.fix", dir_ / "eps.fix"));
  EXPECT_EQ(test::Slurp(root_ / "dirinf"), dir_.Path().string() + "\r\n");

  // A failure is shown, not thrown.
  dialogs_.Answer(dir_ / "missinga.dem");
  test::Trigger(window_, "Generating1");
  ASSERT_EQ(dialogs_.Errors().size(), 1U);
  EXPECT_THAT(dialogs_.Errors()[0], ::testing::HasSubstr("missinga.dem"));
}

}  // namespace
}  // namespace specbridge::fix
