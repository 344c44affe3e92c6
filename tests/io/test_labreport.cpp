// The laboratory report's pages through a canvas that records every text, line and rectangle.
#include "io/labreport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "logic/conformity.h"
#include "logic/differencetable.h"
#include "logic/labreporttexts.h"
#include "logic/samplestore.h"
#include "tests/support/sampleforms.h"

namespace {

using namespace tintavis;

// An A4 page at 600 dpi inside the margins of the PDF page.
constexpr int kWidth = 4727;
constexpr int kHeight = 6850;
constexpr int kAdvance = 30;  // every character is this wide

struct Text {
  int x, y;
  std::string text;
  Rgb colour;
};
struct Rect {
  int x, y, w, h;
  Rgb colour;
};

class RecordingCanvas : public ReportCanvas {
 public:
  void DrawText(int x, int y, std::string_view utf8) override { texts.push_back({x, y, std::string(utf8), {}}); }
  void DrawLine(int, int, int, int) override { ++lines; }
  int TextWidth(std::string_view utf8) override {
    return kAdvance * static_cast<int>(std::count_if(utf8.begin(), utf8.end(), [](char c) { return (c & 0xC0) != 0x80; }));
  }
  void FillRect(int x, int y, int w, int h, Rgb colour) override { rects.push_back({x, y, w, h, colour}); }
  void DrawColouredLine(int, int, int, int, Rgb) override { ++colouredLines; }
  void DrawColouredText(int x, int y, std::string_view utf8, Rgb colour) override {
    texts.push_back({x, y, std::string(utf8), colour});
  }

  const Text* Find(std::string_view text) const {
    const auto it = std::find_if(texts.begin(), texts.end(), [&](const Text& t) { return t.text == text; });
    return it == texts.end() ? nullptr : &*it;
  }
  bool Has(std::string_view text) const { return Find(text) != nullptr; }

