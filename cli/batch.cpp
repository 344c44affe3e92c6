#include "cli/batch.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <limits>
#include <iterator>
#include <memory>
#include <string>
#include <thread>

#include "cli/pipeline.h"
#include "cli/precisetext.h"
#include "cli/spectra.h"
#include "logic/calculation.h"
#include "logic/differencetable.h"
#include "logic/messages.h"
#include "logic/readings.h"
#include "logic/resultsgrid.h"
#include "logic/textrules.h"
#include "io/datafile.h"
#include "io/encoding.h"
#include "io/fileerrors.h"
#include "io/fileidentity.h"
#include "io/safesave.h"
#include "io/wholefile.h"
#include "io/workbook.h"
#include "logic/samplestore.h"
#include "logic/version.h"
#include "logic/workbooksheets.h"

namespace tintavis::batch {
namespace {

constexpr std::string_view kUsage =
    "Usage: tintavis-calc [--separator . | ,] [--lang es | en] [--precise] [--spectrum]\n"
    "                     [--pdf OUT.pdf | --pdf-all OUT.pdf] [--reference NAME | --target L,a,b]\n"
    "                     [--uncertainty UA[,UD]] [--tolerance T [--difference de00 | deab]\n"
    "                     [--rule simple | guarded]] [--threads N] [--xlsx OUT.xlsx]\n"
    "                     [--report OUT.pdf [--lab TEXT] [--operator TEXT] [--instrument TEXT]\n"
    "                     [--note TEXT]] [FILE | -]\n"
    "       tintavis-calc --spectra FILE [--wine red | white] [--path MM] [--result MM]\n"
    "                     [--transmittance | --transmittance-percent] [--separator . | ,]\n"
    "                     [--lang es | en] [--precise] [--pdf OUT.pdf] [--reference NAME]\n"
    "                     [--report OUT.pdf ...]\n"
    "       tintavis-calc --help | --version\n"
    "\n"
    "Computes the colour of every sample in FILE (standard input when FILE is absent or -) and\n"
    "writes a TINTAVIS data file to standard output.\n"
    "\n"
    "Input: one sample per line, eight TAB-separated fields:\n"
    "  name, wine type, measurement path length (mm), result path length (mm),\n"
    "  A450, A520, A570, A630\n"
    "Wine type: red or white, or \"Tinto, Rosado\", \"Red, Rosé\", \"Blanco, Brandy\",\n"
    "\"White, Brandy\", in any case (\"RED, ROSÉ\"). Blank lines and lines starting with # are\n"
    "skipped; an input without any sample line is an error. Each line is UTF-8, or Windows-1252\n"
    "when it is not valid UTF-8. A negative path length is refused.\n"
    "\n"
    "Spectra (--spectra FILE, or - for standard input): a wavelength column and one column per\n"
    "sample, the first line naming the samples, fields separated by TAB, ';' or ','; whole\n"
    "nanometres every 1, 2, 5 or 10 nm from 380 nm or below to 780 nm or above; decadic\n"
    "absorbances, or transmittances from 0 to 1 with --transmittance, or in percent with\n"
    "--transmittance-percent (a transmittance of 0 or less, or above 1 or 100, is refused with\n"
    "its line and column). Each line gives a sample's colour from its whole spectrum and ends\n"
    "with \"dE00 (4 nm)\", the CIEDE2000 difference of the four-wavelength estimate from it\n"
    "(\"  --\" when the estimate is refused, which is reported and leaves the exit status\n"
    "alone).\n"
    "\n"
    "Options:\n"
    "  --separator . | ,  decimal separator of the numbers written (default .); absorbances are\n"
    "                     read with either\n"
    "  --lang es | en     language of the header and the messages (default es)\n"
    "  --precise          write the ten values as %.17g with '.', also Intensity and Tonality\n"
    "                     of white wines\n"
    "  --spectrum         go on with the 31 transmittances at the result path length, 400 to\n"
    "                     700 nm (not with --spectra)\n"
    "  --pdf OUT.pdf      also write the printed report of the first 50 computed samples, as\n"
    "                     the window prints them, to OUT.pdf (one A4 portrait page; the samples\n"
    "                     left out are counted on standard error); never over the input or\n"
    "                     over an existing file that is not a PDF\n"
    "  --pdf-all OUT.pdf  as --pdf, but every computed sample, 50 to a page, the pages numbered\n"
    "  --xlsx OUT.xlsx    also write a spreadsheet workbook of every computed sample to OUT.xlsx,\n"
    "                     beside the data file on standard output: numbers as numbers with the\n"
    "                     grid's decimals, the readings after them, a sheet of the method and,\n"
    "                     with --reference or --target, one of the colour differences;\n"
    "                     never over the input or over an existing file that is not a workbook\n"
    "  --report OUT.pdf   also write the laboratory report of every computed sample to OUT.pdf\n"
    "                     (PDF/A, A4 portrait): the method, each sample's inputs, colour and\n"
    "                     values, the a*b* chart and the L* scale, and a block to sign; with\n"
    "                     --reference also each sample's dE00, with --uncertainty or\n"
    "                     --tolerance the pages of each value's U and each verdict; the same\n"
    "                     safety rules as --pdf, and the file is replaced only once the new\n"
    "                     one is whole\n"
    "  --lab TEXT, --operator TEXT, --instrument TEXT, --note TEXT\n"
    "                     with --report: the laboratory, operator and instrument of its header,\n"
    "                     and a note under its method\n"
    "  --reference NAME   end every line with the colour differences dE*ab (CIE 1976) and\n"
    "                     dE00 (CIEDE2000) against the sample named NAME, which must be the\n"
    "                     name of one sample only; \"--\" where a difference cannot be computed\n"
    "  --target L,a,b     the same against a target colour typed from a product sheet\n"
    "                     (numbers with '.', e.g. --target 30.5,45.2,18)\n"
    "  --uncertainty UA[,UD]\n"
    "                     the standard uncertainty of each absorbance (UA) and of the\n"
    "                     measurement path length in mm (UD, default 0): U(X) ... U(Ton), the\n"
    "                     expanded uncertainties (k = 2), follow the ten values\n"
    "  --tolerance T      with --reference or --target: end every line with U of the\n"
    "                     difference (with --uncertainty) and the verdict (Conforme, No conforme,\n"
    "                     Indeterminado / Pass, Fail, Indeterminate); the rule is stated on\n"
    "                     standard error\n"
    "  --difference de00 | deab\n"
    "                     the difference the tolerance limits (default de00)\n"
    "  --rule simple | guarded\n"
    "                     simple acceptance: pass when dE <= T (default); guarded acceptance\n"
    "                     (needs --uncertainty): pass when dE + U <= T, fail when dE - U > T,\n"
    "                     otherwise indeterminate\n"
    "  --threads N        compute on N threads, 1 to 64 (default: one per core); the output is\n"
    "                     the same for any N\n"
    "  --spectra FILE     read FILE as measured spectra (see above)\n"
    "  --wine red | white with --spectra: the wine type of the four-wavelength estimate, and\n"
    "                     whether Intensity and Tonality are shown (default red)\n"
    "  --path MM          with --spectra: the cell the spectra were measured in, whole mm\n"
    "                     (default 10)\n"
    "  --result MM        with --spectra: the path length of the results, whole mm (default 10)\n"
    "  --transmittance    with --spectra: the values are transmittances from 0 to 1\n"
    "  --transmittance-percent, --transmittance=percent\n"
    "                     with --spectra: the values are transmittances in percent, 0 to 100\n"
    "  --help             show this text\n"
    "  --version          show the program's version\n"
    "\n"
    "Output: the header line, then one line per computed sample; lines end with CR LF.\n"
    "A sample that cannot be computed is reported on standard error as \"line N: MESSAGE\"\n"
    "(for spectra \"line N, column C (NAME): MESSAGE\", where its name stands in the file).\n"
    "So is a line longer than 64 KiB, which ends the input, and a name whose TAB, CR, LF, NUL\n"
    "or byte 26 were replaced by spaces (the sample is computed).\n"
    "Exit status: 0 all samples computed, 1 some failed, 2 usage error, unreadable input (or a\n"
    "spectra file with a fault, or an input without samples), a --reference that names no\n"
    "sample or several, output that could not be written, or a report that could not or may\n"
    "not be written, 3 all samples computed but some not conforming to --tolerance (1 and 2\n"
    "take precedence).\n";

constexpr std::size_t kFields = 8;
// A sheet's rows, less the headings.
constexpr std::size_t kMaxWorkbookSamples = 1048575;
constexpr unsigned kMaxThreads = 64;
// Input bytes per block of work: enough lines (about 1,400 generated ones) that handing blocks
// between threads costs little.
constexpr std::size_t kBlockBytes = std::size_t{64} * 1024;
// Lines in all the blocks under way: a line's output takes up to about 1 KB (--precise
// --spectrum --reference on a short line), so their output stays within a few MB whatever the
// number of threads. Blocks hold at most 1,024 lines, and at least 64.
constexpr std::size_t kLinesInFlight = 4096;

std::size_t BlockLines(unsigned threads) {
  return std::clamp<std::size_t>(kLinesInFlight / BlocksInFlight(threads), 64, 1024);
}

// A TAB and the number as %.17g.
char* PutPreciseField(char* out, double v) {
  *out++ = '\t';
  return PutPrecise(out, v);
}

void AppendReport(std::string& errors, std::size_t line, std::string_view message) {
  char number[24];
  errors += "line ";
  errors.append(number, std::to_chars(number, number + sizeof number, line).ptr);
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
  std::string quoted = "'";
  quoted.append(field).append("'");
  return language == Language::English ? "unknown wine type " + quoted + " (red, white, \"Red, Rosé\" or \"White, Brandy\")"
                 : "tipo de vino desconocido " + quoted + " (red, white, \"Tinto, Rosado\" o \"Blanco, Brandy\")";
}

constexpr std::string_view kLineTooLong = "line too long";
constexpr BilingualText kReadingKeyboard = {
    "tintavis-calc: leyendo muestras del teclado, una por línea (8 campos separados por TAB); "
    "termine con Ctrl+D\n",
    "tintavis-calc: reading samples from the keyboard, one per line (8 TAB-separated fields); "
    "end with Ctrl+D\n"};

bool IsBlank(std::string_view line) { return Trim(line).empty(); }

bool IsAscii(std::string_view s) {
  // Eight bytes at a time: sample lines are read at the speed of the disk.
  std::size_t i = 0;
  for (; i + 8 <= s.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, s.data() + i, sizeof word);
    if ((word & 0x8080808080808080u) != 0) return false;
  }
  for (; i < s.size(); ++i) {
    if (static_cast<unsigned char>(s[i]) >= 0x80) return false;
  }
  return true;
}

// A line of the input as UTF-8: as it is when it is UTF-8, else read as Windows-1252 into
// `scratch`.
std::string_view DecodedLine(std::string_view line, std::string& scratch) {
  if (IsAscii(line) || IsValidUtf8(line)) return line;
  scratch = Windows1252ToUtf8(line);
  return scratch;
}

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

// The names of the values in the headings of their uncertainties, plain letters as the
// difference headings have them.
constexpr std::array<std::string_view, 10> kUncertaintyHeadings = {"X",  "Y",  "Z",  "L*",  "C*",
                                                                   "h*", "a*", "b*", "Int", "Ton"};

// Numbers separated by ',' and written with '.', as --target and --uncertainty take them.
std::optional<std::vector<double>> NumberList(std::string_view text) {
  std::vector<double> numbers;
  for (std::size_t start = 0;;) {
    const std::size_t comma = text.find(',', start);
    const DecimalParse n = ParseDecimal(text.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start), '.');
    if (!n.ok()) return std::nullopt;
    numbers.push_back(n.value);
    if (comma == std::string_view::npos) return numbers;
    start = comma + 1;
  }
}

