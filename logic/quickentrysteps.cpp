#include "logic/quickentrysteps.h"

#include <cstddef>

#include "logic/captions.h"

namespace tintavis {
namespace {

// A step number outside 1 to 4 is taken as the nearest step.
int ClampedStep(int step) { return step < 1 ? 1 : (step > kQuickEntrySteps ? kQuickEntrySteps : step); }

}  // namespace

std::string_view PromptOf(QuickEntryStep step) {
  const int s = ClampedStep(step.step);
  return captions::kQuickEntryPrompts[static_cast<std::size_t>(s - 1)].In(step.language);
}

std::optional<QuickEntryAdvance> QuickEntryOk(QuickEntryStep current, std::string_view entry) {
  if (entry.empty()) return std::nullopt;
  const int step = ClampedStep(current.step);
  QuickEntryAdvance advance;
  advance.field = static_cast<AbsorbanceField>(step - 1);
  if (step == kQuickEntrySteps) {
    advance.next = FirstQuickEntryStep(current.language);
    advance.finished = true;
  } else {
    advance.next = {step + 1, current.language};
  }
  return advance;
}

}  // namespace tintavis