  std::vector<Text> texts;
  std::vector<Rect> rects;
  int lines = 0;
  int colouredLines = 0;
};

StoredSample Calculated(const SampleForm& form) {
  const CalculationOutcome outcome = CalculateSample(form, CalculationCounters{}, '.', Language::Spanish);
  return CalculatedSample(std::get<RowWritten>(outcome), form, '.', std::chrono::system_clock::time_point{});
}

LabReportContent ContentOf(std::vector<StoredSample> samples, Language language = Language::Spanish) {
  LabReportContent content;
  content.language = language;
  content.details.laboratory = "Enolab";
  content.details.operatorName = "Ana";
  content.details.instrument = "UV-1800";
  content.details.dataFile = "vinos.tin";
  content.details.moment = {"09/12/2026", "10:15:00", false};
  content.samples = std::move(samples);
  return content;
}

std::vector<RecordingCanvas> AllPages(const LabReportContent& content) {
  std::vector<RecordingCanvas> pages(static_cast<std::size_t>(LabReportPageCount(content, kWidth, kHeight)));
  for (std::size_t p = 0; p < pages.size(); ++p) PrintLabReport(pages[p], kWidth, kHeight, content, static_cast<int>(p));
  return pages;
}

TEST(LabReport, ManySamplesGoOverNumberedPagesEachWithTheHeading) {
  std::vector<StoredSample> samples;
  for (int i = 1; i <= 120; ++i) samples.push_back(Calculated(tintavis::testing::RedReferenceForm("m" + std::to_string(i))));
  const LabReportContent content = ContentOf(std::move(samples));
  const std::vector<RecordingCanvas> pages = AllPages(content);
  const LabReportGeometry g(kWidth, kHeight);
  const int tablePages = static_cast<int>(pages.size()) - 1;
  ASSERT_GT(tablePages, 1);
  EXPECT_LE(g.RowsOnPage(true) + (tablePages - 2) * g.RowsOnPage(false), 119);
  EXPECT_GE(g.RowsOnPage(true) + (tablePages - 1) * g.RowsOnPage(false), 120);

  int next = 1;  // every sample once, in order
  for (std::size_t p = 0; p < pages.size(); ++p) {
    const RecordingCanvas& page = pages[p];
    EXPECT_TRUE(page.Has("Página " + std::to_string(p + 1) + "/" + std::to_string(pages.size()))) << p;
    EXPECT_TRUE(page.Has("Laboratorio: Enolab")) << p;
    EXPECT_EQ(std::any_of(page.texts.begin(), page.texts.end(),
                          [](const Text& t) { return t.text.starts_with("Método: CIELAB, iluminante D65"); }),
              p == 0)
        << p;
    const bool table = static_cast<int>(p) < tablePages;
    for (const std::string_view heading : {"nº", "Muestra", "A450", "Ton."}) EXPECT_EQ(page.Has(heading), table) << p;
    for (const Text& t : page.texts) {
      if (t.text.size() < 2 || t.text[0] != 'm' || t.text[1] < '0' || t.text[1] > '9') continue;
      EXPECT_EQ(t.text, "m" + std::to_string(next));
      ++next;
    }
    EXPECT_FALSE(page.Has(labreport::kEditedNote.spanish)) << p;
    EXPECT_FALSE(page.Has(labreport::kOpenedNote.spanish)) << p;
  }
  EXPECT_EQ(next, 121);
  EXPECT_TRUE(pages.back().Has("Realizado por:"));
  EXPECT_TRUE(pages.back().Has("Revisado por:"));
}

TEST(LabReport, FootnotesAndEmptyInputsOnlyWhereRowsNeedThem) {
  StoredSample edited = Calculated(tintavis::testing::RedReferenceForm("Editada"));
  edited.edited = true;
  StoredSample opened = OpenedSample(edited.cells, edited.values);
  StoredSample plain = Calculated(tintavis::testing::WhiteForm("Blanco"));
  LabReportContent content = ContentOf({plain, edited, opened}, Language::English);

  RecordingCanvas page;
  PrintLabReport(page, kWidth, kHeight, content, 0);
  EXPECT_TRUE(page.Has(labreport::kEditedNote.english));
  EXPECT_TRUE(page.Has(labreport::kOpenedNote.english));
  EXPECT_TRUE(page.Has("*"));
  EXPECT_TRUE(page.Has("†"));
  EXPECT_TRUE(page.Has("Result path length: 10 mm"));
  EXPECT_FALSE(page.Has("Rows from spectra: full spectrum, 380–780 nm"));
  StoredSample spectrum = plain;
  spectrum.origin = SampleOrigin::FromSpectrum;
  spectrum.input->r = 1;
  LabReportContent withSpectrum = content;
  withSpectrum.samples.push_back(spectrum);
  RecordingCanvas spectra;
  PrintLabReport(spectra, kWidth, kHeight, withSpectrum, 0);
  EXPECT_TRUE(spectra.Has("Rows from spectra: full spectrum, 380–780 nm"));
  EXPECT_TRUE(spectra.Has("Result path length: 1 mm, 10 mm"));

  const LabReportRow typed = LabReportRowOf(content, 1);
  EXPECT_EQ(typed.marks, "*");
  EXPECT_EQ(typed.wine, "Red, Rosé");
  EXPECT_EQ(typed.inputs, (std::array<std::string, 7>{"2", "10", "0.5", "0.8", "0.6", "0.2", ""}));
  const LabReportRow file = LabReportRowOf(content, 2);
  EXPECT_EQ(file.marks, "†");
  EXPECT_EQ(file.wine, "");
  EXPECT_EQ(file.inputs, (std::array<std::string, 7>{}));
  EXPECT_EQ(file.values, typed.values);
  EXPECT_EQ(LabReportRowOf(content, 0).values[8], "--");

  content.samples = {plain};
  RecordingCanvas clean;
  PrintLabReport(clean, kWidth, kHeight, content, 0);
  EXPECT_FALSE(clean.Has(labreport::kEditedNote.english));
  EXPECT_FALSE(clean.Has(labreport::kOpenedNote.english));
}

TEST(LabReport, ValuesStandOnTheirDecimalPoints) {
  const LabReportContent content =
      ContentOf({Calculated(tintavis::testing::WhiteForm("Claro")), Calculated(tintavis::testing::RedReferenceForm())});
  const LabReportRow light = LabReportRowOf(content, 0);
  const LabReportRow deep = LabReportRowOf(content, 1);
  // X has two integer digits in one row and one in the other.
  ASSERT_NE(light.values[0].find('.'), deep.values[0].find('.'));

  RecordingCanvas page;
  PrintLabReport(page, kWidth, kHeight, content, 0);
  const LabReportGeometry g(kWidth, kHeight);
  for (const LabReportRow* row : {&light, &deep}) {
    for (std::size_t k = 0; k < 8; ++k) {
      const Text* t = page.Find(row->values[k]);
      ASSERT_NE(t, nullptr) << row->values[k];
      EXPECT_EQ(t->x + kAdvance * static_cast<int>(t->text.find('.')), g.valuePoints[k]) << t->text;
    }
  }
}

TEST(LabReport, SwatchesDifferencesAndChartLabelsShowTheSamples) {
  LabReportContent content = ContentOf({Calculated(tintavis::testing::RedReferenceForm("Tinto")), Calculated(tintavis::testing::WhiteForm("Blanco"))});
  content.reference = Lab{*content.samples[0].values[3], *content.samples[0].values[6], *content.samples[0].values[7]};
  content.referenceName = "Tinto";
  EXPECT_EQ(LabReportRowOf(content, 0).inputs[6], "0.00");
  EXPECT_NE(LabReportRowOf(content, 1).inputs[6], "");

  const std::vector<RecordingCanvas> pages = AllPages(content);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_TRUE(pages[0].Has("ΔE00"));
  EXPECT_TRUE(pages[0].Has("Referencia de ΔE00: Tinto"));
  ASSERT_EQ(pages[0].rects.size(), 2u);
  EXPECT_EQ(pages[0].rects[0].colour, (Rgb{93, 21, 28}));
  EXPECT_EQ(pages[0].rects[0].y, LabReportGeometry(kWidth, kHeight).YRow(true, 0));

  // The chart page: the a*b* chart and the L* scale filled, axes drawn, each sample's number red
  // on both.
  const RecordingCanvas& chart = pages[1];
  const auto strips = [&](Rgb colour) {
    return std::count_if(chart.rects.begin(), chart.rects.end(), [&](const Rect& r) { return r.colour == colour; });
  };
  EXPECT_GT(strips(kAxisColour), 20);
  EXPECT_GT(strips(kGridColour), 10);
  const LabReportGeometry g(kWidth, kHeight);
  for (const Rect& r : chart.rects) {
    EXPECT_GE(r.x, g.xChart);
    EXPECT_LE(r.x + r.w, g.xLScale + LScaleDrawing().width * g.chartScale);
  }
  for (const std::string_view label : {"1", "2"}) {
    EXPECT_EQ(std::count_if(chart.texts.begin(), chart.texts.end(),
                            [&](const Text& t) { return t.text == label && t.colour == kSampleLabelColour; }),
              2)
        << label;
  }

  content.reference.reset();
  RecordingCanvas without;
  PrintLabReport(without, kWidth, kHeight, content, 0);
  EXPECT_FALSE(without.Has("ΔE00"));
}

TEST(LabReport, LongNamesAreElidedBeforeTheWineType) {
  const LabReportContent content = ContentOf({Calculated(tintavis::testing::RedReferenceForm(std::string(200, 'n')))});
  RecordingCanvas page;
  PrintLabReport(page, kWidth, kHeight, content, 0);
  const LabReportGeometry g(kWidth, kHeight);
  const auto it = std::find_if(page.texts.begin(), page.texts.end(), [](const Text& t) { return t.text.starts_with("nnn"); });
  ASSERT_NE(it, page.texts.end());
  EXPECT_TRUE(it->text.ends_with("…"));
  EXPECT_LT(it->x + page.TextWidth(it->text), g.xWine);
}

TEST(LabReport, TheWindowsSamplesAndItsReferenceRow) {
  SampleStore store;
  store.Append(Calculated(tintavis::testing::RedReferenceForm("Tinto ")));
  store.Append(Calculated(tintavis::testing::WhiteForm("Blanco")));
  LabReportDetails details;
  details.laboratory = "Enolab";
  const LabReportContent content = LabReportOf(store, details, Language::English, ',', 2);
  EXPECT_EQ(content.samples.size(), 2u);
  EXPECT_EQ(content.details.laboratory, "Enolab");
  EXPECT_EQ(content.referenceName, "Blanco");
  EXPECT_EQ(LabReportRowOf(content, 1).inputs[6], "0,00");
  EXPECT_EQ(LabReportRowOf(content, 0).values[0], "3,213");
  for (const int none : {0, 3}) EXPECT_FALSE(LabReportOf(store, details, Language::English, ',', none).reference) << none;
}

TEST(LabReport, CheckPagesGiveEachValuesUAndTheVerdictsOfTheDifferenceWindow) {
  SampleStore store;
  store.Append(Calculated(tintavis::testing::RedReferenceForm("Tinto")));
  SampleForm darker = tintavis::testing::RedReferenceForm("Oscuro");
  darker.segLong = "0.84";
  store.Append(Calculated(darker));
  const StoredSample first = store.Sample(1);
  store.Append(OpenedSample(first.cells, first.values));
  QualityCheck check;
  check.uncertainty = InputUncertainty{0.005, 0.01};
  check.tolerance = Tolerance{1.0, DifferenceFormula::De00, DecisionRule::Guarded};
  const LabReportContent content = LabReportOf(store, {}, Language::Spanish, '.', 1, check);
  ASSERT_TRUE(content.check);
  const std::vector<RecordingCanvas> pages = AllPages(content);
  ASSERT_EQ(pages.size(), 3u);  // the table, the check, the chart
  const RecordingCanvas& page = pages[1];

  // The same U(ΔE) and verdicts as the colour difference window's table, the rule in words.
  const DifferenceTable table = MakeDifferenceTable(store, 1, '.', Language::Spanish, check);
  EXPECT_TRUE(page.Has(labreport::kCheckTitle.spanish));
  const std::string rule = "Regla de decisión: " + table.rule;
  EXPECT_TRUE(std::any_of(page.texts.begin(), page.texts.end(), [&](const Text& t) {
    return t.text.size() > 30 && rule.starts_with(t.text);
  }));
  EXPECT_TRUE(page.Has("Resultado: " + table.conforming));
  ASSERT_EQ(table.checks.size(), 3u);
  for (const RowCheck& row : table.checks) {
    EXPECT_TRUE(page.Has(row.expanded)) << row.expanded;
    if (row.verdict) {
      EXPECT_TRUE(page.Has(VerdictText(*row.verdict, Language::Spanish)));
    }
  }
  EXPECT_TRUE(std::any_of(page.rects.begin(), page.rects.end(), [&](const Rect& r) {
    const VerdictFill f = FillOf(Verdict::Pass);
    return r.colour == Rgb{static_cast<std::uint8_t>(f.red), static_cast<std::uint8_t>(f.green), static_cast<std::uint8_t>(f.blue)};
  }));
  // Each value's U is the one the row's details give; the opened row has none, and says why.
  const auto u = RowUncertainty(store, 2, *check.uncertainty);
  ASSERT_TRUE(u);
  for (const std::string& line : UncertaintyLines(ComputeColour(*store.Sample(2).input).value(), *u, WineType::RedRose, '.', Language::Spanish)) {
    if (const std::size_t at = line.find("± "); at != std::string::npos) {
      EXPECT_TRUE(page.Has(line.substr(at + 3))) << line;
    }
  }
  EXPECT_TRUE(page.Has(labreport::kNoUncertaintyNote.spanish));
  EXPECT_FALSE(pages[0].Has(labreport::kCheckTitle.spanish));

  // Without uncertainty or tolerance there is no check; a typed target is named as one.
  EXPECT_FALSE(LabReportOf(store, {}, Language::Spanish, '.', 1).check);
  check.target = Lab{30, 40, 20};
  const LabReportContent target = LabReportOf(store, {}, Language::English, '.', 1, check);
  RecordingCanvas targetPage;
  PrintLabReport(targetPage, kWidth, kHeight, target, 1);
  EXPECT_TRUE(targetPage.Has("Target: 30.0 / 40.00 / 20.00"));
}

}  // namespace
