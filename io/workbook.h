// Spreadsheet workbooks (.xlsx, Office Open XML) of the samples, written with libxlsxwriter:
// the sheets described by logic/workbooksheets.h, cell by cell, numbers as numbers with their
// formats and texts as texts, so that a spreadsheet opens them without asking how to read them.
// The program itself does not read them back: "Abrir" takes its data files.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "logic/workbooksheets.h"

namespace tintavis {

// Writes `sheets` as a workbook to `path`, through the safe save (a failure leaves the old file
// as it was). Returns the error message (English, without full stop) when it failed.
std::optional<std::string> WriteWorkbook(const std::string& path, const std::vector<Sheet>& sheets, Language language);

// Whether the file at `path` starts as a zip container does (an .xlsx or .ods workbook), which
// no data file does.
bool IsWorkbookFile(const std::string& path);

}  // namespace tintavis
