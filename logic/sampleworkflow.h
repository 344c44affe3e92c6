// The main window's sample bookkeeping without the window: applying a calculated row, clearing
// everything, and showing a row again when the user selects it. Each runs its steps in a fixed
// order through a WorkflowView, which the window implements and tests record.
#pragma once

#include <cstdint>
#include <vector>

#include "logic/calculation.h"
#include "logic/resultsgrid.h"
#include "core/displaycolour.h"

namespace tintavis {

// What the window shows of the samples: the grid's cells, the counters, the 50-sample state.
struct SampleSession {
  ResultsGrid grid;
  int nextRow = 1;                  // the row the next calculation writes, 1 to 50
  std::int32_t nextOrderNumber = 1;  // appended to the next name while numbering is on
  bool limitReached = false;        // row 50 holds a sample
  // A sample was calculated, or a cell edited, since the grid was last saved, opened or
  // cleared: such a grid is not thrown away without asking.
  bool unsavedSamples = false;

  // Samples in the grid: rows 1 to NextRow - 1, and row 50 once the limit has been reached.
  int SampleCount() const { return limitReached ? kMaxSamples : nextRow - 1; }
  CalculationCounters Counters() const { return {nextRow, nextOrderNumber}; }
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

// A calculated row: its cells, its labels on both charts, the swatch from the unrounded X, Y, Z,
// the new counters, the 50-sample prompt when due, then the grid's growth.
void ApplyRowWritten(const RowWritten& row, char separator, SampleSession& session, WorkflowView& view);

// "Nuevo" and "Borrar todo": everything back to the start except the language, the wine type
// and the swatch.
void ClearAll(SampleSession& session, WorkflowView& view);

// "Abrir", once the whole file has been read and found good: everything cleared, then rows 1 to
// N filled; NextRow follows the last row read, with the 50-sample limit reached when the file
// held 50 samples or more; a file of more than 50 samples is announced by the 50-sample prompt.
void LoadSamples(const std::vector<SampleRecord>& rows, bool moreThanFifty, Language language, SampleSession& session,
                 WorkflowView& view);

// A sample whose values were computed outside the window (from a measured spectrum): its row's
// texts and the values behind them.
struct ComputedSample {
  SampleRecord record;
  ColourResult colour;
};

// Spectra put in the grid: as "Abrir" loads rows 1 to N (at most 50), then each row's labels on
// both charts in row order and the swatch of the last, as if they had been calculated; the grid
// holds unsaved samples.
void LoadComputedSamples(const std::vector<ComputedSample>& samples, Language language, SampleSession& session,
                         WorkflowView& view);

// A cell of `row` was selected by the user: separators swapped in place, the swatch from the
// row's X, Y, Z texts and, for rows below NextRow, the labels drawn again. A text that does not
// convert stops it with the error display; what was done before stays. False after such a
// failure, when the selection is not to move to the row.
bool RedisplayRow(int row, char separator, SampleSession& session, WorkflowView& view);

}  // namespace tintavis
