#include "gui/labreportdialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

#include "gui/qtglue.h"
#include "logic/labreporttexts.h"

namespace tintavis {
namespace {

// The settings' keys and the fields' object names, in the order of the fields.
constexpr const char* kKeys[4] = {"labreport/laboratory", "labreport/operator", "labreport/instrument", "labreport/note"};
constexpr const char* kNames[4] = {"Laboratorio", "Operador", "Instrumento", "Nota"};
// The program's settings: organisation and application are both "TINTAVIS".
constexpr const char* kSettingsName = "TINTAVIS";

}  // namespace

LabReportDialog::LabReportDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("FormInforme"));
  setModal(true);
  setFont(SansSerifFont(kWindowFontPixels));
  auto* form = new QFormLayout;
  const QSettings settings(kSettingsName, kSettingsName);
  for (int i = 0; i < 4; ++i) {
    labels_[i] = new QLabel(this);
    fields_[i] = new QLineEdit(this);
    fields_[i]->setObjectName(kNames[i]);
    fields_[i]->setMinimumWidth(320);
    fields_[i]->setText(settings.value(kKeys[i]).toString());
    labels_[i]->setBuddy(fields_[i]);
    form->addRow(labels_[i], fields_[i]);
  }
  buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons_->setObjectName(QStringLiteral("Botones"));
  connect(buttons_, &QDialogButtonBox::accepted, this, &LabReportDialog::accept);
  connect(buttons_, &QDialogButtonBox::rejected, this, &LabReportDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons_);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  ApplyLanguage(Language::Spanish);
}

void LabReportDialog::ApplyLanguage(Language language) {
  auto text = [language](const BilingualText& t) { return ToQString(t.In(language)); };
  setWindowTitle(text(labreport::kTitle));
  const BilingualText* captions[4] = {&labreport::kLaboratory, &labreport::kOperator, &labreport::kInstrument,
                                      &labreport::kDialogNote};
  for (int i = 0; i < 4; ++i) labels_[i]->setText(text(*captions[i]));
  buttons_->button(QDialogButtonBox::Ok)->setText(text(labreport::kAccept));
  buttons_->button(QDialogButtonBox::Cancel)->setText(text(labreport::kCancel));
}

LabReportDetails LabReportDialog::Details() const {
  LabReportDetails details;
  details.laboratory = ToStdString(fields_[0]->text().trimmed());
  details.operatorName = ToStdString(fields_[1]->text().trimmed());
  details.instrument = ToStdString(fields_[2]->text().trimmed());
  details.note = ToStdString(fields_[3]->text().trimmed());
  return details;
}

void LabReportDialog::accept() {
  QSettings settings(kSettingsName, kSettingsName);
  for (int i = 0; i < 4; ++i) settings.setValue(kKeys[i], fields_[i]->text());
  QDialog::accept();
}

}  // namespace tintavis
