// tintavis-calc --pdf, the built tool run on the example file: one A4 portrait page whose words
// stand where the report's geometry puts them.
#include "cli/pdfreport.h"

#include <gtest/gtest.h>

#include <QPageLayout>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "io/report.h"
#include "tests/support/pdftools.h"

namespace {

namespace fs = std::filesystem;
using tintavis::ReportGeometry;
using tintavis::testing::CommandOutput;
using tintavis::testing::PdfWord;
using tintavis::testing::PdfWords;
using tintavis::testing::PopplerToolsPresent;
using tintavis::testing::Quoted;
using tintavis::testing::ReadPdfInfo;
using tintavis::testing::RenderPdfPiece;

const std::string kTool = TINTAVIS_CALC_PATH;
const std::string kSamples = std::string(TINTAVIS_SOURCE_DIR) + "/examples/samples.tsv";

// Words may sit a little off the point: the glyphs' side bearings and the PDF font's own
// ascent.
constexpr double kTolerance = 1.0;

class PdfReportToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(PopplerToolsPresent());
    folder = fs::path(::testing::TempDir()) /
             ("tintavis_pdf_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    // The page the tool lays out, measured on a writer set up the same way.
    QPdfWriter writer(QString::fromStdString((folder / "probe.pdf").string()));
    tintavis::batch::SetUpReportPage(writer);
    width = writer.width();
    height = writer.height();
    origin = writer.pageLayout().paintRect(QPageLayout::Point).topLeft();
  }
  void TearDown() override { fs::remove_all(folder); }

