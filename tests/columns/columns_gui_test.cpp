// The three windows of the column tool driven as a user drives them: menus
// found by name, scripted dialogs, the formula typed into TForm13.
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTextCursor>

#include "columns/Unit11.hpp"
#include "columns/Unit12.hpp"
#include "columns/Unit13.hpp"
#include "gui/gui_support.hpp"
#include "shell/Unit1.hpp"
#include "support/test_support.hpp"

namespace specbridge::columns {
namespace {

namespace fs = std::filesystem;
using test::Find;
using test::Trigger;

class ColumnsGuiTest : public test::FolderTest {
 protected:
  void SetUp() override {
    ASSERT_NE(sheet_, nullptr);
    ASSERT_NE(table_, nullptr);
    ASSERT_NE(math_, nullptr);
  }

  fs::path Input(std::string_view bytes) const { return dir_.Write("sheet.txt", bytes); }
  void Open(const fs::path& path) {
    dialogs_.Answer(path);
    Trigger(*sheet_, "open1");
  }
  QString Text() const { return Find<QPlainTextEdit>(*sheet_, "Memo1")->toPlainText(); }
  QString Cell(int column, int row) const {
    if (row == 0) return Grid()->model()->headerData(column, Qt::Horizontal).toString();
    return Grid()->model()->index(row - 1, column).data().toString();
  }
  QTableView* Grid() const { return Find<QTableView>(*table_, "StringGrid1"); }
  void Spin(const char* name, int value) { Find<QSpinBox>(*math_, name)->setValue(value); }
  void Check(int number, bool checked = true) {
    Find<QCheckBox>(*math_, QStringLiteral("CheckBox%1").arg(number).toLatin1().constData())->setChecked(checked);
  }
  bool Checked(int number) const {
    return Find<QCheckBox>(*math_, QStringLiteral("CheckBox%1").arg(number).toLatin1().constData())->isChecked();
  }
  void Type(const char* box, const char* text) { Find<QLineEdit>(*math_, box)->setText(text); }
  void Apply() { Find<QPushButton>(*math_, "Apply")->click(); }

