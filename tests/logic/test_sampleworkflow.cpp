#include "logic/sampleworkflow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/sampleforms.h"

namespace {

using tintavis::Language;
using tintavis::CalculateSample;
using tintavis::Message;
using tintavis::MessageDisplay;
using tintavis::ResultsGrid;
using tintavis::RowWritten;
using tintavis::SampleForm;
using tintavis::SampleSession;
using tintavis::SwatchColour;

// Records every step the workflow asks of the window, in order.
class RecordingView : public tintavis::WorkflowView {
 public:
  std::vector<std::string> steps;
  std::vector<Message> messages;
  SwatchColour swatch;

  void ShowRow(int row) override { steps.push_back("row " + std::to_string(row)); }
  void ShowAllCells() override { steps.push_back("all cells"); }
  void ShowRowCount(int rows) override { steps.push_back("rows " + std::to_string(rows)); }
  void PlotAbLabel(int row, double a, double b) override {
    steps.push_back("ab " + std::to_string(row) + " " + Fixed(a) + " " + Fixed(b));
  }
  void PlotLLabel(int row, double L) override { steps.push_back("L " + std::to_string(row) + " " + Fixed(L)); }
  void DrawEmptyCharts() override { steps.push_back("empty charts"); }
  void SetSwatch(SwatchColour colour) override {
    swatch = colour;
    steps.push_back("swatch " + std::to_string(colour.red) + "," + std::to_string(colour.green) + "," +
                    std::to_string(colour.blue));
  }
  void ShowMessage(const Message& message) override {
    messages.push_back(message);
    steps.push_back("message");
  }
  void ResetNumbering() override { steps.push_back("reset numbering"); }
  void EmptyInputFields() override { steps.push_back("empty fields"); }
  void FocusNameField() override { steps.push_back("focus name"); }

 private:
  static std::string Fixed(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.3f", v);
    return buf;
  }
};

SampleForm Red() { return tintavis::testing::RedReferenceForm(); }

// One "Calcular" as the window runs it.
void Calculate(SampleSession& session, RecordingView& view, const SampleForm& form = Red()) {
  const auto outcome = CalculateSample(form, session.Counters(), '.', Language::Spanish);
  ASSERT_TRUE(std::holds_alternative<RowWritten>(outcome));
  const auto& row = std::get<RowWritten>(outcome);
  tintavis::ApplyRowWritten(row, tintavis::CalculatedSample(row, form, '.', std::chrono::system_clock::now()), session,
                            view);
}

TEST(ApplyRowWritten, WritesCellsThenLabelsThenSwatchThenGrowth) {
  SampleSession session;
  RecordingView view;
  Calculate(session, view);
  const std::vector<std::string> expected = {"row 1", "ab 1 41.237 15.308", "L 1 11.978", "swatch 93,21,28", "rows 13"};
  EXPECT_EQ(view.steps, expected);
  EXPECT_EQ(session.store.Cell(1, 1), "M ");
  EXPECT_EQ(session.store.Cell(1, 2), "3.213");
  EXPECT_EQ(session.store.Cell(1, 11), "0.533");
  EXPECT_EQ(session.NextRow(), 2);
  EXPECT_EQ(session.nextOrderNumber, 2);
  EXPECT_EQ(session.SampleCount(), 1);
}

TEST(ApplyRowWritten, GrowsTheGridFromTheThirteenthSampleAndStopsAtFiftyOneRows) {
  SampleSession session;
  RecordingView view;
  for (int i = 1; i <= 12; ++i) Calculate(session, view);
  EXPECT_EQ(session.store.RowCount(), 13);
  Calculate(session, view);
  EXPECT_EQ(session.store.RowCount(), 14);
  EXPECT_EQ(session.store.Cell(13, 1), "M ");
  for (int i = 14; i <= 49; ++i) Calculate(session, view);
  EXPECT_EQ(session.store.RowCount(), 50);
  EXPECT_TRUE(view.messages.empty());

  Calculate(session, view);  // the fiftieth
  EXPECT_EQ(session.store.RowCount(), 51);
  EXPECT_EQ(session.NextRow(), 50);
  EXPECT_TRUE(session.LimitReached());
  EXPECT_EQ(session.SampleCount(), 50);
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(view.messages[0].text, "Numero máximo de muestras = 50");
  // The prompt comes after the swatch and before the growth.
  const std::vector<std::string> tail(view.steps.end() - 3, view.steps.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"swatch 93,21,28", "message", "rows 51"}));

  // A 51st is refused before anything is written: no sample is replaced.
  SampleForm other = Red();
  other.name = "Otro";
  const auto outcome = CalculateSample(other, session.Counters(), '.', Language::English);
  ASSERT_TRUE(std::holds_alternative<tintavis::GridFull>(outcome));
  EXPECT_EQ(std::get<tintavis::GridFull>(outcome).message.text,
            "Maximum number of samples = 50\nThe grid is full: save the samples and start a new grid with \"New\".");
  EXPECT_EQ(session.store.Cell(50, 1), "M ");
}

