// tintavis-calc --pdf without Qt: the report the batch logic hands to its writer.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cli/batch.h"

namespace {

using tintavis::Language;
using tintavis::ReportContent;
using tintavis::batch::Options;
using tintavis::batch::ParseArguments;
using tintavis::batch::RunReport;

struct Captured {
  int status = 0;
  std::string err;
  std::vector<std::string> paths;
  std::vector<ReportContent> reports;
};

std::string ReadAllOf(std::FILE* f) {
  std::rewind(f);
  std::string s;
  char buf[4096];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) s.append(buf, n);
  return s;
}

// Runs the tool with `input` on standard input and a writer that records what it is given and
// answers `problem`.
Captured RunWithWriter(const std::vector<std::string>& args, const std::string& input, std::string problem = {}) {
  Captured c;
  std::FILE* in = std::tmpfile();
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  std::fwrite(input.data(), 1, input.size(), in);
  std::rewind(in);
  c.status = tintavis::batch::Run(args, in, out, err, [&](const std::string& path, ReportContent content) {
    c.paths.push_back(path);
    c.reports.push_back(std::move(content));
    return problem;
  });
  c.err = ReadAllOf(err);
  std::fclose(in);
  std::fclose(out);
  std::fclose(err);
  return c;
}

std::string RedLines(int n) {
  std::string s;
  for (int i = 1; i <= n; ++i) s += "S" + std::to_string(i) + "\tred\t2\t10\t0.5\t0.8\t0.6\t0.2\n";
  return s;
}

TEST(BatchReportArguments, PdfTakesAFileName) {
  const auto r = ParseArguments({"--pdf", "out.pdf", "in.tsv"});
  ASSERT_TRUE(r.options.has_value());
  EXPECT_EQ(r.options->pdf, "out.pdf");
  EXPECT_EQ(r.options->input, "in.tsv");
  EXPECT_TRUE(ParseArguments({}).options->pdf.empty());
  for (const auto& bad : {std::vector<std::string>{"--pdf"}, {"--pdf", ""}}) {
    const auto b = ParseArguments(bad);
    EXPECT_FALSE(b.options.has_value());
    EXPECT_NE(b.error.find("--pdf"), std::string::npos) << b.error;
  }
  EXPECT_NE(tintavis::batch::Usage().find("--pdf OUT.pdf"), std::string_view::npos);
}

TEST(BatchReportContent, CaptionIsTheWindowsCaptionForTheInputFile) {
  struct Case {
    const char* input;
    const char* caption;
  };
  const Case cases[] = {
      {"-", "TINTAVIS"},
      {"samples.tsv", "TINTAVIS - samples.tsv"},
      {"/data/lab/2026/datos.xls", "TINTAVIS - datos.xls"},
      {"../muestras de julio.tsv", "TINTAVIS - muestras de julio.tsv"},
  };
  for (const Case& c : cases) {
    Options options;
    options.input = c.input;
    EXPECT_EQ(RunReport(options, {}).caption, c.caption) << c.input;
  }
}

TEST(BatchReportContent, RowsAreNumberedFromOneAndFollowTheLanguage) {
  Options options;
  options.language = tintavis::Language::English;
  const tintavis::SampleRecord crianza = {"Crianza ", "3.213", "1.403", "0.368", "12.0", "43.99",
                                          "20.37",    "41.24", "15.31", "7.400", "0.533"};
  const auto content = RunReport(options, {crianza, crianza});
  EXPECT_EQ(content.language, tintavis::Language::English);
  ASSERT_EQ(content.rows.size(), 2u);
  EXPECT_EQ(content.rows[1], (tintavis::ReportRow{"2", "Crianza ", "3.213", "1.403", "0.368", "12.0", "43.99",
                                                  "20.37", "41.24", "15.31", "7.400", "0.533"}));
}

