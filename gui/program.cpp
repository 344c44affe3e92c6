#include "gui/program.h"

namespace tintavis {

Program::Program() {
  mainWindow.AttachWindows(&about, &help, &numbering, &quickEntry, &differences);
  quickEntry.show();
}

}  // namespace tintavis
