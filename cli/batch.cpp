#include "cli/batch.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <string>

#include "logic/calculation.h"
#include "logic/resultsgrid.h"
#include "logic/textrules.h"
#include "io/datafile.h"
#include "io/encoding.h"

namespace tintavis::batch {
namespace {

constexpr std::string_view kUsage =
    "Usage: tintavis-calc [--separator . | ,] [--lang es | en] [--precise] [--spectrum]\n"
    "                     [--pdf OUT.pdf] [--reference NAME] [FILE | -]\n"
    "\n"
    "Computes the colour of every sample in FILE (standard input when FILE is absent or -) and\n"
    "writes a TINTAVIS data file to standard output.\n"
    "\n"
    "Input: one sample per line, eight TAB-separated fields:\n"
    "  name, wine type, measurement path length (mm), result path length (mm),\n"
    "  A450, A520, A570, A630\n"
    "Wine type: red or white (any case), or \"Tinto, Rosado\", \"Red, Rosé\", \"Blanco, Brandy\",\n"
    "\"White, Brandy\". Blank lines and lines starting with # are skipped. Text is UTF-8, or\n"
    "Windows-1252 when it is not valid UTF-8.\n"
    "\n"
    "Options:\n"
    "  --separator . | ,  decimal separator of the numbers written (default .); absorbances are\n"
    "                     read with either\n"
    "  --lang es | en     language of the header and the messages (default es)\n"
    "  --precise          write the ten values as %.17g with '.', also Intensity and Tonality\n"
    "                     of white wines\n"
    "  --spectrum         go on with the 31 transmittances at the result path length, 400 to\n"
    "                     700 nm\n"
    "  --pdf OUT.pdf      also write the printed report of the first 50 computed samples, as\n"
    "                     the window prints them, to OUT.pdf (one A4 portrait page)\n"
    "  --reference NAME   end every line with the colour differences dE*ab (CIE 1976) and\n"
    "                     dE00 (CIEDE2000) against the sample named NAME\n"
    "  --help             show this text\n"
    "\n"
    "Output: the header line, then one line per computed sample; lines end with CR LF.\n"
    "A sample that cannot be computed is reported on standard error as \"line N: MESSAGE\".\n"
    "Exit status: 0 all samples computed, 1 some failed, 2 usage error, unreadable input or a\n"
    "report that could not be written.\n";

constexpr std::size_t kFields = 8;

std::string AsciiLower(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

std::optional<WineType> ParseWineType(std::string_view field) {
  const std::string key = AsciiLower(TrimBlanks(field));
  if (key == "red" || key == "tinto, rosado" || key == AsciiLower("Red, Rosé")) return WineType::RedRose;
  if (key == "white" || key == "blanco, brandy" || key == "white, brandy") return WineType::WhiteBrandy;
  return std::nullopt;
}

void AppendNumber(std::string& out, double v) {
  char buf[32];
  const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 17);
  out.append(buf, res.ptr);
}

void AppendReport(std::string& errors, std::size_t line, std::string_view message) {
  errors += "line ";
  errors += std::to_string(line);
  errors += ": ";
  errors += message;
  errors += '\n';
}

// The tool's own messages about the shape of a line.
std::string FieldCountMessage(std::size_t found, Language language) {
  return language == Language::English ? "expected 8 TAB-separated fields, found " + std::to_string(found)
                 : "se esperaban 8 campos separados por TAB, hay " + std::to_string(found);
}

std::string WineTypeMessage(std::string_view field, Language language) {
  std::string quoted = "'" + std::string(field) + "'";
  return language == Language::English ? "unknown wine type " + quoted + " (red, white, \"Red, Rosé\" or \"White, Brandy\")"
                 : "tipo de vino desconocido " + quoted + " (red, white, \"Tinto, Rosado\" o \"Blanco, Brandy\")";
}

bool IsBlank(std::string_view line) { return TrimBlanks(line).empty(); }

// The line starting at `pos`, without its line end; `pos` moves to the next line.
std::string_view NextLine(std::string_view text, std::size_t& pos) {
  std::size_t end = text.find('\n', pos);
  if (end == std::string_view::npos) end = text.size();
  std::string_view line = text.substr(pos, end - pos);
  pos = end + 1;
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

enum class LineKind { Skipped, Refused, Sample };

// One input line: blank or a comment, refused for its shape (with `message`), or a sample whose
// fields are put into `form`.
LineKind ReadLine(std::string_view line, const Options& options, SampleForm& form, std::string& message) {
  if (IsBlank(line) || line.front() == '#') return LineKind::Skipped;
  std::array<std::string_view, kFields> fields;
  std::size_t count = 0;
  for (std::size_t start = 0;;) {
    const std::size_t tab = line.find('\t', start);
    const std::string_view field = line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start);
    if (count < kFields) fields[count] = field;
    ++count;
    if (tab == std::string_view::npos) break;
    start = tab + 1;
  }
  if (count != kFields) {
    message = FieldCountMessage(count, options.language);
    return LineKind::Refused;
  }
  const auto wine = ParseWineType(fields[1]);
  if (!wine) {
    message = WineTypeMessage(fields[1], options.language);
    return LineKind::Refused;
  }
  form.name.assign(fields[0]);
  form.wine = *wine;
  form.espesor.assign(fields[2]);
  form.referido.assign(fields[3]);
  form.primLong.assign(fields[4]);
  form.segLong.assign(fields[5]);
  form.tercLong.assign(fields[6]);
  form.cuartLong.assign(fields[7]);
  return LineKind::Sample;
}

}  // namespace

std::string_view Usage() { return kUsage; }

Arguments ParseArguments(const std::vector<std::string>& args) {
  Arguments result;
  Options options;
  bool haveInput = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::string_view name) -> std::optional<std::string> {
      if (i + 1 >= args.size()) {
        result.error = std::string(name) + " needs a value";
        return std::nullopt;
      }
      return args[++i];
    };
    if (a == "--help" || a == "-h") {
      result.help = true;
      return result;
    }
    if (a == "--separator") {
      const auto v = value(a);
      if (!v) return result;
      if (*v != "." && *v != ",") {
        result.error = "--separator takes . or , (not '" + *v + "')";
        return result;
      }
      options.separator = (*v)[0];
    } else if (a == "--lang") {
      const auto v = value(a);
      if (!v) return result;
      if (*v != "es" && *v != "en") {
        result.error = "--lang takes es or en (not '" + *v + "')";
        return result;
      }
      options.language = *v == "en" ? Language::English : Language::Spanish;
    } else if (a == "--precise") {
      options.precise = true;
    } else if (a == "--spectrum") {
      options.spectrum = true;
    } else if (a == "--pdf") {
      const auto v = value(a);
      if (!v) return result;
      if (v->empty()) {
        result.error = "--pdf needs a file name";
        return result;
      }
      options.pdf = *v;
    } else if (a == "--reference") {
      const auto v = value(a);
      if (!v) return result;
      options.reference = *v;
    } else if (a.size() > 1 && a[0] == '-' && a != "-") {
      result.error = "unknown option '" + a + "'";
      return result;
    } else {
      if (haveInput) {
        result.error = "only one input file may be given";
        return result;
      }
      options.input = a;
      haveInput = true;
    }
  }
  result.options = options;
  return result;
}

