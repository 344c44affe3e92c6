#include "io/workbookreader.h"

#include <zlib.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

#include "io/encoding.h"
#include "io/wholefile.h"
#include "logic/calculation.h"
#include "logic/messages.h"
#include "logic/resultsgrid.h"
#include "logic/textrules.h"
#include "logic/workbooktexts.h"

namespace tintavis {
namespace {

// A workbook of 50 samples takes a few kilobytes; the export writes at most a sheet's million
// rows, which stays well within this.
constexpr std::size_t kMaxWorkbookBytes = std::size_t{256} << 20;

std::uint32_t Little(std::string_view bytes, std::size_t at, int width) {
  std::uint32_t value = 0;
  for (int i = width - 1; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
  return value;
}

// The uncompressed content of the zip entry named `name`, or nothing when there is none or it
// cannot be read (stored or deflated entries only, as every workbook writer makes them).
std::optional<std::string> ZipEntry(std::string_view zip, std::string_view name) {
  constexpr std::uint32_t kEndSignature = 0x06054b50, kEntrySignature = 0x02014b50, kLocalSignature = 0x04034b50;
  if (zip.size() < 22) return std::nullopt;
  std::size_t end = zip.size() - 22;
  while (Little(zip, end, 4) != kEndSignature) {
    if (end == 0 || zip.size() - end > 22 + 65535) return std::nullopt;
    --end;
  }
  const std::size_t entries = Little(zip, end + 10, 2);
  std::size_t at = Little(zip, end + 16, 4);
  for (std::size_t e = 0; e < entries; ++e) {
    if (at + 46 > zip.size() || Little(zip, at, 4) != kEntrySignature) return std::nullopt;
    const std::uint32_t method = Little(zip, at + 10, 2);
    const std::size_t packed = Little(zip, at + 20, 4), size = Little(zip, at + 24, 4);
    const std::size_t nameLength = Little(zip, at + 28, 2);
    const std::size_t skip = nameLength + Little(zip, at + 30, 2) + Little(zip, at + 32, 2);
    const std::size_t local = Little(zip, at + 42, 4);
    if (at + 46 + nameLength > zip.size()) return std::nullopt;
    const std::string_view entryName = zip.substr(at + 46, nameLength);
    at += 46 + skip;
    if (entryName != name) continue;
    if (local + 30 > zip.size() || Little(zip, local, 4) != kLocalSignature) return std::nullopt;
    const std::size_t data = local + 30 + Little(zip, local + 26, 2) + Little(zip, local + 28, 2);
    if (data > zip.size() || packed > zip.size() - data || size > kMaxWorkbookBytes) return std::nullopt;
    if (method == 0) return std::string(zip.substr(data, packed));
    if (method != 8) return std::nullopt;
    std::string out(size, '\0');
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return std::nullopt;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(zip.data() + data));
    stream.avail_in = static_cast<uInt>(packed);
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(size);
    const int status = inflate(&stream, Z_FINISH);
    inflateEnd(&stream);
    if (status != Z_STREAM_END || stream.total_out != size) return std::nullopt;
    return out;
  }
  return std::nullopt;
}

// XML text with its five entities and numeric character references made characters again.
std::string Unescaped(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '&') {
      out += text[i];
      continue;
    }
    const std::size_t semicolon = text.find(';', i);
    if (semicolon == std::string_view::npos) {
      out += text.substr(i);
      return out;
    }
    const std::string_view entity = text.substr(i + 1, semicolon - i - 1);
    if (entity == "amp") out += '&';
    else if (entity == "lt") out += '<';
    else if (entity == "gt") out += '>';
    else if (entity == "quot") out += '"';
    else if (entity == "apos") out += '\'';
    else if (entity.size() > 1 && entity[0] == '#') {
      const bool hex = entity[1] == 'x';
      const std::string_view digits = entity.substr(hex ? 2 : 1);
      std::uint32_t code = 0;
      const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), code, hex ? 16 : 10);
      if (error != std::errc() || end != digits.data() + digits.size() || code > 0x10FFFF) code = 0xFFFD;
      // UTF-8 of the code point.
      if (code < 0x80) {
        out += static_cast<char>(code);
      } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | code >> 6);
        out += static_cast<char>(0x80 | (code & 0x3F));
      } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | code >> 12);
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
      } else {
        out += static_cast<char>(0xF0 | code >> 18);
        out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
      }
    }
    i = semicolon;
  }
  return out;
}

