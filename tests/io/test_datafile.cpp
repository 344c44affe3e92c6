#include "io/datafile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "logic/calculation.h"
#include "logic/sampleworkflow.h"
#include "logic/textrules.h"
#include "tests/support/datafiles.h"
#include "tests/support/sampleforms.h"

namespace {

using tintavis::testing::kCrianza;
using tintavis::testing::kHeaderEs;
using tintavis::testing::ReadBytes;
using tintavis::testing::WriteBytes;

namespace fs = std::filesystem;
using tintavis::Language;
using tintavis::DataFileContent;
using tintavis::DataFileError;
using tintavis::ParseDataFile;
using tintavis::ResultsGrid;
using tintavis::SampleRecord;


// A grid filled the way the window fills it.
ResultsGrid GridOf(const std::vector<tintavis::SampleForm>& forms, char separator = '.') {
  ResultsGrid grid;
  tintavis::CalculationCounters counters;
  for (const auto& form : forms) {
    const auto outcome = tintavis::CalculateSample(form, counters, separator, Language::Spanish);
    const auto& row = std::get<tintavis::RowWritten>(outcome);
    grid.WriteRecord(row.row, tintavis::FormatResultRow(row.name, row.colour, row.wine, separator));
    counters = {row.nextRow, row.nextOrderNumber};
  }
  return grid;
}

class TempFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::path(::testing::TempDir()) /
             ("tintavis_datafile_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder);
    fs::create_directories(folder);
  }
  void TearDown() override { fs::remove_all(folder); }
  // Files in the folder besides the ones named (no temporary file may stay behind).
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  fs::path folder;
};

DataFileContent Content(const tintavis::DataFileRead& read) {
  if (const auto* error = std::get_if<DataFileError>(&read)) ADD_FAILURE() << error->message;
  const auto* content = std::get_if<DataFileContent>(&read);
  return content != nullptr ? *content : DataFileContent{};
}

std::string ErrorOf(const tintavis::DataFileRead& read) {
  const auto* error = std::get_if<DataFileError>(&read);
  return error != nullptr ? error->message : "(read)";
}

TEST(DataFileBytes, RedAndWhiteSamplesByteForByte) {
  using tintavis::testing::RedReferenceForm;
  using tintavis::testing::WhiteForm;
  const ResultsGrid grid = GridOf({RedReferenceForm("Crianza"), WhiteForm("Verdejo")});
  EXPECT_EQ(tintavis::DataFileBytes(grid, 2),
            std::string(kHeaderEs) + kCrianza +
                "Verdejo \t84.560\t89.815\t85.220\t95.9\t7.85\t97.88\t-1.08\t7.78\t  --\t  --\r\n");
}

TEST(DataFileBytes, EmptyGridIsTheHeaderAloneAndEnglishChangesFieldsOneAndEleven) {
  ResultsGrid grid;
  EXPECT_EQ(tintavis::DataFileBytes(grid, 0), kHeaderEs);
  const auto english = tintavis::GridHeader(Language::English);
  for (int c = 0; c < tintavis::kGridColumns; ++c) grid.SetCell(0, c, english[c]);
  EXPECT_EQ(tintavis::DataFileBytes(grid, 0),
            "    Sample\t     X\t     Y\t     Z\t    L*\t    C*\t    h*\t    a*\t    b*\t   Int.\t  Sha.\r\n");
}

TEST(DataFileBytes, FullGridHasFiftyOneLinesAndNoEmptyLineAfter) {
  const ResultsGrid grid = GridOf(std::vector(50, tintavis::testing::RedReferenceForm()));
  const std::string bytes = tintavis::DataFileBytes(grid, 50);
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 51);
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\t'), 51 * 10);
  EXPECT_EQ(bytes.substr(bytes.size() - 8), "\t0.533\r\n");
}

TEST(DataFileBytes, WindowsCodePageWhenPossibleUtf8Otherwise) {
  ResultsGrid grid = GridOf({tintavis::testing::RedReferenceForm("Viña")});
  EXPECT_EQ(tintavis::DataFileBytes(grid, 1).substr(std::string(kHeaderEs).size(), 6), "Vi\xF1" "a \t");
  grid.SetCell(1, 1, "Viña ★ ");
  EXPECT_EQ(tintavis::DataFileBytes(grid, 1).substr(std::string(kHeaderEs).size(), 11), "Viña ★ \t");
}

