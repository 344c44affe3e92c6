// The file dialogs of the main window, with their Spanish titles and filters in both languages;
// their labels and buttons, and Qt's own texts in them (columns, messages), follow the program's
// language.
#pragma once

#include "logic/language.h"

class QFileDialog;
class QString;
class QWidget;

namespace tintavis {

enum class FileDialogKind {
  SaveExcel,  // "Archivo Excel": .xls first
  SaveCalc,   // "Archivo Calc": .ods first
  Open,       // "Abrir un archivo"
  OpenSpectra,  // "Abrir espectros": one file of measured spectra
  ExportWorkbook,  // "Exportar a Excel (.xlsx)…": a spreadsheet workbook
  ImportReadings,  // "Importar lecturas…": readings in the batch tool's input form
};

// A dialog created once and kept, so that it proposes the last name chosen in it. It starts in
// the folder last used in any of the program's file dialogs, in this run or an earlier one, with
// its labels in `language`.
QFileDialog* MakeFileDialog(QWidget* parent, const char* objectName, FileDialogKind kind, Language language);

// The labels "Buscar en:", "Nombre:", "Tipo:" and the two buttons of `dialog` in `language`.
void ApplyFileDialogLanguage(QFileDialog* dialog, Language language);

// The next showing of `dialog` proposes `path`; its folder becomes the one the dialogs start in,
// kept between runs (QSettings of organisation and application "TINTAVIS").
void RememberChoice(QFileDialog* dialog, const QString& path);

// Before a kept dialog is shown again: it opens in the folder last used, which another dialog
// may have changed since.
void StartInLastFolder(QFileDialog* dialog);

}  // namespace tintavis
