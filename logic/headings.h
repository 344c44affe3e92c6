// Every column heading the user reads, in both languages: the results grid, the colour
// difference table and the printed report. Leading blanks are part of the texts.
#pragma once

#include <array>
#include <string_view>

#include "logic/language.h"

namespace tintavis::headings {

inline constexpr int kGridColumns = 12;  // 0 = row number, 1 = name, 2..11 = the ten values

// The grid's header row as its set-up writes it, in Spanish whatever the language (a clear in
// English mode writes these again).
inline constexpr std::array<std::string_view, kGridColumns> kGrid = {
    "nº", "   Muestra", "     X", "     Y", "     Z", "    L*", "    C*", "    h*", "    a*", "    b*", "   Int.", "  Ton."};

// The three header cells the English interface shows differently (columns 0, 1 and 11).
inline constexpr std::string_view kGridEnglishNumber = "no";
inline constexpr std::string_view kGridEnglishName = "    Sample";
inline constexpr std::string_view kGridEnglishTonality = "  Sha.";

// The colour difference table: row number, name, then the seven differences.
inline constexpr int kDifferenceColumns = 9;
// clang-format off
inline constexpr std::array<BilingualText, kDifferenceColumns> kDifference = {{
    {"nº", "No"}, {"Muestra", "Sample"}, {"ΔL*", "ΔL*"}, {"Δa*", "Δa*"}, {"Δb*", "Δb*"},
    {"ΔC*", "ΔC*"}, {"ΔH*", "ΔH*"}, {"ΔE*ab", "ΔE*ab"}, {"ΔE00", "ΔE00"}}};

// The printed report's fourteen headings in the order they are drawn; "IC" and "dA(%)" head
// columns that the grid does not have and so stay blank.
inline constexpr std::array<BilingualText, 14> kReport = {{
    {"nº", "nº"}, {"Muestra", "Sample"}, {"X", "X"}, {"Y", "Y"}, {"Z", "Z"}, {"L*", "L*"},
    {"C*", "C*"}, {"h*", "h*"}, {"a*", "a*"}, {"b*", "b*"}, {"Int", "Int"}, {"Ton", "Ton"},
    {"IC", "IC"}, {"dA(%)", "dA(%)"}}};
// clang-format on

// The report's title over the table; the sign after 10 is the masculine ordinal indicator.
inline constexpr BilingualText kReportTitle = {"Coordenadas con iluminante D65 y observador 10º",
                                               "Coordinates by D65 illuminant and 10º observer"};

}  // namespace tintavis::headings