// Found by fuzzing: "Ã©" is C3 A9 in Windows-1252, which is valid UTF-8 for "é", so the name
// came back changed when the file was opened.
TEST(DataFileBytes, NamesWhoseCodePageBytesLookLikeUtf8AreWrittenInUtf8AndReadBackUnchanged) {
  for (const std::string name : {"Ã© ", "Ã±ejo ", "CafÃ© â€“ 2 "}) {
    ResultsGrid grid = GridOf({tintavis::testing::RedReferenceForm("Tinto")});
    grid.SetCell(1, 1, name);
    const std::string bytes = tintavis::DataFileBytes(grid, 1);
    EXPECT_EQ(bytes.substr(std::string(kHeaderEs).size(), name.size() + 1), name + "\t") << name;
    const DataFileContent content = Content(ParseDataFile(bytes, '.', Language::Spanish));
    ASSERT_EQ(content.rows.size(), 1u) << name;
    EXPECT_EQ(content.rows[0][0], name);
  }
  // A name whose code-page bytes are not UTF-8 keeps the code page.
  ResultsGrid grid = GridOf({tintavis::testing::RedReferenceForm("Añejo")});
  EXPECT_EQ(tintavis::DataFileBytes(grid, 1).substr(std::string(kHeaderEs).size(), 7), "A\xF1" "ejo \t");
}

TEST(ParseDataFile, ReadsCellsBackInTheGeneralNumberText) {
  const DataFileContent content = Content(ParseDataFile(std::string(kHeaderEs) + kCrianza, '.', Language::Spanish));
  ASSERT_EQ(content.rows.size(), 1u);
  const SampleRecord expected = {"Crianza ", "3.213", "1.403", "0.368", "12", "43.99", "20.37", "41.24", "15.31", "7.4", "0.533"};
  EXPECT_EQ(content.rows[0], expected);
  EXPECT_FALSE(content.moreThanFifty);
}

// The store takes an opened row's numbers from the reader, never from the cells' texts.
TEST(ParseDataFile, KeepsEachRowsNumbersWithNoneForAWhiteWinesIndices) {
  const DataFileContent content = Content(ParseDataFile(
      std::string(kHeaderEs) + kCrianza + "Blanco \t90,5\t95\t99\t98\t3\t95\t-.25\t3\t--\t--\r\n", ',', Language::Spanish));
  ASSERT_EQ(content.values.size(), 2u);
  EXPECT_EQ(content.values[0][0], 3.213);
  EXPECT_EQ(content.values[0][9], 0.533);
  EXPECT_EQ(content.values[1][0], 90.5);
  EXPECT_EQ(content.values[1][6], -0.25);
  EXPECT_FALSE(content.values[1][8].has_value());
  EXPECT_FALSE(content.values[1][9].has_value());
}

TEST(ParseDataFile, NumberForms) {
  struct Case {
    const char* token;
    char separator;
    const char* cell;
  } cases[] = {{"0.000", '.', "0"},    {"0.00005", '.', "5E-5"}, {"7.400", ',', "7,4"},  {"3,213", '.', "3.213"},
               {"-0.68", '.', "-0.68"}, {"+2", '.', "2"},        {"1e3", '.', "1000"},  {"1.5E-7", '.', "1.5E-7"},
               {".", '.', "0"},        {"E5", '.', "0"},         {"--", '.', "  --"},   {"2.", '.', "2"}};
  for (const Case& c : cases) {
    const std::string line = std::string("n\t") + c.token + "\t1\t1\t1\t1\t1\t1\t1\t1\t1\r\n";
    const DataFileContent content = Content(ParseDataFile(std::string(kHeaderEs) + line, c.separator, Language::Spanish));
    ASSERT_EQ(content.rows.size(), 1u) << c.token;
    EXPECT_EQ(content.rows[0][1], c.cell) << c.token;
  }
}

