// The whole program's windows together: creation order, the language switch across every
// window, numbering and quick entry working with the main window.
#include "gui/program.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QMenuBar>
#include <QSet>
#include <QTest>
#include <QWindow>
#include <QTextEdit>

#include "tests/support/recordingmessenger.h"
#include "logic/captions.h"

namespace {

using tintavis::captions::Target;

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    program.mainWindow.SetDecimalSeparator('.');
    program.mainWindow.show();
    program.mainWindow.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&program.mainWindow));
  }

  template <typename T>
  T* Main(const char* name) {
    T* w = program.mainWindow.findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  QLineEdit* Field(const char* name) { return Main<QLineEdit>(name); }
  void Type(const char* field, const QString& text) {
    QLineEdit* e = Field(field);
    e->setFocus();
    e->selectAll();
    QTest::keyClicks(e, text);
  }
  void TypeRed(const QString& name = "M") {
    Type("NomMuestra", name);
    Type("Espesor", "2");
    Type("referido", "10");
    const char* fields[4] = {"PrimLong", "SegLong", "TercLong", "CuartLong"};
    const char* values[4] = {"0.5", "0.8", "0.6", "0.2"};
    for (int k = 0; k < 4; ++k) Type(fields[k], values[k]);
    QTest::keyClick(Field("CuartLong"), Qt::Key_Return);
  }
  QString Cell(int row, int column) {
    return program.mainWindow.findChild<QTableView*>("Resultados1")->model()->index(row - 1, column).data().toString();
  }
  QString Header(int column) {
    return program.mainWindow.findChild<QTableView*>("Resultados1")->model()->headerData(column, Qt::Horizontal).toString();
  }

  // The caption a table row shows now, wherever it lives.
  QString Shown(const tintavis::captions::Caption& c) {
    const QString name = Q(c.name);
    switch (c.target) {
      case Target::MainWidget:
        if (auto* l = program.mainWindow.findChild<QLabel*>(name)) return l->text();
        if (auto* g = program.mainWindow.findChild<QGroupBox*>(name)) return g->title();
        if (auto* b = program.mainWindow.findChild<QAbstractButton*>(name)) return b->text();
        break;
      case Target::MenuTitle:
        if (auto* m = program.mainWindow.findChild<QMenu*>(name)) return m->title();
        break;
      case Target::MenuItem:
        // An item with two keys shows them after a tab, beside its caption.
        if (auto* a = program.mainWindow.findChild<QAction*>(name)) return a->text().section(u'\t', 0, 0);
        break;
      case Target::NumberingItem:
        if (auto* l = program.numbering.findChild<QLabel*>(name)) return l->text();
        if (auto* g = program.numbering.findChild<QGroupBox*>(name)) return g->title();
        if (auto* b = program.numbering.findChild<QAbstractButton*>(name)) return b->text();
        break;
      case Target::HelpCaption:
        return program.help.windowTitle();
      case Target::QuickEntry:
        return program.quickEntry.windowTitle();
    }
    ADD_FAILURE() << "no element " << name.toStdString();
    return {};
  }

  tintavis::testing::RecordingMessenger messages;
  tintavis::Program program;
};

TEST_F(ProgramTest, StartsWithTheSplashAndTheQuickEntryWindowOpen) {
  EXPECT_TRUE(program.splash.isVisible());
  EXPECT_TRUE(program.quickEntry.isVisible());
  EXPECT_EQ(program.quickEntry.Prompt(), "Absorbancia a 450 nm");
  EXPECT_FALSE(program.about.isVisible());
  EXPECT_FALSE(program.help.isVisible());
  EXPECT_FALSE(program.numbering.isVisible());
  EXPECT_EQ(program.mainWindow.CurrentLanguage(), tintavis::Language::Spanish);
}

