// The main window through its real widgets: keys typed into the fields, Enter, clicks on the
// grid, the menus' actions.
#include "gui/mainwindow.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableView>
#include <QSignalSpy>
#include <QTest>

#include "gui/chartimages.h"
#include "logic/tooltips.h"
#include "tests/support/recordingmessenger.h"

namespace {

using tintavis::Language;
using tintavis::MainWindow;
using tintavis::MessageDisplay;

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window.SetDecimalSeparator('.');
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  }

  template <typename T>
  T* Find(const char* name) {
    T* w = window.findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  QLineEdit* Field(const char* name) { return Find<QLineEdit>(name); }

  void Type(const char* field, const QString& text) {
    QLineEdit* e = Field(field);
    e->setFocus();
    e->selectAll();
    QTest::keyClicks(e, text);
  }

  // Fills the fields with the keyboard and presses Enter in the last absorbance field.
  void TypeSample(const QString& name, const QString& d, const QString& r, const QStringList& a) {
    Type("NomMuestra", name);
    Type("Espesor", d);
    Type("referido", r);
    const char* fields[4] = {"PrimLong", "SegLong", "TercLong", "CuartLong"};
    for (int k = 0; k < 4; ++k) Type(fields[k], a[k]);
    QTest::keyClick(Field("CuartLong"), Qt::Key_Return);
  }
  void TypeRedReference(const QString& name = "M") {
    TypeSample(name, "2", "10", {"0.5", "0.8", "0.6", "0.2"});
  }

  QString GridText(int storeRow, int column) {
    auto* grid = Find<QTableView>("Resultados1");
    return grid->model()->index(storeRow - 1, column).data().toString();
  }

  // Whether any pure red pixel lies in the box of a label drawn at `at`.
  static bool RedLabelAt(const QImage& image, QPoint at) {
    for (int y = at.y(); y < at.y() + 12 && y < image.height(); ++y) {
      for (int x = at.x(); x < at.x() + 14 && x < image.width(); ++x) {
        if (x >= 0 && y >= 0 && image.pixelColor(x, y) == QColor(255, 0, 0)) return true;
      }
    }
    return false;
  }

  void ClickCell(int storeRow, int column) {
    auto* grid = Find<QTableView>("Resultados1");
    const QRect cell = grid->visualRect(grid->model()->index(storeRow - 1, column));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
  }

  tintavis::testing::RecordingMessenger messages;
  MainWindow window;
};

TEST_F(MainWindowTest, RedReferenceTypedWithEnterFillsRowOneTheChartsAndTheSwatch) {
  TypeRedReference();
  ASSERT_TRUE(messages.messages.empty());
  const QStringList expected = {"M ", "3.213", "1.403", "0.368", "12.0", "43.99", "20.37", "41.24", "15.31", "7.400", "0.533"};
  for (int c = 1; c <= 11; ++c) EXPECT_EQ(GridText(1, c), expected[c - 1]) << c;
  EXPECT_EQ(GridText(1, 0), "1");
  EXPECT_EQ(window.Session().NextRow(), 2);
  EXPECT_EQ(window.SwatchColourShown(), QColor(93, 21, 28));
  EXPECT_TRUE(RedLabelAt(window.Charts().AbChart(), {187, 196}));
  EXPECT_TRUE(RedLabelAt(window.Charts().LScale(), {20, 248}));
  // The fields keep their texts for the next sample.
  EXPECT_EQ(Field("PrimLong")->text(), "0.5");
  // What the charts' controls show is what was drawn.
  EXPECT_EQ(Find<QLabel>("Imagen")->pixmap().toImage().pixelColor(190, 200),
            window.Charts().AbChart().pixelColor(190, 200));
}

TEST_F(MainWindowTest, WhiteWineShowsDashes) {
  Find<QRadioButton>("RadioButton2")->click();
  TypeSample("", "10", "10", {"0.1", "0.05", "0.04", "0.03"});
  EXPECT_EQ(GridText(1, 1), " ");
  EXPECT_EQ(GridText(1, 2), "84.560");
  EXPECT_EQ(GridText(1, 10), "  --");
  EXPECT_EQ(GridText(1, 11), "  --");
}