TEST(ParseDataFile, RefusesWhatIsNotANumberWithInvalidNumericInput) {
  // -1.7977E308 is what a cell of the largest negative double holds (found by fuzzing): beyond
  // the double range, like 1e999.
  for (const char* token : {"abc", "1.2.3", "1e", "1e+", "--5", "0x10", "1,2,3", "1e999", "-1.7977E308", ""}) {
    const std::string line = std::string("n\t") + token + "\t1\t1\t1\t1\t1\t1\t1\t1\t1\r\n";
    EXPECT_EQ(ErrorOf(ParseDataFile(std::string(kHeaderEs) + line, '.', Language::Spanish)),
              "Invalid numeric input (línea 2, columna 2)")
        << token;
  }
}

// A number that does not read is shown with its line in the file, the header and blank lines
// counted, and its column in the grid, the name being column 1.
TEST(ParseDataFile, InvalidNumericInputNamesTheLineAndColumn) {
  const std::string header = kHeaderEs;
  const std::string values = "\t1\t2\t3\t4\t5\t6\t7\t8\t9";
  struct Case {
    const char* what;
    std::string bytes;
    Language language;
    int line;
    int column;
    const char* message;
  } cases[] = {
      {"the first value", header + kCrianza + "B \tx" + values + "\r\n", Language::Spanish, 3, 2,
       "Invalid numeric input (línea 3, columna 2)"},
      {"the last value", header + "B " + values + "\tx\r\n", Language::English, 2, 11,
       "Invalid numeric input (line 2, column 11)"},
      {"too few fields", header + "B \t1\t2\t3\r\n", Language::English, 2, 5,
       "Invalid numeric input (line 2, column 5)"},
      {"CR alone ends the lines", "Muestra\rA " + values + "\t10\r\rB " + values + "\tx\r", Language::Spanish, 4, 11,
       "Invalid numeric input (línea 4, columna 11)"},
      {"the first line a sample", kCrianza + std::string("\r\nB \tx") + values + "\r\n", Language::English, 3, 2,
       "Invalid numeric input (line 3, column 2)"},
  };
  for (const Case& c : cases) {
    const tintavis::DataFileRead read = ParseDataFile(c.bytes, '.', c.language);
    const auto* error = std::get_if<DataFileError>(&read);
    ASSERT_NE(error, nullptr) << c.what;
    EXPECT_EQ(error->kind, DataFileError::Kind::InvalidNumber) << c.what;
    EXPECT_EQ(error->line, c.line) << c.what;
    EXPECT_EQ(error->column, c.column) << c.what;
    EXPECT_EQ(error->message, c.message) << c.what;
  }
}

TEST(ParseDataFile, LineEndsControlZAndBlankLines) {
  const std::string lf = "   Muestra\tX\n" "A \t1\t2\t3\t4\t5\t6\t7\t8\t9\t10\n\n  \r\nB \t1\t2\t3\t4\t5\t6\t7\t8\t9\t10";
  const DataFileContent content = Content(ParseDataFile(lf, '.', Language::Spanish));
  ASSERT_EQ(content.rows.size(), 2u);
  EXPECT_EQ(content.rows[0][10], "10");
  EXPECT_EQ(content.rows[1][0], "B ");
  // A CR inside a line is an ordinary character of the name.
  const DataFileContent cr = Content(ParseDataFile(std::string(kHeaderEs) + "A\rB \t1\t2\t3\t4\t5\t6\t7\t8\t9\t10\r\n", '.', Language::Spanish));
  EXPECT_EQ(cr.rows.at(0)[0], "A\rB ");
  // Nothing after Ctrl-Z is read, not even a broken line.
  const DataFileContent z = Content(ParseDataFile(std::string(kHeaderEs) + kCrianza + "\x1A" + "junk\tx\r\n", '.', Language::Spanish));
  EXPECT_EQ(z.rows.size(), 1u);
}

TEST(ParseDataFile, EachLineIsReadOnItsOwn) {
  // More than eleven fields: the rest is ignored.
  const DataFileContent more = Content(ParseDataFile(std::string(kHeaderEs) + "A \t1\t2\t3\t4\t5\t6\t7\t8\t9\t10\t11\t12\r\n", '.', Language::Spanish));
  EXPECT_EQ(more.rows.at(0)[10], "10");
  // Fewer than eleven: refused, nothing read from the next line.
  EXPECT_EQ(ErrorOf(ParseDataFile(std::string(kHeaderEs) + "A \t1\t2\t3\r\n" + kCrianza, '.', Language::Spanish)),
            "Invalid numeric input (línea 2, columna 5)");
}

