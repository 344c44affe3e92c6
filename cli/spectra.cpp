#include "cli/spectra.h"

#include <cerrno>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

#include "cli/output.h"
#include "cli/precisetext.h"
#include "io/datafile.h"
#include "io/spectraresults.h"
#include "logic/messages.h"
#include "logic/textrules.h"

namespace tintavis::batch {
namespace {

// A file of spectra holds a few hundred numbers a sample; beyond this it is no such file (and
// /dev/zero or an endless pipe must not fill the memory).
constexpr std::size_t kMaxSpectraBytes = std::size_t{64} << 20;

enum class ReadStatus { Read, TooLarge, Failed };

// The whole input, up to its end, its first NUL byte (which makes it no text file) or
// kMaxSpectraBytes.
ReadStatus ReadWhole(std::FILE* input, std::string& bytes) {
  char buffer[1 << 16];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, input)) > 0) {
    bytes.append(buffer, n);
    if (std::memchr(buffer, '\0', n) != nullptr) return ReadStatus::Read;
    if (bytes.size() > kMaxSpectraBytes) return ReadStatus::TooLarge;
  }
  return std::ferror(input) != 0 ? ReadStatus::Failed : ReadStatus::Read;
}

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
std::string SpectrumLine(const SpectrumResult& spectrum, const Options& options, const Lab* reference) {
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
  if (reference != nullptr) {
    const ColourDifferences d = ColourDifference(*reference, {c.L, c.a, c.b});
    for (const double v : {d.dEab, d.dE00}) {
      if (options.precise) {
        AppendPrecise(line, v);
      } else {
        line += '\t' + FormatFixed(v, 18, 2, options.separator);
      }
    }
  }
  if (options.precise && spectrum.dE00) {
    AppendPrecise(line, *spectrum.dE00);
  } else {
    line += '\t' + EstimateCell(spectrum, options.separator);
  }
  line += kLineEnd;
  return line;
}

}  // namespace

int RunSpectra(const Options& options, std::FILE* input, const std::string& inputName, std::FILE* out,
               std::FILE* err, const ReportWriter& writeReport, const LabReportWriter& writeLabReport) {
  std::string bytes;
  switch (ReadWhole(input, bytes)) {
    case ReadStatus::Read:
      break;
    case ReadStatus::TooLarge:
      std::fprintf(err, "tintavis-calc: cannot read %s: more than %zu MiB, too large for a file of spectra\n",
                   inputName.c_str(), kMaxSpectraBytes >> 20);
      return 2;
    case ReadStatus::Failed:
      std::fprintf(err, "tintavis-calc: cannot read %s: %s\n", inputName.c_str(), std::strerror(errno));
      return 2;
  }
  const SpectraFileRead read = ParseSpectraFile(bytes, ReadOptionsFor(options.spectraChoices, options.language));
  if (const auto* error = std::get_if<SpectraFileError>(&read)) {
    std::fprintf(err, "tintavis-calc: %s: %s\n", inputName.c_str(), error->message.c_str());
    return 2;
  }
  const SpectraResults results = CheckSpectra(std::get<SpectraSet>(read), options.spectraChoices, options.language);

  std::optional<Lab> reference;
  if (options.reference) {
    for (const SpectrumResult& s : results.spectra) {
      if (s.computed() && std::string_view(s.name).substr(0, s.name.size() - 1) == *options.reference) {
        const ColourResult& c = s.full.colour;
        reference = Lab{c.L, c.a, c.b};
        break;
      }
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
  std::vector<SampleRecord> gridRows;
  std::vector<StoredSample> labSamples;  // --report: every computed spectrum
  for (const SpectrumResult& s : results.spectra) {
    if (!s.computed()) {
      errors += AtSpectrum(results, s, s.failure);
      ++failed;
      continue;
    }
    if (s.renamed) errors += AtSpectrum(results, s, messages::kNameReplaced.In(options.language));
    if (!s.dE00) errors += AtSpectrum(results, s, s.estimateRefusal);
    if (written) written = writer.Write(SpectrumLine(s, options, reference ? &*reference : nullptr), EncodingOf(s.name));
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
      labSamples.push_back(std::move(sample));
    }
  }
  std::fwrite(errors.data(), 1, errors.size(), err);
  if (written) written = writer.Finish();
  if (!written) {
    std::fprintf(err, "tintavis-calc: cannot write the output: %s\n", std::strerror(writer.error()));
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
    const std::string problem = writeLabReport(options.labReport, RunLabReport(options, std::move(labSamples), reference));
    if (!problem.empty()) {
      std::fprintf(err, "tintavis-calc: cannot write the report '%s': %s\n", options.labReport.c_str(), problem.c_str());
      return 2;
    }
  }
  return failed > 0 ? 1 : 0;
}

}  // namespace tintavis::batch
