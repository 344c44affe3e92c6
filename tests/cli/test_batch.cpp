#include "cli/batch.h"

#include <gtest/gtest.h>

#include "logic/calculation.h"
#include "logic/textrules.h"
#include "tests/support/datafiles.h"

#include <cstdio>
#include <string>

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
  for (const char* label : {"red", "Red", "Tinto, Rosado", "Red, Rosé", "  RED "}) {
    const auto p = Process(std::string("s\t") + label + "\t2\t10\t0.5\t0.8\t0.6\t0.2");
    EXPECT_EQ(p.out, "s \t3.213\t1.403\t0.368\t12.0\t43.99\t20.37\t41.24\t15.31\t7.400\t0.533\r\n") << label;
  }
  for (const char* label : {"white", "Blanco, Brandy", "White, Brandy", "wHiTe"}) {
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
      "g\tred\t2\t10\t0,5\t0.8\t0.6\t0.2\r\n",
      english);
  EXPECT_EQ(p.errors,
            "line 1: Color out of range. Type new values.\n"
            "line 2: Pathlength cell for measurement?\n"
            "line 3: unknown wine type 'rosado' (red, white, \"Red, Rosé\" or \"White, Brandy\")\n"
            "line 4: '2 ' is not a valid integer value.\n"
            "line 5: Floating point division by zero.\n"
            "line 6: expected 8 TAB-separated fields, found 9\n");
  EXPECT_EQ(p.report.samples, 1u);
  EXPECT_EQ(p.report.failed, 6u);
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

  for (const std::vector<std::string>& bad :
       {std::vector<std::string>{"--separator", ";"}, {"--lang", "fr"}, {"--lang"}, {"--bogus"}, {"a", "b"}}) {
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

TEST(BatchReference, AnUnknownOrUncomputableReferenceIsAUsageError) {
  const auto unknown = RunTool({"--reference", "Nadie"}, "Crianza\tred\t2\t10\t0.5\t0.8\t0.6\t0.2\n");
  EXPECT_EQ(unknown.status, 2);
  EXPECT_EQ(unknown.out, "");
  EXPECT_NE(unknown.err.find("no sample named 'Nadie'"), std::string::npos);
  const auto broken = RunTool({"--reference", "Mala"}, "Mala\tred\t2\t10\t0.5\t0.1\t0.6\t0.2\n");
  EXPECT_EQ(broken.status, 2);
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