TEST_F(MainWindowTest, MissingFieldsArePromptedInOrderAndTakeTheFocus) {
  QTest::keyClick(Field("NomMuestra"), Qt::Key_Return);
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].display, MessageDisplay::Prompt);
  EXPECT_EQ(messages.messages[0].text, "¿Espesor de la cubeta de medida?");
  EXPECT_TRUE(Field("Espesor")->hasFocus());

  QTest::keyClicks(Field("Espesor"), "2");
  QTest::keyClick(Field("Espesor"), Qt::Key_Enter);
  EXPECT_EQ(messages.messages.back().text, "¿Espesor de resultado?");
  EXPECT_TRUE(Field("referido")->hasFocus());

  QTest::keyClicks(Field("referido"), "10");
  QTest::keyClick(Field("referido"), Qt::Key_Return);
  EXPECT_EQ(messages.messages.back().text, "¿Absorbancia a 450 nm?");
  EXPECT_TRUE(Field("PrimLong")->hasFocus());
  EXPECT_EQ(window.Session().NextRow(), 1);
}

TEST_F(MainWindowTest, OutOfRangeEmptiesTheAbsorbancesAndFocusesInputValues) {
  TypeSample("M", "2", "10", {"0.5", "0.1", "0.6", "0.2"});
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].display, MessageDisplay::ErrorDisplay);
  EXPECT_EQ(messages.messages[0].text, "Color fuera de rango. Introduzca nuevos valores.");
  for (const char* f : {"PrimLong", "SegLong", "TercLong", "CuartLong"}) EXPECT_EQ(Field(f)->text(), "") << f;
  EXPECT_EQ(Field("NomMuestra")->text(), "M");
  EXPECT_EQ(Field("Espesor")->text(), "2");
  EXPECT_TRUE(Find<QPushButton>("Button1")->hasFocus());
  EXPECT_EQ(GridText(1, 1), "");
  EXPECT_EQ(window.Session().NextRow(), 1);
}

TEST_F(MainWindowTest, AConversionErrorLeavesTheFieldsAndTheFocusAsTheyWere) {
  TypeSample("M", "2.5", "10", {"0.5", "0.8", "0.6", "0.2"});
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].text, "'2.5' is not a valid integer value.");
  EXPECT_EQ(Field("Espesor")->text(), "2.5");
  EXPECT_EQ(Field("CuartLong")->text(), "0.2");
  EXPECT_TRUE(Field("CuartLong")->hasFocus());
}

TEST_F(MainWindowTest, EnterOnTheWineTypeRunsCalcularToo) {
  TypeRedReference();
  auto* radio = Find<QRadioButton>("RadioButton1");
  radio->setFocus();
  QTest::keyClick(radio, Qt::Key_Return);
  EXPECT_EQ(window.Session().NextRow(), 3);
}

TEST_F(MainWindowTest, GridGrowsWithTheThirteenthSampleAndClearAllShrinksItQuietly) {
  auto* grid = Find<QTableView>("Resultados1");
  for (int i = 1; i <= 12; ++i) TypeRedReference();
  EXPECT_EQ(grid->model()->rowCount(), 12);
  TypeRedReference();
  EXPECT_EQ(grid->model()->rowCount(), 13);
  for (int i = 14; i <= 20; ++i) TypeRedReference();
  EXPECT_EQ(GridText(20, 1), "M ");

  ClickCell(20, 3);  // the user selects a cell far down, then clears
  const std::size_t before = messages.messages.size();
  window.findChild<QAction*>("Borrartodo1")->trigger();
  EXPECT_EQ(grid->model()->rowCount(), 12);
  EXPECT_EQ(grid->currentIndex().row(), 11);  // moved up into row 12, redisplaying nothing
  EXPECT_EQ(messages.messages.size(), before);
  EXPECT_EQ(GridText(1, 1), "");
  EXPECT_EQ(GridText(12, 0), "12");
  EXPECT_EQ(Field("NomMuestra")->text(), "");
  EXPECT_TRUE(Field("NomMuestra")->hasFocus());
  EXPECT_EQ(window.Session().NextRow(), 1);
}