TEST(ParseDataFile, NamesComeBackAsSaved) {
  const std::string name40 = "Tinto de prueba con un nombre muy largo ";
  ASSERT_EQ(name40.size(), 40u);
  const std::string bytes = std::string(kHeaderEs) + "Lote 12 \t1\t2\t3\t4\t5\t6\t7\t8\t9\t10\r\n" + name40 +
                            "\t1\t2\t3\t4\t5\t6\t7\t8\t9\t10\r\n";
  const DataFileContent content = Content(ParseDataFile(bytes, '.', Language::Spanish));
  ASSERT_EQ(content.rows.size(), 2u);
  EXPECT_EQ(content.rows[0][0], "Lote 12 ");
  EXPECT_EQ(content.rows[0][1], "1");
  EXPECT_EQ(content.rows[1][0], name40);
}

// What Calc or Excel save from such a sheet as tab-separated text: text cells in quotes (with
// their quotes doubled), names without the final blank, decimal commas, empty cells where a
// white wine has no Intensity or Tonality, the inputs after the values.
TEST(ParseDataFile, ReadsTheTabTextASpreadsheetSavesBack) {
  const std::string bytes = std::string(kHeaderEs) +
                            "\"Rosado, 2023\"\t3,213\t1,403\t0,368\t12\t43,99\t20,37\t41,24\t15,31\t7,4\t0,533\t\"Tinto, Rosado\"\t2\r\n"
                            "\"El \"\"Gran\"\" Blanco\"\t90\t95\t99\t98\t3\t95\t-0,25\t3\t\t\r\n"
                            "Verdejo\t90\t95\t99\t98\t3\t95\t-0,25\t3\t\"--\"\t--\r\n";
  const DataFileContent content = Content(ParseDataFile(bytes, '.', Language::Spanish));
  ASSERT_EQ(content.rows.size(), 3u);
  EXPECT_EQ(content.rows[0][0], "Rosado, 2023 ");
  EXPECT_EQ(content.rows[0][1], "3.213");
  EXPECT_EQ(content.values[0][0], 3.213);
  EXPECT_EQ(content.rows[1][0], "El \"Gran\" Blanco ");
  EXPECT_EQ(content.rows[1][9], std::string(tintavis::kNotApplicableCell));
  EXPECT_FALSE(content.values[1][9].has_value());
  EXPECT_EQ(content.rows[2][0], "Verdejo");  // unquoted: as it stands
  EXPECT_EQ(content.rows[2][9], content.rows[2][10]);
  // An empty cell stands for no number only under Intensity and Tonality.
  EXPECT_TRUE(std::holds_alternative<tintavis::DataFileError>(
      ParseDataFile(std::string(kHeaderEs) + "x\t\t1\t2\t3\t4\t5\t6\t7\t8\t9\r\n", '.', Language::Spanish)));
}

TEST(ParseDataFile, LinesWithoutTabsKeepTheBlankSeparatedRule) {
  const DataFileContent content = Content(ParseDataFile(std::string(kHeaderEs) + "Crianza 1 2 3 4 5 6 7 8 9 10\r\n", '.', Language::Spanish));
  ASSERT_EQ(content.rows.size(), 1u);
  EXPECT_EQ(content.rows[0][0], "Crianza ");
  EXPECT_EQ(content.rows[0][10], "10");
  const std::string long33(33, 'a');
  // 32 characters make the name; the 33rd is read as a number and is none.
  EXPECT_EQ(ErrorOf(ParseDataFile(std::string(kHeaderEs) + long33 + " 1 2 3 4 5 6 7 8 9 10\r\n", '.', Language::Spanish)),
            "Invalid numeric input (línea 2, columna 2)");
  const DataFileContent exact = Content(ParseDataFile(std::string(kHeaderEs) + std::string(32, 'b') + " 1 2 3 4 5 6 7 8 9 10\r\n", '.', Language::Spanish));
  EXPECT_EQ(exact.rows.at(0)[0], std::string(32, 'b'));
}

