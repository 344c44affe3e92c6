// The program's command line: --help and --version, answered before any window needs a display,
// and the file to open once the windows are up.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace tintavis {

class MainWindow;

struct CommandLine {
  bool help = false;
  bool version = false;
  QString file;   // the file to open, absolute; empty for none
  QString error;  // what is wrong with the arguments
};

// Reads the arguments (the program's name first). Qt's own options are expected to be taken
// out already, except when `beforeQt`: then options the program does not know are left to Qt.
CommandLine ReadCommandLine(const QStringList& arguments, bool beforeQt = false);

// Answers --help and --version from argv on a QCoreApplication, which needs no display: the
// exit status when the program is done, nothing when it goes on to its windows.
std::optional<int> AnswerWithoutDisplay(int argc, char** argv);

// Opens `path` as "Abrir" does once the event loop runs, that is once the windows are shown.
void OpenOnceShown(MainWindow& window, const QString& path);

}  // namespace tintavis
