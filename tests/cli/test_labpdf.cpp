// tintavis-calc --report, the built tool run on a few samples: an archivable A4 portrait PDF
// whose pages show the method, the headings, the inputs, each sample's colour and the chart.
#include <gtest/gtest.h>

#include <QPageLayout>
#include <QPdfWriter>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "cli/pdfreport.h"
#include "io/labreport.h"
#include "tests/support/pdftools.h"

namespace {

namespace fs = std::filesystem;
using namespace tintavis::testing;

const std::string kTool = TINTAVIS_CALC_PATH;
constexpr int kDpi = 300;

class LabPdfTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(PopplerToolsPresent());
    // A folder per test: ctest runs the tests side by side.
    folder = fs::path(::testing::TempDir()) /
             ("tintavis_labpdf_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    std::ofstream(folder / "in.tsv") << "Tinto joven\tred\t2\t10\t0.5\t0.8\t0.6\t0.2\n"
                                        "Blanco\twhite\t10\t10\t0,1\t0,05\t0,04\t0,03\n";
    QPdfWriter writer(QString::fromStdString((folder / "probe.pdf").string()));
    tintavis::batch::SetUpReportPage(writer);
    width = writer.width();
    height = writer.height();
    origin = writer.pageLayout().paintRect(QPageLayout::Point).topLeft();
  }
  void TearDown() override { fs::remove_all(folder); }

  int Tool(const std::string& arguments) {
    int status = 0;
    CommandOutput(Quoted(kTool) + " " + arguments + " >/dev/null 2>" + Quoted((folder / "err.txt").string()), &status);
    return status;
  }
  std::string Pdf() const { return (folder / "report.pdf").string(); }
  // The rendered pixel over device pixel (x, y) of the page.
  int Pixel(double points) const { return static_cast<int>(points * kDpi / 72.0); }
  std::optional<PdfRgb> At(int page, int x, int y) const {
    return RenderPdfPixel(Pdf(), page, kDpi, Pixel(origin.x() + x * 72.0 / tintavis::batch::kPdfResolution),
                          Pixel(origin.y() + y * 72.0 / tintavis::batch::kPdfResolution));
  }

  fs::path folder;
  int width = 0;
  int height = 0;
  QPointF origin;
};

TEST_F(LabPdfTest, TheReportIsAnArchivableA4FileWithTheSamplesAndTheChart) {
  ASSERT_EQ(Tool("--report " + Quoted(Pdf()) + " --lab Enolab --operator 'Ana Pérez' --instrument UV-1800 " +
                 Quoted((folder / "in.tsv").string())),
            0);
  const auto info = ReadPdfInfo(Pdf());
  ASSERT_TRUE(info);
  EXPECT_EQ(info->pages, 2);
  EXPECT_NEAR(info->width, 595, 1);
  EXPECT_NEAR(info->height, 842, 1);
  const std::string meta = CommandOutput("pdfinfo -meta " + Quoted(Pdf()) + " 2>/dev/null");
  const std::string infoText = CommandOutput("pdfinfo " + Quoted(Pdf()) + " 2>/dev/null");
  EXPECT_NE(FieldAfter(infoText, "Title:").find("Informe del laboratorio - Enolab"), std::string::npos);
  EXPECT_NE(FieldAfter(infoText, "Creator:").find("TINTAVIS"), std::string::npos);
  EXPECT_NE(meta.find("pdfaid:part"), std::string::npos) << meta;

  // Every font embedded: the column "emb" of each font line says "yes".
  std::istringstream fonts(CommandOutput("pdffonts " + Quoted(Pdf()) + " 2>/dev/null"));
  std::string line;
  int fontLines = 0;
  for (int i = 0; std::getline(fonts, line); ++i) {
    if (i < 2 || line.empty()) continue;  // the heading and its rule
    ++fontLines;
    EXPECT_NE(line.find(" yes "), std::string::npos) << line;
  }
  EXPECT_GT(fontLines, 0);

  // The text in reading order: header, method, headings, the known sample with its inputs.
  const std::string text = CommandOutput("pdftotext -layout -enc UTF-8 " + Quoted(Pdf()) + " - 2>/dev/null");
  std::size_t at = 0;
  for (const std::string expected :
       {"Laboratorio: Enolab", "Operador: Ana Pérez", "Instrumento: UV-1800", "Archivo de datos: in.tsv",
        "Método: CIELAB, iluminante D65, observador 10°", "Tipo de vino", "A450", "A630", "Ton.", "Tinto joven",
        "Tinto, Rosado", "0.5", "0.8", "0.6", "0.2", "3.213", "0.533", "Blanco, Brandy", "0,05",
        "Posición de las muestras en el espacio CIELAB", "Realizado por:", "Revisado por:"}) {
    const std::size_t found = text.find(expected, at);
    ASSERT_NE(found, std::string::npos) << expected << " after " << at << "\n" << text;
    at = found + expected.size();
  }

  // The swatch of the first sample in its display colour, RGB(93, 21, 28).
  const tintavis::LabReportGeometry g(width, height);
  const auto swatch = At(1, g.xSwatch + g.swatchSize / 2, g.YRow(true, 0) + g.swatchSize / 2);
  ASSERT_TRUE(swatch);
  EXPECT_NEAR(swatch->r, 93, 4);
  EXPECT_NEAR(swatch->g, 21, 4);
  EXPECT_NEAR(swatch->b, 28, 4);
  // The second sample's swatch is a pale yellow, not the first one's colour.
  const auto pale = At(1, g.xSwatch + g.swatchSize / 2, g.YRow(true, 1) + g.swatchSize / 2);
  ASSERT_TRUE(pale);
  EXPECT_GT(pale->r, 200);
  EXPECT_GT(pale->g, 200);

  // The a* axis of the chart, black across the chart at b* = 0 (chart row 255) between two ticks, and the
  // chart's background beside it.
  const int axisY = g.yChart + 255 * g.chartScale + g.chartScale / 2;
  const auto axis = At(2, g.xChart + 167 * g.chartScale, axisY);
  ASSERT_TRUE(axis);
  EXPECT_LT(axis->r + axis->g + axis->b, 3 * 100);
  const auto background = At(2, g.xChart + 167 * g.chartScale, axisY + 3 * g.chartScale);
  ASSERT_TRUE(background);
  EXPECT_GT(background->r + background->g + background->b, 3 * 200);
}

