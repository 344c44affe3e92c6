// ParseWorkbook on any bytes (a zip container of any parts): it must not crash, it refuses what
// it cannot read with the given text or a number, and every row it accepts can go into a data
// file: a name in valid UTF-8 without TAB, CR or LF, ending with the grid's blank.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "fuzz/fuzzcheck.h"
#include "io/encoding.h"
#include "io/workbookreader.h"

using namespace tintavis;
using fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const DataFileRead read = ParseWorkbook(bytes, '.', Language::English, "not ours");
  if (const auto* error = std::get_if<DataFileError>(&read)) {
    Check(error->message == "not ours" || error->kind == DataFileError::Kind::InvalidNumber ||
              error->kind == DataFileError::Kind::NoSamples,
          "a workbook is refused as not the program's, for a number or for no samples", error->message);
    return 0;
  }
  const auto& content = std::get<DataFileContent>(read);
  Check(!content.rows.empty() && content.rows.size() <= 50, "1 to 50 rows");
  for (const SampleRecord& row : content.rows) {
    Check(IsValidUtf8(row[0]), "a name is valid UTF-8", row[0]);
    Check(row[0].find_first_of("\t\r\n") == std::string::npos && row[0].ends_with(' '), "a name fits a data file", row[0]);
  }
  return 0;
}
