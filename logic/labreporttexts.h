// The laboratory report's texts in both languages: its header block, the method it names, the
// table's headings, the footnotes, the chart's title and the signature block, and the captions
// of the window's dialog that asks for the laboratory, the operator and the instrument. The
// labels it shares with the workbook's method sheet ("Método", "Espesor de resultado") are
// that sheet's.
#pragma once

#include <array>
#include <string_view>

#include "logic/language.h"

namespace tintavis::labreport {

// clang-format off
inline constexpr BilingualText kTitle      = {"Informe del laboratorio", "Laboratory report"};
inline constexpr BilingualText kPage       = {"Página", "Page"};
inline constexpr BilingualText kLaboratory = {"Laboratorio", "Laboratory"};
inline constexpr BilingualText kOperator   = {"Operador", "Operator"};
inline constexpr BilingualText kInstrument = {"Instrumento", "Instrument"};
inline constexpr BilingualText kMoment     = {"Fecha y hora", "Date and time"};
inline constexpr BilingualText kDataFile   = {"Archivo de datos", "Data file"};
inline constexpr BilingualText kNote       = {"Nota", "Note"};
inline constexpr BilingualText kMethodText = {
    "CIELAB, iluminante D65, observador 10°; espectro 400–700 nm reconstruido a partir de las "
    "absorbancias a 450, 520, 570 y 630 nm; intensidad colorante y tonalidad OIV",
    "CIELAB, illuminant D65, 10° observer; spectrum 400–700 nm reconstructed from the absorbances "
    "at 450, 520, 570 and 630 nm; OIV colour intensity and tonality"};
inline constexpr BilingualText kSpectrumRows  = {"Filas de espectros", "Rows from spectra"};
inline constexpr BilingualText kFullSpectrum  = {"espectro completo, 380–780 nm", "full spectrum, 380–780 nm"};
inline constexpr BilingualText kReference     = {"Referencia de ΔE00", "Reference of ΔE00"};
inline constexpr BilingualText kNone          = {"—", "—"};
inline constexpr BilingualText kRedRose       = {"Tinto, Rosado", "Red, Rosé"};
inline constexpr BilingualText kWhiteBrandy   = {"Blanco, Brandy", "White, Brandy"};
inline constexpr BilingualText kEditedNote    = {"* Valores cambiados a mano después del cálculo o de la apertura.",
                                                 "* Values changed by hand after the calculation or the opening."};
inline constexpr BilingualText kOpenedNote    = {"† Fila abierta de un archivo de datos, que no guarda las entradas: sus celdas quedan vacías.",
                                                 "† Row opened from a data file, which keeps no inputs: their cells are left empty."};
inline constexpr BilingualText kChartTitle    = {"Posición de las muestras en el espacio CIELAB",
                                                 "Position of the samples in the CIELAB space"};
inline constexpr BilingualText kPerformedBy   = {"Realizado por", "Performed by"};
inline constexpr BilingualText kReviewedBy    = {"Revisado por", "Reviewed by"};
inline constexpr BilingualText kDate          = {"Fecha", "Date"};

// The pages of the measurement uncertainty and the conformity to a target.
inline constexpr BilingualText kCheckTitle    = {"Incertidumbre de medida y conformidad",
                                                 "Measurement uncertainty and conformity"};
// %1 u(A), %2 u(d).
inline constexpr BilingualText kUncertaintyInputs = {
    "Incertidumbres típicas de entrada: u(A) = %1 en cada absorbancia, u(d) = %2 mm en el espesor de la cubeta. "
    "U es la incertidumbre expandida, k = 2 (un 95 % aproximadamente), por propagación de primer orden (GUM).",
    "Standard input uncertainties: u(A) = %1 on each absorbance, u(d) = %2 mm on the cell's path length. "
    "U is the expanded uncertainty, k = 2 (about 95 %), by first-order propagation (GUM)."};
inline constexpr BilingualText kNoUncertaintySet = {"Sin incertidumbre de medida: no se ha indicado u(A) ni u(d).",
                                                    "No measurement uncertainty: u(A) and u(d) were not set."};
inline constexpr BilingualText kReferenceSample = {"Muestra de referencia", "Reference sample"};
inline constexpr BilingualText kDecisionRule  = {"Regla de decisión", "Decision rule"};
inline constexpr BilingualText kResult        = {"Resultado", "Result"};
inline constexpr BilingualText kNoUncertaintyNote = {
    "-- Sin incertidumbre: fila abierta de un archivo, calculada de un espectro o cambiada a mano, o fuera del modelo.",
    "-- No uncertainty: row opened from a file, computed from a spectrum or changed by hand, or beyond the model."};

// The marks after a row number: edited by hand, opened from a data file.
inline constexpr std::string_view kEditedMark = "*";
inline constexpr std::string_view kOpenedMark = "†";

// The table's first heading line: over the row's inputs.
inline constexpr std::array<BilingualText, 11> kInputHeadings = {{
    {"nº", "No."}, {"Color", "Colour"}, {"Muestra", "Sample"}, {"Tipo de vino", "Wine type"},
    {"d (mm)", "d (mm)"}, {"r (mm)", "r (mm)"}, {"A450", "A450"}, {"A520", "A520"}, {"A570", "A570"},
    {"A630", "A630"}, {"ΔE00", "ΔE00"}}};
// The second heading line: over the ten values, in grid order.
inline constexpr std::array<BilingualText, 10> kValueHeadings = {{
    {"X", "X"}, {"Y", "Y"}, {"Z", "Z"}, {"L*", "L*"}, {"C*", "C*"}, {"h*", "h*"}, {"a*", "a*"},
    {"b*", "b*"}, {"Int.", "Int."}, {"Ton.", "Sha."}}};

// The window's dialog.
inline constexpr BilingualText kDialogNote = {"Nota (opcional)", "Note (optional)"};
inline constexpr BilingualText kAccept     = {"Aceptar", "OK"};
inline constexpr BilingualText kCancel     = {"Cancelar", "Cancel"};
// clang-format on

}  // namespace tintavis::labreport
