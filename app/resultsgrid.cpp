#include "app/resultsgrid.h"

#include "app/textrules.h"

namespace tintavis {

std::array<std::string, kGridColumns> GridHeader(bool isEnglish) {
  std::array<std::string, kGridColumns> header;
  for (int c = 0; c < kGridColumns; ++c) header[c] = kGridHeader[c];
  if (isEnglish) {
    header[0] = kEnglishHeaderNumber;
    header[1] = kEnglishHeaderName;
    header[11] = kEnglishHeaderTonality;
  }
  return header;
}

SampleRecord FormatResultRow(std::string_view name, const ColourResult& colour, WineType wine, char separator) {
  const double values[10] = {colour.X, colour.Y, colour.Z, colour.L, colour.C,
                             colour.h, colour.a, colour.b, colour.intensity, colour.tonality};
  SampleRecord row;
  row[0] = name;
  // Intensity and Tonality are computed for every wine but shown for red and rosé only.
  const int shown = wine == WineType::RedRose ? 10 : 8;
  for (int k = 0; k < 10; ++k) {
    row[k + 1] = k < shown ? FormatFixed(values[k], kValueFormats[k].precision, kValueFormats[k].decimals, separator)
                           : std::string(kNotApplicableCell);
  }
  return row;
}

}  // namespace tintavis
