// Readings typed elsewhere, as the batch tool takes them: one sample a line, eight fields (name,
// wine type, measurement and result path lengths in mm, A450, A520, A570, A630), separated by
// TAB, or by ";" or "," in a line without TAB (a field between double quotes may hold them):
//
//   Crianza	red	2	10	0.5	0.8	0.6	0.2
//   "Rosado, 2023";Tinto, Rosado;10;10;0,35;0,30;0,12;0,05
//
// Blank lines and lines starting with # hold no reading.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "logic/calculation.h"
#include "logic/captions.h"
#include "logic/language.h"

namespace tintavis {

// red or white (any case), or "Tinto, Rosado", "Red, Rosé", "Blanco, Brandy", "White, Brandy".
std::optional<WineType> ParseWineType(std::string_view field);

struct Reading {
  std::size_t line = 0;
  SampleForm form;  // the fields as if typed into the window
};

struct RefusedReading {
  std::size_t line = 0;
  std::string message;
};

struct ReadingsText {
  std::vector<Reading> readings;
  std::vector<RefusedReading> refused;  // lines of the wrong shape, with why
};

// The readings of a text (UTF-8), in line order; messages in `language`.
ReadingsText ParseReadings(std::string_view text, Language language);

// The box after an import: the lines left out, "línea 3: ..." / "line 3: ...", one a line under a
// heading; empty when every line was imported.
std::string ImportReport(const std::vector<RefusedReading>& refused, Language language);

namespace readings {
inline constexpr BilingualText kFieldCount = {"se esperaban 8 campos, hay %1", "expected 8 fields, found %1"};
inline constexpr BilingualText kUnknownWine = {
    "tipo de vino desconocido «%1» (red, white, \"Tinto, Rosado\" o \"Blanco, Brandy\")",
    "unknown wine type '%1' (red, white, \"Red, Rosé\" or \"White, Brandy\")"};
inline constexpr BilingualText kNotImported = {"Líneas no importadas:", "Lines not imported:"};
inline constexpr BilingualText kNoRoom = {"no cabe en la tabla", "no room left in the grid"};
inline constexpr BilingualText kNoReadings = {"No hay lecturas en este archivo", "No readings in this file"};
// "Archivo → Importar lecturas…" and its file dialog, which speaks Spanish as the others do.
inline constexpr captions::Caption kImportItem = {captions::Target::MenuItem, "ImportarLecturas1",
                                                  "Importar &lecturas…", "Import readings…", "Importar lecturas…", 'I'};
inline constexpr std::string_view kImportTitle = "Importar lecturas";
inline constexpr std::string_view kReadingsFilter = "Lecturas (*.tsv *.txt *.csv)";
}  // namespace readings

}  // namespace tintavis
