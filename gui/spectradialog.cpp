#include "gui/spectradialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/messenger.h"
#include "gui/qtglue.h"
#include "logic/captions.h"

namespace tintavis {
namespace {

QRadioButton* Choice(const char* name, QWidget* parent, QLayout* layout) {
  auto* button = new QRadioButton(parent);
  button->setObjectName(name);
  layout->addWidget(button);
  return button;
}

}  // namespace

SpectraDialog::SpectraDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("FormEspectros"));
  setModal(true);
  setFont(SansSerifFont(kWindowFontPixels));

  wineBox_ = new QGroupBox(this);
  wineBox_->setObjectName(QStringLiteral("TipoVino"));
  auto* wineLayout = new QHBoxLayout(wineBox_);
  red_ = Choice("Tinto", wineBox_, wineLayout);
  white_ = Choice("Blanco", wineBox_, wineLayout);

  auto* paths = new QGridLayout;
  auto path = [&](const char* name, int row, QLabel*& label, QLineEdit*& field) {
    label = new QLabel(this);
    field = new QLineEdit(this);
    field->setObjectName(name);
    field->setMaximumWidth(60);
    label->setBuddy(field);
    paths->addWidget(label, row, 0);
    paths->addWidget(field, row, 1);
    paths->addWidget(new QLabel(QStringLiteral("mm"), this), row, 2);
  };
  path("EspesorMedida", 0, measurementLabel_, measurement_);
  path("EspesorResultado", 1, resultLabel_, result_);
  paths->setColumnStretch(3, 1);

  valuesBox_ = new QGroupBox(this);
  valuesBox_->setObjectName(QStringLiteral("Valores"));
  auto* valuesLayout = new QVBoxLayout(valuesBox_);
  absorbance_ = Choice("Absorbancia", valuesBox_, valuesLayout);
  transmittance_ = Choice("Transmitancia", valuesBox_, valuesLayout);
  percent_ = Choice("TransmitanciaPorcentaje", valuesBox_, valuesLayout);

  buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons_->setObjectName(QStringLiteral("Botones"));
  connect(buttons_, &QDialogButtonBox::accepted, this, &SpectraDialog::accept);
  connect(buttons_, &QDialogButtonBox::rejected, this, &SpectraDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(wineBox_);
  layout->addLayout(paths);
  layout->addWidget(valuesBox_);
  layout->addWidget(buttons_);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  // The values of the defaults, shown as the fields' texts.
  red_->setChecked(choices_.wine == WineType::RedRose);
  white_->setChecked(choices_.wine == WineType::WhiteBrandy);
  measurement_->setText(QString::number(choices_.d));
  result_->setText(QString::number(choices_.r));
  absorbance_->setChecked(choices_.values == SpectraValues::Absorbance);
  transmittance_->setChecked(choices_.values == SpectraValues::Transmittance);
  percent_->setChecked(choices_.values == SpectraValues::TransmittancePercent);

  // Tab order: the wine type (arrows move between its two choices), both path lengths, the kind
  // of values (arrows again), the buttons.
  QWidget* order[] = {red_, white_, measurement_, result_, absorbance_, transmittance_, percent_,
                      buttons_->button(QDialogButtonBox::Ok), buttons_->button(QDialogButtonBox::Cancel)};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);

  ApplyLanguage(language_);
}

void SpectraDialog::ApplyLanguage(Language language) {
  language_ = language;
  auto text = [language](const BilingualText& t) { return ToQString(t.In(language)); };
  setWindowTitle(text(captions::kSpectraDialogTitle));
  wineBox_->setTitle(text(captions::kSpectraWineBox));
  red_->setText(text(captions::kSpectraRed));
  white_->setText(text(captions::kSpectraWhite));
  measurementLabel_->setText(text(captions::kSpectraMeasurement));
  resultLabel_->setText(text(captions::kSpectraResult));
  valuesBox_->setTitle(text(captions::kSpectraValuesBox));
  absorbance_->setText(text(captions::kSpectraAbsorbance));
  transmittance_->setText(text(captions::kSpectraTransmittance));
  percent_->setText(text(captions::kSpectraTransmittancePercent));
  buttons_->button(QDialogButtonBox::Ok)->setText(text(captions::kSpectraOk));
  buttons_->button(QDialogButtonBox::Cancel)->setText(text(captions::kSpectraCancel));
}

void SpectraDialog::accept() {
  SpectraChoices typed;
  typed.wine = red_->isChecked() ? WineType::RedRose : WineType::WhiteBrandy;
  typed.values = transmittance_->isChecked() ? SpectraValues::Transmittance
                 : percent_->isChecked()     ? SpectraValues::TransmittancePercent
                                             : SpectraValues::Absorbance;
  const PathLengthsRead read =
      ReadPathLengths(ToStdString(measurement_->text()), ToStdString(result_->text()), typed, language_);
  if (const auto* problem = std::get_if<PathLengthProblem>(&read)) {
    CurrentMessenger().Show(this, problem->message);
    QLineEdit* field = problem->field == PathField::Measurement ? measurement_ : result_;
    field->setFocus();
    field->selectAll();
    return;
  }
  choices_ = std::get<SpectraChoices>(read);
  QDialog::accept();
}

}  // namespace tintavis
