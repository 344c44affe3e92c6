#include "logic/quickentrysteps.h"

#include <cstddef>

namespace tintavis {
namespace {

// A step number outside 1 to 4 is taken as the nearest step.
int ClampedStep(int step) { return step < 1 ? 1 : (step > kQuickEntrySteps ? kQuickEntrySteps : step); }

}  // namespace

std::string_view PromptOf(QuickEntryStep step) {
  const int s = ClampedStep(step.step);
  const std::size_t index = 2 * static_cast<std::size_t>(s - 1) + (step.english ? 1 : 0);
  return kQuickEntryPrompts[index];
}

std::optional<QuickEntryStep> StepOfPrompt(std::string_view prompt) {
  for (std::size_t i = 0; i < kQuickEntryPrompts.size(); ++i) {
    if (kQuickEntryPrompts[i] == prompt) return QuickEntryStep{static_cast<int>(i / 2) + 1, i % 2 == 1};
  }
  return std::nullopt;
}

std::optional<QuickEntryAdvance> QuickEntryOk(QuickEntryStep current, std::string_view entry) {
  if (entry.empty()) return std::nullopt;
  const int step = ClampedStep(current.step);
  QuickEntryAdvance advance;
  advance.field = static_cast<AbsorbanceField>(step - 1);
  if (step == kQuickEntrySteps) {
    advance.next = FirstQuickEntryStep(current.english);
    advance.finished = true;
  } else {
    advance.next = {step + 1, current.english};
  }
  return advance;
}

}  // namespace tintavis
