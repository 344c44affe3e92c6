// The results of a spectra file as the window and the batch tool both take them: each spectrum's
// row, its estimate or why there is none, and what the box says about the file.
#include "io/spectraresults.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/colourdifference.h"
#include "tests/support/spectrafiles.h"

namespace tintavis {
namespace {

using testing::kReferenceRedKnots;
using testing::SpectraFileText;

SpectraSet Parsed(const std::string& text) {
  SpectraFileRead read = ParseSpectraFile(text, ReadOptionsFor({}, Language::English));
  if (auto* error = std::get_if<SpectraFileError>(&read)) ADD_FAILURE() << error->message;
  return std::get<SpectraSet>(std::move(read));
}

TEST(CheckSpectra, EachSpectrumGetsItsColourAndEstimateOrSaysWhyNot) {
  const testing::Knots clear = {{380, 0}, {780, 0}};
  const testing::Knots overflowing = {{380, -400}, {780, -400}};  // 10^4000 at 10 mm: beyond the doubles
  const std::string text = SpectraFileText({{"Tinto", kReferenceRedKnots},
                                            {"Sobrepasa", overflowing},
                                            {"Oscuro", testing::Scaled(kReferenceRedKnots, 5)},
                                            {"Agua\x1A" "clara", clear}},
                                           false, "# 2 mm\n");
  SpectraChoices choices;
  choices.d = 2;
  choices.r = 10;
  const SpectraResults results = CheckSpectra(Parsed(text), choices, Language::English);
  EXPECT_EQ(results.headerLine, 2);
  ASSERT_EQ(results.spectra.size(), 4u);
  const SpectrumResult& red = results.spectra[0];
  const SpectrumResult& over = results.spectra[1];
  const SpectrumResult& dark = results.spectra[2];
  const SpectrumResult& water = results.spectra[3];

  EXPECT_EQ(red.name, "Tinto ");
  EXPECT_EQ(red.column, 2);
  ASSERT_TRUE(red.computed());
  ASSERT_TRUE(red.dE00.has_value());
  // The estimate is the four-absorbance method on the spectrum's own A450 ... A630 in the same
  // cell, for the same result path length and wine.
  const auto estimate = ComputeColour({WineType::RedRose, 2, 10, 0.5, 0.8, 0.6, 0.2});
  ASSERT_TRUE(estimate.ok());
  const ColourResult& f = red.full.colour;
  const ColourResult& e = estimate.value();
  EXPECT_NEAR(*red.dE00, ColourDifference({f.L, f.a, f.b}, {e.L, e.a, e.b}).dE00, 1e-9);
  EXPECT_GT(*red.dE00, 0.5);  // a real difference, not a spectrum compared with itself

  EXPECT_FALSE(over.computed());
  EXPECT_EQ(over.failure, "the spectrum gives values beyond the range of numbers");
  EXPECT_EQ(over.column, 3);

  ASSERT_TRUE(dark.computed());
  EXPECT_FALSE(dark.dE00.has_value());
  EXPECT_EQ(dark.estimateRefusal, "no four-wavelength estimate: the reconstructed spectrum leaves the model's range");
  EXPECT_EQ(EstimateCell(dark, '.'), "  --");

  // Byte 26 would end the data file for some readers; A520 = 0 leaves Tonality without meaning.
  EXPECT_EQ(water.name, "Agua clara ");
  EXPECT_TRUE(water.renamed);
  const SampleRecord cells = SpectrumRecord(water, WineType::RedRose, ',');
  EXPECT_EQ(cells[0], "Agua clara ");
  EXPECT_EQ(cells[4], "100,0");  // L*
  EXPECT_EQ(cells[9], "0,000");  // Intensity
  EXPECT_EQ(cells[10], "  --");  // Tonality
  const SampleRecord white = SpectrumRecord(red, WineType::WhiteBrandy, '.');
  EXPECT_EQ(white[9], "  --");
  EXPECT_EQ(white[10], "  --");
}

SpectrumResult WithEstimate(const char* name, std::optional<double> dE00) {
  SpectrumResult s;
  s.name = std::string(name) + " ";
  s.dE00 = dE00;
  return s;
}

SpectrumResult NotComputed(const char* name) {
  SpectrumResult s = WithEstimate(name, std::nullopt);
  s.failure = "beyond";
  return s;
}

TEST(SpectraSummaryText, GivesLargestAndMeanAndNamesTheSpectraLeftOut) {
  struct Case {
    std::vector<SpectrumResult> spectra;
    char separator;
    Language language;
    std::string text;
  };
  const Case cases[] = {
      {{WithEstimate("A", 1.0), WithEstimate("B", 3.256), WithEstimate("C", 0.5)}, '.', Language::English,
       "ΔE00 of the four-wavelength estimate against the full spectrum, over 3 spectra: largest 3.26 (B), mean 1.59."},
      {{WithEstimate("A", 2.0), WithEstimate("B", 2.0)}, ',', Language::Spanish,
       "ΔE00 de la estimación con cuatro longitudes de onda frente al espectro completo, en 2 espectros: "
       "máximo 2,00 (A), media 2,00."},
      {{WithEstimate("Solo", 0.25), WithEstimate("Oscuro", std::nullopt), NotComputed("Raro")}, '.', Language::English,
       "ΔE00 of the four-wavelength estimate against the full spectrum, over 1 spectrum: 0.25 (Solo).\n"
       "No four-wavelength estimate for: Oscuro.\n"
       "No results, and left out of the grid: Raro."},
      {{WithEstimate("X", std::nullopt), WithEstimate("Y", std::nullopt)}, '.', Language::Spanish,
       "Ningún espectro admite la estimación con cuatro longitudes de onda.\n"
       "Sin estimación con cuatro longitudes de onda: X, Y."},
  };
  for (const Case& c : cases) {
    SpectraResults results;
    results.spectra = c.spectra;
    EXPECT_EQ(SpectraSummaryText(results, c.separator, c.language), c.text);
  }
}

TEST(GridLoadFor, PutsTheFirstFiftyComputedSpectraInTheGridAndSaysSoBeforeTheSummary) {
  SpectraResults results;
  results.spectra.push_back(NotComputed("Raro"));
  for (int i = 1; i <= 52; ++i) {
    results.spectra.push_back(WithEstimate(("V" + std::to_string(i)).c_str(), 1.0));
    results.spectra.back().full.colour.L = i;
  }
  const SpectraGridLoad load = GridLoadFor(results, WineType::RedRose, '.', Language::Spanish);
  ASSERT_EQ(load.samples.size(), 50u);
  EXPECT_EQ(load.samples[0].record[0], "V1 ");
  EXPECT_EQ(load.samples[49].record[0], "V50 ");
  EXPECT_EQ(load.samples[49].colour.L, 50);
  EXPECT_EQ(load.samples[49].record[4], "50.0");
  ASSERT_EQ(load.messages.size(), 2u);
  EXPECT_EQ(load.messages[0].text, "Se han abierto 50 de las 52 muestras del archivo. Numero máximo de muestras = 50");
  EXPECT_EQ(load.messages[1].text, SpectraSummaryText(results, '.', Language::Spanish));
  EXPECT_EQ(load.messages[1].display, MessageDisplay::Prompt);
}

}  // namespace
}  // namespace tintavis