TEST_F(ProgramTest, EveryCaptionReadsItsStartUpTextThenEachSwitchWritesItsColumn) {
  for (const auto& c : tintavis::captions::kCaptions) EXPECT_EQ(Shown(c), Q(c.startUp)) << c.name;
  program.mainWindow.findChild<QAction*>("English1")->trigger();
  EXPECT_EQ(program.mainWindow.CurrentLanguage(), tintavis::Language::English);
  // A switch writes the texts of its column, with the access keys marked.
  for (const auto& c : tintavis::captions::kCaptions) {
    EXPECT_EQ(Shown(c), Q(tintavis::captions::Keyed(c, tintavis::Language::English))) << c.name;
  }
  program.mainWindow.findChild<QAction*>("Espanol1")->trigger();
  EXPECT_EQ(program.mainWindow.CurrentLanguage(), tintavis::Language::Spanish);
  for (const auto& c : tintavis::captions::kCaptions) {
    EXPECT_EQ(Shown(c), Q(tintavis::captions::Keyed(c, tintavis::Language::Spanish))) << c.name;
  }
}

TEST_F(ProgramTest, SwitchingBackToSpanishDiffersFromStartUpInFourPlaces) {
  const QString label7 = Main<QLabel>("Label7")->text();
  const QString label8 = Main<QLabel>("Label8")->text();
  program.mainWindow.SwitchToEnglish();
  EXPECT_EQ(Main<QLabel>("Label7")->text(), "Color coordinates for D65 illuminant and 10º Standard Observer");
  EXPECT_EQ(Main<QLabel>("Label4")->text(), "Pathlength cell for measurement ");
  EXPECT_EQ(Main<QLabel>("Label4")->x(), 120);
  EXPECT_EQ(Main<QLabel>("Label9")->x(), 130);
  program.mainWindow.SwitchToSpanish();
  EXPECT_EQ(label7, "        Coordenadas con iluminante D65 y observador 10°");
  EXPECT_EQ(Main<QLabel>("Label7")->text(), "         Coordenadas con iluminante D65 y observador 10°");
  EXPECT_EQ(label8, "       Posición de la muestra en el espacio CIELAB");
  EXPECT_EQ(Main<QLabel>("Label8")->text(), "        Posición de la muestra en el espacio CIELAB");
  EXPECT_EQ(Main<QAction>("Acercade1")->text(), "Acerca de");
  EXPECT_EQ(Main<QMenu>("Archivo")->title(), "&Archivo");  // the access key is kept
  EXPECT_EQ(Main<QAction>("Nuevo1")->shortcut(), QKeySequence("Ctrl+N"));
  EXPECT_EQ(Main<QLabel>("Label4")->x(), 151);
  EXPECT_EQ(Main<QLabel>("Label9")->x(), 148);
}

TEST_F(ProgramTest, EveryMenuOpensByItsAccessKeyAfterEachOfTwoSwitches) {
  for (const tintavis::Language language : {tintavis::Language::English, tintavis::Language::Spanish}) {
    if (language == tintavis::Language::English) {
      program.mainWindow.SwitchToEnglish();
    } else {
      program.mainWindow.SwitchToSpanish();
    }
    Field("CuartLong")->setFocus();
    for (QAction* title : program.mainWindow.menuBar()->actions()) {
      QMenu* menu = title->menu();
      const QKeySequence key = QKeySequence::mnemonic(title->text());
      if (menu->objectName() == "Language1") continue;  // "Language" / "Idioma" has none
      ASSERT_FALSE(key.isEmpty()) << title->text().toStdString();
      QTest::keyClick(Field("CuartLong"), key[0].key(), Qt::AltModifier);
      EXPECT_TRUE(menu->isVisible()) << title->text().toStdString();
      menu->hide();
      EXPECT_EQ(Field("CuartLong")->text(), "") << title->text().toStdString();
      // Within the menu every item that has a key has one of its own.
      QSet<int> keys;
      for (QAction* item : menu->actions()) {
        const QKeySequence itemKey = QKeySequence::mnemonic(item->text());
        if (itemKey.isEmpty()) continue;
        EXPECT_FALSE(keys.contains(itemKey[0].toCombined())) << item->text().toStdString();
        keys.insert(itemKey[0].toCombined());
      }
    }
  }
}

