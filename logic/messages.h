// Messages of the calculation command, in Spanish and English. The conversion and arithmetic
// texts come from the number conversions and stay English in both languages.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "logic/language.h"

namespace tintavis {

namespace messages {

// Prompts for the empty fields, in the order they are checked.
inline constexpr BilingualText kMissingEspesor = {"¿Espesor de la cubeta de medida?", "Pathlength cell for measurement?"};
inline constexpr BilingualText kMissingReferido = {"¿Espesor de resultado?", "Pathlength cell for result?"};
inline constexpr BilingualText kMissingPrimLong = {"¿Absorbancia a 450 nm?", "Absorbance at 450 nm?"};
inline constexpr BilingualText kMissingSegLong = {"¿Absorbancia a 520 nm?", "Absorbance at 520 nm?"};
inline constexpr BilingualText kMissingTercLong = {"¿Absorbancia a 570 nm?", "Absorbance at 570 nm?"};
inline constexpr BilingualText kMissingCuartLong = {"¿Absorbancia a 630 nm?", "Absorbance at 630 nm?"};

// A path length below 0 mm; 0 mm keeps the arithmetic fault of the calculation.
inline constexpr BilingualText kNegativeEspesor = {"El espesor de la cubeta de medida no puede ser negativo",
                                                   "The pathlength cell for measurement cannot be negative"};
inline constexpr BilingualText kNegativeReferido = {"El espesor de resultado no puede ser negativo",
                                                    "The pathlength cell for result cannot be negative"};

inline constexpr BilingualText kColourOutOfRange = {"Color fuera de rango. Introduzca nuevos valores",
                                                    "Color out of range. Type new values"};
inline constexpr BilingualText kSampleLimit = {"Numero máximo de muestras = 50", "Maximum number of samples = 50"};
// The line under kSampleLimit when "Calcular" finds the grid full and writes nothing.
inline constexpr BilingualText kGridFull = {
    "La tabla está llena: guarde las muestras y empiece una tabla nueva con «Nuevo».",
    "The grid is full: save the samples and start a new grid with \"New\"."};

// A value cell edited to a text that is not a number; %1 is the refused text.
inline constexpr BilingualText kCellNotANumber = {
    "«%1» no es un número. Una celda de valor admite un número, con «.» o «,» como separador decimal, "
    "o «--» en Int. y Ton.; la celda conserva su texto",
    "'%1' is not a number. A value cell takes a number, with '.' or ',' as decimal separator, "
    "or '--' under Int. and Sha.; the cell keeps its text"};

// The numbering dialog's OK with "Sí" chosen and nothing in the start field.
inline constexpr BilingualText kMissingStartNumber = {"¿Número de orden de la muestra?", "Sample number?"};

// The data file's texts; %1 and %2 stand for sample counts.
inline constexpr BilingualText kNotADataFile = {
    "El archivo no es un archivo de datos de TINTAVIS (texto separado por tabuladores).",
    "The file is not a TINTAVIS data file (tab-separated text)."};
// A file that holds no sample line: empty, or a header alone.
inline constexpr BilingualText kNoSamples = {"No hay muestras en este archivo", "No samples in this file"};
inline constexpr BilingualText kSamplesLeftOut = {
    "Se han abierto %1 de las %2 muestras del archivo. Numero máximo de muestras = 50",
    "%1 of the file's %2 samples were opened. Maximum number of samples = 50"};
inline constexpr BilingualText kSaveLeavesSamplesOut = {"El archivo tiene %1 muestras; se guardarán %2. ¿Continuar?",
                                                        "The file holds %1 samples; %2 will be saved. Continue?"};

// Asked before a command throws away a grid with unsaved samples, with its three answers.
inline constexpr BilingualText kUnsavedSamples = {"Hay muestras sin guardar. ¿Desea guardarlas?",
                                                  "There are unsaved samples. Do you want to save them?"};
inline constexpr BilingualText kSaveAnswer = {"Guardar", "Save"};
inline constexpr BilingualText kDontSaveAnswer = {"No guardar", "Don't Save"};
inline constexpr BilingualText kCancelAnswer = {"Cancelar", "Cancel"};
inline constexpr BilingualText kYesAnswer = {"Sí", "Yes"};
inline constexpr BilingualText kNoAnswer = {"No", "No"};

// The batch tool's warning for a name whose characters would break the data file's row.
inline constexpr BilingualText kNameReplaced = {"TAB, CR, LF, NUL o byte 26 del nombre cambiados por espacios",
                                                "TAB, CR, LF, NUL or byte 26 in the name replaced by spaces"};

// Where a file's fault stands, both counted from 1: after a data file's "Invalid numeric input"
// in parentheses, before an imported reading's message, and with a capital before a spectra
// file's messages.
inline constexpr BilingualText kAtLineColumn = {"línea %1, columna %2", "line %1, column %2"};
inline constexpr BilingualText kAtLine = {"línea %1", "line %1"};

// Spectra files ("Abrir espectros" and tintavis-calc --spectra). A path length of the spectra
// dialog that is not above 0:
inline constexpr BilingualText kPathNotPositive = {"El espesor debe ser de 1 mm o más",
                                                   "The pathlength must be 1 mm or more"};
// Why a spectrum gives no values (the reader has already checked the wavelengths).
inline constexpr BilingualText kSpectrumBeyondNumbers = {"el espectro da valores fuera del rango de los números",
                                                         "the spectrum gives values beyond the range of numbers"};
inline constexpr BilingualText kSpectrumNotUsable = {"el espectro no sirve para calcular el color",
                                                     "the spectrum cannot give a colour"};
// Why the four-wavelength estimate of a spectrum was not made; %1 is the reason.
inline constexpr BilingualText kEstimateRefused = {"sin estimación con cuatro longitudes de onda: %1",
                                                   "no four-wavelength estimate: %1"};
inline constexpr BilingualText kEstimateOutOfRange = {"el espectro reconstruido sale del rango del modelo",
                                                      "the reconstructed spectrum leaves the model's range"};
// The box after the spectra were put in the grid: %1 the spectra compared, %2 the largest ΔE00,
// %3 the spectrum that has it, %4 the mean.
inline constexpr BilingualText kEstimateSummaryOne = {
    "ΔE00 de la estimación con cuatro longitudes de onda frente al espectro completo, en 1 espectro: %2 (%3).",
    "ΔE00 of the four-wavelength estimate against the full spectrum, over 1 spectrum: %2 (%3)."};
inline constexpr BilingualText kEstimateSummary = {
    "ΔE00 de la estimación con cuatro longitudes de onda frente al espectro completo, en %1 espectros: "
    "máximo %2 (%3), media %4.",
    "ΔE00 of the four-wavelength estimate against the full spectrum, over %1 spectra: largest %2 (%3), mean %4."};
inline constexpr BilingualText kNoEstimate = {"Ningún espectro admite la estimación con cuatro longitudes de onda.",
                                              "No spectrum allows the four-wavelength estimate."};
// Followed by the names, separated by ", ", and a full stop.
inline constexpr BilingualText kEstimatesRefused = {"Sin estimación con cuatro longitudes de onda: ",
                                                    "No four-wavelength estimate for: "};
inline constexpr BilingualText kSpectraNotComputed = {"Sin resultados, y fuera de la tabla: ",
                                                      "No results, and left out of the grid: "};

// What the file services say beyond the system's messages, without full stop. A folder or a
// pipe or device where a file is read or written:
inline constexpr BilingualText kIsAFolder = {"Es una carpeta, no un archivo", "Is a folder, not a file"};
inline constexpr BilingualText kNotARegularFile = {"No es un archivo normal, sino una tubería o un dispositivo",
                                                   "Is not a regular file but a pipe or a device"};
// A file to be saved in a folder that is not there.
inline constexpr BilingualText kFolderMissing = {"La carpeta no existe", "The folder does not exist"};
// A file too large for its kind, refused before it is read; %1 is the limit in MiB.
inline constexpr BilingualText kFileTooLarge = {"El archivo pasa de %1 MiB, más de lo que tiene un archivo de este tipo",
                                                "The file is larger than %1 MiB, more than a file of this kind holds"};
// A failure of a temporary file: %1 is the system's message, %2 the folder it was made in.
inline constexpr BilingualText kTemporaryFileFailed = {"%1 en la carpeta temporal «%2»",
                                                       "%1 in the temporary folder '%2'"};
// A file rewritten in place that could not be given back its old content: %1 is the system's
// message, %2 the copy of the old content.
inline constexpr BilingualText kOldContentKept = {"%1; el contenido anterior del archivo está en «%2»",
                                                  "%1; the file's previous content is in '%2'"};
// Said after opening a file whose sample names were cut to the longest the grid shows; %1 is
// that length.
inline constexpr BilingualText kNamesCut = {"Los nombres de más de %1 caracteres se han recortado a %1.",
                                            "Names longer than %1 characters were cut to %1."};

// The printing service's messages, English in both languages, without full stop.
inline constexpr std::string_view kNoPrinter = "There is no default printer currently selected";
inline constexpr std::string_view kPrintingFailed = "Printing failed";

}  // namespace messages

// The colour difference window's notes under its table.
std::string ReferenceWithoutLabMessage(int referenceRow, Language language);
std::string RowsWithoutLabMessage(std::string_view rows, Language language);

// The pattern with %1, %2, ... %9 replaced by the values in turn; a % before anything else
// stays.
std::string Filled(std::string_view pattern, std::initializer_list<std::string_view> values);

// kCellNotANumber with the refused text, without full stop.
std::string CellNotANumberMessage(std::string_view text, Language language);

// "'%s' is not a valid integer value" with the refused text.
std::string InvalidIntegerMessage(std::string_view text);
// "'%s' is not a valid floating point value" with the refused text.
std::string InvalidFloatMessage(std::string_view text);

// kNamesCut with the longest name.
std::string NamesCutMessage(Language language);


// The error display's text: a full stop follows when the last character's code is above that
// of the full stop.
std::string WithFullStop(std::string_view text);

}  // namespace tintavis
