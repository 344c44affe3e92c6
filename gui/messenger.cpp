#include "gui/messenger.h"

#include <QMessageBox>

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

namespace {
MessageBoxMessenger realBoxes;
Messenger* current = &realBoxes;
}  // namespace

Messenger& CurrentMessenger() { return *current; }
void SetMessenger(Messenger* messenger) { current = messenger != nullptr ? messenger : &realBoxes; }

}  // namespace tintavis
