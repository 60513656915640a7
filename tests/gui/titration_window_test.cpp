#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QSpinBox>
#include <QTableWidget>
#include <QUrl>
#include <cstdlib>

#include "gui/QtText.hpp"
#include "gui/gui_support.hpp"
#include "shell/Unit1.hpp"
#include "support/test_support.hpp"
#include "titration/Unit2.hpp"
#include "titration/titration_test_support.hpp"

namespace specbridge::titration {
namespace {

using specbridge::test::DataPath;
using specbridge::test::Find;

class TitrationWindowTest : public specbridge::test::FolderTest {
 protected:
  void Type(const char* box, const char* text) { Find<QLineEdit>(form_, box)->setText(text); }
  QString Text(const char* box) { return Find<QLineEdit>(form_, box)->text(); }
  // Typing and leaving the box.
  void Leave(const char* box, const char* text) {
    Type(box, text);
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(Find<QLineEdit>(form_, box), &out);
  }
  void OpenComma() {
    dialogs_.Answer(DataPath("titration/comma/comma01.ASC"));
    specbridge::test::Trigger(form_, "Open1");
  }
  // The boxes of the worked example, typed in.
  void TypeExampleBoxes() {
    const BoxTexts example = titration::test::ExampleBoxes();
    for (const auto& box : example.All()) {
      if (box.text != box.designText) Type(box.name.c_str(), box.text.c_str());
    }
  }