  // Runs the tool; standard output goes to a file.
  int Tool(const std::string& arguments, const std::string& environment = {}) {
    int status = 0;
    CommandOutput(environment + " " + Quoted(kTool) + " " + arguments + " >" + Quoted((folder / "out.txt").string()) +
                      " 2>" + Quoted((folder / "err.txt").string()),
                  &status);
    return status;
  }
  std::string Read(const char* name) const {
    std::ifstream in(folder / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::string Pdf() const { return (folder / "report.pdf").string(); }

  // Points on the page of a device pixel position.
  double X(int x) const { return origin.x() + x * 72.0 / tintavis::batch::kPdfResolution; }
  double Y(int y) const { return origin.y() + y * 72.0 / tintavis::batch::kPdfResolution; }

  // The word whose box starts nearest to (x, y) among those with this text.
  static std::optional<PdfWord> Nearest(const std::vector<PdfWord>& words, const std::string& text, double x, double y) {
    std::optional<PdfWord> best;
    double bestDistance = 0;
    for (const PdfWord& w : words) {
      if (w.text != text) continue;
      const double d = std::abs(w.xMin - x) + std::abs(w.yMin - y);
      if (!best || d < bestDistance) {
        best = w;
        bestDistance = d;
      }
    }
    return best;
  }
  void ExpectWordAt(const std::vector<PdfWord>& words, const std::string& text, int x, int y) {
    const auto w = Nearest(words, text, X(x), Y(y));
    ASSERT_TRUE(w.has_value()) << text << " is not on the page";
    EXPECT_NEAR(w->xMin, X(x), kTolerance) << text;
    EXPECT_NEAR(w->yMin, Y(y), kTolerance) << text;
  }

  fs::path folder;
  int width = 0;
  int height = 0;
  QPointF origin;
};

TEST_F(PdfReportToolTest, WritesOnePortraitA4PageBesideTheUnchangedDataFile) {
  ASSERT_EQ(Tool(Quoted(kSamples)), 0);
  const std::string plain = Read("out.txt");
  ASSERT_EQ(Tool("--pdf " + Quoted(Pdf()) + " " + Quoted(kSamples)), 0) << Read("err.txt");
  EXPECT_EQ(Read("out.txt"), plain);
  EXPECT_EQ(Read("err.txt"), "");
  const auto info = ReadPdfInfo(Pdf());
  ASSERT_TRUE(info.has_value());
  EXPECT_EQ(info->pages, 1);
  EXPECT_NEAR(info->width, 595, 1);   // A4: 210 mm
  EXPECT_NEAR(info->height, 842, 1);  // 297 mm
}

TEST_F(PdfReportToolTest, WordsStandWhereTheGeometryPutsThem) {
  ASSERT_EQ(Tool("--pdf " + Quoted(Pdf()) + " " + Quoted(kSamples)), 0) << Read("err.txt");
  const auto words = PdfWords(Pdf());
  const ReportGeometry g(width, height);
  ExpectWordAt(words, "TINTAVIS", g.xCaption, g.yCaption);
  const auto file = Nearest(words, "samples.tsv", X(g.xCaption), Y(g.yCaption));  // same line, further right
  ASSERT_TRUE(file.has_value());
  EXPECT_NEAR(file->yMin, Y(g.yCaption), kTolerance);
  ExpectWordAt(words, "Coordenadas", g.xTitle, g.yTitle);
  ExpectWordAt(words, "nº", g.xNo, g.YText(0));
  ExpectWordAt(words, "Muestra", g.xNameHead, g.YText(0));
  ExpectWordAt(words, "dA(%)", tintavis::RoundHalfEven(width / 1.095), g.YText(0));
  // Row 1: Crianza; row 4: Verdejo, a white wine; row 5: Brandy solera.
  ExpectWordAt(words, "1", g.xNo, g.YText(1));
  ExpectWordAt(words, "Crianza", g.xName, g.YText(1));
  ExpectWordAt(words, "3.213", g.XValue(2), g.YText(1));
  ExpectWordAt(words, "0.533", g.XValue(11), g.YText(1));
  ExpectWordAt(words, "Verdejo", g.xName, g.YText(4));
  ExpectWordAt(words, "93.87", g.XValue(7), g.YText(4));
  ExpectWordAt(words, "5", g.xNo, g.YText(5));
  ExpectWordAt(words, "Brandy", g.xName, g.YText(5));
  ExpectWordAt(words, "7.78", g.XValue(9), g.YText(5));
  // Nothing below the fifth row.
  for (const PdfWord& w : words) EXPECT_LT(w.yMin, Y(g.YText(6))) << w.text;
}

TEST_F(PdfReportToolTest, EnglishReportOfStandardInput) {
  ASSERT_EQ(Tool("--lang en --pdf " + Quoted(Pdf()) + " - <" + Quoted(kSamples)), 0) << Read("err.txt");
  const auto words = PdfWords(Pdf());
  ASSERT_GE(words.size(), 2u);
  // The caption of a window that has not saved or opened a file.
  EXPECT_EQ(words[0].text, "TINTAVIS");
  EXPECT_EQ(words[1].text.front(), '(');
  const ReportGeometry g(width, height);
  ExpectWordAt(words, "Coordinates", g.xTitle, g.yTitle);
  ExpectWordAt(words, "Sample", g.xNameHead, g.YText(0));
  ExpectWordAt(words, "Ton", tintavis::RoundHalfEven(width / 1.265), g.YText(0));
}

TEST_F(PdfReportToolTest, ReportHoldsTheFirstFiftySamples) {
  {
    std::ofstream in(folder / "many.tsv");
    for (int i = 1; i <= 60; ++i) in << "S" << i << "\tred\t2\t10\t0.5\t0.8\t0.6\t0.2\n";
  }
  ASSERT_EQ(Tool("--pdf " + Quoted(Pdf()) + " " + Quoted((folder / "many.tsv").string())), 0) << Read("err.txt");
  // The ten left out are not lost unseen.
  EXPECT_EQ(Read("err.txt"), "tintavis-calc: the report '" + Pdf() +
                                 "' holds the first 50 of the 60 samples computed; --pdf-all prints them all\n");
  const auto words = PdfWords(Pdf());
  const ReportGeometry g(width, height);
  ExpectWordAt(words, "50", g.xNo, g.YText(50));
  ExpectWordAt(words, "S50", g.xName, g.YText(50));
  for (const PdfWord& w : words) {
    EXPECT_NE(w.text, "S51");
    EXPECT_NE(w.text, "51");
  }
  const auto info = ReadPdfInfo(Pdf());
  ASSERT_TRUE(info.has_value());
  EXPECT_EQ(info->pages, 1);
}

TEST_F(PdfReportToolTest, PdfAllPrintsEverySampleOverNumberedPages) {
  {
    std::ofstream in(folder / "many.tsv");
    for (int i = 1; i <= 120; ++i) in << "S" << i << "\tred\t2\t10\t0.5\t0.8\t0.6\t0.2\n";
  }
  ASSERT_EQ(Tool("--pdf-all " + Quoted(Pdf()) + " " + Quoted((folder / "many.tsv").string())), 0) << Read("err.txt");
  EXPECT_EQ(Read("err.txt"), "");
  const auto info = ReadPdfInfo(Pdf());
  ASSERT_TRUE(info.has_value());
  ASSERT_EQ(info->pages, 3);
  const ReportGeometry g(width, height);
  for (int page = 1; page <= 3; ++page) {
    const auto words = PdfWords(Pdf(), page);
    // Each page: the caption line with its number at the right border, the title, the headings.
    ExpectWordAt(words, "TINTAVIS", g.xCaption, g.yCaption);
    const std::string number = std::to_string(page) + "/3";
    const auto n = Nearest(words, number, X(g.xRight), Y(g.yCaption));
    ASSERT_TRUE(n.has_value()) << number;
    EXPECT_NEAR(n->xMax, X(g.xRight), kTolerance);
    EXPECT_NEAR(n->yMin, Y(g.yCaption), kTolerance);
    ExpectWordAt(words, "Coordenadas", g.xTitle, g.yTitle);
    ExpectWordAt(words, "Muestra", g.xNameHead, g.YText(0));
    // The page's first row goes on from the last page's.
    const int first = (page - 1) * 50 + 1;
    ExpectWordAt(words, std::to_string(first), g.xNo, g.YText(1));
    ExpectWordAt(words, "S" + std::to_string(first), g.xName, g.YText(1));
  }
  const auto last = PdfWords(Pdf(), 3);
  ExpectWordAt(last, "S120", g.xName, g.YText(20));
  for (const PdfWord& w : last) EXPECT_LT(w.yMin, Y(g.YText(21))) << w.text;
}

TEST_F(PdfReportToolTest, ALongNameIsCutBeforeTheNumbersWhichStayReadable) {
  const std::string name = "Reserva Ribera del Duero gran selecci\u00F3n de barricas";
  {
    std::ofstream in(folder / "long.tsv");
    in << name << "\tred\t2\t10\t0.5\t0.8\t0.6\t0.2\n";
  }
  ASSERT_EQ(Tool("--pdf " + Quoted(Pdf()) + " " + Quoted((folder / "long.tsv").string())), 0) << Read("err.txt");
  // The data file keeps the whole name (in Windows-1252, which holds the "ó").
  EXPECT_NE(Read("out.txt").find("Reserva Ribera del Duero gran selecci\xF3n de barricas \t3.213"), std::string::npos);
  const auto words = PdfWords(Pdf());
  const ReportGeometry g(width, height);
  ExpectWordAt(words, "Reserva", g.xName, g.YText(1));
  ExpectWordAt(words, "3.213", g.XValue(2), g.YText(1));
  // The name's words on row 1 end before the first column line, the last with the ellipsis.
  std::string printed;
  for (const PdfWord& w : words) {
    if (std::abs(w.yMin - Y(g.YText(1))) > kTolerance || w.xMin < X(g.xName) - kTolerance || w.xMin > X(g.XCol(0))) continue;
    EXPECT_LT(w.xMax, X(g.XCol(0))) << w.text;
    printed += printed.empty() ? w.text : " " + w.text;
  }
  ASSERT_GE(printed.size(), 4u);
  EXPECT_EQ(printed.substr(printed.size() - 3), "\u2026") << printed;
  EXPECT_EQ(name.rfind(printed.substr(0, printed.size() - 3), 0), 0u) << printed;
}

TEST_F(PdfReportToolTest, LinesAreSolidBlackOneDevicePixelWide) {
  ASSERT_EQ(Tool("--pdf " + Quoted(Pdf()) + " " + Quoted(kSamples)), 0) << Read("err.txt");
  const ReportGeometry g(width, height);
  // Rendered at the page's own resolution, one device pixel is one rendered pixel. A piece of
  // the top border, halfway along it, and of the left border, halfway down.
  const double pixelsPerPoint = tintavis::batch::kPdfResolution / 72.0;
  const int topRow = static_cast<int>(std::lround(Y(g.yTop) * pixelsPerPoint));
  const int leftColumn = static_cast<int>(std::lround(X(g.xLeft) * pixelsPerPoint));
  const int alongX = static_cast<int>(std::lround(X((g.xLeft + g.xRight) / 2) * pixelsPerPoint));
  const int alongY = static_cast<int>(std::lround(Y((g.yTop + g.YBottom(5)) / 2) * pixelsPerPoint));
  const auto top = RenderPdfPiece(Pdf(), tintavis::batch::kPdfResolution, alongX, topRow - 8, 40, 17);
  const auto left = RenderPdfPiece(Pdf(), tintavis::batch::kPdfResolution, leftColumn - 8, alongY, 17, 40);
  ASSERT_EQ(top.height, 17);
  ASSERT_EQ(left.width, 17);
  // Across the line: one run of black pixels, one pixel long, white on both sides.
  const auto across = [](const tintavis::testing::PdfGreys& piece, bool rows) {
    std::vector<int> darkest;
    const int count = rows ? piece.height : piece.width;
    for (int i = 0; i < count; ++i) {
      int d = 255;
      for (int j = 0; j < (rows ? piece.width : piece.height); ++j) d = std::min(d, rows ? piece.At(j, i) : piece.At(i, j));
      darkest.push_back(d);
    }
    return darkest;
  };
  for (const auto& darkest : {across(top, true), across(left, false)}) {
    int black = 0;
    int grey = 0;
    for (const int d : darkest) {
      black += d <= 64 ? 1 : 0;
      grey += d > 64 && d < 250 ? 1 : 0;
    }
    EXPECT_EQ(black, 1);
    EXPECT_EQ(grey, 0);
  }
}

TEST_F(PdfReportToolTest, RunsWithoutADisplayAndStartsNoGuiForTheDataFileAlone) {
  ASSERT_EQ(Tool("--pdf " + Quoted(Pdf()) + " " + Quoted(kSamples), "env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY"),
            0)
      << Read("err.txt");
  EXPECT_TRUE(fs::exists(Pdf()));
  // A platform that does not exist would stop Qt at its start: without --pdf it is never met.
  EXPECT_EQ(Tool(Quoted(kSamples), "env QT_QPA_PLATFORM=no-such-platform"), 0) << Read("err.txt");
}

TEST_F(PdfReportToolTest, AnUnwritableReportExitsTwoWithAMessage) {
  const std::string target = (folder / "missing" / "report.pdf").string();
  EXPECT_EQ(Tool("--pdf " + Quoted(target) + " " + Quoted(kSamples)), 2);
  EXPECT_EQ(Read("err.txt"), "tintavis-calc: cannot write the report '" + target + "': La carpeta no existe\n");
  EXPECT_FALSE(fs::exists(target));
}

TEST_F(PdfReportToolTest, NamesThatAreNotUtf8ReachTheFileSystemByteForByte) {
  // Each report name would read as the input's name if it went through a lossy conversion (the
  // bad bytes becoming U+FFFD, EF BF BD).
  const std::pair<std::string, std::string> cases[] = {
      {"vino\xF1.tsv", "vino\xEF\xBF\xBD.tsv"},
      {"informe\xFF\xFE.pdf", "informe\xEF\xBF\xBD\xEF\xBF\xBD.pdf"},
      {"corte\xC3.pdf", "corte\xEF\xBF\xBD.pdf"},
  };
  for (const auto& [report, input] : cases) {
    SCOPED_TRACE(report);
    fs::copy_file(kSamples, folder / input, fs::copy_options::overwrite_existing);
    ASSERT_EQ(Tool("--pdf " + Quoted((folder / report).string()) + " " + Quoted((folder / input).string())), 0)
        << Read("err.txt");
    std::ifstream in(folder / input, std::ios::binary);
    std::ifstream original(kSamples, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), std::string(std::istreambuf_iterator<char>(original), {}));
    ASSERT_TRUE(fs::exists(folder / report));
    EXPECT_TRUE(ReadPdfInfo((folder / report).string()).has_value());
  }
}

TEST_F(PdfReportToolTest, AFailingDiskIsReportedAndTheOldReportStays) {
  ASSERT_EQ(Tool("--pdf " + Quoted(Pdf()) + " " + Quoted(kSamples)), 0) << Read("err.txt");
  const std::string before = Read("report.pdf");
  // A name beyond ASCII holds the lines back in a temporary file until the encoding is known.
  const std::string anejo = (folder / "anejo.tsv").string();
  {
    std::ofstream out(anejo, std::ios::binary);
    out << "A\xC3\xB1" "ejo\tred\t2\t10\t0.5\t0.8\t0.6\t0.2\n";
    for (int i = 0; i < 40; ++i) out << "Crianza\tred\t2\t10\t0.5\t0.8\t0.6\t0.2\n";
  }
  const std::string temporary = (folder / "tmp").string();
  fs::create_directory(temporary);
  struct Case {
    const char* what;
    std::string shell;  // before the tool's command
    std::string arguments;  // the input included
    std::string out;        // where standard output goes
    std::string said;
  } cases[] = {
      {"size limit on the temporary file", "ulimit -f 1; TMPDIR=" + Quoted(temporary), Quoted(anejo), "/dev/null",
       "tintavis-calc: cannot write the temporary file in '" + temporary + "': File too large\n"},
      // A file-size limit (in blocks of 512 bytes) below the report, above the data file: the
      // write fails with EFBIG instead of the signal ending the tool.
      {"size limit on the report", "ulimit -f 8;", "--pdf " + Quoted(Pdf()) + " " + Quoted(kSamples), "/dev/null",
       "tintavis-calc: cannot write the report '" + Pdf() + "': Disk full\n"},
      {"size limit on the output", "ulimit -f 1;", "--precise --spectrum " + Quoted(kSamples), (folder / "big.txt").string(),
       "tintavis-calc: cannot write the output: File too large\n"},
      {"full device", "", "--pdf " + Quoted(Pdf()) + " " + Quoted(kSamples), "/dev/full",
       "tintavis-calc: cannot write the output: No space left on device\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    int status = 0;
    CommandOutput(c.shell + " " + Quoted(kTool) + " " + c.arguments + " >" + Quoted(c.out) +
                      " 2>" + Quoted((folder / "err.txt").string()),
                  &status);
    EXPECT_EQ(status, 2);
    EXPECT_EQ(Read("err.txt"), c.said);
    EXPECT_EQ(Read("report.pdf"), before);
    fs::remove(folder / "big.txt");
    // No temporary file is left behind.
    for (const auto& e : fs::directory_iterator(folder)) EXPECT_NE(e.path().filename().string().front(), '.') << e.path();
  }
}

}  // namespace
