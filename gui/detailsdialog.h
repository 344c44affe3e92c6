// The read-only "Detalles" window of one grid row: its inputs, time and origin.
#pragma once

#include <QDialog>

#include "logic/samplestore.h"

class QLabel;
class QPushButton;

namespace tintavis {

class DetailsDialog : public QDialog {
  Q_OBJECT

 public:
  explicit DetailsDialog(QWidget* parent = nullptr);

  // The details of the sample of `row`, in `language`, and `extra` lines after them.
  void ShowSample(const StoredSample& sample, int row, Language language, const std::vector<std::string>& extra = {});
  QString Text() const;

 private:
  QLabel* text_ = nullptr;
  QPushButton* close_ = nullptr;
};

}  // namespace tintavis
