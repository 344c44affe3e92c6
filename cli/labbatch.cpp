// The batch tool's laboratory report: the computed samples with what the options say of them.
#include <filesystem>

#include "cli/batch.h"

namespace tintavis::batch {

LabReportContent RunLabReport(const Options& options, std::vector<StoredSample> samples, const std::optional<Lab>& reference) {
  LabReportContent content;
  content.language = options.language;
  content.separator = options.separator;
  content.details = options.labDetails;
  if (options.input != "-") content.details.dataFile = std::filesystem::path(options.input).filename().string();
  content.samples = std::move(samples);
  content.reference = reference;
  if (reference) content.referenceName = *options.reference;
  return content;
}

}  // namespace tintavis::batch
