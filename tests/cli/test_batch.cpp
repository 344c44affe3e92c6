#include "cli/batch.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "io/encoding.h"
#include "io/wholefile.h"
#include "logic/calculation.h"
#include "logic/differencetable.h"
#include "logic/textrules.h"
#include "logic/samplestore.h"
#include "tests/support/datafiles.h"
#include "tests/support/spectrafiles.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

namespace {

using tintavis::testing::kHeaderEs;

using tintavis::batch::Options;
using tintavis::batch::ParseArguments;
using tintavis::batch::ProcessText;


struct Processed {
  std::string out, errors;
  tintavis::batch::Report report;
};

Processed Process(std::string_view text, const Options& options = {}) {
  Processed p;
  p.report = ProcessText(text, options, 1, p.out, p.errors);
  return p;
}

// Runs the whole tool on `input` given as standard input; returns exit status, output, errors.
struct RunResult {
  int status;
  std::string out, err;
};

std::string ReadBack(std::FILE* f) {
  std::string s;
  std::rewind(f);
  char buf[4096];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) s.append(buf, n);
  std::fclose(f);
  return s;
}

RunResult RunTool(const std::vector<std::string>& args, std::string_view input) {
  std::FILE* in = std::tmpfile();
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  std::fwrite(input.data(), 1, input.size(), in);
  std::rewind(in);
  const int status = tintavis::batch::Run(args, in, out, err);
  std::fclose(in);
  return {status, ReadBack(out), ReadBack(err)};
}

TEST(BatchProcessText, WritesTheRowTextsTheGridWouldHold) {
  const auto p = Process("Crianza\tred\t2\t10\t0.5\t0.8\t0.6\t0.2\nVerdejo\tWHITE\t10\t10\t0.1\t0.05\t0.04\t0.03\n");
  EXPECT_EQ(p.out,
            "Crianza \t3.213\t1.403\t0.368\t12.0\t43.99\t20.37\t41.24\t15.31\t7.400\t0.533\r\n"
            "Verdejo \t84.560\t89.815\t85.220\t95.9\t7.85\t97.88\t-1.08\t7.78\t  --\t  --\r\n");
  EXPECT_EQ(p.report.samples, 2u);
  EXPECT_EQ(p.report.failed, 0u);
  EXPECT_TRUE(p.errors.empty());
}

TEST(BatchProcessText, AcceptsEveryWineTypeLabel) {
  // Any case, beyond ASCII too, and in Windows-1252 (C9 is É).
  for (const char* label : {"red", "Red", "Tinto, Rosado", "Red, Rosé", "  RED ", "RED, ROSÉ", "TINTO, ROSADO",
                            "RED, ROS\xC9"}) {
    const auto p = Process(std::string("s\t") + label + "\t2\t10\t0.5\t0.8\t0.6\t0.2");
    EXPECT_EQ(p.out, "s \t3.213\t1.403\t0.368\t12.0\t43.99\t20.37\t41.24\t15.31\t7.400\t0.533\r\n") << label;
  }
  for (const char* label : {"white", "Blanco, Brandy", "White, Brandy", "wHiTe", "BLANCO, BRANDY"}) {
    const auto p = Process(std::string("s\t") + label + "\t10\t10\t0.1\t0.05\t0.04\t0.03");
    EXPECT_EQ(p.out, "s \t84.560\t89.815\t85.220\t95.9\t7.85\t97.88\t-1.08\t7.78\t  --\t  --\r\n") << label;
  }
}

TEST(BatchProcessText, SkipsBlankAndCommentLinesButCountsThemInLineNumbers) {
  const auto p = Process("# readings\n\n   \r\nbad\tred\t2\n");
  EXPECT_EQ(p.out, "");
  EXPECT_EQ(p.errors, "line 4: se esperaban 8 campos separados por TAB, hay 3\n");
  EXPECT_EQ(p.report.failed, 1u);
}

TEST(BatchProcessText, ReportsEachFailedLineWithTheWindowsMessageAndGoesOn) {
  Options english;
  english.language = tintavis::Language::English;
  const auto p = Process(
      "a\tred\t2\t10\t0.5\t0.1\t0.6\t0.2\n"
      "b\tred\t\t10\t1\t1\t1\t1\n"
      "c\trosado\t2\t10\t1\t1\t1\t1\n"
      "d\tred\t2 \t10\t1\t1\t1\t1\n"
      "e\tred\t0\t10\t1\t1\t1\t1\n"
      "f\tred\t2\t10\t0.5\t0.8\t0.6\t0.2\t9\n"
      "g\tred\t2\t10\t0,5\t0.8\t0.6\t0.2\r\n"
      "h\tred\t-2\t10\t0.5\t0.8\t0.6\t0.2\n"
      "i\tred\t2\t-10\t0.5\t0.8\t0.6\t0.2\n",
      english);
  EXPECT_EQ(p.errors,
            "line 1: Color out of range. Type new values.\n"
            "line 2: Pathlength cell for measurement?\n"
            "line 3: unknown wine type 'rosado' (red, white, \"Red, Rosé\" or \"White, Brandy\")\n"
            "line 4: '2 ' is not a valid integer value.\n"
            "line 5: Floating point division by zero.\n"
            "line 6: expected 8 TAB-separated fields, found 9\n"
            "line 8: The pathlength cell for measurement cannot be negative.\n"
            "line 9: The pathlength cell for result cannot be negative.\n");
  EXPECT_EQ(p.report.samples, 1u);
  EXPECT_EQ(p.report.failed, 8u);
  EXPECT_EQ(p.out.substr(0, 9), "g \t3.213\t");
}

TEST(BatchProcessText, WritesTheLocaleSeparatorWhenAsked) {
  Options options;
  options.separator = ',';
  const auto p = Process("M\tred\t2\t10\t0.5\t0.8\t0.6\t0.2", options);
  EXPECT_EQ(p.out, "M \t3,213\t1,403\t0,368\t12,0\t43,99\t20,37\t41,24\t15,31\t7,400\t0,533\r\n");
}

