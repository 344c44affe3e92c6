// TINTAVIS: start-up creates every window once, in a fixed order, then runs the event loop until
// the main window is closed.
#include <QApplication>
#include <csignal>

#include "gui/messenger.h"
#include "gui/logo.h"
#include "gui/program.h"

int main(int argc, char** argv) {
  // Past a file-size limit a save fails with EFBIG and says "Disk full", rather than the signal
  // ending the program with the unsaved grid.
  std::signal(SIGXFSZ, SIG_IGN);
  QApplication app(argc, argv);
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
  program.splash.raise();
  return QApplication::exec();
}
