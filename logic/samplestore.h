// The results grid's contents as the program keeps them: up to 50 stored samples in rows 1 to N,
// and what the grid shows beyond them (the header row, the row numbers and any text typed into
// a row that holds no sample). Every view (the grid, saving, printing, colour differences)
// reads the rows from here; the numbers behind a row never come from its texts.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "logic/calculation.h"
#include "logic/resultsgrid.h"
#include "logic/storedsample.h"

namespace tintavis {

// What an edit of one cell comes to: the text the cell takes and, in a value cell, the number
// behind it (none for "--"), or the reason it was refused, for the error display.
struct CellEdit {
  bool accepted = false;
  std::string text;
  std::optional<double> value;
  Message refusal;
};

class SampleStore {
 public:
  static constexpr int kStoredRows = ResultsGrid::kStoredRows;  // header and 50 sample rows
  static constexpr int kStartRows = ResultsGrid::kStartRows;    // rows shown at start, header included

  // Everything the store holds, as one value: what undo puts back.
  struct State {
    std::array<std::string, kGridColumns> header;
    std::vector<StoredSample> samples;  // rows 1 to N
    // Columns 1 to 11 of the rows without a sample, by row (entries 1 to N stay empty).
    std::array<SampleRecord, kStoredRows> loose;
    int rowCount = kStartRows;
  };

  SampleStore();

  int SampleCount() const { return static_cast<int>(state_.samples.size()); }
  bool Full() const { return SampleCount() >= kMaxSamples; }
  // The row the next calculation writes, 1 to 50 (50 also once the grid is full).
  int NextRow() const { return Full() ? kMaxSamples : SampleCount() + 1; }
  bool HoldsSample(int row) const { return row >= 1 && row <= SampleCount(); }
  // Row 1 to SampleCount().
  const StoredSample& Sample(int row) const { return state_.samples.at(static_cast<std::size_t>(row) - 1); }
  const std::vector<StoredSample>& Samples() const { return state_.samples; }

  // The text of any cell of rows 0 to 50; empty outside them.
  const std::string& Cell(int row, int column) const;
  // Rows shown, header included: 13 to 51.
  int RowCount() const { return state_.rowCount; }

  void SetHeaderCell(int column, std::string text);

  // A new sample in row NextRow(); the grid grows to show it and the row after it (at most 51
  // rows). Returns the row written, or 0 when the grid already holds 50 samples.
  int Append(StoredSample sample);
  // "Nuevo" and "Borrar todo": no samples, 13 rows, the Spanish header; text typed into the rows
  // after NextRow survives.
  void Clear();
  // "Abrir": cleared, then rows 1 to N (at most 50) filled; the rows shown follow the file's
  // lines, and text typed below a short file goes with the old grid.
  void Load(std::vector<StoredSample> samples);
  // The samples of rows `first` to `last` removed, the rows below moving up; typed text in those
  // rows without a sample emptied. False when nothing changed.
  bool RemoveRows(int first, int last);

  // Whether `text` may replace cell (row, column): any name (the characters that would split a
  // data-file row become blanks); in a value column a number with either decimal separator
  // (kept with `separator`), or "--" under Intensity and Tonality; an empty text only in a row
  // without a sample.
  CellEdit CheckEdit(int row, int column, std::string_view text, char separator, Language language) const;
  // An accepted edit: the cell's text and, in a sample's value column, its number; the sample is
  // then marked as edited by hand.
  void ApplyEdit(int row, int column, const CellEdit& edit);

  // Rows 0 to 50 as the data file and the printed report take them.
  ResultsGrid Texts() const;

  const State& Snapshot() const { return state_; }
  void Restore(State state) { state_ = std::move(state); }

 private:
  State state_;
};

// The texts of a calculated row with everything behind it: its inputs as parsed and as typed,
// its values at full precision and the moment of calculation.
StoredSample CalculatedSample(const RowWritten& row, const SampleForm& form, char separator,
                              std::chrono::system_clock::time_point at);

// A row read from a data file: its texts and the numbers the file held (none when unknown).
StoredSample OpenedSample(SampleRecord cells, RowValues values = {});

// What the row's tooltip and its "Detalles" window show, one line each: the wine type, both path
// lengths, the four absorbances as typed, the time of calculation, where the row came from, and
// whether it was edited by hand. Rows without inputs say so.
std::vector<std::string> SampleDetails(const StoredSample& sample, Language language);

// The selected block as TAB-separated lines with the columns' headings first: rows `firstRow`
// to `lastRow`, columns `firstColumn` to `lastColumn` of the grid, as the cells show them.
std::string BlockText(const SampleStore& store, int firstRow, int lastRow, int firstColumn, int lastColumn);

}  // namespace tintavis
