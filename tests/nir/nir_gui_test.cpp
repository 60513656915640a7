#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "common/text.hpp"
#include "gui/QtText.hpp"
#include "gui/gui_support.hpp"
#include "nir/Unit14.hpp"
#include "nir/Unit15.hpp"
#include "shell/Unit1.hpp"
#include "support/test_support.hpp"

namespace specbridge::nir {
namespace {

namespace fs = std::filesystem;
using test::Find;
using test::MatchesGolden;
using test::Slurp;

class NirWindowTest : public test::FolderTest {
 protected:
  fs::path Copy(const char* fixture, const char* name) const {
    const fs::path path = data_ / name;
    fs::copy_file(test::DataPath(std::string("nir/") + fixture), path);
    return path;
  }
  TForm14* Tool() { return Find<TForm14>(main_, "TForm14"); }
  TForm15* Confirmation() { return Find<TForm15>(main_, "TForm15"); }
  void Select(const fs::path& chosen) {
    dialogs_.Answer(chosen);
    test::Trigger(*Tool(), "Open1");
  }
  void Press(const char* button) {
    auto* b = Find<QPushButton>(*Confirmation(), button);
    ASSERT_NE(b, nullptr);
    ASSERT_TRUE(b->isVisible() && b->isEnabled()) << button;
    b->click();
  }
  QString Memo() { return Find<QPlainTextEdit>(*Tool(), "Memo1")->toPlainText(); }
  static QString AsMemo(const char* fixture) {
    // The fixture's lines as the box shows them.
    const std::vector<std::string> lines = LoadLines(Slurp(test::DataPath(std::string("nir/") + fixture)));
    QStringList shown;
    for (const std::string& line : lines) shown << FromShiftJis(line);
    return shown.join('\n');
  }

