#include "gui/program.h"

namespace tintavis {

Program::Program() { form1.AttachWindows(&form2, &form3, &form4, &form6, &form7); }

}  // namespace tintavis
