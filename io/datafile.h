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

#include "io/fileerrors.h"
#include "io/fileidentity.h"
#include "logic/messages.h"
#include "logic/resultsgrid.h"
#include "logic/storedsample.h"

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

// Writes the file so that the previous one survives any failure and keeps its links, mode and
// owner (ReplaceFileContent). Returns the error message (without full stop) when it failed.
std::optional<std::string> WriteDataFile(const ResultsGrid& grid, int samples, const std::string& path,
                                         Language language);

// What a data file holds: its sample rows (at most 50), whether it held more and how many
// sample lines it held in all.
struct DataFileContent {
  std::vector<SampleRecord> rows;
  std::vector<RowValues> values;  // one per row: the ten numbers read, empty where a cell is "--"
  bool moreThanFifty = false;
  int samplesInFile = 0;
  bool namesCut = false;  // some name was longer than kMaxNameCharacters and was cut
};

enum class DataFileProblem {
  System,         // the file could not be read
  InvalidNumber,  // "Invalid numeric input", and in a data file the line and column
  NotADataFile,   // a spreadsheet workbook or other binary file; its message has a full stop
  NoSamples,      // an empty or header-only file: kNoSamples
};
using DataFileError = FileError<DataFileProblem>;

// A row whose numbers do not read, in every language, without full stop.
inline constexpr std::string_view kInvalidNumericInput = "Invalid numeric input";

using DataFileRead = std::variant<DataFileContent, DataFileError>;

// Reads the bytes of a data file, every line on its own (a line ends at LF, CR LF included, or
// at CR in a file without any LF): the first line is the header and is skipped unless it reads
// as a sample line, which is then the first row; blank lines hold no row; a line with a TAB has
// its whole first field as the name (cut to kMaxNameCharacters), a line without one the text up
// to its first blank (32 characters at most); then ten numbers, "." or "," as decimal
// separator, or "--" for a white wine. The cells get the general number text with `separator`.
// Anything else is "Invalid numeric input (línea 3, columna 5)" (kAtLineColumn in `language`),
// the line counted from 1 with the header and the column the grid's (the name is column 1, a
// missing value the column it would stand in). Sample lines after the fiftieth are counted, not
// read.
//
// Bytes that cannot be a data file are refused whole with kNotADataFile in the language of
// `language`: a NUL byte anywhere, the signature of a binary Office workbook (.xls) or of a ZIP
// archive (.xlsx, .ods), or a Ctrl-Z within the first line. A Ctrl-Z after that ends the file.
// A file without a sample line (empty, or a header alone) is kNoSamples in `language`.
DataFileRead ParseDataFile(std::string_view bytes, char separator, Language language);

// Reads a whole file (ReadWholeFile, at most kMaxDataFileBytes) and parses it; a file that cannot
// be read gives its message, and the identity of the file read goes into `identity`.
DataFileRead ReadDataFile(const std::string& path, char separator, Language language,
                          FileIdentity* identity = nullptr);

// Said after opening a file of more samples than the grid holds: "50 of the file's 60 samples
// were opened. ...".
std::string SamplesLeftOutMessage(int opened, int inFile, Language language);

// Asked before saving over the file so opened, which would lose the samples left out: "The file
// holds 60 samples; 50 will be saved. Continue?" (the answer proposed is No).
std::string SaveLeavesSamplesOutQuestion(int inFile, int saved, Language language);

}  // namespace tintavis
