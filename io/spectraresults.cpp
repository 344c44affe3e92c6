#include "io/spectraresults.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string_view>

#include "io/datafile.h"
#include "logic/messages.h"
#include "logic/textrules.h"

namespace tintavis {
namespace {

std::string Replaced(std::string_view text, std::string_view key, std::string_view value) {
  std::string out(text);
  if (const std::size_t at = out.find(key); at != std::string::npos) out.replace(at, key.size(), value);
  return out;
}

// The name as the user knows it: the cell without the blank "Calcular" adds.
std::string_view Label(const SpectrumResult& spectrum) {
  std::string_view name = spectrum.name;
  if (!name.empty() && name.back() == ' ') name.remove_suffix(1);
  return name;
}

std::string TwoDecimals(double value, char separator) { return FormatFixed(value, 18, 2, separator); }

// One line of names: the heading, the names separated by ", ", a full stop.
std::string NameList(std::string_view heading, const std::vector<std::string_view>& names) {
  std::string out(heading);
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) out += ", ";
    out += names[i];
  }
  out += '.';
  return out;
}

}  // namespace

SpectraReadOptions ReadOptionsFor(const SpectraChoices& choices, Language language) {
  SpectraReadOptions options;
  options.values = choices.values;
  options.language = language;
  return options;
}

SpectraResults CheckSpectra(const SpectraSet& set, const SpectraChoices& choices, Language language) {
  SpectraResults results;
  results.headerLine = set.headerLine;
  results.spectra.reserve(set.size());
  for (std::size_t s = 0; s < set.size(); ++s) {
    SpectrumResult& spectrum = results.spectra.emplace_back();
    FieldText fit = ReplaceFieldBreakers(set.names[s]);
    spectrum.nameCut = CutLongName(fit.text);
    spectrum.name = std::move(fit.text);
    spectrum.name += ' ';
    spectrum.renamed = fit.changed;
    spectrum.column = static_cast<int>(s) + 2;

    const EstimateCheckOutcome outcome = CheckFourWavelengthEstimate(set.Measured(s, choices.d, choices.r), choices.wine);
    if (const auto* failure = std::get_if<SpectrumFailure>(&outcome)) {
      // The reader has checked the grid and the choices the path lengths: only numbers that
      // overflow are left.
      spectrum.failure = *failure == SpectrumFailure::NotFinite ? messages::kSpectrumBeyondNumbers.In(language)
                                                                  : messages::kSpectrumNotUsable.In(language);
      continue;
    }
    const auto& check = std::get<EstimateCheck>(outcome);
    spectrum.full = check.full;
    if (check.estimate.ok() && !std::isfinite(check.difference.dE00)) {
      spectrum.estimateRefusal = Replaced(messages::kEstimateRefused.In(language), "%1",
                                          messages::kSpectrumBeyondNumbers.In(language));
    } else if (check.estimate.ok()) {
      spectrum.dE00 = check.difference.dE00;
    } else {
      const ComputeFailure why = check.estimate.failure();
      const std::string_view reason =
          why == ComputeFailure::ColourOutOfRange ? messages::kEstimateOutOfRange.In(language) : FaultText(why);
      spectrum.estimateRefusal = Replaced(messages::kEstimateRefused.In(language), "%1", reason);
    }
  }
  return results;
}

SampleRecord SpectrumRecord(const SpectrumResult& spectrum, WineType wine, char separator) {
  SampleRecord record = FormatResultRow(spectrum.name, spectrum.full.colour, wine, separator);
  if (!spectrum.full.hasTonality) record[kTonalityColumn - 1] = kNotApplicableCell;
  return record;
}

std::string EstimateCell(const SpectrumResult& spectrum, char separator) {
  return spectrum.dE00 ? TwoDecimals(*spectrum.dE00, separator) : std::string(kNotApplicableCell);
}

std::string SpectraSummaryText(const SpectraResults& results, char separator, Language language) {
  std::vector<std::string_view> refused;
  std::vector<std::string_view> notComputed;
  const SpectrumResult* largest = nullptr;
  double sum = 0;
  int estimated = 0;
  for (const SpectrumResult& s : results.spectra) {
    if (!s.computed()) {
      notComputed.push_back(Label(s));
    } else if (!s.dE00) {
      refused.push_back(Label(s));
    } else {
      ++estimated;
      sum += *s.dE00;
      if (largest == nullptr || *s.dE00 > *largest->dE00) largest = &s;
    }
  }
  std::string text;
  if (largest == nullptr) {
    text = messages::kNoEstimate.In(language);
  } else {
    text = estimated == 1 ? messages::kEstimateSummaryOne.In(language) : messages::kEstimateSummary.In(language);
    text = Replaced(text, "%1", std::to_string(estimated));
    text = Replaced(text, "%2", TwoDecimals(*largest->dE00, separator));
    text = Replaced(text, "%3", Label(*largest));
    text = Replaced(text, "%4", TwoDecimals(sum / estimated, separator));
  }
  if (!refused.empty()) text += "\n" + NameList(messages::kEstimatesRefused.In(language), refused);
  if (!notComputed.empty()) text += "\n" + NameList(messages::kSpectraNotComputed.In(language), notComputed);
  return text;
}

RowValues SpectrumValues(const SpectrumResult& spectrum, WineType wine) {
  RowValues values = ValuesOf(spectrum.full.colour, wine);
  if (!spectrum.full.hasTonality) values[kTonalityColumn - kFirstValueColumn] = std::nullopt;
  return values;
}

SpectraGridLoad GridLoadFor(const SpectraResults& results, WineType wine, char separator, Language language) {
  SpectraGridLoad load;
  int computed = 0;
  bool namesCut = false;
  for (const SpectrumResult& s : results.spectra) {
    namesCut = namesCut || s.nameCut;
    if (!s.computed()) continue;
    ++computed;
    if (load.samples.size() < static_cast<std::size_t>(kMaxSamples)) {
      load.samples.push_back({SpectrumRecord(s, wine, separator), s.full.colour, SpectrumValues(s, wine), std::nullopt});
    }
  }
  if (namesCut) load.messages.push_back({MessageDisplay::Prompt, NamesCutMessage(language)});
  if (computed > kMaxSamples) {
    load.messages.push_back({MessageDisplay::Prompt, SamplesLeftOutMessage(kMaxSamples, computed, language)});
  }
  load.messages.push_back({MessageDisplay::Prompt, SpectraSummaryText(results, separator, language)});
  return load;
}

}  // namespace tintavis