TEST_F(LabPdfTest, ManySamplesGiveNumberedPagesEachWithTheHeading) {
  {
    std::ofstream many(folder / "many.tsv");
    for (int i = 1; i <= 120; ++i) many << "Muestra " << i << "\tred\t2\t10\t0.5\t0.8\t0.6\t0.2\n";
  }
  ASSERT_EQ(Tool("--lang en --report " + Quoted(Pdf()) + " " + Quoted((folder / "many.tsv").string())), 0);
  const auto info = ReadPdfInfo(Pdf());
  ASSERT_TRUE(info);
  const tintavis::LabReportGeometry g(width, height);
  const int tablePages = 1 + (120 - g.RowsOnPage(true) + g.RowsOnPage(false) - 1) / g.RowsOnPage(false);
  ASSERT_EQ(info->pages, tablePages + 1);
  int next = 1;
  for (int page = 1; page <= info->pages; ++page) {
    const std::string text = CommandOutput("pdftotext -layout -enc UTF-8 -f " + std::to_string(page) + " -l " +
                                           std::to_string(page) + " " + Quoted(Pdf()) + " - 2>/dev/null");
    EXPECT_NE(text.find("Page " + std::to_string(page) + "/" + std::to_string(info->pages)), std::string::npos) << page;
    EXPECT_EQ(text.find("Wine type") != std::string::npos, page <= tablePages) << page;
    // The samples go on in order from page to page.
    for (std::size_t at = text.find("Muestra "); at != std::string::npos; at = text.find("Muestra ", at + 1)) {
      EXPECT_EQ(text.substr(at, text.find_first_not_of("0123456789", at + 8) - at), "Muestra " + std::to_string(next));
      ++next;
    }
  }
  EXPECT_EQ(next, 121);
}

TEST_F(LabPdfTest, TheReportFollowsTheSafetyRulesOfThePrintedOne) {
  const std::string input = Quoted((folder / "in.tsv").string());
  EXPECT_EQ(Tool("--report " + input + " " + input), 2);
  std::ofstream(folder / "notes.txt") << "keep me";
  EXPECT_EQ(Tool("--report " + Quoted((folder / "notes.txt").string()) + " " + input), 2);
  std::ifstream kept(folder / "notes.txt");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "keep me");
  EXPECT_EQ(Tool("--lab Enolab " + input), 2);
  // A folder that does not exist: nothing written, the reason on the error stream.
  EXPECT_EQ(Tool("--report " + Quoted((folder / "none" / "r.pdf").string()) + " " + input), 2);
  EXPECT_FALSE(fs::exists(folder / "none"));
}

}  // namespace
