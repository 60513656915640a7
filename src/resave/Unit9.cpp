#include "resave/Unit9.hpp"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace specbridge::resave {
namespace {

const char* const kHelpText =
    "Saving part of a tab-separated sheet\n"
    "\n"
    "1. File > Read: choose the sheet. The grid shows each line of the file as a row and each "
    "tab-separated field as a column. The top row and the left column are left free for marks.\n"
    "\n"
    "2. To leave a column out, double-click the free cell above it; to leave a row out, double-click "
    "the free cell at its left. The cell then reads \"Omit\". Double-click it again to take the mark "
    "away. Double-clicking a data cell changes nothing.\n"
    "\n"
    "3. File > Save: the rows and columns without a mark are written to a new file, in their order, "
    "with tabs between the cells and the cells exactly as read. The proposed name is the sheet's name "
    "followed by \".txt\".\n"
    "\n"
    "Marks stay until the next Read, so you may change them and save again.";

}  // namespace

TForm9::TForm9(QWidget* parent) : QDialog(parent) {
  setObjectName("TForm9");
  setWindowTitle("Help for Partial Saving Routine");
  setModal(false);
  resize(520, 360);

  auto* layout = new QVBoxLayout(this);
  auto* Memo1 = new QPlainTextEdit(kHelpText, this);
  Memo1->setObjectName("Memo1");
  Memo1->setReadOnly(true);
  QPalette palette = Memo1->palette();
  palette.setColor(QPalette::Base, palette.color(QPalette::ToolTipBase));  // the information colour
  palette.setColor(QPalette::Text, palette.color(QPalette::ToolTipText));
  Memo1->setPalette(palette);
  layout->addWidget(Memo1);
  auto* Button1 = new QPushButton("OK", this);
  Button1->setObjectName("Button1");
  Button1->setDefault(true);
  layout->addWidget(Button1, 0, Qt::AlignHCenter);
  connect(Button1, &QPushButton::clicked, this, &TForm9::Button1Click);
}

void TForm9::Button1Click() {
  hide();
  if (QWidget* sheet = parentWidget(); sheet != nullptr) {
    sheet->show();
    sheet->raise();
  }
}

}  // namespace specbridge::resave