TEST_F(ProgramTest, TheWindowsBesideTheMainWindowStayInFrontOfIt) {
  QWidget* beside[] = {&program.quickEntry, &program.numbering, &program.differences};
  for (QWidget* w : beside) {
    EXPECT_EQ(w->parentWidget(), &program.mainWindow) << w->objectName().toStdString();
    EXPECT_TRUE(w->isWindow()) << w->objectName().toStdString();
  }
  EXPECT_EQ(program.quickEntry.windowType(), Qt::Tool);
  EXPECT_EQ(program.differences.windowType(), Qt::Tool);
  ASSERT_NE(program.quickEntry.windowHandle(), nullptr);
  EXPECT_EQ(program.quickEntry.windowHandle()->transientParent(), program.mainWindow.windowHandle());
  QTest::mouseClick(Field("NomMuestra"), Qt::LeftButton);
  EXPECT_TRUE(program.quickEntry.isVisible());
  EXPECT_EQ(program.quickEntry.Prompt(), "Absorbancia a 450 nm");
}

TEST_F(ProgramTest, TheQuickEntryWindowStartsClearOfTheFieldsAndTheGridInsideTheWindow) {
  // The last: maximised on 800 x 600, where the client scrolls.
  for (const QSize size : {QSize(1600, 1160), QSize(1124, 674), QSize(800, 560)}) {
    program.mainWindow.resize(size);
    QApplication::processEvents();
    const QRect entry = program.quickEntry.frameGeometry();
    EXPECT_TRUE(program.mainWindow.frameGeometry().contains(entry)) << size.width();
    QList<QWidget*> covered;
    for (QLineEdit* e : program.mainWindow.centralWidget()->findChildren<QLineEdit*>()) covered << e;
    covered << program.mainWindow.findChild<QTableView*>("Resultados1");
    for (QWidget* w : covered) {
      const QRect shown(w->mapToGlobal(QPoint(0, 0)), w->size());
      EXPECT_FALSE(entry.intersects(shown)) << w->objectName().toStdString() << " at " << size.width();
    }
  }
  // Once the user has closed it, it opens again where it was.
  program.quickEntry.close();
  const QPoint left = program.quickEntry.pos();
  program.mainWindow.resize(1600, 1160);
  QApplication::processEvents();
  program.mainWindow.ShowQuickEntry();
  EXPECT_EQ(program.quickEntry.pos(), left);
}

// A window shown, hidden and shown again at once may stay off the screen (Openbox can miss the
// second showing): the quick entry window is shown once, already a window of the main window.
TEST(ProgramStart, ShowsTheQuickEntryWindowOnceAsAWindowOfTheMainWindow) {
  struct Showings : QObject {
    int shown = 0, hidden = 0, shownAlone = 0;
    bool eventFilter(QObject* watched, QEvent* event) override {
      if (auto* entry = qobject_cast<tintavis::QuickEntryWindow*>(watched)) {
        if (event->type() == QEvent::Show) {
          ++shown;
          if (entry->parentWidget() == nullptr) ++shownAlone;
        }
        if (event->type() == QEvent::Hide) ++hidden;
      }
      return false;
    }
  } showings;
  qApp->installEventFilter(&showings);
  const tintavis::Program program;
  qApp->removeEventFilter(&showings);
  EXPECT_TRUE(program.quickEntry.isVisible());
  EXPECT_EQ(showings.shown, 1);
  EXPECT_EQ(showings.hidden, 0);
  EXPECT_EQ(showings.shownAlone, 0);
}

