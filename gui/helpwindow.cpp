#include "gui/helpwindow.h"

#include <QColor>
#include <QEvent>
#include <QKeyEvent>
#include <QPalette>
#include <QStringList>
#include <QTextEdit>
#include <QVBoxLayout>

#include <string_view>

#include "gui/qtglue.h"
#include "logic/captions.h"
#include "logic/helptexts.h"

namespace tintavis {
namespace {

// One paragraph per entry. QTextEdit keeps a trailing empty entry as an empty last paragraph,
// so toPlainText() gives the joined lines back unchanged and blockCount() equals the number of
// entries.
template <std::size_t N>
QString JoinedLines(const std::array<std::string_view, N>& lines) {
  QStringList list;
  list.reserve(static_cast<qsizetype>(N));
  for (const std::string_view line : lines) {
    list.append(ToQString(line));
  }
  return list.join(QLatin1Char('\n'));
}

QTextEdit* MakePane(const QString& name, const QString& text, QWidget* parent) {
  auto* pane = new QTextEdit(parent);
  pane->setObjectName(name);
  pane->setAcceptRichText(false);
  pane->setLineWrapMode(QTextEdit::WidgetWidth);
  pane->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  pane->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  pane->setPlainText(text);
  return pane;
}

}  // namespace

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("Form3"));
  setWindowTitle(ToQString(captions::StartUp(captions::Target::HelpCaption, "Form3")));
  // An auxiliary window: closing it never ends the program, and it is only hidden.
  setAttribute(Qt::WA_QuitOnClose, false);
  setAttribute(Qt::WA_DeleteOnClose, false);

  QPalette background = palette();
  background.setColor(QPalette::Window, background.color(QPalette::ToolTipBase));
  setPalette(background);
  setAutoFillBackground(true);

  spanishPane_ = MakePane(QStringLiteral("RichEdit1"), JoinedLines(helptexts::kSpanishHelp), this);
  spanishPane_->setReadOnly(true);
  englishPane_ = MakePane(QStringLiteral("RichEdit2"), JoinedLines(helptexts::kEnglishHelp), this);

  // The visible pane takes the whole client area and follows its size; the hidden one takes no
  // room.
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(spanishPane_);
  layout->addWidget(englishPane_);

  resize(kClientSize);
  move(kScreenPos);
  ApplyLanguage(Language::Spanish);
}

void HelpWindow::ApplyLanguage(Language language) {
  const bool english = language == Language::English;
  setWindowTitle(ToQString(captions::SwitchedTo(captions::Target::HelpCaption, "Form3", language)));
  spanishPane_->setVisible(!english);
  englishPane_->setVisible(english);
}

void HelpWindow::ShowModal() {
  if (!isVisible()) setWindowModality(Qt::ApplicationModal);
  show();
  raise();
  activateWindow();
}

void HelpWindow::FormActivate() {
  QPalette pane = spanishPane_->palette();
  pane.setColor(QPalette::Base, QColor(kSpanishPaneRed, kSpanishPaneGreen, kSpanishPaneBlue));
  spanishPane_->setPalette(pane);
}

bool HelpWindow::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) FormActivate();
  return QWidget::event(event);
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace tintavis
