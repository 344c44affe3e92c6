#include "gui/messenger.h"

#include <QMessageBox>
#include <QPushButton>

#include "gui/qtglue.h"

namespace tintavis {

void MessageBoxMessenger::Show(QWidget* parent, const Message& message) {
  const QMessageBox::Icon icon =
      message.display == MessageDisplay::ErrorDisplay ? QMessageBox::Critical : QMessageBox::NoIcon;
  QMessageBox box(icon, QString::fromLatin1(kApplicationTitle), ToQString(message.text), QMessageBox::Ok, parent);
  // Messages quote what the user typed; it is shown as typed, never read as markup.
  box.setTextFormat(Qt::PlainText);
  box.setObjectName(message.display == MessageDisplay::ErrorDisplay ? "ErrorBox" : "PromptBox");
  box.exec();
}

int MessageBoxMessenger::Ask(QWidget* parent, const Question& question) {
  QMessageBox box(QMessageBox::Question, QString::fromLatin1(kApplicationTitle), ToQString(question.text),
                  QMessageBox::NoButton, parent);
  box.setTextFormat(Qt::PlainText);
  box.setObjectName("QuestionBox");
  std::vector<QPushButton*> buttons;
  for (const std::string& answer : question.answers) {
    buttons.push_back(box.addButton(ToQString(answer), QMessageBox::AcceptRole));
  }
  box.setDefaultButton(buttons.at(static_cast<std::size_t>(question.defaultAnswer)));
  box.setEscapeButton(buttons.at(static_cast<std::size_t>(question.escapeAnswer)));
  box.exec();
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    if (box.clickedButton() == buttons[i]) return static_cast<int>(i);
  }
  return question.escapeAnswer;
}

namespace {
MessageBoxMessenger realBoxes;
Messenger* current = &realBoxes;
}  // namespace

Messenger& CurrentMessenger() { return *current; }
void SetMessenger(Messenger* messenger) { current = messenger != nullptr ? messenger : &realBoxes; }

}  // namespace tintavis
