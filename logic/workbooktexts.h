// The texts of the spreadsheet workbook that "Exportar a Excel (.xlsx)…" and tintavis-calc
// --xlsx write, of the command that writes it, and of the command line of the program.
#pragma once

#include <array>
#include <string_view>

#include "logic/captions.h"
#include "logic/language.h"

namespace tintavis::workbooktexts {

// The item of "Archivo" that writes the workbook.
inline constexpr captions::Caption kExportItem = {captions::Target::MenuItem, "ExportarExcel1",
                                                  "E&xportar a Excel (.xlsx)…", "Export to Excel (.xlsx)…",
                                                  "Exportar a Excel (.xlsx)…", 'E'};
// Its save dialog, with the Spanish texts of the program's other file dialogs.
inline constexpr std::string_view kDialogTitle = "Exportar a Excel";
inline constexpr std::string_view kDialogFilter = "Libro de Excel (*.xlsx)";
inline constexpr std::string_view kInitialFileName = "Muestras.xlsx";

// Sheet names (at most 31 characters, none of []:*?/\).
inline constexpr BilingualText kSamplesSheet = {"Muestras", "Samples"};
inline constexpr BilingualText kMethodSheet = {"Método", "Method"};
inline constexpr BilingualText kDifferencesSheet = {"Diferencias de color", "Colour differences"};

// The headings of the samples sheet: the name, the ten values in grid order, then the inputs.
inline constexpr int kSampleColumns = 20;
// clang-format off
inline constexpr std::array<BilingualText, kSampleColumns> kSampleHeadings = {{
    {"Muestra", "Sample"}, {"X", "X"}, {"Y", "Y"}, {"Z", "Z"}, {"L*", "L*"}, {"C*", "C*"},
    {"h", "h"}, {"a*", "a*"}, {"b*", "b*"}, {"Intensidad", "Intensity"}, {"Tonalidad", "Tonality"},
    {"Tipo de vino", "Wine type"}, {"Espesor de medida (mm)", "Measurement path length (mm)"},
    {"Espesor de resultado (mm)", "Result path length (mm)"},
    {"A450", "A450"}, {"A520", "A520"}, {"A570", "A570"}, {"A630", "A630"},
    {"Hora de cálculo", "Calculated at"}, {"Editada a mano", "Edited by hand"}}};
// clang-format on
inline constexpr BilingualText kRedRose = {"Tinto, Rosado", "Red, Rosé"};
inline constexpr BilingualText kWhiteBrandy = {"Blanco, Brandy", "White, Brandy"};

// The method sheet: one line per condition, its label then its value.
inline constexpr BilingualText kIlluminantLabel = {"Iluminante", "Illuminant"};
inline constexpr BilingualText kObserverLabel = {"Observador", "Observer"};
inline constexpr std::string_view kObserver = "10°";
inline constexpr BilingualText kMethodLabel = {"Método", "Method"};
inline constexpr BilingualText kMethod = {
    "Espectro de transmitancia de 400 a 700 nm reconstruido a partir de las absorbancias a 450, 520, "
    "570 y 630 nm",
    "Transmittance spectrum from 400 to 700 nm reconstructed from the absorbances at 450, 520, 570 "
    "and 630 nm"};
inline constexpr BilingualText kSpectrumMethod = {
    "Filas de espectros medidos: el espectro completo", "Rows from measured spectra: the whole spectrum"};
inline constexpr BilingualText kResultPathLabel = {"Espesor de resultado", "Result path length"};
inline constexpr BilingualText kResultPathUnknown = {"no consta (filas abiertas de un archivo)",
                                                     "not known (rows opened from a file)"};
inline constexpr BilingualText kOpenedRowsLabel = {"Filas abiertas de un archivo", "Rows opened from a file"};
inline constexpr BilingualText kOpenedRows = {"los números del archivo, sin sus datos de medida",
                                              "the file's numbers, without their readings"};
inline constexpr BilingualText kProgramLabel = {"Programa", "Program"};
inline constexpr BilingualText kReferenceLabel = {"Referencia", "Reference"};
// What a colour typed from the product sheet is called where it stands for the reference.
inline constexpr BilingualText kTargetLabel = {"Objetivo", "Target"};

// The refusal of a workbook given to "Abrir" (or on the command line); %1 is the file's name.
inline constexpr BilingualText kWorkbookNotOpened = {
    "«%1» es un libro de hoja de cálculo que no escribió TINTAVIS. Ábralo con la hoja de cálculo; "
    "TINTAVIS abre los archivos de datos que escribe «Guardar» y los libros que escribe «Exportar a Excel»",
    "'%1' is a spreadsheet workbook that TINTAVIS did not write. Open it with the spreadsheet program; "
    "TINTAVIS opens the data files that \"Save as\" writes and the workbooks of \"Export to Excel\""};
// A workbook that could not be written; %1 is the reason.
inline constexpr BilingualText kWorkbookNotWritten = {"No se pudo escribir el libro: %1",
                                                      "The workbook could not be written: %1"};

}  // namespace tintavis::workbooktexts
