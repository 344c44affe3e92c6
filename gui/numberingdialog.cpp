#include "gui/numberingdialog.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <string>
#include <string_view>

#include "gui/messenger.h"
#include "logic/captions.h"
#include "logic/numberingrules.h"

namespace tintavis {
namespace {

constexpr const char* kCaption = "Número de la muestra";

// The dialog's font: a sans serif of 11 pixels, as the main window's.
QFont DialogFont() {
  QFont font(QStringLiteral("Arial"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(11);
  return font;
}

QString FromView(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A choice that reacts to a click anywhere in its box, not only on its circle and text.
class ChoiceButton : public QRadioButton {
 public:
  ChoiceButton(const QString& text, QWidget* parent) : QRadioButton(text, parent) {}

 protected:
  bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

QString StartUpText(const char* name) {
  return FromView(captions::StartUp(captions::Target::NumberingItem, name));
}

}  // namespace

NumberingDialog::NumberingDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("Form4"));
  setWindowTitle(QString::fromUtf8(kCaption));
  setModal(false);
  setFont(DialogFont());
  setFixedSize(kClientWidth, kClientHeight);

  groupBox1_ = new QGroupBox(StartUpText("GroupBox1"), this);
  groupBox1_->setObjectName(QStringLiteral("GroupBox1"));
  groupBox1_->setGeometry(17, 23, 189, 68);

  radioButton1_ = new ChoiceButton(StartUpText("RadioButton1"), groupBox1_);
  radioButton1_->setObjectName(QStringLiteral("RadioButton1"));
  radioButton1_->setGeometry(70, 19, 113, 17);

  radioButton2_ = new ChoiceButton(StartUpText("RadioButton2"), groupBox1_);
  radioButton2_->setObjectName(QStringLiteral("RadioButton2"));
  radioButton2_->setGeometry(70, 41, 113, 17);
  radioButton2_->setChecked(true);

  label1_ = new QLabel(StartUpText("Label1"), this);
  label1_->setObjectName(QStringLiteral("Label1"));
  label1_->move(215, 36);
  label1_->adjustSize();
  label1_->setEnabled(false);

  edit1_ = new QLineEdit(QStringLiteral("1"), this);
  edit1_->setObjectName(QStringLiteral("Edit1"));
  edit1_->setGeometry(229, 53, 39, 21);
  edit1_->setEnabled(false);

  // Not the default button: Enter in the start field must not press it. A dialog makes its first
  // auto-default button the default when it is shown, so auto-default is switched off as well.
  button1_ = new QPushButton(QStringLiteral("OK"), this);
  button1_->setObjectName(QStringLiteral("Button1"));
  button1_->setGeometry(104, 110, 75, 25);
  button1_->setAutoDefault(false);
  button1_->setDefault(false);

  // A choice's reaction runs also when the program sets it (Reset), as a click would.
  connect(radioButton1_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) RadioButton1Click();
  });
  connect(radioButton2_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) RadioButton2Click();
  });
  // Every change of the text, typed or written by the program.
  connect(edit1_, &QLineEdit::textChanged, this, &NumberingDialog::Edit1Change);
  connect(button1_, &QPushButton::clicked, this, &NumberingDialog::Button1Click);

  move(kLeft, kTop);
}

bool NumberingDialog::NumberingEnabled() const { return radioButton1_->isChecked(); }

void NumberingDialog::ShowDialog() {
  if (isVisible()) return;
  show();
}

void NumberingDialog::Reset() {
  radioButton2_->setChecked(true);
  edit1_->setEnabled(false);
  label1_->setEnabled(false);
}

void NumberingDialog::ApplyLanguage(bool english) {
  for (const captions::Caption& c : captions::kCaptions) {
    if (c.target != captions::Target::NumberingItem) continue;
    const QString text = FromView(english ? c.english : c.spanish);
    const QString name = FromView(c.name);
    if (auto* group = findChild<QGroupBox*>(name)) {
      group->setTitle(text);
    } else if (auto* choice = findChild<QRadioButton*>(name)) {
      choice->setText(text);
    } else if (auto* label = findChild<QLabel*>(name)) {
      label->setText(text);
      label->adjustSize();
    }
  }
}

void NumberingDialog::RadioButton1Click() {
  edit1_->setEnabled(true);
  label1_->setEnabled(true);
  // The field is entered with its text selected, so that typing replaces it.
  edit1_->setFocus();
  edit1_->selectAll();
}

void NumberingDialog::RadioButton2Click() {
  // Emptying the field runs Edit1Change, which does nothing now that "No" is chosen.
  edit1_->clear();
  edit1_->setEnabled(false);
  label1_->setEnabled(false);
}

void NumberingDialog::Edit1Change() {
  const StartFieldChange change = NumberingStartFieldChanged(NumberingEnabled(), ToStdString(edit1_->text()));
  if (change.nextOrderNumber) emit orderNumberChanged(*change.nextOrderNumber);
  if (change.error) CurrentMessenger().Show(this, *change.error);
}

void NumberingDialog::Button1Click() {
  const NumberingOkOutcome outcome =
      NumberingOk(NumberingEnabled(), ToStdString(edit1_->text()), ToStdString(radioButton1_->text()));
  if (outcome.close) {
    hide();
    return;
  }
  if (outcome.prompt) CurrentMessenger().Show(this, *outcome.prompt);
  edit1_->setFocus();
}

void NumberingDialog::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      // Enter presses OK only when OK itself has the focus; anywhere else it does nothing, and
      // never closes the dialog.
      if (focusWidget() == button1_) button1_->click();
      event->accept();
      return;
    case Qt::Key_Escape:
      // As the close box: hides without the test of OK.
      hide();
      event->accept();
      return;
    default:
      QDialog::keyPressEvent(event);
  }
}

}  // namespace tintavis