// A file that lost its header line, or was written without one, keeps its first sample; any
// other first line is the header, whatever it says.
TEST(ParseDataFile, TheFirstLineIsTheHeaderUnlessItReadsAsASample) {
  const std::string white = "Verdejo 10 11 12 95.9 7.85 97.88 -1.08 7.78 -- --\r\n";
  struct Case {
    std::string first;
    std::size_t rows;
    std::string firstName;
  } cases[] = {
      {kHeaderEs, 1, "Crianza "},
      {"    Sample\t     X\t     Y\t     Z\t    L*\t    C*\t    h*\t    a*\t    b*\t   Int.\t  Sha.\r\n", 1, "Crianza "},
      {"notes of the day\r\n", 1, "Crianza "},
      {"A \t1\t2\t3\r\n", 1, "Crianza "},  // too few numbers for a sample: a header
      {kCrianza, 2, "Crianza "},
      {white, 2, "Verdejo "},
  };
  for (const Case& c : cases) {
    const DataFileContent content = Content(ParseDataFile(c.first + kCrianza, '.', Language::Spanish));
    ASSERT_EQ(content.rows.size(), c.rows) << c.first;
    EXPECT_EQ(content.rows[0][0], c.firstName) << c.first;
    EXPECT_EQ(content.samplesInFile, static_cast<int>(c.rows)) << c.first;
  }
}

// Such files opened as an empty grid with no word.
TEST(ParseDataFile, AFileWithoutSamplesSaysSoAndCrOnlyLineEndsAreLineEnds) {
  for (const std::string& bytes : {std::string(), std::string(kHeaderEs), std::string(kHeaderEs) + "\r\n \r\n",
                                  std::string(kHeaderEs) + "\x1A" + kCrianza, std::string("\r\r")}) {
    const auto read = ParseDataFile(bytes, '.', Language::English);
    const auto* error = std::get_if<DataFileError>(&read);
    ASSERT_NE(error, nullptr) << bytes;
    EXPECT_EQ(error->kind, DataFileError::Kind::NoSamples);
    EXPECT_EQ(error->message, "No samples in this file");
  }
  EXPECT_EQ(ErrorOf(ParseDataFile(kHeaderEs, '.', Language::Spanish)), "No hay muestras en este archivo");
  std::string crOnly = std::string(kHeaderEs) + kCrianza + kCrianza;
  crOnly.erase(std::remove(crOnly.begin(), crOnly.end(), '\n'), crOnly.end());
  const DataFileContent content = Content(ParseDataFile(crOnly, '.', Language::Spanish));
  ASSERT_EQ(content.rows.size(), 2u);
  EXPECT_EQ(content.rows[1][10], "0.533");
}

TEST(ParseDataFile, KeepsFiftyRowsAndSaysWhenThereWereMore) {
  std::string bytes = kHeaderEs;
  for (int i = 0; i < 53; ++i) bytes += kCrianza;
  const DataFileContent content = Content(ParseDataFile(bytes, '.', Language::Spanish));
  EXPECT_EQ(content.rows.size(), 50u);
  EXPECT_TRUE(content.moreThanFifty);
}

// Counted the way the rows are read: non-blank lines after the header, up to a Ctrl-Z; lines
// past the fiftieth are counted without being read.
TEST(ParseDataFile, CountsEverySampleOfTheFile) {
  auto samples = [](int n) {
    std::string lines;
    for (int i = 0; i < n; ++i) lines += kCrianza;
    return lines;
  };
  struct Case {
    const char* what;
    std::string bytes;
    std::size_t rows;
    int inFile;
  } cases[] = {
      {"blank lines hold no sample", std::string(kHeaderEs) + kCrianza + "\r\n  \r\n" + kCrianza, 2, 2},
      {"fifty", kHeaderEs + samples(50), 50, 50},
      {"sixty, one past fifty broken", kHeaderEs + samples(55) + "broken\tx\r\n\r\n" + samples(4), 50, 60},
      {"Ctrl-Z ends the count", kHeaderEs + samples(55) + "\x1A" + samples(5), 50, 55},
  };
  for (const Case& c : cases) {
    const DataFileContent content = Content(ParseDataFile(c.bytes, '.', Language::Spanish));
    EXPECT_EQ(content.rows.size(), c.rows) << c.what;
    EXPECT_EQ(content.samplesInFile, c.inFile) << c.what;
    EXPECT_EQ(content.moreThanFifty, c.inFile > 50) << c.what;
  }
}