void AppendNumber(std::string& out, double v, int decimals, const Options& options) {
  char text[kFixedTextMax];
  out += '\t';
  out.append(text, options.precise ? PutPrecise(text, v) : FormatFixedTo(text, v, 18, decimals, options.separator));
}

// The output line of a computed sample. Its fields after the name are put together in one
// buffer: ten values, 31 transmittances and two differences, each a TAB and at most
// kFixedTextMax characters (kPreciseTextMax for %.17g), and the line end.
bool AppendSampleLine(std::string& out, const RowWritten& row, const Spectrum31& spectrum, const Options& options,
                      const Reference* reference, std::size_t lineNumber) {
  static_assert(kPreciseTextMax <= kFixedTextMax);
  char fields[(10 + kSpectrumPoints + 2) * (1 + kFixedTextMax) + 2];
  char* end = fields;
  const ColourResult& c = row.colour;
  if (options.precise) {
    for (const double v : {c.X, c.Y, c.Z, c.L, c.C, c.h, c.a, c.b, c.intensity, c.tonality}) {
      end = PutPreciseField(end, v);
    }
  } else {
    for (int k = 0; k < 10; ++k) {
      *end++ = '\t';
      end = FormatValueCell(end, k, c, row.wine, options.separator);
    }
  }
  std::optional<ColourUncertainty> u;
  if (options.uncertainty) {
    const Computed<ColourUncertainty> propagated = PropagateUncertainty(row.input, *options.uncertainty);
    if (propagated.ok()) u = propagated.value();
    out += row.name;
    out.append(fields, end);
    AppendUncertainties(out, u, row.wine, options);
    end = fields;
  }
  if (options.spectrum) {
    for (const double t : spectrum) end = PutPreciseField(end, t);
  }
  if (reference != nullptr) {
    const ColourDifferences d = ColourDifference(reference->lab, {c.L, c.a, c.b});
    for (const double v : {d.dEab, d.dE00}) {
      *end++ = '\t';
      end = options.precise && std::isfinite(v) ? PutPrecise(end, v) : FormatDifferenceTo(end, v, options.separator);
    }
  }
  if (!options.uncertainty) out += row.name;
  out.append(fields, end);
  bool conforms = true;
  if (options.tolerance && reference != nullptr) {
    conforms = AppendCheck(out, {c.L, c.a, c.b}, u, *reference, options, reference->line == lineNumber);
  }
  out += kLineEnd;
  return conforms;
}

}  // namespace

