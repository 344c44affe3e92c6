#include "io/datafile.h"

#include <deque>

#include "logic/calculation.h"
#include "logic/textrules.h"
#include "io/encoding.h"
#include "io/safesave.h"
#include "io/wholefile.h"

namespace tintavis {

std::string DataFileBytes(const ResultsGrid& grid, int samples) {
  std::string text;
  for (int row = 0; row <= samples && row < ResultsGrid::kStoredRows; ++row) {
    const SampleRecord record = grid.Record(row);
    AppendDataLine<std::string>(text, record);
  }
  if (auto legacy = Windows1252ThatReadsBack(text)) return *std::move(legacy);
  return text;
}

std::optional<std::string> WriteDataFile(const ResultsGrid& grid, int samples, const std::string& path,
                                         Language language) {
  return ReplaceFileContent(path, DataFileBytes(grid, samples), language);
}

namespace {

// What a data file cannot hold: a NUL byte, the signature of a binary Office workbook or of a
// ZIP archive (the newer workbooks), or a Ctrl-Z before its first line has ended (a binary
// Office workbook has one at offset 6).
bool IsNotADataFile(std::string_view bytes) {
  constexpr std::string_view kOle2Signature = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
  constexpr std::string_view kZipSignature = "PK\x03\x04";
  if (bytes.find('\0') != std::string_view::npos) return true;
  if (bytes.starts_with(kOle2Signature) || bytes.starts_with(kZipSignature)) return true;
  const std::size_t ctrlZ = bytes.find('\x1A');
  return ctrlZ != std::string_view::npos && ctrlZ < bytes.find('\n');
}

bool IsBlankChar(char c) { return static_cast<unsigned char>(c) <= 32; }

// One number of a data file: sign, digits, "." or "," and digits, exponent with at least one
// digit. A mantissa without digits ("." or an exponent alone) reads as 0. "--" is a white
// wine's Intensity or Tonality, and has no number in `value`.
std::optional<std::string> CellFromToken(std::string_view token, char separator, std::optional<double>& value) {
  value.reset();
  if (token == "--") return std::string(kNotApplicableCell);
  std::size_t i = 0;
  const std::size_t n = token.size();
  if (n == 0) return std::nullopt;
  if (token[i] == '+' || token[i] == '-') ++i;
  bool digits = false;
  while (i < n && token[i] >= '0' && token[i] <= '9') ++i, digits = true;
  char used = 0;
  if (i < n && (token[i] == '.' || token[i] == ',')) {
    used = token[i];
    ++i;
    while (i < n && token[i] >= '0' && token[i] <= '9') ++i, digits = true;
  }
  if (i < n && (token[i] == 'E' || token[i] == 'e')) {
    ++i;
    if (i < n && (token[i] == '+' || token[i] == '-')) ++i;
    bool exponentDigits = false;
    while (i < n && token[i] >= '0' && token[i] <= '9') ++i, exponentDigits = true;
    if (!exponentDigits) return std::nullopt;
  }
  if (i != n) return std::nullopt;
  if (!digits) {
    value = 0.0;
    return std::string("0");
  }
  const DecimalParse parsed = ParseDecimal(token, used == ',' ? ',' : '.');
  if (!parsed.ok()) return std::nullopt;  // beyond the double range
  value = parsed.value;
  return FormatGeneral(parsed.value, separator);
}

// A field as a spreadsheet saves text cells in tab-separated text: between double quotes, with
// the quotes inside doubled. Anything else is the field itself.
std::string_view Unquoted(std::string_view field, std::string& scratch) {
  if (field.size() < 2 || field.front() != '"' || field.back() != '"') return field;
  field = field.substr(1, field.size() - 2);
  if (field.find('"') == std::string_view::npos) return field;
  scratch.clear();
  for (std::size_t i = 0; i < field.size(); ++i) {
    scratch += field[i];
    if (field[i] == '"' && i + 1 < field.size() && field[i + 1] == '"') ++i;
  }
  return scratch;
}

// The sample row of one line with the numbers it holds, or nothing when a number does not read;
// `badColumn` is then its grid column (2 to 11), or that of the first value missing.
std::optional<SampleRecord> ParseLine(std::string_view line, char separator, RowValues& values, int& badColumn) {
  SampleRecord record;
  std::vector<std::string_view> tokens;
  std::deque<std::string> unquoted;  // the fields that lost their quotes (a deque keeps them in place)
  const std::size_t tab = line.find('\t');
  if (tab != std::string_view::npos) {
    // The whole first field is the name, blanks inside and any length. A spreadsheet that saved
    // the sheet as text may have quoted it, and dropped the final blank every name is written
    // with (the workbook's names have none): a quoted name gets both back. An unquoted one is
    // read as it stands, as files of the program's own always were.
    const std::string_view nameField = line.substr(0, tab);
    std::string scratch;
    record[0] = Unquoted(nameField, scratch);
    if (record[0].size() != nameField.size() && !record[0].empty() && record[0].back() != ' ') record[0] += ' ';
    for (std::size_t start = tab + 1;;) {
      const std::size_t next = line.find('\t', start);
      std::string_view field = Trim(line.substr(start, next == std::string_view::npos ? std::string_view::npos : next - start));
      if (field.size() >= 2 && field.front() == '"') {
        std::string text;
        unquoted.emplace_back(Trim(Unquoted(field, text)));
        field = unquoted.back();
      }
      tokens.push_back(field);
      if (next == std::string_view::npos) break;
      start = next + 1;
    }
  } else {
    // Without TABs the name ends with its first blank, taken with it, or after 32 characters.
    std::size_t end = 0;
    while (end < line.size() && end < 32) {
      if (line[end++] == ' ') break;
    }
    record[0] = line.substr(0, end);
    for (std::size_t i = end; i < line.size();) {
      if (IsBlankChar(line[i])) {
        ++i;
        continue;
      }
      const std::size_t start = i;
      while (i < line.size() && !IsBlankChar(line[i])) ++i;
      tokens.push_back(line.substr(start, i - start));
    }
  }
  for (std::size_t k = 0; k < 10; ++k) {
    // A spreadsheet leaves empty the cells of Intensity and Tonality that the grid shows as "--".
    if (k < tokens.size() && k >= 8 && tokens[k].empty()) tokens[k] = "--";
    auto cell = k < tokens.size() ? CellFromToken(tokens[k], separator, values[k]) : std::nullopt;
    if (!cell) {
      badColumn = static_cast<int>(k) + 2;
      return std::nullopt;
    }
    record[k + 1] = *std::move(cell);
  }
  return record;
}

}  // namespace

DataFileRead ParseDataFile(std::string_view bytes, char separator, Language language) {
  if (IsNotADataFile(bytes)) {
    return DataFileError{.kind = DataFileProblem::NotADataFile,
                         .message = std::string(messages::kNotADataFile.In(language))};
  }
  // A Ctrl-Z after the first line ends the file.
  if (const std::size_t eof = bytes.find('\x1A'); eof != std::string_view::npos) bytes = bytes.substr(0, eof);
  const std::string text = DecodeText(bytes);

  // Lines end at LF, a CR before it belonging to the line end and a CR elsewhere being part of
  // the line; a file without any LF whose lines end in CR alone (as some older programs write
  // them) would otherwise be a single header line.
  const bool crLines = text.find('\n') == std::string::npos && text.find('\r') != std::string::npos;
  const char lineEnd = crLines ? '\r' : '\n';

  DataFileContent content;
  int lineNumber = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    std::size_t end = text.find(lineEnd, pos);
    if (end == std::string::npos) end = text.size();
    std::string_view line(text.data() + pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    int badColumn = 0;
    if (++lineNumber == 1) {
      // The first line is the header and is skipped, unless it reads as a sample: a file that
      // lost its header line (or was written without one) must not lose its first sample.
      RowValues ignored;
      if (!ParseLine(line, separator, ignored, badColumn)) continue;
    }
    if (Trim(line).empty()) continue;
    ++content.samplesInFile;
    if (content.rows.size() == kMaxSamples) {
      content.moreThanFifty = true;
      continue;
    }
    RowValues values;
    auto record = ParseLine(line, separator, values, badColumn);
    if (!record) {
      const std::string at =
          Filled(messages::kAtLineColumn.In(language), {std::to_string(lineNumber), std::to_string(badColumn)});
      return DataFileError{DataFileProblem::InvalidNumber, lineNumber, badColumn,
                           std::string(kInvalidNumericInput) + " (" + at + ")"};
    }
    if (CutLongName((*record)[0])) content.namesCut = true;
    content.rows.push_back(*std::move(record));
    content.values.push_back(values);
  }
  // An empty or header-only file would open as an empty grid with no word.
  if (content.samplesInFile == 0) {
    return DataFileError{.kind = DataFileProblem::NoSamples, .message = std::string(messages::kNoSamples.In(language))};
  }
  return content;
}

DataFileRead ReadDataFile(const std::string& path, char separator, Language language, FileIdentity* identity) {
  const WholeFileRead read = ReadWholeFile(path, kMaxDataFileBytes, language);
  if (const auto* error = std::get_if<WholeFileError>(&read)) return DataFileError{.message = error->message};
  const auto& file = std::get<WholeFile>(read);
  if (identity != nullptr) *identity = file.identity;
  return ParseDataFile(file.bytes, separator, language);
}

std::string SamplesLeftOutMessage(int opened, int inFile, Language language) {
  return Filled(messages::kSamplesLeftOut.In(language), {std::to_string(opened), std::to_string(inFile)});
}

std::string SaveLeavesSamplesOutQuestion(int inFile, int saved, Language language) {
  return Filled(messages::kSaveLeavesSamplesOut.In(language), {std::to_string(inFile), std::to_string(saved)});
}

}  // namespace tintavis
