// A data file written from any cell store reads back to the same cells: the names unchanged and
// every value in the general number text of the value its cell holds.
//
// The store is built from the input as the window fills it: names of any UTF-8 text without TAB,
// CR, LF, Ctrl-Z (which ends a data file by design) or NUL (which no data file holds), and not
// between double quotes (a spreadsheet's quoted text, read without them), values
// written by FormatFixed with the column's precision and decimals from any finite double up to
// 1E308, or "  --".
#include <fuzzer/FuzzedDataProvider.h>

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "logic/resultsgrid.h"
#include "logic/textrules.h"
#include "fuzz/fuzzcheck.h"
#include "io/datafile.h"
#include "io/encoding.h"

using namespace tintavis;
using fuzz::Check;
using fuzz::Fail;

namespace {

std::string NameFrom(FuzzedDataProvider& in) {
  std::string raw = in.ConsumeRandomLengthString(64);
  std::string name;
  for (const char c : raw) {
    if (c != '\t' && c != '\r' && c != '\n' && c != '\x1A' && c != '\0') name += c;
  }
  // The grid holds UTF-8: bytes that are not are taken as Windows-1252, which gives any
  // character of that code page, C1 controls included.
  if (!IsValidUtf8(name)) name = Windows1252ToUtf8(name);
  // A name between double quotes reads as a spreadsheet's quoted text cell, which loses its
  // quotes; the window writes every name with a final blank, so only a name edited by hand can
  // look so, and the fuzzed one gets the blank.
  if (name.size() >= 2 && name.front() == '"' && name.back() == '"') name += ' ';
  return name;
}

std::string ValueCellFrom(FuzzedDataProvider& in, int column, char separator) {
  if (in.ConsumeIntegralInRange<int>(0, 7) == 0) return std::string(kNotApplicableCell);
  double value = std::bit_cast<double>(in.ConsumeIntegral<std::uint64_t>());
  // Rounded to the column's digits, a value next to the largest double gives a text beyond it
  // ("1.7977E308"), which no double holds and the reader refuses; cells stay below that.
  if (!std::isfinite(value) || std::fabs(value) > 1e308) value = 0;
  if (in.ConsumeBool()) value = std::ldexp(std::fmod(value, 1.0), in.ConsumeIntegralInRange<int>(-20, 20));
  const ColumnFormat format = kValueFormats[static_cast<std::size_t>(column)];
  return FormatFixed(value, format.precision, format.decimals, separator);
}

std::string Describe(const std::string& expected, const std::string& got) {
  return "expected [" + expected + "] got [" + got + "]";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const char writtenWith = in.ConsumeBool() ? ',' : '.';
  const char readWith = in.ConsumeBool() ? ',' : '.';
  const int samples = in.ConsumeIntegralInRange<int>(0, 50);

  ResultsGrid grid;
  if (in.ConsumeBool()) grid.SetCell(0, 1, std::string(headings::kGridEnglishName));
  std::vector<SampleRecord> written;
  for (int row = 1; row <= samples; ++row) {
    SampleRecord record;
    record[0] = NameFrom(in);
    for (int k = 0; k < 10; ++k) record[static_cast<std::size_t>(k) + 1] = ValueCellFrom(in, k, writtenWith);
    grid.WriteRecord(row, record);
    written.push_back(record);
  }

  const std::string bytes = DataFileBytes(grid, samples);
  const DataFileRead read = ParseDataFile(bytes, readWith, Language::Spanish);
  if (samples == 0) {
    const auto* error = std::get_if<DataFileError>(&read);
    Check(error != nullptr && error->kind == DataFileError::Kind::NoSamples, "a header alone is a file without samples");
    return 0;
  }
  if (std::holds_alternative<DataFileError>(read)) {
    // Name the line that does not read.
    const std::size_t headerEnd = bytes.find('\n') + 1;
    for (std::size_t pos = headerEnd; pos < bytes.size();) {
      const std::size_t end = bytes.find('\n', pos) + 1;
      const std::string line = bytes.substr(pos, end - pos);
      if (std::holds_alternative<DataFileError>(ParseDataFile(bytes.substr(0, headerEnd) + line, readWith, Language::Spanish))) {
        Fail("a written file reads back", line);
      }
      pos = end;
    }
    Fail("a written file reads back");
  }
  const auto& content = std::get<DataFileContent>(read);
  Check(!content.moreThanFifty, "no more than fifty samples");
  Check(content.samplesInFile == samples, "every sample is counted");
  Check(content.rows.size() == written.size(), "every sample reads back",
        std::to_string(written.size()) + " written, " + std::to_string(content.rows.size()) + " read");
  for (std::size_t r = 0; r < written.size(); ++r) {
    const SampleRecord& got = content.rows[r];
    Check(got[0] == written[r][0], "the name reads back unchanged", Describe(written[r][0], got[0]));
    for (std::size_t k = 1; k < got.size(); ++k) {
      const std::string& cell = written[r][k];
      std::string expected;
      if (cell == kNotApplicableCell) {
        expected = cell;
      } else {
        const DecimalParse parsed = ParseDecimal(cell, writtenWith);
        Check(parsed.ok(), "a FormatFixed text reads as a number", cell);
        expected = FormatGeneral(parsed.value, readWith);
      }
      Check(got[k] == expected, "a value reads back in its general text", Describe(expected, got[k]));
    }
  }
  return 0;
}