TEST(DataFileTexts, SamplesLeftOutOnOpeningAndOnSavingOverTheFile) {
  EXPECT_EQ(tintavis::SamplesLeftOutMessage(50, 60, Language::Spanish),
            "Se han abierto 50 de las 60 muestras del archivo. Numero máximo de muestras = 50");
  EXPECT_EQ(tintavis::SamplesLeftOutMessage(50, 60, Language::English),
            "50 of the file's 60 samples were opened. Maximum number of samples = 50");
  EXPECT_EQ(tintavis::SaveLeavesSamplesOutQuestion(60, 50, Language::Spanish),
            "El archivo tiene 60 muestras; se guardarán 50. ¿Continuar?");
  EXPECT_EQ(tintavis::SaveLeavesSamplesOutQuestion(1234, 7, Language::English), "The file holds 1234 samples; 7 will be saved. Continue?");
}

// Spreadsheet workbooks and other binary files were read as an empty data file.
TEST_F(TempFolder, RefusesWhatIsNotADataFile) {
  using namespace std::string_literals;
  const std::string ole2 = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"s + std::string(16, '\0') + "\x3E\x00\x03\x00\xFE\xFF\x09\x00"s;
  struct Case {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"binary Office workbook (.xls)", ole2},
      {"Office Open XML workbook (.xlsx)", "PK\x03\x04\x14\x00\x06\x00\x08\x00\x00\x00!\x00"s + "[Content_Types].xml"},
      {"OpenDocument spreadsheet (.ods)",
       "PK\x03\x04\x0A\x00\x00\x00\x00\x00"s + "mimetypeapplication/vnd.oasis.opendocument.spreadsheetPK"},
      {"ZIP signature before text lines", std::string("PK\x03\x04") + "\tX\r\n" + kCrianza},
      {"UTF-16 text", "\xFF\xFE \0 \0 \0M\0u\0e\0s\0t\0r\0a\0\t\0"s},
      {"a NUL on a later line", std::string(kHeaderEs) + kCrianza + "Vino\0 \t1\t2\t3\t4\t5\t6\t7\t8\t9\t10\r\n"s},
      {"Ctrl-Z inside the first line", std::string("   Muestra\x1A\tX\r\n") + kCrianza},
      {"Ctrl-Z and no line end", "abc\x1A"},
  };
  const std::string spanish = "El archivo no es un archivo de datos de TINTAVIS (texto separado por tabuladores).";
  const std::string english = "The file is not a TINTAVIS data file (tab-separated text).";
  for (const Case& c : cases) {
    const auto read = ParseDataFile(c.bytes, '.', Language::Spanish);
    const auto* error = std::get_if<DataFileError>(&read);
    ASSERT_NE(error, nullptr) << c.what;
    EXPECT_EQ(error->kind, DataFileError::Kind::NotADataFile) << c.what;
    EXPECT_EQ(error->message, spanish) << c.what;
    const fs::path file = folder / "Libro1.xls";
    WriteBytes(file, c.bytes);
    EXPECT_EQ(ErrorOf(tintavis::ReadDataFile(file.string(), '.', Language::English)), english) << c.what;
  }
  // A Ctrl-Z once the first line has ended still only ends the file.
  EXPECT_EQ(Content(ParseDataFile(std::string(kHeaderEs) + kCrianza + "\x1A", '.', Language::Spanish)).rows.size(), 1u);
}

TEST(ParseDataFile, ReadsWindows1252AndUtf8Names) {
  EXPECT_EQ(Content(ParseDataFile(std::string(kHeaderEs) + "Vi\xF1" "a \t1\t2\t3\t4\t5\t6\t7\t8\t9\t10\r\n", '.', Language::Spanish)).rows.at(0)[0],
            "Viña ");
  EXPECT_EQ(Content(ParseDataFile(std::string(kHeaderEs) + "Viña ★\t1\t2\t3\t4\t5\t6\t7\t8\t9\t10\r\n", '.', Language::Spanish)).rows.at(0)[0],
            "Viña ★");
}