TEST_F(MainWindowTest, FiftySamplesBringTheLimitPromptAndAFiftyFirstIsRefusedWithTheFieldsKept) {
  for (int i = 1; i <= 49; ++i) TypeRedReference();
  EXPECT_TRUE(messages.messages.empty());
  TypeRedReference();
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].text, "Numero máximo de muestras = 50");
  EXPECT_EQ(messages.messages[0].display, MessageDisplay::Prompt);
  EXPECT_EQ(Find<QTableView>("Resultados1")->model()->rowCount(), 50);
  TypeRedReference("Z");
  EXPECT_EQ(GridText(50, 1), "M ");
  ASSERT_EQ(messages.messages.size(), 2u);
  EXPECT_EQ(messages.messages[1].text,
            "Numero máximo de muestras = 50\n"
            "La tabla está llena: guarde las muestras y empiece una tabla nueva con «Nuevo».");
  EXPECT_EQ(messages.messages[1].display, MessageDisplay::Prompt);
  EXPECT_EQ(Field("NomMuestra")->text(), "Z");
  EXPECT_EQ(Field("CuartLong")->text(), "0.2");
}

TEST_F(MainWindowTest, ClickingARowShowsItsSampleAgainAndAnEmptyRowSaysNothing) {
  TypeRedReference();
  Find<QRadioButton>("RadioButton2")->click();
  TypeSample("W", "10", "10", {"0.1", "0.05", "0.04", "0.03"});
  EXPECT_EQ(window.SwatchColourShown(), QColor(window.SwatchColourShown()));
  const QColor white = window.SwatchColourShown();

  ClickCell(1, 5);
  EXPECT_EQ(window.SwatchColourShown(), QColor(93, 21, 28));
  EXPECT_TRUE(messages.messages.empty());
  ClickCell(2, 1);
  EXPECT_EQ(window.SwatchColourShown(), white);

  ClickCell(5, 2);
  EXPECT_TRUE(messages.messages.empty());
  EXPECT_EQ(Find<QTableView>("Resultados1")->currentIndex().row(), 4);
  EXPECT_EQ(window.SwatchColourShown(), white);
}

TEST_F(MainWindowTest, KeyboardSelectionRedisplaysToo) {
  TypeRedReference();
  TypeRedReference();
  auto* grid = Find<QTableView>("Resultados1");
  grid->setFocus();
  grid->setCurrentIndex(grid->model()->index(1, 3));
  messages.messages.clear();
  QTest::keyClick(grid, Qt::Key_Up);
  EXPECT_EQ(grid->currentIndex().row(), 0);
  EXPECT_TRUE(messages.messages.empty());
  QTest::keyClick(grid, Qt::Key_Down);
  QTest::keyClick(grid, Qt::Key_Down);  // row 3 is empty
  EXPECT_EQ(grid->currentIndex().row(), 2);
  EXPECT_TRUE(messages.messages.empty());
}

TEST_F(MainWindowTest, TabThroughAnEmptyGridShowsNoMessage) {
  auto* grid = Find<QTableView>("Resultados1");
  Find<QRadioButton>("RadioButton2")->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  ASSERT_TRUE(grid->hasFocus());
  for (int i = 0; i < 3; ++i) QTest::keyClick(grid, Qt::Key_Tab);
  QTest::keyClick(grid, Qt::Key_Tab, Qt::ShiftModifier);
  QTest::keyClick(grid, Qt::Key_Down);
  EXPECT_TRUE(grid->currentIndex().isValid());
  EXPECT_TRUE(messages.messages.empty());
}

TEST_F(MainWindowTest, RightClickOpensThePopupWithoutMovingOrShowingTheSelection) {
  TypeRedReference();
  ClickCell(1, 3);
  messages.messages.clear();
  auto* grid = Find<QTableView>("Resultados1");
  auto* popup = Find<QMenu>("PopupMenu1");
  // Through the window, as the platform delivers a click: the popup opens from it.
  const QPoint empty = grid->viewport()->mapTo(&window, grid->visualRect(grid->model()->index(4, 2)).center());
  QTest::mouseClick(window.windowHandle(), Qt::RightButton, {}, empty);
  EXPECT_TRUE(messages.messages.empty());
  EXPECT_EQ(grid->currentIndex(), grid->model()->index(0, 3));
  EXPECT_TRUE(popup->isVisible());
  popup->close();
}

