#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/directory_memory.hpp"
#include "gui/QtDialogs.hpp"
#include "shell/Unit1.hpp"

namespace {

constexpr const char* kUsage =
    "Usage: specbridge [--help] [--version]\n"
    "\n"
    "Starts the specbridge workbench: the windows that convert spectrophotometer\n"
    "exports into SPECFIT input files and spectral sheets.\n"
    "\n"
    "Every conversion also runs without a window: see 'specbridge-cli --help'.\n"
    "Without a display, QT_QPA_PLATFORM=offscreen runs the workbench off screen.\n";

constexpr const char* kVersion = "specbridge " SPECBRIDGE_VERSION " (" SPECBRIDGE_RELEASE_MONTH ")\n";

bool HasEnv(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

}  // namespace

int main(int argc, char* argv[]) {
  // Answered before Qt starts: QApplication aborts when no display is found.
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::fputs(kVersion, stdout);
      return 0;
    }
  }
  if (!HasEnv("DISPLAY") && !HasEnv("WAYLAND_DISPLAY") && !HasEnv("QT_QPA_PLATFORM")) {
    std::fputs(
        "specbridge: no display found (DISPLAY and WAYLAND_DISPLAY are unset).\n"
        "Convert from the command line with 'specbridge-cli' (see 'specbridge-cli --help'),\n"
        "or run the workbench off screen with QT_QPA_PLATFORM=offscreen.\n",
        stderr);
    return 1;
  }

  // The start directory and "dirinf" come before any window.
  auto directories = specbridge::DirectoryMemory::AtStartUp();
  QApplication app(argc, argv);
  QApplication::setApplicationName("specbridge");
  QApplication::setApplicationVersion(SPECBRIDGE_VERSION);
  specbridge::QtDialogs dialogs(nullptr);
  specbridge::shell::TForm1 form1(directories, dialogs);
  form1.show();
  return QApplication::exec();
}