  ScriptedDialogs dialogs_;
  DirectoryMemory directories_{(fs::create_directories(dir_ / "start"), dir_ / "start")};
  shell::TForm1 main_{directories_, dialogs_};
  TForm11* sheet_ = main_.findChild<TForm11*>("TForm11");
  TForm12* table_ = main_.findChild<TForm12*>("TForm12");
  TForm13* math_ = main_.findChild<TForm13*>("TForm13");
};

TEST_F(ColumnsGuiTest, ASessionThroughTheThreeWindowsSavesTheGoldenFile) {
  Trigger(main_, "MultipurposeToolfor2DSheetDataSimpleMath1");
  EXPECT_TRUE(sheet_->isVisible());
  EXPECT_EQ(sheet_->windowTitle(), "Multipurpose Tool to Convet 2D-Sheet Data");
  EXPECT_EQ(Text(), "Memo1");

  const fs::path input = Input(test::Slurp(test::DataPath("columns/irregular_blanks.txt")));
  Open(input);
  EXPECT_EQ(Text(), "  400.0   0.100   0.200\n  401.0   0.150   0.250\n  402.0   0.125\n  403.0   0.175   0.300");
  Trigger(*sheet_, "SpacesToTab1");
  EXPECT_EQ(Text(), "400.0\t0.100\t0.200\n401.0\t0.150\t0.250\n402.0\t0.125\n403.0\t0.175\t0.300");

  Trigger(*sheet_, "ColumnCalculation1");
  EXPECT_TRUE(table_->isVisible());
  EXPECT_EQ(table_->windowTitle(), "Column Treatment Window");
  ASSERT_EQ(Grid()->model()->columnCount(), 3);
  ASSERT_EQ(Grid()->model()->rowCount(), 4);
  EXPECT_EQ(Cell(0, 0), "Column 0");
  EXPECT_EQ(Cell(2, 0), "Column 2");
  EXPECT_EQ(Cell(1, 3), "0.125");
  EXPECT_EQ(Cell(2, 3), "");

  Trigger(*table_, "SimpleMath1");
  EXPECT_TRUE(math_->isVisible());
  EXPECT_EQ(math_->windowTitle(), "Simple Mathematics");
  EXPECT_TRUE(Checked(3) && Checked(7) && Checked(9));
  EXPECT_EQ(Find<QLineEdit>(*math_, "Edit1")->text(), "1");
  Spin("SpinEdit3", 7);  // beyond the last column: the spin editor stops at it
  EXPECT_EQ(Find<QSpinBox>(*math_, "SpinEdit3")->value(), 2);

  // Column 1 in milli-absorbance.
  Spin("SpinEdit3", 1);
  Spin("SpinEdit1", 1);
  Type("Edit1", "1000");
  Apply();
  EXPECT_EQ(Cell(1, 1), "100");
  // Column 2 := (column 2 * 1000) - (column 1 / 4); one operator per group.
  Spin("SpinEdit3", 2);
  Spin("SpinEdit1", 2);
  Check(10);
  EXPECT_FALSE(Checked(9));
  Spin("SpinEdit2", 1);
  Check(8);
  EXPECT_FALSE(Checked(7));
  Type("Edit2", "4");
  Check(13);
  Apply();
  EXPECT_EQ(Cell(2, 1), "175");
  // Column 0 := column 0 - 400.
  Spin("SpinEdit3", 0);
  Spin("SpinEdit1", 0);
  Check(2);
  EXPECT_FALSE(Checked(3));
  Type("Edit1", "400");
  Check(13, false);
  Apply();
  EXPECT_EQ(Cell(0, 4), "3");

  Trigger(*table_, "UpdateandReturnToMain1");
  EXPECT_FALSE(table_->isVisible());
  EXPECT_EQ(Text(), "0 100 175\n1 150 212.5\n2 125 \n3 175 256.25");

  dialogs_.Answer(dir_ / "out.txt");
  Trigger(*sheet_, "Save1");
  EXPECT_TRUE(test::MatchesGolden("columns/expected/irregular_blanks_session.txt", test::Slurp(dir_ / "out.txt")));
  const auto& save = dialogs_.Requests().back();
  EXPECT_TRUE(save.save);
  EXPECT_EQ(save.dialog.fileName, input.string());
  EXPECT_EQ(save.dialog.initialDirectory, dir_.Path());
  EXPECT_TRUE(dialogs_.Errors().empty()) << dialogs_.Errors().front();

  Trigger(*sheet_, "Exit1");
  EXPECT_FALSE(sheet_->isVisible() || table_->isVisible() || math_->isVisible());
}

TEST_F(ColumnsGuiTest, AFailedApplyIsShownAndAbortLeavesTheTextAsItWas) {
  Open(Input("1 2\r\n3 4\r\n0 5\r\n"));
  Trigger(*sheet_, "ColumnCalculation1");
  Trigger(*table_, "SimpleMath1");
  Spin("SpinEdit3", 1);
  Type("Edit1", "0");
  Check(4);  // column 1 := column 0 / 0
  Apply();
  ASSERT_EQ(dialogs_.Errors().size(), 1U);
  EXPECT_EQ(dialogs_.Errors()[0], "row 1, result Column 1: Division by zero");
  Check(4, false);  // no operator: a copy of column 0
  Apply();
  EXPECT_EQ(Cell(1, 1), "1");
  EXPECT_EQ(Cell(1, 3), "0");
  Trigger(*table_, "AbortTheTreatment1");
  EXPECT_FALSE(table_->isVisible());
  EXPECT_EQ(Text(), "1 2\n3 4\n0 5");
}

TEST_F(ColumnsGuiTest, TypedLinesAreTakenAndLinesLeftAloneKeepTheirBytes) {
  // 0x80 and a lead byte before a blank are no Shift-JIS characters: they
  // cannot come back from the text box's Unicode, so their line must not.
  Open(Input(std::string_view("x\x80 1\r\n\x81 2\r\n3 4\r\n\0junk", 21)));
  EXPECT_THAT(dialogs_.Messages(),
              ::testing::ElementsAre(
                  "sheet.txt, line 4: a NUL byte ends the text here; the remaining 5 bytes of the file are not read"));
  QPlainTextEdit* memo = Find<QPlainTextEdit>(*sheet_, "Memo1");
  QTextCursor cursor(memo->document());
  cursor.movePosition(QTextCursor::End);
  cursor.insertText("5\n6   7");
  Trigger(*sheet_, "SpacesToTab1");
  dialogs_.Answer(dir_ / "out.txt");
  Trigger(*sheet_, "Save1");
  EXPECT_TRUE(test::SameBytes("x\x80\t1\r\n\x81\t2\r\n3\t45\r\n6\t7\r\n", test::Slurp(dir_ / "out.txt")));
}

}  // namespace
}  // namespace specbridge::columns