TEST_F(TempFolder, SaveThenOpenGivesBackEveryCell) {
  using tintavis::testing::RedReferenceForm;
  using tintavis::testing::WhiteForm;
  for (const char separator : {'.', ','}) {
    ResultsGrid grid = GridOf({RedReferenceForm("Lote 12"), WhiteForm("Viña"), RedReferenceForm(std::string(40, 'x'))},
                              separator);
    const fs::path file = folder / "Coordenadas.xls";
    ASSERT_EQ(tintavis::WriteDataFile(grid, 3, file.string(), Language::English), std::nullopt);
    const DataFileContent content = Content(tintavis::ReadDataFile(file.string(), separator, Language::Spanish));
    ASSERT_EQ(content.rows.size(), 3u);
    for (int r = 1; r <= 3; ++r) {
      SampleRecord expected = grid.Record(r);
      // Numbers come back in the general number text: 12.0 as 12, 7.400 as 7.4.
      for (int c = 1; c <= 10; ++c) {
        if (expected[c] == "  --") continue;
        expected[c] = tintavis::FormatGeneral(tintavis::ParseDecimal(expected[c], separator).value, separator);
      }
      EXPECT_EQ(content.rows[r - 1], expected) << r;
    }
    EXPECT_EQ(content.rows[0][0], "Lote 12 ");
    EXPECT_EQ(content.rows[1][10], "  --");
  }
}

TEST_F(TempFolder, SavingReplacesTheFileWholeAndLeavesNoTemporaryFile) {
  const fs::path file = folder / "datos.ods";
  WriteBytes(file, std::string(5000, 'z'));
  ::chmod(file.c_str(), 0640);
  ResultsGrid grid;
  ASSERT_EQ(tintavis::WriteDataFile(grid, 0, file.string(), Language::English), std::nullopt);
  EXPECT_EQ(ReadBytes(file), kHeaderEs);
  EXPECT_EQ(Entries(), std::vector<std::string>{"datos.ods"});
  struct stat st {};
  ASSERT_EQ(::stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);  // the replaced file's mode is kept
}

TEST_F(TempFolder, FailedSavesReportTheirReasonAndKeepTheOldFile) {
  ResultsGrid grid;
  const fs::path regular = folder / "plain";
  WriteBytes(regular, "old");
  // A path through a regular file and a missing folder cannot be created, root or not.
  EXPECT_EQ(tintavis::WriteDataFile(grid, 0, (regular / "x.xls").string(), Language::English), "Invalid filename");
  EXPECT_EQ(tintavis::WriteDataFile(grid, 0, (folder / "missing" / "x.xls").string(), Language::English),
            "The folder does not exist");
  // A folder in the target's place is not replaced.
  fs::create_directory(folder / "dir.xls");
  EXPECT_EQ(tintavis::WriteDataFile(grid, 0, (folder / "dir.xls").string(), Language::English), "Is a folder, not a file");
  EXPECT_EQ(ReadBytes(regular), "old");
  EXPECT_EQ(Entries(), (std::vector<std::string>{"dir.xls", "plain"}));
}

TEST_F(TempFolder, ADiskThatFillsUpLeavesTheOldFileIntact) {
  const fs::path file = folder / "full.xls";
  WriteBytes(file, "previous content");
  const ResultsGrid grid = GridOf(std::vector(50, tintavis::testing::RedReferenceForm()));
  // A file-size limit fails the write as a full disk would, whoever runs the test.
  struct rlimit old {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = old;
  small.rlim_cur = 1000;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const auto result = tintavis::WriteDataFile(grid, 50, file.string(), Language::English);
  ::setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, previousHandler);
  EXPECT_EQ(result, "Disk full");
  EXPECT_EQ(ReadBytes(file), "previous content");
  EXPECT_EQ(Entries(), std::vector<std::string>{"full.xls"});
}

TEST_F(TempFolder, OpeningFailuresGiveTheSystemMessages) {
  EXPECT_EQ(ErrorOf(tintavis::ReadDataFile((folder / "none.xls").string(), '.', Language::Spanish)), "File not found");
  EXPECT_EQ(ErrorOf(tintavis::ReadDataFile((folder / "none" / "x.xls").string(), '.', Language::Spanish)), "Invalid filename");
  WriteBytes(folder / "plain", "x");
  EXPECT_EQ(ErrorOf(tintavis::ReadDataFile((folder / "plain" / "x.xls").string(), '.', Language::Spanish)), "Invalid filename");
  fs::create_directory(folder / "dir.xls");
  EXPECT_EQ(ErrorOf(tintavis::ReadDataFile((folder / "dir.xls").string(), '.', Language::Spanish)),
            "Es una carpeta, no un archivo");
}

}  // namespace