TEST(BatchProcessText, PreciseWritesRoundTripNumbersAndSpectrumAddsThirtyOnePoints) {
  Options options;
  options.precise = true;
  options.spectrum = true;
  const auto p = Process("W\twhite\t10\t10\t0.10\t0.04\t0.02\t0.01", options);
  ASSERT_EQ(p.out.substr(p.out.size() - 2), "\r\n");
  std::vector<std::string> fields;
  std::string line = p.out.substr(0, p.out.size() - 2);
  for (std::size_t start = 0;;) {
    const std::size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
    if (tab == std::string::npos) break;
    start = tab + 1;
  }
  ASSERT_EQ(fields.size(), 1u + 10u + 31u);
  EXPECT_EQ(fields[0], "W ");
  EXPECT_NEAR(std::stod(fields[1]), 87.833970, 5e-7);
  EXPECT_NEAR(std::stod(fields[9]), 0.196463, 5e-7);   // Intensity, written for white wine too
  EXPECT_NEAR(std::stod(fields[10]), 3.625863, 5e-7);  // Tonality
  // At d = m = r the spectrum passes through the measured transmittances: 450 nm is point 5.
  EXPECT_NEAR(std::stod(fields[11 + 5]), 0.794328, 5e-7);
  EXPECT_GE(fields[1].size(), 15u);  // %.17g keeps every digit
}

TEST(BatchArguments, ParsesOptionsAndRefusesWhatItDoesNotKnow) {
  const auto ok = ParseArguments({"--separator", ",", "--lang", "en", "--precise", "--spectrum", "in.tsv"});
  ASSERT_TRUE(ok.options.has_value());
  EXPECT_EQ(ok.options->separator, ',');
  EXPECT_EQ(ok.options->language, tintavis::Language::English);
  EXPECT_TRUE(ok.options->precise);
  EXPECT_TRUE(ok.options->spectrum);
  EXPECT_EQ(ok.options->input, "in.tsv");
  EXPECT_EQ(ParseArguments({}).options->input, "-");
  EXPECT_TRUE(ParseArguments({"--help"}).help);

  EXPECT_EQ(ParseArguments({"--threads", "3"}).options->threads, 3u);
  EXPECT_EQ(ParseArguments({}).options->threads, 0u);  // one per core

  using tintavis::SpectraValues;
  const std::pair<std::vector<std::string>, SpectraValues> units[] = {
      {{"--spectra", "-"}, SpectraValues::Absorbance},
      {{"--spectra", "-", "--transmittance"}, SpectraValues::Transmittance},
      {{"--spectra", "-", "--transmittance-percent"}, SpectraValues::TransmittancePercent},
      {{"--transmittance=percent", "--spectra", "-", "--transmittance=percent"}, SpectraValues::TransmittancePercent}};
  for (const auto& [args, values] : units) EXPECT_EQ(ParseArguments(args).options->spectraChoices.values, values) << args.back();

  for (const std::vector<std::string>& bad :
       {std::vector<std::string>{"--separator", ";"}, {"--lang", "fr"}, {"--lang"}, {"--bogus"}, {"a", "b"},
        {"--threads"}, {"--threads", "0"}, {"--threads", "65"}, {"--threads", "two"}, {"--threads", "-1"},
        {"--threads", ""}, {"--threads", "2x"}, {"--reference", "A", "--reference", "B"},
        {"--spectra", "-", "--transmittance", "--transmittance-percent"}, {"--spectra", "-", "--transmittance=1"}}) {
    const auto r = ParseArguments(bad);
    EXPECT_FALSE(r.options.has_value());
    EXPECT_FALSE(r.error.empty());
  }
}

