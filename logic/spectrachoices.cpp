#include "logic/spectrachoices.h"

#include <optional>

#include "logic/messages.h"
#include "logic/textrules.h"

namespace tintavis {

PathLengthsRead ReadPathLengths(const std::string& measurement, const std::string& result, SpectraChoices choices,
                                Language language) {
  struct Field {
    PathField field;
    const std::string& text;
    BilingualText missing;
    std::int32_t SpectraChoices::*value;
  };
  const Field fields[] = {{PathField::Measurement, measurement, messages::kMissingEspesor, &SpectraChoices::d},
                          {PathField::Result, result, messages::kMissingReferido, &SpectraChoices::r}};
  for (const Field& f : fields) {
    if (f.text.empty()) return PathLengthProblem{f.field, {MessageDisplay::Prompt, std::string(f.missing.In(language))}};
    const std::optional<std::int32_t> mm = ParseWhole(f.text);
    if (!mm) return PathLengthProblem{f.field, {MessageDisplay::ErrorDisplay, WithFullStop(InvalidIntegerMessage(f.text))}};
    // Beer-Lambert needs a cell: 0 mm would divide by zero, and a negative one means nothing.
    if (*mm < 1) {
      return PathLengthProblem{f.field, {MessageDisplay::ErrorDisplay, WithFullStop(messages::kPathNotPositive.In(language))}};
    }
    choices.*f.value = *mm;
  }
  return choices;
}

}  // namespace tintavis
