#include "logic/numberingrules.h"

#include <string>

#include "logic/textrules.h"

namespace tintavis {

StartFieldChange NumberingStartFieldChanged(bool numberingChosen, std::string_view startField) {
  StartFieldChange change;
  if (!numberingChosen) return change;
  if (const std::optional<std::int32_t> number = ParseWhole(startField)) {
    change.nextOrderNumber = *number;
  } else {
    change.error = Message{MessageDisplay::ErrorDisplay, WithFullStop(InvalidIntegerMessage(startField))};
  }
  return change;
}

NumberingOkOutcome NumberingOk(bool numberingChosen, std::string_view startField,
                               std::string_view firstChoiceCaption) {
  NumberingOkOutcome outcome;
  if (!numberingChosen || !startField.empty()) return outcome;
  outcome.close = false;
  // The first choice reads "Yes" or "Sí", so exactly one of the two messages is chosen.
  if (firstChoiceCaption == kNumberingYesEnglish) {
    outcome.prompt = Message{MessageDisplay::Prompt, std::string(kMissingStartNumber.english)};
  } else if (firstChoiceCaption == kNumberingYesSpanish) {
    outcome.prompt = Message{MessageDisplay::Prompt, std::string(kMissingStartNumber.spanish)};
  }
  return outcome;
}

}  // namespace tintavis
