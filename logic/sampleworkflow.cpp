#include "logic/sampleworkflow.h"

#include <algorithm>

#include "logic/messages.h"

namespace tintavis {

void ApplyRowWritten(const RowWritten& row, StoredSample sample, SampleSession& session, WorkflowView& view) {
  const int written = session.store.Append(std::move(sample));
  if (written == 0) return;
  view.ShowRow(written);
  view.PlotAbLabel(written, row.colour.a, row.colour.b);
  view.PlotLLabel(written, row.colour.L);
  view.SetSwatch(DisplayColour(row.colour.X, row.colour.Y, row.colour.Z));
  session.nextOrderNumber = row.nextOrderNumber;
  if (row.limitNotice) view.ShowMessage(*row.limitNotice);
  view.ShowRowCount(session.store.RowCount());
}

void ClearAll(SampleSession& session, WorkflowView& view) {
  view.ResetNumbering();
  session.store.Clear();
  view.EmptyInputFields();
  view.FocusNameField();
  view.ShowRowCount(session.store.RowCount());
  // The start-up set-up again: counters, Spanish header, row numbers, empty charts.
  session.nextOrderNumber = 1;
  session.failedRedisplayRow = 0;
  view.ShowAllCells();
  view.DrawEmptyCharts();
}

void LoadSamples(std::vector<StoredSample> rows, bool moreThanFifty, Language language, SampleSession& session,
                 WorkflowView& view) {
  ClearAll(session, view);
  session.store.Load(std::move(rows));
  view.ShowAllCells();
  view.ShowRowCount(session.store.RowCount());
  if (moreThanFifty) view.ShowMessage({MessageDisplay::Prompt, std::string(messages::kSampleLimit.In(language))});
}

void LoadComputedSamples(const std::vector<ComputedSample>& samples, Language language, SampleSession& session,
                         WorkflowView& view) {
  const std::size_t n = std::min<std::size_t>(samples.size(), kMaxSamples);
  std::vector<StoredSample> rows;
  rows.reserve(n);
  for (std::size_t i = 0; i < n; ++i) {
    StoredSample s;
    s.cells = samples[i].record;
    s.origin = SampleOrigin::FromSpectrum;
    s.values = samples[i].values;
    s.input = samples[i].input;
    rows.push_back(std::move(s));
  }
  LoadSamples(std::move(rows), false, language, session, view);
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
}

void RedisplayRow(int row, SampleSession& session, WorkflowView& view) {
  if (!session.store.HoldsSample(row)) {
    session.failedRedisplayRow = 0;
    return;
  }
  const StoredSample& sample = session.store.Sample(row);
  // The first number the row lacks, in the order the redisplay takes them, stops it.
  const bool plotted = row < session.NextRow();
  const std::array<int, 6> order = {kXColumn, kYColumn, kZColumn, kBColumn, kAColumn, kLColumn};
  for (std::size_t k = 0; k < (plotted ? order.size() : 3); ++k) {
    const int column = order[k];
    if (sample.values[static_cast<std::size_t>(column - kFirstValueColumn)]) continue;
    // Everything up to the missing number is shown; its message comes once per row selected.
    if (k >= 3) {
      const auto& v = sample.values;
      view.SetSwatch(DisplayColour(*v[0], *v[1], *v[2]));
    }
    if (k > 4) view.PlotAbLabel(row, *sample.values[kAColumn - kFirstValueColumn], *sample.values[kBColumn - kFirstValueColumn]);
    if (session.failedRedisplayRow != row) {
      view.ShowMessage({MessageDisplay::ErrorDisplay, WithFullStop(InvalidFloatMessage(sample.cells[static_cast<std::size_t>(column) - 1]))});
    }
    session.failedRedisplayRow = row;
    return;
  }
  session.failedRedisplayRow = 0;
  const RowValues& v = sample.values;
  view.SetSwatch(DisplayColour(*v[0], *v[1], *v[2]));
  if (!plotted) return;
  view.PlotAbLabel(row, *v[kAColumn - kFirstValueColumn], *v[kBColumn - kFirstValueColumn]);
  view.PlotLLabel(row, *v[kLColumn - kFirstValueColumn]);
}

void RedrawCharts(const SampleSession& session, WorkflowView& view) {
  view.DrawEmptyCharts();
  for (int row = 1; row <= session.SampleCount(); ++row) {
    const RowValues& v = session.store.Sample(row).values;
    const auto& a = v[kAColumn - kFirstValueColumn];
    const auto& b = v[kBColumn - kFirstValueColumn];
    const auto& L = v[kLColumn - kFirstValueColumn];
    if (a && b) view.PlotAbLabel(row, *a, *b);
    if (L) view.PlotLLabel(row, *L);
  }
}

}  // namespace tintavis
