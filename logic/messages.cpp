#include "logic/messages.h"

#include "logic/textrules.h"

namespace tintavis {

std::string InvalidIntegerMessage(std::string_view text) {
  std::string out = "'";
  out += text;
  out += "' is not a valid integer value";
  return out;
}

std::string InvalidFloatMessage(std::string_view text) {
  std::string out = "'";
  out += text;
  out += "' is not a valid floating point value";
  return out;
}

std::string ReferenceWithoutLabMessage(int referenceRow, Language language) {
  const std::string row = std::to_string(referenceRow);
  return language == Language::English ? "The reference row " + row + " has no valid L*, a*, b*."
                                       : "La fila de referencia " + row + " no tiene L*, a*, b* válidos.";
}

std::string RowsWithoutLabMessage(std::string_view rows, Language language) {
  const std::string list(rows);
  return language == Language::English ? "Rows without valid L*, a*, b*: " + list + "."
                                       : "Filas sin L*, a*, b* válidos: " + list + ".";
}

std::string NamesCutMessage(Language language) {
  const std::string limit = std::to_string(kMaxNameCharacters);
  return Filled(messages::kNamesCut.In(language), {limit, limit});
}

std::string WithFullStop(std::string_view text) {
  std::string out(text);
  // Compared as unsigned bytes: a final UTF-8 sequence ends in a byte above the full stop, as
  // the character it encodes is.
  if (!out.empty() && static_cast<unsigned char>(out.back()) > '.') out += '.';
  return out;
}

}  // namespace tintavis

namespace tintavis {

std::string Filled(std::string_view pattern, std::initializer_list<std::string_view> values) {
  std::string out;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
    const auto index = static_cast<std::size_t>(next - '1');
    if (pattern[i] == '%' && next >= '1' && next <= '9' && index < values.size()) {
      out += *(values.begin() + index);
      ++i;
    } else {
      out += pattern[i];
    }
  }
  return out;
}

std::string CellNotANumberMessage(std::string_view text, Language language) {
  return Filled(messages::kCellNotANumber.In(language), {text});
}

}  // namespace tintavis