TEST(BatchRun, WritesHeaderAndRowsAndExitsZeroWhenAllSucceed) {
  const auto r = RunTool({}, "Crianza\tred\t2\t10\t0.5\t0.8\t0.6\t0.2\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, std::string(kHeaderEs) + "Crianza \t3.213\t1.403\t0.368\t12.0\t43.99\t20.37\t41.24\t15.31\t7.400\t0.533\r\n");
  EXPECT_EQ(r.err, "");
}

TEST(BatchRun, AnInputWithoutSamplesIsAnError) {
  for (const char* input : {"", "# readings\n\n", "\xEF\xBB\xBF"}) {
    const auto r = RunTool({}, input);
    EXPECT_EQ(r.status, 2) << input;
    EXPECT_EQ(r.err, "tintavis-calc: standard input: No hay muestras en este archivo\n") << input;
  }
  EXPECT_EQ(RunTool({"--lang", "en"}, "").err, "tintavis-calc: standard input: No samples in this file\n");
}

TEST(BatchRun, HelpThatCannotBeWrittenIsAnOutputError) {
  std::FILE* full = std::fopen("/dev/full", "w");
  ASSERT_NE(full, nullptr);
  std::FILE* err = std::tmpfile();
  EXPECT_EQ(tintavis::batch::Run({"--help"}, stdin, full, err), 2);
  std::fclose(full);
  EXPECT_EQ(ReadBack(err).rfind("tintavis-calc: cannot write the help: ", 0), 0u);
}

TEST(BatchRun, EnglishHeaderAndExitOneWhenASampleFails) {
  const auto r = RunTool({"--lang", "en", "-"}, "x\tred\t2\t10\t0.5\t0.1\t0.6\t0.2\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "    Sample\t     X\t     Y\t     Z\t    L*\t    C*\t    h*\t    a*\t    b*\t   Int.\t  Sha.\r\n");
  EXPECT_EQ(r.err, "line 1: Color out of range. Type new values.\n");
}

TEST(BatchRun, UsageErrorsAndUnreadableFilesExitTwo) {
  EXPECT_EQ(RunTool({"--lang", "de"}, "").status, 2);
  // A path through a regular file cannot be opened, whoever runs the test.
  const std::string file = testing::TempDir() + "tintavis_batch_regular_file";
  std::FILE* f = std::fopen(file.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fclose(f);
  const std::string through = file + "/samples.tsv";
  const auto r = RunTool({through}, "");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("cannot read '" + through + "': Not a directory"), std::string::npos) << r.err;
  std::remove(file.c_str());
}

TEST(BatchRun, NamesKeepTheirCharactersInWindows1252OrUtf8) {
  // A UTF-8 "ñ" that Windows-1252 holds is written as its single byte, as the program saves.
  const auto latin = RunTool({}, "Vi\xC3\xB1" "a\tred\t2\t10\t0.5\t0.8\t0.6\t0.2\n");
  EXPECT_EQ(latin.out.substr(std::string(kHeaderEs).size(), 6), "Vi\xF1" "a \t");
  // Windows-1252 input (not valid UTF-8) reads the same.
  const auto legacy = RunTool({}, "Vi\xF1" "a\tred\t2\t10\t0.5\t0.8\t0.6\t0.2\n");
  EXPECT_EQ(legacy.out, latin.out);
  // A character outside Windows-1252 keeps the whole output in UTF-8.
  const auto wide = RunTool({}, "Vi\xC3\xB1" "a \xE2\x98\x85\tred\t2\t10\t0.5\t0.8\t0.6\t0.2\n");
  EXPECT_EQ(wide.out.substr(std::string(kHeaderEs).size(), 11), "Vi\xC3\xB1" "a \xE2\x98\x85 \t");
}

}  // namespace

namespace {

TEST(BatchReference, EveryLineEndsWithTheDifferencesToTheNamedSample) {
  const auto r = RunTool({"--reference", "Crianza"},
                         "Crianza\tred\t2\t10\t0.5\t0.8\t0.6\t0.2\n"
                         "Joven\tred\t2\t10\t0.62\t1.05\t0.78\t0.21\n");
  EXPECT_EQ(r.status, 0) << r.err;
  const std::string header = std::string(kHeaderEs).substr(0, std::string(kHeaderEs).size() - 2) + "\tdE*ab\tdE00\r\n";
  ASSERT_EQ(r.out.substr(0, header.size()), header);
  // The reference against itself differs by nothing.
  EXPECT_NE(r.out.find("\t0.533\t0.00\t0.00\r\n"), std::string::npos) << r.out;
  // Joven against Crianza, from the unrounded L*, a*, b* of both.
  const auto joven = tintavis::CalculateSample(
      {"Joven", "2", "10", "0.62", "1.05", "0.78", "0.21", tintavis::WineType::RedRose, false}, {}, '.', tintavis::Language::Spanish);
  const auto crianza = tintavis::CalculateSample(
      {"Crianza", "2", "10", "0.5", "0.8", "0.6", "0.2", tintavis::WineType::RedRose, false}, {}, '.', tintavis::Language::Spanish);
  const auto& j = std::get<tintavis::RowWritten>(joven).colour;
  const auto& c = std::get<tintavis::RowWritten>(crianza).colour;
  const auto d = tintavis::ColourDifference({c.L, c.a, c.b}, {j.L, j.a, j.b});
  const std::string tail = "\t" + tintavis::FormatFixed(d.dEab, 18, 2, '.') + "\t" +
                           tintavis::FormatFixed(d.dE00, 18, 2, '.') + "\r\n";
  EXPECT_EQ(r.out.substr(r.out.size() - tail.size()), tail);
  EXPECT_GT(d.dEab, 1.0);
}

TEST(BatchReference, TheWindowsDifferenceTableGivesTheSameDifferencesForThePair) {
  const auto r = RunTool({"--reference", "Crianza"},
                         "Crianza\tred\t2\t10\t0.5\t0.8\t0.6\t0.2\n"
                         "Joven\tred\t2\t10\t0.62\t1.05\t0.78\t0.21\n");
  ASSERT_EQ(r.status, 0) << r.err;
  // The same two samples calculated in the window and compared in its difference table.
  tintavis::SampleStore store;
  const tintavis::SampleForm forms[2] = {
      {"Crianza", "2", "10", "0.5", "0.8", "0.6", "0.2", tintavis::WineType::RedRose, false},
      {"Joven", "2", "10", "0.62", "1.05", "0.78", "0.21", tintavis::WineType::RedRose, false}};
  for (const auto& form : forms) {
    const auto outcome = tintavis::CalculateSample(form, {}, '.', tintavis::Language::Spanish);
    const auto& row = std::get<tintavis::RowWritten>(outcome);
    store.Append(tintavis::CalculatedSample(row, form, '.', {}));
  }
  const auto table = tintavis::MakeDifferenceTable(store, 1, '.', tintavis::Language::Spanish);
  ASSERT_EQ(table.rows.size(), 2u);
  const std::string tail = "\t" + table.rows[1][7] + "\t" + table.rows[1][8] + "\r\n";
  EXPECT_EQ(r.out.substr(r.out.size() - tail.size()), tail);
}

TEST(BatchReference, AnUnknownOrUncomputableReferenceIsAUsageError) {
  const auto unknown = RunTool({"--reference", "Nadie"}, "Crianza\tred\t2\t10\t0.5\t0.8\t0.6\t0.2\n");
  EXPECT_EQ(unknown.status, 2);
  EXPECT_EQ(unknown.out, "");
  EXPECT_NE(unknown.err.find("no sample named 'Nadie'"), std::string::npos);
  const auto broken = RunTool({"--reference", "Mala"}, "Mala\tred\t2\t10\t0.5\t0.1\t0.6\t0.2\n");
  EXPECT_EQ(broken.status, 2);
  // A name that several samples share, wherever they stand, is refused with their lines.
  std::string twice = "Crianza\tred\t2\t10\t0.5\t0.8\t0.6\t0.2\n# -\n";
  twice += twice;
  for (int i = 0; i < 12; ++i) twice += "Joven\tred\t2\t10\t0.62\t1.05\t0.78\t0.21\n";
  const auto ambiguous = RunTool({"--reference", "Crianza"}, twice);
  EXPECT_EQ(ambiguous.status, 2);
  EXPECT_EQ(ambiguous.out, "");
  EXPECT_EQ(ambiguous.err, "tintavis-calc: --reference 'Crianza' is ambiguous: samples so named on lines 1, 3\n");
  const auto many = RunTool({"--reference", "Joven"}, twice);
  EXPECT_EQ(many.err, "tintavis-calc: --reference 'Joven' is ambiguous: samples so named on lines 5, 6, 7, 8, 9, 10, 11, "
                      "12, 13, 14, ... (12 in all)\n");
  EXPECT_EQ(ParseArguments({"--reference"}).options.has_value(), false);
}

}  // namespace

namespace {

TEST(BatchRun, ReportsQuotingANulByteAreWrittenWhole) {
  using namespace std::string_literals;
  const auto r = RunTool({}, "Uno\t\0\t2\t10\t1\t1\t1\t1\nDos\tred\t2\n"s);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "line 1: tipo de vino desconocido '\0' (red, white, \"Tinto, Rosado\" o \"Blanco, Brandy\")\n"
                   "line 2: se esperaban 8 campos separados por TAB, hay 3\n"s);
}

TEST(BatchRun, NamesWhoseCodePageBytesLookLikeUtf8KeepTheOutputInUtf8) {
  // In Windows-1252 "Ã©" would be C3 A9, which a reader takes for the UTF-8 of "é".
  const auto r = RunTool({}, "Ã©\tred\t2\t10\t0.5\t0.8\t0.6\t0.2\n");
  EXPECT_EQ(r.out.substr(std::string(kHeaderEs).size(), 6), "Ã© \t");
  // Even beside a name whose bytes are no UTF-8: that one may fail to compute and be left out.
  const auto mixed = RunTool({}, "Ã©\tred\t2\t10\t0.5\t0.8\t0.6\t0.2\nAñejo\tred\t2\t10\t0.5\t0.1\t0.6\t0.2\n");
  EXPECT_EQ(mixed.out.substr(std::string(kHeaderEs).size(), 6), "Ã© \t");
  // Names whose bytes are no UTF-8 keep the code page.
  const auto legacy = RunTool({}, "Añejo\tred\t2\t10\t0.5\t0.8\t0.6\t0.2\n");
  EXPECT_EQ(legacy.out.substr(std::string(kHeaderEs).size(), 7), "A\xF1" "ejo \t");
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Large inputs: read and written a block at a time, computed on several threads.

namespace {

using namespace std::string_literals;
using tintavis::DecodeText;
using tintavis::Utf8ToWindows1252;
using tintavis::testing::ReadBytes;
using tintavis::testing::WriteBytes;

std::string RedLine(const std::string& name, int variant = 0) {
  const double a520 = 0.3 + 0.001 * (variant % 500);
  char line[128];
  std::snprintf(line, sizeof line, "\tred\t2\t10\t%.4f\t%.4f\t%.4f\t%.4f\n", a520 * 0.62, a520, a520 * 0.7, a520 * 0.25);
  return name + line;
}

// Runs the tool with `input` coming through a pipe, which cannot be read twice.
RunResult RunToolOnPipe(const std::vector<std::string>& args, const std::string& input) {
  int fds[2];
  if (::pipe(fds) != 0) return {-1, "", "pipe"};
  std::thread feeder([&] {
    for (std::size_t done = 0; done < input.size();) {
      const ssize_t n = ::write(fds[1], input.data() + done, input.size() - done);
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
    ::close(fds[1]);
  });
  std::FILE* in = ::fdopen(fds[0], "r");
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  const int status = tintavis::batch::Run(args, in, out, err);
  feeder.join();
  std::fclose(in);
  return {status, ReadBack(out), ReadBack(err)};
}

std::string TempPath(const std::string& name) { return ::testing::TempDir() + "tintavis_batch_" + name; }

// 30,000 lines, about 25 blocks: samples with failures of each kind, comments and blank lines at
// known places.
struct LongInput {
  std::string text;
  std::string expectedErrors;
  std::size_t samples = 0;
};

LongInput MakeLongInput() {
  LongInput input;
  for (int line = 1; line <= 30000; ++line) {
    const std::string name = "S" + std::to_string(line);
    if (line % 997 == 0) {
      input.text += name + "\tred\t2\t10\t0.5\t0.1\t0.6\t0.2\n";  // out of range
      input.expectedErrors += "line " + std::to_string(line) + ": Color fuera de rango. Introduzca nuevos valores.\n";
    } else if (line % 1511 == 0) {
      input.text += name + "\tred\t2\n";
      input.expectedErrors += "line " + std::to_string(line) + ": se esperaban 8 campos separados por TAB, hay 3\n";
    } else if (line % 101 == 0) {
      input.text += line % 2 == 0 ? "# comment\n" : "\r\n";
    } else {
      input.text += RedLine(name, line);
      ++input.samples;
    }
  }
  return input;
}

TEST(BatchRun, ManyBlocksOnAnyNumberOfThreadsGiveTheSameBytesInInputOrder) {
  const LongInput input = MakeLongInput();
  const Processed whole = Process(input.text);
  ASSERT_EQ(whole.errors, input.expectedErrors);
  ASSERT_EQ(whole.report.samples, input.samples);
  const std::string expectedOut = kHeaderEs + whole.out;
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{}, {"--threads", "1"}, {"--threads", "2"}, {"--threads", "3"}, {"--threads", "8"}}) {
    const RunResult r = RunTool(args, input.text);
    const std::string label = args.empty() ? "default" : args[1];
    EXPECT_EQ(r.status, 1) << label;
    EXPECT_TRUE(r.out == expectedOut) << label << ": output differs";
    EXPECT_EQ(r.err, input.expectedErrors) << label;
  }
}

TEST(BatchRun, ALineLongerThan64KiBFailsAndEndsTheInput) {
  const std::string good = RedLine("Good");
  const std::string limit(tintavis::batch::kMaxLineBytes, 'x');
  struct Case {
    std::string input;
    std::string err;
    std::size_t computed;  // the Good samples written
  };
  const Case cases[] = {
      // At the limit a line is read, and refused for its shape.
      {limit + "\n" + good, "line 1: se esperaban 8 campos separados por TAB, hay 1\n", 1},
      {limit + "\r\n" + good, "line 1: se esperaban 8 campos separados por TAB, hay 1\n", 1},
      // One byte more ends the input there: the sample after it is not read.
      {good + limit + "x\n" + good, "line 2: line too long\n", 1},
      {good + limit + "x\r\n" + good, "line 2: line too long\n", 1},
      {good + "# " + limit + "\n" + good, "line 2: line too long\n", 1},
      {"\n\n" + std::string(300000, '\0'), "line 3: line too long\n", 0},
  };
  for (const Case& c : cases) {
    const RunResult r = RunTool({}, c.input);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, c.err);
    std::string expected = kHeaderEs;
    for (std::size_t i = 0; i < c.computed; ++i) expected += Process(good).out;
    EXPECT_TRUE(r.out == expected) << r.out.substr(0, 200);
  }
}

TEST(BatchRun, AnEndlessLineWithoutLineEndsEndsTheRun) {
  const RunResult r = RunTool({"/dev/zero"}, "");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, kHeaderEs);
  EXPECT_EQ(r.err, "line 1: line too long\n");
}

