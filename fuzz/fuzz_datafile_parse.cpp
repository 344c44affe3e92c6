// ParseDataFile on any bytes: it must not crash, it refuses only a number (naming its line and
// grid column), what is not a data file or a file without samples, and what it accepts must be
// a well-formed set of rows: 1 to 50, no more than the file's sample count, names in valid
// UTF-8, every value cell "  --" or a general number text that reads back and is written again
// unchanged.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "logic/resultsgrid.h"
#include "logic/textrules.h"
#include "fuzz/fuzzcheck.h"
#include "io/datafile.h"
#include "io/encoding.h"

using namespace tintavis;
using fuzz::Check;
using fuzz::Fail;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  for (const char separator : {'.', ','}) {
    const DataFileRead read = ParseDataFile(bytes, separator, Language::Spanish);
    if (const auto* error = std::get_if<DataFileError>(&read)) {
      const std::string at = "Invalid numeric input (línea " + std::to_string(error->line) + ", columna " +
                             std::to_string(error->column) + ")";
      const bool number = error->kind == DataFileError::Kind::InvalidNumber && error->line >= 1 &&
                          error->column >= 2 && error->column <= 11 && error->message == at;
      Check(number || error->kind == DataFileError::Kind::NotADataFile || error->kind == DataFileError::Kind::NoSamples,
            "the only reading failures are a number, the file's kind or a file without samples", error->message);
      continue;
    }
    const auto& content = std::get<DataFileContent>(read);
    Check(!content.rows.empty(), "a file read holds a sample");
    Check(content.rows.size() <= 50, "at most 50 rows");
    Check(!content.moreThanFifty || content.rows.size() == 50, "more than fifty only after fifty rows");
    Check(content.samplesInFile >= static_cast<int>(content.rows.size()) && content.moreThanFifty == (content.samplesInFile > 50),
          "every row read is counted");
    for (const SampleRecord& row : content.rows) {
      Check(IsValidUtf8(row[0]), "a name is valid UTF-8", row[0]);
      for (std::size_t k = 1; k < row.size(); ++k) {
        const std::string& cell = row[k];
        if (cell == kNotApplicableCell) continue;
        const DecimalParse parsed = ParseDecimal(cell, separator);
        Check(parsed.ok(), "a value cell reads as a number", cell);
        Check(FormatGeneral(parsed.value, separator) == cell, "a value cell is its own general text", cell);
      }
    }
  }
  return 0;
}