TEST_F(ProgramTest, OnlyTheOtherLanguageIsOffered) {
  EXPECT_TRUE(Main<QAction>("English1")->isVisible());
  EXPECT_FALSE(Main<QAction>("Espanol1")->isVisible());
  EXPECT_EQ(Main<QMenu>("Language1")->title(), "Language");
  program.mainWindow.SwitchToEnglish();
  EXPECT_FALSE(Main<QAction>("English1")->isVisible());
  EXPECT_TRUE(Main<QAction>("Espanol1")->isVisible());
  EXPECT_EQ(Main<QMenu>("Language1")->title(), "Idioma");
  EXPECT_EQ(Main<QAction>("Espanol1")->text(), "Español");
}

TEST_F(ProgramTest, MessagesFollowTheLanguageOfTheMoment) {
  program.mainWindow.SwitchToEnglish();
  QTest::keyClick(Field("NomMuestra"), Qt::Key_Return);
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages.back().text, "Pathlength cell for measurement?");
  Type("Espesor", "2");
  Type("referido", "10");
  Type("PrimLong", "0.5");
  Type("SegLong", "0.1");
  Type("TercLong", "0.6");
  Type("CuartLong", "0.2");
  QTest::keyClick(Field("CuartLong"), Qt::Key_Return);
  EXPECT_EQ(messages.messages.back().text, "Color out of range. Type new values.");
  program.mainWindow.SwitchToSpanish();
  QTest::keyClick(Field("CuartLong"), Qt::Key_Return);
  EXPECT_EQ(messages.messages.back().text, "¿Absorbancia a 450 nm?");
}

TEST_F(ProgramTest, TheGridHeaderSwitchesButNewWritesItBackInSpanish) {
  program.mainWindow.SwitchToEnglish();
  EXPECT_EQ(Header(0), "no");
  EXPECT_EQ(Header(1), "    Sample");
  EXPECT_EQ(Header(11), "  Sha.");
  EXPECT_EQ(Header(2), "     X");
  program.mainWindow.findChild<QAction*>("Nuevo1")->trigger();
  EXPECT_EQ(Header(0), "nº");
  EXPECT_EQ(Header(1), "   Muestra");
  EXPECT_EQ(Header(11), "  Ton.");
  EXPECT_EQ(Main<QPushButton>("Calcular")->text(), "Calculate");
}

TEST_F(ProgramTest, ASwitchKeepsDataChoicesAndFields) {
  TypeRed();
  Main<QRadioButton>("RadioButton2")->click();
  program.mainWindow.SwitchToEnglish();
  EXPECT_EQ(Cell(1, 2), "3.213");
  EXPECT_TRUE(Main<QRadioButton>("RadioButton2")->isChecked());
  EXPECT_EQ(Field("PrimLong")->text(), "0.5");
}

TEST_F(ProgramTest, NumberingYesThenOkNumbersTheNextSampleOne) {
  program.mainWindow.findChild<QAction*>("Nmerodemuestra1")->trigger();
  EXPECT_TRUE(program.numbering.isVisible());
  program.numbering.findChild<QRadioButton*>("RadioButton1")->click();
  program.numbering.findChild<QPushButton*>("Button1")->click();
  EXPECT_FALSE(program.numbering.isVisible());
  TypeRed("M");
  TypeRed("M");
  EXPECT_EQ(Cell(1, 1), "M1 ");
  EXPECT_EQ(Cell(2, 1), "M2 ");
}

TEST_F(ProgramTest, NumberingFollowsTheStartFieldAsItIsTyped) {
  program.mainWindow.ShowNumberingDialog();
  program.numbering.findChild<QRadioButton*>("RadioButton1")->click();
  auto* edit = program.numbering.findChild<QLineEdit*>("Edit1");
  edit->selectAll();
  QTest::keyClicks(edit, "7");
  EXPECT_EQ(program.mainWindow.Session().nextOrderNumber, 7);
  TypeRed("V");
  EXPECT_EQ(Cell(1, 1), "V7 ");
}

TEST_F(ProgramTest, TwoSamplesUnnumberedThenYesGivesNumberThree) {
  TypeRed();
  TypeRed();
  program.mainWindow.ShowNumberingDialog();
  program.numbering.findChild<QRadioButton*>("RadioButton1")->click();
  TypeRed("M");
  EXPECT_EQ(Cell(3, 1), "M3 ");
}

