#include "io/labreport.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <set>

#include "logic/labreporttexts.h"
#include "logic/messages.h"
#include "logic/textrules.h"
#include "logic/workbooktexts.h"

namespace tintavis {
namespace {

constexpr int kHeaderLines = 6;   // title, laboratory, operator, instrument, moment, data file
constexpr int kMethodLines = 8;   // method (up to three lines), paths, spectra, note (two), reference
constexpr int kMethodTextLines = 3;
constexpr int kNoteLines = 2;
// The decimals the headings of the input columns are aligned for: d, r, the absorbances, ΔE00.
constexpr std::array<int, 7> kInputDecimals = {0, 0, 3, 3, 3, 3, 2};

std::string_view TrimmedBlanks(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

int Fraction(int whole, double divisor) { return RoundHalfEven(whole / divisor); }

std::string Labelled(const BilingualText& label, std::string_view value, Language language) {
  std::string line(label.In(language));
  line += ": ";
  line += value.empty() ? labreport::kNone.In(language) : value;
  return line;
}

// `text` cut at blanks into lines no wider than `width`, at most `most` of them (the last one
// elided when the text goes on).
std::vector<std::string> Wrapped(ReportCanvas& canvas, std::string_view text, int width, int most) {
  std::vector<std::string> lines;
  std::string line;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find(' ', at);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view word = text.substr(at, end - at);
    std::string longer = line.empty() ? std::string(word) : line + " " + std::string(word);
    if (!line.empty() && canvas.TextWidth(longer) > width) {
      lines.push_back(std::move(line));
      line = std::string(word);
    } else {
      line = std::move(longer);
    }
    at = end + 1;
  }
  if (!line.empty()) lines.push_back(std::move(line));
  if (static_cast<int>(lines.size()) > most) {
    std::string rest;
    for (std::size_t i = static_cast<std::size_t>(most) - 1; i < lines.size(); ++i) rest += (rest.empty() ? "" : " ") + lines[i];
    lines.resize(static_cast<std::size_t>(most));
    lines.back() = FitName(canvas, rest, width);
  }
  return lines;
}

// Where the table's rows begin below its heading, and the height of one row (two lines).
int HeadingHeight(const LabReportGeometry& g) { return 2 * g.pitch + g.pitch / 2; }
int RowHeight(const LabReportGeometry& g) { return 2 * g.pitch + g.pitch / 3; }

// The sample rows before page `page` and on it.
struct PageRows {
  std::size_t first = 0;
  std::size_t count = 0;
};
PageRows RowsOf(const LabReportGeometry& g, std::size_t samples, int page) {
  const auto firstPage = static_cast<std::size_t>(g.RowsOnPage(true));
  const auto otherPage = static_cast<std::size_t>(g.RowsOnPage(false));
  const std::size_t first = page == 0 ? 0 : firstPage + static_cast<std::size_t>(page - 1) * otherPage;
  const std::size_t room = page == 0 ? firstPage : otherPage;
  if (first >= samples) return {samples, 0};
  return {first, std::min(room, samples - first)};
}

int TablePages(const LabReportGeometry& g, std::size_t samples) {
  const auto firstPage = static_cast<std::size_t>(g.RowsOnPage(true));
  const auto otherPage = static_cast<std::size_t>(g.RowsOnPage(false));
  if (samples <= firstPage) return 1;
  return 1 + static_cast<int>((samples - firstPage + otherPage - 1) / otherPage);
}

// The x where a column's right end stands: its decimal point and `decimals` digits.
int ColumnEnd(ReportCanvas& canvas, int point, int decimals) {
  return decimals == 0 ? point : point + canvas.TextWidth("." + std::string(static_cast<std::size_t>(decimals), '0'));
}

void DrawHeader(ReportCanvas& canvas, const LabReportGeometry& g, const LabReportContent& content, int page, int pages) {
  const Language language = content.language;
  const LabReportDetails& d = content.details;
  int y = g.yHeader;
  canvas.DrawText(0, y, labreport::kTitle.In(language));
  const std::string number =
      std::string(labreport::kPage.In(language)) + " " + std::to_string(page + 1) + "/" + std::to_string(pages);
  canvas.DrawText(g.width - canvas.TextWidth(number), y, number);
  std::string moment = d.moment.date;
  if (!d.moment.midnight && !d.moment.time.empty()) moment += " " + d.moment.time;
  for (const auto& [label, value] : {std::pair{labreport::kLaboratory, std::string_view(d.laboratory)},
                                     std::pair{labreport::kOperator, std::string_view(d.operatorName)},
                                     std::pair{labreport::kInstrument, std::string_view(d.instrument)},
                                     std::pair{labreport::kMoment, std::string_view(moment)},
                                     std::pair{labreport::kDataFile, std::string_view(d.dataFile)}}) {
    y += g.pitch;
    canvas.DrawText(0, y, FitName(canvas, Labelled(label, value, language), g.width));
  }
  const int rule = g.yHeader + kHeaderLines * g.pitch + g.pitch / 4;
  canvas.DrawLine(0, rule, g.width, rule);
}

void DrawMethod(ReportCanvas& canvas, const LabReportGeometry& g, const LabReportContent& content) {
  const Language language = content.language;
  int y = g.yMethod;
  const auto line = [&](const std::string& text) {
    canvas.DrawText(0, y, text);
    y += g.pitch;
  };
  for (const std::string& text : Wrapped(canvas, Labelled(workbooktexts::kMethodLabel, labreport::kMethodText.In(language), language),
                                         g.width, kMethodTextLines)) {
    line(text);
  }
  std::set<std::int32_t> paths;
  bool spectra = false;
  for (const StoredSample& s : content.samples) {
    if (s.input && s.origin != SampleOrigin::OpenedFromFile) paths.insert(s.input->r);
    spectra = spectra || s.origin == SampleOrigin::FromSpectrum;
  }
  std::string pathText;
  for (const std::int32_t r : paths) pathText += (pathText.empty() ? "" : ", ") + std::to_string(r) + " mm";
  line(Labelled(workbooktexts::kResultPathLabel, pathText, language));
  if (spectra) line(Labelled(labreport::kSpectrumRows, labreport::kFullSpectrum.In(language), language));
  if (!content.details.note.empty()) {
    for (const std::string& text : Wrapped(canvas, Labelled(labreport::kNote, content.details.note, language), g.width, kNoteLines)) {
      line(text);
    }
  }
  if (content.reference) line(FitName(canvas, Labelled(labreport::kReference, content.referenceName, language), g.width));
}

void DrawTableHeading(ReportCanvas& canvas, const LabReportGeometry& g, const LabReportContent& content, int y) {
  const Language language = content.language;
  const auto& h = labreport::kInputHeadings;
  const auto right = [&](std::string_view text, int end) { canvas.DrawText(end - canvas.TextWidth(text), y, text); };
  right(h[0].In(language), g.xNumberEnd);
  canvas.DrawText(g.xSwatch, y, h[1].In(language));
  canvas.DrawText(g.xName, y, h[2].In(language));
  canvas.DrawText(g.xWine, y, h[3].In(language));
  const std::size_t inputs = content.reference ? 7 : 6;
  for (std::size_t i = 0; i < inputs; ++i) right(h[4 + i].In(language), ColumnEnd(canvas, g.inputPoints[i], kInputDecimals[i]));
  for (std::size_t k = 0; k < 10; ++k) {
    const std::string_view text = labreport::kValueHeadings[k].In(language);
    canvas.DrawText(ColumnEnd(canvas, g.valuePoints[k], kValueFormats[k].decimals) - canvas.TextWidth(text), y + g.pitch, text);
  }
  const int rule = y + 2 * g.pitch + g.pitch / 6;
  canvas.DrawLine(0, rule, g.width, rule);
}

// A number text at its decimal point, or "--" ending where the column's digits end.
void DrawAligned(ReportCanvas& canvas, const std::string& text, char separator, int point, int decimals, int y) {
  const bool number = text.find_first_of("0123456789") != std::string::npos;
  const int x = number ? DecimalAlignedX(canvas, text, separator, point)
                       : ColumnEnd(canvas, point, decimals) - canvas.TextWidth(text);
  canvas.DrawText(x, y, text);
}

void DrawRow(ReportCanvas& canvas, const LabReportGeometry& g, const LabReportContent& content, const LabReportRow& row,
             int y) {
  canvas.DrawText(g.xNumberEnd - canvas.TextWidth(row.number), y, row.number);
  canvas.DrawText(g.xNumberEnd, y, row.marks);
  if (row.swatch) {
    const int s = g.swatchSize;
    canvas.FillRect(g.xSwatch, y, s, s, Rgb{static_cast<std::uint8_t>(row.swatch->red), static_cast<std::uint8_t>(row.swatch->green),
                                            static_cast<std::uint8_t>(row.swatch->blue)});
    canvas.DrawLine(g.xSwatch, y, g.xSwatch + s, y);
    canvas.DrawLine(g.xSwatch + s, y, g.xSwatch + s, y + s);
    canvas.DrawLine(g.xSwatch + s, y + s, g.xSwatch, y + s);
    canvas.DrawLine(g.xSwatch, y + s, g.xSwatch, y);
  }
  canvas.DrawText(g.xName, y, FitName(canvas, row.name, g.xWine - g.xName - canvas.TextWidth(" ")));
  canvas.DrawText(g.xWine, y, row.wine);
  const std::size_t inputs = content.reference ? 7 : 6;
  for (std::size_t i = 0; i < inputs; ++i) {
    const std::string& text = row.inputs[i];
    // Absorbances keep the separator they were typed with.
    const char separator = text.find(',') != std::string::npos ? ',' : '.';
    canvas.DrawText(DecimalAlignedX(canvas, text, separator, g.inputPoints[i]), y, text);
  }
  for (std::size_t k = 0; k < 10; ++k) {
    DrawAligned(canvas, row.values[k], content.separator, g.valuePoints[k], kValueFormats[k].decimals, y + g.pitch);
  }
  const int rule = y + RowHeight(g) - g.pitch / 6;
  canvas.DrawColouredLine(0, rule, g.width, rule, kGridColour);
}

void DrawTablePage(ReportCanvas& canvas, const LabReportGeometry& g, const LabReportContent& content, int page) {
  const int yTable = page == 0 ? g.yTableFirst : g.yTableOther;
  DrawTableHeading(canvas, g, content, yTable);
  const PageRows rows = RowsOf(g, content.samples.size(), page);
  bool edited = false;
  bool opened = false;
  for (std::size_t i = 0; i < rows.count; ++i) {
    const std::size_t index = rows.first + i;
    const StoredSample& sample = content.samples[index];
    edited = edited || sample.edited;
    opened = opened || sample.origin == SampleOrigin::OpenedFromFile;
    DrawRow(canvas, g, content, LabReportRowOf(content, index), g.YRow(page == 0, static_cast<int>(i)));
  }
  int y = g.yFootnotes;
  for (const auto& [needed, note] : {std::pair{edited, labreport::kEditedNote}, std::pair{opened, labreport::kOpenedNote}}) {
    if (!needed) continue;
    canvas.DrawText(0, y, FitName(canvas, note.In(content.language), g.width));
    y += g.pitch;
  }
}

// The part of a level or upright line that lies on the chart, as the window's bitmap keeps it;
// none when it lies beside the chart. Other lines are kept whole.
std::optional<std::pair<PixelPoint, PixelPoint>> Clipped(PixelPoint from, PixelPoint to, const ChartDrawing& chart) {
  const auto inside = [](int v, int size) { return v >= 0 && v < size; };
  if (from.y == to.y) {
    if (!inside(from.y, chart.height)) return std::nullopt;
    from.x = std::clamp(from.x, 0, chart.width - 1);
    to.x = std::clamp(to.x, 0, chart.width - 1);
    if (from.x == to.x) return std::nullopt;
  } else if (from.x == to.x) {
    if (!inside(from.x, chart.width)) return std::nullopt;
    from.y = std::clamp(from.y, 0, chart.height - 1);
    to.y = std::clamp(to.y, 0, chart.height - 1);
    if (from.y == to.y) return std::nullopt;
  }
  return std::pair{from, to};
}

// A chart of the window replayed `scale` times larger with its top-left corner at (x0, y0).
void DrawChart(ReportCanvas& canvas, const ChartDrawing& chart, int x0, int y0, int scale) {
  for (const DrawOp& op : chart.ops) {
    const int x = x0 + op.from.x * scale;
    const int y = y0 + op.from.y * scale;
    switch (op.kind) {
      case DrawOp::Kind::Fill:
        canvas.FillRect(x0, y0, chart.width * scale, chart.height * scale, op.colour);
        break;
      case DrawOp::Kind::Line:
        // A line of the window's bitmap becomes a filled strip half a chart pixel wide down the
        // middle of its pixels, so that it keeps its weight on paper.
        if (const auto clipped = Clipped(op.from, op.to, chart)) {
          const auto [from, to] = *clipped;
          if (from.y == to.y || from.x == to.x) {
            const int weight = std::max(1, scale / 2);
            const int inset = (scale - weight) / 2;
            const int left = x0 + std::min(from.x, to.x) * scale;
            const int top = y0 + std::min(from.y, to.y) * scale;
            if (from.y == to.y) {
              canvas.FillRect(left, top + inset, std::abs(to.x - from.x) * scale, weight, op.colour);
            } else {
              canvas.FillRect(left + inset, top, weight, std::abs(to.y - from.y) * scale, op.colour);
            }
          } else {
            canvas.DrawColouredLine(x0 + from.x * scale, y0 + from.y * scale, x0 + to.x * scale, y0 + to.y * scale, op.colour);
          }
        }
        break;
      case DrawOp::Kind::Text:
        canvas.DrawColouredText(x, y, op.text, op.colour);
        break;
    }
  }
}

bool OnChart(PixelPoint p, const ChartDrawing& chart) {
  return p.x >= 0 && p.y >= 0 && p.x < chart.width && p.y < chart.height;
}

void DrawChartPage(ReportCanvas& canvas, const LabReportGeometry& g, const LabReportContent& content) {
  const Language language = content.language;
  canvas.DrawText(0, g.yTableOther, labreport::kChartTitle.In(language));
  const ChartDrawing& ab = AbChartDrawing();
  const ChartDrawing& l = LScaleDrawing();
  DrawChart(canvas, ab, g.xChart, g.yChart, g.chartScale);
  DrawChart(canvas, l, g.xLScale, g.yChart, g.chartScale);
  for (std::size_t i = 0; i < content.samples.size(); ++i) {
    const RowValues& v = content.samples[i].values;
    if (!v[3] || !v[6] || !v[7]) continue;
    const int row = static_cast<int>(i) + 1;
    const std::string label = std::to_string(row);
    if (const PixelPoint p = AbLabelPosition(row, *v[6], *v[7]); OnChart(p, ab)) {
      canvas.DrawColouredText(g.xChart + p.x * g.chartScale, g.yChart + p.y * g.chartScale, label, kSampleLabelColour);
    }
    if (const PixelPoint p = LLabelPosition(row, *v[3]); OnChart(p, l)) {
      canvas.DrawColouredText(g.xLScale + p.x * g.chartScale, g.yChart + p.y * g.chartScale, label, kSampleLabelColour);
    }
  }
  // The signature block: who did the work and who checked it, each with a date.
  int y = g.ySignature;
  const int dateX = g.width * 3 / 5;
  for (const BilingualText& who : {labreport::kPerformedBy, labreport::kReviewedBy}) {
    const std::string name = std::string(who.In(language)) + ":";
    const std::string date = std::string(labreport::kDate.In(language)) + ":";
    const int line = y + g.pitch;
    canvas.DrawText(0, y, name);
    canvas.DrawLine(canvas.TextWidth(name + " "), line, dateX - g.pitch, line);
    canvas.DrawText(dateX, y, date);
    canvas.DrawLine(dateX + canvas.TextWidth(date + " "), line, g.width, line);
    y += 3 * g.pitch;
  }
}

// The x where the check table's verdict begins: after the difference and its U.
int VerdictX(const LabReportGeometry& g) { return g.inputPoints[3]; }

// The section's block on its first page: the inputs' uncertainties, what the samples are
// compared with, the rule in words and the count of those that conform.
void DrawCheckBlock(ReportCanvas& canvas, const LabReportGeometry& g, const LabReportContent& content,
                    const LabReportCheck& check) {
  const Language language = content.language;
  int y = g.yMethod;
  const auto lines = [&](const std::string& text, int most) {
    for (const std::string& line : Wrapped(canvas, text, g.width, most)) {
      canvas.DrawText(0, y, line);
      y += g.pitch;
    }
  };
  lines(std::string(labreport::kCheckTitle.In(language)), 1);
  if (check.uncertainty) {
    lines(Filled(labreport::kUncertaintyInputs.In(language),
                 {FormatGeneral(check.uncertainty->absorbance, content.separator),
                  FormatGeneral(check.uncertainty->pathLength, content.separator)}),
          2);
  } else {
    lines(std::string(labreport::kNoUncertaintySet.In(language)), 1);
  }
  if (content.reference) {
    lines(Labelled(content.referenceIsTarget ? workbooktexts::kTargetLabel : labreport::kReferenceSample, content.referenceName,
                   language),
          1);
  }
  if (check.tolerance) {
    lines(Labelled(labreport::kDecisionRule, check.rule, language), 2);
    lines(Labelled(labreport::kResult, check.conforming, language), 1);
  }
}

void DrawCheckHeading(ReportCanvas& canvas, const LabReportGeometry& g, const LabReportContent& content,
                      const LabReportCheck& check, int y) {
  const Language language = content.language;
  const auto right = [&](std::string_view text, int end, int at) { canvas.DrawText(end - canvas.TextWidth(text), at, text); };
  const auto& h = labreport::kInputHeadings;
  right(h[0].In(language), g.xNumberEnd, y);
  canvas.DrawText(g.xName, y, h[2].In(language));
  if (content.reference) {
    const auto checkHeader = CheckHeader(check.formula, language);
    right(DifferenceName(check.formula), ColumnEnd(canvas, g.inputPoints[1], 2), y);
    if (check.uncertainty) right(checkHeader[0], ColumnEnd(canvas, g.inputPoints[2], 2), y);
    if (check.tolerance) canvas.DrawText(VerdictX(g), y, checkHeader[1]);
  }
  if (check.uncertainty) {
    for (std::size_t k = 0; k < 10; ++k) {
      const std::string text = "U(" + std::string(labreport::kValueHeadings[k].In(language)) + ")";
      right(text, ColumnEnd(canvas, g.valuePoints[k], kValueFormats[k].decimals), y + g.pitch);
    }
  }
  const int rule = y + 2 * g.pitch + g.pitch / 6;
  canvas.DrawLine(0, rule, g.width, rule);
}

void DrawCheckRow(ReportCanvas& canvas, const LabReportGeometry& g, const LabReportContent& content,
                  const LabReportCheck& check, std::size_t index, int y) {
  const LabReportRow row = LabReportRowOf(content, index);
  const LabReportCheck::Row& c = check.rows.at(index);
  const char separator = content.separator;
  canvas.DrawText(g.xNumberEnd - canvas.TextWidth(row.number), y, row.number);
  canvas.DrawText(g.xNumberEnd, y, row.marks);
  const int nameEnd = DecimalAlignedX(canvas, "000", separator, g.inputPoints[1]) - canvas.TextWidth(" ");
  canvas.DrawText(g.xName, y, FitName(canvas, row.name, nameEnd - g.xName));
  if (content.reference) {
    DrawAligned(canvas, c.difference ? FormatDifference(*c.difference, separator) : std::string(kNoDifference), separator,
                g.inputPoints[1], 2, y);
    if (check.uncertainty) DrawAligned(canvas, c.check.expanded, separator, g.inputPoints[2], 2, y);
    if (check.tolerance && c.check.verdict) {
      const std::string_view verdict = VerdictText(*c.check.verdict, content.language);
      const VerdictFill fill = FillOf(*c.check.verdict);
      const int pad = g.pitch / 4;
      canvas.FillRect(VerdictX(g) - pad, y - pad / 2, canvas.TextWidth(verdict) + 2 * pad, g.pitch,
                      Rgb{static_cast<std::uint8_t>(fill.red), static_cast<std::uint8_t>(fill.green),
                          static_cast<std::uint8_t>(fill.blue)});
      canvas.DrawText(VerdictX(g), y, verdict);
    } else if (check.tolerance) {
      canvas.DrawText(VerdictX(g), y, kNoDifference);
    }
  }
  if (check.uncertainty) {
    // A sample with an uncertainty keeps its inputs, and so its wine type.
    const std::optional<SampleInput>& input = content.samples[index].input;
    const RowValues U = c.u && input ? ExpandedValues(*c.u, input->wine) : RowValues{};
    for (std::size_t k = 0; k < 10; ++k) {
      const std::string text = U[k] ? FormatFixed(*U[k], 18, kValueFormats[k].decimals, separator) : std::string(kNoDifference);
      DrawAligned(canvas, text, separator, g.valuePoints[k], kValueFormats[k].decimals, y + g.pitch);
    }
  }
  const int rule = y + RowHeight(g) - g.pitch / 6;
  canvas.DrawColouredLine(0, rule, g.width, rule, kGridColour);
}

void DrawCheckPage(ReportCanvas& canvas, const LabReportGeometry& g, const LabReportContent& content, int page) {
  const LabReportCheck& check = *content.check;
  if (page == 0) DrawCheckBlock(canvas, g, content, check);
  const int yTable = page == 0 ? g.yTableFirst : g.yTableOther;
  DrawCheckHeading(canvas, g, content, check, yTable);
  const PageRows rows = RowsOf(g, content.samples.size(), page);
  bool withoutU = false;
  for (std::size_t i = 0; i < rows.count; ++i) {
    const std::size_t index = rows.first + i;
    withoutU = withoutU || !check.rows.at(index).u;
    DrawCheckRow(canvas, g, content, check, index, g.YRow(page == 0, static_cast<int>(i)));
  }
  if (withoutU && check.uncertainty) {
    canvas.DrawText(0, g.yFootnotes, FitName(canvas, std::string(labreport::kNoUncertaintyNote.In(content.language)), g.width));
  }
}

}  // namespace

LabReportGeometry::LabReportGeometry(int w, int h) : width(w), height(h) {
  pitch = Fraction(h, 64);
  yHeader = 0;
  yMethod = (kHeaderLines + 1) * pitch;
  yTableFirst = yMethod + kMethodLines * pitch;
  yTableOther = yMethod;
  yFootnotes = h - 2 * pitch;
  xNumberEnd = Fraction(w, 25);
  xSwatch = Fraction(w, 20);
  swatchSize = pitch * 3 / 2;
  xName = xSwatch + swatchSize + Fraction(w, 100);
  xWine = Fraction(w, 2.8);
  inputPoints = {Fraction(w, 2), Fraction(w, 1.786), Fraction(w, 1.587), Fraction(w, 1.408),
                 Fraction(w, 1.266), Fraction(w, 1.149), Fraction(w, 1.053)};
  for (int k = 0; k < 10; ++k) valuePoints[static_cast<std::size_t>(k)] = xName + Fraction(w, 20) + k * Fraction(w, 11.4);
  xChart = Fraction(w, 16);
  yChart = yTableOther + 2 * pitch;
  chartScale = std::max(1, static_cast<int>(0.7 * w / AbChartDrawing().width));
  xLScale = xChart + AbChartDrawing().width * chartScale + Fraction(w, 20);
  ySignature = yChart + std::max(AbChartDrawing().height, LScaleDrawing().height) * chartScale + 3 * pitch;
}

int LabReportGeometry::YRow(bool first, int row) const {
  return (first ? yTableFirst : yTableOther) + HeadingHeight(*this) + row * RowHeight(*this);
}

int LabReportGeometry::RowsOnPage(bool first) const {
  const int top = (first ? yTableFirst : yTableOther) + HeadingHeight(*this);
  return std::max(1, (yFootnotes - pitch / 2 - top) / RowHeight(*this));
}

int LabReportPageCount(const LabReportContent& content, int width, int height) {
  const int tablePages = TablePages(LabReportGeometry(width, height), content.samples.size());
  return (content.check ? 2 * tablePages : tablePages) + 1;
}

int DecimalAlignedX(ReportCanvas& canvas, std::string_view text, char separator, int point) {
  const std::size_t at = text.find(separator);
  return point - canvas.TextWidth(text.substr(0, at));
}

std::optional<LabReportCheck> CheckReportSamples(const LabReportContent& content,
                                                 std::optional<std::size_t> referenceIndex,
                                                 const std::optional<InputUncertainty>& uncertainty,
                                                 const std::optional<Tolerance>& tolerance,
                                                 const std::vector<std::optional<ColourUncertainty>>& known) {
  if (!uncertainty && !tolerance) return std::nullopt;
  LabReportCheck check;
  check.uncertainty = uncertainty;
  check.tolerance = tolerance;
  if (tolerance) check.formula = tolerance->formula;
  std::vector<std::optional<ColourUncertainty>> u(content.samples.size());
  if (uncertainty) {
    for (std::size_t i = 0; i < u.size(); ++i) {
      u[i] = i < known.size() && known[i] ? known[i] : SampleUncertainty(content.samples[i], *uncertainty);
    }
  }
  std::optional<DifferenceReference> reference;
  if (content.reference) {
    reference = DifferenceReference{*content.reference, std::nullopt, std::nullopt, content.referenceName, content.referenceIsTarget};
    // A typed target is a definition, without uncertainty; a reference sample has its own.
    if (content.referenceIsTarget) {
      reference->covariance = LabCovariance{};
    } else if (referenceIndex && *referenceIndex < u.size()) {
      reference->sample = referenceIndex;
      if (u[*referenceIndex]) reference->covariance = u[*referenceIndex]->lab;
    }
  }
  // Each difference's U comes with a check against a tolerance; without one, the check is made
  // against no limit and only its U is kept.
  QualityCheck quality;
  quality.uncertainty = uncertainty;
  quality.tolerance = tolerance ? *tolerance : Tolerance{std::numeric_limits<double>::infinity()};
  const DifferenceTable table = CompareSamples(content.samples, reference ? &*reference : nullptr, content.separator,
                                               content.language, quality, u);
  for (std::size_t i = 0; i < content.samples.size(); ++i) {
    LabReportCheck::Row row;
    row.u = u[i];
    if (table.values[i]) row.difference = (*table.values[i])[check.formula == DifferenceFormula::De00 ? 6 : 5];
    row.check = table.checks[i];
    if (!tolerance) row.check.verdict.reset();
    check.rows.push_back(std::move(row));
  }
  if (tolerance) {
    check.rule = table.rule;
    check.conforming = table.conforming;
  }
  return check;
}

LabReportContent LabReportOf(const SampleStore& store, LabReportDetails details, Language language, char separator,
                             int referenceRow, const QualityCheck& check) {
  LabReportContent content;
  content.language = language;
  content.separator = separator;
  content.details = std::move(details);
  content.samples = store.Samples();
  std::optional<std::size_t> referenceIndex;
  if (check.target) {
    content.reference = check.target;
    content.referenceName = TargetName(*check.target, separator);
    content.referenceIsTarget = true;
  } else if (store.HoldsSample(referenceRow)) {
    const StoredSample& reference = store.Sample(referenceRow);
    if (const std::optional<Lab> lab = LabOf(reference.values)) {
      content.reference = lab;
      content.referenceName = std::string(TrimmedBlanks(reference.cells[0]));
      referenceIndex = static_cast<std::size_t>(referenceRow - 1);
    }
  }
  content.check = CheckReportSamples(content, referenceIndex, check.uncertainty, check.tolerance);
  return content;
}

LabReportRow LabReportRowOf(const LabReportContent& content, std::size_t index) {
  const StoredSample& s = content.samples.at(index);
  const Language language = content.language;
  LabReportRow row;
  row.number = std::to_string(index + 1);
  if (s.edited) row.marks += labreport::kEditedMark;
  if (s.origin == SampleOrigin::OpenedFromFile) row.marks += labreport::kOpenedMark;
  row.name = std::string(TrimmedBlanks(s.cells[0]));
  const RowValues& v = s.values;
  if (v[0] && v[1] && v[2]) row.swatch = DisplayColour(*v[0], *v[1], *v[2]);
  if (s.input && s.origin != SampleOrigin::OpenedFromFile) {
    row.wine = (s.input->wine == WineType::RedRose ? labreport::kRedRose : labreport::kWhiteBrandy).In(language);
    row.inputs[0] = std::to_string(s.input->d);
    row.inputs[1] = std::to_string(s.input->r);
    if (s.origin == SampleOrigin::Calculated) {
      const std::array<double, 4> parsed = {s.input->a450, s.input->a520, s.input->a570, s.input->a630};
      for (std::size_t k = 0; k < 4; ++k) {
        const std::string_view typed = TrimmedBlanks(s.absorbanceTexts[k]);
        row.inputs[2 + k] = typed.empty() ? FormatFixed(parsed[k], 18, 3, content.separator) : std::string(typed);
      }
    }
  }
  if (const std::optional<Lab> lab = LabOf(v); content.reference && lab) {
    row.inputs[6] = FormatFixed(Ciede2000(*content.reference, *lab), 18, 2, content.separator);
  }
  for (std::size_t k = 0; k < 10; ++k) {
    row.values[k] = v[k] ? FormatFixed(*v[k], kValueFormats[k].precision, kValueFormats[k].decimals, content.separator)
                         : std::string(TrimmedBlanks(s.cells[k + 1]));
  }
  return row;
}

void PrintLabReport(ReportCanvas& canvas, int width, int height, const LabReportContent& content, int page) {
  const LabReportGeometry g(width, height);
  const int tablePages = TablePages(g, content.samples.size());
  const int checkPages = content.check ? tablePages : 0;
  DrawHeader(canvas, g, content, page, tablePages + checkPages + 1);
  if (page == 0) DrawMethod(canvas, g, content);
  if (page < tablePages) {
    DrawTablePage(canvas, g, content, page);
  } else if (page < tablePages + checkPages) {
    DrawCheckPage(canvas, g, content, page - tablePages);
  } else {
    DrawChartPage(canvas, g, content);
  }
}

}  // namespace tintavis
