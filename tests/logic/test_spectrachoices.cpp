#include "logic/spectrachoices.h"

#include <gtest/gtest.h>

#include <string>

namespace tintavis {
namespace {

TEST(ReadPathLengths, TakesWholeMillimetresFromOneUpAndNamesTheFieldToFix) {
  struct Case {
    std::string measurement, result;
    Language language;
    // Empty when both are read.
    std::string message;
    MessageDisplay display = MessageDisplay::ErrorDisplay;
    PathField field = PathField::Measurement;
  };
  const Case cases[] = {
      {"2", "10", Language::Spanish, ""},
      {" 1", "10", Language::Spanish, ""},  // blanks before, as the main window reads them
      {"", "", Language::Spanish, "¿Espesor de la cubeta de medida?", MessageDisplay::Prompt},
      {"2", "", Language::English, "Pathlength cell for result?", MessageDisplay::Prompt, PathField::Result},
      {"2,5", "10", Language::English, "'2,5' is not a valid integer value."},
      {"0", "10", Language::Spanish, "El espesor debe ser de 1 mm o más."},
      {"2", "-10", Language::English, "The pathlength must be 1 mm or more.", MessageDisplay::ErrorDisplay,
       PathField::Result},
  };
  SpectraChoices before;
  before.wine = WineType::WhiteBrandy;
  before.values = SpectraValues::TransmittancePercent;
  for (const Case& c : cases) {
    const PathLengthsRead read = ReadPathLengths(c.measurement, c.result, before, c.language);
    if (c.message.empty()) {
      ASSERT_TRUE(std::holds_alternative<SpectraChoices>(read)) << c.measurement;
      const auto& choices = std::get<SpectraChoices>(read);
      EXPECT_EQ(choices.d, std::stoi(c.measurement)) << c.measurement;
      EXPECT_EQ(choices.r, 10) << c.measurement;
      EXPECT_EQ(choices.wine, WineType::WhiteBrandy);
      EXPECT_EQ(choices.values, SpectraValues::TransmittancePercent);
      continue;
    }
    ASSERT_TRUE(std::holds_alternative<PathLengthProblem>(read)) << c.measurement << " " << c.result;
    const auto& problem = std::get<PathLengthProblem>(read);
    EXPECT_EQ(problem.message.text, c.message);
    EXPECT_EQ(problem.message.display, c.display) << c.message;
    EXPECT_EQ(problem.field, c.field) << c.message;
  }
}

}  // namespace
}  // namespace tintavis
