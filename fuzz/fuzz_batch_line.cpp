// The batch tool on any input text: every output line has the fields of its options (11, or 42
// with the spectrum) separated by TABs and ends with CR LF; every line that is not blank or a
// comment is either written or reported once (a written one also when its name was changed),
// in order, with its line number, up to a too long line, which is reported and ends the text;
// the whole tool's exit status, standard output and standard error agree with that.
//
// Input: the text, followed by the bytes that choose the options and the first line number.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "cli/batch.h"
#include "cli/input.h"
#include "fuzz/fuzzcheck.h"
#include "io/encoding.h"
#include "logic/messages.h"

using namespace tintavis;
using fuzz::Check;
using fuzz::Fail;

namespace {

// The lines of a text as the tool sees them: up to each LF, a CR before it dropped.
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  for (std::size_t pos = 0; pos < text.size();) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    pos = end + 1;
  }
  return lines;
}

// Blank lines hold only characters of code 32 or less.
bool IsSampleLine(std::string_view line) {
  const bool blank = std::all_of(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) <= 32; });
  return !blank && line.front() != '#';
}

void CheckOutput(std::string_view out, std::size_t fields, std::size_t samples) {
  Check(out.empty() || out.substr(out.size() - 2) == "\r\n", "the output ends with CR LF");
  std::size_t lines = 0;
  for (std::size_t pos = 0; pos < out.size(); ++lines) {
    const std::size_t lf = out.find('\n', pos);
    Check(lf != std::string_view::npos && lf > pos && out[lf - 1] == '\r', "every output line ends with CR LF");
    const std::string_view line = out.substr(pos, lf - 1 - pos);
    Check(static_cast<std::size_t>(std::count(line.begin(), line.end(), '\t')) + 1 == fields,
          "every output line has the fields of its options", line);
    pos = lf + 1;
  }
  Check(lines == samples, "one output line per sample computed");
}

// Reports are in line order, at most one per line, for sample lines only except a too long
// line, which ends the text.
void CheckReports(std::string_view errors, std::size_t firstLine, const std::vector<std::string_view>& lines,
                  std::size_t reportsExpected) {
  std::size_t reports = 0;
  std::size_t previous = 0;
  for (std::size_t pos = 0; pos < errors.size(); ++reports) {
    const std::size_t lf = errors.find('\n', pos);
    Check(lf != std::string_view::npos, "every report ends with LF");
    const std::string_view report = errors.substr(pos, lf - pos);
    Check(report.substr(0, 5) == "line ", "a report starts with its line number", report);
    const std::size_t colon = report.find(": ");
    Check(colon != std::string_view::npos && colon > 5, "a report has its line number and a message", report);
    const std::size_t number = std::stoull(std::string(report.substr(5, colon - 5)));
    Check(number >= firstLine && number < firstLine + lines.size(), "a report names a line of the text", report);
    Check(reports == 0 || number > previous, "reports come in line order, one per line", report);
    const std::string_view line = lines[number - firstLine];
    Check(IsSampleLine(line) || line.size() > batch::kMaxLineBytes, "only sample lines are reported", report);
    Check(colon + 2 < report.size(), "a report has a message", report);
    previous = number;
    pos = lf + 1;
  }
  Check(reports == reportsExpected, "one report per failed or renamed line");
}

std::string ReadStream(std::FILE* f, char*& buffer, std::size_t& size) {
  std::fclose(f);
  std::string text(buffer, size);
  std::free(buffer);
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  batch::Options options;
  options.separator = in.ConsumeBool() ? ',' : '.';
  options.language = in.ConsumeBool() ? Language::English : Language::Spanish;
  options.precise = in.ConsumeBool();
  options.spectrum = in.ConsumeBool();
  const std::size_t firstLine = in.ConsumeBool() ? in.ConsumeIntegralInRange<std::size_t>(1, 1'000'000'000) : 1;
  const std::string bytes = in.ConsumeRemainingBytesAsString();
  // The lines as the tool reads them: its byte-order mark dropped, each line decoded alone.
  const std::string_view text = std::string_view(bytes).starts_with("\xEF\xBB\xBF") ? std::string_view(bytes).substr(3) : bytes;

  std::string out;
  std::string errors;
  const batch::Report report = batch::ProcessText(text, options, firstLine, out, errors);
  const std::vector<std::string_view> lines = Lines(text);
  const auto tooLong = std::find_if(lines.begin(), lines.end(), [](std::string_view l) { return l.size() > batch::kMaxLineBytes; });
  Check(report.tooLong == (tooLong != lines.end()), "a too long line is seen");
  const auto sampleLines = static_cast<std::size_t>(std::count_if(lines.begin(), tooLong, IsSampleLine)) +
                           (tooLong != lines.end() ? 1 : 0);
  Check(report.samples + report.failed == sampleLines, "every sample line is either written or reported");
  Check(report.renamed <= report.samples, "only written lines are reported for their names");
  CheckOutput(out, options.spectrum ? 42 : 11, report.samples);
  CheckReports(errors, firstLine, lines, report.failed + report.renamed);

  // The whole tool on the same bytes: its exit status, its output in either code page and its
  // reports agree with the lines.
  if (bytes.empty() || firstLine != 1) return 0;
  std::vector<std::string> args;
  if (options.separator == ',') args.insert(args.end(), {"--separator", ","});
  if (options.language == Language::English) args.insert(args.end(), {"--lang", "en"});
  if (options.precise) args.emplace_back("--precise");
  if (options.spectrum) args.emplace_back("--spectrum");
  std::string input = bytes;
  std::FILE* stdinFile = fmemopen(input.data(), input.size(), "r");
  char* outBuffer = nullptr;
  std::size_t outSize = 0;
  char* errBuffer = nullptr;
  std::size_t errSize = 0;
  std::FILE* stdoutFile = open_memstream(&outBuffer, &outSize);
  std::FILE* stderrFile = open_memstream(&errBuffer, &errSize);
  Check(stdinFile != nullptr && stdoutFile != nullptr && stderrFile != nullptr, "memory streams open");
  const int status = batch::Run(args, stdinFile, stdoutFile, stderrFile);
  std::fclose(stdinFile);
  const std::string toolOut = ReadStream(stdoutFile, outBuffer, outSize);
  const std::string toolErr = ReadStream(stderrFile, errBuffer, errSize);
  // An input without any sample line is refused after the header.
  const bool noSamples = report.samples + report.failed == 0;
  Check(status == (noSamples ? 2 : report.failed > 0 ? 1 : 0), "the exit status says whether a sample failed");
  const std::string said = noSamples ? "tintavis-calc: standard input: " +
                                           std::string(messages::kNoSamples.In(options.language)) + "\n"
                                     : std::string();
  Check(toolErr == errors + said, "the tool reports what the lines report", toolErr);
  const std::string expected = batch::HeaderLine(options) + out;
  const auto legacy = Utf8ToWindows1252(expected);
  Check(toolOut == expected || (legacy && toolOut == *legacy), "the tool writes the header and the lines", toolOut);
  Check(DecodeText(toolOut) == expected, "the output reads back as the lines", toolOut);
  return 0;
}
