// Spectra as scanning spectrophotometers export them: a wavelength column and one column per
// sample, the first line holding a label and the sample names, e.g.
//
//   # Absorbance, 10 mm cell
//   nm<TAB>Crianza<TAB>Rosado
//   380<TAB>2.2602<TAB>0.5600
//   385<TAB>2.0692<TAB>0.5077
//   ...
//   780<TAB>0.0600<TAB>0.0100
//
// - Fields are separated by TAB, ';' or ',': the first of them found in the header line, in
//   that order, serves the whole file. With ',' the decimal sign is '.'; otherwise '.' and ','
//   are both read. A field may stand in double quotes ("Tinto, 2019"; "" is a quote inside).
//   Blanks around fields are dropped.
// - Lines starting with '#' (after blanks), blank lines and lines of separators only are
//   skipped; CR LF, LF and CR all end a line.
// - Every data line has as many fields as the header. Extra empty fields at the end of a line
//   (as spreadsheets write them) are dropped; an empty field within the header's count is a
//   missing value.
// - Wavelengths: whole nanometres ("380" or "380.0"), rising in equal steps of 1, 2, 5 or
//   10 nm, reaching from `needFromNm` to `needToNm` (380 to 780 nm by default). The grid need
//   not land on those ends (379, 381, ... at 2 nm is read).
// - Values: decadic absorbance in the measurement cell, or transmittance from 0 to 1 or in
//   percent, as the reader is told, turned into absorbance when read. Every value must be a
//   finite number; "nan", "inf" and numbers beyond the double range are refused; a
//   transmittance must be above 0, as 0 has no absorbance, and at most 1 (or 100 %).
// - Names: UTF-8 when the whole file is valid UTF-8 (a byte-order mark is dropped), Windows-1252
//   otherwise; they are held as UTF-8. UTF-16 and binary files (a zero byte anywhere) are
//   refused with their own message.
//
// The file is read and checked whole: either every spectrum comes back or one error, the first
// fault in reading order, naming its line and column (both counted from 1; the wavelength column
// is column 1).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/fullspectrum.h"
#include "io/fileerrors.h"
#include "logic/language.h"
#include "logic/spectrachoices.h"

namespace tintavis {

struct SpectraReadOptions {
  SpectraValues values = SpectraValues::Absorbance;
  Language language = Language::Spanish;  // language of the error messages
  int needFromNm = kVisibleFirstNm;
  int needToNm = kVisibleLastNm;
};

// The spectra of one file, all on the same wavelength grid.
struct SpectraSet {
  int firstNm = 0;
  int stepNm = 0;
  std::size_t points = 0;          // wavelengths per spectrum
  int headerLine = 0;              // the line that names the samples; sample s is column s + 2
  std::vector<std::string> names;  // UTF-8, one per spectrum
  // Decadic absorbance in the measurement cell, spectrum after spectrum, `points` values each.
  std::vector<double> absorbance;

  std::size_t size() const { return names.size(); }
  std::span<const double> Absorbance(std::size_t sample) const;
  // Spectrum `sample` for the colour computations, measured in d mm, results wanted for r mm.
  MeasuredSpectrum Measured(std::size_t sample, std::int32_t d, std::int32_t r) const;
};

enum class SpectraFileProblem {
  Unreadable,  // the system could not read the file
  NotText,
  NoHeader,
  HeaderIsData,
  NoSamples,
  NoData,
  FieldCount,
  QuoteNotClosed,
  EmptyValue,
  NotANumber,
  NotFinite,
  WavelengthNotWhole,
  WavelengthsNotRising,
  StepNotSupported,
  UnevenStep,
  RangeNotCovered,
  TransmittanceNotPositive,
  TransmittanceAboveOne,
  TransmittanceAboveHundred,
};

// Its message starts with the line and column where it has them.
using SpectraFileError = FileError<SpectraFileProblem>;

using SpectraFileRead = std::variant<SpectraSet, SpectraFileError>;

SpectraFileRead ParseSpectraFile(std::string_view bytes, const SpectraReadOptions& options);

// Reads a whole file and parses it; a file that cannot be read gives its system message.
SpectraFileRead ReadSpectraFile(const std::string& path, const SpectraReadOptions& options);

}  // namespace tintavis
