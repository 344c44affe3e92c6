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

NumberingOkOutcome NumberingOk(bool numberingChosen, std::string_view startField, Language language) {
  NumberingOkOutcome outcome;
  if (!numberingChosen || !startField.empty()) return outcome;
  outcome.close = false;
  outcome.prompt = Message{MessageDisplay::Prompt, std::string(messages::kMissingStartNumber.In(language))};
  return outcome;
}

}  // namespace tintavis
