// The About window (Form2) and the Help window (Form3): the two help texts line by line, the
// panes that show them and the language switch between them, and both windows' layout, modality
// and hiding on close. Runs under the widget tests' main(), which creates the QApplication.
#include "gui/aboutwindow.h"
#include "gui/helpwindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFont>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QPalette>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>

#include <algorithm>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "logic/captions.h"
#include "logic/helptexts.h"

namespace tintavis {
namespace {

// ---- The help texts, as the user reads them -------------------------------------------------

// A topic of a help text: its heading and body lines, and how many empty lines come before it.
struct Topic {
  int emptyLinesBefore;
  std::vector<std::string> lines;
};

// clang-format off
const std::vector<Topic> kSpanishTopics = {
    {0, {"'Tipo de vino':",
         "Seleccionar un tipo de vino:'Tinto, Rosado' o 'Blanco, Brandy'"}},
    {1, {"'Nombre de la muestra':",
         "Escribir el nombre de la muestra. En 'Opciones|Número de muestra' puede activarse",
         "la opción de añadir un número de orden al nombre de la muestra. Si esta opción es 'Sí'",
         "y el nombre no se modifica, el número de orden se incrementa en una unidad",
         "cada vez que se ejecuta el cálculo."}},
    {1, {"'Espesor de medida':",
         "Escribir el espesor, en mm, de la cubeta usada durante el proceso de medida de",
         "la absorbancia."}},
    {1, {"'Espesor de resultado':",
         "Escriba el espesor, en mm, al que desea que se refiera el resultado."}},
    {1, {"'Valores de absorbancia':",
         "Hay que escribir los valores de la absorbancia a las longitudes de onda indicadas."}},
    {1, {"'Introducir valores'",
         "Presione esta tecla para introducir los valores de la absorbancia de un modo rápido y cómodo."}},
    {1, {"Haga click en 'Calcular' o presione 'Enter' para iniciar el cálculo."}},
    {1, {"En el menú principal se encuentran las siguientes opciones:"}},
    {1, {"'Archivo|Nuevo':",
         "Prepara la cuadrícula y la gráfica para la introducción de nuevos datos."}},
    {1, {"'Archivo|Abrir':",
         "Se recuperan los datos guardados previamente en un archivo con la extensión 'xls' o 'ods'",
         "y se muestran en la cuadrícula."}},
    {1, {"'Archivo|Guardar':",
         "Se guardan los datos actuales en un archivo Excel con la extensión 'xls' o en un archivo",
         "Calc con extensión 'ods'."}},
    {1, {"'Archivo|Imprimir':",
         "Se imprimen los valores de las coordenadas e índices que figuran en la cuadrícula."}},
    {1, {"'Archivo|Salir':",
         "Se cierra TINTAVIS."}},
    {1, {"'Edición|Borrar todo':",
         "Se borran los datos actuales."}},
    {1, {"'Opciones|Número de muestra':",
         "Se puede activar la opción de añadir un número de orden al nombre de la muestra.",
         "Si esta opción es 'Sí' y el nombre no se modifica, el número de orden se",
         "incrementa en una unidad cada vez que se ejecuta el cálculo."}},
    {1, {"'Idioma|English':",
         "Cambia el idioma del programa."}},
    {1, {"'Ayuda|Ayuda':",
         "Se abre la presente ayuda."}},
    {1, {"'Ayuda|Acerca de TINTAVIS':",
         "Información sobre TINTAVIS."}},
    {1, {"Menú desplegable:",
         "Pulsando el botón derecho del ratón se despliega un menú con las opciones",
         "más importantes del menú principal."}},
    {1, {"Espacio CIELAB:",
         "Las coordenadas de color se obtienen utilizando el espectro de transmitancia",
         "reconstruido a partir de los valores introducidos de las absorbancias (1).",
         "A medida que se calculan las coordenadas de color, se representan las posiciones",
         "de las muestras sobre el plano a*, b* y el eje L* (Claridad). El número que",
         "aparece es el que corresponde a la fila, en la cuadrícula, de la muestra considerada.",
         "Si alguna de estas muestras se ve ocultada por otra calculada más tarde,",
         "puede hacerse visible pulsando sobre cualquier celda de la fila correspondiente.",
         "Esto último se puede usar para visualizar muestras calculadas previamente y",
         "recuperadas de un archivo 'xls' o 'ods'."}},
    {1, {"Índices enológicos de color (OIV 2012):",
         "Para cada espesor de resultado seleccionado, la Intensidad se calcula sumando las",
         "absorbancias en las longitudes de onda 420, 520 y 620 nm de la muestra. La Tonalidad",
         "se obtiene dividiendo la absorbancia a 420 nm entre la absorbancia a 520 nm.",
         "Nota: La OIV recomienda calcular la Intensidad para un espesor óptico de 1 cm.",
         "La Tonalidad es la misma para cualquier espesor.",
         "La Intensidad y la Tonalidad se dan con tres cifras decimales."}},
    {1, {"Color aproximado:",
         "En este panel se muestra el color aproximado correspondiente a  las coordenadas de",
         "color obtenidas en cada caso. Se puede visualizar el color de una muestra previamente",
         "calculada pulsando sobre cualquier celda de la fila correspondiente."}},
};

const std::vector<Topic> kEnglishTopics = {
    {0, {"'Type of wine':",
         "Select a type of wine:' Red, Rosé' or 'White, Brandy'"}},
    {1, {"'Sample name':",
         "Type the name of the sample.",
         "In 'Options/Number of sample' you can activate the option to add an order number to the name",
         "of sample. If you select 'Yes' and the name is not modified, the number of sample increases",
         "one unit every time that the calculation is carried out."}},
    {1, {"'Pathlength cell of measurement':",
         "Type, in mm, the pathlength cell used to measure the spectral absorbances."}},
    {1, {"'Pathlength cell for the results':",
         "Type, in mm, the pathlength cell in which you must express the color of sample."}},
    {1, {"'Absorbance values':",
         "Type the absorbance values measured at the wavelengths selected."}},
    {1, {"'Input values'",
         "Click on in this button to input the absorbance values quickly and easily."}},
    {1, {"To run the computation click on 'Calculate' or press the 'Enter' key."}},
    {2, {"The main menu has the following options:"}},
    {1, {"'File/New':",
         "It prepares the grid and the graph for the introduction of new data."}},
    {1, {"'File/Open':",
         "A file with 'xls' or 'ods' extension is opened and its data are displayed in the grid."}},
    {1, {"'File/Save as':",
         "The current data are saved as a 'xls' or 'ods' file."}},
    {1, {"'File/Print Data':",
         "The current color coordinates and indexes values displayed on the screen are printed."}},
    {1, {"'File/Exit':",
         "TINTAVIS is closed."}},
    {1, {"'Edit/Delete all':",
         "The current data are eliminated."}},
    {3, {"'Options/ Number of sample':",
         "A new window opens allowing you to add a number of order to the name of the sample.",
         "If you choose 'Yes' and the name of the sample is the same for all, the number of",
         "order is increased in one unit every time that the calculation is carried out."}},
    {1, {"'Idioma/Español'",
         "Change the language of the program."}},
    {1, {"'Help/Help'",
         "The Help window opens"}},
    {1, {"'Help/About TINTAVIS':",
         "Information about TINTAVIS program."}},
    {1, {"Pop-up menu:",
         "Right click to open a pop menu with the most important options."}},
    {1, {"CIELAB space:",
         "Color coordinates are calculated using the reconstituted transmittance spectra starting",
         "from the four absorbance values typed. As the color coordinates are obtained, the",
         "positions of the sample on the a*b* plane and the L* axis (Lightness) are displayed.",
         "The number displayed corresponds to the sample in the grid.",
         "If any of these samples are masked by another sample calculated later, it can be made",
         "visible again by clicking on any cell in the corresponding row.",
         "This option can be used to visualize samples previously calculated and recovered from a",
         "'xls' or 'ods' file."}},
    {1, {"Oenological color indexes (O.I.V.  2012): ",
         "For the selected result pathlength, Intensity is calculated by adding the absorbance",
         "values at 420, 520 y 620 nm wavelengths. Shade is obtained by dividing the absorbance",
         "value at 420 nm by the absorbance at 520 nm.",
         "Note: The OIV recommends to calculate the Intensity at 1 cm pathlength cell. Shade is",
         "the same for any pathlength cell.",
         "Intensity and Shade are expressed to three decimal places."}},
    {1, {"Approximate color:",
         "As the color coordinates are calculated, an approximate color is displayed on the panel.",
         "The color of a sample previously calculated can be displayed by clicking on any cell in",
         "the corresponding row."}},
};
// clang-format on

const std::string kTitleLine = "\"TINTAVIS\u00AE\"";  // the name and the sign in straight quotes

// The whole text: the title line, an empty line, the topics with the empty lines before each,
// and an empty line at the end when `trailingEmptyLine`.
std::vector<std::string> TextLines(const std::vector<Topic>& topics, bool trailingEmptyLine) {
  std::vector<std::string> lines = {kTitleLine, ""};
  for (const Topic& topic : topics) {
    lines.insert(lines.end(), static_cast<std::size_t>(topic.emptyLinesBefore), "");
    lines.insert(lines.end(), topic.lines.begin(), topic.lines.end());
  }
  if (trailingEmptyLine) lines.emplace_back();
  return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += '\n';
    text += lines[i];
  }
  return text;
}

template <std::size_t N>
std::vector<std::string> AsStrings(const std::array<std::string_view, N>& lines) {
  return std::vector<std::string>(lines.begin(), lines.end());
}

std::vector<std::string> PaneLines(const QTextEdit& pane) {
  std::vector<std::string> lines;
  for (QTextBlock block = pane.document()->begin(); block.isValid(); block = block.next()) {
    lines.push_back(block.text().toStdString());
  }
  return lines;
}

struct HelpTextCase {
  const char* language;
  bool english;
  const char* paneName;
  std::vector<std::string> expected;
  std::size_t lineCount;  // counted by hand: 2 + headings + body lines + empty lines
  std::string lastLine;
  std::string lastTextLine;
};

void PrintTo(const HelpTextCase& c, std::ostream* os) { *os << c.language << " help"; }

// Spanish: 2 + 22 headings + 44 body lines + 22 empty lines (one after each topic) = 90.
// English: 2 + 22 headings + 39 body lines + 24 empty lines (21 between the topics, one more
// before topic 8 and two more before topic 15) = 87.
const std::vector<HelpTextCase>& HelpTextCases() {
  static const std::vector<HelpTextCase> cases = {
      {"Spanish", false, "RichEdit1", TextLines(kSpanishTopics, true), 90, "",
       "calculada pulsando sobre cualquier celda de la fila correspondiente."},
      {"English", true, "RichEdit2", TextLines(kEnglishTopics, false), 87, "the corresponding row.",
       "the corresponding row."},
  };
  return cases;
}

std::string LanguageName(const ::testing::TestParamInfo<HelpTextCase>& textInfo) {
  return textInfo.param.language;
}

std::vector<std::string> ProgramLines(bool english) {
  return english ? AsStrings(helptexts::kEnglishHelp) : AsStrings(helptexts::kSpanishHelp);
}

class HelpText : public ::testing::TestWithParam<HelpTextCase> {};

INSTANTIATE_TEST_SUITE_P(BothLanguages, HelpText, ::testing::ValuesIn(HelpTextCases()),
                         LanguageName);

TEST_P(HelpText, HasTheExpectedNumberOfLines) {
  const HelpTextCase& c = GetParam();
  EXPECT_EQ(c.expected.size(), c.lineCount);
  EXPECT_EQ(ProgramLines(c.english).size(), c.lineCount);
}

TEST_P(HelpText, MatchesTheTextLineByLine) {
  const HelpTextCase& c = GetParam();
  const std::vector<std::string> actual = ProgramLines(c.english);
  ASSERT_EQ(actual.size(), c.expected.size());
  for (std::size_t i = 0; i < actual.size(); ++i) {
    EXPECT_EQ(actual[i], c.expected[i]) << "line " << i + 1;
  }
}

TEST_P(HelpText, StartsWithTheQuotedNameAndAnEmptyLine) {
  const std::vector<std::string> actual = ProgramLines(GetParam().english);
  ASSERT_GE(actual.size(), 3u);
  EXPECT_EQ(actual[0], "\"TINTAVIS®\"");
  EXPECT_EQ(actual[1], "");
  EXPECT_NE(actual[2], "");
}

TEST_P(HelpText, EndsWithItsLastTopic) {
  const HelpTextCase& c = GetParam();
  const std::vector<std::string> actual = ProgramLines(c.english);
  ASSERT_GE(actual.size(), 2u);
  EXPECT_EQ(actual.back(), c.lastLine);
  const auto lastText = std::find_if(actual.rbegin(), actual.rend(),
                                     [](const std::string& line) { return !line.empty(); });
  ASSERT_NE(lastText, actual.rend());
  EXPECT_EQ(*lastText, c.lastTextLine);
}

TEST_P(HelpText, IsShownInItsPaneExactlyOneLinePerParagraph) {
  const HelpTextCase& c = GetParam();
  HelpWindow help;
  const auto* pane = help.findChild<QTextEdit*>(QString::fromLatin1(c.paneName));
  ASSERT_NE(pane, nullptr);
  EXPECT_EQ(pane->toPlainText().toStdString(), Joined(c.expected));
  EXPECT_EQ(static_cast<std::size_t>(pane->document()->blockCount()), c.lineCount);
  const std::vector<std::string> shown = PaneLines(*pane);
  ASSERT_EQ(shown.size(), c.expected.size());
  for (std::size_t i = 0; i < shown.size(); ++i) {
    EXPECT_EQ(shown[i], c.expected[i]) << "line " << i + 1;
  }
}

TEST(HelpPanes, SpanishEndsWithAnEmptyLineAfterItsLastTopic) {
  HelpWindow help;
  const QString text = help.SpanishPane()->toPlainText();
  EXPECT_TRUE(text.endsWith(QStringLiteral("fila correspondiente.\n")));
  EXPECT_FALSE(text.endsWith(QStringLiteral("\n\n")));
}

TEST(HelpPanes, EnglishEndsWithoutALineBreak) {
  HelpWindow help;
  EXPECT_TRUE(help.EnglishPane()->toPlainText().endsWith(QStringLiteral("the corresponding row.")));
}

// Single lines whose blanks and quotes are easily lost.
struct ExactLineCase {
  const char* name;
  bool english;
  const char* line;
};

void PrintTo(const ExactLineCase& c, std::ostream* os) { *os << '"' << c.line << '"'; }

class HelpTextLine : public ::testing::TestWithParam<ExactLineCase> {};

INSTANTIATE_TEST_SUITE_P(
    BlanksAndQuotes, HelpTextLine,
    ::testing::Values(
        ExactLineCase{"TwoBlanksBeforeLas", false,
                      "En este panel se muestra el color aproximado correspondiente a  las "
                      "coordenadas de"},
        ExactLineCase{"NoBlankAfterTheColon", false,
                      "Seleccionar un tipo de vino:'Tinto, Rosado' o 'Blanco, Brandy'"},
        ExactLineCase{"TwoBlanksBefore2012AndOneAtTheEnd", true,
                      "Oenological color indexes (O.I.V.  2012): "},
        ExactLineCase{"BlankInsideTheQuote", true,
                      "Select a type of wine:' Red, Rosé' or 'White, Brandy'"},
        ExactLineCase{"BlankAfterTheSlash", true, "'Options/ Number of sample':"},
        ExactLineCase{"NoFinalStop", true, "The Help window opens"}),
    [](const ::testing::TestParamInfo<ExactLineCase>& lineInfo) {
      return std::string(lineInfo.param.name);
    });

TEST_P(HelpTextLine, AppearsExactlyOnceInThePane) {
  const ExactLineCase& c = GetParam();
  HelpWindow help;
  const QTextEdit* pane = c.english ? help.EnglishPane() : help.SpanishPane();
  const std::vector<std::string> lines = PaneLines(*pane);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), std::string(c.line)), 1);
}

