// What `tintavis --help` prints: the program's own command line, in English as the batch
// tool's usage is.
#pragma once

#include <string_view>

namespace tintavis {

inline constexpr std::string_view kProgramUsage =
    "Usage: tintavis [Qt options] [FILE]\n"
    "       tintavis --help | --version\n"
    "\n"
    "Opens the TINTAVIS window. With FILE, the window opens FILE once it is up, as \"Abrir\"\n"
    "(\"Open\") does: a TINTAVIS data file (.xls or .ods, tab-separated text). A workbook\n"
    "(.xlsx) is for spreadsheet programs and is refused with a message.\n"
    "\n"
    "Options:\n"
    "  -h, --help     show this text\n"
    "  -v, --version  show the program's version\n"
    "Qt's own options (-platform NAME, -display DISPLAY, ...) are taken as by every Qt program.\n";

}  // namespace tintavis