std::string_view Usage() { return kUsage; }

void ReportWriteFailure(const DataFileWriter& writer, std::FILE* err) {
  if (writer.TemporaryFileFailed()) {
    std::fprintf(err, "tintavis-calc: cannot write the temporary file in '%s': %s\n", TemporaryFolder().c_str(),
                 std::strerror(writer.error()));
  } else {
    std::fprintf(err, "tintavis-calc: cannot write the output: %s\n", std::strerror(writer.error()));
  }
}

void AppendUncertainties(std::string& out, const std::optional<ColourUncertainty>& u, WineType wine,
                         const Options& options) {
  // --precise writes all ten, as a red wine has them.
  const RowValues U = u ? ExpandedValues(*u, options.precise ? WineType::RedRose : wine) : RowValues{};
  for (std::size_t k = 0; k < 10; ++k) {
    if (U[k]) {
      AppendNumber(out, *U[k], kValueFormats[k].decimals, options);
    } else {
      out += "\t  --";
    }
  }
}

bool AppendCheck(std::string& out, const Lab& lab, const std::optional<ColourUncertainty>& u,
                 const Reference& reference, const Options& options, bool isReference) {
  const RowCheck check = CheckSample(reference.lab, reference.covariance, lab, u, isReference, *options.tolerance,
                                     options.uncertainty.has_value(), options.separator);
  if (options.uncertainty) {
    if (check.expandedValue) {
      AppendNumber(out, *check.expandedValue, 2, options);
    } else {
      out += "\t  --";
    }
  }
  out += '\t';
  out += check.verdict ? VerdictText(*check.verdict, options.language) : "--";
  return check.verdict == Verdict::Pass;
}