TEST(BatchRun, ANameBeyondAsciiLateInALongRunStillDecidesTheEncodingOfTheWholeOutput) {
  const LongInput base = MakeLongInput();
  struct Case {
    std::vector<std::pair<std::size_t, std::string>> names;  // line, name
    bool windows1252;
  };
  const Case cases[] = {
      {{{20000, "A\xC3\xB1" "ejo"}}, true},                              // Añejo: in Windows-1252
      {{{20000, "A\xC3\xB1" "ejo"}, {25000, "\xE2\x98\x85"}}, false},    // and ★: UTF-8
      {{{2, "\xE2\x98\x85"}, {20000, "A\xC3\xB1" "ejo"}}, false},
      {{{29999, "\xC3\x83\xC2\xA9"}}, false},  // Ã© would be C3 A9, the UTF-8 of é
  };
  for (const Case& c : cases) {
    std::string text = base.text;
    for (const auto& [line, name] : c.names) {
      std::size_t at = 0;
      for (std::size_t n = 1; n < line; ++n) at = text.find('\n', at) + 1;
      text.replace(at, text.find('\t', at) - at, name);
    }
    const std::string utf8 = kHeaderEs + Process(text).out;
    const std::string expected = c.windows1252 ? Utf8ToWindows1252(utf8).value() : utf8;
    for (const char* threads : {"1", "2"}) {
      const RunResult r = RunTool({"--threads", threads}, text);
      EXPECT_TRUE(r.out == expected) << c.names.back().second << " on " << threads << " threads";
      EXPECT_EQ(DecodeText(r.out), utf8);
    }
  }
}

