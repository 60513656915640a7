#include "nir/Unit14.hpp"

#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/text.hpp"
#include "gui/QtText.hpp"
#include "nir/Unit15.hpp"
#include "nir/cleaning.hpp"

namespace specbridge::nir {

TForm14::TForm14(DirectoryMemory& directories, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent, Qt::Window), dialogs_(dialogs), files_(dialogs, directories) {
  setObjectName("TForm14");
  setWindowTitle("Modifying the ASCII Files (*.ASC) from UV3150K by Eliminating Irrelevant Lines in the NIR region");
  resize(760, 520);

  QMenu* file = menuBar()->addMenu("File");
  file->setObjectName("File1");
  QAction* open = file->addAction("Select_One_of_Them");
  open->setObjectName("Open1");
  open->setShortcut(QKeySequence::Open);
  connect(open, &QAction::triggered, this, [this] { RunCommand(dialogs_, [this] { Open1Click(); }); });
  QAction* quit = file->addAction("Quit");
  quit->setObjectName("Exit1");
  quit->setShortcut(QKeySequence::Close);
  connect(quit, &QAction::triggered, this, &TForm14::Exit1Click);

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  Memo1_ = new QPlainTextEdit(central);
  Memo1_->setObjectName("Memo1");
  Memo1_->setReadOnly(true);
  Memo1_->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  layout->addWidget(Memo1_);
  auto* DoIt = new QPushButton("DoIt", central);
  DoIt->setObjectName("DoIt");
  DoIt->hide();
  connect(DoIt, &QPushButton::clicked, this, &TForm14::DoItClick);
  setCentralWidget(central);

  confirmation_ = new TForm15(
      [this] {
        show();
        raise();
        DoItClick();
      },
      this);
}

void TForm14::ShowLoaded(std::string_view bytes) {
  // As a multi-line box loads a file: its lines, up to a NUL.
  std::vector<std::string_view> lines;
  LoadLineViews(bytes, lines);
  std::string text;
  text.reserve(bytes.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += '\n';
    text.append(lines[i]);
  }
  Memo1_->setPlainText(FromShiftJis(text));
}

void TForm14::Open1Click() {
  const auto chosen = files_.Open();
  if (!chosen) return;
  // A new choice makes any earlier confirmation stale.
  confirmation_->hide();
  pending_.clear();
  std::string last;
  bool loaded = false;
  const auto keepLast = [&](std::string_view bytes) {
    last.assign(bytes);
    loaded = true;
  };
  try {
    pending_ = SelectOneOfThem(*chosen, keepLast);
  } catch (const Failure&) {
    if (loaded) ShowLoaded(last);
    throw;
  }
  if (loaded) ShowLoaded(last);
  if (pending_.empty()) return;
  confirmation_->SetCount(pending_.size());
  confirmation_->show();
  confirmation_->raise();
}

void TForm14::Exit1Click() {
  hide();
  if (parentWidget() != nullptr) {
    parentWidget()->show();
    parentWidget()->raise();
  }
}

void TForm14::DoItClick() {
  Progress progress;
  std::string last;
  bool loaded = false;
  std::string failure;
  try {
    ProcessPendingFiles(pending_, progress, [&](std::string_view bytes) {
      last.assign(bytes);
      loaded = true;
    });
  } catch (const Failure& error) {
    failure = error.Message();
  } catch (const std::exception& fault) {
    failure = std::string("Internal error: ") + fault.what();
  }
  if (loaded) ShowLoaded(last);
  const std::string summary = ProcessingSummary(pending_.size(), progress, failure);
  if (failure.empty()) {
    dialogs_.Message(summary);
  } else {
    dialogs_.Error(summary);
  }
}

}  // namespace specbridge::nir