std::string HeaderLine(const Options& options) {
  const auto header = GridHeader(options.language);
  std::string out;
  // Column 0 (the row number) is not part of a data file.
  AppendFields<std::string>(out, std::span(header).subspan(1));
  if (options.spectrum) {
    for (int nm = 400; nm <= 700; nm += 10) out += "\tT" + std::to_string(nm);
  }
  // Plain letters keep the header within Windows-1252.
  if (options.reference) out += "\tdE*ab\tdE00";
  out += kLineEnd;
  return out;
}

Report ProcessText(std::string_view text, const Options& options, std::size_t firstLine, std::string& out,
                   std::string& errors, std::vector<SampleRecord>* gridRows, const Lab* reference) {
  Report report;
  std::size_t lineNumber = firstLine;
  SampleForm form;
  std::string message;
  Spectrum31 spectrum{};
  for (std::size_t pos = 0; pos < text.size(); ++lineNumber) {
    const std::string_view line = NextLine(text, pos);
    const LineKind kind = ReadLine(line, options, form, message);
    if (kind == LineKind::Skipped) continue;
    if (kind == LineKind::Refused) {
      AppendReport(errors, lineNumber, message);
      ++report.failed;
      continue;
    }
    const CalculationOutcome outcome =
        CalculateSample(form, CalculationCounters{}, options.separator, options.language, &spectrum);
    const auto* row = std::get_if<RowWritten>(&outcome);
    if (row == nullptr) {
      AppendReport(errors, lineNumber, OutcomeMessage(outcome)->text);
      ++report.failed;
      continue;
    }

    if (gridRows != nullptr && gridRows->size() < static_cast<std::size_t>(kMaxSamples)) {
      gridRows->push_back(FormatResultRow(row->name, row->colour, row->wine, options.separator));
    }
    if (options.precise) {
      const ColourResult& c = row->colour;
      out += row->name;
      for (const double v : {c.X, c.Y, c.Z, c.L, c.C, c.h, c.a, c.b, c.intensity, c.tonality}) {
        out += '\t';
        AppendNumber(out, v);
      }
    } else {
      const SampleRecord record = FormatResultRow(row->name, row->colour, row->wine, options.separator);
      AppendFields<std::string>(out, record);
    }
    if (options.spectrum) {
      for (const double t : spectrum) {
        out += '\t';
        AppendNumber(out, t);
      }
    }
    if (reference != nullptr) {
      const ColourDifferences d = ColourDifference(*reference, {row->colour.L, row->colour.a, row->colour.b});
      for (const double v : {d.dEab, d.dE00}) {
        out += '\t';
        if (options.precise) {
          AppendNumber(out, v);
        } else {
          out += FormatFixed(v, 18, 2, options.separator);
        }
      }
    }
    out += kLineEnd;
    ++report.samples;
  }
  return report;
}

