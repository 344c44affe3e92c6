// The spectra dialog of "Abrir espectros": after the file is chosen, how its spectra were
// measured (wine type, measurement and result path lengths, absorbance or transmittance from 0
// to 1 or in percent). Enter is "Aceptar", which checks the path lengths and keeps the dialog
// open on a fault; Escape is "Cancelar". The values stay for the next file.
#pragma once

#include <QDialog>

#include "logic/language.h"
#include "logic/spectrachoices.h"

class QDialogButtonBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace tintavis {

class SpectraDialog : public QDialog {
  Q_OBJECT

 public:
  explicit SpectraDialog(QWidget* parent = nullptr);

  // Rewrites every text in `language`; the values stay as they are.
  void ApplyLanguage(Language language);

  // The choices of the last accepted showing (at first the defaults: red, 10 mm, 10 mm,
  // absorbance).
  const SpectraChoices& Choices() const { return choices_; }

 public slots:
  void accept() override;

 private:
  Language language_ = Language::Spanish;
  SpectraChoices choices_;
  QGroupBox* wineBox_ = nullptr;
  QRadioButton* red_ = nullptr;
  QRadioButton* white_ = nullptr;
  QLabel* measurementLabel_ = nullptr;
  QLineEdit* measurement_ = nullptr;
  QLabel* resultLabel_ = nullptr;
  QLineEdit* result_ = nullptr;
  QGroupBox* valuesBox_ = nullptr;
  QRadioButton* absorbance_ = nullptr;
  QRadioButton* transmittance_ = nullptr;  // from 0 to 1
  QRadioButton* percent_ = nullptr;        // from 0 to 100
  QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace tintavis
