#include "logic/messages.h"

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

std::string WithFullStop(std::string_view text) {
  std::string out(text);
  // Compared as unsigned bytes: a final UTF-8 sequence ends in a byte above the full stop, as
  // the character it encodes is.
  if (!out.empty() && static_cast<unsigned char>(out.back()) > '.') out += '.';
  return out;
}

}  // namespace tintavis

namespace tintavis {

std::string CellNotANumberMessage(std::string_view text, Language language) {
  std::string out(messages::kCellNotANumber.In(language));
  out.replace(out.find("%1"), 2, text);
  return out;
}

}  // namespace tintavis