// The number of empty lines right before the line `heading` of `lines`.
int EmptyLinesBefore(const std::vector<std::string>& lines, const std::string& heading) {
  const auto at = std::find(lines.begin(), lines.end(), heading);
  if (at == lines.end()) return -1;
  int count = 0;
  for (auto it = at; it != lines.begin() && (it - 1)->empty(); --it) ++count;
  return count;
}

struct SpacingCase {
  bool english;
  const char* heading;
  int emptyLines;
};

void PrintTo(const SpacingCase& c, std::ostream* os) { *os << c.heading; }

class HelpTopicSpacing : public ::testing::TestWithParam<SpacingCase> {};

INSTANTIATE_TEST_SUITE_P(
    Headings, HelpTopicSpacing,
    ::testing::Values(SpacingCase{false, "'Tipo de vino':", 1},
                      SpacingCase{false, "En el menú principal se encuentran las siguientes opciones:", 1},
                      SpacingCase{false, "'Opciones|Número de muestra':", 1},
                      SpacingCase{false, "Color aproximado:", 1},
                      SpacingCase{true, "'Type of wine':", 1},
                      SpacingCase{true, "The main menu has the following options:", 2},
                      SpacingCase{true, "'File/New':", 1},
                      SpacingCase{true, "'Options/ Number of sample':", 3},
                      SpacingCase{true, "'Idioma/Español'", 1},
                      SpacingCase{true, "Approximate color:", 1}));

