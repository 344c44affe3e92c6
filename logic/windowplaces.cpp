#include "logic/windowplaces.h"

#include <algorithm>

namespace tintavis {

PixelPoint QuickEntryStartPlace(PixelSize client, PixelSize frame) {
  if (client.height >= kBelowChartsTop + frame.height) return {kChartsLeft, kBelowChartsTop};
  if (client.width >= kControlsBlock.width + frame.width) return {kControlsBlock.width, kGridTop};
  return {std::max(kChartsLeft, client.width - frame.width), std::max(kGridTop, client.height - frame.height)};
}

}  // namespace tintavis