TEST(ClearAll, EmptiesSamplesAndFieldsInOrderAndKeepsTextTypedBelow) {
  SampleSession session;
  RecordingView view;
  for (int i = 1; i <= 20; ++i) Calculate(session, view);
  session.store.ApplyEdit(30, 4, session.store.CheckEdit(30, 4, "7.5", '.', Language::Spanish));
  session.store.SetHeaderCell(1, "    Sample");
  view.steps.clear();

  tintavis::ClearAll(session, view);
  const std::vector<std::string> expected = {"reset numbering", "empty fields", "focus name", "rows 13", "all cells",
                                             "empty charts"};
  EXPECT_EQ(view.steps, expected);
  for (int r = 1; r <= 21; ++r) {
    for (int c = 1; c < tintavis::kGridColumns; ++c) EXPECT_EQ(session.store.Cell(r, c), "") << r << "," << c;
  }
  EXPECT_EQ(session.store.Cell(30, 4), "7.5");
  EXPECT_EQ(session.store.Cell(0, 1), "   Muestra");
  EXPECT_EQ(session.store.Cell(50, 0), "50");
  EXPECT_EQ(session.store.RowCount(), 13);
  EXPECT_EQ(session.NextRow(), 1);
  EXPECT_EQ(session.nextOrderNumber, 1);
  EXPECT_EQ(session.SampleCount(), 0);
}

TEST(ClearAll, AfterTheLimitEmptiesRowFifty) {
  SampleSession session;
  RecordingView view;
  for (int i = 1; i <= 50; ++i) Calculate(session, view);
  tintavis::ClearAll(session, view);
  EXPECT_EQ(session.store.Cell(50, 1), "");
  EXPECT_FALSE(session.LimitReached());
}

TEST(LoadComputedSamples, LoadsTheRowsThenPlotsEachAsCalculated) {
  const auto outcome = CalculateSample(Red(), {}, '.', Language::Spanish);
  ASSERT_TRUE(std::holds_alternative<RowWritten>(outcome));
  const tintavis::ColourResult red = std::get<RowWritten>(outcome).colour;
  tintavis::ColourResult pale = red;
  pale.L = 80;
  pale.a = 5;
  pale.b = -2;
  SampleSession session;
  RecordingView view;
  tintavis::LoadComputedSamples({{{"Pálido "}, pale, tintavis::ValuesOf(pale, tintavis::WineType::RedRose), {}},
                                 {{"Tinto "}, red, tintavis::ValuesOf(red, tintavis::WineType::RedRose), {}}},
                                Language::Spanish, session, view);
  const std::vector<std::string> expected = {
      "reset numbering", "empty fields", "focus name",     "rows 13",           "all cells", "empty charts",
      "all cells",       "rows 13",      "ab 1 5.000 -2.000", "L 1 80.000",     "ab 2 41.237 15.308",
      "L 2 11.978",      "swatch 93,21,28"};
  EXPECT_EQ(view.steps, expected);
  EXPECT_EQ(session.store.Cell(1, 1), "Pálido ");
  EXPECT_EQ(session.NextRow(), 3);
  EXPECT_EQ(session.store.Sample(1).origin, tintavis::SampleOrigin::FromSpectrum);
  EXPECT_EQ(session.store.Sample(1).values[3], 80.0);
  tintavis::LoadComputedSamples({}, Language::Spanish, session, view);
  EXPECT_EQ(session.SampleCount(), 0);
}

