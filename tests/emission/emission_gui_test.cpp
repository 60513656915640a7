// The emission-correction window driven as a user drives it: the lamp factor
// generated, saved and selected, two spectra corrected, both sheets saved;
// the files must be the command line's, byte for byte.
#include <QLineEdit>
#include <QMimeData>
#include <QTableWidget>
#include <QUrl>

#include "emission/Unit16.hpp"
#include "gui/QtText.hpp"
#include "gui/gui_support.hpp"
#include "shell/Unit1.hpp"
#include "support/test_support.hpp"

namespace specbridge::emission {
namespace {

namespace fs = std::filesystem;
using test::Find;
using test::Trigger;

class EmissionGuiTest : public test::FolderTest {
 protected:
  void SetUp() override {
    ASSERT_NE(form_, nullptr);
    for (const char* name : {"lamp.txt", "em1.txt", "em2.txt"}) Input(std::string("emission/") + name, name);
    fs::create_directory(dir_ / "out");
  }

  QStringList Column(const char* grid, int column = 0) const {
    const auto* table = Find<QTableWidget>(*form_, grid);
    QStringList cells;
    for (int r = 0; r < table->rowCount(); ++r) {
      const QTableWidgetItem* cell = table->item(r, column);
      cells << (cell ? cell->text() : QString());
    }
    return cells;
  }
  // Picks `menu` and answers its dialog with `path`.
  void Choose(const char* menu, const fs::path& path) {
    dialogs_.Answer(path);
    Trigger(*form_, menu);
  }
  fs::path Asked() const { return dialogs_.Requests().back().dialog.fileName; }
  ::testing::AssertionResult Wrote(const char* name, const char* golden) const {
    return test::MatchesGolden(std::string("emission/expected/") + golden, test::Slurp(dir_ / "out" / name));
  }
  void DoubleClick(const char* grid, int row) {
    Find<QTableWidget>(*form_, grid)->setCurrentCell(row, 0);
    emit Find<QTableWidget>(*form_, grid)->cellDoubleClicked(row, 0);
  }

  ScriptedDialogs dialogs_;
  DirectoryMemory directories_{(fs::create_directories(dir_ / "start"), dir_ / "start")};
  shell::TForm1 main_{directories_, dialogs_};
  TForm16* form_ = main_.findChild<TForm16*>("TForm16");
};

TEST_F(EmissionGuiTest, CorrectsAndSavesWhatTheCommandLineSaves) {
  Trigger(main_, "CorrectingtheSensitivityofDetectorUsingWLampDataforRF5300PC1");
  EXPECT_TRUE(form_->isVisible());

  Choose("ReadWData1", dir_ / "lamp.txt");
  EXPECT_EQ(Column("StringGrid3"), (QStringList{"690", "700", "710", "720"}));
  EXPECT_EQ(Column("StringGrid3", 2), (QStringList{"", "", "", ""}));
  Trigger(*form_, "GenerateWFactor1");
  EXPECT_EQ(Column("StringGrid3", 2), (QStringList{"1.9172588486", "1.9597701482", "1", "1.0189686553"}));
  EXPECT_EQ(Column("StringGrid1"), (QStringList{"lamp.txt", "lamp.txt.wfc"}));

  // The lamp-factor dialogs and Save_Corrected leave the working directory
  // alone; Open and Save move it.
  const std::string working = directories_.WorkingDirectory();
  EXPECT_EQ(working, dir_.Path().string());
  Choose("SaveWFactor1", dir_ / "out" / "lamp.wfc");
  EXPECT_EQ(Asked(), dir_ / "lamp.txt.wfc");
  EXPECT_TRUE(Wrote("lamp.wfc", "lamp.wfc"));
  EXPECT_EQ(Column("StringGrid1"), (QStringList{"lamp.txt", "lamp.wfc"}));
  Choose("SelectWFactor1", dir_ / "out" / "lamp.wfc");
  EXPECT_EQ(Column("StringGrid3", 1), (QStringList{"1.91725884", "1.95977014", "1", "1.01896865"}));

  Choose("Open1", dir_ / "em1.txt");
  const int em2 = static_cast<int>(Column("StringGrid2").indexOf("em2.txt"));
  ASSERT_GE(em2, 0);
  DoubleClick("StringGrid2", em2);
  Trigger(*form_, "ApplyCorrection1");
  EXPECT_EQ(Column("StringGrid1"), (QStringList{"em1.txt", "em2.txt", "em1.txt.cor", "em2.txt.cor"}));
  Choose("SaveCorrected1", dir_ / "out" / "cor.txt");
  EXPECT_EQ(Asked(), dir_ / "em1.txt.cor");
  EXPECT_TRUE(Wrote("cor.txt", "corrected.txt"));
  EXPECT_EQ(directories_.WorkingDirectory(), working);

  Choose("Save1", dir_ / "out" / "all.txt");
  EXPECT_EQ(Asked(), dir_ / "em1.txt");
  EXPECT_TRUE(Wrote("all.txt", "all.txt"));
  EXPECT_EQ(directories_.WorkingDirectory(), (dir_ / "out").string());
  EXPECT_TRUE(dialogs_.Errors().empty());
  EXPECT_TRUE(dialogs_.AllAnswered());
}

// A file that fails to read leaves the set, the lists, the lamp data and
// the plot as they were, and says why.
TEST_F(EmissionGuiTest, AFailedReadLeavesTheWindowAsItWas) {
  struct Case {
    const char* menu;
    const char* name;
    const char* bytes;
    const char* message;
  };
  const Case cases[] = {
      {"Open1", "one.txt", "400\t1\r\n",
       "one.txt, line 1: a spectrum of one point cannot be given wavelengths (division by zero in the axis)"},
      {"ReadWData1", "word.txt", "400\t1\r\n410\tten\r\n",
       "word.txt, line 2: 'ten' is not a valid floating point value"},
      {"SelectWFactor1", "tabless.wfc", "400\t1\r\n410 1\r\n",
       "tabless.wfc, line 2: no tab between wavelength and factor ('410 1')"},
  };
  Choose("ReadWData1", dir_ / "lamp.txt");
  Trigger(*form_, "GenerateWFactor1");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.menu);
    const QStringList rows = Column("StringGrid1");
    const QStringList factors = Column("StringGrid3", 2);
    const QImage picture = form_->Picture();
    const QString xLow = Find<QLineEdit>(*form_, "Edit1")->text();
    const std::size_t errors = dialogs_.Errors().size();