TEST(BatchReference, TheReferenceMayComeLateEvenOnAStreamThatCannotBeReadTwice) {
  const std::string text = MakeLongInput().text + RedLine("Referencia", 7);
  const std::string path = TempPath("reference.tsv");
  WriteBytes(path, text);
  const RunResult fromFile = RunTool({"--reference", "Referencia", path}, "");
  const RunResult fromPipe = RunToolOnPipe({"--reference", "Referencia"}, text);
  const RunResult fromRedirect = RunTool({"--reference", "Referencia"}, text);
  std::filesystem::remove(path);
  EXPECT_EQ(fromFile.status, 1);  // the failing lines of the long input
  EXPECT_TRUE(fromFile.out.ends_with("\t0.00\t0.00\r\n")) << fromFile.out.substr(fromFile.out.size() - 80);
  EXPECT_EQ(std::count(fromFile.out.begin(), fromFile.out.end(), '\n'), 1 + MakeLongInput().samples + 1);
  for (const RunResult* r : {&fromPipe, &fromRedirect}) {
    EXPECT_EQ(r->status, fromFile.status);
    EXPECT_TRUE(r->out == fromFile.out);
    EXPECT_EQ(r->err, fromFile.err);
  }
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The tool never destroys its input and keeps the data file readable.

namespace {

struct PdfRun {
  int status;
  std::string out, err;
  int reports = 0;  // calls of the report writer
};

PdfRun RunWithPdf(const std::vector<std::string>& args, std::FILE* in) {
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  PdfRun r{};
  r.status = tintavis::batch::Run(args, in, out, err, [&r](const std::string&, const tintavis::ReportContent&) {
    ++r.reports;
    return std::string();
  });
  r.out = ReadBack(out);
  r.err = ReadBack(err);
  return r;
}

TEST(BatchPdf, NeverWritesOverTheInputOrOverAFileThatIsNotAPdf) {
  const std::string data = TempPath("data.tsv");
  const std::string other = TempPath("other");
  const std::string link = TempPath("link.tsv");
  struct Case {
    const char* what;
    // The bytes of `other` before the run, "-" when it does not exist, "|" for a named pipe
    // and "/" for a folder.
    std::string existing;
    std::vector<std::string> args;
    bool inputFromData;  // standard input is data.tsv
    std::string refused;  // the start of the message, or empty when the report is written
  };
  const std::string samples = RedLine("Crianza");
  const Case cases[] = {
      {"the output name forgotten", "-", {"--pdf", data}, false, "--pdf: '" + data + "' exists and is not a PDF"},
      {"the input by its name", "-", {"--pdf", data, data}, false, "--pdf: '" + data + "' is the input"},
      {"the input by another name", "-", {"--pdf", link, data}, false, "--pdf: '" + link + "' is the input"},
      {"the input on standard input", "-", {"--pdf", data}, true, "--pdf: '" + data + "' is the input"},
      {"a text file", "notes\n", {"--pdf", other, data}, false, "--pdf: '" + other + "' exists and is not a PDF"},
      {"an empty file", "", {"--pdf", other, data}, false, "--pdf: '" + other + "' exists and is not a PDF"},
      {"an earlier report", "%PDF-1.4\n", {"--pdf", other, data}, false, ""},
      {"a new file", "-", {"--pdf", other, data}, false, ""},
      // Opening a pipe to look at it would wait for a writer.
      {"a named pipe", "|", {"--pdf", other, data}, false, "--pdf: '" + other + "': No es un archivo normal"},
      {"a folder", "/", {"--pdf-all", other, data}, false, "--pdf-all: '" + other + "': Es una carpeta"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteBytes(data, samples);
    std::filesystem::remove(link);
    std::filesystem::create_hard_link(data, link);
    std::filesystem::remove_all(other);
    if (c.existing == "|") {
      ASSERT_EQ(::mkfifo(other.c_str(), 0600), 0);
    } else if (c.existing == "/") {
      std::filesystem::create_directory(other);
    } else if (c.existing != "-") {
      WriteBytes(other, c.existing);
    }
    std::FILE* in = c.inputFromData ? std::fopen(data.c_str(), "rb") : std::tmpfile();
    ASSERT_NE(in, nullptr);
    const PdfRun r = RunWithPdf(c.args, in);
    std::fclose(in);
    EXPECT_EQ(ReadBytes(data), samples);
    if (c.refused.empty()) {
      EXPECT_EQ(r.status, 0) << r.err;
      EXPECT_EQ(r.reports, 1);
      continue;
    }
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err.rfind("tintavis-calc: " + c.refused, 0), 0u) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.reports, 0);
    if (c.existing.size() != 1) {
      EXPECT_EQ(ReadBytes(other), c.existing);
    }
  }
  for (const std::string& p : {data, other, link}) std::filesystem::remove_all(p);
}

TEST(BatchRun, SaysItReadsFromTheKeyboardWhenStandardInputIsATerminal) {
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_GE(master, 0);
  ASSERT_EQ(::grantpt(master), 0);
  ASSERT_EQ(::unlockpt(master), 0);
  const int terminal = ::open(::ptsname(master), O_RDWR | O_NOCTTY);
  ASSERT_GE(terminal, 0);
  std::FILE* keyboard = ::fdopen(terminal, "r");
  struct Case {
    std::vector<std::string> args;
    const char* said;
  };
  const std::string typed = "Crianza\tred\t2\t10\t0.5\t0.8\t0.6\t0.2\n";
  const std::string file = TempPath("typed.tsv");
  WriteBytes(file, typed);
  const Case cases[] = {
      {{}, "tintavis-calc: leyendo muestras del teclado"},
      {{"--lang", "en", "-"}, "tintavis-calc: reading samples from the keyboard"},
      {{file}, nullptr},  // a file given: the keyboard is not read
  };
  for (const Case& c : cases) {
    // A line typed, then Ctrl+D at the start of the next one: the end of the input.
    if (c.said != nullptr) {
      const std::string keys = typed + "\x04";
      ASSERT_EQ(::write(master, keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
    }
    std::clearerr(keyboard);
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    const int status = tintavis::batch::Run(c.args, keyboard, out, err);
    const std::string written = ReadBack(out);
    const std::string said = ReadBack(err);
    EXPECT_EQ(status, 0) << said;
    EXPECT_NE(written.find(tintavis::testing::kCrianza), std::string::npos);
    if (c.said == nullptr) {
      EXPECT_EQ(said, "");
    } else {
      EXPECT_EQ(said.rfind(c.said, 0), 0u) << said;
      EXPECT_TRUE(said.ends_with("Ctrl+D\n")) << said;
    }
  }
  std::fclose(keyboard);
  ::close(master);
  std::filesystem::remove(file);
}

TEST(BatchRun, NamesThatWouldBreakTheRowHaveThoseCharactersReplacedAndAreReported) {
  struct Case {
    std::string name;
    std::vector<std::string> args;
    std::string written;  // the name cell, with its final blank
    std::string err;
  };
  const std::string es = "line 1: TAB, CR, LF, NUL o byte 26 del nombre cambiados por espacios\n";
  const Case cases[] = {
      {"A\rB", {}, "A B ", es},
      {"Nul\0"s, {}, "Nul  ", es},
      {"Ctrl\x1AZ\r\x1A", {}, "Ctrl Z   ", es},
      {"A\rB", {"--lang", "en"}, "A B ", "line 1: TAB, CR, LF, NUL or byte 26 in the name replaced by spaces\n"},
      {"A\rB", {"--precise"}, "A B ", es},
      {"Plain", {}, "Plain ", ""},
  };
  for (const Case& c : cases) {
    const RunResult r = RunTool(c.args, RedLine(c.name));
    EXPECT_EQ(r.status, 0);
    const std::string header = r.out.substr(0, r.out.find('\n') + 1);
    EXPECT_EQ(r.out.substr(header.size(), c.written.size() + 1), c.written + "\t");
    EXPECT_EQ(r.err, c.err);
  }
  // A sample that is not computed is reported for that alone.
  const RunResult refused = RunTool({}, "A\rB\tred\t2\t10\t0.5\t0.1\t0.6\t0.2\n");
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.err, "line 1: Color fuera de rango. Introduzca nuevos valores.\n");
}

TEST(BatchRun, AByteOrderMarkAtTheStartIsDropped) {
  const std::string bom = "\xEF\xBB\xBF";
  struct Case {
    std::string input;
    std::string written;  // the first name cell as written
  };
  const Case cases[] = {
      {bom + RedLine("Crianza"), "Crianza "},
      // The first line is Windows-1252 (F1 is ñ): the mark is still no part of the name.
      {bom + RedLine("A\xF1" "ejo"), "A\xF1" "ejo "},
      {bom + "# readings\n" + RedLine("Joven"), "Joven "},
  };
  for (const Case& c : cases) {
    const RunResult r = RunTool({}, c.input);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(std::string(kHeaderEs).size(), c.written.size()), c.written);
    if (!c.written.empty()) {
      EXPECT_EQ(r.out[std::string(kHeaderEs).size() + c.written.size()], '\t');
    }
  }
}

}  // namespace