  DirectoryMemory directories_{dir_.Path()};
  ScriptedDialogs dialogs_;
  TForm2 form_{directories_, dialogs_};
};

TEST_F(TitrationWindowTest, StartsWithTheDesignTimeTexts) {
  EXPECT_EQ(form_.objectName(), "TForm2");
  EXPECT_EQ(form_.size(), QSize(1084, 942));
  for (const auto& [box, text] : {std::pair{"Edit1", "200"},
                                  {"Edit2", "800"},
                                  {"Edit3", "0"},
                                  {"Edit4", "2"},
                                  {"Edit6", "Edit6"},
                                  {"Extention", "ASC"},
                                  {"SaveFile", "SaveFile"},
                                  {"Comment1", "Comment1"},
                                  {"V0", "V0"},
                                  {"No5", "No5"},
                                  {"CL5", "CL5"},
                                  {"Edit9", "0"},
                                  {"Edit10", "300"}}) {
    EXPECT_EQ(Text(box), text) << box;
  }
  EXPECT_EQ(Find<QSpinBox>(form_, "SpinEdit1")->maximum(), 4);
  EXPECT_EQ(Find<QTableWidget>(form_, "StringGrid1")->columnCount(), 50);
  EXPECT_FALSE(Find<QTableWidget>(form_, "StringGrid2")->isVisibleTo(&form_));
  // ReDraw before Open leaves the boxes and the plot as they were.
  const QImage before = form_.grab().toImage();
  specbridge::test::Trigger(form_, "ReDraw1");
  EXPECT_EQ(Text("Edit1"), "200");
  EXPECT_EQ(Text("Edit2"), "800");
  EXPECT_EQ(form_.grab().toImage(), before);
}

// A file dropped on the window opens its series without a dialog; a drop of
// two files or of text is not taken.
TEST_F(TitrationWindowTest, ADroppedSeriesFileOpens) {
  const auto drop = [this](QMimeData& data) { return specbridge::test::Drop(form_, data); };
  const QUrl file = QUrl::fromLocalFile(FromPath(DataPath("titration/comma/comma01.ASC")));
  QMimeData two;
  two.setUrls({file, file});
  EXPECT_FALSE(drop(two));
  QMimeData text;
  text.setText("comma01.ASC");
  EXPECT_FALSE(drop(text));
  EXPECT_EQ(form_.Series().FileCount, 0);

  QMimeData one;
  one.setUrls({file});
  EXPECT_TRUE(drop(one));
  EXPECT_TRUE(dialogs_.Requests().empty());
  EXPECT_EQ(form_.Series().FileCount, 3);
  EXPECT_EQ(Text("Edit6"), "3");
}

TEST_F(TitrationWindowTest, OpensCalculatesAndSavesTheSeries) {
  OpenComma();
  EXPECT_TRUE(dialogs_.Errors().empty()) << dialogs_.Errors().front();
  ASSERT_EQ(dialogs_.Requests().size(), 1U);
  EXPECT_EQ(dialogs_.Requests()[0].dialog.filter, "*.ASC");
  EXPECT_EQ(Text("Edit6"), "3");
  EXPECT_EQ(Text("Edit7"), "4");
  EXPECT_EQ(Text("Edit1"), "400.00");
  EXPECT_EQ(Text("Edit2"), "401.50");
  EXPECT_EQ(Text("SaveFile").toStdString(), (DataPath("titration/comma") / "comma.txt").string());
  EXPECT_EQ(Find<QTableWidget>(form_, "StringGrid2")->rowCount(), 4);  // the last file read

  TypeExampleBoxes();
  specbridge::test::Trigger(form_, "Calculate1");
  auto* grid = Find<QTableWidget>(form_, "StringGrid1");
  ASSERT_EQ(grid->columnCount(), 4);
  EXPECT_EQ(grid->item(1, 0)->text(), "[M] (M)");
  EXPECT_EQ(grid->item(2, 2)->text(), "0.0000049751");

  const auto out = dir_ / "out" / "comma.txt";
  std::filesystem::create_directory(out.parent_path());
  dialogs_.Answer(out);
  specbridge::test::Trigger(form_, "Save1");
  EXPECT_EQ(dialogs_.Requests().back().dialog.fileName, Text("SaveFile").toStdString());
  EXPECT_TRUE(specbridge::test::MatchesGolden("titration/expected/comma.txt", specbridge::test::Slurp(out)));
  // Both dialogs were remembered in "dirinf".
  EXPECT_EQ(specbridge::test::Slurp(dir_ / "dirinf"), out.parent_path().string() + "\r\n");

  if (const char* shot = std::getenv("SPECBRIDGE_SCREENSHOT")) form_.grab().save(shot);
}

// Boxes hold Unicode; files get the Shift-JIS bytes the instruments use.
TEST_F(TitrationWindowTest, WritesTypedTextInShiftJis) {
  OpenComma();
  TypeExampleBoxes();
  Find<QLineEdit>(form_, "Comment1")->setText(QString::fromUtf8("\u6ef4\u5b9a A"));  // "titration A"
  specbridge::test::Trigger(form_, "Calculate1");
  dialogs_.Answer(dir_ / "sjis.txt");
  specbridge::test::Trigger(form_, "Save1");
  const std::string bytes = specbridge::test::Slurp(dir_ / "sjis.txt");
  EXPECT_EQ(bytes.substr(0, bytes.find('\n') + 1), "\x93\x48\x92\xE8 A\t\t\t\r\n");
}

// "Save" writes concentrations of the volumes its header shows: a box that
// "Calculate" reads and that changed since sends the save through
// "Calculate" again, with its failures.
TEST_F(TitrationWindowTest, SaveCalculatesAgainWhenItsBoxesChanged) {
  const auto save = [this](const char* name) {
    dialogs_.Answer(dir_ / name);
    specbridge::test::Trigger(form_, "Save1");
    return std::filesystem::exists(dir_ / name) ? specbridge::test::Slurp(dir_ / name) : "(not written)";
  };
  OpenComma();
  TypeExampleBoxes();
  Type("V0", "4");
  specbridge::test::Trigger(form_, "Calculate1");
  const std::string typedFirst = save("typed_first.txt");
  const QString cell = Find<QTableWidget>(form_, "StringGrid1")->item(1, 2)->text();

  Type("V0", "2");
  specbridge::test::Trigger(form_, "Calculate1");
  Type("V0", "4");
  EXPECT_EQ(save("changed_after.txt"), typedFirst);
  EXPECT_EQ(Find<QTableWidget>(form_, "StringGrid1")->item(1, 2)->text(), cell);

  // "Open" keeps the grid: the same volumes serve the next series as they are.
  OpenComma();
  EXPECT_EQ(save("reopened.txt"), typedFirst);

  // A failing "Calculate" stops the save before its dialog; so does one that
  // does nothing because V0 is back at its design-time text.
  const std::size_t dialogsShown = dialogs_.Requests().size();
  Type("V0", "four");
  specbridge::test::Trigger(form_, "Save1");
  ASSERT_EQ(dialogs_.Errors().size(), 1U);
  EXPECT_THAT(dialogs_.Errors()[0], ::testing::HasSubstr("'four' is not a valid floating point value"));
  Type("V0", "V0");
  specbridge::test::Trigger(form_, "Save1");
  EXPECT_EQ(dialogs_.Errors().size(), 1U);
  EXPECT_EQ(dialogs_.Requests().size(), dialogsShown);
  EXPECT_EQ(Find<QTableWidget>(form_, "StringGrid1")->item(1, 2)->text(), cell);
}

// Paths keep the file system's spelling from the dialog through the boxes and
// back, whatever their characters; only typed texts are Shift-JIS.
TEST_F(TitrationWindowTest, PathsInNonAsciiFoldersArriveIntact) {
  namespace fs = std::filesystem;
  const fs::path folder = dir_.Path() / fs::path(u8"山田") / fs::path(u8"データ");
  const QString shown = QString::fromStdString(dir_.Path().string()) + QString::fromUtf8("/山田/データ");
  fs::create_directories(folder);
  for (const char* name : {"comma00.ASC", "comma01.ASC", "comma02.ASC"}) {
    fs::copy_file(DataPath("titration/comma") / name, folder / name);
  }
  const fs::path times = folder / fs::path(u8"時間.txt");
  fs::copy_file(DataPath("titration/times/times.txt"), times);

  dialogs_.Answer(folder / "comma01.ASC");
  specbridge::test::Trigger(form_, "Open1");
  ASSERT_TRUE(dialogs_.Errors().empty()) << dialogs_.Errors().front();
  EXPECT_EQ(Text("SaveFile"), shown + "/comma.txt");
  dialogs_.Answer(times);
  Find<QCheckBox>(form_, "CheckBox1")->click();
  EXPECT_EQ(Text("Edit11"), shown + QString::fromUtf8("/時間.txt"));

  TypeExampleBoxes();
  specbridge::test::Trigger(form_, "Calculate1");
  const fs::path out = folder / fs::path(u8"結果.txt");
  dialogs_.Answer(out);
  specbridge::test::Trigger(form_, "Save1");
  EXPECT_EQ(dialogs_.Requests().back().dialog.fileName, folder / "comma.txt");
  EXPECT_TRUE(specbridge::test::MatchesGolden("titration/expected/comma.txt", specbridge::test::Slurp(out)));
  EXPECT_EQ(specbridge::test::Slurp(dir_ / "dirinf"), folder.string() + "\r\n");

  // A typed proposal with a letter Shift-JIS lacks.
  Type("SaveFile", "");
  Find<QLineEdit>(form_, "SaveFile")->setText(shown + QString::fromUtf8("/été.txt"));
  dialogs_.Answer(std::nullopt);
  specbridge::test::Trigger(form_, "Save1");
  EXPECT_EQ(dialogs_.Requests().back().dialog.fileName, folder / fs::path(u8"été.txt"));
  EXPECT_TRUE(dialogs_.Errors().empty()) << dialogs_.Errors().front();
}

// A save never replaces a measurement of the series or the times file.
TEST_F(TitrationWindowTest, RefusesToSaveOverWhatItRead) {
  for (const char* name : {"comma00.ASC", "comma01.ASC", "comma02.ASC"}) {
    std::filesystem::copy_file(DataPath("titration/comma") / name, dir_ / name);
  }
  const auto times = dir_.Write("times.txt", "0\r\n60\r\n120\r\n");
  dialogs_.Answer(dir_ / "comma02.ASC");
  specbridge::test::Trigger(form_, "Open1");
  dialogs_.Answer(times);
  Find<QCheckBox>(form_, "CheckBox1")->click();
  TypeExampleBoxes();
  specbridge::test::Trigger(form_, "Calculate1");
  ASSERT_TRUE(dialogs_.Errors().empty()) << dialogs_.Errors().front();

  const std::string series = specbridge::test::Slurp(dir_ / "comma00.ASC");
  for (const char* save : {"Save1", "SaveAsKineticsforTorvelMelquist20031"}) {
    for (const auto& target : {dir_ / "comma00.ASC", times}) {
      const std::string before = specbridge::test::Slurp(target);
      dialogs_.Answer(target);
      specbridge::test::Trigger(form_, save);
      ASSERT_FALSE(dialogs_.Errors().empty()) << save;
      EXPECT_EQ(dialogs_.Errors().back(), "Refusing to write '" + target.string() +
                                              "': it is the same file as the input '" + target.string() +
                                              "' of this run; nothing was written");
      EXPECT_EQ(specbridge::test::Slurp(target), before) << save;
    }
  }
  EXPECT_EQ(dialogs_.Errors().size(), 4U);
}

TEST_F(TitrationWindowTest, NothingHappensUntilTheBoxesAreFilled) {
  OpenComma();
  specbridge::test::Trigger(form_, "Calculate1");  // all boxes at their design-time texts
  EXPECT_EQ(Find<QTableWidget>(form_, "StringGrid1")->item(1, 0), nullptr);
  specbridge::test::Trigger(form_, "Save1");  // no concentrations yet: no dialog
  EXPECT_EQ(dialogs_.Requests().size(), 1U);
  specbridge::test::Trigger(form_, "SaveAsKineticsforTorvelMelquist20031");
  EXPECT_EQ(dialogs_.Messages(), std::vector<std::string>{"Comment1 is missing!!!"});
  EXPECT_EQ(dialogs_.Requests().size(), 1U);
  EXPECT_TRUE(dialogs_.Errors().empty());
}

TEST_F(TitrationWindowTest, RangeBoxesAcceptOrRestoreTheirText) {
  OpenComma();
  Leave("Edit1", "400.5");
  EXPECT_EQ(form_.Series().SelectedRange.xLow, 400.5);
  EXPECT_EQ(Text("Edit1"), "400.50");  // ReDraw writes the range back
  Leave("Edit1", "100");
  EXPECT_EQ(Text("Edit1"), "400");
  EXPECT_EQ(form_.Series().SelectedRange.xLow, 400.5);
  Leave("Edit3", "0.5");
  EXPECT_EQ(Text("Edit3"), "0.00");
  // Opening a menu does not leave the box.
  Type("Edit3", "0.5");
  QFocusEvent popup(QEvent::FocusOut, Qt::PopupFocusReason);
  QApplication::sendEvent(Find<QLineEdit>(form_, "Edit3"), &popup);
  EXPECT_EQ(Text("Edit3"), "0.5");
  Leave("Edit6", "0");
  EXPECT_EQ(Text("Edit6"), "3");
  Leave("Edit6", "2");
  EXPECT_EQ(form_.Series().UsedSpectrumCount, 2);
  Leave("Edit2", "1,5");  // not a number: a message, and the range stays
  ASSERT_EQ(dialogs_.Errors().size(), 1U);
  EXPECT_THAT(dialogs_.Errors()[0], ::testing::HasSubstr("'1,5' is not a valid floating point value"));
  EXPECT_EQ(form_.Series().SelectedRange.xHigh, 401.5);
}

TEST_F(TitrationWindowTest, DrawsEverySpectrumInItsColour) {
  OpenComma();
  const QImage& picture = form_.Picture();
  bool blue = false, maroon = false, green = false;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const QRgb p = picture.pixel(x, y) & 0xFFFFFFU;
      blue |= p == 0x0000FF;
      maroon |= p == 0x800000;
      green |= p == 0x008000;
    }
  }
  EXPECT_TRUE(blue && maroon && green) << blue << maroon << green;
}

