// The colour difference table as a second model over the sample store: it follows the grid's
// model through its signals, so that every change of the grid shows in it at once.
#pragma once

#include <QAbstractTableModel>

#include "logic/differencetable.h"

namespace tintavis {

class DifferenceModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  // `grid` is the model over the same `store`; the table is made again whenever it changes.
  DifferenceModel(const SampleStore& store, QAbstractItemModel& grid, char separator, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

  void SetLanguage(Language language);
  void SetSeparator(char separator);
  char Separator() const { return separator_; }
  // The reference sample, 1 to the number of samples; it stays the same row while the grid has
  // it, and becomes row 1 when it does not.
  void SetReferenceRow(int row);
  int ReferenceRow() const { return referenceRow_; }
  // The target, tolerance and uncertainty the samples are checked against.
  void SetCheck(const QualityCheck& check);
  const QualityCheck& Check() const { return check_; }

  const DifferenceTable& Table() const { return table_; }
  const SampleStore& Store() const { return store_; }

 private:
  void Recompute();

  const SampleStore& store_;
  char separator_;
  Language language_ = Language::Spanish;
  int referenceRow_ = 1;
  QualityCheck check_;
  DifferenceTable table_;
};

}  // namespace tintavis
