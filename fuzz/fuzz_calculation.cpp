// CalculateSample on any field texts, either wine type and any counters the window can hold:
// empty fields are prompted for in their fixed order, every other refusal carries a message,
// and a written row holds no infinity or NaN, gets cells that read back, and leaves the counters
// in range (NextRow 1 to 50, NextOrderNumber at most 50).
//
// Input: the seven texts (name, Espesor, referido, the four absorbances) separated by TAB,
// followed by the bytes that choose the wine type, the options and the counters.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>

#include "logic/calculation.h"
#include "logic/resultsgrid.h"
#include "logic/textrules.h"
#include "fuzz/fuzzcheck.h"

using namespace tintavis;
using fuzz::Check;
using fuzz::Fail;

namespace {

bool HasNonZeroDigit(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) { return c >= '1' && c <= '9'; });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  SampleForm form;
  form.wine = in.ConsumeBool() ? WineType::WhiteBrandy : WineType::RedRose;
  form.numberingEnabled = in.ConsumeBool();
  const char separator = in.ConsumeBool() ? ',' : '.';
  const Language language = in.ConsumeBool() ? Language::English : Language::Spanish;
  const bool wantSpectrum = in.ConsumeBool();
  CalculationCounters counters;
  counters.nextRow = in.ConsumeIntegralInRange<int>(1, kMaxSamples);
  counters.nextOrderNumber =
      in.ConsumeBool() ? in.ConsumeIntegral<std::int32_t>() : in.ConsumeIntegralInRange<std::int32_t>(-2, 52);

  const std::string text = in.ConsumeRemainingBytesAsString();
  std::array<std::string, 7> fields;
  std::size_t start = 0;
  for (std::string& field : fields) {
    if (start > text.size()) break;
    const std::size_t tab = text.find('\t', start);
    field = text.substr(start, tab == std::string::npos ? std::string::npos : tab - start);
    start = tab == std::string::npos ? text.size() + 1 : tab + 1;
  }
  form.name = fields[0];
  form.espesor = fields[1];
  form.referido = fields[2];
  form.primLong = fields[3];
  form.segLong = fields[4];
  form.tercLong = fields[5];
  form.cuartLong = fields[6];

  Spectrum31 spectrum{};
  const CalculationOutcome outcome = CalculateSample(form, counters, separator, language, wantSpectrum ? &spectrum : nullptr);

  // The first empty field, in the order the fields are checked.
  int firstEmpty = -1;
  for (int k = 1; k < 7 && firstEmpty < 0; ++k) {
    if (fields[static_cast<std::size_t>(k)].empty()) firstEmpty = k - 1;
  }
  if (firstEmpty >= 0) {
    const auto* missing = std::get_if<MissingInput>(&outcome);
    Check(missing != nullptr, "an empty field is prompted for");
    Check(static_cast<int>(missing->field) == firstEmpty, "the first empty field is the one prompted for");
    Check(missing->message.display == MessageDisplay::Prompt && !missing->message.text.empty(),
          "a missing field has a plain prompt");
    return 0;
  }

  const auto* row = std::get_if<RowWritten>(&outcome);
  if (row == nullptr) {
    Check(std::get_if<MissingInput>(&outcome) == nullptr, "no prompt when every field holds text");
    const Message* message = OutcomeMessage(outcome);
    Check(message != nullptr && !message->text.empty(), "a refusal has a message");
    Check(message->display == MessageDisplay::ErrorDisplay, "a refusal uses the error display", message->text);
    return 0;
  }

  Check(ParseWhole(form.espesor).has_value() && ParseWhole(form.referido).has_value(),
        "a written row had whole path lengths");
  Check(*ParseWhole(form.espesor) >= 0 && *ParseWhole(form.referido) >= 0, "a written row had no negative path length");
  const ColourResult& c = row->colour;
  for (const double v : {c.X, c.Y, c.Z, c.L, c.C, c.h, c.a, c.b, c.intensity, c.tonality}) {
    Check(std::isfinite(v), "a written row holds no infinity or NaN");
  }
  if (wantSpectrum) {
    for (const double t : spectrum) Check(std::isfinite(t), "the referred spectrum holds no infinity or NaN");
  }
  Check(row->row == counters.nextRow, "the row written is NextRow");
  Check(row->wine == form.wine, "the row keeps the wine type");
  Check(row->nextRow >= 1 && row->nextRow <= kMaxSamples, "NextRow stays within 1 to 50");
  Check(row->nextRow == std::min(counters.nextRow + 1, kMaxSamples), "NextRow advances by one up to 50");
  Check(row->limitNotice.has_value() == (counters.nextRow == kMaxSamples), "the limit notice comes with row 50");
  Check(row->nextOrderNumber <= kMaxSamples, "NextOrderNumber never exceeds 50");
  Check(row->nextOrderNumber ==
            static_cast<std::int32_t>(std::min<std::int64_t>(std::int64_t{counters.nextOrderNumber} + 1, kMaxSamples)),
        "NextOrderNumber advances by one up to 50");
  const std::string expectedName =
      form.name + (form.numberingEnabled ? std::to_string(counters.nextOrderNumber) : std::string()) + " ";
  Check(row->name == expectedName, "the name cell is the name, its number and one blank", row->name);

  const SampleRecord cells = FormatResultRow(row->name, row->colour, row->wine, separator);
  for (std::size_t k = 1; k < cells.size(); ++k) {
    const std::string& cell = cells[k];
    if (cell == kNotApplicableCell) {
      Check(form.wine == WineType::WhiteBrandy && k >= 9, "only white wines get dashes", cell);
      continue;
    }
    Check(ParseDecimal(cell, separator).ok(), "a result cell reads back as a number", cell);
    Check(cell[0] != '-' || HasNonZeroDigit(cell), "a result cell is never a negative zero", cell);
  }
  return 0;
}
