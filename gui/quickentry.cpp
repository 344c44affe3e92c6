#include "gui/quickentry.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <optional>
#include <string_view>

#include "gui/qtglue.h"
#include "logic/captions.h"

namespace tintavis {
namespace {

QString CaptionIn(Language language) {
  return ToQString(captions::SwitchedTo(captions::Target::QuickEntry, "Form6", language));
}

}  // namespace

QuickEntryWindow::QuickEntryWindow(bool showNow, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("Form6"));
  setWindowTitle(ToQString(captions::StartUp(captions::Target::QuickEntry, "Form6")));
  setFont(SansSerifFont(kWindowFontPixels));
  setFixedSize(kClientWidth, kClientHeight);

  prompt_ = new QLabel(this);
  prompt_->setObjectName(QStringLiteral("Label1"));
  prompt_->setFont(SansSerifFont(13));
  prompt_->move(36, 8);

  entry_ = new QLineEdit(this);
  entry_->setObjectName(QStringLiteral("Edit1"));
  entry_->setFont(SansSerifFont(16));
  entry_->setGeometry(24, 32, 153, 28);

  okButton_ = new QPushButton(QStringLiteral("OK"), this);
  okButton_->setObjectName(QStringLiteral("Button1"));
  okButton_->setGeometry(62, 80, 75, 25);
  // The window's default button: Enter in the entry field presses it.
  okButton_->setDefault(true);
  okButton_->setAutoDefault(true);
  connect(entry_, &QLineEdit::returnPressed, okButton_, &QPushButton::click);
  connect(okButton_, &QPushButton::clicked, this, &QuickEntryWindow::AcceptEntry);

  setTabOrder(entry_, okButton_);
  entry_->setFocus();
  ShowStep(FirstQuickEntryStep(Language::Spanish));

  move(kLeft, kTop);
  if (showNow) show();
}

QString QuickEntryWindow::Prompt() const { return prompt_->text(); }

void QuickEntryWindow::ShowStep(QuickEntryStep step) {
  step_ = step;
  prompt_->setText(ToQString(PromptOf(step)));
  prompt_->adjustSize();
}

void QuickEntryWindow::ShowAndRaise() {
  show();
  raise();
  activateWindow();
  entry_->setFocus();
}

void QuickEntryWindow::RestartIn(Language language) {
  setWindowTitle(CaptionIn(language));
  ShowStep(FirstQuickEntryStep(language));
}

void QuickEntryWindow::AcceptEntry() {
  const QuickEntryStep current = step_;
  const QString entry = entry_->text();
  const std::optional<QuickEntryAdvance> advance = QuickEntryOk(current, entry.toStdString());
  if (!advance) return;
  emit entryCopied(static_cast<int>(advance->field), entry);
  if (advance->finished) {
    hide();
    entry_->clear();
    ShowStep(advance->next);
    emit finished();
    return;
  }
  ShowStep(advance->next);
  entry_->clear();
  entry_->setFocus();
}

void QuickEntryWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace tintavis