TEST_F(MainWindowTest, ClearAllLeavesChartsAsAtStartAndKeepsTheSwatch) {
  const QImage ab = window.Charts().AbChart();
  const QImage l = window.Charts().LScale();
  TypeRedReference();
  EXPECT_NE(window.Charts().AbChart(), ab);
  window.findChild<QAction*>("Nuevo1")->trigger();
  EXPECT_EQ(window.Charts().AbChart(), ab);
  EXPECT_EQ(window.Charts().LScale(), l);
  EXPECT_EQ(window.SwatchColourShown(), QColor(93, 21, 28));
}

TEST_F(MainWindowTest, PopupItemsRunTheirMainMenuCommands) {
  TypeRedReference();
  auto* popup = Find<QMenu>("PopupMenu1");
  QStringList texts;
  for (QAction* a : popup->actions()) texts << (a->isSeparator() ? "-" : a->text());
  EXPECT_EQ(texts, (QStringList{"Nuevo", "Abrir", "Guardar", "Borrar todo", "Borrar fila(s)", "Detalles", "-",
                                "Imprimir", "-", "Ayuda", "-", "Número de muestra", "-", "Salir"}));
  Find<QAction>("Borrartodo2")->trigger();
  EXPECT_EQ(GridText(1, 1), "");
  TypeRedReference();
  Find<QAction>("Nuevo2")->trigger();
  EXPECT_EQ(GridText(1, 1), "");
}

