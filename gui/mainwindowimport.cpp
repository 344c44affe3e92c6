// The main window's "Importar lecturas…": readings typed elsewhere, each computed as if typed.
#include <QFile>
#include <QFileDialog>
#include <algorithm>
#include <chrono>

#include "gui/mainwindow.h"
#include "gui/numberingdialog.h"
#include "io/encoding.h"
#include "io/wholefile.h"
#include "logic/messages.h"
#include "logic/readings.h"
#include "logic/sampleworkflow.h"

namespace tintavis {

void MainWindow::ImportReadings() {
  if (!MaySetSamplesAside()) return;
  QFileDialog* dialog = Dialog(importDialog_, "ImportDialog1", FileDialogKind::ImportReadings);
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return;
  const QString path = dialog->selectedFiles().constFirst();
  RememberChoice(dialog, path);
  ImportReadingsFile(path);
}

bool MainWindow::ImportReadingsFile(const QString& path) {
  const WholeFileRead read = ReadWholeFile(QFile::encodeName(path).toStdString(), kMaxDataFileBytes, language_);
  if (const auto* error = std::get_if<WholeFileError>(&read)) {
    ShowMessage({MessageDisplay::ErrorDisplay, WithFullStop(error->message)});
    return false;
  }
  ReadingsText text = ParseReadings(DecodeText(std::get<WholeFile>(read).bytes), language_);
  if (text.readings.empty() && text.refused.empty()) {
    ShowMessage({MessageDisplay::ErrorDisplay, WithFullStop(readings::kNoReadings.In(language_))});
    return false;
  }
  // Every reading goes through the calculation as the fields would: numbering, the limit of 50
  // and the unsaved mark follow; the whole import is one change to undo.
  SampleStore::State before = session_.store.Snapshot();
  std::vector<RefusedReading> refused = std::move(text.refused);
  int written = 0;
  bool full = false;
  for (Reading& reading : text.readings) {
    if (full) {
      refused.push_back({reading.line, std::string(readings::kNoRoom.In(language_))});
      continue;
    }
    reading.form.numberingEnabled = numbering_ != nullptr && numbering_->NumberingEnabled();
    const CalculationOutcome outcome = CalculateSample(reading.form, session_.Counters(), separator_, language_);
    if (const auto* row = std::get_if<RowWritten>(&outcome)) {
      ApplyRowWritten(*row, CalculatedSample(*row, reading.form, separator_, std::chrono::system_clock::now()),
                      session_, *this);
      ++written;
      continue;
    }
    // The first line that finds the grid full says why; the ones after it only that they did
    // not fit.
    full = std::holds_alternative<GridFull>(outcome);
    refused.push_back({reading.line, OutcomeMessage(outcome)->text});
  }
  if (written > 0) {
    Record(GridAction::Import, std::move(before));
    ScrollToRow(session_.store.SampleCount());
  }
  std::sort(refused.begin(), refused.end(), [](const auto& x, const auto& y) { return x.line < y.line; });
  if (!refused.empty()) ShowMessage({MessageDisplay::ErrorDisplay, ImportReport(refused, language_)});
  return true;
}

}  // namespace tintavis
