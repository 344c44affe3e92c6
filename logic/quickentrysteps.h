// The quick entry window's sequence without the window: the four absorbance prompts in both
// languages, and what one OK does with the entry at the current step.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace tintavis {

// The absorbance fields of the main window that the four steps fill, in step order.
enum class AbsorbanceField : int { PrimLong = 0, SegLong = 1, TercLong = 2, CuartLong = 3 };

inline constexpr int kQuickEntrySteps = 4;

// The eight prompts, in the order the window compares them with its prompt: for each step the
// Spanish text, then the English one.
inline constexpr std::array<std::string_view, 2 * kQuickEntrySteps> kQuickEntryPrompts = {
    "Absorbancia a 450 nm", "Absorbance at 450 nm",  //
    "Absorbancia a 520 nm", "Absorbance at 520 nm",  //
    "Absorbancia a 570 nm", "Absorbance at 570 nm",  //
    "Absorbancia a 630 nm", "Absorbance at 630 nm",
};

// Where the sequence stands: the step (1 to 4) and the language of its prompt.
struct QuickEntryStep {
  int step = 1;
  bool english = false;
  friend bool operator==(const QuickEntryStep&, const QuickEntryStep&) = default;
};

// Step 1 of a language: where the sequence starts, and where a language switch puts it back.
constexpr QuickEntryStep FirstQuickEntryStep(bool english) { return {1, english}; }

// The prompt shown at a step.
std::string_view PromptOf(QuickEntryStep step);

// The step a prompt text stands for; empty for a text that is none of the eight prompts.
std::optional<QuickEntryStep> StepOfPrompt(std::string_view prompt);

// What one OK with a non-empty entry does: the field that receives the entry as typed, the step
// that follows, and whether this was the fourth entry (the window then hides and the focus goes
// to "Calcular").
struct QuickEntryAdvance {
  AbsorbanceField field = AbsorbanceField::PrimLong;
  QuickEntryStep next;
  bool finished = false;
  friend bool operator==(const QuickEntryAdvance&, const QuickEntryAdvance&) = default;
};

// One OK: nothing at all when the entry is empty; otherwise the advance. The entry is neither
// trimmed nor checked here; the calculation reports what is not a number.
std::optional<QuickEntryAdvance> QuickEntryOk(QuickEntryStep current, std::string_view entry);

}  // namespace tintavis