// --spectra: files of measured spectra. The red wine of tests/support/spectrafiles.h measured in
// 2 mm gives, at 10 mm, the figures of tests/core/fullspectrum_reference.py (X 2.347782,
// Y 1.048836, Z 0.204536, L* 9.391820, C* 38.623679, h 20.023110, a* 36.289055, b* 13.224714,
// Intensity 8.083333, Tonality 0.6875) and a four-wavelength estimate 2.493324 away in ΔE00; its
// row holds them with the grid's decimals.
namespace {

using tintavis::testing::kReferenceRedKnots;
using tintavis::testing::SpectraFileText;

const std::string kTintoRow = "Tinto \t2.348\t1.049\t0.205\t9.4\t38.62\t20.02\t36.29\t13.22\t8.083\t0.688";
const std::string kHeaderWithoutEnd = std::string(kHeaderEs).substr(0, std::string(kHeaderEs).size() - 2);
constexpr const char* kOscuroRefused =
    "line 1, column 3 (Oscuro): sin estimación con cuatro longitudes de onda: el espectro reconstruido sale del "
    "rango del modelo\n";

std::string TwoSpectra(bool transmittance = false) {
  return SpectraFileText({{"Tinto", kReferenceRedKnots}, {"Oscuro", tintavis::testing::Scaled(kReferenceRedKnots, 5)}},
                         transmittance);
}

// The line of the output that starts with `name`, without its CR LF.
std::string LineOf(const std::string& out, const std::string& name) {
  const std::size_t start = out.find("\r\n" + name);
  if (start == std::string::npos) return {};
  return out.substr(start + 2, out.find("\r\n", start + 2) - start - 2);
}

TEST(BatchSpectra, EachOptionShapesTheLinesOfTheSpectra) {
  struct Case {
    const char* what;
    std::vector<std::string> args;  // after --spectra - --path 2
    bool transmittance;
    std::string header;  // the first line, without its CR LF
    std::string tinto;   // Tinto's line
    std::string oscuroEnd;
  };
  const Case cases[] = {
      {"defaults", {}, false, kHeaderWithoutEnd + "\tdE00 (4 nm)", kTintoRow + "\t2.49", "\t  --"},
      {"transmittances read as absorbances", {"--transmittance"}, true, kHeaderWithoutEnd + "\tdE00 (4 nm)",
       kTintoRow + "\t2.49", "\t  --"},
      {"English with decimal commas", {"--lang", "en", "--separator", ","}, false,
       "    Sample\t     X\t     Y\t     Z\t    L*\t    C*\t    h*\t    a*\t    b*\t   Int.\t  Sha.\tdE00 (4 nm)",
       "Tinto \t2,348\t1,049\t0,205\t9,4\t38,62\t20,02\t36,29\t13,22\t8,083\t0,688\t2,49", "\t  --"},
      {"a reference: its own differences are nil", {"--reference", "Tinto"}, false,
       kHeaderWithoutEnd + "\tdE*ab\tdE00\tdE00 (4 nm)", kTintoRow + "\t0.00\t0.00\t2.49", "\t  --"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"--spectra", "-", "--path", "2"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const auto r = RunTool(args, TwoSpectra(c.transmittance));
    EXPECT_EQ(r.status, 0) << c.what;  // a refused estimate is reported, nothing failed
    EXPECT_EQ(r.out.substr(0, r.out.find("\r\n")), c.header) << c.what;
    EXPECT_EQ(LineOf(r.out, "Tinto "), c.tinto) << c.what;
    const std::string oscuro = LineOf(r.out, "Oscuro ");
    EXPECT_EQ(oscuro.substr(oscuro.size() - c.oscuroEnd.size()), c.oscuroEnd) << c.what;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 3) << c.what;
    if (c.args.empty() || c.transmittance) {
      EXPECT_EQ(r.err, kOscuroRefused) << c.what;
    }
  }
}

// The unit is the user's word: a dark wine in percent holds no value above 1 and once read as
// fractions; a stray value above 1 in fractions once made the whole file percent.
TEST(BatchSpectra, TransmittancesAreReadInTheUnitGivenAndRefusedBeyondIt) {
  const auto absorbances = RunTool({"--spectra", "-", "--path", "2"}, TwoSpectra());
  const std::string percent = SpectraFileText(
      {{"Tinto", kReferenceRedKnots}, {"Oscuro", tintavis::testing::Scaled(kReferenceRedKnots, 5)}}, true, "", 100);
  for (const char* option : {"--transmittance-percent", "--transmittance=percent"}) {
    const auto r = RunTool({"--spectra", "-", "--path", "2", option}, percent);
    EXPECT_EQ(r.status, 0) << option;
    EXPECT_EQ(LineOf(r.out, "Oscuro "), LineOf(absorbances.out, "Oscuro ")) << option;
    EXPECT_EQ(LineOf(r.out, "Tinto "), LineOf(absorbances.out, "Tinto ")) << option;
  }
  std::string stray = TwoSpectra(true);
  const std::size_t at = stray.find("\n400\t") + 5;
  stray.replace(at, stray.find('\t', at) - at, "1.6");
  const auto refused = RunTool({"--spectra", "-", "--transmittance"}, stray);
  EXPECT_EQ(refused.status, 2);
  EXPECT_EQ(refused.out, "");
  EXPECT_EQ(refused.err, "tintavis-calc: standard input: Línea 6, columna 2: la transmitancia 1.6 es mayor que 1; ¿son "
                         "porcentajes?\n");
}

TEST(BatchSpectra, AReferenceNameThatSeveralSpectraShareIsRefused) {
  const auto r = RunTool({"--spectra", "-", "--reference", "Tinto"},
                         SpectraFileText({{"Tinto", kReferenceRedKnots}, {"Otro", kReferenceRedKnots}, {"Tinto", kReferenceRedKnots}}));
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "tintavis-calc: --reference 'Tinto' is ambiguous: spectra so named on line 1, columns 2, 4\n");
}

