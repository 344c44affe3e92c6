// The file dialogs of the main window, with their Spanish texts in both languages; Qt's own
// texts in them (columns, messages) follow the program's language.
#pragma once

class QFileDialog;
class QString;
class QWidget;

namespace tintavis {

enum class FileDialogKind {
  SaveExcel,  // "Archivo Excel": .xls first
  SaveCalc,   // "Archivo Calc": .ods first
  Open,       // "Abrir un archivo"
  OpenSpectra,  // "Abrir espectros": one file of measured spectra
};

// A dialog created once and kept, so that it proposes the last name chosen in it.
QFileDialog* MakeFileDialog(QWidget* parent, const char* objectName, FileDialogKind kind);

// The next showing of `dialog` proposes `path`.
void RememberChoice(QFileDialog* dialog, const QString& path);

}  // namespace tintavis
