#include "gui/gridview.h"

#include <QApplication>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPalette>

#include "gui/qtglue.h"

namespace tintavis {

GridModel::GridModel(SampleStore& store, char separator, QObject* parent)
    : QAbstractTableModel(parent), store_(store), separator_(separator), shownRows_(store.RowCount() - 1) {
  editedFont_.setItalic(true);
}

int GridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : shownRows_; }

int GridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kGridColumns; }

QVariant GridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= shownRows_ || index.column() >= kGridColumns) return {};
  const int row = index.row() + 1;
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return ToQString(store_.Cell(row, index.column()));
    case Qt::BackgroundRole:
      if (index.column() == 0) return QApplication::palette().button();
      return {};
    case Qt::TextAlignmentRole:
      return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::FontRole:
      if (store_.HoldsSample(row) && store_.Sample(row).edited) return editedFont_;
      return {};
    case Qt::ToolTipRole: {
      if (!store_.HoldsSample(row)) return {};
      QStringList lines;
      for (const std::string& line : SampleDetails(store_.Sample(row), language_)) lines << ToQString(line);
      return lines.join('\n');
    }
    default:
      return {};
  }
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !index.isValid() || index.column() == 0 || index.row() >= shownRows_) return false;
  const int row = index.row() + 1;
  const CellEdit edit = store_.CheckEdit(row, index.column(), ToStdString(value.toString()), separator_, language_);
  if (!edit.accepted) {
    if (!edit.refusal.text.empty()) emit editRefused(ToQString(edit.refusal.text));
    return false;
  }
  emit cellEditStarting();
  store_.ApplyEdit(row, index.column(), edit);
  // The whole row: its font and tooltip follow the edit.
  emit dataChanged(this->index(index.row(), 0), this->index(index.row(), kGridColumns - 1));
  emit cellEdited(row);
  return true;
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= kGridColumns) return {};
  if (role == Qt::DisplayRole) return ToQString(store_.Cell(0, section));
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
  const int wanted = store_.RowCount() - 1;
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
  // Columns widened by dragging may need the horizontal bar; at their first widths they fit.
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
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
  horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
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

bool GridView::SelectedBlock(Block& block) const {
  const QModelIndexList selected = selectionModel()->selectedIndexes();
  if (selected.isEmpty()) return false;
  block = {selected.first().row() + 1, selected.first().row() + 1, selected.first().column(), selected.first().column()};
  for (const QModelIndex& i : selected) {
    block.firstRow = std::min(block.firstRow, i.row() + 1);
    block.lastRow = std::max(block.lastRow, i.row() + 1);
    block.firstColumn = std::min(block.firstColumn, i.column());
    block.lastColumn = std::max(block.lastColumn, i.column());
  }
  return true;
}

void GridView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTableView::currentChanged(current, previous);
  if (quiet_ || !current.isValid() || current.column() == 0) return;
  emit cellSelected(current.row() + 1);
}

void GridView::focusInEvent(QFocusEvent* event) {
  // Focus coming to the grid may make its first cell current; that is no selection by the user.
  quiet_ = true;
  QTableView::focusInEvent(event);
  quiet_ = false;
}

void GridView::keyPressEvent(QKeyEvent* event) {
  // While a cell is being edited its editor has the keys; here they act on the selection.
  if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
    emit deleteRequested();
    event->accept();
    return;
  }
  if (event->matches(QKeySequence::Copy)) {
    emit copyRequested();
    event->accept();
    return;
  }
  QTableView::keyPressEvent(event);
}

void GridView::mousePressEvent(QMouseEvent* event) {
  // The right button opens the popup menu: it neither moves the selection nor shows a sample.
  if (event->button() == Qt::RightButton) {
    event->accept();
    return;
  }
  const QModelIndex before = currentIndex();
  QTableView::mousePressEvent(event);
  // A click on the cell that is already selected selects it again: it shows its sample again.
  const QModelIndex at = indexAt(event->position().toPoint());
  if (at.isValid() && at == before && at.column() > 0 && event->button() == Qt::LeftButton) emit cellSelected(at.row() + 1);
}

void GridView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    event->accept();
    return;
  }
  QTableView::mouseReleaseEvent(event);
}

}  // namespace tintavis
