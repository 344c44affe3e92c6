// The results of a spectra file, shared by "Abrir espectros" and tintavis-calc --spectra so that
// both give the same numbers: every spectrum's full-method colour, the four-wavelength estimate
// set against it, the texts of its row, and what is said about the whole file.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/fullspectrum.h"
#include "io/spectrafile.h"
#include "logic/calculation.h"
#include "logic/resultsgrid.h"
#include "logic/sampleworkflow.h"
#include "logic/spectrachoices.h"

namespace tintavis {

// How a file is read for these choices, its messages in `language`.
SpectraReadOptions ReadOptionsFor(const SpectraChoices& choices, Language language);

struct SpectrumResult {
  std::string name;      // the name cell: the file's name with a final blank, as "Calcular" writes it
  bool renamed = false;  // TAB, CR, LF, NUL or byte 26 of the name became spaces
  bool nameCut = false;  // the name was longer than kMaxNameCharacters and was cut
  int column = 0;        // the file's column that holds its values (the wavelengths are column 1)
  // Why the full method gave no colour (the spectrum then has no row); empty when it did.
  std::string failure;
  FullSpectrumColour full;
  // ΔE00 of the four-wavelength estimate against the full-method colour, or why there is none.
  std::optional<double> dE00;
  std::string estimateRefusal;

  bool computed() const { return failure.empty(); }
};

struct SpectraResults {
  int headerLine = 0;  // the file's line that names the samples
  std::vector<SpectrumResult> spectra;
};

// Every spectrum of `set`, in file order; messages in `language`.
SpectraResults CheckSpectra(const SpectraSet& set, const SpectraChoices& choices, Language language);

// The texts of a computed spectrum's row, as the grid holds them: the full-method values, "  --"
// for Intensity and Tonality of white wines and brandies, and for a Tonality without meaning
// (A520 of 0).
SampleRecord SpectrumRecord(const SpectrumResult& spectrum, WineType wine, char separator);

// The numbers behind that row: none for Intensity and Tonality of white wines and brandies, nor
// for a Tonality without meaning.
RowValues SpectrumValues(const SpectrumResult& spectrum, WineType wine);

// The ΔE00 cell: two decimals, or "  --" when there is no estimate.
std::string EstimateCell(const SpectrumResult& spectrum, char separator);

// The largest and mean ΔE00 over the file, the spectra left without an estimate and those left
// without results: the text of the box after the spectra were put in the grid.
std::string SpectraSummaryText(const SpectraResults& results, char separator, Language language);

// What the window does with the results: the computed spectra as grid rows (the first 50), and
// the messages to show in order (the one of "Abrir" when more than 50 were computed, then the
// summary).
struct SpectraGridLoad {
  std::vector<ComputedSample> samples;
  std::vector<Message> messages;
};
SpectraGridLoad GridLoadFor(const SpectraResults& results, WineType wine, char separator, Language language);

}  // namespace tintavis
