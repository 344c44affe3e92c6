// The "Calcular" command without its window: from the texts of the fields and the window's
// counters to what the window has to show, focus and write.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "core/colour.h"
#include "logic/language.h"

namespace tintavis {

inline constexpr int kMaxSamples = 50;

// The six numeric fields of the main window, in the order they are checked.
enum class InputField { Espesor, Referido, PrimLong, SegLong, TercLong, CuartLong };

// The raw texts of the main window's fields.
struct SampleForm {
  std::string name;      // NomMuestra
  std::string espesor;   // measurement path length, mm
  std::string referido;  // result path length, mm
  std::string primLong, segLong, tercLong, cuartLong;  // absorbances at 450, 520, 570, 630 nm
  WineType wine = WineType::RedRose;
  bool numberingEnabled = false;
};

// How a message reaches the user: a plain prompt (no icon) or the error display (stop icon).
enum class MessageDisplay { Prompt, ErrorDisplay };

struct Message {
  MessageDisplay display = MessageDisplay::Prompt;
  std::string text;  // as shown: the error display's full stop is already applied
  friend bool operator==(const Message&, const Message&) = default;
};

// An empty field: its prompt, and the field that takes the focus.
struct MissingInput {
  InputField field;
  Message message;
};

// A path length or absorbance that does not convert, or an arithmetic fault.
struct InputError {
  Message message;
};

// The reconstructed spectrum left the valid range: the absorbance fields are emptied.
struct OutOfRange {
  Message message;
};

// The grid already holds 50 samples: nothing is written and the fields stay as typed.
struct GridFull {
  Message message;  // the 50-sample prompt, with a line saying what to do
};

struct RowWritten {
  int row = 1;  // the row written: NextRow on entry
  std::string name;  // the name cell's text, with its final blank
  SampleInput input;  // the inputs as parsed
  ColourResult colour;
  WineType wine = WineType::RedRose;
  int nextRow = 1;
  std::int32_t nextOrderNumber = 1;
  std::optional<Message> limitNotice;  // the 50-sample prompt, when due
};

using CalculationOutcome = std::variant<MissingInput, InputError, OutOfRange, GridFull, RowWritten>;

struct CalculationCounters {
  int nextRow = 1;
  std::int32_t nextOrderNumber = 1;
  bool full = false;  // the grid holds 50 samples
};

CalculationOutcome CalculateSample(const SampleForm& form, CalculationCounters counters, char separator,
                                   Language language, Spectrum31* referred = nullptr);

// The message of any outcome but RowWritten (whose only message is the optional limit notice).
const Message* OutcomeMessage(const CalculationOutcome& outcome);

}  // namespace tintavis
