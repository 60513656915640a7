#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>

#include "gui/gui_support.hpp"
#include "resave/Unit8.hpp"
#include "resave/Unit9.hpp"
#include "shell/Unit1.hpp"
#include "support/test_support.hpp"

namespace specbridge::resave {
namespace {

namespace fs = std::filesystem;
using test::Find;
using test::MatchesGolden;

class ResaveWindowTest : public test::FolderTest {
 protected:
  TForm8* Tool() { return Find<TForm8>(main_, "TForm8"); }
  QTableView* Grid() { return Find<QTableView>(*Tool(), "StringGrid1"); }
  QString Cell(int column, int row) { return Grid()->model()->index(row, column).data().toString(); }
  // A double-click as the mouse makes it: press, release, double-click, release.
  void DoubleClick(int column, int row) {
    QTableView* grid = Grid();
    const QModelIndex cell = grid->model()->index(row, column);
    grid->scrollTo(cell);
    const QPoint at = grid->visualRect(cell).center();
    const QPoint global = grid->viewport()->mapToGlobal(at);
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                                    QEvent::MouseButtonRelease}) {
      const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
      QMouseEvent event(type, at, global, Qt::LeftButton, held, Qt::NoModifier);
      QApplication::sendEvent(grid->viewport(), &event);
    }
  }

  fs::path root_ = (fs::create_directories(dir_ / "start"), dir_ / "start");
  DirectoryMemory directories_{root_};
  ScriptedDialogs dialogs_;
  shell::TForm1 main_{directories_, dialogs_};
};

TEST_F(ResaveWindowTest, MarksByDoubleClickAndSavesTheRest) {
  test::Trigger(main_, "Read2DsheetwithTabsandResavepartially1");
  ASSERT_TRUE(Tool()->isVisible());
  Tool()->resize(900, 600);
  const fs::path input = dir_.Write("sheet.dat", test::Slurp(test::DataPath("resave/three_tabs.txt")));
  dialogs_.Answer(input);
  test::Trigger(*Tool(), "Read1");
  ASSERT_TRUE(dialogs_.Errors().empty()) << dialogs_.Errors().front();
  ASSERT_EQ(Grid()->model()->columnCount(), 5);
  ASSERT_EQ(Grid()->model()->rowCount(), 4);
  EXPECT_EQ(Cell(1, 1), "nm");
  EXPECT_EQ(Cell(4, 3), "0.6");
  EXPECT_EQ(Find<QSpinBox>(*Tool(), "SpinEdit1")->maximum(), 4);
  EXPECT_EQ(Find<QSpinBox>(*Tool(), "SpinEdit2")->maximum(), 3);

  DoubleClick(2, 0);
  DoubleClick(0, 1);
  DoubleClick(3, 2);  // a data cell: nothing
  DoubleClick(0, 0);  // nothing
  DoubleClick(0, 3);
  DoubleClick(0, 3);  // twice: no mark
  EXPECT_EQ(Cell(2, 0), "Omit");
  EXPECT_EQ(Cell(0, 1), "Omit");
  EXPECT_EQ(Cell(3, 2), "0.2");
  EXPECT_EQ(Cell(0, 0), "");
  EXPECT_EQ(Cell(0, 3), "");
  EXPECT_EQ(Find<QSpinBox>(*Tool(), "SpinEdit1")->value(), 0);
  EXPECT_EQ(Find<QSpinBox>(*Tool(), "SpinEdit2")->value(), 3);

  // Saving over the sheet read is refused; the proposal is its name with ".txt".
  dialogs_.Answer(input);
  test::Trigger(*Tool(), "Save1");
  ASSERT_EQ(dialogs_.Errors().size(), 1U);
  const fs::path output = dir_ / "out" / "part.txt";
  fs::create_directories(output.parent_path());
  dialogs_.Answer(output);
  test::Trigger(*Tool(), "Save1");
  EXPECT_EQ(dialogs_.Requests().back().dialog.fileName, input.string() + ".txt");
  EXPECT_TRUE(MatchesGolden("resave/three_tabs_column2_row1.txt", test::Slurp(output)));
  EXPECT_EQ(test::Slurp(root_ / "dirinf"), output.parent_path().string() + "\r\n");
}

TEST_F(ResaveWindowTest, SaveBeforeReadAndACancelledReadDoNothing) {
  test::Trigger(main_, "Read2DsheetwithTabsandResavepartially1");
  test::Trigger(*Tool(), "Save1");
  EXPECT_TRUE(dialogs_.Requests().empty());
  dialogs_.Answer(test::DataPath("resave/ragged.txt"));
  test::Trigger(*Tool(), "Read1");
  DoubleClick(1, 0);
  dialogs_.Answer(std::nullopt);
  test::Trigger(*Tool(), "Read1");
  EXPECT_EQ(Cell(1, 0), "Omit");
  EXPECT_EQ(Cell(2, 2), QString::fromUtf8("d \u2192 e"));  // the tab kept in the last cell, shown
}

TEST_F(ResaveWindowTest, HelpExplainsMarkingAndOkHidesIt) {
  test::Trigger(main_, "Read2DsheetwithTabsandResavepartially1");
  test::Trigger(*Tool(), "Help1");
  auto* help = Find<TForm9>(main_, "TForm9");
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->isVisible());
  EXPECT_EQ(help->windowTitle(), "Help for Partial Saving Routine");
  const QString text = Find<QPlainTextEdit>(*help, "Memo1")->toPlainText();
  EXPECT_TRUE(text.contains("double-click") && text.contains("Omit") && text.contains("File > Save"));
  Find<QPushButton>(*help, "Button1")->click();
  EXPECT_FALSE(help->isVisible());
  EXPECT_TRUE(Tool()->isVisible());
}

// The largest sheet a titration writes within the column limit, 3001 lines
// of 100 columns (2 MB): read, shown and saved without a pause a user would
// notice. The bound is loose; the grid must not copy the sheet into cells.
TEST_F(ResaveWindowTest, ALargeSheetReadsAndSavesWithoutAPause) {
  std::string sheet;
  for (int line = 0; line < 3001; ++line) {
    sheet += line == 0 ? "nm" : std::to_string(300 + line);
    for (int column = 1; column < 100; ++column) sheet += "\t0." + std::to_string(1000 + (line * column) % 9000);
    sheet += "\r\n";
  }
  const fs::path input = dir_.Write("large.txt", sheet);
  test::Trigger(main_, "Read2DsheetwithTabsandResavepartially1");
  QElapsedTimer timer;
  timer.start();
  dialogs_.Answer(input);
  test::Trigger(*Tool(), "Read1");
  Tool()->repaint();
  QApplication::processEvents();
  const qint64 read = timer.restart();
  ASSERT_EQ(Grid()->model()->rowCount(), 3002);
  dialogs_.Answer(dir_ / "large_out.txt");
  test::Trigger(*Tool(), "Save1");
  const qint64 saved = timer.elapsed();
  EXPECT_EQ(test::Slurp(dir_ / "large_out.txt"), sheet);
  RecordProperty("read_ms", static_cast<int>(read));
  RecordProperty("save_ms", static_cast<int>(saved));
  EXPECT_LT(read + saved, 1000) << "read " << read << " ms, save " << saved << " ms";
}

}  // namespace
}  // namespace specbridge::resave