TEST_P(HelpTopicSpacing, HeadingFollowsItsEmptyLines) {
  const SpacingCase& c = GetParam();
  HelpWindow help;
  EXPECT_EQ(EmptyLinesBefore(PaneLines(c.english ? *help.EnglishPane() : *help.SpanishPane()),
                             c.heading),
            c.emptyLines);
}

// ---- Help window ----------------------------------------------------------------------------

// Shows `window` through its ShowModal() and waits until it is the active window.
template <typename Window>
bool ShowAndActivate(Window& window) {
  window.ShowModal();
  return QTest::qWaitForWindowActive(&window, 3000);
}

TEST(HelpWindow, StartsHiddenInSpanish) {
  HelpWindow help;
  EXPECT_EQ(help.objectName(), QStringLiteral("Form3"));
  EXPECT_FALSE(help.isVisible());
  EXPECT_EQ(help.windowTitle(), QStringLiteral("Ayuda de TINTAVIS"));
  EXPECT_FALSE(help.SpanishPane()->isHidden());
  EXPECT_TRUE(help.EnglishPane()->isHidden());
}

struct LanguageCase {
  const char* name;
  bool english;
  const char* caption;
  bool spanishPaneShown;
};

void PrintTo(const LanguageCase& c, std::ostream* os) { *os << c.name; }

