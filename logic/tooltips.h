// The tooltips of the main window's fields and buttons in both languages: what to type, its
// unit, and the key that goes with it.
#pragma once

#include <array>
#include <string_view>

#include "logic/language.h"

namespace tintavis::tooltips {

struct Tooltip {
  std::string_view name;  // object name of the widget
  BilingualText text;
};

// clang-format off
inline constexpr std::array<Tooltip, 10> kMainWindowTooltips = {{
  {"NomMuestra",   {"Nombre de la muestra, tal como irá en la tabla",
                    "Name of the sample, as it will stand in the grid"}},
  {"Espesor",      {"Espesor de la cubeta de medida, en mm (por ejemplo 10)",
                    "Pathlength of the measurement cell, in mm (for example 10)"}},
  {"referido",     {"Espesor al que se refieren los resultados, en mm (10 para 1 cm)",
                    "Pathlength the results refer to, in mm (10 for 1 cm)"}},
  {"PrimLong",     {"Absorbancia a 450 nm, sin unidad", "Absorbance at 450 nm, without unit"}},
  {"SegLong",      {"Absorbancia a 520 nm, sin unidad", "Absorbance at 520 nm, without unit"}},
  {"TercLong",     {"Absorbancia a 570 nm, sin unidad", "Absorbance at 570 nm, without unit"}},
  {"CuartLong",    {"Absorbancia a 630 nm, sin unidad (Intro calcula)",
                    "Absorbance at 630 nm, without unit (Enter calculates)"}},
  {"Button1",      {"Pide las cuatro absorbancias una tras otra en una ventana pequeña",
                    "Asks for the four absorbances one after another in a small window"}},
  {"Calcular",     {"Calcula la muestra y la escribe en la tabla (Intro en cualquier campo)",
                    "Calculates the sample and writes it in the grid (Enter in any field)"}},
  {"GroupBox1",    {"Tipo de vino: las flechas cambian de uno a otro",
                    "Type of wine: the arrow keys move from one to the other"}},
}};
// clang-format on

}  // namespace tintavis::tooltips
