#include "logic/sampleworkflow.h"

#include <algorithm>
#include <optional>

#include "logic/messages.h"
#include "logic/textrules.h"

namespace tintavis {

void ApplyRowWritten(const RowWritten& row, char separator, SampleSession& session, WorkflowView& view) {
  session.grid.WriteRecord(row.row, FormatResultRow(row.name, row.colour, row.wine, separator));
  view.ShowRow(row.row);
  view.PlotAbLabel(row.row, row.colour.a, row.colour.b);
  view.PlotLLabel(row.row, row.colour.L);
  view.SetSwatch(DisplayColour(row.colour.X, row.colour.Y, row.colour.Z));
  session.nextRow = row.nextRow;
  session.nextOrderNumber = row.nextOrderNumber;
  session.unsavedSamples = true;
  if (row.limitNotice) {
    session.limitReached = true;
    view.ShowMessage(*row.limitNotice);
  }
  session.grid.GrowFor(session.nextRow);
  view.ShowRowCount(session.grid.RowCount());
}

void ClearAll(SampleSession& session, WorkflowView& view) {
  view.ResetNumbering();
  // Rows after NextRow keep what the user may have typed there.
  session.grid.EmptySampleCells(1, session.nextRow);
  view.EmptyInputFields();
  session.nextRow = 1;
  session.unsavedSamples = false;
  view.FocusNameField();
  session.grid.SetRowCount(ResultsGrid::kStartRows);
  view.ShowRowCount(session.grid.RowCount());
  // The start-up set-up again: counters, Spanish header, row numbers, empty charts.
  session.nextRow = 1;
  session.nextOrderNumber = 1;
  session.limitReached = false;
  session.grid.WriteHeaderAndNumbers();
  view.ShowAllCells();
  view.DrawEmptyCharts();
}

void LoadSamples(const std::vector<SampleRecord>& rows, bool moreThanFifty, Language language, SampleSession& session,
                 WorkflowView& view) {
  ClearAll(session, view);
  const int samples = static_cast<int>(std::min<std::size_t>(rows.size(), kMaxSamples));
  for (int r = 1; r <= samples; ++r) session.grid.WriteRecord(r, rows[r - 1]);
  if (samples == kMaxSamples) {
    session.nextRow = kMaxSamples;
    session.limitReached = true;
  } else {
    session.nextRow = samples + 1;
  }
  // Lines of the file, header included.
  const int lines = samples + 1;
  if (lines <= ResultsGrid::kStartRows - 1) {
    // Text typed into the rows below the samples goes with the old grid.
    session.grid.EmptySampleCells(lines, ResultsGrid::kStartRows);
    session.grid.SetRowCount(ResultsGrid::kStartRows);
  } else {
    session.grid.SetRowCount(lines >= kMaxSamples ? ResultsGrid::kStoredRows : lines);
  }
  view.ShowAllCells();
  view.ShowRowCount(session.grid.RowCount());
  if (moreThanFifty) view.ShowMessage({MessageDisplay::Prompt, std::string(messages::kSampleLimit.In(language))});
}

void LoadComputedSamples(const std::vector<ComputedSample>& samples, Language language, SampleSession& session,
                         WorkflowView& view) {
  const std::size_t n = std::min<std::size_t>(samples.size(), kMaxSamples);
  std::vector<SampleRecord> rows;
  rows.reserve(n);
  for (std::size_t i = 0; i < n; ++i) rows.push_back(samples[i].record);
  LoadSamples(rows, false, language, session, view);
  for (std::size_t i = 0; i < n; ++i) {
    const ColourResult& c = samples[i].colour;
    const int row = static_cast<int>(i) + 1;
    view.PlotAbLabel(row, c.a, c.b);
    view.PlotLLabel(row, c.L);
  }
  if (n > 0) {
    const ColourResult& last = samples[n - 1].colour;
    view.SetSwatch(DisplayColour(last.X, last.Y, last.Z));
  }
  session.unsavedSamples = n > 0;
}

namespace {

// One cell as a number, or the error display's message for it.
std::optional<double> CellValue(const ResultsGrid& grid, int row, int column, char separator, WorkflowView& view) {
  const std::string& text = grid.Cell(row, column);
  const RealParse parsed = ParseReal(text, separator);
  if (parsed.ok()) return parsed.value;
  const std::string message =
      parsed.status == RealParse::Status::Overflow ? std::string(FaultText(ComputeFailure::Overflow)) : InvalidFloatMessage(text);
  view.ShowMessage({MessageDisplay::ErrorDisplay, WithFullStop(message)});
  return std::nullopt;
}

}  // namespace

bool RedisplayRow(int row, char separator, SampleSession& session, WorkflowView& view) {
  // Number texts written with the other separator (a file, typing) are converted in place; the
  // name is the user's text and never changes here.
  bool changed = false;
  for (int c = kFirstValueColumn; c < kGridColumns; ++c) {
    const std::string& text = session.grid.Cell(row, c);
    std::string swapped = SwapSeparator(text, separator);
    if (swapped != text) {
      session.grid.SetCell(row, c, std::move(swapped));
      changed = true;
    }
  }
  if (changed) view.ShowRow(row);

  const auto X = CellValue(session.grid, row, kXColumn, separator, view);
  if (!X) return false;
  const auto Y = CellValue(session.grid, row, kYColumn, separator, view);
  if (!Y) return false;
  const auto Z = CellValue(session.grid, row, kZColumn, separator, view);
  if (!Z) return false;
  view.SetSwatch(DisplayColour(*X, *Y, *Z));

  if (row >= session.nextRow) return true;
  const auto b = CellValue(session.grid, row, kBColumn, separator, view);
  if (!b) return false;
  const auto a = CellValue(session.grid, row, kAColumn, separator, view);
  if (!a) return false;
  view.PlotAbLabel(row, *a, *b);
  const auto L = CellValue(session.grid, row, kLColumn, separator, view);
  if (!L) return false;
  view.PlotLLabel(row, *L);
  return true;
}

}  // namespace tintavis
