// The program's windows, created once in their fixed order: main window, About, Help, splash,
// numbering dialog, quick entry. The splash is visible from its creation, the quick entry window
// from the end of the program's, once it is a window of the main window; every window lives
// until the program ends.
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
  // Hidden until it is a window of the main window, then shown: it comes onto the screen once.
  // (A window taken off the screen and put back at once may stay off it: Openbox can miss the
  // second showing.)
  QuickEntryWindow quickEntry{false};
  // Not one of the six: the colour difference window, opened from "&Opciones".
  DifferenceWindow differences{mainWindow.Session().store, mainWindow.GridItemModel(), mainWindow.DecimalSeparator()};
};

}  // namespace tintavis
