// The batch tool's laboratory report: the computed samples with what the options say of them.
#include <filesystem>

#include "cli/batch.h"
#include "logic/textrules.h"

namespace tintavis::batch {

LabReportContent RunLabReport(const Options& options, std::vector<StoredSample> samples, const std::optional<Reference>& reference) {
  LabReportContent content;
  content.language = options.language;
  content.separator = options.separator;
  content.details = options.labDetails;
  if (options.input != "-") content.details.dataFile = std::filesystem::path(options.input).filename().string();
  content.samples = std::move(samples);
  if (reference) content.reference = reference->lab;
  if (reference) {
    // The sample named by --reference, or the colour of --target as typed.
    content.referenceName = options.reference ? *options.reference
                                              : FormatFixed(reference->lab.L, 18, 1, options.separator) + " / " +
                                                    FormatFixed(reference->lab.a, 18, 2, options.separator) + " / " +
                                                    FormatFixed(reference->lab.b, 18, 2, options.separator);
  }
  return content;
}

}  // namespace tintavis::batch
