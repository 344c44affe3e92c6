// Qt's own texts speak the program's language: Spanish from the start, English after the switch,
// and Qt's English again once the window that chose them is gone.
#include "gui/qttranslations.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include "gui/mainwindow.h"

namespace {

using tintavis::Language;

struct StockTexts {
  QString cancel, yes;
};

// The standard buttons of a box made now.
StockTexts ButtonsOfANewBox() {
  QDialogButtonBox box(QDialogButtonBox::Cancel | QDialogButtonBox::Yes);
  return {box.button(QDialogButtonBox::Cancel)->text(), box.button(QDialogButtonBox::Yes)->text()};
}

TEST(QtTranslations, StandardButtonsSpeakTheLanguageOfTheWindow) {
  {
    tintavis::MainWindow window;
    EXPECT_EQ(ButtonsOfANewBox().cancel, "Cancelar");
    EXPECT_EQ(ButtonsOfANewBox().yes, "&Sí");
    // A box that is already up takes the new texts too.
    QMessageBox open(QMessageBox::Question, "TINTAVIS", "?", QMessageBox::Cancel);
    window.SwitchToEnglish();
    QApplication::processEvents();
    EXPECT_EQ(ButtonsOfANewBox().cancel, "Cancel");
    EXPECT_EQ(ButtonsOfANewBox().yes, "&Yes");
    EXPECT_EQ(open.button(QMessageBox::Cancel)->text(), "Cancel");
    window.SwitchToSpanish();
    QApplication::processEvents();
    EXPECT_EQ(ButtonsOfANewBox().cancel, "Cancelar");
    EXPECT_EQ(open.button(QMessageBox::Cancel)->text(), "Cancelar");
  }
  // The window took its translations with it.
  EXPECT_EQ(ButtonsOfANewBox().cancel, "Cancel");
}

TEST(QtTranslations, ApplyTellsWhetherQtSpeaksTheLanguage) {
  // Spanish needs Debian's qt6-translations-l10n; English is Qt's own.
  tintavis::QtTranslations translations;
  ASSERT_TRUE(translations.Apply(Language::Spanish)) << "install qt6-translations-l10n";
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancelar");
  EXPECT_TRUE(translations.Apply(Language::Spanish));  // again: still installed once
  EXPECT_TRUE(translations.Apply(Language::English));
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");
}

TEST(QtTranslations, TheFileListCallsAFolderCarpetaInSpanishOnly) {
  const QFileInfo folder(QDir::tempPath());
  const QFileIconProvider provider;
  tintavis::QtTranslations translations;
  ASSERT_TRUE(translations.Apply(Language::Spanish));
  EXPECT_EQ(provider.type(folder), "Carpeta");
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancelar");  // the catalogue still answers
  translations.Apply(Language::English);
  EXPECT_EQ(provider.type(folder), "Folder");
}

}  // namespace
