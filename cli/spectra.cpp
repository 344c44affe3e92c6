#include "cli/spectra.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

#include "cli/output.h"
#include "cli/precisetext.h"
#include "io/datafile.h"
#include "io/spectraresults.h"
#include "logic/differencetable.h"
#include "io/wholefile.h"
#include "logic/messages.h"
#include "logic/textrules.h"

namespace tintavis::batch {
namespace {

// "line 2, column 4 (Verdejo): MESSAGE", the place of the spectrum's name in the file.
std::string AtSpectrum(const SpectraResults& results, const SpectrumResult& spectrum, std::string_view message) {
  std::string_view name = spectrum.name;
  name.remove_suffix(1);  // the final blank of the name cell
  std::string out = "line " + std::to_string(results.headerLine) + ", column " + std::to_string(spectrum.column) + " (";
  out.append(name).append("): ").append(message).append("\n");
  return out;
}

void AppendPrecise(std::string& line, double value) {
  char text[kPreciseTextMax];
  line += '\t';
  line.append(text, PutPrecise(text, value));
}

// The output line of a computed spectrum: the grid's texts (or %.17g), the differences to the
// reference, the ΔE00 of the estimate.
std::string SpectrumLine(const SpectrumResult& spectrum, const std::optional<ColourUncertainty>& u,
                         const Options& options, const Reference* reference, bool& conforms) {
  const WineType wine = options.spectraChoices.wine;
  const SampleRecord record = SpectrumRecord(spectrum, wine, options.separator);
  const ColourResult& c = spectrum.full.colour;
  std::string line = record[0];
  if (options.precise) {
    const double values[10] = {c.X, c.Y, c.Z, c.L, c.C, c.h, c.a, c.b, c.intensity, c.tonality};
    for (int k = 0; k < 10; ++k) {
      if (k == 9 && !spectrum.full.hasTonality) {
        line += '\t';
        line += kNotApplicableCell;
      } else {
        AppendPrecise(line, values[k]);
      }
    }
  } else {
    for (std::size_t k = 1; k < record.size(); ++k) line += '\t' + record[k];
  }
  if (options.uncertainty) AppendUncertainties(line, u, wine, options);
  if (reference != nullptr) {
    const ColourDifferences d = ColourDifference(reference->lab, {c.L, c.a, c.b});
    for (const double v : {d.dEab, d.dE00}) {
      if (options.precise && std::isfinite(v)) {
        AppendPrecise(line, v);
      } else {
        line += '\t' + FormatDifference(v, options.separator);
      }
    }
  }
  if (options.precise && spectrum.dE00) {
    AppendPrecise(line, *spectrum.dE00);
  } else {
    line += '\t' + EstimateCell(spectrum, options.separator);
  }
  if (options.tolerance && reference != nullptr) {
    conforms = AppendCheck(line, {c.L, c.a, c.b}, u, *reference, options, &spectrum == reference->spectrum);
  }
  line += kLineEnd;
  return line;
}

}  // namespace

int RunSpectra(const Options& options, std::FILE* input, const std::string& inputName, std::FILE* out,
               std::FILE* err, const ReportWriter& writeReport, const LabReportWriter& writeLabReport) {
  // Standard input may be a pipe: it is read in chunks up to the largest file of spectra.
  const WholeFileRead whole = ReadWholeDescriptor(::fileno(input), kMaxSpectraFileBytes, options.language);
  if (const auto* error = std::get_if<WholeFileError>(&whole)) {
    std::fprintf(err, "tintavis-calc: cannot read %s: %s\n", inputName.c_str(), error->message.c_str());
    return 2;
  }
  const std::string& bytes = std::get<WholeFile>(whole).bytes;
  const SpectraFileRead read = ParseSpectraFile(bytes, ReadOptionsFor(options.spectraChoices, options.language));
  if (const auto* error = std::get_if<SpectraFileError>(&read)) {
    std::fprintf(err, "tintavis-calc: %s: %s\n", inputName.c_str(), error->message.c_str());
    return 2;
  }
  const SpectraSet& set = std::get<SpectraSet>(read);
  const SpectraResults results = CheckSpectra(set, options.spectraChoices, options.language);
  // u(A) at every point of each spectrum, in absorbance units whatever the file holds.
  auto uncertaintyOf = [&](std::size_t s) -> std::optional<ColourUncertainty> {
    if (!options.uncertainty) return std::nullopt;
    return PropagateSpectrumUncertainty(set.Measured(s, options.spectraChoices.d, options.spectraChoices.r),
                                        *options.uncertainty);
  };

  std::optional<Reference> reference;
  if (options.target) reference = Reference{*options.target};
  if (options.reference) {
    std::vector<std::size_t> columns;
    std::size_t found = 0;
    for (std::size_t i = 0; i < results.spectra.size(); ++i) {
      const SpectrumResult& s = results.spectra[i];
      if (std::string_view(s.name).substr(0, s.name.size() - 1) != *options.reference) continue;
      if (++found <= kReferenceLinesListed) columns.push_back(static_cast<std::size_t>(s.column));
      if (s.computed() && found == 1) {
        const ColourResult& c = s.full.colour;
        reference = Reference{Lab{c.L, c.a, c.b}};
        reference->spectrum = &s;
        if (const auto u = uncertaintyOf(i)) reference->covariance = u->lab;
      }
    }
    if (found > 1) {
      const std::string places = "spectra so named on line " + std::to_string(results.headerLine) + ", columns";
      std::fprintf(err, "tintavis-calc: %s\n", AmbiguousReferenceMessage(*options.reference, places, columns, found).c_str());
      return 2;
    }
    if (!reference) {
      std::fprintf(err, "tintavis-calc: no spectrum named '%s' can serve as the reference\n%s",
                   options.reference->c_str(), Usage().data());
      return 2;
    }
  }

  DataFileWriter writer(out);
  bool written = writer.Write(HeaderLine(options), NameEncoding::Ascii);
  std::string errors;
  std::size_t failed = 0;
  std::size_t notConforming = 0;
  std::vector<SampleRecord> gridRows;
  std::vector<StoredSample> labSamples;  // --report: every computed spectrum
  std::vector<std::optional<ColourUncertainty>> labUncertainties;  // and the uncertainty of each
  std::optional<std::size_t> labReference;
  for (std::size_t i = 0; i < results.spectra.size(); ++i) {
    const SpectrumResult& s = results.spectra[i];
    if (!s.computed()) {
      errors += AtSpectrum(results, s, s.failure);
      ++failed;
      continue;
    }
    if (s.renamed) errors += AtSpectrum(results, s, messages::kNameReplaced.In(options.language));
    if (s.nameCut) errors += AtSpectrum(results, s, NamesCutMessage(options.language));
    if (!s.dE00) errors += AtSpectrum(results, s, s.estimateRefusal);
    bool conforms = true;
    const std::optional<ColourUncertainty> u = uncertaintyOf(i);
    const std::string line = SpectrumLine(s, u, options, reference ? &*reference : nullptr, conforms);
    if (!conforms) ++notConforming;
    if (written) written = writer.Write(line, EncodingOf(s.name));
    if (gridRows.size() < static_cast<std::size_t>(kMaxSamples)) {
      gridRows.push_back(SpectrumRecord(s, options.spectraChoices.wine, options.separator));
    }
    if (!options.labReport.empty()) {
      const SpectraChoices& choices = options.spectraChoices;
      StoredSample sample;
      sample.cells = SpectrumRecord(s, choices.wine, options.separator);
      sample.origin = SampleOrigin::FromSpectrum;
      sample.values = SpectrumValues(s, choices.wine);
      sample.input = SampleInput{choices.wine, choices.d, choices.r};
      if (reference && reference->spectrum == &s) labReference = labSamples.size();
      labSamples.push_back(std::move(sample));
      labUncertainties.push_back(u);
    }
  }
  std::fwrite(errors.data(), 1, errors.size(), err);
  if (written) written = writer.Finish();
  if (!written) {
    ReportWriteFailure(writer, err);
    return 2;
  }
  if (!options.pdf.empty()) {
    const std::string problem = writeReport(options.pdf, RunReport(options, gridRows));
    if (!problem.empty()) {
      std::fprintf(err, "tintavis-calc: cannot write the report '%s': %s\n", options.pdf.c_str(), problem.c_str());
      return 2;
    }
  }
  if (!options.labReport.empty()) {
    const std::string problem = writeLabReport(options.labReport, RunLabReport(options, std::move(labSamples), reference, labReference, labUncertainties));
    if (!problem.empty()) {
      std::fprintf(err, "tintavis-calc: cannot write the report '%s': %s\n", options.labReport.c_str(), problem.c_str());
      return 2;
    }
  }
  if (failed > 0) return 1;
  return notConforming > 0 ? 3 : 0;
}

}  // namespace tintavis::batch
