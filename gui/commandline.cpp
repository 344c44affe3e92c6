#include "gui/commandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTimer>
#include <cstdio>

#include "gui/mainwindow.h"
#include "logic/programusage.h"
#include "logic/version.h"

namespace tintavis {

CommandLine ReadCommandLine(const QStringList& arguments, bool beforeQt) {
  QCommandLineParser parser;
  const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
  const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
  parser.addOption(help);
  parser.addOption(version);
  CommandLine line;
  const bool parsed = parser.parse(arguments);
  line.help = parser.isSet(help);
  line.version = parser.isSet(version);
  if (beforeQt) return line;
  if (!parsed) {
    line.error = parser.errorText();
  } else if (parser.positionalArguments().size() > 1) {
    line.error = QStringLiteral("only one file may be given");
  } else if (!parser.positionalArguments().isEmpty()) {
    line.file = QFileInfo(parser.positionalArguments().constFirst()).absoluteFilePath();
  }
  return line;
}

std::optional<int> AnswerWithoutDisplay(int argc, char** argv) {
  QStringList arguments;
  {
    QCoreApplication core(argc, argv);
    arguments = QCoreApplication::arguments();
  }
  const CommandLine line = ReadCommandLine(arguments, true);
  if (line.help) {
    std::fwrite(kProgramUsage.data(), 1, kProgramUsage.size(), stdout);
    return 0;
  }
  if (line.version) {
    std::printf("tintavis %.*s\n", static_cast<int>(kProgramVersion.size()), kProgramVersion.data());
    return 0;
  }
  return std::nullopt;
}

void OpenOnceShown(MainWindow& window, const QString& path) {
  QTimer::singleShot(0, &window, [&window, path] {
    if (window.MaySetSamplesAside()) window.OpenFile(path);
  });
}

}  // namespace tintavis
