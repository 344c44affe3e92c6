// The interface texts in both languages, held once: for every caption its text at start-up,
// the text the switch to English writes, and the text the switch to Spanish writes. The texts of
// a switch are written without the "&" access-key mark; the Spanish ones differ from start-up in
// a few places (more leading blanks in two headings, "Acerca de" without the name). The access
// keys survive a switch: Keyed() marks a switched text with the start-up key in Spanish and with
// the caption's English key letter in English.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "logic/language.h"

namespace tintavis::captions {

// Where a caption goes: a widget or menu action of the main window found by its object name,
// or one of the other windows' elements.
enum class Target {
  MainWidget,     // QLabel, QGroupBox, QRadioButton or QPushButton of the main window
  MenuTitle,      // a menu of the main menu bar
  MenuItem,       // an action of the main menu or of the popup menu
  NumberingItem,  // a widget of the numbering dialog Form4
  HelpCaption,    // the Help window's caption
  QuickEntry,     // the quick entry window's caption (Form6) and prompt (its Label1)
};

struct Caption {
  Target target;
  std::string_view name;  // object name
  std::string_view startUp;
  std::string_view english;
  std::string_view spanish;
  // The letter of `english` that becomes its access key at its first occurrence; 0 for none.
  char englishKey = 0;
  constexpr std::string_view In(Language language) const { return language == Language::English ? english : spanish; }
};

// clang-format off
inline constexpr std::array<Caption, 53> kCaptions = {{
  // Main window: labels and headings. Leading and trailing blanks are part of the texts.
  {Target::MainWidget, "Label4",  "Espesor de medida",    "Pathlength cell for measurement ", "Espesor de medida"},
  {Target::MainWidget, "Label9",  "Espesor de resultado", "Pathlength cell for result",       "Espesor de resultado"},
  {Target::MainWidget, "Label7",  "        Coordenadas con iluminante D65 y observador 10°",
                                  "Color coordinates for D65 illuminant and 10º Standard Observer",
                                  "         Coordenadas con iluminante D65 y observador 10°"},
  {Target::MainWidget, "Label8",  "       Posición de la muestra en el espacio CIELAB",
                                  "        Position of the sample in the CIELAB space",
                                  "        Posición de la muestra en el espacio CIELAB"},
  {Target::MainWidget, "Label13", "Los resultados obtenidos para un espesor óptico de 1 cm, están de acuerdo con las recomendaciones de la OIV",
                                  "     The results obtained for an optical thickness of 1 cm, agree with the recommendations of the OIV",
                                  "Los resultados obtenidos para un espesor óptico de 1 cm, están de acuerdo con las recomendaciones de la OIV"},
  // Main menu titles.
  {Target::MenuTitle, "Archivo",   "&Archivo",  "File",    "Archivo", 'F'},
  {Target::MenuTitle, "Edicin1",   "&Edición",  "Edit",    "Edición", 'E'},
  {Target::MenuTitle, "Opciones1", "&Opciones", "Options", "Opciones", 'O'},
  {Target::MenuTitle, "Language1", "Language",  "Idioma",  "Language"},
  {Target::MenuTitle, "Ayuda1",    "A&yuda",    "Help",    "Ayuda", 'H'},
  // Main menu items ("&Guardar" is a submenu, its title is an item of "&Archivo").
  {Target::MenuItem, "Nuevo1",          "&Nuevo",             "New",            "Nuevo", 'N'},
  {Target::MenuItem, "Abrir1",          "&Abrir",             "Open",           "Abrir", 'O'},
  {Target::MenuItem, "AbrirEspectros1", "Abrir &espectros…",  "Open spectra…",  "Abrir espectros…", 's'},
  {Target::MenuTitle, "Guardar1",       "&Guardar",           "Save as",        "Guardar", 'a'},
  {Target::MenuItem, "Imprimir1",       "&Imprimir",          "Print",          "Imprimir", 'P'},
  {Target::MenuItem, "Informelaboratorio1", "In&forme del laboratorio…", "Laboratory report…", "Informe del laboratorio…", 'L'},
  {Target::MenuItem, "Salir1",          "&Salir",             "Exit",           "Salir", 'x'},
  {Target::MenuItem, "ArchivoExcel1",   "Archivo Excel",      "Excel File",     "Archivo Excel"},
  {Target::MenuItem, "Borrartodo1",     "&Borrar todo",       "Delete all",     "Borrar todo", 'a'},
  {Target::MenuItem, "Deshacer1",       "&Deshacer",          "Undo",           "Deshacer", 'U'},
  {Target::MenuItem, "Rehacer1",        "&Rehacer",           "Redo",           "Rehacer", 'R'},
  {Target::MenuItem, "Copiar1",         "&Copiar",            "Copy",           "Copiar", 'C'},
  {Target::MenuItem, "Borrarfilas1",    "Borrar &fila(s)",    "Delete row(s)",  "Borrar fila(s)", 'D'},
  {Target::MenuItem, "Detalles1",       "De&talles",          "Details",        "Detalles", 't'},
  {Target::MenuItem, "Nmerodemuestra1", "Número de &muestra", "Sample number",  "Número de muestra", 'S'},
  {Target::MenuItem, "Ayuda",           "A&yuda",             "Help",           "Ayuda", 'H'},
  {Target::MenuItem, "Acercade1",       "Acerca de TINTAVIS", "About TINTAVIS", "Acerca de"},
  // The colour difference window's item, at the end of "&Opciones".
  {Target::MenuItem, "Diferenciadecolor1", "Diferencia de color", "Colour difference", "Diferencia de color"},
  {Target::MenuItem, "Incertidumbre1",     "&Incertidumbre…",    "Uncertainty…",      "Incertidumbre…", 'U'},
  // Main window: input controls.
  {Target::MainWidget, "GroupBox1",    "Tipo de vino",           "Type of wine",        "Tipo de vino"},
  {Target::MainWidget, "RadioButton1", "Tinto, Rosado",          "Red, Rosé",           "Tinto, Rosado"},
  {Target::MainWidget, "RadioButton2", "Blanco, Brandy",         "White, Brandy",       "Blanco, Brandy"},
  {Target::MainWidget, "Label6",       "Nombre de la muestra",   "     Name of sample", "Nombre de la muestra"},
  {Target::MainWidget, "GroupBox2",    "Valores de absorbancia", "Absorbance values",   "Valores de absorbancia"},
  {Target::MainWidget, "Button1",      "Introducir valores",     "Input values",        "Introducir valores"},
  {Target::MainWidget, "Calcular",     "Calcular",               "Calculate",           "Calcular"},
  {Target::MainWidget, "Label11",      "Color aproximado",       "Approximate color",   "Color aproximado"},
  // The Help window's caption.
  {Target::HelpCaption, "Form3", "Ayuda de TINTAVIS", "TINTAVIS Help topics", "Ayuda de TINTAVIS"},
  // The numbering dialog.
  {Target::NumberingItem, "GroupBox1",    "Añadir número de orden a la muestra", "Add a number of order to the sample", "Añadir número de orden a la muestra"},
  {Target::NumberingItem, "RadioButton1", "Sí",              "Yes",         "Sí"},
  {Target::NumberingItem, "RadioButton2", "No",              "No",          "No"},
  {Target::NumberingItem, "Label1",       "Comenzar por...", "Start at...", "Comenzar por..."},
  // The popup menu.
  {Target::MenuItem, "Nuevo2",          "Nuevo",             "New",           "Nuevo"},
  {Target::MenuItem, "Abrir2",          "Abrir",             "Open",          "Abrir"},
  {Target::MenuItem, "Guardar2",        "Guardar",           "Save",          "Guardar"},
  {Target::MenuItem, "Imprimir2",       "Imprimir",          "Print",         "Imprimir"},
  {Target::MenuItem, "Salir2",          "Salir",             "Exit",          "Salir"},
  {Target::MenuItem, "Borrartodo2",     "Borrar todo",       "Delete all",    "Borrar todo"},
  {Target::MenuItem, "Borrarfilas2",    "Borrar fila(s)",    "Delete row(s)", "Borrar fila(s)"},
  {Target::MenuItem, "Detalles2",       "Detalles",          "Details",       "Detalles"},
  {Target::MenuItem, "Nmerodemuestra2", "Número de muestra", "Sample number", "Número de muestra"},
  {Target::MenuItem, "Ayuda2",          "Ayuda",             "Help",          "Ayuda"},
  // The quick entry window's caption; its prompt restarts at the first step of the language.
  {Target::QuickEntry, "Form6", "Introducir valores", "Input values", "Introducir valores"},
}};
// clang-format on

// The quick entry window's prompt at each of its four steps.
inline constexpr std::array<BilingualText, 4> kQuickEntryPrompts = {{
    {"Absorbancia a 450 nm", "Absorbance at 450 nm"},
    {"Absorbancia a 520 nm", "Absorbance at 520 nm"},
    {"Absorbancia a 570 nm", "Absorbance at 570 nm"},
    {"Absorbancia a 630 nm", "Absorbance at 630 nm"},
}};

// Window captions and labels no caption row switches: each window switches its own.
inline constexpr BilingualText kDifferenceWindowTitle = {"Diferencia de color", "Colour difference"};
inline constexpr BilingualText kDifferenceReferenceLabel = {"&Referencia:", "&Reference:"};
inline constexpr BilingualText kDifferenceCopyButton = {"Copiar", "Copy"};
// The quality control under the reference: a typed target, a tolerance, the difference and the rule.
inline constexpr BilingualText kCheckBox = {"Control de calidad", "Quality control"};
inline constexpr BilingualText kCheckTarget = {"&Objetivo (L*, a*, b*):", "&Target (L*, a*, b*):"};
inline constexpr BilingualText kCheckTolerance = {"To&lerancia:", "T&olerance:"};
inline constexpr BilingualText kCheckRule = {"Re&gla:", "R&ule:"};
// The uncertainty dialog of "Opciones".
inline constexpr BilingualText kUncertaintyTitle = {"Incertidumbre", "Uncertainty"};
inline constexpr BilingualText kUncertaintyAbsorbance = {
    "u(A), incertidumbre típica de cada absorbancia:", "u(A), standard uncertainty of each absorbance:"};
inline constexpr BilingualText kUncertaintyPath = {
    "u(d), incertidumbre típica del espesor de medida (mm):",
    "u(d), standard uncertainty of the measurement pathlength (mm):"};
inline constexpr BilingualText kUncertaintyNote = {
    "Con 0 o vacío no se calcula incertidumbre. U = 2u (k = 2, aproximadamente 95 %).",
    "With 0 or empty no uncertainty is computed. U = 2u (k = 2, about 95 %)."};
// A row's details: its tooltip and the read-only "Detalles" window.
inline constexpr BilingualText kDetailsTitle = {"Detalles", "Details"};
inline constexpr BilingualText kDetailsClose = {"Cerrar", "Close"};
inline constexpr BilingualText kDetailsWine = {"Tipo de vino: ", "Type of wine: "};
inline constexpr BilingualText kDetailsMeasurementPath = {"Espesor de medida: ", "Pathlength cell for measurement: "};
inline constexpr BilingualText kDetailsResultPath = {"Espesor de resultado: ", "Pathlength cell for result: "};
inline constexpr BilingualText kDetailsAbsorbances = {"Absorbancias: ", "Absorbances: "};
inline constexpr BilingualText kDetailsTime = {"Hora del cálculo: ", "Time of calculation: "};
inline constexpr BilingualText kDetailsOrigin = {"Origen: ", "Origin: "};
inline constexpr BilingualText kOriginCalculated = {"calculada con «Calcular»", "calculated with \"Calculate\""};
inline constexpr BilingualText kOriginOpened = {"abierta de un archivo de datos (sin datos de entrada)",
                                                "opened from a data file (no inputs)"};
inline constexpr BilingualText kOriginSpectrum = {"calculada de un espectro medido", "computed from a measured spectrum"};
inline constexpr BilingualText kEditedByHand = {"editado a mano", "edited by hand"};

// The spectra dialog, made at each "Abrir espectros" in the language of the moment.
inline constexpr BilingualText kSpectraDialogTitle = {"Abrir espectros", "Open spectra"};
inline constexpr BilingualText kSpectraWineBox = {"Tipo de vino", "Type of wine"};
inline constexpr BilingualText kSpectraRed = {"&Tinto, Rosado", "&Red, Rosé"};
inline constexpr BilingualText kSpectraWhite = {"&Blanco, Brandy", "&White, Brandy"};
inline constexpr BilingualText kSpectraMeasurement = {"Espesor de &medida", "Pathlength cell for &measurement"};
inline constexpr BilingualText kSpectraResult = {"Espesor de &resultado", "Pathlength cell for r&esult"};
inline constexpr BilingualText kSpectraValuesBox = {"Valores del archivo", "Values in the file"};
inline constexpr BilingualText kSpectraAbsorbance = {"&Absorbancia", "&Absorbance"};
inline constexpr BilingualText kSpectraTransmittance = {"Tra&nsmitancia (0 a 1)", "&Transmittance (0 to 1)"};
inline constexpr BilingualText kSpectraTransmittancePercent = {"Transmitancia en &porcentaje (0 a 100)",
                                                               "Transmittance in &percent (0 to 100)"};
inline constexpr BilingualText kSpectraOk = {"Aceptar", "OK"};
inline constexpr BilingualText kSpectraCancel = {"Cancelar", "Cancel"};
inline constexpr std::string_view kAboutWindowTitle = "Acerca de TINTAVIS";
inline constexpr std::string_view kNumberingDialogTitle = "Número de la muestra";

// The file dialogs: their titles and filters speak Spanish whatever the language; their labels
// and buttons follow it.
inline constexpr BilingualText kLookIn = {"Buscar en:", "Look in:"};
inline constexpr BilingualText kFileNameLabel = {"Nombre:", "File name:"};
inline constexpr BilingualText kFileTypeLabel = {"Tipo:", "Files of type:"};
inline constexpr BilingualText kCancelButton = {"Cancelar", "Cancel"};
inline constexpr BilingualText kOpenButton = {"Abrir", "Open"};
inline constexpr BilingualText kSaveButton = {"Guardar", "Save"};
inline constexpr std::string_view kExcelFilter = "Archivos Excel (*.xls)";
inline constexpr std::string_view kCalcFilter = "Archivos Calc (*.ods)";
inline constexpr std::string_view kSunOfficeFilter = "Archivos SunOffice (*.ods)";
inline constexpr std::string_view kAllFilesFilter = "Todos los archivos (*.*)";
inline constexpr std::string_view kInitialFileName = "Coordenadas";
inline constexpr std::string_view kOpenTitle = "Abrir un archivo";
inline constexpr std::string_view kOpenSpectraTitle = "Abrir espectros";
inline constexpr std::string_view kSpectraFilter = "Espectros (*.tsv *.txt *.csv)";
inline constexpr std::string_view kSaveTitle = "Guardar como";

// Qt's own texts of the file list that its Spanish catalogue leaves out (the type column of a
// folder): Qt's context and English text, and the Spanish the program gives them.
struct QtText {
  std::string_view context;
  std::string_view english;
  std::string_view spanish;
};
inline constexpr std::array<QtText, 4> kQtTextsBeyondItsCatalogue = {{
    {"QAbstractFileIconProvider", "Folder", "Carpeta"},
    {"QAbstractFileIconProvider", "Drive", "Unidad"},
    {"QAbstractFileIconProvider", "Shortcut", "Acceso directo"},
    {"QAbstractFileIconProvider", "Unknown", "Desconocido"},
}};

// Labels whose left edge moves with the language: start-up/Spanish and English positions.
struct MovingLabel {
  std::string_view name;
  int spanishLeft;
  int englishLeft;
  constexpr int LeftIn(Language language) const { return language == Language::English ? englishLeft : spanishLeft; }
};
inline constexpr std::array<MovingLabel, 2> kMovingLabels = {{{"Label4", 151, 120}, {"Label9", 148, 130}}};

// Texts no switch touches.
inline constexpr std::string_view kArchivoCalc = "Archivo Calc";
inline constexpr std::string_view kEnglishItem = "English";
inline constexpr std::string_view kSpanishItem = "Español";

// The start-up text of a caption (empty when there is none of that name and target).
constexpr std::string_view StartUp(Target target, std::string_view name) {
  for (const Caption& c : kCaptions) {
    if (c.target == target && c.name == name) return c.startUp;
  }
  return {};
}

// The text a switch to `language` writes into a caption (empty when there is none of that name
// and target).
constexpr std::string_view SwitchedTo(Target target, std::string_view name, Language language) {
  for (const Caption& c : kCaptions) {
    if (c.target == target && c.name == name) return c.In(language);
  }
  return {};
}

// The text a switch to `language` writes into `caption`, with its access key marked by "&": in
// Spanish where the start-up text marks it, in English before the first `englishKey` letter.
// Without a key the text is returned unmarked.
inline std::string Keyed(const Caption& caption, Language language) {
  std::string text(caption.In(language));
  std::size_t at = std::string::npos;
  if (language == Language::English) {
    if (caption.englishKey != 0) at = text.find(caption.englishKey);
  } else {
    const std::size_t mark = caption.startUp.find('&');
    std::string unmarked(caption.startUp);
    if (mark != std::string_view::npos) unmarked.erase(mark, 1);
    if (mark != std::string_view::npos && unmarked == text) at = mark;
  }
  if (at != std::string::npos) text.insert(at, 1, '&');
  return text;
}

}  // namespace tintavis::captions
