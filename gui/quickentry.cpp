#include "gui/quickentry.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <optional>
#include <string_view>

#include "logic/captions.h"

namespace tintavis {
namespace {

// The window's font: a sans serif of 11 pixels, as the main window's; the prompt and the entry
// are larger.
QFont SansSerif(int pixelSize) {
  QFont font(QStringLiteral("Arial"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixelSize);
  return font;
}

QString FromView(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString CaptionIn(bool english) {
  for (const captions::Caption& c : captions::kCaptions) {
    if (c.target == captions::Target::QuickEntry && c.name == "Form6") return FromView(english ? c.english : c.spanish);
  }
  return {};
}

}  // namespace

QuickEntryWindow::QuickEntryWindow(bool showNow, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("Form6"));
  setWindowTitle(FromView(captions::StartUp(captions::Target::QuickEntry, "Form6")));
  setFont(SansSerif(11));
  setFixedSize(kClientWidth, kClientHeight);

  label1_ = new QLabel(this);
  label1_->setObjectName(QStringLiteral("Label1"));
  label1_->setFont(SansSerif(13));
  label1_->move(36, 8);

  edit1_ = new QLineEdit(this);
  edit1_->setObjectName(QStringLiteral("Edit1"));
  edit1_->setFont(SansSerif(16));
  edit1_->setGeometry(24, 32, 153, 28);

  button1_ = new QPushButton(QStringLiteral("OK"), this);
  button1_->setObjectName(QStringLiteral("Button1"));
  button1_->setGeometry(62, 80, 75, 25);
  // The window's default button: Enter in the entry field presses it.
  button1_->setDefault(true);
  button1_->setAutoDefault(true);
  connect(edit1_, &QLineEdit::returnPressed, button1_, &QPushButton::click);
  connect(button1_, &QPushButton::clicked, this, &QuickEntryWindow::Button1Click);

  setTabOrder(edit1_, button1_);
  edit1_->setFocus();
  ShowStep(FirstQuickEntryStep(false));

  move(kLeft, kTop);
  if (showNow) show();
}

QString QuickEntryWindow::Prompt() const { return label1_->text(); }

void QuickEntryWindow::ShowStep(QuickEntryStep step) {
  step_ = step;
  label1_->setText(FromView(PromptOf(step)));
  label1_->adjustSize();
}

void QuickEntryWindow::ShowAndRaise() {
  show();
  raise();
  activateWindow();
  edit1_->setFocus();
}

void QuickEntryWindow::RestartIn(bool english) {
  setWindowTitle(CaptionIn(english));
  ShowStep(FirstQuickEntryStep(english));
}

void QuickEntryWindow::Button1Click() {
  // The step is the one the prompt shows.
  const QuickEntryStep current = StepOfPrompt(Prompt().toStdString()).value_or(step_);
  const QString entry = edit1_->text();
  const std::optional<QuickEntryAdvance> advance = QuickEntryOk(current, entry.toStdString());
  if (!advance) return;
  emit entryCopied(static_cast<int>(advance->field), entry);
  if (advance->finished) {
    hide();
    edit1_->clear();
    ShowStep(advance->next);
    emit finished();
    return;
  }
  ShowStep(advance->next);
  edit1_->clear();
  edit1_->setFocus();
}

}  // namespace tintavis
