#include "gui/differencemodel.h"

#include "gui/qtglue.h"

namespace tintavis {

DifferenceModel::DifferenceModel(const SampleStore& store, QAbstractItemModel& grid, char separator, QObject* parent)
    : QAbstractTableModel(parent), store_(store), separator_(separator) {
  const auto follow = [this] { Recompute(); };
  connect(&grid, &QAbstractItemModel::dataChanged, this, follow);
  connect(&grid, &QAbstractItemModel::headerDataChanged, this, follow);
  connect(&grid, &QAbstractItemModel::rowsInserted, this, follow);
  connect(&grid, &QAbstractItemModel::rowsRemoved, this, follow);
  connect(&grid, &QAbstractItemModel::modelReset, this, follow);
  connect(&grid, &QAbstractItemModel::layoutChanged, this, follow);
  Recompute();
}

int DifferenceModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(table_.rows.size());
}

int DifferenceModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kDifferenceColumns; }

QVariant DifferenceModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || index.column() >= kDifferenceColumns) return {};
  if (role == Qt::DisplayRole) {
    return ToQString(table_.rows[static_cast<std::size_t>(index.row())][static_cast<std::size_t>(index.column())]);
  }
  if (role == Qt::TextAlignmentRole && index.column() >= 2) return QVariant(Qt::AlignRight | Qt::AlignVCenter);
  return {};
}

QVariant DifferenceModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kDifferenceColumns) return {};
  return ToQString(DifferenceHeader(language_)[static_cast<std::size_t>(section)]);
}

void DifferenceModel::SetLanguage(Language language) {
  language_ = language;
  Recompute();
}

void DifferenceModel::SetSeparator(char separator) {
  separator_ = separator;
  Recompute();
}

void DifferenceModel::SetReferenceRow(int row) {
  referenceRow_ = row;
  Recompute();
}

void DifferenceModel::Recompute() {
  beginResetModel();
  if (referenceRow_ < 1 || referenceRow_ > store_.SampleCount()) referenceRow_ = 1;
  table_ = MakeDifferenceTable(store_, referenceRow_, separator_, language_);
  endResetModel();
  emit headerDataChanged(Qt::Horizontal, 0, kDifferenceColumns - 1);
}

}  // namespace tintavis
