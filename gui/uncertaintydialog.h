// "Incertidumbre…" of "Opciones": the standard uncertainties u(A) of the absorbances and u(d) of
// the measurement pathlength, kept between runs. With both empty or 0 nothing has an uncertainty.
#pragma once

#include <QDialog>
#include <optional>

#include "core/uncertainty.h"
#include "logic/language.h"

class QDialogButtonBox;
class QLabel;
class QLineEdit;

namespace tintavis {

class UncertaintyDialog : public QDialog {
  Q_OBJECT

 public:
  explicit UncertaintyDialog(QWidget* parent = nullptr);

  // The texts kept from the last run, read as the dialog would read them (nothing when they
  // cannot be read).
  static std::optional<InputUncertainty> Remembered(char separator);

  // Opens the dialog with the texts last accepted, in `language`.
  void Ask(char separator, Language language);

 signals:
  // The accepted uncertainty, nullopt for none; the texts are then kept for the next run.
  void uncertaintyChosen(std::optional<InputUncertainty> uncertainty);

 private:
  void Check();

  char separator_ = '.';
  Language language_ = Language::Spanish;
  QLabel* absorbanceLabel_ = nullptr;
  QLineEdit* absorbance_ = nullptr;
  QLabel* pathLabel_ = nullptr;
  QLineEdit* path_ = nullptr;
  QLabel* note_ = nullptr;
  QLabel* error_ = nullptr;
  QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace tintavis
