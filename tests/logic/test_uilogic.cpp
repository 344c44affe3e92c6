// The rules of the quick entry sequence and of the numbering dialog, without their windows.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "logic/numberingrules.h"
#include "logic/quickentrysteps.h"

namespace tintavis {

std::ostream& operator<<(std::ostream& out, const QuickEntryStep& s) {
  return out << "step " << s.step << (s.english ? " (English)" : " (Spanish)");
}

namespace {

// ---- Quick entry: prompts ---------------------------------------------------------------------

struct PromptCase {
  QuickEntryStep step;
  std::string_view prompt;
};

class QuickEntryPrompt : public ::testing::TestWithParam<PromptCase> {};

TEST_P(QuickEntryPrompt, IsTheTextOfItsStepAndLanguage) {
  EXPECT_EQ(PromptOf(GetParam().step), GetParam().prompt);
}

TEST_P(QuickEntryPrompt, IsRecognisedAsItsStep) {
  const std::optional<QuickEntryStep> step = StepOfPrompt(GetParam().prompt);
  ASSERT_TRUE(step.has_value());
  EXPECT_EQ(*step, GetParam().step);
}

INSTANTIATE_TEST_SUITE_P(AllEight, QuickEntryPrompt,
                         ::testing::Values(PromptCase{{1, false}, "Absorbancia a 450 nm"},
                                           PromptCase{{1, true}, "Absorbance at 450 nm"},
                                           PromptCase{{2, false}, "Absorbancia a 520 nm"},
                                           PromptCase{{2, true}, "Absorbance at 520 nm"},
                                           PromptCase{{3, false}, "Absorbancia a 570 nm"},
                                           PromptCase{{3, true}, "Absorbance at 570 nm"},
                                           PromptCase{{4, false}, "Absorbancia a 630 nm"},
                                           PromptCase{{4, true}, "Absorbance at 630 nm"}));

TEST(QuickEntryPrompts, AreComparedSpanishThenEnglishForEachStepInTurn) {
  EXPECT_EQ(kQuickEntryPrompts[0], "Absorbancia a 450 nm");
  EXPECT_EQ(kQuickEntryPrompts[1], "Absorbance at 450 nm");
  EXPECT_EQ(kQuickEntryPrompts[2], "Absorbancia a 520 nm");
  EXPECT_EQ(kQuickEntryPrompts[3], "Absorbance at 520 nm");
  EXPECT_EQ(kQuickEntryPrompts[4], "Absorbancia a 570 nm");
  EXPECT_EQ(kQuickEntryPrompts[5], "Absorbance at 570 nm");
  EXPECT_EQ(kQuickEntryPrompts[6], "Absorbancia a 630 nm");
  EXPECT_EQ(kQuickEntryPrompts[7], "Absorbance at 630 nm");
}

TEST(QuickEntryPrompts, OtherTextsAreNoStep) {
  for (const std::string_view text : {"", "Absorbancia a 450 nm ", "absorbancia a 450 nm", "Absorbance at 420 nm",
                                      "¿Absorbancia a 450 nm?"}) {
    EXPECT_FALSE(StepOfPrompt(text).has_value()) << "'" << text << "'";
  }
}

TEST(QuickEntrySequence, StartsAtTheFirstStepOfTheLanguage) {
  EXPECT_EQ(FirstQuickEntryStep(false), (QuickEntryStep{1, false}));
  EXPECT_EQ(FirstQuickEntryStep(true), (QuickEntryStep{1, true}));
  EXPECT_EQ(PromptOf(QuickEntryStep{}), "Absorbancia a 450 nm");
}

// ---- Quick entry: OK --------------------------------------------------------------------------

TEST(QuickEntryOk, WithAnEmptyEntryDoesNothingAtAnyStep) {
  for (const bool english : {false, true}) {
    for (int step = 1; step <= 4; ++step) {
      EXPECT_FALSE(QuickEntryOk({step, english}, "").has_value()) << step << " " << english;
    }
  }
}

struct OkCase {
  QuickEntryStep current;
  AbsorbanceField field;
  QuickEntryStep next;
  bool finished;
};

class QuickEntryOkStep : public ::testing::TestWithParam<OkCase> {};

TEST_P(QuickEntryOkStep, SendsTheEntryToTheStepsFieldAndMovesOnInTheSameLanguage) {
  const OkCase& c = GetParam();
  const std::optional<QuickEntryAdvance> advance = QuickEntryOk(c.current, "0.5");
  ASSERT_TRUE(advance.has_value());
  EXPECT_EQ(advance->field, c.field);
  EXPECT_EQ(advance->next, c.next);
  EXPECT_EQ(advance->finished, c.finished);
}

INSTANTIATE_TEST_SUITE_P(
    BothLanguages, QuickEntryOkStep,
    ::testing::Values(OkCase{{1, false}, AbsorbanceField::PrimLong, {2, false}, false},
                      OkCase{{2, false}, AbsorbanceField::SegLong, {3, false}, false},
                      OkCase{{3, false}, AbsorbanceField::TercLong, {4, false}, false},
                      OkCase{{4, false}, AbsorbanceField::CuartLong, {1, false}, true},
                      OkCase{{1, true}, AbsorbanceField::PrimLong, {2, true}, false},
                      OkCase{{2, true}, AbsorbanceField::SegLong, {3, true}, false},
                      OkCase{{3, true}, AbsorbanceField::TercLong, {4, true}, false},
                      OkCase{{4, true}, AbsorbanceField::CuartLong, {1, true}, true}));

TEST(QuickEntryOk, NumbersTheFieldsZeroToThreeInStepOrder) {
  EXPECT_EQ(static_cast<int>(AbsorbanceField::PrimLong), 0);
  EXPECT_EQ(static_cast<int>(AbsorbanceField::SegLong), 1);
  EXPECT_EQ(static_cast<int>(AbsorbanceField::TercLong), 2);
  EXPECT_EQ(static_cast<int>(AbsorbanceField::CuartLong), 3);
}

TEST(QuickEntryOk, TakesAnyNonEmptyEntryWithoutCheckingIt) {
  for (const std::string_view entry : {" ", " 0.43", "0,512", "abc", "1e400", "-"}) {
    const std::optional<QuickEntryAdvance> advance = QuickEntryOk({2, false}, entry);
    ASSERT_TRUE(advance.has_value()) << "'" << entry << "'";
    EXPECT_EQ(advance->field, AbsorbanceField::SegLong);
  }
}

// ---- Numbering: start field -------------------------------------------------------------------

TEST(NumberingStartField, ChangesNothingWhileNoIsChosen) {
  for (const std::string_view text : {"", "1", "5", "abc", "-2"}) {
    const StartFieldChange change = NumberingStartFieldChanged(false, text);
    EXPECT_FALSE(change.nextOrderNumber.has_value()) << "'" << text << "'";
    EXPECT_FALSE(change.error.has_value()) << "'" << text << "'";
  }
}

struct NumberCase {
  std::string_view text;
  std::int32_t number;
};

class NumberingValidStart : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumberingValidStart, BecomesTheNextOrderNumberWithoutAnyRangeCheck) {
  const StartFieldChange change = NumberingStartFieldChanged(true, GetParam().text);
  ASSERT_TRUE(change.nextOrderNumber.has_value());
  EXPECT_EQ(*change.nextOrderNumber, GetParam().number);
  EXPECT_FALSE(change.error.has_value());
}

INSTANTIATE_TEST_SUITE_P(WholeNumbers, NumberingValidStart,
                         ::testing::Values(NumberCase{"1", 1}, NumberCase{"5", 5}, NumberCase{"0", 0},
                                           NumberCase{"-3", -3}, NumberCase{"51", 51}, NumberCase{"1000", 1000},
                                           NumberCase{"+12", 12}, NumberCase{" 7", 7}, NumberCase{"$10", 16},
                                           NumberCase{"2147483647", 2147483647},
                                           NumberCase{"-2147483648", INT32_MIN}));

struct RefusedCase {
  std::string_view text;
  std::string_view message;
};

class NumberingRefusedStart : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(NumberingRefusedStart, GivesTheErrorDisplayAndKeepsTheNumber) {
  const StartFieldChange change = NumberingStartFieldChanged(true, GetParam().text);
  EXPECT_FALSE(change.nextOrderNumber.has_value());
  ASSERT_TRUE(change.error.has_value());
  EXPECT_EQ(change.error->display, MessageDisplay::ErrorDisplay);
  EXPECT_EQ(change.error->text, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    NotWholeNumbers, NumberingRefusedStart,
    ::testing::Values(RefusedCase{"", "'' is not a valid integer value."},
                      RefusedCase{"abc", "'abc' is not a valid integer value."},
                      RefusedCase{"1.5", "'1.5' is not a valid integer value."},
                      RefusedCase{"7 ", "'7 ' is not a valid integer value."},
                      RefusedCase{"-", "'-' is not a valid integer value."},
                      RefusedCase{"2147483648", "'2147483648' is not a valid integer value."},
                      RefusedCase{"nº", "'nº' is not a valid integer value."}));

// ---- Numbering: OK ----------------------------------------------------------------------------

TEST(NumberingOk, ClosesWhenNoIsChosen) {
  for (const std::string_view field : {"", "1", "abc"}) {
    const NumberingOkOutcome outcome = NumberingOk(false, field, "Sí");
    EXPECT_TRUE(outcome.close) << "'" << field << "'";
    EXPECT_FALSE(outcome.prompt.has_value());
  }
}

TEST(NumberingOk, ClosesWhenSiIsChosenAndTheFieldHoldsAnything) {
  for (const std::string_view field : {"1", "0", "abc", " "}) {
    const NumberingOkOutcome outcome = NumberingOk(true, field, "Sí");
    EXPECT_TRUE(outcome.close) << "'" << field << "'";
    EXPECT_FALSE(outcome.prompt.has_value());
  }
}

TEST(NumberingOk, AsksInSpanishForTheMissingNumberWhenTheChoiceReadsSi) {
  const NumberingOkOutcome outcome = NumberingOk(true, "", "Sí");
  EXPECT_FALSE(outcome.close);
  ASSERT_TRUE(outcome.prompt.has_value());
  EXPECT_EQ(*outcome.prompt, (Message{MessageDisplay::Prompt, "¿Número de orden de la muestra?"}));
}

TEST(NumberingOk, AsksInEnglishForTheMissingNumberWhenTheChoiceReadsYes) {
  const NumberingOkOutcome outcome = NumberingOk(true, "", "Yes");
  EXPECT_FALSE(outcome.close);
  ASSERT_TRUE(outcome.prompt.has_value());
  EXPECT_EQ(*outcome.prompt, (Message{MessageDisplay::Prompt, "Sample number?"}));
}

TEST(NumberingOk, StaysOpenWithoutAMessageForAnyOtherCaption) {
  const NumberingOkOutcome outcome = NumberingOk(true, "", "Si");
  EXPECT_FALSE(outcome.close);
  EXPECT_FALSE(outcome.prompt.has_value());
}

}  // namespace
}  // namespace tintavis
