// The quick absorbance entry window Form6: asks for the absorbances at 450, 520, 570 and 630 nm
// in turn and hands each entry, exactly as typed, to the main window's matching field. After the
// fourth it hides itself and starts again at the first prompt.
#pragma once

#include <QWidget>

#include "logic/quickentrysteps.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace tintavis {

class QuickEntryWindow : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 199;
  static constexpr int kClientHeight = 119;
  static constexpr int kLeft = 355;  // on the screen
  static constexpr int kTop = 286;

  // Builds the window at step 1 in Spanish with an empty entry field. The window is visible from
  // its creation, so it shows itself unless `showNow` is false. The program creates it hidden and
  // without a parent, then makes it a tool window of the main window and shows it.
  explicit QuickEntryWindow(bool showNow = true, QWidget* parent = nullptr);

  // Shows the window, brings it to the front and activates it with the focus in the entry field.
  // The step, the prompt and the entry stay as they are.
  void ShowAndRaise();

  // Back to step 1 in a language: the caption and the first prompt of that language. The entry
  // field and the window's visibility stay as they are.
  void RestartIn(Language language);

  QString Prompt() const;
  QuickEntryStep Step() const { return step_; }

 signals:
  // An entry for the main window's field `field` (0 to 3: PrimLong, SegLong, TercLong, CuartLong).
  void entryCopied(int field, const QString& text);
  // The fourth entry has been handed over and the window has hidden itself: the keyboard focus
  // belongs on "Calcular" now.
  void finished();

 public slots:
  void AcceptEntry();

 protected:
  // Escape hides the window as its close box does; the step and the entry stay.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void ShowStep(QuickEntryStep step);

  QuickEntryStep step_ = FirstQuickEntryStep(Language::Spanish);
  QLabel* prompt_ = nullptr;
  QLineEdit* entry_ = nullptr;
  QPushButton* okButton_ = nullptr;
};

}  // namespace tintavis
