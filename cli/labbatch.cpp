// The batch tool's laboratory report: the computed samples with what the options say of them.
#include <filesystem>

#include "cli/batch.h"

namespace tintavis::batch {

LabReportContent RunLabReport(const Options& options, std::vector<StoredSample> samples, const std::optional<Reference>& reference,
                              std::optional<std::size_t> referenceIndex,
                              const std::vector<std::optional<ColourUncertainty>>& known) {
  LabReportContent content;
  content.language = options.language;
  content.separator = options.separator;
  content.details = options.labDetails;
  if (options.input != "-") content.details.dataFile = std::filesystem::path(options.input).filename().string();
  content.samples = std::move(samples);
  if (reference) content.reference = reference->lab;
  if (reference) {
    // The sample named by --reference, or the colour of --target as typed.
    content.referenceIsTarget = !options.reference;
    content.referenceName = options.reference ? *options.reference : TargetName(reference->lab, options.separator);
  }
  if (!options.reference) referenceIndex.reset();
  content.check = CheckReportSamples(content, referenceIndex, options.uncertainty, options.tolerance, known);
  return content;
}

}  // namespace tintavis::batch
