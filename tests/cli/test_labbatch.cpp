// tintavis-calc --report without Qt: the options it takes and the laboratory report the batch
// logic hands to its writer.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cli/batch.h"

namespace {

using tintavis::LabReportContent;
using tintavis::SampleOrigin;
using tintavis::batch::ParseArguments;

struct Captured {
  int status = 0;
  std::string out;
  std::string err;
  std::vector<std::string> paths;
  std::vector<LabReportContent> reports;
};

Captured RunWithLabWriter(const std::vector<std::string>& args, const std::string& input, std::string problem = {}) {
  Captured c;
  std::FILE* in = std::tmpfile();
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  std::fputs(input.c_str(), in);
  std::rewind(in);
  c.status = tintavis::batch::Run(args, in, out, err, {}, [&](const std::string& path, LabReportContent content) {
    c.paths.push_back(path);
    c.reports.push_back(std::move(content));
    return problem;
  });
  char buf[4096];
  for (auto [file, text] : {std::pair{out, &c.out}, std::pair{err, &c.err}}) {
    std::rewind(file);
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, file)) > 0;) text->append(buf, n);
  }
  for (std::FILE* f : {in, out, err}) std::fclose(f);
  return c;
}

constexpr const char* kTwoSamples =
    "Crianza\tred\t2\t10\t0.5\t0.8\t0.6\t0.2\n"
    "Verdejo\twhite\t10\t10\t0,10\t0,04\t0,02\t0,01\n";

TEST(LabReportArguments, ReportTakesAFileNameAndItsHeaderOptions) {
  const auto parsed = ParseArguments({"--report", "r.pdf", "--lab", "Enolab", "--operator", "Ana", "--instrument",
                                      "UV-1800", "--note", "Cosecha", "in.tsv"});
  ASSERT_TRUE(parsed.options) << parsed.error;
  EXPECT_EQ(parsed.options->labReport, "r.pdf");
  EXPECT_EQ(parsed.options->labDetails.laboratory, "Enolab");
  EXPECT_EQ(parsed.options->labDetails.operatorName, "Ana");
  EXPECT_EQ(parsed.options->labDetails.instrument, "UV-1800");
  EXPECT_EQ(parsed.options->labDetails.note, "Cosecha");
  EXPECT_EQ(parsed.options->input, "in.tsv");
}

TEST(LabReportArguments, WrongCombinationsAreRefused) {
  struct Case {
    std::vector<std::string> args;
    std::string error;
  };
  const Case cases[] = {
      {{"--report"}, "--report needs a value"},
      {{"--report", ""}, "--report needs a file name"},
      {{"--operator", "Ana"}, "--operator goes with --report"},
      {{"--report", "r.pdf", "--pdf", "r.pdf"}, "--report and --pdf name the same file"},
  };
  for (const Case& c : cases) {
    const auto parsed = ParseArguments(c.args);
    EXPECT_FALSE(parsed.options) << c.error;
    EXPECT_EQ(parsed.error, c.error);
  }
}

TEST(LabReportRun, EverySampleGoesToTheWriterWithItsInputsAndTheReference) {
  const Captured c = RunWithLabWriter({"--report", "lab.pdf", "--lab", "Enolab", "--reference", "Verdejo", "--separator", ","},
                                      std::string(kTwoSamples) + "bad line\n");
  EXPECT_EQ(c.status, 1);
  ASSERT_EQ(c.reports.size(), 1u);
  EXPECT_EQ(c.paths[0], "lab.pdf");
  const LabReportContent& r = c.reports[0];
  EXPECT_EQ(r.details.laboratory, "Enolab");
  EXPECT_EQ(r.details.dataFile, "");  // standard input
  EXPECT_EQ(r.separator, ',');
  ASSERT_EQ(r.samples.size(), 2u);
  EXPECT_EQ(r.samples[0].origin, SampleOrigin::Calculated);
  ASSERT_TRUE(r.samples[1].input);
  EXPECT_EQ(r.samples[1].input->d, 10);
  EXPECT_EQ(r.samples[1].absorbanceTexts[0], "0,10");
  EXPECT_EQ(r.referenceName, "Verdejo");
  ASSERT_TRUE(r.reference);
  EXPECT_DOUBLE_EQ(r.reference->L, *r.samples[1].values[3]);
  EXPECT_EQ(tintavis::LabReportRowOf(r, 1).inputs[6], "0,00");
}