// Every text between <t ...> and </t> in `xml`, run after run.
std::string TextsOf(std::string_view xml) {
  std::string out;
  for (std::size_t at = 0; (at = xml.find("<t", at)) != std::string_view::npos;) {
    const std::size_t open = xml.find('>', at);
    if (open == std::string_view::npos) break;
    if (xml[at + 2] != '>' && xml[at + 2] != ' ') {  // <tag...> other than <t>
      at = open;
      continue;
    }
    const std::size_t close = xml.find("</t>", open);
    if (xml[open - 1] == '/' || close == std::string_view::npos) {
      at = open;
      continue;
    }
    out += Unescaped(xml.substr(open + 1, close - open - 1));
    at = close + 4;
  }
  return out;
}

std::vector<std::string> SharedStrings(std::string_view xml) {
  std::vector<std::string> strings;
  for (std::size_t at = 0; (at = xml.find("<si>", at)) != std::string_view::npos;) {
    const std::size_t end = xml.find("</si>", at);
    if (end == std::string_view::npos) break;
    strings.push_back(TextsOf(xml.substr(at, end - at)));
    at = end + 5;
  }
  return strings;
}

std::string_view Attribute(std::string_view tag, std::string_view name) {
  const std::string key = " " + std::string(name) + "=\"";
  const std::size_t at = tag.find(key);
  if (at == std::string_view::npos) return {};
  const std::size_t start = at + key.size();
  return tag.substr(start, tag.find('"', start) - start);
}

struct Cell {
  bool number = false;
  double value = 0;
  std::string text;
};
using Row = std::vector<std::optional<Cell>>;  // by column, A = 0

// The rows of a sheet's XML, each cell put at the column its reference names.
std::optional<std::vector<Row>> SheetRows(std::string_view xml, const std::vector<std::string>& strings) {
  std::vector<Row> rows;
  for (std::size_t at = 0; (at = xml.find("<row", at)) != std::string_view::npos;) {
    const std::size_t end = xml.find("</row>", at);
    const std::size_t selfClosed = xml.find("/>", at);
    if (selfClosed != std::string_view::npos && selfClosed < xml.find('>', at) + 1 && selfClosed < end) {
      rows.emplace_back();
      at = selfClosed;
      continue;
    }
    if (end == std::string_view::npos) return std::nullopt;
    const std::string_view row = xml.substr(at, end - at);
    Row cells;
    for (std::size_t c = 0; (c = row.find("<c ", c)) != std::string_view::npos;) {
      const std::size_t tagEnd = row.find('>', c);
      if (tagEnd == std::string_view::npos) return std::nullopt;
      const std::string_view tag = row.substr(c, tagEnd - c + 1);
      std::size_t column = 0;
      for (const char letter : Attribute(tag, "r")) {
        if (letter < 'A' || letter > 'Z') break;
        column = column * 26 + static_cast<std::size_t>(letter - 'A' + 1);
      }
      if (column == 0 || column > 16384) return std::nullopt;
      const bool empty = tag.ends_with("/>");
      const std::size_t cellEnd = empty ? tagEnd : row.find("</c>", tagEnd);
      if (cellEnd == std::string_view::npos) return std::nullopt;
      c = cellEnd;
      if (empty) continue;
      const std::string_view content = row.substr(tagEnd + 1, cellEnd - tagEnd - 1);
      const std::string_view type = Attribute(tag, "t");
      std::string v;
      if (const std::size_t open = content.find("<v>"); open != std::string_view::npos) {
        v = Unescaped(content.substr(open + 3, content.find("</v>", open) - open - 3));
      }
      Cell cell;
      if (type == "s") {
        const DecimalParse index = ParseDecimal(v, '.');
        if (!index.ok() || index.value < 0 || index.value >= static_cast<double>(strings.size())) return std::nullopt;
        cell.text = strings[static_cast<std::size_t>(index.value)];
      } else if (type == "inlineStr") {
        cell.text = TextsOf(content);
      } else if (type == "str" || type == "b" || type == "e") {
        cell.text = v;
      } else {
        const DecimalParse number = ParseDecimal(v, '.');
        if (!number.ok()) return std::nullopt;
        cell.number = true;
        cell.value = number.value;
      }
      if (cells.size() < column) cells.resize(column);
      cells[column - 1] = std::move(cell);
    }
    rows.push_back(std::move(cells));
    at = end + 6;
  }
  return rows;
}