TEST(BatchSpectra, WhiteWinesAndPreciseFollowTheirRules) {
  const auto white = RunTool({"--spectra", "-", "--path", "2", "--wine", "WHITE"}, TwoSpectra());
  const std::string whiteRow = "Tinto \t2.348\t1.049\t0.205\t9.4\t38.62\t20.02\t36.29\t13.22\t  --\t  --\t";
  EXPECT_EQ(LineOf(white.out, "Tinto ").substr(0, whiteRow.size()), whiteRow);

  const auto precise = RunTool({"--spectra", "-", "--path", "2", "--precise"}, TwoSpectra());
  std::vector<double> values;
  const std::string line = LineOf(precise.out, "Tinto ");
  for (std::size_t tab = line.find('\t'); tab != std::string::npos; tab = line.find('\t', tab + 1)) {
    values.push_back(std::stod(line.substr(tab + 1)));
  }
  const double figures[] = {2.347782, 1.048836, 0.204536, 9.391820, 38.623679, 20.023110,
                            36.289055, 13.224714, 8.083333, 0.687500, 2.493324};
  ASSERT_EQ(values.size(), std::size(figures));
  // The file holds the absorbances with six decimals, which moves the figures by a few 1e-6.
  for (std::size_t k = 0; k < values.size(); ++k) EXPECT_NEAR(values[k], figures[k], 1e-5) << k;
  EXPECT_EQ(LineOf(precise.out, "Oscuro ").substr(LineOf(precise.out, "Oscuro ").size() - 5), "\t  --");
}

TEST(BatchSpectra, TheExampleFileGivesTheIndependentFiguresInWindows1252) {
  // examples/spectra.tsv, 10 mm cell and results: L*, a*, b* of fullspectrum_reference.py.
  const auto r = RunTool({"--spectra", std::string(TINTAVIS_SOURCE_DIR) + "/examples/spectra.tsv"}, "");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  const char* expected[][4] = {{"Tinto joven ", "50.2", "66.92", "19.28"},
                               {"Rosado a\xF1" "ada ", "86.1", "24.78", "7.16"},
                               {"Verdejo ", "98.8", "-2.74", "9.84"},
                               {"Brandy solera ", "92.3", "-1.58", "33.19"}};
  for (const auto& e : expected) {
    std::vector<std::string> fields;
    std::string line = LineOf(r.out, e[0]);
    for (std::size_t start = 0;;) {
      const std::size_t tab = line.find('\t', start);
      fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
      if (tab == std::string::npos) break;
      start = tab + 1;
    }
    ASSERT_EQ(fields.size(), 12u) << e[0];
    EXPECT_EQ(fields[4], e[1]) << e[0];
    EXPECT_EQ(fields[7], e[2]) << e[0];
    EXPECT_EQ(fields[8], e[3]) << e[0];
  }
}

TEST(BatchSpectra, AFaultyFileWritesNothingAndAnOverflowFailsItsSpectrumOnly) {
  std::string broken = TwoSpectra();
  broken.replace(broken.find("\n385\t") + 5, 8, "abc");
  const auto faulty = RunTool({"--spectra", "-"}, broken);
  EXPECT_EQ(faulty.status, 2);
  EXPECT_EQ(faulty.out, "");
  EXPECT_EQ(faulty.err, "tintavis-calc: standard input: Línea 3, columna 2: 'abc' no es un número\n");

  const auto zeros = RunTool({"--spectra", "-"}, std::string(1 << 20, '\0'));
  EXPECT_EQ(zeros.status, 2);
  EXPECT_EQ(zeros.out, "");

  const tintavis::testing::Knots overflowing = {{380, -400}, {780, -400}};
  const auto over = RunTool({"--spectra", "-", "--path", "1", "--lang", "en"},
                            SpectraFileText({{"Tinto", kReferenceRedKnots}, {"Rare", overflowing}}));
  EXPECT_EQ(over.status, 1);
  EXPECT_EQ(over.err, "line 1, column 3 (Rare): the spectrum gives values beyond the range of numbers\n");
  EXPECT_EQ(std::count(over.out.begin(), over.out.end(), '\n'), 2);
}