TEST_F(TitrationWindowTest, ViewFileBufferToggles) {
  auto* buffer = Find<QTableWidget>(form_, "StringGrid2");
  form_.show();
  specbridge::test::Trigger(form_, "ViewFileBuffer1");
  EXPECT_TRUE(buffer->isVisible());
  specbridge::test::Trigger(form_, "ViewFileBuffer1");
  EXPECT_FALSE(buffer->isVisible());
}

TEST_F(TitrationWindowTest, TimesFileFeedsTheKineticsExport) {
  OpenComma();
  Type("Comment1", "Kinetics A");
  Type("Comment2", "25 C");
  auto* fromFile = Find<QCheckBox>(form_, "CheckBox1");
  dialogs_.Answer(std::nullopt);  // a cancelled choice unchecks the box
  fromFile->click();
  EXPECT_FALSE(fromFile->isChecked());
  dialogs_.Answer(DataPath("titration/times/times.txt"));
  fromFile->click();
  EXPECT_TRUE(fromFile->isChecked());
  EXPECT_EQ(Text("Edit11").toStdString(), DataPath("titration/times/times.txt").string());

  const auto out = dir_ / "kinetics.txt";
  dialogs_.Answer(out);
  specbridge::test::Trigger(form_, "SaveAsKineticsforTorvelMelquist20031");
  EXPECT_TRUE(dialogs_.Errors().empty());
  EXPECT_TRUE(
      specbridge::test::MatchesGolden("titration/expected/kinetics_times_file.txt", specbridge::test::Slurp(out)));
  EXPECT_EQ(Text("Temp"), "20");
}

TEST(MainWindowTitration, ShowsTheTitrationWindow) {
  specbridge::test::TempDir dir;
  DirectoryMemory directories(dir.Path());
  ScriptedDialogs dialogs;
  shell::TForm1 main(directories, dialogs);
  specbridge::test::Trigger(main, "TitrationExperiments1");
  auto* window = Find<TForm2>(main, "TForm2");
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(window->isWindow());
}

}  // namespace
}  // namespace specbridge::titration
