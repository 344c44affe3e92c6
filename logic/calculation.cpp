#include "logic/calculation.h"

#include <algorithm>
#include <array>

#include "logic/messages.h"
#include "logic/textrules.h"

namespace tintavis {
namespace {

Message Prompt(std::string_view text) { return {MessageDisplay::Prompt, std::string(text)}; }
Message ErrorDisplay(std::string_view text) { return {MessageDisplay::ErrorDisplay, WithFullStop(text)}; }

struct FieldCheck {
  InputField field;
  const std::string SampleForm::*text;
  BilingualText prompt;
};

// The presence checks, in their fixed order; the sample name is never checked.
constexpr std::array<FieldCheck, 6> kPresenceChecks = {{
    {InputField::Espesor, &SampleForm::espesor, messages::kMissingEspesor},
    {InputField::Referido, &SampleForm::referido, messages::kMissingReferido},
    {InputField::PrimLong, &SampleForm::primLong, messages::kMissingPrimLong},
    {InputField::SegLong, &SampleForm::segLong, messages::kMissingSegLong},
    {InputField::TercLong, &SampleForm::tercLong, messages::kMissingTercLong},
    {InputField::CuartLong, &SampleForm::cuartLong, messages::kMissingCuartLong},
}};

}  // namespace

CalculationOutcome CalculateSample(const SampleForm& form, CalculationCounters counters, char separator,
                                   Language language, Spectrum31* referred) {
  // A full grid takes no sample: none is replaced, and what was typed stays for after a save.
  if (counters.full) {
    return GridFull{Prompt(std::string(messages::kSampleLimit.In(language)) + "\n" +
                           std::string(messages::kGridFull.In(language)))};
  }
  // A text of blanks is not missing: only an empty one is.
  for (const FieldCheck& check : kPresenceChecks) {
    if ((form.*check.text).empty()) return MissingInput{check.field, Prompt(check.prompt.In(language))};
  }

  // A cell of negative thickness is a plainly wrong input, not a colour: refused, field by
  // field, as the spectra's path lengths are. Zero is left to the arithmetic, which faults.
  const auto d = ParseWhole(form.espesor);
  if (!d) return InputError{ErrorDisplay(InvalidIntegerMessage(form.espesor))};
  if (*d < 0) return InputError{ErrorDisplay(messages::kNegativeEspesor.In(language))};
  const auto r = ParseWhole(form.referido);
  if (!r) return InputError{ErrorDisplay(InvalidIntegerMessage(form.referido))};
  if (*r < 0) return InputError{ErrorDisplay(messages::kNegativeReferido.In(language))};

  double absorbance[4];
  const std::string* texts[4] = {&form.primLong, &form.segLong, &form.tercLong, &form.cuartLong};
  for (int k = 0; k < 4; ++k) {
    const std::string swapped = SwapSeparator(*texts[k], separator);
    const DecimalParse parsed = ParseDecimal(swapped, separator);
    if (parsed.status == DecimalParse::Status::Overflow) {
      return InputError{ErrorDisplay(FaultText(ComputeFailure::Overflow))};
    }
    if (!parsed.ok()) return InputError{ErrorDisplay(InvalidFloatMessage(swapped))};
    absorbance[k] = parsed.value;
  }

  const SampleInput input{form.wine, *d, *r, absorbance[0], absorbance[1], absorbance[2], absorbance[3]};
  const auto colour = ComputeColour(input, referred);
  if (!colour.ok()) {
    if (colour.failure() == ComputeFailure::ColourOutOfRange) {
      return OutOfRange{ErrorDisplay(messages::kColourOutOfRange.In(language))};
    }
    return InputError{ErrorDisplay(FaultText(colour.failure()))};
  }

  RowWritten row;
  row.row = counters.nextRow;
  row.name = form.name;
  if (form.numberingEnabled) row.name += std::to_string(counters.nextOrderNumber);
  row.name += ' ';
  row.input = input;
  row.colour = colour.value();
  row.wine = form.wine;

  // The order number advances after every written row, numbered or not; past 50 it stays at 50
  // (a start number above 50 is used once).
  const std::int64_t nextOrder = std::int64_t{counters.nextOrderNumber} + 1;
  row.nextOrderNumber = static_cast<std::int32_t>(nextOrder > kMaxSamples ? kMaxSamples : nextOrder);
  // A row past the limit can only come from a caller's mistake; it counts as the limit.
  row.nextRow = counters.nextRow >= kMaxSamples ? kMaxSamples + 1 : counters.nextRow + 1;
  if (row.nextRow > kMaxSamples) {
    // The 50th sample is written in row 50; after it the grid is full.
    row.nextRow = kMaxSamples;
    row.limitNotice = Prompt(messages::kSampleLimit.In(language));
  }
  return row;
}

const Message* OutcomeMessage(const CalculationOutcome& outcome) {
  if (const auto* m = std::get_if<MissingInput>(&outcome)) return &m->message;
  if (const auto* e = std::get_if<InputError>(&outcome)) return &e->message;
  if (const auto* o = std::get_if<OutOfRange>(&outcome)) return &o->message;
  if (const auto* f = std::get_if<GridFull>(&outcome)) return &f->message;
  return nullptr;
}

}  // namespace tintavis
