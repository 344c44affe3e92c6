#include "gui/messenger.h"

#include <QMessageBox>

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

QString ToQString(const std::string& utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string ToStdString(const QString& text) { return text.toStdString(); }

}  // namespace tintavis
