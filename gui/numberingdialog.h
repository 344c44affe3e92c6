// The sample numbering dialog Form4: a modeless dialog that holds the choice whether new sample
// names get an order number, and writes the number to start with. The number itself is the main
// window's counter; the dialog tells it every valid change of the start field at once.
#pragma once

#include <QDialog>

#include "logic/language.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tintavis {

class NumberingDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 298;
  static constexpr int kClientHeight = 157;
  static constexpr int kLeft = 363;  // on the screen, the first time it is shown
  static constexpr int kTop = 157;

  // Built hidden. The program creates it without a parent, so that it is a window of its own that
  // the main window can cover.
  explicit NumberingDialog(QWidget* parent = nullptr);

  // True exactly while "Sí" ("Yes") is chosen.
  bool NumberingEnabled() const;

  // Shows the dialog: the first time at its place, later where the user left it. A dialog that is
  // already visible is left alone, neither raised nor activated.
  void ShowDialog();

  // Used when the main window clears everything: chooses "No" (which empties the start field when
  // "Sí" was chosen) and disables the start field and its label.
  void Reset();

  // Rewrites the frame, the two choices and the label; the choice, the start field and the
  // counter stay as they are. The caption is the same in both languages.
  void ApplyLanguage(Language language);

 signals:
  // A valid change of the start field while "Sí" is chosen: the new next order number.
  void orderNumberChanged(int number);

 public slots:
  void ChooseNumbering();
  void ChooseNoNumbering();
  void StartFieldChanged();
  void Confirm();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  Language language_ = Language::Spanish;
  QGroupBox* choiceBox_ = nullptr;
  QRadioButton* yesChoice_ = nullptr;
  QRadioButton* noChoice_ = nullptr;
  QLabel* startLabel_ = nullptr;
  QLineEdit* startField_ = nullptr;
  QPushButton* okButton_ = nullptr;
};

}  // namespace tintavis
