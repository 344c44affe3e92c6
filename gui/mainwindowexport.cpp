// The main window's "Exportar a Excel (.xlsx)…": the samples as a spreadsheet workbook.
#include <QFile>
#include <QFileDialog>

#include "gui/differencewindow.h"
#include "gui/mainwindow.h"
#include "gui/qtglue.h"
#include "io/workbook.h"
#include "logic/messages.h"
#include "logic/workbooksheets.h"
#include "logic/workbooktexts.h"

namespace tintavis {

void MainWindow::ExportWorkbook() {
  QFileDialog* dialog = Dialog(workbookDialog_, "SaveDialog3", FileDialogKind::ExportWorkbook);
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return;
  const QString path = dialog->selectedFiles().constFirst();
  RememberChoice(dialog, path);
  ExportWorkbookFile(path);
}

std::vector<Sheet> MainWindow::WorkbookSheets() const {
  const SampleStore& store = session_.store;
  std::vector<Sheet> sheets = {SamplesSheet(store.Samples(), language_), MethodSheet(store.Samples(), language_)};
  if (differences_ != nullptr && differences_->isVisible() && store.SampleCount() > 0) {
    sheets.push_back(DifferencesSheet(differences_->Table(), language_));
  }
  return sheets;
}

bool MainWindow::ExportWorkbookFile(const QString& path) {
  if (const auto error = WriteWorkbook(QFile::encodeName(path).toStdString(), WorkbookSheets(), language_)) {
    ShowMessage({MessageDisplay::ErrorDisplay, WithFullStop(WorkbookMessage(workbooktexts::kWorkbookNotWritten, *error, language_))});
    return false;
  }
  return true;
}

}  // namespace tintavis
