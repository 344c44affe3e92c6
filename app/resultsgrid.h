// The results grid's texts: its header row and the text of every cell of a calculated row.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/colour.h"

namespace tintavis {

inline constexpr int kGridColumns = 12;  // 0 = row number, 1 = name, 2..11 = the ten values

// Header row as the grid's set-up writes it, in Spanish whatever the language (a clear in
// English mode writes these again). The leading blanks are part of the texts.
inline constexpr std::array<std::string_view, kGridColumns> kGridHeader = {
    "nº", "   Muestra", "     X", "     Y", "     Z", "    L*", "    C*", "    h*", "    a*", "    b*", "   Int.", "  Ton."};

// The three header cells the English interface shows differently (columns 0, 1 and 11).
inline constexpr std::string_view kEnglishHeaderNumber = "no";
inline constexpr std::string_view kEnglishHeaderName = "    Sample";
inline constexpr std::string_view kEnglishHeaderTonality = "  Sha.";

// The header row in one language, as a language switch leaves it.
std::array<std::string, kGridColumns> GridHeader(bool isEnglish);

// Intensity and Tonality of a white wine or brandy.
inline constexpr std::string_view kNotApplicableCell = "  --";

struct ColumnFormat {
  int precision;
  int decimals;
};
// FormatFixed precision and decimals of grid columns 2 to 11: X, Y, Z, L*, C*, h, a*, b*,
// Intensity, Tonality.
inline constexpr std::array<ColumnFormat, 10> kValueFormats = {{
    {5, 3}, {5, 3}, {5, 3}, {3, 1}, {4, 2}, {4, 2}, {4, 2}, {4, 2}, {4, 3}, {4, 3}}};

// One data row of the grid, columns 1 to 11: the name text and the ten value texts.
using SampleRecord = std::array<std::string, 11>;

// The texts a calculated sample leaves in its row.
SampleRecord FormatResultRow(std::string_view name, const ColourResult& colour, WineType wine, char separator);

}  // namespace tintavis