class HelpWindowLanguage : public ::testing::TestWithParam<LanguageCase> {};

INSTANTIATE_TEST_SUITE_P(
    Switches, HelpWindowLanguage,
    ::testing::Values(LanguageCase{"English", true, "TINTAVIS Help topics", false},
                      LanguageCase{"Spanish", false, "Ayuda de TINTAVIS", true}),
    [](const ::testing::TestParamInfo<LanguageCase>& languageInfo) {
      return std::string(languageInfo.param.name);
    });

TEST_P(HelpWindowLanguage, SetsTheCaptionAndShowsOnlyThePaneOfTheLanguage) {
  const LanguageCase& c = GetParam();
  HelpWindow help;
  const Language language = c.english ? Language::English : Language::Spanish;
  help.ApplyLanguage(c.english ? Language::Spanish : Language::English);  // start from the other language
  help.ApplyLanguage(language);
  EXPECT_EQ(help.windowTitle(), QString::fromUtf8(c.caption));
  EXPECT_EQ(!help.SpanishPane()->isHidden(), c.spanishPaneShown);
  EXPECT_EQ(!help.EnglishPane()->isHidden(), !c.spanishPaneShown);
  ASSERT_TRUE(ShowAndActivate(help));
  EXPECT_EQ(help.SpanishPane()->isVisible(), c.spanishPaneShown);
  EXPECT_EQ(help.EnglishPane()->isVisible(), !c.spanishPaneShown);
}

