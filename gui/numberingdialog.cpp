#include "gui/numberingdialog.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <string>
#include <string_view>

#include "gui/qtglue.h"
#include "gui/messenger.h"
#include "logic/captions.h"
#include "logic/numberingrules.h"

namespace tintavis {
namespace {

// A choice that reacts to a click anywhere in its box, not only on its circle and text.
class ChoiceButton : public QRadioButton {
 public:
  ChoiceButton(const QString& text, QWidget* parent) : QRadioButton(text, parent) {}

 protected:
  bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

QString StartUpText(const char* name) {
  return ToQString(captions::StartUp(captions::Target::NumberingItem, name));
}

}  // namespace

NumberingDialog::NumberingDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("Form4"));
  setWindowTitle(ToQString(captions::kNumberingDialogTitle));
  setModal(false);
  setFont(SansSerifFont(kWindowFontPixels));
  setFixedSize(kClientWidth, kClientHeight);

  choiceBox_ = new QGroupBox(StartUpText("GroupBox1"), this);
  choiceBox_->setObjectName(QStringLiteral("GroupBox1"));
  choiceBox_->setGeometry(17, 23, 189, 68);

  yesChoice_ = new ChoiceButton(StartUpText("RadioButton1"), choiceBox_);
  yesChoice_->setObjectName(QStringLiteral("RadioButton1"));
  yesChoice_->setGeometry(70, 19, 113, 17);

  noChoice_ = new ChoiceButton(StartUpText("RadioButton2"), choiceBox_);
  noChoice_->setObjectName(QStringLiteral("RadioButton2"));
  noChoice_->setGeometry(70, 41, 113, 17);
  noChoice_->setChecked(true);

  startLabel_ = new QLabel(StartUpText("Label1"), this);
  startLabel_->setObjectName(QStringLiteral("Label1"));
  startLabel_->move(215, 36);
  startLabel_->adjustSize();
  startLabel_->setEnabled(false);

  startField_ = new QLineEdit(QStringLiteral("1"), this);
  startField_->setObjectName(QStringLiteral("Edit1"));
  startField_->setGeometry(229, 53, 39, 21);
  startField_->setEnabled(false);

  // Not the default button: Enter in the start field must not press it. A dialog makes its first
  // auto-default button the default when it is shown, so auto-default is switched off as well.
  okButton_ = new QPushButton(QStringLiteral("OK"), this);
  okButton_->setObjectName(QStringLiteral("Button1"));
  okButton_->setGeometry(104, 110, 75, 25);
  okButton_->setAutoDefault(false);
  okButton_->setDefault(false);

  // A choice's reaction runs also when the program sets it (Reset), as a click would.
  connect(yesChoice_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) ChooseNumbering();
  });
  connect(noChoice_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) ChooseNoNumbering();
  });
  // Every change of the text, typed or written by the program.
  connect(startField_, &QLineEdit::textChanged, this, &NumberingDialog::StartFieldChanged);
  connect(okButton_, &QPushButton::clicked, this, &NumberingDialog::Confirm);

  move(kLeft, kTop);
}

bool NumberingDialog::NumberingEnabled() const { return yesChoice_->isChecked(); }

void NumberingDialog::ShowDialog() {
  if (isVisible()) return;
  show();
}

void NumberingDialog::Reset() {
  noChoice_->setChecked(true);
  startField_->setEnabled(false);
  startLabel_->setEnabled(false);
}

void NumberingDialog::ApplyLanguage(Language language) {
  language_ = language;
  for (const captions::Caption& c : captions::kCaptions) {
    if (c.target != captions::Target::NumberingItem) continue;
    const QString text = ToQString(c.In(language));
    const QString name = ToQString(c.name);
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

void NumberingDialog::ChooseNumbering() {
  startField_->setEnabled(true);
  startLabel_->setEnabled(true);
  // The field is entered with its text selected, so that typing replaces it.
  startField_->setFocus();
  startField_->selectAll();
}

void NumberingDialog::ChooseNoNumbering() {
  // Emptying the field runs StartFieldChanged, which does nothing now that "No" is chosen.
  startField_->clear();
  startField_->setEnabled(false);
  startLabel_->setEnabled(false);
}

void NumberingDialog::StartFieldChanged() {
  const StartFieldChange change = NumberingStartFieldChanged(NumberingEnabled(), ToStdString(startField_->text()));
  if (change.nextOrderNumber) emit orderNumberChanged(*change.nextOrderNumber);
  if (change.error) CurrentMessenger().Show(this, *change.error);
}

void NumberingDialog::Confirm() {
  const NumberingOkOutcome outcome =
      NumberingOk(NumberingEnabled(), ToStdString(startField_->text()), language_);
  if (outcome.close) {
    hide();
    return;
  }
  if (outcome.prompt) CurrentMessenger().Show(this, *outcome.prompt);
  startField_->setFocus();
}

void NumberingDialog::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      // Enter presses OK only when OK itself has the focus; anywhere else it does nothing, and
      // never closes the dialog.
      if (focusWidget() == okButton_) okButton_->click();
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
