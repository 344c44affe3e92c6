// The real message boxes: caption, icon and text, answered by a timer as a user would press OK.
#include "gui/messenger.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

namespace {

struct SeenBox {
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  bool seen = false;
};

SeenBox ShowAndAnswer(const tintavis::Message& message) {
  SeenBox seen;
  QTimer::singleShot(0, [&seen] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    seen = {box->windowTitle(), box->text(), box->icon(), true};
    box->button(QMessageBox::Ok)->click();
  });
  tintavis::MessageBoxMessenger().Show(nullptr, message);
  return seen;
}

TEST(MessageBoxMessenger, PromptHasTheTitleNoIconAndTheText) {
  const SeenBox box = ShowAndAnswer({tintavis::MessageDisplay::Prompt, "¿Espesor de resultado?"});
  ASSERT_TRUE(box.seen);
  EXPECT_EQ(box.title, "TINTAVIS");
  EXPECT_EQ(box.icon, QMessageBox::NoIcon);
  EXPECT_EQ(box.text, "¿Espesor de resultado?");
}

TEST(MessageBoxMessenger, ErrorDisplayHasTheStopIcon) {
  const SeenBox box = ShowAndAnswer({tintavis::MessageDisplay::ErrorDisplay, "Floating point overflow."});
  ASSERT_TRUE(box.seen);
  EXPECT_EQ(box.title, "TINTAVIS");
  EXPECT_EQ(box.icon, QMessageBox::Critical);
  EXPECT_EQ(box.text, "Floating point overflow.");
}

}  // namespace
