// The colour difference window: every sample of the grid against a reference sample chosen by
// the user, as ΔL*, Δa*, Δb*, ΔC*, ΔH*, ΔE*ab and ΔE00. Modeless; it follows the grid.
#pragma once

#include <QWidget>

#include "logic/differencetable.h"
#include "logic/sampleworkflow.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace tintavis {

class DifferenceWindow : public QWidget {
  Q_OBJECT

 public:
  // `session` is the main window's, read on every refresh.
  DifferenceWindow(const SampleSession& session, char separator, QWidget* parent = nullptr);

  void SetSeparator(char separator) { separator_ = separator; }
  void ApplyLanguage(Language language);
  // Shows the window (to the front) with the grid as it is now.
  void ShowWindow();
  // Reads the grid again; done whenever a row is calculated, cleared, loaded or edited.
  void Refresh();
  // Puts the table on the clipboard as TAB-separated text with its header.
  void CopyTable();

  const DifferenceTable& Table() const { return table_; }

 private:
  void Recompute();

  const SampleSession& session_;
  char separator_;
  Language language_ = Language::Spanish;
  int referenceRow_ = 1;
  DifferenceTable table_;

  QLabel* referenceLabel_ = nullptr;
  QComboBox* reference_ = nullptr;
  QTableWidget* differenceView_ = nullptr;
  QLabel* message_ = nullptr;
  QPushButton* copy_ = nullptr;
};

}  // namespace tintavis
