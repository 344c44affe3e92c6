#include "gui/gridview.h"

#include <QApplication>
#include <QHeaderView>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPalette>

#include "gui/qtglue.h"
#include "logic/textrules.h"
#include "gui/messenger.h"

namespace tintavis {

GridModel::GridModel(ResultsGrid& grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid), shownRows_(grid.RowCount() - 1) {}

int GridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : shownRows_; }

int GridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kGridColumns; }

QVariant GridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= shownRows_ || index.column() >= kGridColumns) return {};
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return ToQString(grid_.Cell(index.row() + 1, index.column()));
    case Qt::BackgroundRole:
      if (index.column() == 0) return QApplication::palette().button();
      return QVariant();
    case Qt::TextAlignmentRole:
      return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    default:
      return {};
  }
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !index.isValid() || index.column() == 0 || index.row() >= shownRows_) return false;
  // Pasted text may hold characters that would split the row in the data file.
  grid_.SetCell(index.row() + 1, index.column(), ReplaceFieldBreakers(ToStdString(value.toString())).text);
  emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
  emit cellEdited();
  return true;
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= kGridColumns) return {};
  if (role == Qt::DisplayRole) return ToQString(grid_.Cell(0, section));
  if (role == Qt::TextAlignmentRole) return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
  return {};
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  if (index.column() == 0) return Qt::ItemIsEnabled;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

void GridModel::RowChanged(int storeRow) {
  const int row = storeRow - 1;
  if (row < 0 || row >= shownRows_) return;
  emit dataChanged(index(row, 0), index(row, kGridColumns - 1));
}

void GridModel::AllChanged() {
  if (shownRows_ > 0) emit dataChanged(index(0, 0), index(shownRows_ - 1, kGridColumns - 1));
  emit headerDataChanged(Qt::Horizontal, 0, kGridColumns - 1);
}

void GridModel::SyncRowCount() {
  const int wanted = grid_.RowCount() - 1;
  if (wanted > shownRows_) {
    beginInsertRows({}, shownRows_, wanted - 1);
    shownRows_ = wanted;
    endInsertRows();
  } else if (wanted < shownRows_) {
    beginRemoveRows({}, wanted, shownRows_ - 1);
    shownRows_ = wanted;
    endRemoveRows();
  }
}

GridView::GridView(QWidget* parent) : QTableView(parent) {
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                  QAbstractItemView::EditKeyPressed);
  setTabKeyNavigation(true);
  setShowGrid(true);
  setWordWrap(false);
  // Texts wider than their column are cut at its edge, never shortened with an ellipsis.
  setTextElideMode(Qt::ElideNone);
  setCornerButtonEnabled(false);
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(ResultsGrid::kRowHeight);
  verticalHeader()->setMinimumSectionSize(ResultsGrid::kRowHeight);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  horizontalHeader()->setFixedHeight(ResultsGrid::kRowHeight);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setSectionsClickable(false);
  horizontalHeader()->setMinimumSectionSize(ResultsGrid::kNumberWidth);
  horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void GridView::SyncRowCountQuietly(GridModel& gridModel) {
  quiet_ = true;
  const QModelIndex current = currentIndex();
  const int last = gridModel.RowsWanted() - 1;
  if (current.isValid() && current.row() > last && last >= 0) {
    selectionModel()->setCurrentIndex(gridModel.index(last, current.column()), QItemSelectionModel::ClearAndSelect);
  }
  gridModel.SyncRowCount();
  quiet_ = false;
}

void GridView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTableView::currentChanged(current, previous);
  if (quiet_ || !current.isValid() || current.column() == 0) return;
  refused_ = false;
  emit cellSelected(current.row() + 1);
  if (!refused_) return;
  refused_ = false;
  returnTo_ = previous;
  returnPending_ = true;
  // Inside a click or a key the view goes on to select the new cell after this; the previous
  // one comes back once it is done.
  if (handlingInput_ == 0) ReturnToRefusedSelection();
}

template <typename Handle>
void GridView::Handling(Handle handle) {
  ++handlingInput_;
  handle();
  --handlingInput_;
  if (handlingInput_ == 0) ReturnToRefusedSelection();
}

void GridView::ReturnToRefusedSelection() {
  if (!returnPending_) return;
  returnPending_ = false;
  quiet_ = true;
  if (returnTo_.isValid()) {
    selectionModel()->setCurrentIndex(returnTo_, QItemSelectionModel::ClearAndSelect);
  } else {
    selectionModel()->clear();
  }
  quiet_ = false;
}

void GridView::focusInEvent(QFocusEvent* event) {
  // Focus coming to the grid may make its first cell current; that is no selection by the user.
  quiet_ = true;
  QTableView::focusInEvent(event);
  quiet_ = false;
}

void GridView::keyPressEvent(QKeyEvent* event) {
  Handling([&] { QTableView::keyPressEvent(event); });
}

void GridView::mousePressEvent(QMouseEvent* event) {
  // The right button opens the popup menu: it neither moves the selection nor shows a sample.
  if (event->button() == Qt::RightButton) {
    event->accept();
    return;
  }
  const QModelIndex before = currentIndex();
  Handling([&] { QTableView::mousePressEvent(event); });
  // A click on the cell that is already selected selects it again: it shows its sample again.
  const QModelIndex at = indexAt(event->position().toPoint());
  if (at.isValid() && at == before && at.column() > 0 && event->button() == Qt::LeftButton) {
    emit cellSelected(at.row() + 1);
    refused_ = false;  // the cell was selected before: it stays
  }
}

void GridView::mouseMoveEvent(QMouseEvent* event) {
  Handling([&] { QTableView::mouseMoveEvent(event); });
}

void GridView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    event->accept();
    return;
  }
  Handling([&] { QTableView::mouseReleaseEvent(event); });
}

}  // namespace tintavis