// Whether the row holds the samples sheet's first eleven headings in one of the languages.
bool IsSamplesHeading(const Row& row) {
  for (const Language language : {Language::Spanish, Language::English}) {
    bool all = row.size() >= 11;
    for (std::size_t k = 0; all && k < 11; ++k) {
      all = row[k] && !row[k]->number && row[k]->text == workbooktexts::kSampleHeadings[k].In(language);
    }
    if (all) return true;
  }
  return false;
}

}  // namespace

DataFileRead ParseWorkbook(std::string_view bytes, char separator, Language language, const std::string& notOurs) {
  const DataFileError refused{.kind = DataFileProblem::NotADataFile, .message = notOurs};
  const std::optional<std::string> sheet = ZipEntry(bytes, "xl/worksheets/sheet1.xml");
  if (!sheet) return refused;
  const std::optional<std::string> shared = ZipEntry(bytes, "xl/sharedStrings.xml");
  const std::optional<std::vector<Row>> rows = SheetRows(*sheet, shared ? SharedStrings(*shared) : std::vector<std::string>{});
  if (!rows || rows->empty() || !IsSamplesHeading(rows->front())) return refused;

  DataFileContent content;
  for (std::size_t r = 1; r < rows->size(); ++r) {
    const Row& row = (*rows)[r];
    if (row.empty()) continue;
    ++content.samplesInFile;
    if (content.rows.size() == static_cast<std::size_t>(kMaxSamples)) {
      content.moreThanFifty = true;
      continue;
    }
    SampleRecord record;
    RowValues values;
    std::string name = row[0] && !row[0]->number ? row[0]->text : std::string();
    // A name as a data file can hold it: UTF-8, no character that would split its row.
    if (!IsValidUtf8(name)) name = Windows1252ToUtf8(name);
    // The grid writes every name with a final blank; the workbook's names have none.
    record[0] = ReplaceFieldBreakers(name).text + ' ';
    for (std::size_t k = 0; k < 10; ++k) {
      const std::optional<Cell>& cell = k + 1 < row.size() ? row[k + 1] : std::nullopt;
      if (cell && cell->number) {
        // The number as the sheet shows it (the grid's decimals), in the shortest form a data
        // file's numbers open with; the row keeps it whole.
        values[k] = cell->value;
        const double scale = std::pow(10.0, kValueFormats[k].decimals);
        const double shown = std::isfinite(cell->value * scale) ? std::round(cell->value * scale) / scale : cell->value;
        record[k + 1] = FormatGeneral(shown, separator);
      } else if (k >= 8 && !cell) {
        record[k + 1] = std::string(kNotApplicableCell);  // a white wine's Intensity and Tonality
      } else {
        return DataFileError{.kind = DataFileProblem::InvalidNumber, .message = std::string(kInvalidNumericInput)};
      }
    }
    if (CutLongName(record[0])) content.namesCut = true;
    content.rows.push_back(std::move(record));
    content.values.push_back(values);
  }
  if (content.samplesInFile == 0) {
    return DataFileError{.kind = DataFileProblem::NoSamples, .message = std::string(messages::kNoSamples.In(language))};
  }
  return content;
}

DataFileRead ReadWorkbookFile(const std::string& path, char separator, Language language, const std::string& notOurs,
                              FileIdentity* identity) {
  const WholeFileRead read = ReadWholeFile(path, kMaxWorkbookBytes, language);
  if (const auto* error = std::get_if<WholeFileError>(&read)) return DataFileError{.message = error->message};
  const auto& file = std::get<WholeFile>(read);
  if (identity != nullptr) *identity = file.identity;
  return ParseWorkbook(file.bytes, separator, language, notOurs);
}

}  // namespace tintavis
