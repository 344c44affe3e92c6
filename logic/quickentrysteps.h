// The quick entry window's sequence without the window: the prompt of each step, and what one
// OK does with the entry at the current step. The window keeps its step as state.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "logic/language.h"

namespace tintavis {

// The absorbance fields of the main window that the four steps fill, in step order.
enum class AbsorbanceField : int { PrimLong = 0, SegLong = 1, TercLong = 2, CuartLong = 3 };

inline constexpr int kQuickEntrySteps = 4;

// Where the sequence stands: the step (1 to 4) and the language of its prompt.
struct QuickEntryStep {
  int step = 1;
  Language language = Language::Spanish;
  friend bool operator==(const QuickEntryStep&, const QuickEntryStep&) = default;
};

// Step 1 of a language: where the sequence starts, and where a language switch puts it back.
constexpr QuickEntryStep FirstQuickEntryStep(Language language) { return {1, language}; }

// The prompt shown at a step.
std::string_view PromptOf(QuickEntryStep step);

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
