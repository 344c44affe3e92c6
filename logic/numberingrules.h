// The numbering dialog's rules without the dialog: what a change of the start field does to the
// order number, and what OK does.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "logic/calculation.h"
#include "logic/messages.h"

namespace tintavis {

// A change of the start field: with "Sí" chosen the whole text is read as a whole number and
// becomes the next order number at once; a text that is not one (the empty text included) gives
// the error display and leaves the number as it was. With "No" chosen nothing happens.
struct StartFieldChange {
  std::optional<std::int32_t> nextOrderNumber;
  std::optional<Message> error;
  friend bool operator==(const StartFieldChange&, const StartFieldChange&) = default;
};
StartFieldChange NumberingStartFieldChanged(bool numberingChosen, std::string_view startField);

// OK: with "Sí" chosen and an empty start field the dialog stays open, asks for the number in
// the program's language and puts the focus on the start field; otherwise
// it closes.
struct NumberingOkOutcome {
  bool close = true;
  std::optional<Message> prompt;
  friend bool operator==(const NumberingOkOutcome&, const NumberingOkOutcome&) = default;
};
NumberingOkOutcome NumberingOk(bool numberingChosen, std::string_view startField, Language language);

}  // namespace tintavis