TEST_F(MainWindowTest, MenuShortcutsWinOverTheEditFields) {
  TypeRedReference();
  QTest::keyClick(Field("CuartLong"), Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(GridText(1, 1), "");
  EXPECT_EQ(Field("CuartLong")->text(), "");
}

TEST_F(MainWindowTest, MenusHoldTheirItemsWithAccessKeysAndShortcuts) {
  QStringList titles;
  for (QAction* a : window.menuBar()->actions()) titles << a->text();
  EXPECT_EQ(titles, (QStringList{"&Archivo", "&Edición", "&Opciones", "Language", "A&yuda"}));
  EXPECT_EQ(Find<QAction>("Nuevo1")->shortcut(), QKeySequence("Ctrl+N"));
  EXPECT_EQ(Find<QAction>("Abrir1")->shortcut(), QKeySequence("Ctrl+A"));
  EXPECT_EQ(Find<QAction>("Imprimir1")->shortcut(), QKeySequence("Ctrl+I"));
  EXPECT_EQ(Find<QAction>("Salir1")->shortcut(), QKeySequence("Ctrl+S"));
  EXPECT_EQ(Find<QAction>("Ayuda")->shortcut(), QKeySequence("Ctrl+Y"));
  EXPECT_EQ(Find<QAction>("Nmerodemuestra1")->text(), "Número de &muestra");
  EXPECT_EQ(Find<QAction>("ArchivoCalc1")->text(), "Archivo Calc");
  EXPECT_TRUE(Find<QAction>("English1")->isVisible());
  EXPECT_FALSE(Find<QAction>("Espanol1")->isVisible());
}

TEST_F(MainWindowTest, TodaysDesktopKeysRunTheCommandsBesideTheProgramsOwn) {
  struct Case {
    const char* action;
    QKeySequence key;
  } cases[] = {{"Abrir1", QKeySequence("Ctrl+A")},    {"Abrir1", QKeySequence("Ctrl+O")},
               {"Imprimir1", QKeySequence("Ctrl+I")}, {"Imprimir1", QKeySequence("Ctrl+P")},
               {"Ayuda", QKeySequence("Ctrl+Y")},     {"Ayuda", QKeySequence("F1")}};
  for (const Case& c : cases) {
    QAction* action = Find<QAction>(c.action);
    QObject::disconnect(action, &QAction::triggered, &window, nullptr);  // no dialog in the way
    QSignalSpy triggered(action, &QAction::triggered);
    Type("NomMuestra", "ab");
    QTest::keySequence(Field("NomMuestra"), c.key);
    EXPECT_EQ(triggered.count(), 1) << c.action << " " << c.key.toString().toStdString();
    EXPECT_EQ(Field("NomMuestra")->text(), "ab");
    EXPECT_EQ(action->shortcut(), action->shortcuts().front());  // the original key comes first
  }
  // The menu shows every key in its key column, the text after a tab, in either language.
  for (void (MainWindow::*switchTo)() : {&MainWindow::SwitchToEnglish, &MainWindow::SwitchToSpanish}) {
    (window.*switchTo)();
    for (const Case& c : cases) {
      const QString keys = Find<QAction>(c.action)->text().section(u'\t', 1);
      EXPECT_TRUE(keys.contains(c.key.toString(QKeySequence::NativeText))) << c.action << ": " << keys.toStdString();
    }
  }
}

TEST_F(MainWindowTest, DownAndUpMoveBetweenTheWineTypes) {
  auto* red = Find<QRadioButton>("RadioButton1");
  auto* white = Find<QRadioButton>("RadioButton2");
  red->setFocus();
  QTest::keyClick(red, Qt::Key_Down);
  EXPECT_TRUE(white->isChecked());
  EXPECT_TRUE(white->hasFocus());
  QTest::keyClick(white, Qt::Key_Up);
  EXPECT_TRUE(red->isChecked());
  EXPECT_TRUE(red->hasFocus());
}

TEST_F(MainWindowTest, ALargerWindowGivesItsRoomToTheGridAndTheCharts) {
  auto* grid = Find<QTableView>("Resultados1");
  const int nameWidth = grid->horizontalHeader()->sectionSize(1);
  window.resize(1600, 1200);
  QApplication::processEvents();
  EXPECT_GE(grid->viewport()->height() / grid->rowHeight(0), 20);  // room for 20 rows or more
  EXPECT_GT(grid->horizontalHeader()->sectionSize(1), nameWidth);
  auto* chart = Find<QLabel>("Imagen");
  EXPECT_GT(chart->width(), 300);
  EXPECT_EQ(chart->width(), chart->height());
  EXPECT_GE(chart->pixmap().deviceIndependentSize().width(), chart->width());
  auto* swatch = Find<QFrame>("Panel7");
  EXPECT_GT(swatch->width(), 187);
  EXPECT_GT(swatch->x(), Find<QFrame>("Panel5")->geometry().right());
  // Back at the block's size every control stands at its place again, the name column too.
  window.resize(1124, 674);
  QApplication::processEvents();
  EXPECT_EQ(grid->geometry(), QRect(22, 221, 525, 304));
  EXPECT_EQ(chart->geometry(), QRect(1, 2, 301, 301));
  EXPECT_EQ(swatch->geometry(), QRect(895, 221, 187, 304));
  EXPECT_EQ(grid->horizontalHeader()->sectionSize(1), nameWidth);
  EXPECT_EQ(window.Charts().AbChart().size(), QSize(303, 303));
}

TEST_F(MainWindowTest, ASmallerWindowScrollsInsteadOfCuttingControlsOff) {
  window.resize(700, 450);
  QApplication::processEvents();
  auto* scroll = Find<QScrollArea>("ClientScroll");
  EXPECT_TRUE(scroll->horizontalScrollBar()->isVisible());
  EXPECT_TRUE(scroll->verticalScrollBar()->isVisible());
  scroll->horizontalScrollBar()->setValue(scroll->horizontalScrollBar()->maximum());
  const QRect calcular(Find<QPushButton>("Calcular")->mapTo(scroll->viewport(), QPoint(0, 0)), QSize(75, 25));
  EXPECT_TRUE(scroll->viewport()->rect().contains(calcular));
  EXPECT_EQ(Find<QTableView>("Resultados1")->geometry(), QRect(22, 221, 525, 304));
}

TEST_F(MainWindowTest, FieldsAndButtonsExplainThemselvesInTheProgramsLanguage) {
  for (const Language language : {Language::Spanish, Language::English, Language::Spanish}) {
    if (language == Language::English) {
      window.SwitchToEnglish();
    } else if (window.CurrentLanguage() != language) {
      window.SwitchToSpanish();
    }
    for (const auto& t : tintavis::tooltips::kMainWindowTooltips) {
      auto* w = window.findChild<QWidget*>(QString::fromUtf8(t.name.data(), static_cast<qsizetype>(t.name.size())));
      ASSERT_NE(w, nullptr) << t.name;
      EXPECT_EQ(w->toolTip().toStdString(), t.text.In(language)) << t.name;
    }
  }
  EXPECT_NE(Field("Espesor")->toolTip(), Field("referido")->toolTip());
}

TEST_F(MainWindowTest, ControlsStandWhereTheLayoutPutsThem) {
  struct Case {
    const char* name;
    QRect rect;  // relative to its parent
  } cases[] = {{"NomMuestra", {24, 93, 93, 21}},   {"Espesor", {175, 93, 41, 21}},  {"referido", {175, 133, 41, 21}},
               {"Button1", {457, 102, 99, 25}},    {"Calcular", {951, 103, 75, 25}}, {"Resultados1", {22, 221, 525, 304}},
               {"Panel7", {895, 221, 187, 304}},   {"PrimLong", {19, 42, 68, 21}},  {"TercLong", {199, 42, 67, 21}},
               {"GroupBox1", {11, 19, 216, 41}},   {"GroupBox2", {322, 19, 374, 96}}, {"Imagen", {1, 2, 301, 301}},
               {"Image2", {304, 2, 38, 300}}};
  for (const Case& c : cases) {
    auto* w = window.findChild<QWidget*>(c.name);
    ASSERT_NE(w, nullptr) << c.name;
    EXPECT_EQ(w->geometry(), c.rect) << c.name;
  }
  EXPECT_EQ(Find<QLabel>("Label4")->pos(), QPoint(151, 76));
  EXPECT_EQ(Find<QLabel>("Label13")->pos(), QPoint(232, 544));
  EXPECT_EQ(window.windowTitle(), "TINTAVIS");
  auto* header = Find<QTableView>("Resultados1")->horizontalHeader();
  EXPECT_EQ(header->sectionSize(0), 20);
  EXPECT_EQ(header->sectionSize(1), 65);
  EXPECT_EQ(header->sectionSize(11), 41);
}

TEST_F(MainWindowTest, TabVisitsTheFieldsInOrderAndSkipsCalcular) {
  const char* order[] = {"NomMuestra", "Espesor", "referido", "Button1", "PrimLong", "SegLong", "TercLong", "CuartLong"};
  Field("NomMuestra")->setFocus();
  for (std::size_t i = 1; i < std::size(order); ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), order[i]);
  }
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget()->objectName(), "RadioButton1");
}