namespace {

bool ReadAll(std::FILE* f, std::string& bytes) {
  char buf[1 << 16];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, n);
  return std::ferror(f) == 0;
}

bool HasHighByte(std::string_view s) {
  for (const char c : s) {
    if (static_cast<unsigned char>(c) >= 0x80) return true;
  }
  return false;
}

// Whether the output may be written in Windows-1252, as the program saves its files: every name
// must have its bytes there, and no name may turn into bytes that form valid UTF-8 ("Ã©" is
// C3 A9 there), since a file whose every line is valid UTF-8 is read as UTF-8. Names are
// separated by ASCII in the output, so one name with an invalid sequence makes the file read as
// Windows-1252; a name that reads back the same alone does so in the file too. Every name
// of the input is looked at, computed or not.
bool NamesStayWindows1252(std::string_view text) {
  if (!HasHighByte(text)) return true;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::string_view line = NextLine(text, pos);
    if (IsBlank(line) || line.front() == '#') continue;
    const std::string name = std::string(line.substr(0, line.find('\t'))) + ' ';
    if (!HasHighByte(name)) continue;
    const auto legacy = Utf8ToWindows1252(name);
    if (!legacy || IsValidUtf8(*legacy)) return false;
  }
  return true;
}

// Writes UTF-8 text in the output encoding chosen for the whole run.
bool WriteText(std::FILE* f, const std::string& utf8, bool windows1252) {
  if (windows1252 && HasHighByte(utf8)) {
    const std::string bytes = Utf8ToWindows1252(utf8).value_or(utf8);
    return std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  }
  return std::fwrite(utf8.data(), 1, utf8.size(), f) == utf8.size();
}

}  // namespace

std::optional<Lab> ReferenceLab(std::string_view text, const Options& options, std::string_view name) {
  SampleForm form;
  std::string message;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::string_view line = NextLine(text, pos);
    if (ReadLine(line, options, form, message) != LineKind::Sample || form.name != name) continue;
    const CalculationOutcome outcome = CalculateSample(form, CalculationCounters{}, options.separator, options.language);
    const auto* row = std::get_if<RowWritten>(&outcome);
    if (row == nullptr) return std::nullopt;
    return Lab{row->colour.L, row->colour.a, row->colour.b};
  }
  return std::nullopt;
}

