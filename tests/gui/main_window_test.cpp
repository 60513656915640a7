#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTimer>

#include "gui/gui_support.hpp"
#include "shell/Unit1.hpp"
#include "support/test_support.hpp"

namespace specbridge::shell {
namespace {

using test::Find;

class MainWindowTest : public test::FolderTest {
 protected:
  DirectoryMemory directories_{dir_.Path()};
  ScriptedDialogs dialogs_;
};

QStringList Captions(const QMenu& menu) {
  QStringList captions;
  for (const QAction* action : menu.actions()) captions << action->text();
  return captions;
}

TEST_F(MainWindowTest, ShowsBothMenusWithTheirCaptionsInOrder) {
  TForm1 form(directories_, dialogs_);
  EXPECT_EQ(form.objectName(), "TForm1");
  EXPECT_TRUE(form.windowTitle().startsWith("specbridge — spectrophotometric data to SPECFIT"));
  EXPECT_EQ(form.size(), QSize(1144, 565));

  const QList<QAction*> top = form.menuBar()->actions();
  ASSERT_EQ(top.size(), 3);
  EXPECT_EQ(top[0]->text(), "&File");
  EXPECT_EQ(top[1]->text(), "&Tools");
  EXPECT_EQ(top[2]->text(), "&Help");

  const QMenu* file = Find<QMenu>(form, "File1");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(Captions(*file),
            (QStringList{"Titration Experiments", "Kinetic Traces", "Kinetic Traces_Simpler",
                         "Converting Epsiron Data (*a.dem)", "Generating FIX files for SPECFIT from *a.dem file",
                         "Generating FIX files for SPECFIT from Multispec *.asc files No.1",
                         "Generating FIX files for SPECFIT from Multispec *.asc files No.2",
                         "Generating FIX files for SPECFIT from the ASCII Files of UVProbe (Shimadzu UV 2450, "
                         "3100PC, 3150PC) ",
                         "Inspect...", "Exit"}));
  const QMenu* tools = Find<QMenu>(form, "Tools1");
  ASSERT_NE(tools, nullptr);
  EXPECT_EQ(Captions(*tools), (QStringList{"Converting ASCII Files from Multispec1500 and RF5300PC into 2D-Tab Sheets",
                                           "Correcting the Sensitivity of Detector Using W-Lamp Data (for RF5300PC)",
                                           "Removing Irrelevant Lines in the NIR region (for Shimadzu UV3150K)",
                                           "Read 2D-sheet with Tabs and Resave Part of it",
                                           "Multipurpose Tool for 2D-Sheet Data (Simple Math)"}));
}

// Each row of the table gives one item: a window shown, a command, or a
// disabled item; the windows exist, hidden, from the start, in start-up order.
TEST_F(MainWindowTest, EveryRowOfTheToolTableIsWired) {
  TForm1 form(directories_, dialogs_);
  QStringList windows;
  for (const QObject* child : form.children()) {
    if (const auto* widget = qobject_cast<const QWidget*>(child); widget != nullptr && widget->isWindow()) {
      EXPECT_FALSE(widget->isVisible()) << widget->objectName().toStdString();
      windows << widget->objectName();
    }
  }
  EXPECT_EQ(windows, (QStringList{"TForm3", "TForm2", "TForm7", "TForm8", "TForm10", "TForm11", "TForm12", "TForm13",
                                  "TForm14", "TForm16", "TForm17", "TForm18", "TForm19"}));
  for (const ToolRow& row : TForm1::Tools()) {
    const QAction* item = Find<QAction>(form, row.name);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), row.caption);
    EXPECT_EQ(item->isEnabled(), row.make != nullptr || row.run != nullptr) << row.name;
  }
}

// A first-time user sees every tool in the window and its purpose in the
// status bar; Help → About names the version and Qt.
TEST_F(MainWindowTest, WelcomeTextStatusTipsAndAboutDescribeTheTools) {
  TForm1 form(directories_, dialogs_);
  const QString welcome = Find<QLabel>(form, "Welcome1")->text();
  for (const ToolRow& row : TForm1::Tools()) {
    const QAction* item = Find<QAction>(form, row.name);
    EXPECT_FALSE(item->statusTip().isEmpty()) << row.name;
    EXPECT_TRUE(welcome.contains(QString(row.caption).trimmed().toHtmlEscaped())) << row.name;
    EXPECT_TRUE(welcome.contains(item->statusTip().toHtmlEscaped())) << row.name;
  }
  test::Trigger(form, "About1");
  const auto* about = Find<QMessageBox>(form, "AboutBox");
  ASSERT_NE(about, nullptr);
  EXPECT_TRUE(about->text().contains("specbridge " SPECBRIDGE_VERSION));
  EXPECT_TRUE(about->text().contains(qVersion()));
}

// File → Inspect… shows the reports of the chosen files, and remembers
// their folder as any open dialog does.
TEST_F(MainWindowTest, InspectShowsTheReportOfTheChosenFile) {
  TForm1 form(directories_, dialogs_);
  const auto file = test::DataPath("inspect/gap01.ASC");
  dialogs_.Answer(file);
  test::Trigger(form, "Inspect1");
  EXPECT_TRUE(dialogs_.Errors().empty());
  const auto* text = Find<QPlainTextEdit>(form, "InspectText");
  ASSERT_NE(text, nullptr);
  EXPECT_TRUE(text->isReadOnly());
  const QString report = text->toPlainText();
  EXPECT_TRUE(report.startsWith(QString::fromStdString(file.string()) + "\n")) << report.toStdString();
  EXPECT_TRUE(report.contains("accepted by:\n    titration: comma-column layout; 3 points, 400 to 401 nm\n"));
  EXPECT_TRUE(report.contains("first gap 02"));
  EXPECT_EQ(directories_.WorkingDirectory(), file.parent_path().string());
}

TEST_F(MainWindowTest, ExitEndsTheEventLoop) {
  TForm1 form(directories_, dialogs_);
  form.show();
  QTimer::singleShot(0, &form, [&form] { test::Trigger(form, "Exit1"); });
  // A second timer fails the test if Exit did not end the loop.
  bool timedOut = false;
  QTimer::singleShot(5000, [&timedOut] {
    timedOut = true;
    QApplication::exit(1);
  });
  EXPECT_EQ(QApplication::exec(), 0);
  EXPECT_FALSE(timedOut);
}

}  // namespace
}  // namespace specbridge::shell
