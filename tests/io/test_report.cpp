// The printed report's page: every text and line through a canvas that records them.
#include "io/report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <variant>
#include <vector>

#include "logic/sampleworkflow.h"

namespace {

using tintavis::ReportContent;
using tintavis::ReportGeometry;
using tintavis::ReportMoment;
using tintavis::ReportRow;

struct Text {
  int x, y;
  std::string text;
  friend bool operator==(const Text&, const Text&) = default;
};
struct Line {
  int x1, y1, x2, y2;
  friend bool operator==(const Line&, const Line&) = default;
};
using Drawn = std::variant<Text, Line>;

// Every character of the recording canvas's font is this wide, a blank included.
constexpr int kAdvance = 20;

int Characters(std::string_view utf8) {
  return static_cast<int>(std::count_if(utf8.begin(), utf8.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

class RecordingCanvas : public tintavis::ReportCanvas {
 public:
  void DrawText(int x, int y, std::string_view utf8) override { drawn.emplace_back(Text{x, y, std::string(utf8)}); }
  void DrawLine(int x1, int y1, int x2, int y2) override { drawn.emplace_back(Line{x1, y1, x2, y2}); }
  // The plain report is black on white.
  void FillRect(int, int, int, int, tintavis::Rgb) override { ADD_FAILURE() << "a filled rectangle"; }
  void DrawColouredLine(int, int, int, int, tintavis::Rgb) override { ADD_FAILURE() << "a coloured line"; }
  void DrawColouredText(int, int, std::string_view, tintavis::Rgb) override { ADD_FAILURE() << "a coloured text"; }
  int TextWidth(std::string_view utf8) override {
    ++measures;
    return kAdvance * Characters(utf8);
  }

  std::vector<Text> Texts() const {
    std::vector<Text> out;
    for (const auto& d : drawn) {
      if (const auto* t = std::get_if<Text>(&d)) out.push_back(*t);
    }
    return out;
  }
  std::vector<Line> Lines() const {
    std::vector<Line> out;
    for (const auto& d : drawn) {
      if (const auto* l = std::get_if<Line>(&d)) out.push_back(*l);
    }
    return out;
  }

  std::vector<Drawn> drawn;
  int measures = 0;
};

// The positions worked out here from the fractions of the page, independently of the
// implementation: each rounded on its own, a half going to the even neighbour.
struct Expected {
  explicit Expected(int w, int h) : W(w), H(h) {}
  int R(double v) const {
    const double down = std::floor(v);
    const double rest = v - down;
    if (rest > 0.5) return static_cast<int>(down) + 1;
    if (rest < 0.5) return static_cast<int>(down);
    return static_cast<int>(down) % 2 == 0 ? static_cast<int>(down) : static_cast<int>(down) + 1;
  }
  int P() const { return R(H / 55.125); }
  int yCaption() const { return R(H / 79.38); }
  int yTop() const { return R(H / 26.46); }
  int yTitle() const { return R(H / 24.8062); }
  int yInner() const { return R(H / 17.8784); }
  int yBottom(int n) const { return yInner() + (n + 1) * P(); }
  int yText(int r) const { return R(H / 17.2565) + r * P(); }
  int xCaption() const { return R(W / 19.28); }
  int xLeft() const { return R(W / 27.3676); }
  int xRight() const { return R(W / 1.0379); }
  int xSep() const { return R(W / 13.91); }
  int xCol(int j) const { return R(W / 5.2047) + j * R(W / 15.55); }
  int xTitle() const { return R(W / 3); }
  int xNo() const { return R(W / 21); }
  int xNameHead() const { return R(W / 9.5); }
  int xName() const { return R(W / 12); }
  int xValue(int c) const { return R(W / 14) + c * R(W / 15.3); }

  double W, H;
};

struct Page {
  const char* name;
  int width, height;
};
// A4 at 600 dpi less margins of about 4 mm, and Letter at 300 dpi less quarter-inch margins.
constexpr Page kA4At600 = {"A4at600dpi", 4726, 6776};
constexpr Page kLetterAt300 = {"Letterat300dpi", 2400, 3175};

const ReportMoment kMoment = {"08/12/2026", "14:38:49", false};

// Three rows as the window leaves them: two calculated samples and a white wine.
std::vector<ReportRow> ThreeRows() {
  return {
      {"1", "Crianza ", "3.213", "1.403", "0.368", "12.0", "43.99", "20.37", "41.24", "15.31", "7.400", "0.533"},
      {"2", "Rosado joven ", "69.426", "66.413", "47.169", "85.2", "26.71", "57.17", "14.48", "22.45", "0.778",
       "1.436"},
      {"3", "Verdejo ", "87.834", "93.060", "85.217", "97.3", "10.10", "93.87", "-0.68", "10.08", "  --", "  --"},
  };
}

std::vector<ReportRow> RowsNumbered(int n) {
  std::vector<ReportRow> rows;
  for (int r = 1; r <= n; ++r) {
    ReportRow row;
    row[0] = std::to_string(r);
    row[1] = "M" + std::to_string(r) + " ";
    for (int c = 2; c < tintavis::kGridColumns; ++c) row[c] = std::to_string(r) + "." + std::to_string(c);
    rows.push_back(row);
  }
  return rows;
}

ReportContent Content(std::vector<ReportRow> rows, bool english = false, std::string caption = "TINTAVIS",
                      ReportMoment moment = kMoment) {
  ReportContent content;
  content.caption = std::move(caption);
  content.language = english ? tintavis::Language::English : tintavis::Language::Spanish;
  content.moment = std::move(moment);
  content.rows = std::move(rows);
  return content;
}

RecordingCanvas Print(const Page& page, std::vector<ReportRow> rows, bool english = false,
                      std::string caption = "TINTAVIS", ReportMoment moment = kMoment) {
  RecordingCanvas canvas;
  tintavis::PrintReport(canvas, page.width, page.height,
                        Content(std::move(rows), english, std::move(caption), std::move(moment)));
  return canvas;
}

// Everything a page of n samples draws before its sample rows, in order.
std::vector<Drawn> FrameAndHeadings(const Expected& e, int n, bool english, const std::string& captionLine) {
  std::vector<Drawn> out;
  out.emplace_back(Text{e.xCaption(), e.yCaption(), captionLine});
  for (int i = 0; i <= n + 2; ++i) out.emplace_back(Line{e.xLeft(), e.yTop() + i * e.P(), e.xRight(), e.yTop() + i * e.P()});
  out.emplace_back(Line{e.xSep(), e.yInner(), e.xSep(), e.yBottom(n)});
  out.emplace_back(Line{e.xLeft(), e.yTop(), e.xLeft(), e.yBottom(n)});
  for (int j = 0; j < 12; ++j) out.emplace_back(Line{e.xCol(j), e.yInner(), e.xCol(j), e.yBottom(n)});
  out.emplace_back(Line{e.xRight(), e.yTop(), e.xRight(), e.yBottom(n)});
  out.emplace_back(Text{e.xTitle(), e.yTitle(),
                        english ? "Coordinates by D65 illuminant and 10\u00BA observer"
                                : "Coordenadas con iluminante D65 y observador 10\u00BA"});
  const int y = e.yText(0);
  const std::pair<const char*, double> headings[] = {
      {"n\u00BA", 21}, {english ? "Sample" : "Muestra", 9.5}, {"X", 4.55}, {"Y", 3.53}, {"Z", 2.89},
      {"L*", 2.44},    {"C*", 2.11},    {"h*", 1.85},  {"a*", 1.655}, {"b*", 1.495},
      {"Int", 1.37},   {"Ton", 1.265},  {"IC", 1.162}, {"dA(%)", 1.095}};
  for (const auto& [text, divisor] : headings) out.emplace_back(Text{e.R(e.W / divisor), y, text});
  return out;
}

std::vector<Drawn> SampleRowTexts(const Expected& e, const std::vector<ReportRow>& rows) {
  std::vector<Drawn> out;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const int r = static_cast<int>(i) + 1;
    out.emplace_back(Text{e.xNo(), e.yText(r), rows[i][0]});
    out.emplace_back(Text{e.xName(), e.yText(r), rows[i][1]});
    for (int c = 2; c <= 11; ++c) out.emplace_back(Text{e.xValue(c), e.yText(r), rows[i][c]});
  }
  return out;
}

std::vector<Drawn> Concat(std::vector<Drawn> a, const std::vector<Drawn>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// ---------------------------------------------------------------------------------------------
// Rounding

TEST(ReportRounding, HalvesGoToTheEvenNeighbour) {
  const std::pair<double, int> cases[] = {{0.5, 0},     {1.5, 2},     {2.5, 2},     {3.5, 4},    {394.5, 394},
                                          {395.5, 396}, {122.92, 123}, {85.36, 85}, {-0.5, 0},   {-1.5, -2},
                                          {4553.425, 4553}};
  for (const auto& [v, rounded] : cases) EXPECT_EQ(tintavis::RoundHalfEven(v), rounded) << v;
}

TEST(ReportRounding, AQuotientEndingInAHalfRoundsToEven) {
  // W / 12 gives 394.5 and 395.5 for these widths: the name column goes to 394 and 396.
  EXPECT_EQ(ReportGeometry(4734, 6776).xName, 394);
  EXPECT_EQ(ReportGeometry(4746, 6776).xName, 396);
}

// ---------------------------------------------------------------------------------------------
// Geometry

TEST(ReportGeometry, HandWorkedPositionsForA4At600Dpi) {
  const ReportGeometry g(4726, 6776);
  // 6776 / 55.125 = 122.92; 6776 / 79.38 = 85.36; 6776 / 26.46 = 256.08; 6776 / 24.8062 =
  // 273.16; 6776 / 17.8784 = 379.005; 6776 / 17.2565 = 392.66.
  EXPECT_EQ(g.pitch, 123);
  EXPECT_EQ(g.yCaption, 85);
  EXPECT_EQ(g.yTop, 256);
  EXPECT_EQ(g.yTitle, 273);
  EXPECT_EQ(g.yInner, 379);
  EXPECT_EQ(g.YText(0), 393);
  // 4726 / 19.28 = 245.12; / 27.3676 = 172.69; / 1.0379 = 4553.43; / 13.91 = 339.76;
  // / 3 = 1575.33; / 21 = 225.05; / 9.5 = 497.47; / 12 = 393.83.
  EXPECT_EQ(g.xCaption, 245);
  EXPECT_EQ(g.xLeft, 173);
  EXPECT_EQ(g.xRight, 4553);
  EXPECT_EQ(g.xSep, 340);
  EXPECT_EQ(g.xTitle, 1575);
  EXPECT_EQ(g.xNo, 225);
  EXPECT_EQ(g.xNameHead, 497);
  EXPECT_EQ(g.xName, 394);
  // Column lines: 4726 / 5.2047 = 908.03 and steps of 4726 / 15.55 = 303.92, so 908 + 11 * 304.
  EXPECT_EQ(g.XCol(0), 908);
  EXPECT_EQ(g.XCol(11), 4252);
  // Value texts: 4726 / 14 = 337.57 and steps of 4726 / 15.3 = 308.89: 338 + 2 * 309 = 956 for
  // X, 338 + 13 * 309 = 4355 for the last column (rounding the sum instead would give 4353).
  EXPECT_EQ(g.XValue(2), 956);
  EXPECT_EQ(g.XValue(11), 3737);
  EXPECT_EQ(g.XValue(13), 4355);
  // 50 samples: the last text row at 393 + 50 * 123, the closing line at 256 + 52 * 123.
  EXPECT_EQ(g.YText(50), 6543);
  EXPECT_EQ(g.YLine(52), 6652);
  EXPECT_EQ(g.YBottom(0), 502);
}

class ReportPageTest : public ::testing::TestWithParam<Page> {
 protected:
  Expected e{GetParam().width, GetParam().height};
};

TEST_P(ReportPageTest, AnEmptyGridPrintsCaptionTitleBandAndHeaderClosedByThreeLines) {
  const auto canvas = Print(GetParam(), {});
  EXPECT_EQ(canvas.drawn, FrameAndHeadings(e, 0, false, "TINTAVIS          (08/12/2026 14:38:49)"));
  const auto lines = canvas.Lines();
  ASSERT_EQ(lines.size(), 3u + 15u);
  // Every vertical line ends one band below the upper end of the inner lines.
  for (std::size_t i = 3; i < lines.size(); ++i) EXPECT_EQ(lines[i].y2, e.yInner() + e.P()) << i;
}

TEST_P(ReportPageTest, ThreeSamplesPrintTheirRowsUnderTheHeader) {
  const auto rows = ThreeRows();
  const auto canvas = Print(GetParam(), rows);
  EXPECT_EQ(canvas.drawn, Concat(FrameAndHeadings(e, 3, false, "TINTAVIS          (08/12/2026 14:38:49)"),
                                 SampleRowTexts(e, rows)));
  const auto lines = canvas.Lines();
  EXPECT_EQ(lines[5], (Line{e.xLeft(), e.yTop() + 5 * e.P(), e.xRight(), e.yTop() + 5 * e.P()}));
  EXPECT_EQ(lines[6].y2, e.yInner() + 4 * e.P());
}

TEST_P(ReportPageTest, TheColumnsUnderIcAndDaStayBlank) {
  const auto canvas = Print(GetParam(), ThreeRows());
  for (const Text& t : canvas.Texts()) {
    if (t.y == e.yText(0)) continue;  // the headings themselves
    EXPECT_NE(t.x, e.xValue(12)) << t.text;
    EXPECT_NE(t.x, e.xValue(13)) << t.text;
  }
}

TEST_P(ReportPageTest, FiftySamplesFillThePageDownToTheClosingLine) {
  const auto rows = RowsNumbered(50);
  const auto canvas = Print(GetParam(), rows);
  EXPECT_EQ(canvas.drawn, Concat(FrameAndHeadings(e, 50, false, "TINTAVIS          (08/12/2026 14:38:49)"),
                                 SampleRowTexts(e, rows)));
  const auto texts = canvas.Texts();
  EXPECT_EQ(texts.back(), (Text{e.xValue(11), e.R(e.H / 17.2565) + 50 * e.P(), "50.11"}));
  const auto lines = canvas.Lines();
  ASSERT_EQ(lines.size(), 53u + 15u);
  EXPECT_EQ(lines[52].y1, e.yTop() + 52 * e.P());
  EXPECT_LT(lines[52].y1, GetParam().height);  // inside the page
  EXPECT_EQ(lines.back().y2, e.yInner() + 51 * e.P());
}

TEST_P(ReportPageTest, EnglishChangesOnlyTheTitleAndTheNameHeading) {
  const auto spanish = Print(GetParam(), {}).Texts();
  const auto english = Print(GetParam(), {}, true).Texts();
  ASSERT_EQ(spanish.size(), english.size());
  std::vector<std::pair<std::string, std::string>> changed;
  for (std::size_t i = 0; i < spanish.size(); ++i) {
    EXPECT_EQ(spanish[i].x, english[i].x);
    EXPECT_EQ(spanish[i].y, english[i].y);
    if (spanish[i].text != english[i].text) changed.emplace_back(spanish[i].text, english[i].text);
  }
  EXPECT_EQ(changed, (std::vector<std::pair<std::string, std::string>>{
                         {"Coordenadas con iluminante D65 y observador 10\u00BA",
                          "Coordinates by D65 illuminant and 10\u00BA observer"},
                         {"Muestra", "Sample"}}));
  // "nº", "Int" and "Ton" are the same words in English.
  EXPECT_EQ(english[2].text, "n\u00BA");
  EXPECT_EQ(english[12].text, "Int");
  EXPECT_EQ(english[13].text, "Ton");
}

TEST_P(ReportPageTest, NamesWiderThanTheirColumnAreCutBeforeTheFirstColumnLine) {
  // The name ends a blank's width before the column line: so many characters fit.
  const int fit = (e.xCol(0) - e.xName() - kAdvance) / kAdvance;
  const std::string fits(static_cast<std::size_t>(fit), 'a');
  // The first `n` characters of `s`, ended by the ellipsis.
  const auto cut = [](const std::string& s, int n) {
    std::string out;
    int characters = 0;
    for (const char c : s) {
      if ((c & 0xC0) != 0x80 && characters++ == n) break;
      out += c;
    }
    return out + "\u2026";
  };
  std::string ene;  // "ñ" repeated: two bytes a character
  for (int i = 0; i <= fit; ++i) ene += "\u00F1";
  const std::string spaced = std::string(static_cast<std::size_t>(fit - 2), 'b') + "  cc";
  struct Case {
    std::string name;
    std::string printed;
  };
  const std::vector<Case> cases = {
      {fits + " ", fits + " "},                        // exactly fits: printed whole, final blank included
      {fits + "    ", fits + "    "},                  // only blanks would cross: nothing to cut
      {fits + "a ", cut(fits, fit - 1)},              // one too many: room is made for the ellipsis
      {ene + " ", cut(ene, fit - 1)},                 // cut between characters, never inside one
      {spaced, std::string(static_cast<std::size_t>(fit - 2), 'b') + "\u2026"},  // blanks before the cut go
      {"", ""},
  };
  std::vector<ReportRow> rows;
  for (const Case& c : cases) {
    ReportRow row;
    row[0] = std::to_string(rows.size() + 1);
    row[1] = c.name;
    row[2] = "3.213";
    rows.push_back(row);
  }
  const auto texts = Print(GetParam(), rows).Texts();
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const int y = e.yText(static_cast<int>(i) + 1);
    const auto name = std::find_if(texts.begin(), texts.end(), [&](const Text& t) { return t.x == e.xName() && t.y == y; });
    ASSERT_NE(name, texts.end()) << i;
    EXPECT_EQ(name->text, cases[i].printed) << i;
    // Its ink, blanks aside, ends before the line.
    const std::string_view ink(name->text.data(), name->text.find_last_not_of(' ') + 1);
    EXPECT_LE(e.xName() + kAdvance * Characters(ink), e.xCol(0)) << i;
    // The numbers of the row stay where they were.
    EXPECT_NE(std::find(texts.begin(), texts.end(), Text{e.xValue(2), y, "3.213"}), texts.end()) << i;
  }
}

TEST_P(ReportPageTest, NumberedPagesHoldFiftyRowsEachUnderTheirOwnCaptionAndHeadings) {
  ReportContent content = Content(RowsNumbered(120));
  content.numberPages = true;
  ASSERT_EQ(tintavis::ReportPageCount(content), 3);
  const std::string captionLine = "TINTAVIS          (08/12/2026 14:38:49)";
  for (int page = 0; page < 3; ++page) {
    RecordingCanvas canvas;
    tintavis::PrintReport(canvas, GetParam().width, GetParam().height, content, page);
    const std::ptrdiff_t first = std::ptrdiff_t{50} * page;
    const int n = page < 2 ? 50 : 20;
    const std::vector<ReportRow> rows(content.rows.begin() + first, content.rows.begin() + first + n);
    // The page number stands after the caption line, ending at the right border.
    const std::string number = std::to_string(page + 1) + "/3";
    std::vector<Drawn> expected = FrameAndHeadings(e, n, false, captionLine);
    expected.insert(expected.begin() + 1, Text{e.xRight() - kAdvance * 3, e.yCaption(), number});
    EXPECT_EQ(canvas.drawn, Concat(expected, SampleRowTexts(e, rows))) << page;
  }
  // The first row of the second page is sample 51, in the first row's place.
  RecordingCanvas second;
  tintavis::PrintReport(second, GetParam().width, GetParam().height, content, 1);
  const auto texts = second.Texts();
  EXPECT_NE(std::find(texts.begin(), texts.end(), Text{e.xNo(), e.yText(1), "51"}), texts.end());
}

INSTANTIATE_TEST_SUITE_P(BothPapers, ReportPageTest, ::testing::Values(kA4At600, kLetterAt300),
                         [](const ::testing::TestParamInfo<Page>& p) { return std::string(p.param.name); });

TEST(ReportTitle, TheSignAfterTenIsTheOrdinalIndicatorNotTheDegreeSign) {
  const auto texts = Print(kA4At600, {}).Texts();
  EXPECT_NE(texts[1].text.find("10\xC2\xBA"), std::string::npos);
  EXPECT_EQ(texts[1].text.find("\xC2\xB0"), std::string::npos);
}

TEST(ReportPages, OnePageUnlessNumberedAndOnlyItsFiftyRowsWithoutNumbers) {
  struct Case {
    int rows;
    bool numbered;
    int pages;
  };
  const Case cases[] = {{0, false, 1},  {60, false, 1}, {0, true, 1},   {1, true, 1},
                        {50, true, 1},  {51, true, 2},  {100, true, 2}, {101, true, 3}};
  for (const Case& c : cases) {
    ReportContent content = Content(RowsNumbered(c.rows));
    content.numberPages = c.numbered;
    EXPECT_EQ(tintavis::ReportPageCount(content), c.pages) << c.rows << " " << c.numbered;
  }
  // More rows than a page holds, unnumbered: the page of the window's 50 samples, no number.
  const auto canvas = Print(kA4At600, RowsNumbered(60));
  const Expected e(kA4At600.width, kA4At600.height);
  EXPECT_EQ(canvas.drawn, Concat(FrameAndHeadings(e, 50, false, "TINTAVIS          (08/12/2026 14:38:49)"),
                                 SampleRowTexts(e, RowsNumbered(50))));
}

TEST(ReportNames, AVeryLongNameIsCutWithFewMeasures) {
  // A batch line may hold a name of 64 KiB: the cut is found by halving, not character by
  // character.
  ReportRow row;
  row[0] = "1";
  row[1] = std::string(60000, 'x');
  RecordingCanvas canvas;
  tintavis::PrintReport(canvas, kA4At600.width, kA4At600.height, Content({row}));
  EXPECT_LT(canvas.measures, 40);
  const Expected e(kA4At600.width, kA4At600.height);
  const auto texts = canvas.Texts();
  const auto name = std::find_if(texts.begin(), texts.end(), [&](const Text& t) { return t.x == e.xName() && t.y == e.yText(1); });
  ASSERT_NE(name, texts.end());
  EXPECT_EQ(Characters(name->text), (e.xCol(0) - e.xName() - kAdvance) / kAdvance);
}

// ---------------------------------------------------------------------------------------------
// Caption line

TEST(ReportCaptionLine, CaptionTenBlanksThenDateAndTimeInParentheses) {
  struct Case {
    const char* caption;
    ReportMoment moment;
    const char* line;
  };
  const Case cases[] = {
      {"TINTAVIS", {"08/12/2026", "14:38:49", false}, "TINTAVIS          (08/12/2026 14:38:49)"},
      {"TINTAVIS - datos.xls", {"8/12/26", "9:05:00", false}, "TINTAVIS - datos.xls          (8/12/26 9:05:00)"},
      // Exactly midnight: the date alone.
      {"TINTAVIS", {"09/12/2026", "0:00:00", true}, "TINTAVIS          (09/12/2026)"},
  };
  for (const Case& c : cases) EXPECT_EQ(tintavis::ReportCaptionLine(c.caption, c.moment), c.line);
}

TEST(ReportCaptionLine, IsTheFirstTextOfThePageAtItsPlace) {
  const auto texts = Print(kA4At600, {}, false, "TINTAVIS - datos.xls", {"09/12/2026", "0:00:00", true}).Texts();
  EXPECT_EQ(texts.front(), (Text{245, 85, "TINTAVIS - datos.xls          (09/12/2026)"}));
}

// ---------------------------------------------------------------------------------------------
// Rows from the grid

TEST(ReportRows, TakesTheTextsOfRowsOneToNAsTheGridHoldsThem) {
  tintavis::ResultsGrid grid;
  grid.WriteHeaderAndNumbers();
  // A row as a file leaves it: the numbers as the file wrote them, not in fixed decimals.
  grid.WriteRecord(1, {"Crianza ", "3.2128", "1.403", "0.368", "11.978", "43.99", "20.37", "41.24", "15.31", "7.4",
                       "0.533"});
  grid.WriteRecord(2, {"Verdejo ", "87.834", "93.060", "85.217", "97.3", "10.10", "93.87", "-0.68", "10.08", "  --",
                       "  --"});
  grid.WriteRecord(3, {"not printed", "", "", "", "", "", "", "", "", "", ""});
  const auto rows = tintavis::ReportRows(grid, 2);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], (ReportRow{"1", "Crianza ", "3.2128", "1.403", "0.368", "11.978", "43.99", "20.37", "41.24",
                                "15.31", "7.4", "0.533"}));
  EXPECT_EQ(rows[1][0], "2");
  EXPECT_EQ(rows[1][10], "  --");

  const Expected e(kA4At600.width, kA4At600.height);
  const auto texts = Print(kA4At600, rows).Texts();
  EXPECT_NE(std::find(texts.begin(), texts.end(), Text{e.xValue(2), e.yText(1), "3.2128"}), texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), Text{e.xValue(5), e.yText(1), "11.978"}), texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), Text{e.xName(), e.yText(2), "Verdejo "}), texts.end());
}

TEST(ReportRows, FollowTheSampleCountOfTheSession) {
  tintavis::SampleSession session;
  EXPECT_TRUE(tintavis::ReportRows(session.store.Texts(), session.SampleCount()).empty());
  session.store.Load(std::vector<tintavis::StoredSample>(3, tintavis::OpenedSample({"M "})));
  EXPECT_EQ(tintavis::ReportRows(session.store.Texts(), session.SampleCount()).size(), 3u);
  // Once the limit is reached row 50 holds a sample although NextRow stays at 50.
  session.store.Load(std::vector<tintavis::StoredSample>(50, tintavis::OpenedSample({"M "})));
  EXPECT_EQ(session.NextRow(), 50);
  const auto rows = tintavis::ReportRows(session.store.Texts(), session.SampleCount());
  ASSERT_EQ(rows.size(), 50u);
  EXPECT_EQ(rows.back()[0], "50");
}

}  // namespace
