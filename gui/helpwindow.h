// The Help window (Form3): the Spanish help text in RichEdit1 and the English one in RichEdit2,
// each pane filling the window, only the pane of the current language visible. Created hidden
// at start-up, shown application-modal from the "Ayuda" menu and closed by its close box only,
// which hides it: each opening shows it with the size, scroll position and typing it was left
// with (what is typed into the English pane lasts until the end of the run).
#pragma once

#include <QPoint>

#include <QSize>
#include <QWidget>

#include "logic/language.h"

class QTextEdit;

namespace tintavis {

class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  // The window's outer size, frame included, and the client size that gives it under a usual
  // frame (8 pixels at the sides and the bottom, a 31-pixel caption bar).
  static constexpr QSize kOuterSize{489, 331};
  static constexpr QSize kClientSize{489 - 16, 331 - 39};
  static constexpr QPoint kScreenPos{229, 150};
  // Background of the Spanish pane, set on every activation of the window.
  static constexpr int kSpanishPaneRed = 255;
  static constexpr int kSpanishPaneGreen = 255;
  static constexpr int kSpanishPaneBlue = 235;

  // Builds the window hidden, in Spanish, at its place on the screen.
  explicit HelpWindow(QWidget* parent = nullptr);

  // Caption and visible pane of the language: "Ayuda de TINTAVIS" with RichEdit1 in Spanish,
  // "TINTAVIS Help topics" with RichEdit2 in English.
  void ApplyLanguage(Language language);

  // Shows the window application-modal: the other windows take no input until it is closed.
  // Returns at once; the caller's event loop keeps running.
  void ShowModal();

  // Paints the Spanish pane's background; runs each time the window becomes active.
  void FormActivate();

  QTextEdit* SpanishPane() const { return spanishPane_; }
  QTextEdit* EnglishPane() const { return englishPane_; }

 protected:
  bool event(QEvent* event) override;
  // Escape closes the window as its close box does.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QTextEdit* spanishPane_ = nullptr;
  QTextEdit* englishPane_ = nullptr;
};

}  // namespace tintavis