Arguments ParseArguments(const std::vector<std::string>& args) {
  Arguments result;
  Options options;
  bool haveInput = false;
  std::string spectraOption;  // the last option given that only --spectra takes
  std::string valuesOption;   // the option that said what the spectra's values are
  Tolerance tolerance;
  bool hasTolerance = false;
  std::string checkOption;  // the last option given that only --tolerance takes
  std::string labOption;      // the last option given that only --report takes
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
    if (a == "--version") {
      result.version = true;
      return result;
    }
    if (a == "--xlsx") {
      const auto v = value(a);
      if (!v) return result;
      options.xlsx = *v;
      continue;
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
    } else if (a == "--pdf" || a == "--pdf-all") {
      const auto v = value(a);
      if (!v) return result;
      if (v->empty()) {
        result.error = a + " needs a file name";
        return result;
      }
      if (!options.pdf.empty()) {
        result.error = "only one report may be written: give --pdf or --pdf-all once";
        return result;
      }
      options.pdf = *v;
      options.pdfAll = a == "--pdf-all";
    } else if (a == "--report") {
      const auto v = value(a);
      if (!v) return result;
      if (v->empty()) {
        result.error = a + " needs a file name";
        return result;
      }
      options.labReport = *v;
    } else if (a == "--lab" || a == "--operator" || a == "--instrument" || a == "--note") {
      const auto v = value(a);
      if (!v) return result;
      LabReportDetails& d = options.labDetails;
      (a == "--lab" ? d.laboratory : a == "--operator" ? d.operatorName : a == "--instrument" ? d.instrument : d.note) = *v;
      labOption = a;
    } else if (a == "--reference") {
      const auto v = value(a);
      if (!v) return result;
      if (options.reference) {
        result.error = "only one reference may be given: give --reference once";
        return result;
      }
      options.reference = *v;
    } else if (a == "--target") {
      const auto v = value(a);
      if (!v) return result;
      const std::optional<std::vector<double>> numbers = NumberList(*v);
      if (!numbers || numbers->size() != 3) {
        result.error = "--target takes L*,a*,b* as three numbers with '.' (not '" + *v + "')";
        return result;
      }
      options.target = Lab{(*numbers)[0], (*numbers)[1], (*numbers)[2]};
    } else if (a == "--uncertainty") {
      const auto v = value(a);
      if (!v) return result;
      const std::optional<std::vector<double>> numbers = NumberList(*v);
      if (!numbers || numbers->empty() || numbers->size() > 2 ||
          std::any_of(numbers->begin(), numbers->end(), [](double x) { return x < 0; })) {
        result.error = "--uncertainty takes UA or UA,UD, numbers 0 or more with '.' (not '" + *v + "')";
        return result;
      }
      options.uncertainty = InputUncertainty{(*numbers)[0], numbers->size() == 2 ? (*numbers)[1] : 0};
    } else if (a == "--tolerance") {
      const auto v = value(a);
      if (!v) return result;
      const std::optional<std::vector<double>> numbers = NumberList(*v);
      if (!numbers || numbers->size() != 1 || (*numbers)[0] < 0) {
        result.error = "--tolerance takes a number 0 or more with '.' (not '" + *v + "')";
        return result;
      }
      tolerance.limit = (*numbers)[0];
      hasTolerance = true;
    } else if (a == "--difference") {
      const auto v = value(a);
      if (!v) return result;
      if (*v != "de00" && *v != "deab") {
        result.error = "--difference takes de00 or deab (not '" + *v + "')";
        return result;
      }
      tolerance.formula = *v == "deab" ? DifferenceFormula::DeAb : DifferenceFormula::De00;
      checkOption = a;
    } else if (a == "--rule") {
      const auto v = value(a);
      if (!v) return result;
      if (*v != "simple" && *v != "guarded") {
        result.error = "--rule takes simple or guarded (not '" + *v + "')";
        return result;
      }
      tolerance.rule = *v == "guarded" ? DecisionRule::Guarded : DecisionRule::Simple;
      checkOption = a;
    } else if (a == "--threads") {
      const auto v = value(a);
      if (!v) return result;
      unsigned n = 0;
      const auto [end, ec] = std::from_chars(v->data(), v->data() + v->size(), n);
      if (v->empty() || ec != std::errc() || end != v->data() + v->size() || n < 1 || n > kMaxThreads) {
        result.error = "--threads takes a whole number from 1 to " + std::to_string(kMaxThreads) + " (not '" + *v + "')";
        return result;
      }
      options.threads = n;
    } else if (a == "--spectra") {
      const auto v = value(a);
      if (!v) return result;
      if (haveInput) {
        result.error = "only one input file may be given";
        return result;
      }
      options.spectra = true;
      options.input = *v;
      haveInput = true;
    } else if (a == "--wine") {
      const auto v = value(a);
      if (!v) return result;
      const std::string wine = FoldCase(*v);
      if (wine != "red" && wine != "white") {
        result.error = "--wine takes red or white (not '" + *v + "')";
        return result;
      }
      options.spectraChoices.wine = wine == "red" ? WineType::RedRose : WineType::WhiteBrandy;
      spectraOption = a;
    } else if (a == "--path" || a == "--result") {
      const auto v = value(a);
      if (!v) return result;
      std::int32_t mm = 0;
      const auto [end, ec] = std::from_chars(v->data(), v->data() + v->size(), mm);
      if (v->empty() || ec != std::errc() || end != v->data() + v->size() || mm < 1) {
        result.error = a + " takes a whole number of millimetres, 1 or more (not '" + *v + "')";
        return result;
      }
      (a == "--path" ? options.spectraChoices.d : options.spectraChoices.r) = mm;
      spectraOption = a;
    } else if (a == "--transmittance" || a == "--transmittance-percent" || a.starts_with("--transmittance=")) {
      if (a.starts_with("--transmittance=") && a != "--transmittance=percent") {
        result.error = "--transmittance= takes percent (not '" + a.substr(a.find('=') + 1) + "')";
        return result;
      }
      const SpectraValues values = a == "--transmittance" ? SpectraValues::Transmittance
                                                          : SpectraValues::TransmittancePercent;
      // Fractions and percentages differ a hundredfold: a file is read in one unit only.
      if (!valuesOption.empty() && options.spectraChoices.values != values) {
        result.error = "give ";
        result.error.append(valuesOption).append(" or ").append(a).append(", not both");
        return result;
      }
      options.spectraChoices.values = values;
      valuesOption = a;
      spectraOption = a;
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
  if (!spectraOption.empty() && !options.spectra) {
    // Lines of four absorbances carry their own wine type and path lengths.
    result.error = spectraOption + " goes with --spectra";
    return result;
  }
  if (!labOption.empty() && options.labReport.empty()) {
    result.error = labOption + " goes with --report";
    return result;
  }
  if (!options.labReport.empty() && options.labReport == options.pdf) {
    result.error = "--report and " + std::string(options.pdfAll ? "--pdf-all" : "--pdf") + " name the same file";
    return result;
  }
  if (options.reference && options.target) {
    result.error = "give --reference or --target, not both";
    return result;
  }
  if (!checkOption.empty() && !hasTolerance) {
    result.error = checkOption + " goes with --tolerance";
    return result;
  }
  if (hasTolerance && !options.reference && !options.target) {
    result.error = "--tolerance needs --reference or --target";
    return result;
  }
  if (tolerance.rule == DecisionRule::Guarded && !options.uncertainty) {
    result.error = "--rule guarded needs --uncertainty";
    return result;
  }
  if (hasTolerance) options.tolerance = tolerance;
  if (options.spectra && !options.xlsx.empty()) {
    result.error = "--xlsx goes with lines of four absorbances, not with --spectra";
    return result;
  }
  if (options.spectra && options.spectrum) {
    result.error = "--spectrum goes with lines of four absorbances, not with --spectra";
    return result;
  }
  result.options = options;
  return result;
}

std::string HeaderLine(const Options& options) {
  const auto header = GridHeader(options.language);
  std::string out;
  // Column 0 (the row number) is not part of a data file.
  AppendFields<std::string>(out, std::span(header).subspan(1));
  if (options.uncertainty) {
    for (const std::string_view name : kUncertaintyHeadings) out.append("\tU(").append(name).append(")");
  }
  if (options.spectrum) {
    for (int nm = 400; nm <= 700; nm += 10) out += "\tT" + std::to_string(nm);
  }
  // Plain letters keep the header within Windows-1252.
  if (options.reference || options.target) out += "\tdE*ab\tdE00";
  if (options.spectra) out += "\tdE00 (4 nm)";
  if (options.tolerance) {
    if (options.uncertainty) out += options.tolerance->formula == DifferenceFormula::DeAb ? "\tU(dE*ab)" : "\tU(dE00)";
    out.append("\t").append(kVerdictHeading.In(options.language));
  }
  out += kLineEnd;
  return out;
}

Report ProcessText(std::string_view text, const Options& options, std::size_t firstLine, std::string& out,
                   std::string& errors, std::vector<SampleRecord>* gridRows, const Reference* reference,
                   std::size_t keepAtMost, std::vector<StoredSample>* storedRows) {
  Report report;
  const auto now = std::chrono::system_clock::now();
  std::size_t lineNumber = firstLine;
  SampleForm form;
  std::string message;
  std::string scratch;
  Spectrum31 spectrum{};
  for (std::size_t pos = 0; pos < text.size(); ++lineNumber) {
    const std::string_view raw = NextLine(text, pos);
    if (raw.size() > kMaxLineBytes) {
      AppendReport(errors, lineNumber, kLineTooLong);
      ++report.failed;
      report.tooLong = true;
      break;
    }
    const LineKind kind = ReadLine(DecodedLine(raw, scratch), options, form, message);
    if (kind == LineKind::Skipped) continue;
    if (kind == LineKind::Refused) {
      AppendReport(errors, lineNumber, message);
      ++report.failed;
      continue;
    }
    // A name can hold CR, NUL or byte 26 (TAB and LF end it); the data file cannot.
    bool renamed = false;
    if (std::any_of(form.name.begin(), form.name.end(), [](char c) { return c == '\r' || c == '\0' || c == '\x1A'; })) {
      FieldText fit = ReplaceFieldBreakers(form.name);
      form.name = std::move(fit.text);
      renamed = fit.changed;
    }
    const CalculationOutcome outcome =
        CalculateSample(form, CalculationCounters{}, options.separator, options.language, &spectrum);
    const auto* row = std::get_if<RowWritten>(&outcome);
    if (row == nullptr) {
      AppendReport(errors, lineNumber, OutcomeMessage(outcome)->text);
      ++report.failed;
      continue;
    }
    if (renamed) {
      AppendReport(errors, lineNumber, messages::kNameReplaced.In(options.language));
      ++report.renamed;
    }
    if (report.names != NameEncoding::Utf8) report.names = std::max(report.names, EncodingOf(row->name));
    if (gridRows != nullptr && gridRows->size() < keepAtMost) {
      gridRows->push_back(FormatResultRow(row->name, row->colour, row->wine, options.separator));
    }
    if (storedRows != nullptr) {
      if (reference != nullptr && reference->line == lineNumber) report.referenceStored = storedRows->size();
      storedRows->push_back(CalculatedSample(*row, form, options.separator, now));
    }
    if (!AppendSampleLine(out, *row, spectrum, options, reference, lineNumber)) ++report.notConforming;
    ++report.samples;
  }
  return report;
}

void FindReference(std::string_view text, const Options& options, std::string_view name, std::size_t firstLine,
                   ReferenceSearch& search) {
  SampleForm form;
  std::string message;
  std::string scratch;
  for (std::size_t pos = 0, line = firstLine; pos < text.size(); ++line) {
    const std::string_view raw = NextLine(text, pos);
    if (raw.size() > kMaxLineBytes) {
      search.over = true;
      return;
    }
    if (ReadLine(DecodedLine(raw, scratch), options, form, message) != LineKind::Sample || form.name != name) continue;
    if (++search.found > 1) {
      if (search.lines.size() < kReferenceLinesListed) search.lines.push_back(line);
      continue;
    }
    search.lines.push_back(line);
    const CalculationOutcome outcome = CalculateSample(form, CalculationCounters{}, options.separator, options.language);
    if (const auto* row = std::get_if<RowWritten>(&outcome)) {
      Reference reference{Lab{row->colour.L, row->colour.a, row->colour.b}, {}, line};
      std::optional<ColourUncertainty> u;
      if (options.uncertainty) {
        const Computed<ColourUncertainty> propagated = PropagateUncertainty(row->input, *options.uncertainty);
        if (propagated.ok()) u = propagated.value();
      }
      // A reference with no uncertainty of its own cannot guard a verdict: it serves none.
      if (!options.uncertainty || u) {
        if (u) reference.covariance = u->lab;
        search.reference = reference;
      }
    }
  }
}

std::string AmbiguousReferenceMessage(std::string_view name, std::string_view places, const std::vector<std::size_t>& numbers,
                                      std::size_t found) {
  std::string out = "--reference '";
  out.append(name).append("' is ambiguous: ").append(places);
  for (std::size_t i = 0; i < numbers.size(); ++i) out += (i == 0 ? " " : ", ") + std::to_string(numbers[i]);
  if (found > numbers.size()) out += ", ... (" + std::to_string(found) + " in all)";
  return out;
}

ReportContent RunReport(const Options& options, std::vector<SampleRecord> gridRows) {
  ReportContent content;
  content.caption = "TINTAVIS";
  if (options.input != "-") {
    // The window's caption after a file was opened: the name without its folder.
    content.caption += " - " + std::filesystem::path(options.input).filename().string();
  }
  content.language = options.language;
  content.numberPages = options.pdfAll;
  const std::size_t n = options.pdfAll ? gridRows.size() : std::min(gridRows.size(), static_cast<std::size_t>(kMaxSamples));
  content.rows.reserve(n);
  for (std::size_t i = 0; i < n; ++i) {
    ReportRow row;
    row[0] = std::to_string(i + 1);
    std::move(gridRows[i].begin(), gridRows[i].end(), row.begin() + 1);
    content.rows.push_back(std::move(row));
  }
  return content;
}

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using OwnedFile = std::unique_ptr<std::FILE, FileCloser>;

// Why the report may not be written to `path`, or an empty text. The report must never destroy
// data: not the input (the same file, by whatever name or link), nor any existing file but an
// earlier PDF, which is what a forgotten output name (--pdf data.tsv) would hit; nor may it
// wait on a pipe or device there.
std::string PdfTargetProblem(const std::string& option, const std::string& path, std::FILE* input, Language language) {
  const auto target = IdentityOfPath(path);
  if (!target) return {};  // a new file, or one the writer will fail on
  if (IdentityOfDescriptor(::fileno(input)) == target) {
    return option + ": '" + path + "' is the input; the report is not written over it";
  }
  const OpenedFile existing = OpenRegularFile(path, language);
  if (existing.fd < 0 && existing.error == 0) return option + ": '" + path + "': " + existing.message;
  char start[5] = {};
  const bool isPdf = existing.fd >= 0 && ::read(existing.fd, start, sizeof start) == static_cast<ssize_t>(sizeof start) &&
                     std::string_view(start, sizeof start) == "%PDF-";
  if (existing.fd >= 0) ::close(existing.fd);
  if (!isPdf) return option + ": '" + path + "' exists and is not a PDF file; the report is not written over it";
  return {};
}

// The lines of samples are read as a stream, in blocks: a named pipe or a device is read as it
// comes (an endless line ends the run), a folder is refused. A file of spectra is read whole
// and must be a regular file (OpenRegularFile), so that it never waits.
OpenedFile OpenSampleStream(const std::string& path, Language language) {
  OpenedFile opened;
  opened.fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
  struct stat st {};
  if (opened.fd < 0 || ::fstat(opened.fd, &st) != 0) {
    opened.error = errno;
  } else if (S_ISDIR(st.st_mode)) {
    opened.message = NotARegularFileMessage(st.st_mode, language);
  } else {
    return opened;
  }
  if (opened.fd >= 0) ::close(opened.fd);
  opened.fd = -1;
  return opened;
}

// A temporary file that needs no name: removed when closed.
OwnedFile TemporaryStream(int& error) {
  const int fd = OpenNamelessTemporaryFile(error);
  if (fd < 0) return nullptr;
  OwnedFile stream(::fdopen(fd, "w+b"));
  if (stream == nullptr) {
    error = errno;
    ::close(fd);
  }
  return stream;
}

// Why the workbook may not be written to `path`, or an empty text: as for the report, never over
// the input, nor over an existing file that is not a workbook.
std::string WorkbookTargetProblem(const std::string& path, std::FILE* input) {
  struct stat target {};
  if (::stat(path.c_str(), &target) != 0) return {};
  struct stat source {};
  if (::fstat(::fileno(input), &source) == 0 && source.st_dev == target.st_dev && source.st_ino == target.st_ino) {
    return "--xlsx: '" + path + "' is the input; the workbook is not written over it";
  }
  if (!IsWorkbookFile(path)) {
    return "--xlsx: '" + path + "' exists and is not a workbook; the workbook is not written over it";
  }
  return {};
}

// One block of the input and what computing it gave.
struct Block {
  std::string input;
  std::size_t firstLine = 1;
  bool keepRows = false;
  std::string out;
  std::string errors;
  std::vector<SampleRecord> rows;
  std::vector<StoredSample> stored;  // for the workbook
  Report report;
};

unsigned ThreadsToUse(const Options& options) {
  if (options.threads != 0) return options.threads;
  return std::clamp(std::thread::hardware_concurrency(), 1u, kMaxThreads);
}

}  // namespace