TEST(RedisplayRow, SetsTheSwatchAndDrawsTheLabelsAgainFromTheFullValues) {
  SampleSession session;
  RecordingView view;
  for (int i = 1; i <= 5; ++i) Calculate(session, view);
  view.steps.clear();
  tintavis::RedisplayRow(3, session, view);
  // Not the rounded texts 15.31, 41.24 and 12.0: the values the calculation gave.
  const std::vector<std::string> expected = {"swatch 93,21,28", "ab 3 41.237 15.308", "L 3 11.978"};
  EXPECT_EQ(view.steps, expected);
}

TEST(RedisplayRow, AnEmptyRowShowsNothingAndSaysNothing) {
  SampleSession session;
  RecordingView view;
  Calculate(session, view);
  view.steps.clear();
  for (int row : {2, 4, 50}) tintavis::RedisplayRow(row, session, view);
  EXPECT_TRUE(view.steps.empty());
}

TEST(RedisplayRow, ARowWithoutNumbersSaysSoOncePerRowSelected) {
  SampleSession session;
  RecordingView view;
  Calculate(session, view);
  tintavis::SampleRecord cells = session.store.Sample(1).cells;
  cells[7] = "x";  // a* of a file written elsewhere
  tintavis::RowValues values = session.store.Sample(1).values;
  values[6] = std::nullopt;
  std::vector<tintavis::StoredSample> rows = {session.store.Sample(1), tintavis::OpenedSample(cells, values)};
  tintavis::LoadSamples(rows, false, Language::Spanish, session, view);
  view.steps.clear();
  tintavis::RedisplayRow(2, session, view);
  EXPECT_EQ(view.steps, (std::vector<std::string>{"swatch 93,21,28", "message"}));
  EXPECT_EQ(view.messages.back().text, "'x' is not a valid floating point value.");
  // Moving within the row (Tab, arrows, another click) says it no more.
  tintavis::RedisplayRow(2, session, view);
  EXPECT_EQ(view.messages.size(), 1u);
  // Another row in between: selecting the bad row again says it again.
  tintavis::RedisplayRow(1, session, view);
  tintavis::RedisplayRow(2, session, view);
  EXPECT_EQ(view.messages.size(), 2u);
}

TEST(RedisplayRow, RowFiftyOfAFullGridOnlySetsTheSwatch) {
  SampleSession session;
  RecordingView view;
  for (int i = 1; i <= 50; ++i) Calculate(session, view);
  view.steps.clear();
  tintavis::RedisplayRow(50, session, view);
  EXPECT_EQ(view.steps, (std::vector<std::string>{"swatch 93,21,28"}));
}

TEST(RedrawCharts, DrawsEveryRemainingSampleInRowOrder) {
  SampleSession session;
  RecordingView view;
  Calculate(session, view);
  Calculate(session, view);
  Calculate(session, view);
  session.store.RemoveRows(1, 1);
  view.steps.clear();
  tintavis::RedrawCharts(session, view);
  const std::vector<std::string> expected = {"empty charts", "ab 1 41.237 15.308", "L 1 11.978", "ab 2 41.237 15.308",
                                             "L 2 11.978"};
  EXPECT_EQ(view.steps, expected);
}

TEST(ResultsGrid, StartsWithHeaderAndNumbersAndIgnoresCellsOutsideTheStore) {
  ResultsGrid grid;
  EXPECT_EQ(grid.RowCount(), 13);
  EXPECT_EQ(grid.Cell(0, 0), "nº");
  EXPECT_EQ(grid.Cell(0, 1), "   Muestra");
  EXPECT_EQ(grid.Cell(0, 2), "     X");
  EXPECT_EQ(grid.Cell(0, 10), "   Int.");
  EXPECT_EQ(grid.Cell(0, 11), "  Ton.");
  EXPECT_EQ(grid.Cell(1, 0), "1");
  EXPECT_EQ(grid.Cell(50, 0), "50");
  grid.SetCell(51, 1, "x");
  grid.SetCell(-1, 1, "x");
  grid.SetCell(1, 12, "x");
  EXPECT_EQ(grid.Cell(51, 1), "");
  EXPECT_EQ(grid.Cell(1, 12), "");
  grid.SetRowCount(99);
  EXPECT_EQ(grid.RowCount(), 51);
  grid.SetRowCount(2);
  EXPECT_EQ(grid.RowCount(), 13);
}

}  // namespace
