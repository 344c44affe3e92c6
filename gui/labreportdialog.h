// The dialog of "Informe del laboratorio": the laboratory, the operator, the instrument and an
// optional note for the report's header. What was accepted is kept in the program's settings
// and offered again at the next run.
#pragma once

#include <QDialog>

#include "io/labreport.h"

class QDialogButtonBox;
class QLabel;
class QLineEdit;

namespace tintavis {

class LabReportDialog : public QDialog {
  Q_OBJECT

 public:
  explicit LabReportDialog(QWidget* parent = nullptr);

  // Rewrites every text in `language`; the fields keep what they hold.
  void ApplyLanguage(Language language);

  // The four fields as they stand (the data file and the moment are the caller's to fill).
  LabReportDetails Details() const;

 public slots:
  // Keeps the fields in the settings, under "labreport/".
  void accept() override;

 private:
  QLabel* labels_[4] = {};
  QLineEdit* fields_[4] = {};  // laboratory, operator, instrument, note
  QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace tintavis