  fs::path data_ = (fs::create_directories(dir_ / "data"), dir_ / "data");
  fs::path root_ = (fs::create_directories(dir_ / "start"), dir_ / "start");
  DirectoryMemory directories_{root_};
  ScriptedDialogs dialogs_;
  shell::TForm1 main_{directories_, dialogs_};
};

TEST_F(NirWindowTest, CancelTouchesNothingAndOkCleansEveryPendingFile) {
  test::Trigger(main_, "RemovingIrrelevantLinesintheNIRregionforShimadzuUV3150K1");
  ASSERT_TRUE(Tool()->isVisible());
  EXPECT_EQ(Tool()->windowTitle(),
            "Modifying the ASCII Files (*.ASC) from UV3150K by Eliminating Irrelevant Lines in the NIR region");
  EXPECT_EQ(Confirmation()->windowTitle(), "Reconfirmation Dialog");
  EXPECT_EQ(Find<QLabel>(*Confirmation(), "Label1")->text(), "There are 0 File to be Processed with this!");
  EXPECT_FALSE(Find<QPushButton>(*Tool(), "DoIt")->isVisibleTo(Tool()));

  Copy("sample_a.ASC", "a.ASC");
  Copy("lf_no_irrelevant.ASC", "b.ASC");
  Copy("unmarked.ASC", "c.ASC");
  const fs::path chosen = Copy("nul.ASC", "d.ASC");
  Select(chosen);
  EXPECT_TRUE(dialogs_.Errors().empty());
  ASSERT_TRUE(Confirmation()->isVisible());
  EXPECT_EQ(Find<QLabel>(*Confirmation(), "Label1")->text(), "There are 3 Files to be Processed with this!");
  EXPECT_EQ(Find<QLabel>(*Confirmation(), "Label2")->text(), "Do you really want to process them?");
  EXPECT_EQ(Memo(), AsMemo("nul.ASC"));  // the last file the search loaded
  EXPECT_EQ(Slurp(root_ / "dirinf"), data_.string() + "\r\n");

  Press("Cancel");
  EXPECT_FALSE(Confirmation()->isVisible());
  EXPECT_EQ(std::distance(fs::directory_iterator(data_), fs::directory_iterator()), 4);
  EXPECT_TRUE(MatchesGolden("nir/sample_a.ASC", Slurp(data_ / "a.ASC")));

  // The confirmation may be answered later, from another current directory.
  Select(chosen);
  fs::current_path(dir_.Path());
  Press("OK");
  EXPECT_FALSE(Confirmation()->isVisible());
  EXPECT_TRUE(Tool()->isVisible());
  EXPECT_TRUE(dialogs_.Errors().empty());
  EXPECT_EQ(dialogs_.Messages(),
            std::vector<std::string>{"Files cleaned: 3, skipped: 0, failed: 0.\n"
                                     "d.ASC, line 4: a NUL byte ends the text here; the remaining 20 bytes of the "
                                     "file are not read; the cleaned file ends there, d.bak keeps them"});
  EXPECT_TRUE(MatchesGolden("nir/sample_a.cleaned", Slurp(data_ / "a.ASC")));
  EXPECT_TRUE(MatchesGolden("nir/lf_no_irrelevant.cleaned", Slurp(data_ / "b.ASC")));
  EXPECT_TRUE(MatchesGolden("nir/unmarked.ASC", Slurp(data_ / "c.ASC")));
  EXPECT_TRUE(MatchesGolden("nir/nul.cleaned", Slurp(data_ / "d.ASC")));
  for (const char* name : {"a", "b", "d"}) EXPECT_TRUE(fs::exists(data_ / (std::string(name) + ".bak")));
  EXPECT_EQ(Memo(), AsMemo("nul.ASC"));  // as loaded before processing
}

TEST_F(NirWindowTest, AChosenFileOfOnlyIrrelevantLinesShowsNothing) {
  Copy("sample_a.ASC", "a.ASC");
  Select(Copy("only_irrelevant.ASC", "x.ASC"));
  EXPECT_FALSE(Confirmation()->isVisible());
  EXPECT_TRUE(dialogs_.Messages().empty());
  EXPECT_TRUE(dialogs_.Errors().empty());
  EXPECT_EQ(Memo(), AsMemo("only_irrelevant.ASC"));
  EXPECT_TRUE(Tool()->PendingFiles().empty());
}

TEST_F(NirWindowTest, SkippedAndFailedFilesAreNamedInOneMessage) {
  Copy("sample_a.ASC", "a.ASC");
  Copy("sample_a.ASC", "b.ASC");
  Copy("sample_a.ASC", "c.ASC");
  const fs::path oldBackup = data_ / "a.bak";
  std::filesystem::copy_file(test::DataPath("nir/unmarked.ASC"), oldBackup);
  Select(data_ / "a.ASC");
  ASSERT_EQ(Tool()->PendingFiles().size(), 3U);
  fs::remove(data_ / "b.ASC");  // gone before the confirmation is answered
  Press("OK");
  EXPECT_TRUE(dialogs_.Messages().empty());
  EXPECT_EQ(dialogs_.Errors(), std::vector<std::string>{"Files cleaned: 0, skipped: 1, failed: 1, not processed: 1.\n"
                                                        "Skipped a.ASC: backup a.bak exists\n"
                                                        "Failed: Cannot open '" +
                                                        (data_ / "b.ASC").string() + "': No such file or directory"});
  EXPECT_TRUE(MatchesGolden("nir/sample_a.ASC", Slurp(data_ / "a.ASC")));
  EXPECT_TRUE(MatchesGolden("nir/unmarked.ASC", Slurp(oldBackup)));
  EXPECT_TRUE(MatchesGolden("nir/sample_a.ASC", Slurp(data_ / "c.ASC")));
}

TEST_F(NirWindowTest, QuitHidesTheToolAndShowsTheMainWindow) {
  test::Trigger(main_, "RemovingIrrelevantLinesintheNIRregionforShimadzuUV3150K1");
  test::Trigger(*Tool(), "Exit1");
  EXPECT_FALSE(Tool()->isVisible());
  EXPECT_TRUE(main_.isVisible());
}

}  // namespace
}  // namespace specbridge::nir
