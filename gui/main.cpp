// TINTAVIS: start-up creates every window once, in a fixed order, then runs the event loop until
// the main window is closed. --help and --version are answered first, without a display.
#include <QApplication>
#include <csignal>
#include <cstdio>

#include "gui/commandline.h"
#include "gui/messenger.h"
#include "gui/logo.h"
#include "gui/program.h"
#include "logic/programusage.h"

int main(int argc, char** argv) {
  // Past a file-size limit a save fails with EFBIG and says "Disk full", rather than the signal
  // ending the program with the unsaved grid.
  std::signal(SIGXFSZ, SIG_IGN);
  if (const auto status = tintavis::AnswerWithoutDisplay(argc, argv)) return *status;
  QApplication app(argc, argv);
  // Qt has taken its own options out of the arguments: what is left is the program's.
  const tintavis::CommandLine line = tintavis::ReadCommandLine(QApplication::arguments());
  if (!line.error.isEmpty()) {
    std::fprintf(stderr, "tintavis: %s\n%s", qPrintable(line.error), tintavis::kProgramUsage.data());
    return 2;
  }
  // The title is the caption of every message box and the program's name in the task bar. No
  // display name is set: Qt would append it to every window caption.
  QApplication::setApplicationName(QString::fromLatin1(tintavis::kApplicationTitle));
  QApplication::setWindowIcon(tintavis::TintavisIcon());
  // The desktop entry that launches the program: a Wayland shell matches the window to it by
  // this name, an X11 one by the application name above (WM_CLASS, the entry's StartupWMClass).
  QGuiApplication::setDesktopFileName(QStringLiteral("org.tintavis.tintavis"));

  tintavis::Program program;
  program.mainWindow.showMaximized();
  // The quick entry window, open from the start, and the splash above it until its timer hides
  // it, both in front of the maximised main window.
  program.quickEntry.raise();
  program.quickEntry.activateWindow();  // the keys go to its entry field, which shows the focus
  program.splash.raise();
  if (!line.file.isEmpty()) tintavis::OpenOnceShown(program.mainWindow, line.file);
  return QApplication::exec();
}