    Choose(c.menu, dir_.Write(c.name, c.bytes));
    ASSERT_EQ(dialogs_.Errors().size(), errors + 1);
    EXPECT_EQ(dialogs_.Errors().back(), c.message);
    EXPECT_EQ(form_->Set().SpectrumCount, 2);
    EXPECT_EQ(Column("StringGrid1"), rows);
    EXPECT_EQ(Column("StringGrid3", 2), factors);
    EXPECT_EQ(form_->Picture(), picture);
    EXPECT_EQ(Find<QLineEdit>(*form_, "Edit1")->text(), xLow);
  }
}

// Saves that would write nothing say so and ask for no file.
TEST_F(EmissionGuiTest, SavesWithNothingToWriteSayWhy) {
  Choose("Open1", dir_ / "em1.txt");
  const std::pair<const char*, const char*> cases[] = {
      {"SaveWFactor1", "Save_WFactor did nothing: working spectrum 2 is not a lamp factor made by Generate_WFactor"},
      {"SaveCorrected1", "Save_Corrected did nothing: no corrected spectra in the working list"},
  };
  for (const auto& [menu, message] : cases) {
    Trigger(*form_, menu);
    ASSERT_FALSE(dialogs_.Errors().empty());
    EXPECT_EQ(dialogs_.Errors().back(), message);
  }
  EXPECT_EQ(dialogs_.Requests().size(), 1u);  // the Open
}

// Files dropped on the window join the working list, each on its own axis;
// a file of no layout is left out.
TEST_F(EmissionGuiTest, DroppedFilesAreAdded) {
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(FromPath(dir_ / "em1.txt")),
                QUrl::fromLocalFile(FromPath(dir_.Write("note.txt", "no spectrum\r\n"))),
                QUrl::fromLocalFile(FromPath(dir_ / "em2.txt"))});
  ASSERT_TRUE(test::Drop(*form_, data));
  EXPECT_EQ(Column("StringGrid1"), (QStringList{"em1.txt", "em2.txt"}));
  EXPECT_EQ(Find<QLineEdit>(*form_, "Edit1")->text(), "690.00");
  EXPECT_EQ(Find<QLineEdit>(*form_, "Edit2")->text(), "720.00");
  EXPECT_TRUE(dialogs_.Errors().empty());
  EXPECT_TRUE(dialogs_.Requests().empty());
}

}  // namespace
}  // namespace specbridge::emission
