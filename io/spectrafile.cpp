#include "io/spectrafile.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "io/encoding.h"
#include "io/fileerrors.h"
#include "logic/textrules.h"
#include "io/wholefile.h"
#include "logic/messages.h"

namespace tintavis {

std::span<const double> SpectraSet::Absorbance(std::size_t sample) const {
  return std::span<const double>(absorbance).subspan(sample * points, points);
}

MeasuredSpectrum SpectraSet::Measured(std::size_t sample, std::int32_t d, std::int32_t r) const {
  MeasuredSpectrum m;
  m.firstNm = firstNm;
  m.stepNm = stepNm;
  m.absorbance = Absorbance(sample);
  m.d = d;
  m.r = r;
  return m;
}

namespace {

using Problem = SpectraFileProblem;

// Every text of the reader, Spanish then English, after the line and column where the fault has
// them. %1 to %4 are the particulars.
struct MessageText {
  Problem problem;
  std::string_view spanish;
  std::string_view english;
};

// clang-format off
constexpr MessageText kMessages[] = {
  {Problem::NotText,
   "El archivo no es texto plano (UTF-16, o una hoja de cálculo u otro archivo binario): exporte los espectros como texto separado por tabuladores, ';' o ','",
   "The file is not plain text (UTF-16, or a spreadsheet or other binary file): export the spectra as text separated by tabs, ';' or ','"},
  {Problem::NoHeader,
   "El archivo no contiene cabecera ni espectros",
   "The file holds no header line and no spectra"},
  {Problem::HeaderIsData,
   "la primera línea contiene solo números; debe nombrar las muestras",
   "the first line holds only numbers; it must name the samples"},
  {Problem::NoSamples,
   "la cabecera no nombra ninguna muestra tras la columna de longitudes de onda",
   "the header names no sample after the wavelength column"},
  {Problem::NoData,
   "El archivo no contiene longitudes de onda tras la cabecera",
   "The file holds no wavelengths after its header"},
  {Problem::FieldCount,
   "%1 campos, y la cabecera tiene %2",
   "%1 fields, where the header has %2"},
  {Problem::QuoteNotClosed,
   "las comillas no cierran el campo",
   "the quotation marks do not close the field"},
  {Problem::EmptyValue,
   "falta el valor",
   "the value is missing"},
  {Problem::NotANumber,
   "'%1' no es un número",
   "'%1' is not a number"},
  {Problem::NotFinite,
   "'%1' está fuera del rango de los números",
   "'%1' is beyond the range of numbers"},
  {Problem::WavelengthNotWhole,
   "'%1' no es un número entero de nanómetros mayor que 0",
   "'%1' is not a whole number of nanometres above 0"},
  {Problem::WavelengthsNotRising,
   "%1 nm tras %2 nm: las longitudes de onda deben crecer",
   "%1 nm after %2 nm: the wavelengths must rise"},
  {Problem::StepNotSupported,
   "un paso de %1 nm: las longitudes de onda deben crecer de 1, 2, 5 o 10 nm",
   "a step of %1 nm: the wavelengths must rise by 1, 2, 5 or 10 nm"},
  {Problem::UnevenStep,
   "%1 nm donde tocaba %2 nm: las longitudes de onda deben estar igualmente espaciadas",
   "%1 nm where %2 nm was due: the wavelengths must be equally spaced"},
  {Problem::RangeNotCovered,
   "Las longitudes de onda van de %1 a %2 nm; el color necesita de %3 a %4 nm",
   "The wavelengths run from %1 to %2 nm; the colour needs %3 to %4 nm"},
  {Problem::TransmittanceNotPositive,
   "la transmitancia %1 no es mayor que 0 y no tiene absorbancia",
   "the transmittance %1 is not above 0 and has no absorbance"},
  {Problem::TransmittanceAboveOne,
   "la transmitancia %1 es mayor que 1; ¿son porcentajes?",
   "the transmittance %1 is above 1; are the values percentages?"},
  {Problem::TransmittanceAboveHundred,
   "la transmitancia %1 es mayor que 100 %",
   "the transmittance %1 is above 100 %"},
};
// clang-format on

std::string_view TextOf(const MessageText& text, bool isEnglish) { return isEnglish ? text.english : text.spanish; }

// Cell texts quoted in a message are cut after this many bytes.
constexpr std::size_t kQuotedCellLimit = 40;

void ReplaceAll(std::string& text, std::string_view key, std::string_view value) {
  for (std::size_t at = text.find(key); at != std::string::npos; at = text.find(key, at + value.size())) {
    text.replace(at, key.size(), value);
  }
}

SpectraFileError MakeError(Problem problem, int line, int column, bool isEnglish,
                           std::initializer_list<std::string> particulars = {}) {
  const auto* entry = std::find_if(std::begin(kMessages), std::end(kMessages),
                                   [&](const MessageText& m) { return m.problem == problem; });
  std::string message;
  if (line > 0) {
    const Language language = isEnglish ? Language::English : Language::Spanish;
    message = column > 0 ? Filled(messages::kAtLineColumn.In(language), {std::to_string(line), std::to_string(column)})
                         : Filled(messages::kAtLine.In(language), {std::to_string(line)});
    // The position starts the sentence: "Line 4, column 2: ...".
    message.front() = static_cast<char>(std::toupper(static_cast<unsigned char>(message.front())));
    message += ": ";
  }
  message += TextOf(*entry, isEnglish);
  int n = 1;
  for (const std::string& p : particulars) ReplaceAll(message, "%" + std::to_string(n++), p);
  return {problem, line, column, std::move(message)};
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Lines ended by CR LF, LF or CR, numbered from 1.
class LineReader {
 public:
  explicit LineReader(std::string_view text) : text_(text) {}
  bool Next(std::string_view& line) {
    if (pos_ >= text_.size()) return false;
    // A plain scan: find_first_of looks each byte up in its set, many times slower on long lines.
    std::size_t stop = pos_;
    while (stop < text_.size() && text_[stop] != '\n' && text_[stop] != '\r') ++stop;
    line = text_.substr(pos_, stop - pos_);
    pos_ = stop + (text_.substr(stop).starts_with("\r\n") ? 2 : 1);
    ++number_;
    return true;
  }
  int number() const { return number_; }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
  int number_ = 0;
};

// A comment, a blank line, or (once the separator is known) a line of separators only.
bool IsSkipped(std::string_view line, char separator) {
  const std::string_view t = Trim(line);
  if (t.empty() || t.front() == '#') return true;
  return separator != 0 && t.find_first_not_of(std::string{separator, ' ', '\t'}) == std::string_view::npos;
}

struct Field {
  std::string_view text;  // without the quotes; a quoted field keeps its doubled quotes
  bool quoted = false;
};

// Splits a line into fields; the 1-based column of a field whose quotes do not close it, or 0.
int SplitFields(std::string_view line, char separator, std::vector<Field>& fields) {
  fields.clear();
  const std::size_t n = line.size();
  std::size_t i = 0;
  while (true) {
    while (i < n && line[i] != separator && IsBlank(line[i])) ++i;
    if (i < n && line[i] == '"') {
      std::size_t j = i + 1;
      while (j < n && !(line[j] == '"' && (j + 1 >= n || line[j + 1] != '"'))) j += line[j] == '"' ? 2 : 1;
      if (j >= n) return static_cast<int>(fields.size()) + 1;
      fields.push_back({line.substr(i + 1, j - i - 1), true});
      i = j + 1;
      while (i < n && line[i] != separator && IsBlank(line[i])) ++i;
      if (i < n && line[i] != separator) return static_cast<int>(fields.size());
    } else {
      const std::size_t end = std::min(line.find(separator, i), n);
      fields.push_back({Trim(line.substr(i, end - i)), false});
      i = end;
    }
    if (i >= n) return 0;
    ++i;  // past the separator; a separator at the very end leaves one empty field after it
  }
}

enum class NumberStatus { Ok, Empty, NotANumber, NotFinite };

// A number as ParseDecimal reads it, with '.' or (when `commaDecimal`) ',' as decimal sign, and
// at least one digit before any exponent.
NumberStatus ParseNumber(std::string_view text, bool commaDecimal, double& value) {
  if (text.empty()) return NumberStatus::Empty;
  const char separator = commaDecimal && text.find(',') != std::string_view::npos ? ',' : '.';
  const DecimalParse parsed = ParseDecimal(text, separator);
  if (parsed.status == DecimalParse::Status::Overflow) return NumberStatus::NotFinite;
  // Blanks are no part of a field, and a lone separator (which ParseDecimal reads as 0) is no
  // number here.
  const std::size_t mantissaEnd = std::min(text.find_first_of("eE"), text.size());
  const bool digit = std::any_of(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(mantissaEnd),
                                 [](char c) { return c >= '0' && c <= '9'; });
  if (!parsed.ok() || !digit || text.find(' ') != std::string_view::npos) return NumberStatus::NotANumber;
  value = parsed.value;
  return NumberStatus::Ok;
}

// Text taken from the file, as UTF-8.
std::string Decoded(std::string_view bytes, bool utf8) { return utf8 ? std::string(bytes) : Windows1252ToUtf8(bytes); }

// A name from a header field: quotes doubled inside a quoted field stand for one.
std::string NameOf(const Field& field, bool utf8) {
  std::string name = Decoded(field.text, utf8);
  if (field.quoted) ReplaceAll(name, "\"\"", "\"");
  return name;
}

std::string Quoted(std::string_view cell, bool utf8) {
  if (cell.size() <= kQuotedCellLimit) return Decoded(cell, utf8);
  std::size_t cut = kQuotedCellLimit;
  // Never inside a UTF-8 character: continuation bytes are 10xxxxxx.
  while (utf8 && cut > 0 && (static_cast<unsigned char>(cell[cut]) & 0xC0) == 0x80) --cut;
  return Decoded(cell.substr(0, cut), utf8) + "...";
}

std::string NmText(std::int64_t nm) { return std::to_string(nm); }

}  // namespace

SpectraFileRead ParseSpectraFile(std::string_view bytes, const SpectraReadOptions& options) {
  const bool en = options.language == Language::English;
  if (bytes.find('\0') != std::string_view::npos) return MakeError(Problem::NotText, 0, 0, en);
  const bool utf8 = IsValidUtf8(bytes);
  if (utf8 && bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);

  // The header: the first line that is not skipped.
  LineReader lines(bytes);
  std::string_view line;
  bool found = false;
  while (!found && lines.Next(line)) found = !IsSkipped(line, 0);
  if (!found) return MakeError(Problem::NoHeader, 0, 0, en);
  const int headerLine = lines.number();
  const std::string_view trimmedHeader = Trim(line);
  char separator = 0;
  for (const char candidate : {'\t', ';', ','}) {
    if (trimmedHeader.find(candidate) != std::string_view::npos) {
      separator = candidate;
      break;
    }
  }
  if (separator == 0) return MakeError(Problem::NoSamples, headerLine, 0, en);
  const bool commaDecimal = separator != ',';

  std::vector<Field> fields;
  if (const int column = SplitFields(line, separator, fields); column != 0) {
    return MakeError(Problem::QuoteNotClosed, headerLine, column, en);
  }
  while (!fields.empty() && fields.back().text.empty()) fields.pop_back();
  if (fields.size() < 2) return MakeError(Problem::NoSamples, headerLine, 0, en);
  const std::size_t columns = fields.size();
  const std::size_t samples = columns - 1;
  // A file without its header line would take the first wavelength's values for names.
  if (std::all_of(fields.begin(), fields.end(), [&](const Field& f) {
        double ignored = 0;
        return ParseNumber(f.text, commaDecimal, ignored) == NumberStatus::Ok;
      })) {
    return MakeError(Problem::HeaderIsData, headerLine, 0, en);
  }

  SpectraSet set;
  set.names.reserve(samples);
  for (std::size_t c = 1; c < columns; ++c) set.names.push_back(NameOf(fields[c], utf8));

  // Room for every data line, filled spectrum after spectrum. A file that would need more values
  // than it has bytes cannot be valid (each value takes a digit and a separator), so it is only
  // checked, to find its first fault, and nothing is stored.
  std::size_t capacity = 0;
  {
    LineReader counter(bytes.substr(static_cast<std::size_t>(line.data() + line.size() - bytes.data())));
    std::string_view l;
    while (counter.Next(l)) capacity += IsSkipped(l, separator) ? 0 : 1;
  }
  const bool store = capacity <= bytes.size() / samples;
  if (store) set.absorbance.resize(samples * capacity);

  std::size_t row = 0;
  std::int64_t firstNm = 0, stepNm = 0, previousNm = 0;
  const bool transmittance = options.values != SpectraValues::Absorbance;
  const bool percent = options.values == SpectraValues::TransmittancePercent;
  while (lines.Next(line)) {
    if (IsSkipped(line, separator)) continue;
    const int lineNo = lines.number();
    if (const int column = SplitFields(line, separator, fields); column != 0) {
      return MakeError(Problem::QuoteNotClosed, lineNo, column, en);
    }
    while (fields.size() > columns && fields.back().text.empty()) fields.pop_back();
    if (fields.size() != columns) {
      return MakeError(Problem::FieldCount, lineNo, 0, en, {std::to_string(fields.size()), std::to_string(columns)});
    }

    // Reads field c (0-based) or says why it does not read.
    auto number = [&](std::size_t c, double& value) -> std::optional<SpectraFileError> {
      const int column = static_cast<int>(c) + 1;
      switch (ParseNumber(fields[c].text, commaDecimal, value)) {
        case NumberStatus::Ok: return std::nullopt;
        case NumberStatus::Empty: return MakeError(Problem::EmptyValue, lineNo, column, en);
        case NumberStatus::NotANumber:
          return MakeError(Problem::NotANumber, lineNo, column, en, {Quoted(fields[c].text, utf8)});
        case NumberStatus::NotFinite:
          return MakeError(Problem::NotFinite, lineNo, column, en, {Quoted(fields[c].text, utf8)});
      }
      return std::nullopt;
    };

    double wavelength = 0;
    if (auto error = number(0, wavelength)) return *std::move(error);
    const double whole = std::round(wavelength);
    if (!(wavelength > 0 && wavelength < 1e6 && std::abs(wavelength - whole) <= 1e-6)) {
      return MakeError(Problem::WavelengthNotWhole, lineNo, 1, en, {Quoted(fields[0].text, utf8)});
    }
    const auto nm = static_cast<std::int64_t>(whole);
    if (row == 0) {
      firstNm = nm;
    } else if (nm <= previousNm) {
      return MakeError(Problem::WavelengthsNotRising, lineNo, 1, en, {NmText(nm), NmText(previousNm)});
    } else if (row == 1) {
      stepNm = nm - firstNm;
      if (stepNm != 1 && stepNm != 2 && stepNm != 5 && stepNm != 10) {
        return MakeError(Problem::StepNotSupported, lineNo, 1, en, {NmText(stepNm)});
      }
    } else if (const std::int64_t due = previousNm + stepNm; nm != due) {
      return MakeError(Problem::UnevenStep, lineNo, 1, en, {NmText(nm), NmText(due)});
    }

    for (std::size_t s = 0; s < samples; ++s) {
      double value = 0;
      if (auto error = number(s + 1, value)) return *std::move(error);
      if (transmittance) {
        const int column = static_cast<int>(s) + 2;
        if (!(value > 0)) {
          return MakeError(Problem::TransmittanceNotPositive, lineNo, column, en, {Quoted(fields[s + 1].text, utf8)});
        }
        if (value > (percent ? 100 : 1)) {
          return MakeError(percent ? Problem::TransmittanceAboveHundred : Problem::TransmittanceAboveOne, lineNo, column,
                           en, {Quoted(fields[s + 1].text, utf8)});
        }
      }
      if (store) set.absorbance[s * capacity + row] = value;
    }
    previousNm = nm;
    ++row;
  }

  if (row == 0) return MakeError(Problem::NoData, 0, 0, en);
  if (firstNm > options.needFromNm || previousNm < options.needToNm) {
    return MakeError(Problem::RangeNotCovered, 0, 0, en,
                     {NmText(firstNm), NmText(previousNm), NmText(options.needFromNm), NmText(options.needToNm)});
  }
  // Unreachable: a file that passed every check has fewer values than bytes (see `store`).
  if (!store) return MakeError(Problem::NoData, 0, 0, en);

  // Every spectrum moved down to follow the previous one without gaps.
  if (row < capacity) {
    for (std::size_t s = 1; s < samples; ++s) {
      const auto from = set.absorbance.begin() + static_cast<std::ptrdiff_t>(s * capacity);
      std::copy(from, from + static_cast<std::ptrdiff_t>(row), set.absorbance.begin() + static_cast<std::ptrdiff_t>(s * row));
    }
    set.absorbance.resize(samples * row);
  }
  if (transmittance) {
    const double scale = percent ? 100 : 1;
    for (double& v : set.absorbance) v = -std::log10(v / scale);
  }
  set.firstNm = static_cast<int>(firstNm);
  set.stepNm = static_cast<int>(stepNm);
  set.points = row;
  set.headerLine = headerLine;
  return set;
}

SpectraFileRead ReadSpectraFile(const std::string& path, const SpectraReadOptions& options) {
  const WholeFileRead read = ReadWholeFile(path, kMaxSpectraFileBytes, options.language);
  if (const auto* error = std::get_if<WholeFileError>(&read)) {
    return SpectraFileError{.kind = Problem::Unreadable, .message = error->message};
  }
  return ParseSpectraFile(std::get<WholeFile>(read).bytes, options);
}

}  // namespace tintavis
