// Reading spectra files: a known-good file, the variants instruments and spreadsheets write, and
// one fault at a time with the message it gives.
#include "io/spectrafile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/datafiles.h"

namespace tintavis {
namespace {

using Lines = std::vector<std::string>;

// Line 1 the header, line 2 + k the wavelength 380 + 10 k, up to 780 nm on line 42.
constexpr int kPoints = 41;

double CrianzaAt(int k) { return 2.0 - 0.04 * k; }
double RosadoAt(int k) { return 0.5 - 0.01 * k; }

std::string Number(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", v);
  return text;
}

Lines GoodLines() {
  Lines lines = {"nm\tCrianza\tRosado"};
  for (int k = 0; k < kPoints; ++k) {
    lines.push_back(std::to_string(380 + 10 * k) + "\t" + Number(CrianzaAt(k)) + "\t" + Number(RosadoAt(k)));
  }
  return lines;
}

std::string Join(const Lines& lines, const std::string& end = "\n") {
  std::string text;
  for (const auto& l : lines) text += l + end;
  return text;
}

// Every TAB of the file turned into `separator`, and "." into `decimal`.
Lines Separated(char separator, char decimal) {
  Lines lines = GoodLines();
  for (auto& l : lines) {
    for (char& c : l) {
      if (c == '\t') c = separator;
      else if (c == '.') c = decimal;
    }
  }
  return lines;
}

// The spectra read, or none (and a failure) when the file was refused.
SpectraSet Set(SpectraFileRead read) {
  if (auto* set = std::get_if<SpectraSet>(&read)) return std::move(*set);
  ADD_FAILURE() << std::get<SpectraFileError>(read).message;
  return {};
}

SpectraFileRead Parse(const std::string& text, SpectraValues values = SpectraValues::Absorbance, bool isEnglish = true) {
  SpectraReadOptions options;
  options.values = values;
  options.language = isEnglish ? tintavis::Language::English : tintavis::Language::Spanish;
  return ParseSpectraFile(text, options);
}

TEST(SpectraFile, GoodFileGivesEverySpectrumOnItsGrid) {
  const SpectraSet set = Set(Parse(Join(GoodLines())));
  EXPECT_EQ(set.names, (std::vector<std::string>{"Crianza", "Rosado"}));
  EXPECT_EQ(set.firstNm, 380);
  EXPECT_EQ(set.stepNm, 10);
  ASSERT_EQ(set.points, static_cast<std::size_t>(kPoints));
  for (int k = 0; k < kPoints; ++k) {
    EXPECT_NEAR(set.Absorbance(0)[k], CrianzaAt(k), 1e-12) << k;
    EXPECT_NEAR(set.Absorbance(1)[k], RosadoAt(k), 1e-12) << k;
  }
  const MeasuredSpectrum m = set.Measured(1, 2, 10);
  EXPECT_EQ(m.absorbance.data(), set.Absorbance(1).data());
  EXPECT_EQ(m.d, 2);
  EXPECT_EQ(m.r, 10);
}

TEST(SpectraFile, ReadsTheWaysInstrumentsAndSpreadsheetsWriteIt) {
  struct Case {
    const char* what;
    std::string text;
    std::string firstName;
  };
  Lines comments = GoodLines();
  comments.insert(comments.begin(), {"# Absorbance, 10 mm", "", "  "});
  comments.insert(comments.begin() + 10, {"# lamp change", "\t\t"});
  Lines trailing = Separated(';', ',');
  for (auto& l : trailing) l += ";;";
  trailing.insert(trailing.begin() + 5, ";;;;");
  Lines quoted = Separated(',', '.');
  quoted[0] = "\"nm\",\"Crianza, 2019\" , \"Ros\"\"ado\"";
  Lines decimals = GoodLines();
  for (int k = 0; k < kPoints; ++k) decimals[1 + k] = std::to_string(380 + 10 * k) + ".0" + decimals[1 + k].substr(3);
  Lines legacy = GoodLines();
  legacy[0] = "nm\tA\xF1" "ada\tRosado";  // Windows-1252 ñ

  const Case cases[] = {
      {"TAB, LF", Join(GoodLines()), "Crianza"},
      {"TAB, CR LF", Join(GoodLines(), "\r\n"), "Crianza"},
      {"TAB, CR", Join(GoodLines(), "\r"), "Crianza"},
      {"';' with decimal comma", Join(Separated(';', ',')), "Crianza"},
      {"';' with decimal point", Join(Separated(';', '.')), "Crianza"},
      {"',' with decimal point", Join(Separated(',', '.')), "Crianza"},
      {"comments, blank lines, TAB lines", Join(comments), "Crianza"},
      {"trailing separators, a line of them", Join(trailing), "Crianza"},
      {"quoted names", Join(quoted), "Crianza, 2019"},
      {"no final line end", Join(GoodLines()).substr(0, Join(GoodLines()).size() - 1), "Crianza"},
      {"UTF-8 byte-order mark", "\xEF\xBB\xBF" + Join(GoodLines()), "Crianza"},
      {"wavelengths as 380.0", Join(decimals), "Crianza"},
      {"Windows-1252 name", Join(legacy), "Añada"},
  };
  for (const auto& c : cases) {
    const SpectraSet set = Set(Parse(c.text));
    ASSERT_EQ(set.size(), 2U) << c.what;
    EXPECT_EQ(set.names[0], c.firstName) << c.what;
    ASSERT_EQ(set.points, static_cast<std::size_t>(kPoints)) << c.what;
    EXPECT_NEAR(set.Absorbance(0)[kPoints - 1], CrianzaAt(kPoints - 1), 1e-12) << c.what;
    EXPECT_NEAR(set.Absorbance(1)[0], RosadoAt(0), 1e-12) << c.what;
  }
  EXPECT_EQ(Set(Parse(Join(quoted))).names[1], "Ros\"ado");
}

TEST(SpectraFile, TransmittanceIsReadInTheUnitChosen) {
  // The same three values are absorbances 1, 0, 2 as fractions and 3, 2, 4 as percentages: a
  // dark wine in percent need not hold any value above 1.
  struct Case {
    SpectraValues values;
    double absorbance[3];
  } cases[] = {{SpectraValues::Transmittance, {1, 0, 2}}, {SpectraValues::TransmittancePercent, {3, 2, 4}}};
  SpectraReadOptions options;
  options.needToNm = 400;
  for (const Case& c : cases) {
    options.values = c.values;
    const SpectraSet set = Set(ParseSpectraFile("nm\tA\n380\t0.1\n390\t1\n400\t0.01\n", options));
    ASSERT_EQ(set.points, 3U);
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(set.Absorbance(0)[k], c.absorbance[k], 1e-12) << k;
  }
}

TEST(SpectraFile, EachFaultIsNamedWithItsLineAndColumn) {
  struct Case {
    const char* what;
    std::function<void(Lines&)> breakIt;
    SpectraFileProblem problem;
    std::string message;
    SpectraValues values = SpectraValues::Absorbance;
  };
  const auto set = [](int line, const std::string& text) { return [=](Lines& l) { l[line - 1] = text; }; };
  const Case cases[] = {
      {"a value fewer", set(3, "390\t1.960"), SpectraFileProblem::FieldCount,
       "Line 3: 2 fields, where the header has 3"},
      {"a value more", set(3, "390\t1.960\t0.490\t7"), SpectraFileProblem::FieldCount,
       "Line 3: 4 fields, where the header has 3"},
      {"a word", set(4, "400\tabc\t0.480"), SpectraFileProblem::NotANumber, "Line 4, column 2: 'abc' is not a number"},
      {"a long word, cut between characters", set(4, "400\t" + std::string(39, 'x') + "\u00F1yy\t0.480"),
       SpectraFileProblem::NotANumber, "Line 4, column 2: '" + std::string(39, 'x') + "...' is not a number"},
      {"nan", set(4, "400\t1.920\tnan"), SpectraFileProblem::NotANumber, "Line 4, column 3: 'nan' is not a number"},
      {"a thousands separator", set(4, "400\t1.920\t1.000,5"), SpectraFileProblem::NotANumber,
       "Line 4, column 3: '1.000,5' is not a number"},
      {"beyond the doubles", set(5, "410\t1e999\t0.470"), SpectraFileProblem::NotFinite,
       "Line 5, column 2: '1e999' is beyond the range of numbers"},
      {"a value missing", set(5, "410\t\t0.470"), SpectraFileProblem::EmptyValue, "Line 5, column 2: the value is missing"},
      {"a broken quote", set(1, "nm\t\"Crianza\tRosado"), SpectraFileProblem::QuoteNotClosed,
       "Line 1, column 2: the quotation marks do not close the field"},
      {"a half nanometre", set(3, "390.5\t1.960\t0.490"), SpectraFileProblem::WavelengthNotWhole,
       "Line 3, column 1: '390.5' is not a whole number of nanometres above 0"},
      {"a 3 nm step", set(3, "383\t1.960\t0.490"), SpectraFileProblem::StepNotSupported,
       "Line 3, column 1: a step of 3 nm: the wavelengths must rise by 1, 2, 5 or 10 nm"},
      {"a gap", set(5, "420\t1.880\t0.470"), SpectraFileProblem::UnevenStep,
       "Line 5, column 1: 420 nm where 410 nm was due: the wavelengths must be equally spaced"},
      {"falling", set(3, "370\t1.960\t0.490"), SpectraFileProblem::WavelengthsNotRising,
       "Line 3, column 1: 370 nm after 380 nm: the wavelengths must rise"},
      {"ends at 770 nm", [](Lines& l) { l.pop_back(); }, SpectraFileProblem::RangeNotCovered,
       "The wavelengths run from 380 to 770 nm; the colour needs 380 to 780 nm"},
      {"header only", [](Lines& l) { l.resize(1); }, SpectraFileProblem::NoData,
       "The file holds no wavelengths after its header"},
      {"comments only", [](Lines& l) { l = {"# nothing", ""}; }, SpectraFileProblem::NoHeader,
       "The file holds no header line and no spectra"},
      {"no header line", [](Lines& l) { l.erase(l.begin()); }, SpectraFileProblem::HeaderIsData,
       "Line 1: the first line holds only numbers; it must name the samples"},
      {"no sample column", set(1, "nm Crianza Rosado"), SpectraFileProblem::NoSamples,
       "Line 1: the header names no sample after the wavelength column"},
      {"',' fields with decimal commas", [](Lines& l) { l = Separated(',', ','); }, SpectraFileProblem::FieldCount,
       "Line 2: 5 fields, where the header has 3"},
      {"a zero byte", set(2, std::string("380\t2.000\t0.500\0", 16)), SpectraFileProblem::NotText,
       "The file is not plain text (UTF-16, or a spreadsheet or other binary file): export the spectra as text "
       "separated by tabs, ';' or ','"},
      {"transmittance 0", set(6, "420\t0\t0.46"), SpectraFileProblem::TransmittanceNotPositive,
       "Line 6, column 2: the transmittance 0 is not above 0 and has no absorbance", SpectraValues::TransmittancePercent},
      {"a negative transmittance", set(6, "420\t1.5\t-0.46"), SpectraFileProblem::TransmittanceNotPositive,
       "Line 6, column 3: the transmittance -0.46 is not above 0 and has no absorbance",
       SpectraValues::TransmittancePercent},
      {"a fraction above 1", [](Lines&) {}, SpectraFileProblem::TransmittanceAboveOne,
       "Line 2, column 2: the transmittance 2.000 is above 1; are the values percentages?", SpectraValues::Transmittance},
      {"a percentage above 100", set(7, "430\t100.5\t0.45"), SpectraFileProblem::TransmittanceAboveHundred,
       "Line 7, column 2: the transmittance 100.5 is above 100 %", SpectraValues::TransmittancePercent},
  };
  for (const auto& c : cases) {
    Lines lines = GoodLines();
    c.breakIt(lines);
    const SpectraFileRead read = Parse(Join(lines), c.values);
    ASSERT_TRUE(std::holds_alternative<SpectraFileError>(read)) << c.what;
    const auto& error = std::get<SpectraFileError>(read);
    EXPECT_EQ(error.kind, c.problem) << c.what;
    EXPECT_EQ(error.message, c.message) << c.what;
  }
}

TEST(SpectraFile, MessagesFollowTheLanguage) {
  Lines lines = GoodLines();
  lines[3] = "400\tabc\t0.480";
  const auto read = Parse(Join(lines), SpectraValues::Absorbance, false);
  ASSERT_TRUE(std::holds_alternative<SpectraFileError>(read));
  EXPECT_EQ(std::get<SpectraFileError>(read).message, "Línea 4, columna 2: 'abc' no es un número");
  const auto range = Parse("nm\tA\n400\t1\n410\t1\n", SpectraValues::Absorbance, false);
  ASSERT_TRUE(std::holds_alternative<SpectraFileError>(range));
  EXPECT_EQ(std::get<SpectraFileError>(range).message,
            "Las longitudes de onda van de 400 a 410 nm; el color necesita de 380 a 780 nm");
}

TEST(SpectraFile, UnreadableFileGivesTheSystemMessage) {
  const auto read = ReadSpectraFile(::testing::TempDir() + "/tintavis_no_such_spectra.tsv", SpectraReadOptions{});
  ASSERT_TRUE(std::holds_alternative<SpectraFileError>(read));
  EXPECT_EQ(std::get<SpectraFileError>(read).kind, SpectraFileProblem::Unreadable);
  EXPECT_EQ(std::get<SpectraFileError>(read).message, "File not found");
}

TEST(SpectraFile, ExampleFileGivesTheIndependentFigures) {
  // examples/spectra.tsv, 10 mm cell, results for 10 mm; L*, a*, b* from
  // tests/core/fullspectrum_reference.py.
  const SpectraSet set = Set(ReadSpectraFile(std::string(TINTAVIS_SOURCE_DIR) + "/examples/spectra.tsv", {}));
  ASSERT_EQ(set.size(), 4U);
  EXPECT_EQ(set.names[1], "Rosado añada");
  EXPECT_EQ(set.stepNm, 5);
  struct Figures {
    double L, a, b;
  };
  const Figures expected[] = {{50.210118, 66.918929, 19.278677},
                              {86.108306, 24.781979, 7.163011},
                              {98.766153, -2.740359, 9.843124},
                              {92.317796, -1.578130, 33.193491}};
  for (std::size_t s = 0; s < set.size(); ++s) {
    const auto outcome = ComputeFullSpectrumColour(set.Measured(s, 10, 10));
    ASSERT_TRUE(std::holds_alternative<FullSpectrumColour>(outcome)) << set.names[s];
    const ColourResult& c = std::get<FullSpectrumColour>(outcome).colour;
    EXPECT_NEAR(c.L, expected[s].L, 5e-7) << set.names[s];
    EXPECT_NEAR(c.a, expected[s].a, 5e-7) << set.names[s];
    EXPECT_NEAR(c.b, expected[s].b, 5e-7) << set.names[s];
  }
}

}  // namespace
}  // namespace tintavis
