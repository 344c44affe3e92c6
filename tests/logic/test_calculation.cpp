#include "logic/calculation.h"

#include <gtest/gtest.h>

#include "logic/messages.h"
#include "logic/resultsgrid.h"
#include "tests/support/sampleforms.h"

namespace {

using tintavis::Language;
using tintavis::CalculateSample;
using tintavis::CalculationCounters;
using tintavis::CalculationOutcome;
using tintavis::InputError;
using tintavis::InputField;
using tintavis::MessageDisplay;
using tintavis::MissingInput;
using tintavis::OutOfRange;
using tintavis::RowWritten;
using tintavis::SampleForm;
using tintavis::WineType;

SampleForm RedReference() { return tintavis::testing::RedReferenceForm(); }

RowWritten Row(const CalculationOutcome& outcome) {
  const auto* row = std::get_if<RowWritten>(&outcome);
  if (row == nullptr) {
    ADD_FAILURE() << "no row written: " << tintavis::OutcomeMessage(outcome)->text;
    return {};
  }
  return *row;
}

struct MissingCase {
  int filled;  // how many of the six numeric fields, in check order, are filled
  InputField field;
  const char* spanish;
  const char* english;
};

class MissingFieldTest : public testing::TestWithParam<MissingCase> {};

TEST_P(MissingFieldTest, PromptsForTheFirstEmptyFieldInCheckOrder) {
  const MissingCase& c = GetParam();
  SampleForm form;
  std::string* fields[6] = {&form.espesor, &form.referido, &form.primLong,
                            &form.segLong, &form.tercLong, &form.cuartLong};
  for (int i = 0; i < c.filled; ++i) *fields[i] = "1";
  // A later field being filled never changes which prompt comes first.
  if (c.filled + 1 < 6) *fields[5] = "1";

  for (const Language language : {Language::Spanish, Language::English}) {
    const auto outcome = CalculateSample(form, {}, '.', language);
    const auto* missing = std::get_if<MissingInput>(&outcome);
    ASSERT_NE(missing, nullptr);
    EXPECT_EQ(missing->field, c.field);
    EXPECT_EQ(missing->message.display, MessageDisplay::Prompt);
    EXPECT_EQ(missing->message.text, language == Language::English ? c.english : c.spanish);
  }
}

INSTANTIATE_TEST_SUITE_P(
    AllSixFields, MissingFieldTest,
    testing::Values(
        MissingCase{0, InputField::Espesor, "¿Espesor de la cubeta de medida?", "Pathlength cell for measurement?"},
        MissingCase{1, InputField::Referido, "¿Espesor de resultado?", "Pathlength cell for result?"},
        MissingCase{2, InputField::PrimLong, "¿Absorbancia a 450 nm?", "Absorbance at 450 nm?"},
        MissingCase{3, InputField::SegLong, "¿Absorbancia a 520 nm?", "Absorbance at 520 nm?"},
        MissingCase{4, InputField::TercLong, "¿Absorbancia a 570 nm?", "Absorbance at 570 nm?"},
        MissingCase{5, InputField::CuartLong, "¿Absorbancia a 630 nm?", "Absorbance at 630 nm?"}));

TEST(CalculateSample, TreatsBlanksAsPresentAndNeverChecksTheName) {
  SampleForm form = RedReference();
  form.name.clear();
  form.espesor = " ";
  const auto outcome = CalculateSample(form, {}, '.', Language::Spanish);
  const auto* error = std::get_if<InputError>(&outcome);
  ASSERT_NE(error, nullptr);
  EXPECT_EQ(error->message.text, "' ' is not a valid integer value.");
}

struct ConversionCase {
  const char* espesor;
  const char* referido;
  const char* primLong;
  const char* segLong;
  char separator;
  const char* message;  // as the error display shows it
};

class ConversionErrorTest : public testing::TestWithParam<ConversionCase> {};

TEST_P(ConversionErrorTest, ShowsTheRefusedTextOnTheErrorDisplay) {
  const ConversionCase& c = GetParam();
  SampleForm form = RedReference();
  form.espesor = c.espesor;
  form.referido = c.referido;
  form.primLong = c.primLong;
  form.segLong = c.segLong;
  const auto outcome = CalculateSample(form, {}, c.separator, Language::English);
  const auto* error = std::get_if<InputError>(&outcome);
  ASSERT_NE(error, nullptr);
  EXPECT_EQ(error->message.display, MessageDisplay::ErrorDisplay);
  EXPECT_EQ(error->message.text, c.message);
}

INSTANTIATE_TEST_SUITE_P(
    PathLengthsThenAbsorbances, ConversionErrorTest,
    testing::Values(ConversionCase{"2.5", "10", "0.5", "0.8", '.', "'2.5' is not a valid integer value."},
                    ConversionCase{"2 ", "10", "0.5", "0.8", '.', "'2 ' is not a valid integer value."},
                    ConversionCase{"abc", "x", "0.5", "0.8", '.', "'abc' is not a valid integer value."},
                    ConversionCase{"2", "1O", "y", "0.8", '.', "'1O' is not a valid integer value."},
                    // The refused absorbance is shown as converted, after the separator swap.
                    ConversionCase{"2", "10", "1.2.3", "0.8", ',', "'1,2.3' is not a valid floating point value."},
                    ConversionCase{"2", "10", "0.5", "abc", '.', "'abc' is not a valid floating point value."},
                    ConversionCase{"2", "10", "1e999", "0.8", '.', "Floating point overflow."},
                    ConversionCase{"0", "10", "0.5", "0.8", '.', "Floating point division by zero."},
                    ConversionCase{"2", "0", "0.5", "0.8", '.', "Invalid floating point operation."},
                    // A negative cell is refused by name, each path length as it is read.
                    ConversionCase{"-2", "10", "0.5", "0.8", '.', "The pathlength cell for measurement cannot be negative."},
                    ConversionCase{"-2", "x", "0.5", "0.8", '.', "The pathlength cell for measurement cannot be negative."},
                    ConversionCase{"x", "-10", "0.5", "0.8", '.', "'x' is not a valid integer value."},
                    ConversionCase{"2", "-10", "0.5", "0.8", '.', "The pathlength cell for result cannot be negative."},
                    ConversionCase{"-0", "10", "0.5", "0.8", '.', "Floating point division by zero."}));

TEST(CalculateSample, RefusesANegativePathLengthInTheLanguageOfTheMoment) {
  SampleForm form = RedReference();
  form.referido = "-10";
  EXPECT_EQ(std::get<InputError>(CalculateSample(form, {}, '.', Language::Spanish)).message.text,
            "El espesor de resultado no puede ser negativo.");
}

TEST(CalculateSample, AcceptsALeadingBlankInAPathLength) {
  SampleForm form = RedReference();
  form.espesor = " 2";
  EXPECT_NEAR(Row(CalculateSample(form, {}, '.', Language::Spanish)).colour.X, 3.212814, 5e-7);
}

TEST(CalculateSample, ZeroPathLengthWithZeroAbsorbanceIsAnInvalidOperation) {
  SampleForm form = RedReference();
  form.espesor = "0";
  form.primLong = "0";
  const auto outcome = CalculateSample(form, {}, '.', Language::Spanish);
  EXPECT_EQ(std::get<InputError>(outcome).message.text, "Invalid floating point operation.");
}

TEST(CalculateSample, ReadsEitherDecimalSeparatorInEitherLocale) {
  for (const char separator : {'.', ','}) {
    SampleForm form = RedReference();
    form.primLong = "0,5";
    form.segLong = "0.8";
    const RowWritten row = Row(CalculateSample(form, {}, separator, Language::Spanish));
    EXPECT_NEAR(row.colour.a, 41.236535, 5e-7) << separator;
  }
}

TEST(CalculateSample, RedReferenceSampleFillsRowOneAndAdvancesTheCounters) {
  const RowWritten row = Row(CalculateSample(RedReference(), {}, '.', Language::Spanish));
  EXPECT_EQ(row.row, 1);
  EXPECT_EQ(row.name, "M ");
  EXPECT_EQ(row.nextRow, 2);
  EXPECT_EQ(row.nextOrderNumber, 2);
  EXPECT_FALSE(row.limitNotice.has_value());
  EXPECT_EQ(row.wine, WineType::RedRose);
  const tintavis::SampleRecord texts = tintavis::FormatResultRow(row.name, row.colour, row.wine, '.');
  const tintavis::SampleRecord expected = {"M ",    "3.213", "1.403", "0.368", "12.0", "43.99",
                                           "20.37", "41.24", "15.31", "7.400", "0.533"};
  EXPECT_EQ(texts, expected);
}

TEST(CalculateSample, WhiteWineShowsDashesForIntensityAndTonality) {
  const SampleForm form = tintavis::testing::WhiteForm();
  const RowWritten row = Row(CalculateSample(form, {}, ',', Language::Spanish));
  const tintavis::SampleRecord texts = tintavis::FormatResultRow(row.name, row.colour, row.wine, ',');
  const tintavis::SampleRecord expected = {" ",     "84,560", "89,815", "85,220", "95,9", "7,85",
                                           "97,88", "-1,08",  "7,78",   "  --",   "  --"};
  EXPECT_EQ(texts, expected);
}

TEST(CalculateSample, OutOfRangeUsesTheLanguageOfTheMoment) {
  SampleForm form = RedReference();
  form.segLong = "0.1";
  const auto spanish = CalculateSample(form, {}, '.', Language::Spanish);
  const auto english = CalculateSample(form, {}, '.', Language::English);
  ASSERT_TRUE(std::holds_alternative<OutOfRange>(spanish));
  EXPECT_EQ(std::get<OutOfRange>(spanish).message.text, "Color fuera de rango. Introduzca nuevos valores.");
  EXPECT_EQ(std::get<OutOfRange>(english).message.text, "Color out of range. Type new values.");
  EXPECT_EQ(std::get<OutOfRange>(english).message.display, MessageDisplay::ErrorDisplay);
}

TEST(CalculateSample, NumberingAppendsTheOrderNumberBeforeTheFinalBlank) {
  SampleForm form = RedReference();
  form.name = "Vino";
  form.numberingEnabled = true;
  EXPECT_EQ(Row(CalculateSample(form, {4, 3}, '.', Language::Spanish)).name, "Vino3 ");
  form.name.clear();
  form.numberingEnabled = false;
  EXPECT_EQ(Row(CalculateSample(form, {4, 3}, '.', Language::Spanish)).name, " ");
}

TEST(CalculateSample, OrderNumberAdvancesWithEveryRowAndStopsAtFifty) {
  SampleForm form = RedReference();
  struct Case {
    std::int32_t before, after;
  } cases[] = {{1, 2}, {49, 50}, {50, 50}, {75, 50}, {-3, -2}, {INT32_MAX, 50}};
  for (const bool numbered : {false, true}) {
    form.numberingEnabled = numbered;
    for (const Case& c : cases) {
      EXPECT_EQ(Row(CalculateSample(form, {1, c.before}, '.', Language::Spanish)).nextOrderNumber, c.after) << c.before;
    }
  }
}

TEST(CalculateSample, FiftiethSampleAndEveryLaterOneBringTheLimitNotice) {
  const SampleForm form = RedReference();
  CalculationCounters counters;
  for (int sample = 1; sample <= 49; ++sample) {
    const RowWritten row = Row(CalculateSample(form, counters, '.', Language::Spanish));
    ASSERT_EQ(row.row, sample);
    ASSERT_FALSE(row.limitNotice.has_value());
    counters = {row.nextRow, row.nextOrderNumber};
  }
  for (int later = 0; later < 2; ++later) {
    const RowWritten row = Row(CalculateSample(form, counters, '.', later == 1 ? Language::English : Language::Spanish));
    EXPECT_EQ(row.row, 50);
    EXPECT_EQ(row.nextRow, 50);
    ASSERT_TRUE(row.limitNotice.has_value());
    EXPECT_EQ(row.limitNotice->display, MessageDisplay::Prompt);
    EXPECT_EQ(row.limitNotice->text, later == 1 ? "Maximum number of samples = 50" : "Numero máximo de muestras = 50");
    counters = {row.nextRow, row.nextOrderNumber};
  }
}

TEST(WithFullStop, AppendsOnlyAfterACharacterAboveTheFullStop) {
  EXPECT_EQ(tintavis::WithFullStop("values"), "values.");
  EXPECT_EQ(tintavis::WithFullStop("done."), "done.");
  EXPECT_EQ(tintavis::WithFullStop("a-"), "a-");
  EXPECT_EQ(tintavis::WithFullStop("1"), "1.");
  EXPECT_EQ(tintavis::WithFullStop("año ñ"), "año ñ.");
  EXPECT_EQ(tintavis::WithFullStop(""), "");
}

}  // namespace
