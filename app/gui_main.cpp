#include <QApplication>

#include "common/directory_memory.hpp"
#include "gui/QtDialogs.hpp"
#include "shell/Unit1.hpp"

int main(int argc, char* argv[]) {
  // The start directory and "dirinf" come before any window.
  auto directories = specbridge::DirectoryMemory::AtStartUp();
  QApplication app(argc, argv);
  QApplication::setApplicationName("specbridge");
  specbridge::QtDialogs dialogs(nullptr);
  specbridge::shell::TForm1 form1(directories, dialogs);
  form1.show();
  return QApplication::exec();
}
