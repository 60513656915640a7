#include "columns/Unit11.hpp"

#include <QFontDatabase>
#include <QMenuBar>
#include <QPlainTextEdit>

#include "columns/Unit12.hpp"
#include "columns/Unit13.hpp"
#include "common/output_file.hpp"
#include "common/text.hpp"
#include "gui/QtText.hpp"

namespace specbridge::columns {
namespace {

// A text box does not count an empty last line: "a\n" is one line.
QStringList SplitLines(const QString& text) {
  QStringList lines = text.split(u'\n');
  if (lines.back().isEmpty()) lines.pop_back();
  return lines;
}

}  // namespace

TForm11::TForm11(DirectoryMemory& directories, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent, Qt::Window), dialogs_(dialogs), files_(dialogs, directories) {
  setObjectName("TForm11");
  setWindowTitle("Multipurpose Tool to Convet 2D-Sheet Data");
  resize(760, 560);

  const auto item = [this](QMenu* menu, const char* caption, const char* name, void (TForm11::*handler)(),
                           const QKeySequence& keys = {}) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    action->setShortcut(keys);
    connect(action, &QAction::triggered, this, [this, handler] { RunCommand(dialogs_, [&] { (this->*handler)(); }); });
  };
  QMenu* file = menuBar()->addMenu("File");
  file->setObjectName("File1");
  item(file, "Open", "open1", &TForm11::open1Click, QKeySequence::Open);
  item(file, "Save", "Save1", &TForm11::Save1Click, QKeySequence::Save);
  item(file, "Quit", "Exit1", &TForm11::Exit1Click, QKeySequence::Close);
  QMenu* edit = menuBar()->addMenu("Edit");
  edit->setObjectName("Edit1");
  item(edit, "TabToSpace", "TabToSpace1", &TForm11::TabToSpace1Click);
  item(edit, "SpacesToTab", "SpacesToTab1", &TForm11::SpacesToTab1Click);
  item(edit, "Column Calculation", "ColumnCalculation1", &TForm11::ColumnCalculation1Click);

  // A plain-text editor: a sheet of many thousand lines stays responsive.
  Memo1_ = new QPlainTextEdit(this);
  Memo1_->setObjectName("Memo1");
  Memo1_->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  setCentralWidget(Memo1_);
  ShowText();

  // The other two windows of the tool, created hidden after this one.
  form12_ = new TForm12(*this, tool_.Table(), dialogs_, parent);
  form13_ = new TForm13(tool_, dialogs_, parent);
  form13_->SetTable(form12_->Model());
}

void TForm11::open1Click() {
  const auto chosen = files_.Open();
  if (!chosen) return;
  const std::string bytes = ReadFileBytes(*chosen);
  tool_.Open(bytes, chosen->string(), [this](std::string_view warning) { dialogs_.Message(warning); });
  ShowText();
}

void TForm11::Save1Click() {
  TakeTypedText();
  const DirectoryMemory& memory = files_.Directories();
  const std::filesystem::path start =
      memory.WorkingDirectory().empty() ? memory.StartDirectory() : std::filesystem::path(memory.WorkingDirectory());
  // The whole text is held here and the file is replaced in one step, so
  // saving over the file that was opened loses nothing.
  const auto chosen = files_.Save({.proposed = tool_.SheetFileName(), .startDirectory = start});
  if (!chosen) return;
  WriteFileAtomically(*chosen, tool_.SaveBytes());
}

void TForm11::Exit1Click() {
  form13_->hide();
  form12_->hide();
  hide();
  if (QWidget* main = parentWidget()) {
    main->raise();
    main->activateWindow();
  }
}

void TForm11::TabToSpace1Click() {
  ChangeText([this] { tool_.TabToSpace1Click(); });
}

void TForm11::SpacesToTab1Click() {
  ChangeText([this] { tool_.SpacesToTab1Click(); });
}

void TForm11::ColumnCalculation1Click() {
  TakeTypedText();
  form12_->Model().Rebuild([this] { tool_.ColumnCalculation1Click(); });
  form12_->show();
  form12_->raise();
  form12_->activateWindow();
}

void TForm11::UpdateFromTable() {
  ChangeText([this] { tool_.UpdateandReturnToMain1Click(); });
}

void TForm11::ChangeText(const std::function<void()>& change) {
  TakeTypedText();
  change();
  ShowText();
}

void TForm11::TakeTypedText() {
  if (!Memo1_->document()->isModified()) return;
  const QStringList typed = SplitLines(Memo1_->toPlainText());
  TextLines& sheet = tool_.Sheet();
  // Lines the user did not touch keep their bytes: not every Shift-JIS byte
  // sequence comes back unchanged from Unicode.
  const qsizetype shownCount = std::min<qsizetype>(shown_.size(), static_cast<qsizetype>(sheet.size()));
  qsizetype head = 0;
  while (head < typed.size() && head < shownCount && typed[head] == shown_[head]) ++head;
  qsizetype tail = 0;
  while (tail < typed.size() - head && tail < shownCount - head &&
         typed[typed.size() - 1 - tail] == shown_[shownCount - 1 - tail]) {
    ++tail;
  }
  TextLines lines;
  for (qsizetype i = 0; i < head; ++i) lines.push_back(sheet[static_cast<std::size_t>(i)]);
  for (qsizetype i = head; i < typed.size() - tail; ++i) lines.push_back(ToShiftJis(typed[i]));
  for (qsizetype i = shownCount - tail; i < shownCount; ++i) lines.push_back(sheet[static_cast<std::size_t>(i)]);
  sheet = std::move(lines);
  shown_ = typed;
  Memo1_->document()->setModified(false);
}

void TForm11::ShowText() {
  const TextLines& sheet = tool_.Sheet();
  std::string joined = sheet.Joined("\n");
  // An empty last line needs its own line end to be seen; any other does not.
  if (!sheet.empty() && !sheet.back().empty()) joined.pop_back();
  QString text = FromShiftJis(joined);
  shown_ = SplitLines(text);
  if (shown_.size() != static_cast<qsizetype>(sheet.size())) {
    // A decoder that took a line end into a character: line by line instead.
    shown_.clear();
    for (const std::string_view line : sheet) shown_.push_back(FromShiftJis(line));
    text = shown_.join(u'\n');
    if (!sheet.empty() && sheet.back().empty()) text += u'\n';
  }
  Memo1_->setPlainText(text);
  Memo1_->document()->setModified(false);
}

}  // namespace specbridge::columns
