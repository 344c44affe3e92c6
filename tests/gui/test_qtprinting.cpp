// The report on Qt's devices: the font fits the columns on A4 and Letter, texts hang from their
// point, and the date and time come in the locale's short date and long time.
#include "gui/qtprinting.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QFontMetrics>
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <string>
#include <vector>

namespace {

using tintavis::ReportGeometry;

struct Paper {
  const char* name;
  QPageSize::PageSizeId size;
  double margin;  // millimetres on every side
};

// Qt's own PDF margins (10 points) and the larger quarter inch of many printers.
const Paper kPapers[] = {
    {"A4QtMargins", QPageSize::A4, 10.0 * 25.4 / 72.0},
    {"A4QuarterInch", QPageSize::A4, 6.35},
    {"LetterQtMargins", QPageSize::Letter, 10.0 * 25.4 / 72.0},
    {"LetterQuarterInch", QPageSize::Letter, 6.35},
};

class ReportFontTest : public ::testing::TestWithParam<Paper> {
 protected:
  void SetUp() override {
    printer.setOutputFormat(QPrinter::PdfFormat);
    const Paper& p = GetParam();
    printer.setPageLayout(QPageLayout(QPageSize(p.size), QPageLayout::Portrait,
                                      QMarginsF(p.margin, p.margin, p.margin, p.margin), QPageLayout::Millimeter));
  }
  int Width(const QString& text) const { return QFontMetrics(tintavis::ReportFont(), &printer).horizontalAdvance(text); }
  // The first line to the right of x: a column line or the right border.
  int NextLine(const ReportGeometry& g, int x) const {
    std::vector<int> lines = {g.xSep, g.xRight};
    for (int j = 0; j < ReportGeometry::kColumnLines; ++j) lines.push_back(g.XCol(j));
    std::sort(lines.begin(), lines.end());
    return *std::upper_bound(lines.begin(), lines.end(), x);
  }

  QPrinter printer{QPrinter::HighResolution};
};

TEST_P(ReportFontTest, TheWidestValuesStayInsideTheirColumns) {
  const ReportGeometry g(printer.width(), printer.height());
  // The widest texts each column holds in practice: X, Y, Z up to the white point's 107.3, L*
  // up to 100, C* rarely past 100, h below 360, a* and b* with a sign, Intensity and Tonality
  // with two digits before the point.
  const std::pair<int, const char*> widest[] = {{2, "107.304"}, {3, "107.304"}, {4, "107.304"}, {5, "100.0"},
                                                {6, "100.00"},  {7, "359.99"},  {8, "-88.88"},  {9, "-88.88"},
                                                {10, "12.350"}, {11, "10.500"}, {11, "  --"}};
  for (const auto& [column, text] : widest) {
    const int x = g.XValue(column);
    EXPECT_LT(x + Width(text), NextLine(g, x)) << "column " << column << " " << text;
  }
  EXPECT_LT(g.xNo + Width("50"), g.xSep);
  EXPECT_LT(g.xName + Width("Crianza half cell "), g.XCol(0));
}

TEST_P(ReportFontTest, TheHeadingsTitleAndCaptionStayInsideTheTable) {
  const ReportGeometry g(printer.width(), printer.height());
  for (std::size_t i = 0; i < tintavis::headings::kReport.size(); ++i) {
    const auto& h = tintavis::headings::kReport[i];
    for (const std::string_view text : {h.spanish, h.english}) {
      const int x = tintavis::RoundHalfEven(g.width / tintavis::kReportHeadingDivisors[i]);
      EXPECT_LT(x + Width(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))), NextLine(g, x))
          << text;
    }
  }
  for (const std::string_view title : {tintavis::headings::kReportTitle.spanish, tintavis::headings::kReportTitle.english}) {
    EXPECT_LT(g.xTitle + Width(QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size()))), g.xRight);
  }
  EXPECT_LT(g.xCaption + Width("TINTAVIS - Muestras de la bodega.xls          (31/12/2026 23:59:59 CET)"), g.xRight);
}

TEST_P(ReportFontTest, EveryTextFitsBetweenTheLinesOfItsBand) {
  const ReportGeometry g(printer.width(), printer.height());
  const QFontMetrics fm(tintavis::ReportFont(), &printer);
  // Title band between lines 0 and 1; header and sample row r between lines r + 1 and r + 2.
  EXPECT_GT(g.yTitle, g.YLine(0));
  EXPECT_LE(g.yTitle + fm.height(), g.YLine(1));
  for (const int r : {0, 1, 50}) {
    EXPECT_GT(g.YText(r), g.YLine(r + 1)) << r;
    EXPECT_LE(g.YText(r) + fm.height(), g.YLine(r + 2)) << r;
  }
  // The caption line sits above the table.
  EXPECT_LE(g.yCaption + fm.height(), g.YLine(0));
}

INSTANTIATE_TEST_SUITE_P(Papers, ReportFontTest, ::testing::ValuesIn(kPapers),
                         [](const ::testing::TestParamInfo<Paper>& p) { return std::string(p.param.name); });

TEST(ReportFont, IsArialOrItsMetricTwinAtSevenPoints) {
  const QFont font = tintavis::ReportFont();
  EXPECT_EQ(font.family(), "Arial");
  EXPECT_DOUBLE_EQ(font.pointSizeF(), 7.0);
  const QString resolved = QFontInfo(font).family();
  EXPECT_TRUE(resolved == "Arial" || resolved == "Liberation Sans") << resolved.toStdString();
}