ReportContent RunReport(const Options& options, const std::vector<SampleRecord>& gridRows) {
  ReportContent content;
  content.caption = "TINTAVIS";
  if (options.input != "-") {
    // The window's caption after a file was opened: the name without its folder.
    content.caption += " - " + std::filesystem::path(options.input).filename().string();
  }
  content.language = options.language;
  const std::size_t n = std::min(gridRows.size(), static_cast<std::size_t>(kMaxSamples));
  for (std::size_t i = 0; i < n; ++i) {
    ReportRow row;
    row[0] = std::to_string(i + 1);
    std::copy(gridRows[i].begin(), gridRows[i].end(), row.begin() + 1);
    content.rows.push_back(std::move(row));
  }
  return content;
}

int Run(const std::vector<std::string>& args, std::FILE* in, std::FILE* out, std::FILE* err,
        const ReportWriter& writeReport) {
  const Arguments arguments = ParseArguments(args);
  if (arguments.help) {
    std::fputs(kUsage.data(), out);
    return 0;
  }
  if (!arguments.options) {
    std::fprintf(err, "tintavis-calc: %s\n%s", arguments.error.c_str(), kUsage.data());
    return 2;
  }
  const Options& options = *arguments.options;
  if (!options.pdf.empty() && !writeReport) {
    std::fprintf(err, "tintavis-calc: --pdf is not available: this build has no Qt\n");
    return 2;
  }

  std::string bytes;
  if (options.input == "-") {
    if (!ReadAll(in, bytes)) {
      std::fprintf(err, "tintavis-calc: cannot read standard input: %s\n", std::strerror(errno));
      return 2;
    }
  } else {
    std::FILE* f = std::fopen(options.input.c_str(), "rb");
    const bool ok = f != nullptr && ReadAll(f, bytes);
    const int error = errno;
    if (f != nullptr) std::fclose(f);
    if (!ok) {
      std::fprintf(err, "tintavis-calc: cannot read '%s': %s\n", options.input.c_str(), std::strerror(error));
      return 2;
    }
  }
  const std::string text = DecodeText(bytes);
  bytes.clear();
  bytes.shrink_to_fit();

  const bool windows1252 = NamesStayWindows1252(text);

  std::optional<Lab> reference;
  if (options.reference) {
    reference = ReferenceLab(text, options, *options.reference);
    if (!reference) {
      std::fprintf(err, "tintavis-calc: no sample named '%s' can serve as the reference\n%s",
                   options.reference->c_str(), kUsage.data());
      return 2;
    }
  }

  Report total;
  std::string chunk = HeaderLine(options);
  std::string errors;
  std::vector<SampleRecord> gridRows;
  std::vector<SampleRecord>* keptRows = options.pdf.empty() ? nullptr : &gridRows;
  bool written = WriteText(out, chunk, windows1252);
  // Whole lines in chunks, so that the output never holds more than a chunk in memory.
  constexpr std::size_t kChunkBytes = 1 << 20;
  std::size_t line = 1;
  for (std::size_t pos = 0; pos < text.size() && written;) {
    std::size_t end = std::min(text.size(), pos + kChunkBytes);
    if (end < text.size()) {
      const std::size_t nl = text.find('\n', end);
      end = nl == std::string::npos ? text.size() : nl + 1;
    }
    const std::string_view piece(text.data() + pos, end - pos);
    chunk.clear();
    errors.clear();
    const Report r = ProcessText(piece, options, line, chunk, errors, keptRows, reference ? &*reference : nullptr);
    total.samples += r.samples;
    total.failed += r.failed;
    written = WriteText(out, chunk, windows1252);
    // Written whole: a report may quote a field holding a NUL byte.
    std::fwrite(errors.data(), 1, errors.size(), err);
    for (const char c : piece) line += c == '\n' ? 1 : 0;
    pos = end;
  }
  if (!written || std::fflush(out) != 0) {
    std::fprintf(err, "tintavis-calc: cannot write the output: %s\n", std::strerror(errno));
    return 2;
  }
  if (!options.pdf.empty()) {
    const std::string problem = writeReport(options.pdf, RunReport(options, gridRows));
    if (!problem.empty()) {
      std::fprintf(err, "tintavis-calc: cannot write the report '%s': %s\n", options.pdf.c_str(), problem.c_str());
      return 2;
    }
  }
  return total.failed > 0 ? 1 : 0;
}

}  // namespace tintavis::batch