TEST(HelpWindow, IsAResizableWindowKeptOnTop) {
  HelpWindow help;
  EXPECT_TRUE(help.isWindow());
  EXPECT_TRUE(help.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_NE(help.minimumSize(), help.maximumSize());
  EXPECT_FALSE(help.testAttribute(Qt::WA_DeleteOnClose));
  EXPECT_FALSE(help.testAttribute(Qt::WA_QuitOnClose));
}

TEST(HelpWindow, StartsAt229By150WithRoomFor489By331WithItsFrame) {
  HelpWindow help;
  EXPECT_EQ(help.pos(), QPoint(229, 150));
  EXPECT_EQ(help.size(), QSize(489 - 16, 331 - 39));
  ASSERT_TRUE(ShowAndActivate(help));
  EXPECT_EQ(help.size(), QSize(489 - 16, 331 - 39));
}

TEST(HelpWindow, BackgroundIsTheTooltipColour) {
  HelpWindow help;
  EXPECT_TRUE(help.autoFillBackground());
  EXPECT_EQ(help.palette().color(QPalette::Window),
            QApplication::palette().color(QPalette::ToolTipBase));
}

TEST(HelpWindow, SpanishPaneIsReadOnlyAndEnglishPaneIsEditable) {
  HelpWindow help;
  EXPECT_TRUE(help.SpanishPane()->isReadOnly());
  EXPECT_FALSE(help.EnglishPane()->isReadOnly());
}

TEST(HelpWindow, TypingIntoTheSpanishPaneChangesNothing) {
  HelpWindow help;
  ASSERT_TRUE(ShowAndActivate(help));
  const QString before = help.SpanishPane()->toPlainText();
  help.SpanishPane()->setFocus();
  QTest::keyClicks(help.SpanishPane(), QStringLiteral("xyz"));
  QTest::keyClick(help.SpanishPane(), Qt::Key_Delete);
  EXPECT_EQ(help.SpanishPane()->toPlainText(), before);
}

TEST(HelpWindow, PanesScrollVerticallyAndWrapLongLinesInsteadOfScrollingSideways) {
  HelpWindow help;
  for (const QTextEdit* pane : {help.SpanishPane(), help.EnglishPane()}) {
    EXPECT_EQ(pane->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    EXPECT_EQ(pane->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(pane->lineWrapMode(), QTextEdit::WidgetWidth);
  }
}

TEST(HelpWindow, NarrowWindowWrapsTheLongestLineAndShowsTheVerticalScrollBar) {
  HelpWindow help;
  help.resize(250, 200);
  ASSERT_TRUE(ShowAndActivate(help));
  const QTextEdit* pane = help.SpanishPane();
  const QTextBlock longLine = pane->document()->findBlockByNumber(7);
  ASSERT_TRUE(longLine.text().startsWith(QStringLiteral("la opción de añadir")));
  ASSERT_NE(longLine.layout(), nullptr);
  EXPECT_GT(longLine.layout()->lineCount(), 1);
  EXPECT_FALSE(pane->horizontalScrollBar()->isVisible());
  EXPECT_TRUE(pane->verticalScrollBar()->isVisible());
}

TEST(HelpWindow, VisiblePaneFillsTheClientAreaAndFollowsItsSize) {
  for (const Language language : {Language::Spanish, Language::English}) {
    HelpWindow help;
    help.ApplyLanguage(language);
    ASSERT_TRUE(ShowAndActivate(help));
    const bool english = language == Language::English;
    const QTextEdit* pane = english ? help.EnglishPane() : help.SpanishPane();
    EXPECT_EQ(pane->geometry(), help.rect()) << (english ? "English" : "Spanish");
    help.resize(640, 420);
    EXPECT_EQ(help.size(), QSize(640, 420));
    EXPECT_EQ(pane->geometry(), QRect(0, 0, 640, 420)) << (english ? "English" : "Spanish");
    help.resize(300, 200);
    EXPECT_EQ(pane->geometry(), QRect(0, 0, 300, 200)) << (english ? "English" : "Spanish");
  }
}

TEST(HelpWindow, PaneSwitchedInWhileOpenFillsTheWindow) {
  HelpWindow help;
  ASSERT_TRUE(ShowAndActivate(help));
  help.resize(500, 350);
  help.ApplyLanguage(Language::English);
  QApplication::processEvents();  // the layout places the newly shown pane
  EXPECT_EQ(help.EnglishPane()->geometry(), QRect(0, 0, 500, 350));
}

TEST(HelpWindow, SpanishPaneTurnsPaleYellowOnActivationAndEnglishPaneKeepsTheSystemColour) {
  HelpWindow help;
  const QColor systemBase = QApplication::palette().color(QPalette::Base);
  ASSERT_NE(systemBase, QColor(255, 255, 235));
  EXPECT_EQ(help.SpanishPane()->palette().color(QPalette::Base), systemBase);
  ASSERT_TRUE(ShowAndActivate(help));
  EXPECT_EQ(help.SpanishPane()->palette().color(QPalette::Base), QColor(255, 255, 235));
  EXPECT_EQ(help.EnglishPane()->palette().color(QPalette::Base), systemBase);
}

TEST(HelpWindow, WindowActivateEventRunsFormActivate) {
  HelpWindow help;
  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(&help, &activate);
  EXPECT_EQ(help.SpanishPane()->palette().color(QPalette::Base), QColor(255, 255, 235));
}

TEST(HelpWindow, ShowModalReturnsAtOnceWithAnApplicationModalWindow) {
  HelpWindow help;
  help.ShowModal();
  EXPECT_TRUE(help.isVisible());
  EXPECT_EQ(help.windowModality(), Qt::ApplicationModal);
  EXPECT_EQ(QApplication::activeModalWidget(), &help);
  help.close();
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(HelpWindow, CloseBoxOnlyHidesTheWindow) {
  QPointer<HelpWindow> help = new HelpWindow;
  ASSERT_TRUE(ShowAndActivate(*help));
  EXPECT_TRUE(help->close());
  QApplication::processEvents();
  ASSERT_FALSE(help.isNull());
  EXPECT_FALSE(help->isVisible());
  delete help.data();
}

TEST(HelpWindow, EscapeInEitherPaneOnlyHidesTheWindow) {
  for (const Language language : {Language::Spanish, Language::English}) {
    QPointer<HelpWindow> help = new HelpWindow;
    help->ApplyLanguage(language);
    help->ShowModal();
    ASSERT_TRUE(QTest::qWaitForWindowActive(help.data()));
    QTextEdit* pane = language == Language::English ? help->EnglishPane() : help->SpanishPane();
    QTest::keyClick(pane, Qt::Key_Escape);
    ASSERT_FALSE(help.isNull());
    EXPECT_FALSE(help->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    delete help.data();
  }
}

TEST(HelpWindow, ReopensWithItsSizeScrollPositionAndTypingKept) {
  HelpWindow help;
  help.ApplyLanguage(Language::English);
  ASSERT_TRUE(ShowAndActivate(help));
  help.resize(520, 300);
  QTextEdit* pane = help.EnglishPane();
  pane->setFocus();
  QTest::keyClicks(pane, QStringLiteral("notes "));
  ASSERT_TRUE(pane->toPlainText().startsWith(QStringLiteral("notes \"TINTAVIS")));
  QScrollBar* bar = pane->verticalScrollBar();
  ASSERT_GT(bar->maximum(), 40);
  bar->setValue(40);

  help.close();
  ASSERT_FALSE(help.isVisible());
  ASSERT_TRUE(ShowAndActivate(help));

  EXPECT_EQ(help.size(), QSize(520, 300));
  EXPECT_EQ(help.pos(), QPoint(229, 150));
  EXPECT_EQ(bar->value(), 40);
  EXPECT_TRUE(pane->toPlainText().startsWith(QStringLiteral("notes \"TINTAVIS")));
  EXPECT_EQ(pane->document()->blockCount(), 87);
}

// ---- About window ---------------------------------------------------------------------------

template <typename T>
T* Child(const QWidget& window, const char* name) {
  return window.findChild<T*>(QString::fromLatin1(name));
}

const QColor kPurple(128, 0, 128);

TEST(AboutWindow, IsCaptionedAcercaDeTintavisAndNoLanguageSwitchRewritesIt) {
  AboutWindow about;
  EXPECT_EQ(about.objectName(), QStringLiteral("Form2"));
  EXPECT_EQ(about.windowTitle(), QStringLiteral("Acerca de TINTAVIS"));
  for (const captions::Caption& caption : captions::kCaptions) {
    EXPECT_NE(caption.name, "Form2");
  }
  ASSERT_TRUE(ShowAndActivate(about));
  EXPECT_EQ(about.windowTitle(), QStringLiteral("Acerca de TINTAVIS"));
}

TEST(AboutWindow, StartsHiddenAt227By200) {
  AboutWindow about;
  EXPECT_FALSE(about.isVisible());
  EXPECT_EQ(about.pos(), QPoint(227, 200));
  ASSERT_TRUE(ShowAndActivate(about));
  EXPECT_EQ(about.pos(), QPoint(227, 200));
}

TEST(AboutWindow, HasAFixedClientAreaOf352By228AndIsKeptOnTop) {
  AboutWindow about;
  EXPECT_EQ(about.size(), QSize(352, 228));
  EXPECT_EQ(about.minimumSize(), QSize(352, 228));
  EXPECT_EQ(about.maximumSize(), QSize(352, 228));
  EXPECT_FALSE(about.isSizeGripEnabled());
  EXPECT_TRUE(about.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_FALSE(about.testAttribute(Qt::WA_DeleteOnClose));
  EXPECT_FALSE(about.testAttribute(Qt::WA_QuitOnClose));
}

TEST(AboutWindow, PanelIsSunkenAt5By5Of344By175) {
  AboutWindow about;
  const auto* panel = Child<QFrame>(about, "Panel1");
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->geometry(), QRect(5, 5, 344, 175));
  EXPECT_EQ(panel->frameShadow(), QFrame::Sunken);
  EXPECT_EQ(panel->frameShape(), QFrame::Panel);
}

struct NameLabelCase {
  const char* name;
  const char* text;
  int pixelSize;
};

void PrintTo(const NameLabelCase& c, std::ostream* os) { *os << c.name << " \"" << c.text << '"'; }

class AboutNameLabel : public ::testing::TestWithParam<NameLabelCase> {};

INSTANTIATE_TEST_SUITE_P(NameAndSign, AboutNameLabel,
                         ::testing::Values(NameLabelCase{"Label1", "TINTAVIS", 27},
                                           NameLabelCase{"Label2", "®", 13}),
                         [](const ::testing::TestParamInfo<NameLabelCase>& labelInfo) {
                           return std::string(labelInfo.param.name);
                         });

TEST_P(AboutNameLabel, IsBoldPurpleVerdanaOfItsPixelSizeOnThePanel) {
  const NameLabelCase& c = GetParam();
  AboutWindow about;
  const auto* label = Child<QLabel>(about, c.name);
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->text(), QString::fromUtf8(c.text));
  EXPECT_EQ(label->font().family(), QStringLiteral("Verdana"));
  EXPECT_TRUE(label->font().bold());
  EXPECT_EQ(label->font().pixelSize(), c.pixelSize);
  EXPECT_EQ(label->palette().color(QPalette::WindowText), kPurple);
  EXPECT_EQ(label->parentWidget(), Child<QFrame>(about, "Panel1"));
  EXPECT_EQ(label->y(), 18);
}

TEST(AboutWindow, NameStartsAt176By18AndTheSignFollowsItInsideThePanel) {
  AboutWindow about;
  const auto* name = Child<QLabel>(about, "Label1");
  const auto* sign = Child<QLabel>(about, "Label2");
  ASSERT_NE(name, nullptr);
  ASSERT_NE(sign, nullptr);
  EXPECT_EQ(name->pos(), QPoint(176, 18));
  const int nameEnd = name->x() + QFontMetrics(name->font()).horizontalAdvance(name->text());
  const int insideRight = 344 - 2;
  EXPECT_EQ(sign->y(), name->y());
  EXPECT_GE(sign->x(), qMin(nameEnd, insideRight - sign->width() - 1));
  EXPECT_LE(sign->geometry().right(), insideRight);
}

TEST(AboutWindow, ShowsTheLogoIn70By67BoxAt39By7) {
  AboutWindow about;
  const auto* image = Child<QLabel>(about, "Image1");
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->geometry(), QRect(39, 7, 70, 67));
  const QPixmap pixmap = image->pixmap();
  ASSERT_FALSE(pixmap.isNull());
  // 67 * 341 / 379 = 60.28: the logo fills the box's height.
  EXPECT_EQ(pixmap.deviceIndependentSize().toSize(), QSize(60, 67));
}

TEST(AboutWindow, CreditsInSpanishFillThePanelBelowTheLogoWithTheVersion) {
  AboutWindow about;
  const auto* panel = Child<QFrame>(about, "Panel1");
  ASSERT_NE(panel, nullptr);
  const QRect inside = panel->rect().adjusted(2, 2, -2, -2);
  std::vector<QString> texts;
  for (const QLabel* label : panel->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
    const QString name = label->objectName();
    if (name == QLatin1String("Label1") || name == QLatin1String("Label2") ||
        name == QLatin1String("Image1")) {
      continue;
    }
    texts.push_back(label->text());
    EXPECT_FALSE(label->text().isEmpty()) << name.toStdString();
    EXPECT_TRUE(inside.contains(label->geometry())) << name.toStdString();
    EXPECT_GT(label->y(), 7 + 67) << name.toStdString();
  }
  ASSERT_GE(texts.size(), 3u);
  EXPECT_NE(std::find(texts.begin(), texts.end(), QStringLiteral("Versión 0.1")), texts.end());
}

TEST(AboutWindow, OkButtonIsTheDefaultButtonAt134By194) {
  AboutWindow about;
  const auto* button = Child<QPushButton>(about, "Button1");
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button, about.OkButton());
  EXPECT_EQ(button->text(), QStringLiteral("OK"));
  EXPECT_EQ(button->geometry(), QRect(134, 194, 75, 25));
  EXPECT_TRUE(button->isDefault());
}

TEST(AboutWindow, ShowModalReturnsAtOnceWithAnApplicationModalWindow) {
  AboutWindow about;
  about.ShowModal();
  EXPECT_TRUE(about.isVisible());
  EXPECT_TRUE(about.isModal());
  EXPECT_EQ(about.windowModality(), Qt::ApplicationModal);
  EXPECT_EQ(QApplication::activeModalWidget(), &about);
  about.close();
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// How each way of closing the About window is done.
struct CloseCase {
  const char* name;
  void (*close)(AboutWindow&);
};

void PrintTo(const CloseCase& c, std::ostream* os) { *os << c.name; }

class AboutWindowClosing : public ::testing::TestWithParam<CloseCase> {};

INSTANTIATE_TEST_SUITE_P(
    Ways, AboutWindowClosing,
    ::testing::Values(
        CloseCase{"EnterKey",
                  [](AboutWindow& about) {
                    QWidget* target = QApplication::focusWidget();
                    QTest::keyClick(target != nullptr ? target : &about, Qt::Key_Return);
                  }},
        CloseCase{"EnterOnTheDialog",
                  [](AboutWindow& about) { QTest::keyClick(&about, Qt::Key_Enter); }},
        CloseCase{"OkButton",
                  [](AboutWindow& about) {
                    QTest::mouseClick(about.OkButton(), Qt::LeftButton);
                  }},
        CloseCase{"CloseBox", [](AboutWindow& about) { about.close(); }},
        CloseCase{"EscapeKey", [](AboutWindow& about) { QTest::keyClick(&about, Qt::Key_Escape); }}),
    [](const ::testing::TestParamInfo<CloseCase>& closeInfo) {
      return std::string(closeInfo.param.name);
    });

TEST_P(AboutWindowClosing, HidesTheWindowAndItOpensAgainAsItWas) {
  QPointer<AboutWindow> about = new AboutWindow;
  ASSERT_TRUE(ShowAndActivate(*about));
  GetParam().close(*about);
  EXPECT_TRUE(QTest::qWaitFor([&] { return about.isNull() || !about->isVisible(); }, 2000));
  ASSERT_FALSE(about.isNull());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

  ASSERT_TRUE(ShowAndActivate(*about));
  EXPECT_EQ(about->pos(), QPoint(227, 200));
  EXPECT_EQ(about->size(), QSize(352, 228));
  EXPECT_EQ(about->windowTitle(), QStringLiteral("Acerca de TINTAVIS"));
  delete about.data();
}

// ---- Both windows block the rest of the program while open ----------------------------------

// A stand-in for the main window: one button that counts its clicks.
class OtherWindow {
 public:
  OtherWindow() : button_(new QPushButton(QStringLiteral("Calcular"), &window_)) {
    window_.resize(200, 100);
    window_.move(600, 500);
    button_->setGeometry(20, 20, 120, 30);
    QObject::connect(button_, &QPushButton::clicked, [this] { ++clicks_; });
    window_.show();
  }

  bool WaitExposed() { return QTest::qWaitForWindowExposed(&window_, 3000); }

  // A click as the window system delivers it, through the window's handle.
  void ClickButton() {
    QTest::mouseClick(window_.windowHandle(), Qt::LeftButton, {},
                      button_->geometry().center());
    QApplication::processEvents();
  }

  int clicks() const { return clicks_; }

 private:
  QWidget window_;
  QPushButton* button_;
  int clicks_ = 0;
};

template <typename Window>
void ExpectOtherWindowBlockedWhileOpen(Window& window) {
  OtherWindow other;
  ASSERT_TRUE(other.WaitExposed());
  other.ClickButton();
  ASSERT_EQ(other.clicks(), 1);  // the stand-in reacts while nothing modal is open

  ASSERT_TRUE(ShowAndActivate(window));
  other.ClickButton();
  EXPECT_EQ(other.clicks(), 1);

  window.close();
  ASSERT_FALSE(window.isVisible());
  other.ClickButton();
  EXPECT_EQ(other.clicks(), 2);
}

TEST(AboutWindow, OtherWindowsTakeNoInputWhileItIsOpen) {
  AboutWindow about;
  ExpectOtherWindowBlockedWhileOpen(about);
}

TEST(HelpWindow, OtherWindowsTakeNoInputWhileItIsOpen) {
  HelpWindow help;
  ExpectOtherWindowBlockedWhileOpen(help);
}

}  // namespace
}  // namespace tintavis