TEST(QPainterCanvas, TextHangsFromItsPointAndLinesAreOnePixelBlack) {
  QImage image(400, 200, QImage::Format_RGB32);
  image.fill(Qt::white);
  int fontHeight = 0;
  {
    QPainter painter(&image);
    painter.setFont(tintavis::ReportFont());
    fontHeight = painter.fontMetrics().height();
    tintavis::QPainterCanvas canvas(painter);
    canvas.DrawText(20, 50, "Hy\u00BA");
    canvas.DrawLine(10, 150, 300, 150);
  }
  auto inkInRows = [&](int from, int to) {
    for (int y = from; y < to; ++y) {
      for (int x = 0; x < 200; ++x) {
        if (qGray(image.pixel(x, y)) < 128) return true;
      }
    }
    return false;
  };
  EXPECT_FALSE(inkInRows(0, 50)) << "nothing above the point";
  EXPECT_TRUE(inkInRows(50, 50 + fontHeight));
  EXPECT_FALSE(inkInRows(50 + fontHeight, 140));
  // The line: row 150 black from x 10 to 300, rows 149 and 151 untouched.
  EXPECT_EQ(image.pixel(10, 150), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(300, 150), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(150, 149), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(150, 151), qRgb(255, 255, 255));
}

TEST(QPainterCanvas, TextWidthIsWhereTheInkOfTheTextEnds) {
  QImage image(600, 100, QImage::Format_RGB32);
  image.fill(Qt::white);
  struct Drawn {
    std::string text;
    int y, width;
  };
  std::vector<Drawn> drawn = {{"Reserva", 10, 0}, {"MMMM", 40, 0}, {"Ribera del Duero", 70, 0}};
  {
    QPainter painter(&image);
    painter.setFont(tintavis::ReportFont());
    tintavis::QPainterCanvas canvas(painter);
    for (Drawn& d : drawn) {
      canvas.DrawText(20, d.y, d.text);
      d.width = canvas.TextWidth(d.text);
    }
  }
  for (const Drawn& d : drawn) {
    int right = 0;  // one past the rightmost inked column of the text's rows
    for (int y = d.y; y < d.y + 25; ++y) {
      for (int x = 0; x < image.width(); ++x) {
        if (qGray(image.pixel(x, y)) < 160) right = std::max(right, x + 1);
      }
    }
    // The last glyph may keep a pixel or two of its advance clear.
    EXPECT_LE(right, 20 + d.width + 1) << d.text;
    EXPECT_GE(right, 20 + d.width - 3) << d.text;
  }
}

TEST(ReportMoment, TheDateInTheProgramsLanguageWithFourDigitsTheTimeAsTheSystemWritesIt) {
  const QDateTime afternoon(QDate(2026, 12, 9), QTime(14, 5, 7));
  const QLocale spain(QLocale::Spanish, QLocale::Spain);
  const QLocale us(QLocale::English, QLocale::UnitedStates);
  const QLocale germany(QLocale::German, QLocale::Germany);
  struct Case {
    tintavis::Language language;
    QLocale system;
    const char* date;
    const char* timeStart;  // the zone may follow
  };
  const Case cases[] = {
      {tintavis::Language::Spanish, spain, "9/12/2026", "14:05:07"},
      {tintavis::Language::English, us, "12/9/2026", "2:05:07"},
      // A system of another language: Spain's dates in Spanish, the United Kingdom's in English.
      {tintavis::Language::English, spain, "09/12/2026", "14:05:07"},
      {tintavis::Language::Spanish, us, "9/12/2026", "2:05:07"},
      {tintavis::Language::Spanish, germany, "9/12/2026", "14:05:07"},
      // A system of the same language keeps its own way (Mexico's day first, two digits).
      {tintavis::Language::Spanish, QLocale(QLocale::Spanish, QLocale::Mexico), "09/12/2026", "14:05:07"},
  };
  for (const Case& c : cases) {
    const auto moment = tintavis::ReportMomentOf(afternoon, c.language, c.system);
    EXPECT_EQ(moment.date, c.date) << c.system.name().toStdString();
    EXPECT_EQ(moment.time.rfind(c.timeStart, 0), 0u) << moment.time;
    EXPECT_FALSE(moment.midnight);
  }

  const auto midnight = tintavis::ReportMomentOf(QDateTime(QDate(2026, 12, 9), QTime(0, 0)), tintavis::Language::Spanish, spain);
  EXPECT_TRUE(midnight.midnight);
  EXPECT_EQ(tintavis::ReportCaptionLine("TINTAVIS", midnight), "TINTAVIS          (9/12/2026)");
  // One second, or one millisecond, past midnight shows the time.
  EXPECT_FALSE(tintavis::ReportMomentOf(QDateTime(QDate(2026, 12, 9), QTime(0, 0, 1)), tintavis::Language::Spanish, spain).midnight);
  EXPECT_FALSE(
      tintavis::ReportMomentOf(QDateTime(QDate(2026, 12, 9), QTime(0, 0, 0, 1)), tintavis::Language::Spanish, spain).midnight);
}

TEST(ReportMoment, YearsOfAnyLengthBecomeFourDigitsQuotedTextStays) {
  const std::pair<const char*, const char*> cases[] = {
      {"d/M/yy", "d/M/yyyy"},     {"dd/MM/yyyy", "dd/MM/yyyy"}, {"yy-MM-dd", "yyyy-MM-dd"},
      {"d.M.y", "d.M.yyyy"},      {"d 'de' MMM 'y' yy", "d 'de' MMM 'y' yyyy"}, {"MM/dd", "MM/dd"},
  };
  for (const auto& [format, expected] : cases) EXPECT_EQ(tintavis::WithFourDigitYear(format), expected) << format;
}

}  // namespace
