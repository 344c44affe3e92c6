// The rules of the quick entry sequence and of the numbering dialog, without their windows.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "logic/captions.h"
#include "logic/numberingrules.h"
#include "logic/quickentrysteps.h"

namespace tintavis {

std::ostream& operator<<(std::ostream& out, const QuickEntryStep& s) {
  return out << "step " << s.step << (s.language == Language::English ? " (English)" : " (Spanish)");
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

TEST_P(QuickEntryPrompt, IsTheCaptionTableRowOfItsStep) {
  const QuickEntryStep step = GetParam().step;
  EXPECT_EQ(captions::kQuickEntryPrompts[static_cast<std::size_t>(step.step - 1)].In(step.language), GetParam().prompt);
}

INSTANTIATE_TEST_SUITE_P(AllEight, QuickEntryPrompt,
                         ::testing::Values(PromptCase{{1, Language::Spanish}, "Absorbancia a 450 nm"},
                                           PromptCase{{1, Language::English}, "Absorbance at 450 nm"},
                                           PromptCase{{2, Language::Spanish}, "Absorbancia a 520 nm"},
                                           PromptCase{{2, Language::English}, "Absorbance at 520 nm"},
                                           PromptCase{{3, Language::Spanish}, "Absorbancia a 570 nm"},
                                           PromptCase{{3, Language::English}, "Absorbance at 570 nm"},
                                           PromptCase{{4, Language::Spanish}, "Absorbancia a 630 nm"},
                                           PromptCase{{4, Language::English}, "Absorbance at 630 nm"}));

TEST(QuickEntryPrompts, AreSpanishThenEnglishForEachStepInTurn) {
  const std::string_view expected[8] = {"Absorbancia a 450 nm", "Absorbance at 450 nm", "Absorbancia a 520 nm",
                                        "Absorbance at 520 nm", "Absorbancia a 570 nm", "Absorbance at 570 nm",
                                        "Absorbancia a 630 nm", "Absorbance at 630 nm"};
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(captions::kQuickEntryPrompts[i].spanish, expected[2 * i]);
    EXPECT_EQ(captions::kQuickEntryPrompts[i].english, expected[2 * i + 1]);
  }
}

TEST(QuickEntryPrompts, AStepOutsideOneToFourShowsTheNearestStep) {
  EXPECT_EQ(PromptOf({0, Language::Spanish}), "Absorbancia a 450 nm");
  EXPECT_EQ(PromptOf({5, Language::English}), "Absorbance at 630 nm");
}

TEST(QuickEntrySequence, StartsAtTheFirstStepOfTheLanguage) {
  EXPECT_EQ(FirstQuickEntryStep(Language::Spanish), (QuickEntryStep{1, Language::Spanish}));
  EXPECT_EQ(FirstQuickEntryStep(Language::English), (QuickEntryStep{1, Language::English}));
  EXPECT_EQ(PromptOf(QuickEntryStep{}), "Absorbancia a 450 nm");
}

// ---- Quick entry: OK --------------------------------------------------------------------------

TEST(QuickEntryOk, WithAnEmptyEntryDoesNothingAtAnyStep) {
  for (const Language language : {Language::Spanish, Language::English}) {
    for (int step = 1; step <= 4; ++step) {
      EXPECT_FALSE(QuickEntryOk({step, language}, "").has_value()) << step;
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
    ::testing::Values(OkCase{{1, Language::Spanish}, AbsorbanceField::PrimLong, {2, Language::Spanish}, false},
                      OkCase{{2, Language::Spanish}, AbsorbanceField::SegLong, {3, Language::Spanish}, false},
                      OkCase{{3, Language::Spanish}, AbsorbanceField::TercLong, {4, Language::Spanish}, false},
                      OkCase{{4, Language::Spanish}, AbsorbanceField::CuartLong, {1, Language::Spanish}, true},
                      OkCase{{1, Language::English}, AbsorbanceField::PrimLong, {2, Language::English}, false},
                      OkCase{{2, Language::English}, AbsorbanceField::SegLong, {3, Language::English}, false},
                      OkCase{{3, Language::English}, AbsorbanceField::TercLong, {4, Language::English}, false},
                      OkCase{{4, Language::English}, AbsorbanceField::CuartLong, {1, Language::English}, true}));

TEST(QuickEntryOk, NumbersTheFieldsZeroToThreeInStepOrder) {
  EXPECT_EQ(static_cast<int>(AbsorbanceField::PrimLong), 0);
  EXPECT_EQ(static_cast<int>(AbsorbanceField::SegLong), 1);
  EXPECT_EQ(static_cast<int>(AbsorbanceField::TercLong), 2);
  EXPECT_EQ(static_cast<int>(AbsorbanceField::CuartLong), 3);
}

TEST(QuickEntryOk, TakesAnyNonEmptyEntryWithoutCheckingIt) {
  for (const std::string_view entry : {" ", " 0.43", "0,512", "abc", "1e400", "-"}) {
    const std::optional<QuickEntryAdvance> advance = QuickEntryOk({2, Language::Spanish}, entry);
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
    const NumberingOkOutcome outcome = NumberingOk(false, field, Language::Spanish);
    EXPECT_TRUE(outcome.close) << "'" << field << "'";
    EXPECT_FALSE(outcome.prompt.has_value());
  }
}

TEST(NumberingOk, ClosesWhenSiIsChosenAndTheFieldHoldsAnything) {
  for (const std::string_view field : {"1", "0", "abc", " "}) {
    const NumberingOkOutcome outcome = NumberingOk(true, field, Language::Spanish);
    EXPECT_TRUE(outcome.close) << "'" << field << "'";
    EXPECT_FALSE(outcome.prompt.has_value());
  }
}

TEST(NumberingOk, AsksInSpanishForTheMissingNumberInSpanish) {
  const NumberingOkOutcome outcome = NumberingOk(true, "", Language::Spanish);
  EXPECT_FALSE(outcome.close);
  ASSERT_TRUE(outcome.prompt.has_value());
  EXPECT_EQ(*outcome.prompt, (Message{MessageDisplay::Prompt, "¿Número de orden de la muestra?"}));
}

TEST(NumberingOk, AsksInEnglishForTheMissingNumberInEnglish) {
  const NumberingOkOutcome outcome = NumberingOk(true, "", Language::English);
  EXPECT_FALSE(outcome.close);
  ASSERT_TRUE(outcome.prompt.has_value());
  EXPECT_EQ(*outcome.prompt, (Message{MessageDisplay::Prompt, "Sample number?"}));
}


// ---- Access keys across the language switch -----------------------------------------------

std::string WithoutMark(std::string text) {
  const std::size_t mark = text.find('&');
  if (mark != std::string::npos) text.erase(mark, 1);
  return text;
}

TEST(AccessKeys, ASwitchedCaptionReadsItsTextWithAtMostOneMark) {
  for (const captions::Caption& c : captions::kCaptions) {
    for (const Language language : {Language::Spanish, Language::English}) {
      const std::string keyed = captions::Keyed(c, language);
      EXPECT_EQ(WithoutMark(keyed), c.In(language)) << c.name;
      EXPECT_EQ(WithoutMark(keyed).find('&'), std::string::npos) << c.name;
    }
  }
}

TEST(AccessKeys, EveryKeyOfTheStartUpSurvivesBothSwitches) {
  for (const captions::Caption& c : captions::kCaptions) {
    if (c.startUp.find('&') == std::string_view::npos || c.startUp == c.english) continue;
    EXPECT_NE(captions::Keyed(c, Language::English).find('&'), std::string::npos) << c.name;
    if (WithoutMark(std::string(c.startUp)) == c.spanish) {
      EXPECT_EQ(captions::Keyed(c, Language::Spanish), c.startUp) << c.name;
    }
  }
}

TEST(AccessKeys, TheKeyMarksTheFirstOccurrenceOfItsLetter) {
  const captions::Caption exit{captions::Target::MenuItem, "X", "&Salir", "Exit", "Salir", 'x'};
  EXPECT_EQ(captions::Keyed(exit, Language::English), "E&xit");
  EXPECT_EQ(captions::Keyed(exit, Language::Spanish), "&Salir");
  const captions::Caption moved{captions::Target::MenuItem, "Y", "Acerca de &TINTAVIS", "About", "Acerca de", 'q'};
  EXPECT_EQ(captions::Keyed(moved, Language::English), "About");  // no such letter: no mark
  EXPECT_EQ(captions::Keyed(moved, Language::Spanish), "Acerca de");  // another text: no mark
}

}  // namespace
}  // namespace tintavis
