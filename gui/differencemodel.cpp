#include "gui/differencemodel.h"

#include <QColor>

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

int DifferenceModel::columnCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  return check_.tolerance ? kDifferenceColumns + kCheckColumns : kDifferenceColumns;
}

QVariant DifferenceModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) return {};
  const auto row = static_cast<std::size_t>(index.row());
  if (index.column() >= kDifferenceColumns) {
    const RowCheck& check = table_.checks[row];
    const bool verdictColumn = index.column() == kDifferenceColumns + 1;
    if (role == Qt::DisplayRole) {
      if (!verdictColumn) return ToQString(check.expanded);
      return check.verdict ? ToQString(VerdictText(*check.verdict, language_)) : QStringLiteral("--");
    }
    if (role == Qt::BackgroundRole && verdictColumn && check.verdict) {
      const VerdictFill fill = FillOf(*check.verdict);
      return QColor(fill.red, fill.green, fill.blue);
    }
    if (role == Qt::ForegroundRole && verdictColumn && check.verdict) return QColor(Qt::black);
    if (role == Qt::TextAlignmentRole && !verdictColumn) return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    return {};
  }
  if (role == Qt::DisplayRole) return ToQString(table_.rows[row][static_cast<std::size_t>(index.column())]);
  if (role == Qt::TextAlignmentRole && index.column() >= 2) return QVariant(Qt::AlignRight | Qt::AlignVCenter);
  return {};
}

QVariant DifferenceModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columnCount()) return {};
  if (section >= kDifferenceColumns) {
    const auto formula = check_.tolerance ? check_.tolerance->formula : DifferenceFormula::De00;
    return ToQString(CheckHeader(formula, language_)[static_cast<std::size_t>(section - kDifferenceColumns)]);
  }
  return ToQString(DifferenceHeader(language_)[static_cast<std::size_t>(section)]);
}

void DifferenceModel::SetCheck(const QualityCheck& check) {
  // The column count follows the tolerance, so the check changes inside the reset.
  beginResetModel();
  check_ = check;
  table_ = MakeDifferenceTable(store_, referenceRow_, separator_, language_, check_);
  endResetModel();
  emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
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
  table_ = MakeDifferenceTable(store_, referenceRow_, separator_, language_, check_);
  endResetModel();
  emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

}  // namespace tintavis
