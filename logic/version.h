// The program's version, the project's in the build.
#pragma once

#include <string_view>

namespace tintavis {

inline constexpr std::string_view kProgramVersion = TINTAVIS_VERSION;

}  // namespace tintavis
