// Workbooks the program wrote, read back: the samples sheet of an .xlsx written by the export
// (io/workbook.h), whose first row holds the sheet's headings and every further row a sample:
//
//   Muestra   X      Y      Z      L*    C*     h      a*     b*     Intensidad  Tonalidad  ...
//   Crianza   3.213  1.403  0.368  12.0  43.99  20.37  41.24  15.31  7.400       0.533      ...
//
// An .xlsx is a zip container of XML parts: the sheet in xl/worksheets/sheet1.xml, its texts in
// xl/sharedStrings.xml (or inline). Only what the export writes is read; the inputs that follow
// the ten values are not.
#pragma once

#include <string>
#include <string_view>

#include "io/datafile.h"

namespace tintavis {

// The rows "Abrir" gives for the workbook's samples: each name with the final blank the grid
// gives it, the ten values with the grid's decimals and their numbers as the workbook holds them
// (an empty Intensity or Tonality is a white wine's "--"). A workbook the program did not write
// (its first sheet does not start with the samples' headings in either language), or a damaged
// one, is refused with `notOurs`, which names the file.
DataFileRead ParseWorkbook(std::string_view bytes, char separator, Language language, const std::string& notOurs);

// The same from the file at `path`, read through the one whole-file reader.
DataFileRead ReadWorkbookFile(const std::string& path, char separator, Language language, const std::string& notOurs,
                              FileIdentity* identity = nullptr);

}  // namespace tintavis