TEST(LabReportRun, SpectraGoToTheReportWithTheirConditionsAndNoAbsorbances) {
  std::string spectra = "nm\tSyrah\n";
  for (int nm = 380; nm <= 780; nm += 10) spectra += std::to_string(nm) + "\t0.3\n";
  const Captured c = RunWithLabWriter({"--spectra", "-", "--path", "2", "--report", "lab.pdf"}, spectra);
  EXPECT_EQ(c.status, 0) << c.err;
  ASSERT_EQ(c.reports.size(), 1u);
  ASSERT_EQ(c.reports[0].samples.size(), 1u);
  EXPECT_EQ(c.reports[0].samples[0].origin, SampleOrigin::FromSpectrum);
  const tintavis::LabReportRow row = tintavis::LabReportRowOf(c.reports[0], 0);
  EXPECT_EQ(row.name, "Syrah");
  EXPECT_EQ(row.wine, "Tinto, Rosado");
  EXPECT_EQ(row.inputs, (std::array<std::string, 7>{"2", "10", "", "", "", "", ""}));
  EXPECT_NE(row.values[0], "");
}

TEST(LabReportRun, ATargetColourIsTheReferenceNamedByItsValues) {
  const Captured c = RunWithLabWriter({"--report", "lab.pdf", "--target", "12,41.24,15.31"}, kTwoSamples);
  EXPECT_EQ(c.status, 0) << c.err;
  ASSERT_EQ(c.reports.size(), 1u);
  ASSERT_TRUE(c.reports[0].reference);
  EXPECT_EQ(c.reports[0].referenceName, "12.0 / 41.24 / 15.31");
  EXPECT_NE(tintavis::LabReportRowOf(c.reports[0], 0).inputs[6], "");
}

TEST(LabReportRun, ManySamplesAllReachTheReport) {
  std::string input;
  for (int i = 0; i < 130; ++i) input += "S" + std::to_string(i) + "\tred\t2\t10\t0.5\t0.8\t0.6\t0.2\n";
  const Captured c = RunWithLabWriter({"--report", "lab.pdf", "--threads", "4"}, input);
  EXPECT_EQ(c.status, 0);
  ASSERT_EQ(c.reports.size(), 1u);
  ASSERT_EQ(c.reports[0].samples.size(), 130u);
  EXPECT_EQ(c.reports[0].samples[129].cells[0], "S129 ");
}

TEST(LabReportRun, AReportThatCannotBeWrittenOrHasNoWriterExitsTwo) {
  const Captured c = RunWithLabWriter({"--report", "lab.pdf"}, kTwoSamples, "No space left on device");
  EXPECT_EQ(c.status, 2);
  EXPECT_NE(c.err.find("cannot write the report 'lab.pdf': No space left on device"), std::string::npos) << c.err;

  std::FILE* in = std::tmpfile();
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  EXPECT_EQ(tintavis::batch::Run({"--report", "lab.pdf"}, in, out, err), 2);
  for (std::FILE* f : {in, out, err}) std::fclose(f);
}

TEST(LabReportRun, TheCheckPagesHoldTheVerdictsAndUOfTheOutput) {
  const std::string input = std::string(kTwoSamples) + "Oscuro\tred\t2\t10\t0.5\t0.84\t0.6\t0.2\n";
  for (const std::string rule : {"simple", "guarded"}) {
    const Captured c = RunWithLabWriter({"--report", "lab.pdf", "--reference", "Crianza", "--uncertainty", "0.005,0.01",
                                         "--tolerance", "1", "--rule", rule, "--threads", "2"},
                                        input);
    ASSERT_EQ(c.reports.size(), 1u) << c.err;
    ASSERT_TRUE(c.reports[0].check);
    const tintavis::LabReportCheck& check = *c.reports[0].check;
    ASSERT_EQ(check.rows.size(), 3u);
    // Each output line ends with U(ΔE00) and the verdict; the report says the same.
    std::size_t at = c.out.find('\n') + 1;
    for (const tintavis::LabReportCheck::Row& row : check.rows) {
      const std::string line = c.out.substr(at, c.out.find('\r', at) - at);
      at = c.out.find('\n', at) + 1;
      const std::string verdict = line.substr(line.rfind('\t') + 1);
      const std::string rest = line.substr(0, line.rfind('\t'));
      EXPECT_EQ(row.check.expanded, rest.substr(rest.rfind('\t') + 1).substr(rest.substr(rest.rfind('\t') + 1).find_first_not_of(' ')));
      EXPECT_EQ(row.check.verdict ? std::string(tintavis::VerdictText(*row.check.verdict, c.reports[0].language)) : "--", verdict);
      EXPECT_TRUE(row.u);
    }
    EXPECT_EQ(check.rows[0].check.expanded, "0.00");  // the reference itself
    EXPECT_NE(check.rule.find(rule == "simple" ? "Aceptación simple" : "banda de guarda"), std::string::npos) << check.rule;
  }
}

}  // namespace
