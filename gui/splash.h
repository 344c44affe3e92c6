// The splash window (Form5): a borderless panel with the program's name, logo and credits,
// shown on top of everything at start-up and hidden by its own timer 2500 ms later.
#pragma once

#include <QWidget>

class QFrame;
class QTimer;

namespace tintavis {

class SplashWindow : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 360;
  static constexpr int kClientHeight = 230;
  static constexpr int kTimerInterval = 2500;  // ms

  // Builds the window, centres it on the primary screen and starts Timer1. The window is
  // visible from its creation, so it shows itself unless `showNow` is false.
  explicit SplashWindow(bool showNow = true, QWidget* parent = nullptr);

  QTimer* HideTimer() const { return hideTimer_; }

 public slots:
  // Each tick hides the window. The timer keeps running for the whole run, so every tick after
  // the first hides a window that is already hidden.
  void HideSplash();

 private:
  void CentreOnPrimaryScreen();

  QFrame* brandPanel_ = nullptr;
  QTimer* hideTimer_ = nullptr;
};

}  // namespace tintavis
