#include "gui/uncertaintydialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

#include "gui/qtglue.h"
#include "logic/captions.h"
#include "logic/conformity.h"

namespace tintavis {
namespace {

constexpr auto kAbsorbanceKey = "uncertainty/absorbance";
constexpr auto kPathKey = "uncertainty/pathLength";

QSettings Settings() { return QSettings(QStringLiteral("TINTAVIS"), QStringLiteral("TINTAVIS")); }

}  // namespace

UncertaintyDialog::UncertaintyDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("UncertaintyDialog");
  setFont(SansSerifFont(kWindowFontPixels));
  absorbanceLabel_ = new QLabel(this);
  absorbance_ = new QLineEdit(this);
  absorbance_->setObjectName("AbsorbanceUncertainty");
  absorbanceLabel_->setBuddy(absorbance_);
  pathLabel_ = new QLabel(this);
  path_ = new QLineEdit(this);
  path_->setObjectName("PathUncertainty");
  pathLabel_->setBuddy(path_);
  note_ = new QLabel(this);
  note_->setWordWrap(true);
  error_ = new QLabel(this);
  error_->setObjectName("UncertaintyError");
  error_->setWordWrap(true);
  buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  auto* form = new QFormLayout;
  form->addRow(absorbanceLabel_, absorbance_);
  form->addRow(pathLabel_, path_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(note_);
  layout->addWidget(error_);
  layout->addWidget(buttons_);
  connect(buttons_, &QDialogButtonBox::accepted, this, &UncertaintyDialog::Check);
  connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

std::optional<InputUncertainty> UncertaintyDialog::Remembered(char separator) {
  const QSettings settings = Settings();
  return ReadUncertainty(settings.value(kAbsorbanceKey).toString().toStdString(),
                         settings.value(kPathKey).toString().toStdString(), separator, Language::Spanish)
      .uncertainty;
}

void UncertaintyDialog::Ask(char separator, Language language) {
  separator_ = separator;
  language_ = language;
  setWindowTitle(ToQString(captions::kUncertaintyTitle.In(language)));
  absorbanceLabel_->setText(ToQString(captions::kUncertaintyAbsorbance.In(language)));
  pathLabel_->setText(ToQString(captions::kUncertaintyPath.In(language)));
  note_->setText(ToQString(captions::kUncertaintyNote.In(language)));
  buttons_->button(QDialogButtonBox::Ok)->setText(ToQString(captions::kSpectraOk.In(language)));
  buttons_->button(QDialogButtonBox::Cancel)->setText(ToQString(captions::kSpectraCancel.In(language)));
  const QSettings settings = Settings();
  absorbance_->setText(settings.value(kAbsorbanceKey).toString());
  path_->setText(settings.value(kPathKey).toString());
  error_->clear();
  absorbance_->setFocus();
  show();
  raise();
  activateWindow();
}

void UncertaintyDialog::Check() {
  const UncertaintyReading reading =
      ReadUncertainty(absorbance_->text().toStdString(), path_->text().toStdString(), separator_, language_);
  if (!reading.error.empty()) {
    // The dialog stays open with what was typed.
    error_->setText(ToQString(reading.error));
    return;
  }
  QSettings settings = Settings();
  settings.setValue(kAbsorbanceKey, absorbance_->text());
  settings.setValue(kPathKey, path_->text());
  accept();
  emit uncertaintyChosen(reading.uncertainty);
}

}  // namespace tintavis
