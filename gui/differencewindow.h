// The colour difference window: every sample of the grid against a reference sample chosen by
// the user, as ΔL*, Δa*, Δb*, ΔC*, ΔH*, ΔE*ab and ΔE00. Modeless; it follows the grid through
// its own model over the same sample store.
#pragma once

#include <QWidget>

#include "gui/differencemodel.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace tintavis {

class DifferenceWindow : public QWidget {
  Q_OBJECT

 public:
  // `grid` is the main window's model over `store`.
  DifferenceWindow(const SampleStore& store, QAbstractItemModel& grid, char separator, QWidget* parent = nullptr);

  void SetSeparator(char separator) { model_.SetSeparator(separator); }
  void ApplyLanguage(Language language);
  // Shows the window (to the front) with the grid as it is now.
  void ShowWindow();
  // Puts the table on the clipboard as TAB-separated text with its header.
  void CopyTable();

  // The uncertainty of the measurements (Options, Uncertainty); none without one. Guarded
  // acceptance can be chosen only with one.
  void SetUncertainty(std::optional<InputUncertainty> uncertainty);

  const DifferenceTable& Table() const { return model_.Table(); }
  DifferenceModel& Model() { return model_; }

 private:
  // The reference chooser and the line under the table, after the table changed.
  void ShowTableState();
  // Reads the quality-control fields into the model's check; a field that cannot be read
  // leaves the check without a tolerance and says why under the table.
  void ReadCheckFields();

  DifferenceModel model_;
  Language language_ = Language::Spanish;

  QLabel* referenceLabel_ = nullptr;
  QComboBox* reference_ = nullptr;
  QTableView* differenceView_ = nullptr;
  QLabel* message_ = nullptr;
  QPushButton* copy_ = nullptr;

  std::optional<InputUncertainty> uncertainty_;
  std::string checkError_;
  QGroupBox* checkBox_ = nullptr;
  QCheckBox* useTarget_ = nullptr;
  QLineEdit* targetL_ = nullptr;
  QLineEdit* targetA_ = nullptr;
  QLineEdit* targetB_ = nullptr;
  QLabel* toleranceLabel_ = nullptr;
  QLineEdit* tolerance_ = nullptr;
  QComboBox* formula_ = nullptr;
  QLabel* ruleLabel_ = nullptr;
  QComboBox* rule_ = nullptr;
  QLabel* checkLine_ = nullptr;
};

}  // namespace tintavis