TEST_F(MainWindowTest, InputValuesEmptiesTheFourAbsorbances) {
  TypeRedReference();
  Find<QPushButton>("Button1")->click();
  for (const char* f : {"PrimLong", "SegLong", "TercLong", "CuartLong"}) EXPECT_EQ(Field(f)->text(), "") << f;
  EXPECT_EQ(Field("Espesor")->text(), "2");
}

TEST_F(MainWindowTest, TypedCellTextBelowTheSamplesSurvivesClearAll) {
  auto* grid = Find<QTableView>("Resultados1");
  grid->model()->setData(grid->model()->index(11, 1), "nota");
  window.findChild<QAction*>("Borrartodo1")->trigger();
  EXPECT_EQ(GridText(12, 1), "nota");
  EXPECT_FALSE(grid->model()->flags(grid->model()->index(0, 0)) & Qt::ItemIsSelectable);
}

}  // namespace

namespace {

TEST_F(MainWindowTest, PastedTabsAndLineBreaksNeverReachTheDataFileRow) {
  TypeRedReference();
  Field("NomMuestra")->setText(QString::fromUtf8("Lote\t7\r\nB\x1a"));  // as a paste leaves it
  window.Calculate();
  EXPECT_EQ(GridText(2, 1), "Lote 7  B  ");
  auto* grid = Find<QTableView>("Resultados1");
  grid->model()->setData(grid->model()->index(0, 1), QString("Otro\tnombre\n"));
  EXPECT_EQ(GridText(1, 1), "Otro nombre ");
  EXPECT_TRUE(window.Session().unsavedSamples);
}

}  // namespace
