#include "io/workbook.h"

#include <unistd.h>
#include <xlsxwriter.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <tuple>

#include "io/encoding.h"
#include "io/fileerrors.h"
#include "io/safesave.h"
#include "io/wholefile.h"

namespace tintavis {
namespace {

// The one format object of each look a cell can have, made at its first use and shared by
// every cell of that look.
class Formats {
 public:
  explicit Formats(lxw_workbook* workbook) : workbook_(workbook) {}

  lxw_format* For(const SheetCell& cell) {
    const Key key{cell.format, cell.bold, cell.fill ? static_cast<long>(RgbOf(*cell.fill)) : -1L, cell.ink};
    if (key == Key{}) return nullptr;
    auto [it, added] = formats_.try_emplace(key, nullptr);
    if (!added) return it->second;
    lxw_format* format = workbook_add_format(workbook_);
    if (!cell.format.empty()) format_set_num_format(format, cell.format.c_str());
    if (cell.bold) format_set_bold(format);
    if (cell.fill) {
      format_set_pattern(format, LXW_PATTERN_SOLID);
      format_set_bg_color(format, RgbOf(*cell.fill));
      format_set_font_color(format, cell.ink == Ink::White ? LXW_COLOR_WHITE : LXW_COLOR_BLACK);
    }
    it->second = format;
    return format;
  }

 private:
  using Key = std::tuple<std::string, bool, long, Ink>;
  static lxw_color_t RgbOf(SwatchColour c) {
    return static_cast<lxw_color_t>((c.red & 0xFF) << 16 | (c.green & 0xFF) << 8 | (c.blue & 0xFF));
  }

  lxw_workbook* workbook_;
  std::map<Key, lxw_format*> formats_;
};

// Texts go into the file as UTF-8; a name read from an 8-bit file that is not is read as
// Windows-1252.
std::string Utf8(const std::string& text) { return IsValidUtf8(text) ? text : Windows1252ToUtf8(text); }

lxw_error WriteCell(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t column, const SheetCell& cell, Formats& formats) {
  lxw_format* format = formats.For(cell);
  switch (cell.kind) {
    case SheetCell::Kind::Text:
      return worksheet_write_string(sheet, row, column, Utf8(cell.text).c_str(), format);
    case SheetCell::Kind::Number:
      return worksheet_write_number(sheet, row, column, cell.number, format);
    case SheetCell::Kind::Boolean:
      return worksheet_write_boolean(sheet, row, column, cell.flag ? 1 : 0, format);
    case SheetCell::Kind::Empty:
      // A blank keeps a fill; without one there is nothing to write.
      return format != nullptr ? worksheet_write_blank(sheet, row, column, format) : LXW_NO_ERROR;
  }
  return LXW_NO_ERROR;
}

// The workbook written to `file`: 0, or the library's error.
lxw_error WriteSheets(const std::string& file, const std::vector<Sheet>& sheets) {
  lxw_workbook* workbook = workbook_new(file.c_str());
  if (workbook == nullptr) return LXW_ERROR_CREATING_XLSX_FILE;
  Formats formats(workbook);
  lxw_error error = LXW_NO_ERROR;
  for (const Sheet& s : sheets) {
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, Utf8(s.name).c_str());
    if (sheet == nullptr) {
      error = LXW_ERROR_SHEETNAME_ALREADY_USED;
      break;
    }
    for (std::size_t c = 0; c < s.columnWidths.size(); ++c) {
      const auto column = static_cast<lxw_col_t>(c);
      worksheet_set_column(sheet, column, column, s.columnWidths[c], nullptr);
    }
    for (std::size_t r = 0; r < s.rows.size() && error == LXW_NO_ERROR; ++r) {
      for (std::size_t c = 0; c < s.rows[r].size() && error == LXW_NO_ERROR; ++c) {
        error = WriteCell(sheet, static_cast<lxw_row_t>(r), static_cast<lxw_col_t>(c), s.rows[r][c], formats);
      }
    }
    if (error != LXW_NO_ERROR) break;
  }
  // Closing writes the file and frees the workbook, also after a failure.
  const lxw_error closed = workbook_close(workbook);
  return error != LXW_NO_ERROR ? error : closed;
}

}  // namespace

std::optional<std::string> WriteWorkbook(const std::string& path, const std::vector<Sheet>& sheets, Language language) {
  // The library writes to a file of its own choosing by name: a temporary one, whose bytes then
  // replace the target's content through the safe save.
  std::string temp = TemporaryFolder() + "/tintavis-workbook-XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return FileErrorMessage(errno, temp, FileUse::Writing, language);
  ::close(fd);
  struct Remove {
    const std::string& file;
    ~Remove() { std::remove(file.c_str()); }
  } remove{temp};

  if (const lxw_error error = WriteSheets(temp, sheets); error != LXW_NO_ERROR) return std::string(lxw_strerror(error));
  // A workbook of a million rows (a sheet's most) stays well within this.
  constexpr std::size_t kMaxWorkbookBytes = std::size_t{1} << 30;
  const WholeFileRead read = ReadWholeFile(temp, kMaxWorkbookBytes, language);
  if (const auto* error = std::get_if<WholeFileError>(&read)) return error->message;
  return ReplaceFileContent(path, std::get<WholeFile>(read).bytes, language);
}

bool IsWorkbookFile(const std::string& path) {
  // Opened as every file read is, so that a pipe or device named here never blocks.
  const OpenedFile opened = OpenRegularFile(path, Language::English);
  if (opened.fd < 0) return false;
  char start[4] = {};
  const bool read = ::read(opened.fd, start, sizeof start) == static_cast<ssize_t>(sizeof start);
  ::close(opened.fd);
  return read && std::string_view(start, sizeof start) == std::string_view("PK\x03\x04", 4);
}

}  // namespace tintavis
