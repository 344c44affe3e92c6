// The data file: tab-separated text, one header line and one line per sample, each line of
// eleven fields (name and ten values) ended by CR LF, e.g.
//
//      Muestra<TAB>     X<TAB>     Y<TAB> ... <TAB>   Int.<TAB>  Ton.<CR><LF>
//   Crianza <TAB>3.213<TAB>1.403<TAB>0.368<TAB>12.0<TAB>43.99<TAB>20.37<TAB>41.24<TAB>15.31<TAB>7.400<TAB>0.533<CR><LF>
//
// The cells are written as the grid holds them; white wines carry "  --" for Intensity and
// Tonality. Spreadsheet programs open it as a table whatever its extension (.xls or .ods).
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "logic/resultsgrid.h"

namespace tintavis {

inline constexpr std::string_view kLineEnd = "\r\n";

// Appends the fields separated by single TABs.
template <typename Field>
void AppendFields(std::string& out, std::span<const Field> fields) {
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) out += '\t';
    out += fields[i];
  }
}

// Appends one line: the fields separated by single TABs, then CR LF.
template <typename Field>
void AppendDataLine(std::string& out, std::span<const Field> fields) {
  AppendFields(out, fields);
  out += kLineEnd;
}

// The bytes of a data file: row 0 (the header as the grid holds it) and sample rows 1 to
// `samples`, columns 1 to 11. Windows-1252 when every character has a byte there, as the
// spreadsheet programs of the labs read it; UTF-8 otherwise, so that no character is lost, and
// also when the Windows-1252 bytes would form valid UTF-8 and so read back as other characters.
std::string DataFileBytes(const ResultsGrid& grid, int samples);

// Writes the file so that the previous one survives any failure: into a temporary file in the
// same folder, flushed to the disk, then renamed over the target. Returns the error message
// (without full stop) when it failed.
std::optional<std::string> WriteDataFile(const ResultsGrid& grid, int samples, const std::string& path);

// What a data file holds: its sample rows (at most 50) and whether it held more.
struct DataFileContent {
  std::vector<SampleRecord> rows;
  bool moreThanFifty = false;
};

struct DataFileError {
  std::string message;  // without full stop
};

using DataFileRead = std::variant<DataFileContent, DataFileError>;

// Reads the bytes of a data file, every line on its own: the first line is the header and is
// not looked at; blank lines hold no row; a line with a TAB has its whole first field as the
// name, a line without one the text up to its first blank (32 characters at most); then ten
// numbers, "." or "," as decimal separator, or "--" for a white wine. The cells get the
// general number text with `separator`. Anything else is "Invalid numeric input".
DataFileRead ParseDataFile(std::string_view bytes, char separator);

// Reads a whole file and parses it; a file that cannot be read gives its system message.
DataFileRead ReadDataFile(const std::string& path, char separator);

}  // namespace tintavis
