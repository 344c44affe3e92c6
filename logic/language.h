// The program's one language value: Spanish at start-up, changed only by the language switch.
// Every text of the program's own exists in both languages and is chosen by it when shown.
#pragma once

#include <string_view>

namespace tintavis {

enum class Language { Spanish, English };

// A text of the program's own in both languages.
struct BilingualText {
  std::string_view spanish;
  std::string_view english;
  constexpr std::string_view In(Language language) const {
    return language == Language::English ? english : spanish;
  }
};

}  // namespace tintavis
