// The results grid on screen: a table model over the session's sample store and a view that
// tells a selection made by the user from one the program makes.
#pragma once

#include <QAbstractTableModel>
#include <QFont>
#include <QTableView>

#include "logic/samplestore.h"

namespace tintavis {

// Row 0 of the store is the header; view row i shows store row i + 1. Column 0 (row numbers)
// is fixed: shown on the face colour, never selected or edited. A row edited by hand shows in
// italics; every sample row's tooltip gives its inputs.
class GridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  GridModel(SampleStore& store, char separator, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  // An edit the store accepts changes the cell; any other leaves it and says why.
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  void SetLanguage(Language language) { language_ = language; }
  void SetSeparator(char separator) { separator_ = separator; }
  void SetEditedFont(const QFont& font) { editedFont_ = font; }

  // The store changed underneath: one row, every cell, or the number of rows shown.
  void RowChanged(int storeRow);
  void AllChanged();
  void SyncRowCount();
  int RowsWanted() const { return store_.RowCount() - 1; }

 signals:
  // An accepted edit is about to change the store, and has changed it.
  void cellEditStarting();
  void cellEdited(int storeRow);
  // An edit the store refused, with the error display's text.
  void editRefused(const QString& message);

 private:
  SampleStore& store_;
  char separator_;
  Language language_ = Language::Spanish;
  QFont editedFont_;
  int shownRows_;  // data rows the view knows of
};

class GridView : public QTableView {
  Q_OBJECT

 public:
  explicit GridView(QWidget* parent = nullptr);

  // Shows the model's new number of rows. A current cell below the last row moves up into it,
  // and none of this counts as a selection by the user.
  void SyncRowCountQuietly(GridModel& model);

  // The store rows and grid columns of the selected block (rows of the block's first and last
  // cell); false when nothing is selected.
  struct Block {
    int firstRow = 0, lastRow = 0, firstColumn = 0, lastColumn = 0;
  };
  bool SelectedBlock(Block& block) const;

 signals:
  // The user made a cell of store row `row` the selected cell (mouse or keyboard).
  void cellSelected(int row);
  // Supr/Delete and Ctrl+C on the grid.
  void deleteRequested();
  void copyRequested();

 protected:
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  void focusInEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool quiet_ = false;
};

}  // namespace tintavis
