// The program's windows, created once in their fixed order: main window, About, Help, splash,
// numbering dialog, quick entry. The splash and the quick entry window are visible from their
// creation; every window lives until the program ends.
#pragma once

#include "gui/mainwindow.h"
#include "gui/aboutwindow.h"
#include "gui/differencewindow.h"
#include "gui/helpwindow.h"
#include "gui/numberingdialog.h"
#include "gui/quickentry.h"
#include "gui/splash.h"

namespace tintavis {

class Program {
 public:
  Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Members are created in the order they are declared.
  MainWindow mainWindow;
  AboutWindow about;
  HelpWindow help;
  SplashWindow splash;
  NumberingDialog numbering;
  QuickEntryWindow quickEntry;
  // Not one of the six: the colour difference window, opened from "&Opciones".
  DifferenceWindow differences{mainWindow.Session().store, mainWindow.GridItemModel(), mainWindow.DecimalSeparator()};
};

}  // namespace tintavis
