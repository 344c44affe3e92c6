// The data file: tab-separated text, one header line and one line per sample, each line of
// eleven fields (name and ten values) ended by CR LF, e.g.
//
//      Muestra<TAB>     X<TAB>     Y<TAB> ... <TAB>   Int.<TAB>  Ton.<CR><LF>
//   Crianza <TAB>3.213<TAB>1.403<TAB>0.368<TAB>12.0<TAB>43.99<TAB>20.37<TAB>41.24<TAB>15.31<TAB>7.400<TAB>0.533<CR><LF>
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace tintavis {

inline constexpr std::string_view kLineEnd = "\r\n";

// Appends the fields separated by single TABs.
template <typename Field>
void AppendFields(std::string& out, std::span<const Field> fields) {
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) out += '\t';
    out += fields[i];
  }
}

// Appends one line: the fields separated by single TABs, then CR LF.
template <typename Field>
void AppendDataLine(std::string& out, std::span<const Field> fields) {
  AppendFields(out, fields);
  out += kLineEnd;
}

}  // namespace tintavis
