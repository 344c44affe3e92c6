// The main window's sample bookkeeping without the window: applying a calculated row, clearing
// everything, and showing a row again when the user selects it. Each runs its steps in a fixed
// order through a WorkflowView, which the window implements and tests record.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/displaycolour.h"
#include "logic/calculation.h"
#include "logic/samplestore.h"

namespace tintavis {

// What the window shows of the samples: the store under the grid and the counters.
struct SampleSession {
  SampleStore store;
  std::int32_t nextOrderNumber = 1;  // appended to the next name while numbering is on
  // The grid differs from the one last saved, opened or cleared: such a grid is not thrown away
  // without asking. The window's undo stack keeps it.
  bool unsavedSamples = false;
  // The row whose redisplay failure was shown last: moving within it shows it no more.
  int failedRedisplayRow = 0;

  // The row the next calculation writes, 1 to 50.
  int NextRow() const { return store.NextRow(); }
  // Row 50 holds a sample.
  bool LimitReached() const { return store.Full(); }
  int SampleCount() const { return store.SampleCount(); }
  CalculationCounters Counters() const { return {store.NextRow(), nextOrderNumber, store.Full()}; }
};

class WorkflowView {
 public:
  virtual ~WorkflowView() = default;

  // The texts of one row, or of the whole grid, changed in the session's store.
  virtual void ShowRow(int row) = 0;
  virtual void ShowAllCells() = 0;
  // The number of rows shown changed; a selected cell below them moves up without being
  // taken for a selection by the user.
  virtual void ShowRowCount(int rows) = 0;

  virtual void PlotAbLabel(int row, double a, double b) = 0;
  virtual void PlotLLabel(int row, double L) = 0;
  virtual void DrawEmptyCharts() = 0;
  virtual void SetSwatch(SwatchColour colour) = 0;

  virtual void ShowMessage(const Message& message) = 0;

  virtual void ResetNumbering() = 0;
  virtual void EmptyInputFields() = 0;
  virtual void FocusNameField() = 0;
};

// A calculated row, stored with its inputs: its cells, its labels on both charts, the swatch
// from the unrounded X, Y, Z, the new order number, the 50-sample prompt when due, then the
// grid's growth.
void ApplyRowWritten(const RowWritten& row, StoredSample sample, SampleSession& session, WorkflowView& view);

// "Nuevo" and "Borrar todo": everything back to the start except the language, the wine type
// and the swatch.
void ClearAll(SampleSession& session, WorkflowView& view);

// "Abrir", once the whole file has been read and found good: everything cleared, then rows 1 to
// N filled; NextRow follows the last row read, with the 50-sample limit reached when the file
// held 50 samples or more; a file of more than 50 samples is announced by the 50-sample prompt.
void LoadSamples(std::vector<StoredSample> rows, bool moreThanFifty, Language language, SampleSession& session,
                 WorkflowView& view);

// A sample whose values were computed outside the window (from a measured spectrum): its row's
// texts and the values behind them.
struct ComputedSample {
  SampleRecord record;
  ColourResult colour;
  RowValues values;  // as the row shows them: none where it shows "--"
  std::optional<SampleInput> input;  // wine type and path lengths, the absorbances at zero
};

// Spectra put in the grid: as "Abrir" loads rows 1 to N (at most 50), then each row's labels on
// both charts in row order and the swatch of the last, as if they had been calculated.
void LoadComputedSamples(const std::vector<ComputedSample>& samples, Language language, SampleSession& session,
                         WorkflowView& view);

// The user selected a cell of `row`: the swatch from the sample's X, Y, Z and, for rows below
// NextRow, its labels drawn again, all from the numbers the row keeps. A row without a sample
// shows nothing. A sample lacking one of those numbers (a file written elsewhere) shows the
// error display once, not again while the selection stays in its row.
void RedisplayRow(int row, SampleSession& session, WorkflowView& view);

// Both charts drawn empty and then every sample's labels in row order, as after the rows'
// calculations (rows opened from a file included): after rows were deleted or a change undone.
void RedrawCharts(const SampleSession& session, WorkflowView& view);

}  // namespace tintavis
