// The About window (Form2): the program's name, logo and credits on a sunken panel, and an "OK"
// button. Created hidden at start-up, shown application-modal from the "Ayuda" menu and only
// hidden when closed, so each opening shows it as it was left. Its texts are the same in both
// languages.
#pragma once

#include <QDialog>
#include <QPoint>

class QFrame;
class QLabel;
class QPushButton;

namespace tintavis {

class AboutWindow : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 352;
  static constexpr int kClientHeight = 228;
  static constexpr QPoint kScreenPos{227, 200};

  // Builds the window hidden, at its place on the screen.
  explicit AboutWindow(QWidget* parent = nullptr);

  // Shows the window application-modal: the other windows take no input until it is closed.
  // Returns at once; the caller's event loop keeps running and the window hides itself when
  // "OK" or its close box is pressed.
  void ShowModal();

  QPushButton* OkButton() const { return okButton_; }

 public slots:
  // "OK": closes (hides) the window.
  void Close();

 private:
  QFrame* brandPanel_ = nullptr;
  QPushButton* okButton_ = nullptr;
};

}  // namespace tintavis
