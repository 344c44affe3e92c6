// The results grid on screen: a table model over the session's cell store and a view that tells
// a selection made by the user from one the program makes.
#pragma once

#include <QAbstractTableModel>
#include <QTableView>

#include "logic/resultsgrid.h"

namespace tintavis {

// Row 0 of the store is the header; view row i shows store row i + 1. Column 0 (row numbers)
// is fixed: shown on the face colour, never selected or edited.
class GridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit GridModel(ResultsGrid& grid, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // The store changed underneath: one row, every cell, or the number of rows shown.
  void RowChanged(int storeRow);
  void AllChanged();
  void SyncRowCount();
  int RowsWanted() const { return grid_.RowCount() - 1; }

 signals:
  // The user changed a cell's text.
  void cellEdited();

 private:
  ResultsGrid& grid_;
  int shownRows_;  // data rows the view knows of
};

class GridView : public QTableView {
  Q_OBJECT

 public:
  explicit GridView(QWidget* parent = nullptr);

  // Shows the model's new number of rows. A current cell below the last row moves up into it,
  // and none of this counts as a selection by the user.
  void SyncRowCountQuietly(GridModel& model);

  // Called while cellSelected is handled: the cell may not stay selected. The cell selected
  // before becomes the selected cell again, without counting as a selection by the user, as
  // soon as the click or key that moved the selection has been handled.
  void RefuseSelection() { refused_ = true; }

 signals:
  // The user made a cell of store row `row` the selected cell (mouse or keyboard).
  void cellSelected(int row);

 protected:
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  void focusInEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  // Runs the view's own handling of an input event, then puts back a refused selection.
  template <typename Handle>
  void Handling(Handle handle);
  void ReturnToRefusedSelection();

  bool quiet_ = false;
  bool refused_ = false;
  int handlingInput_ = 0;  // depth of the view's own input handlers under way
  bool returnPending_ = false;
  QPersistentModelIndex returnTo_;
};

}  // namespace tintavis