int Run(const std::vector<std::string>& args, std::FILE* in, std::FILE* out, std::FILE* err,
        const ReportWriter& writeReport, const LabReportWriter& writeLabReport) {
  const Arguments arguments = ParseArguments(args);
  if (arguments.help) {
    // Help that could not be written (a full disk, a closed pipe) is an output error.
    if (std::fputs(kUsage.data(), out) < 0 || std::fflush(out) != 0) {
      std::fprintf(err, "tintavis-calc: cannot write the help: %s\n", std::strerror(errno));
      return 2;
    }
    return 0;
  }
  if (arguments.version) {
    std::fprintf(out, "tintavis-calc %.*s\n", static_cast<int>(kProgramVersion.size()), kProgramVersion.data());
    return 0;
  }
  if (!arguments.options) {
    std::fprintf(err, "tintavis-calc: %s\n%s", arguments.error.c_str(), kUsage.data());
    return 2;
  }
  const Options& options = *arguments.options;
  if (!options.pdf.empty() && !writeReport) {
    std::fprintf(err, "tintavis-calc: %s is not available: this build has no Qt\n", options.pdfAll ? "--pdf-all" : "--pdf");
    return 2;
  }
  if (!options.labReport.empty() && !writeLabReport) {
    std::fprintf(err, "tintavis-calc: --report is not available: this build has no Qt\n");
    return 2;
  }

  std::FILE* input = in;
  OwnedFile opened;
  const std::string inputName = options.input == "-" ? "standard input" : "'" + options.input + "'";
  if (options.input != "-") {
    const OpenedFile file = options.spectra ? OpenRegularFile(options.input, options.language)
                                            : OpenSampleStream(options.input, options.language);
    if (file.fd >= 0) opened.reset(::fdopen(file.fd, "rb"));
    if (opened == nullptr) {
      const int error = file.fd >= 0 ? errno : file.error;
      if (file.fd >= 0) ::close(file.fd);
      std::fprintf(err, "tintavis-calc: cannot read %s: %s\n", inputName.c_str(),
                   error != 0 ? std::strerror(error) : file.message.c_str());
      return 2;
    }
    input = opened.get();
  }
  if (!options.pdf.empty()) {
    const std::string problem =
        PdfTargetProblem(options.pdfAll ? "--pdf-all" : "--pdf", options.pdf, input, options.language);
    if (!problem.empty()) {
      std::fprintf(err, "tintavis-calc: %s\n", problem.c_str());
      return 2;
    }
  }
  if (options.tolerance) {
    // The decision rule goes with every verdict.
    const std::string rule = RuleStatement(*options.tolerance, options.separator, options.language);
    std::fprintf(err, "tintavis-calc: %s\n", rule.c_str());
  }
  if (!options.xlsx.empty()) {
    const std::string problem = WorkbookTargetProblem(options.xlsx, input);
    if (!problem.empty()) {
      std::fprintf(err, "tintavis-calc: %s\n", problem.c_str());
      return 2;
    }
  }
  if (!options.labReport.empty()) {
    const std::string problem = PdfTargetProblem("--report", options.labReport, input, options.language);
    if (!problem.empty()) {
      std::fprintf(err, "tintavis-calc: %s\n", problem.c_str());
      return 2;
    }
  }
  if (options.spectra) return RunSpectra(options, input, inputName, out, err, writeReport, writeLabReport);
  if (options.input == "-" && ::isatty(::fileno(in)) != 0) std::fputs(kReadingKeyboard.In(options.language).data(), err);

  // --reference needs its sample before the first line is written: the input is read up to it
  // first, then again from its start. A stream that cannot be read again is copied to a
  // temporary file as far as that search reads it.
  OwnedFile replay;
  std::optional<Reference> reference;
  if (options.target) reference = Reference{*options.target};
  if (options.reference) {
    struct stat info {};
    const off_t start = ::ftello(input);
    const bool seekable = ::fstat(::fileno(input), &info) == 0 && S_ISREG(info.st_mode) && start >= 0;
    ByteSource scanned(input);
    if (!seekable) {
      int error = 0;
      replay = TemporaryStream(error);
      if (replay == nullptr) {
        std::fprintf(err, "tintavis-calc: cannot make a temporary file in '%s': %s\n", TemporaryFolder().c_str(),
                     std::strerror(error));
        return 2;
      }
      scanned.CopyTo(replay.get());
    }
    LineBlockReader scan(scanned, kBlockBytes, BlockLines(1));
    std::string block;
    std::size_t firstLine = 1;
    ReferenceSearch search;
    // The whole input is looked through: a name given to several samples would make the
    // differences depend on which of them came first.
    while (!search.over && scan.Next(block, firstLine)) FindReference(block, options, *options.reference, firstLine, search);
    if (scanned.CopyFailed()) {
      std::fprintf(err, "tintavis-calc: cannot write the temporary file in '%s': %s\n", TemporaryFolder().c_str(),
                   std::strerror(scan.error()));
      return 2;
    }
    if (scan.error() != 0) {
      std::fprintf(err, "tintavis-calc: cannot read %s: %s\n", inputName.c_str(), std::strerror(scan.error()));
      return 2;
    }
    if (search.found > 1) {
      std::fprintf(err, "tintavis-calc: %s\n",
                   AmbiguousReferenceMessage(*options.reference, "samples so named on lines", search.lines, search.found).c_str());
      return 2;
    }
    if (!search.reference) {
      std::fprintf(err, "tintavis-calc: no sample named '%s' can serve as the reference\n%s",
                   options.reference->c_str(), kUsage.data());
      return 2;
    }
    reference = search.reference;
    const bool rewound = seekable ? ::fseeko(input, start, SEEK_SET) == 0
                                  : std::fflush(replay.get()) == 0 && std::fseek(replay.get(), 0, SEEK_SET) == 0;
    if (!rewound && !seekable) {
      std::fprintf(err, "tintavis-calc: cannot write the temporary file in '%s': %s\n", TemporaryFolder().c_str(),
                   std::strerror(errno));
      return 2;
    }
    if (!rewound) {
      std::fprintf(err, "tintavis-calc: cannot read %s again: %s\n", inputName.c_str(), std::strerror(errno));
      return 2;
    }
  }

  ByteSource source(input);
  if (replay != nullptr) source.ReadFirst(replay.get());
  const unsigned threads = ThreadsToUse(options);
  LineBlockReader reader(source, kBlockBytes, BlockLines(threads));
  DataFileWriter writer(out);
  Report total;
  // The report's rows: the 50 of the page, or with --pdf-all every one.
  std::vector<SampleRecord> gridRows;
  std::vector<StoredSample> labSamples;  // --report: every computed sample
  std::optional<std::size_t> labReference;  // where the --reference sample is among them
  const std::size_t reportRows = options.pdfAll ? SIZE_MAX : static_cast<std::size_t>(kMaxSamples);
  const Reference* referenceLab = reference ? &*reference : nullptr;
  std::vector<StoredSample> stored;  // the workbook's samples
  std::optional<std::size_t> workbookReference;  // where the --reference sample is among them

  bool written = writer.Write(HeaderLine(options), NameEncoding::Ascii);
  if (written) {
    const std::function<bool(Block&)> read = [&](Block& b) {
      // Rows for the report are kept until it has all it prints; blocks under way may add a few
      // more.
      b.keepRows = !options.pdf.empty() && gridRows.size() < reportRows;
      return reader.Next(b.input, b.firstLine);
    };
    const std::function<void(Block&)> process = [&](Block& b) {
      b.out.clear();
      b.errors.clear();
      b.rows.clear();
      b.stored.clear();
      b.report = ProcessText(b.input, options, b.firstLine, b.out, b.errors, b.keepRows ? &b.rows : nullptr, referenceLab,
                             reportRows, options.xlsx.empty() && options.labReport.empty() ? nullptr : &b.stored);
    };
    const std::function<bool(Block&)> write = [&](Block& b) {
      total.samples += b.report.samples;
      total.failed += b.report.failed;
      total.notConforming += b.report.notConforming;
      for (SampleRecord& row : b.rows) {
        if (gridRows.size() == reportRows) break;
        gridRows.push_back(std::move(row));
      }
      if (b.report.referenceStored) {
        if (!options.labReport.empty()) labReference = labSamples.size() + *b.report.referenceStored;
        if (stored.size() + *b.report.referenceStored < kMaxWorkbookSamples) {
          workbookReference = stored.size() + *b.report.referenceStored;
        }
      }
      for (StoredSample& sample : b.stored) {
        // The laboratory report takes every sample, the workbook as many as it holds.
        if (!options.labReport.empty()) labSamples.push_back(sample);
        if (options.xlsx.empty() || stored.size() == kMaxWorkbookSamples) continue;
        stored.push_back(std::move(sample));
      }
      // Written whole: a report may quote a field holding a NUL byte.
      std::fwrite(b.errors.data(), 1, b.errors.size(), err);
      return writer.Write(b.out, b.report.names);
    };
    written = ProcessInOrder<Block>(threads, read, process, write);
  }
  if (written) written = writer.Finish();
  if (!written) {
    ReportWriteFailure(writer, err);
    return 2;
  }
  if (reader.error() != 0) {
    std::fprintf(err, "tintavis-calc: cannot read %s: %s\n", inputName.c_str(), std::strerror(reader.error()));
    return 2;
  }
  if (total.samples == 0 && total.failed == 0) {
    // Nothing but blank and comment lines: most likely the wrong file, which must not pass for
    // a run that computed everything.
    std::fprintf(err, "tintavis-calc: %s: %s\n", inputName.c_str(), std::string(messages::kNoSamples.In(options.language)).c_str());
    return 2;
  }
  if (!options.xlsx.empty()) {
    std::vector<Sheet> sheets = {SamplesSheet(stored, options.language), MethodSheet(stored, options.language)};
    if (reference) {
      // The differences to --reference or --target, and with --tolerance their verdicts, as the
      // window's colour difference window gives them.
      const DifferenceReference against{reference->lab, reference->covariance, workbookReference,
                                        options.reference ? *options.reference : TargetName(reference->lab, options.separator),
                                        !options.reference};
      QualityCheck check;
      check.tolerance = options.tolerance;
      check.uncertainty = options.uncertainty;
      sheets.push_back(DifferencesSheet(CompareSamples(stored, &against, options.separator, options.language, check),
                                        options.language));
    }
    const auto problem = WriteWorkbook(options.xlsx, sheets, options.language);
    if (problem) {
      std::fprintf(err, "tintavis-calc: cannot write the workbook '%s': %s\n", options.xlsx.c_str(), problem->c_str());
      return 2;
    }
    if (total.samples > kMaxWorkbookSamples) {
      std::fprintf(err, "tintavis-calc: the workbook '%s' holds the first %zu of the %zu samples computed\n",
                   options.xlsx.c_str(), kMaxWorkbookSamples, total.samples);
    }
  }
  if (!options.pdf.empty()) {
    const std::string problem = writeReport(options.pdf, RunReport(options, std::move(gridRows)));
    if (!problem.empty()) {
      std::fprintf(err, "tintavis-calc: cannot write the report '%s': %s\n", options.pdf.c_str(), problem.c_str());
      return 2;
    }
    // The page holds what the window's grid would: say so rather than lose the rest unseen.
    if (!options.pdfAll && total.samples > static_cast<std::size_t>(kMaxSamples)) {
      std::fprintf(err,
                   "tintavis-calc: the report '%s' holds the first %d of the %zu samples computed; "
                   "--pdf-all prints them all\n",
                   options.pdf.c_str(), kMaxSamples, total.samples);
    }
  }
  if (!options.labReport.empty()) {
    const std::string problem = writeLabReport(options.labReport, RunLabReport(options, std::move(labSamples), reference, labReference));
    if (!problem.empty()) {
      std::fprintf(err, "tintavis-calc: cannot write the report '%s': %s\n", options.labReport.c_str(), problem.c_str());
      return 2;
    }
  }
  if (total.failed > 0) return 1;
  return total.notConforming > 0 ? 3 : 0;
}

}  // namespace tintavis::batch
