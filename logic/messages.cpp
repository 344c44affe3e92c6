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

std::string WithFullStop(std::string_view text) {
  std::string out(text);
  // Compared as unsigned bytes: a final UTF-8 sequence ends in a byte above the full stop, as
  // the character it encodes is.
  if (!out.empty() && static_cast<unsigned char>(out.back()) > '.') out += '.';
  return out;
}

}  // namespace tintavis
