// The spectral sheet window driven as a user drives it: opened from the main
// window's Tools menu, files added by double-click, saved through the dialog.
#include <QLineEdit>
#include <QMimeData>
#include <QTableWidget>
#include <QToolButton>
#include <QUrl>

#include "gui/QtText.hpp"
#include "gui/gui_support.hpp"
#include "sheets/Unit10.hpp"
#include "shell/Unit1.hpp"
#include "support/test_support.hpp"

namespace specbridge::sheets {
namespace {

namespace fs = std::filesystem;
using test::Find;
using test::Trigger;

class SheetsGuiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    start_ = fs::current_path();
    ASSERT_NE(form_, nullptr);
    for (const char* name : {"a01.ASC", "a02.ASC", "labels.ASC", "blank_at_6.ASC"}) {
      fs::copy_file(test::DataPath(std::string("sheets/") + name), dir_ / name);
    }
  }
  void TearDown() override { fs::current_path(start_); }

  QTableWidget* Grid(const char* name) const { return Find<QTableWidget>(*form_, name); }
  QStringList Rows(const char* name) const {
    QStringList rows;
    for (int r = 0; r < Grid(name)->rowCount(); ++r) {
      const QTableWidgetItem* cell = Grid(name)->item(r, 0);
      rows << (cell ? cell->text() : QString());
    }
    return rows;
  }
  // A double-click on the row showing `name`, as the user gives it.
  void DoubleClick(const char* grid, int row) {
    Grid(grid)->setCurrentCell(row, 0);
    emit Grid(grid)->cellDoubleClicked(row, 0);
  }
  void Open(const fs::path& path) {
    dialogs_.Answer(path);
    Trigger(*form_, "Open1");
  }
  QString Box(const char* name) const { return Find<QLineEdit>(*form_, name)->text(); }

  fs::path start_;
  test::TempDir dir_;
  ScriptedDialogs dialogs_;
  DirectoryMemory directories_{(fs::create_directories(dir_ / "start"), dir_ / "start")};
  shell::TForm1 main_{directories_, dialogs_};
  TForm10* form_ = main_.findChild<TForm10*>("TForm10");
};

TEST_F(SheetsGuiTest, AddsByDoubleClickAndSavesTheSheet) {
  Trigger(main_, "ConvertingASCIIFilesfromMultispec1500into2DTabSheets1");
  EXPECT_TRUE(form_->isVisible());
  EXPECT_EQ(Box("Edit1"), "Edit1");

  Open(dir_ / "a01.ASC");
  // The .ASC files follow an .ASC file, in name order.
  EXPECT_EQ(Rows("StringGrid2"), (QStringList{"a01.ASC", "a02.ASC", "blank_at_6.ASC", "labels.ASC"}));
  EXPECT_EQ(Rows("StringGrid1"), QStringList{"a01.ASC"});
  DoubleClick("StringGrid2", 1);
  DoubleClick("StringGrid2", 2);  // refused silently
  EXPECT_EQ(Rows("StringGrid1"), (QStringList{"a01.ASC", "a02.ASC"}));
  EXPECT_TRUE(dialogs_.Errors().empty());
  EXPECT_EQ(Box("Edit1"), "400.00");
  EXPECT_EQ(Box("Edit4"), "0.12");

  // Another axis is refused with a message; the list stays.
  DoubleClick("StringGrid2", 3);
  ASSERT_EQ(dialogs_.Errors().size(), 1u);
  EXPECT_EQ(Rows("StringGrid1"), (QStringList{"a01.ASC", "a02.ASC"}));

  dialogs_.Answer(dir_ / "out.txt");
  Trigger(*form_, "Save1");
  EXPECT_EQ(dialogs_.Requests().back().dialog.fileName, dir_ / "a01.txt");
  EXPECT_TRUE(test::MatchesGolden("sheets/expected/worked.txt", test::Slurp(dir_ / "out.txt")));

  // Down with the first row selected, then the sheet in the new order.
  Grid("StringGrid1")->setCurrentCell(0, 0);
  Find<QToolButton>(*form_, "SpinButton1Down")->click();
  EXPECT_EQ(Rows("StringGrid1"), (QStringList{"a02.ASC", "a01.ASC"}));
  EXPECT_EQ(Grid("StringGrid1")->currentRow(), 1);
  dialogs_.Answer(dir_ / "swapped.txt");
  Trigger(*form_, "Save1");
  EXPECT_TRUE(test::MatchesGolden("sheets/expected/swapped.txt", test::Slurp(dir_ / "swapped.txt")));

  // Removing both leaves one empty row; Close then Save asks nothing.
  DoubleClick("StringGrid1", 1);
  DoubleClick("StringGrid1", 0);
  EXPECT_EQ(Rows("StringGrid1"), QStringList{""});
  Trigger(*form_, "Close1");
  const std::size_t asked = dialogs_.Requests().size();
  Trigger(*form_, "Save1");
  EXPECT_EQ(dialogs_.Requests().size(), asked);
  EXPECT_TRUE(dialogs_.AllAnswered());
}

// Files dropped on the window join the working list; a refused one says why
// and leaves the others in.
TEST_F(SheetsGuiTest, DroppedFilesAreAdded) {
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(FromPath(dir_ / "a01.ASC")), QUrl::fromLocalFile(FromPath(dir_ / "labels.ASC")),
                QUrl::fromLocalFile(FromPath(dir_ / "a02.ASC"))});
  ASSERT_TRUE(test::Drop(*form_, data));
  EXPECT_EQ(Rows("StringGrid1"), (QStringList{"a01.ASC", "a02.ASC"}));
  EXPECT_EQ(dialogs_.Errors().size(), 1u);
  EXPECT_TRUE(dialogs_.Requests().empty());
}

}  // namespace
}  // namespace specbridge::sheets