TEST_F(ProgramTest, ClearingResetsNumberingToNoAndTheCounterToOne) {
  program.mainWindow.ShowNumberingDialog();
  program.numbering.findChild<QRadioButton*>("RadioButton1")->click();
  TypeRed();
  program.mainWindow.ClearAllSamples();
  EXPECT_TRUE(program.numbering.findChild<QRadioButton*>("RadioButton2")->isChecked());
  EXPECT_FALSE(program.numbering.findChild<QLineEdit*>("Edit1")->isEnabled());
  EXPECT_EQ(program.mainWindow.Session().nextOrderNumber, 1);
  TypeRed("M");
  EXPECT_EQ(Cell(1, 1), "M ");
}

TEST_F(ProgramTest, QuickEntryFillsTheFourFieldsAsTypedAndFocusesCalcular) {
  Type("PrimLong", "9");
  Main<QPushButton>("Button1")->click();
  EXPECT_TRUE(program.quickEntry.isVisible());
  EXPECT_EQ(Field("PrimLong")->text(), "");
  auto* entry = program.quickEntry.findChild<QLineEdit*>("Edit1");
  const QString typed[4] = {"0.5", "0,8", " 0.6", "x2"};
  for (const QString& t : typed) {
    QTest::keyClicks(entry, t);
    QTest::keyClick(entry, Qt::Key_Return);
  }
  EXPECT_EQ(Field("PrimLong")->text(), "0.5");
  EXPECT_EQ(Field("SegLong")->text(), "0,8");
  EXPECT_EQ(Field("TercLong")->text(), " 0.6");
  EXPECT_EQ(Field("CuartLong")->text(), "x2");
  EXPECT_FALSE(program.quickEntry.isVisible());
  EXPECT_EQ(QApplication::focusWidget(), Main<QPushButton>("Calcular"));
  EXPECT_EQ(program.quickEntry.Prompt(), "Absorbancia a 450 nm");
}

TEST_F(ProgramTest, ALanguageSwitchRestartsQuickEntryAndKeepsItsText) {
  auto* entry = program.quickEntry.findChild<QLineEdit*>("Edit1");
  QTest::keyClicks(entry, "0.5");
  QTest::keyClick(entry, Qt::Key_Return);
  QTest::keyClicks(entry, "0.3");
  program.mainWindow.SwitchToEnglish();
  EXPECT_EQ(program.quickEntry.Prompt(), "Absorbance at 450 nm");
  EXPECT_EQ(entry->text(), "0.3");
  EXPECT_EQ(Field("PrimLong")->text(), "0.5");
}

TEST_F(ProgramTest, HelpShowsThePaneOfTheLanguage) {
  program.mainWindow.SwitchToEnglish();
  program.mainWindow.ShowHelp();
  EXPECT_TRUE(program.help.isVisible());
  EXPECT_EQ(program.help.windowTitle(), "TINTAVIS Help topics");
  EXPECT_TRUE(program.help.findChild<QTextEdit*>("RichEdit2")->isVisible());
  EXPECT_FALSE(program.help.findChild<QTextEdit*>("RichEdit1")->isVisible());
  EXPECT_EQ(program.help.windowModality(), Qt::ApplicationModal);
  program.help.close();
  program.mainWindow.ShowAbout();
  EXPECT_TRUE(program.about.isVisible());
  EXPECT_EQ(program.about.windowTitle(), "Acerca de TINTAVIS");
  program.about.close();
}

TEST_F(ProgramTest, PopupItemsReachTheNumberingDialogAndHelp) {
  program.mainWindow.findChild<QAction*>("Nmerodemuestra2")->trigger();
  EXPECT_TRUE(program.numbering.isVisible());
  program.mainWindow.findChild<QAction*>("Ayuda2")->trigger();
  EXPECT_TRUE(program.help.isVisible());
  program.help.close();
}

}  // namespace