TEST(BatchSpectra, AFileOfSpectraMustBeARegularFileWithinTheLimit) {
  const std::string pipe = TempPath("spectra_pipe");
  const std::string big = TempPath("spectra_big.tsv");
  std::filesystem::remove(pipe);
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);  // no writer: a blocking open would wait
  WriteBytes(big, "");
  ASSERT_EQ(::truncate(big.c_str(), tintavis::kMaxSpectraFileBytes + 1), 0);
  const std::pair<std::string, std::string> cases[] = {
      {pipe, "No es un archivo normal"},
      {::testing::TempDir(), "Es una carpeta"},
      {big, "El archivo pasa de 64 MiB"},
  };
  for (const auto& [path, said] : cases) {
    const auto r = RunTool({"--spectra", path}, "");
    EXPECT_EQ(r.status, 2);
    std::string expected = "tintavis-calc: cannot read '" + path;
    expected.append("': ").append(said);
    EXPECT_EQ(r.err.rfind(expected, 0), 0u) << r.err;
  }
  // Lines of samples are a stream: a pipe or device is read as it comes, a folder is refused.
  const auto folder = RunTool({::testing::TempDir()}, "");
  EXPECT_EQ(folder.status, 2);
  EXPECT_NE(folder.err.find("': Es una carpeta"), std::string::npos) << folder.err;
  std::filesystem::remove(pipe);
  std::filesystem::remove(big);
}

TEST(BatchSpectra, OptionsThatDoNotFitAreUsageErrors) {
  const std::vector<std::string> cases[] = {
      {"--spectra", "-", "--path", "0"},     {"--spectra", "-", "--result", "2.5"}, {"--spectra", "-", "--wine", "rose"},
      {"--wine", "red"},                     {"--transmittance", "in.tsv"},         {"--spectra", "-", "--spectrum"},
      {"--spectra", "a.tsv", "b.tsv"},       {"--spectra", "-", "--reference", "Nadie"}};
  for (const auto& args : cases) {
    const auto r = RunTool(args, TwoSpectra());
    EXPECT_EQ(r.status, 2) << args[0] << " " << args[1];
    EXPECT_EQ(r.out, "") << args[0];
    EXPECT_EQ(r.err.rfind("tintavis-calc: ", 0), 0u) << r.err;
  }
}


// Conformity: the window's table and the tool give the same U and verdicts, the exit status
// says that some sample does not conform, and options that do not fit are refused.
TEST(BatchConformity, VerdictsAndTheirUMatchTheDifferenceTableAndSetTheExitStatus) {
  const std::string input =
      "Crianza\tred\t2\t10\t0.5\t0.8\t0.6\t0.2\n"
      "Joven\tred\t2\t10\t0.62\t1.05\t0.78\t0.21\n";
  const auto r = RunTool({"--reference", "Crianza", "--uncertainty", "0.005,0.01", "--tolerance", "1.6", "--rule",
                          "guarded", "--lang", "en", "-"},
                         input);
  EXPECT_EQ(r.status, 3) << r.err;
  EXPECT_NE(r.err.find("Guarded acceptance: pass when ΔE00 + U ≤ 1.60"), std::string::npos) << r.err;

  // The same two samples in the window's store, checked against row 1.
  std::vector<tintavis::StoredSample> samples;
  for (const auto& a : {std::array{0.5, 0.8, 0.6, 0.2}, std::array{0.62, 1.05, 0.78, 0.21}}) {
    tintavis::SampleInput in{tintavis::WineType::RedRose, 2, 10, a[0], a[1], a[2], a[3]};
    tintavis::StoredSample s = tintavis::OpenedSample({"x "}, tintavis::ValuesOf(tintavis::ComputeColour(in).value(), in.wine));
    s.origin = tintavis::SampleOrigin::Calculated;
    s.input = in;
    samples.push_back(s);
  }
  tintavis::SampleStore store;
  store.Load(samples);
  tintavis::QualityCheck check;
  check.tolerance = tintavis::Tolerance{1.6, tintavis::DifferenceFormula::De00, tintavis::DecisionRule::Guarded};
  check.uncertainty = tintavis::InputUncertainty{0.005, 0.01};
  const auto table = tintavis::MakeDifferenceTable(store, 1, '.', tintavis::Language::English, check);
  for (std::size_t row = 0; row < 2; ++row) {
    const std::string tail = "\t" + table.checks[row].expanded + "\t" +
                             std::string(tintavis::VerdictText(*table.checks[row].verdict, tintavis::Language::English)) +
                             "\r\n";
    const std::size_t lineStart = row == 0 ? r.out.find("Crianza") : r.out.find("Joven");
    EXPECT_NE(r.out.find(tail, lineStart), std::string::npos) << tail << r.out;
  }
  // Every sample conforms: 0; a failed line takes precedence over a verdict: 1.
  EXPECT_EQ(RunTool({"--target", "12,41.2,15.3", "--tolerance", "90", "-"}, input).status, 0);
  EXPECT_EQ(RunTool({"--target", "12,41.2,15.3", "--tolerance", "0.1", "-"}, input + "bad\tred\n").status, 1);

  // Spectra take u(A) at every point; the reference spectrum against itself has U 0.
  const std::string spectra = std::string(TINTAVIS_SOURCE_DIR) + "/examples/spectra.tsv";
  const auto s = RunTool({"--spectra", spectra, "--uncertainty", "0.002", "--reference", "Tinto joven", "--tolerance",
                          "2", "--lang", "en"},
                         "");
  EXPECT_EQ(s.status, 3) << s.err;
  EXPECT_NE(s.out.find("\tU(X)\t"), std::string::npos);
  EXPECT_NE(s.out.find("\t0.00\tPass\r\n"), std::string::npos) << s.out;

  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"--tolerance", "2"},                                     // nothing to compare with
           {"--target", "1,2"},                                      // two numbers
           {"--target", "1,2,3", "--reference", "Crianza"},          // both
           {"--target", "1,2,3", "--tolerance", "2", "--rule", "guarded"},  // guarded without U
           {"--uncertainty", "-0.1"},
           {"--uncertainty", "0.005,0.01,3"},
           {"--rule", "simple"},                                     // without a tolerance
           {"--target", "1,2,3", "--tolerance", "2", "--difference", "de94"}}) {
    const auto refused = RunTool(args, input);
    EXPECT_EQ(refused.status, 2) << args[0] << " " << args[1];
    EXPECT_TRUE(refused.out.empty());
  }
}

}  // namespace