TEST(BatchReportRun, HandsTheFirstFiftyComputedSamplesToTheWriter) {
  // 60 good lines and a failing one among the first fifty: the report holds the first 50 that
  // were computed.
  std::string input = RedLines(10) + "bad\tred\t2\t10\t0.5\t0.1\t0.6\t0.2\n" + RedLines(60);
  const auto c = RunWithWriter({"--pdf", "out.pdf", "--separator", ","}, input);
  EXPECT_EQ(c.status, 1);  // one sample failed; the report was written
  ASSERT_EQ(c.reports.size(), 1u);
  EXPECT_EQ(c.paths[0], "out.pdf");
  const ReportContent& report = c.reports[0];
  EXPECT_EQ(report.caption, "TINTAVIS");
  EXPECT_EQ(report.language, tintavis::Language::Spanish);
  ASSERT_EQ(report.rows.size(), 50u);
  EXPECT_EQ(report.rows[0][0], "1");
  EXPECT_EQ(report.rows[0][1], "S1 ");
  EXPECT_EQ(report.rows[0][2], "3,213");  // the texts of the grid, with the separator asked for
  EXPECT_EQ(report.rows[10][1], "S1 ");   // the bad line left no row
  EXPECT_EQ(report.rows[49][0], "50");
  EXPECT_EQ(report.rows[49][1], "S40 ");
}

TEST(BatchReportArguments, PdfAllTakesAFileNameAndExcludesPdf) {
  const auto all = ParseArguments({"--pdf-all", "all.pdf"});
  ASSERT_TRUE(all.options.has_value());
  EXPECT_EQ(all.options->pdf, "all.pdf");
  EXPECT_TRUE(all.options->pdfAll);
  EXPECT_FALSE(ParseArguments({"--pdf", "one.pdf"}).options->pdfAll);
  for (const auto& bad : {std::vector<std::string>{"--pdf-all"}, {"--pdf-all", ""}, {"--pdf", "a.pdf", "--pdf-all", "b.pdf"},
                          {"--pdf-all", "a.pdf", "--pdf", "b.pdf"}}) {
    const auto b = ParseArguments(bad);
    EXPECT_FALSE(b.options.has_value()) << bad.size();
    EXPECT_NE(b.error.find("--pdf"), std::string::npos) << b.error;
  }
  EXPECT_NE(tintavis::batch::Usage().find("--pdf-all OUT.pdf"), std::string_view::npos);
}

TEST(BatchReportRun, SamplesLeftOutOfThePageAreSaid) {
  struct Case {
    std::vector<std::string> args;
    int lines;
    std::size_t rows;
    std::string err;
  };
  const std::string note = "tintavis-calc: the report 'out.pdf' holds the first 50 of the 120 samples computed; "
                           "--pdf-all prints them all\n";
  const Case cases[] = {
      {{"--pdf", "out.pdf"}, 50, 50, ""},
      {{"--pdf", "out.pdf"}, 120, 50, note},
      // --pdf-all prints them all, over numbered pages: nothing to say.
      {{"--pdf-all", "out.pdf", "--threads", "3"}, 120, 120, ""},
  };
  for (const Case& c : cases) {
    const auto run = RunWithWriter(c.args, RedLines(c.lines));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, c.err);
    ASSERT_EQ(run.reports.size(), 1u);
    const ReportContent& report = run.reports[0];
    ASSERT_EQ(report.rows.size(), c.rows);
    EXPECT_EQ(report.numberPages, c.rows > 50);
    // In input order, numbered on from 1.
    EXPECT_EQ(report.rows.back()[0], std::to_string(c.rows));
    EXPECT_EQ(report.rows.back()[1], "S" + std::to_string(c.rows) + " ");
  }
}

TEST(BatchReportRun, WithoutPdfTheWriterIsNotCalled) {
  const auto c = RunWithWriter({}, RedLines(2));
  EXPECT_EQ(c.status, 0);
  EXPECT_TRUE(c.reports.empty());
}

TEST(BatchReportRun, AReportThatCannotBeWrittenExitsTwoWithItsReason) {
  const auto c = RunWithWriter({"--pdf", "/nowhere/out.pdf"}, RedLines(1), "No such file or directory");
  EXPECT_EQ(c.status, 2);
  EXPECT_EQ(c.err, "tintavis-calc: cannot write the report '/nowhere/out.pdf': No such file or directory\n");
}

TEST(BatchReportRun, PdfWithoutAWriterIsRefused) {
  std::FILE* in = std::tmpfile();
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  EXPECT_EQ(tintavis::batch::Run({"--pdf", "out.pdf"}, in, out, err), 2);
  EXPECT_NE(ReadAllOf(err).find("--pdf"), std::string::npos);
  std::fclose(in);
  std::fclose(out);
  std::fclose(err);
}

}  // namespace
