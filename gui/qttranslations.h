// Qt's own texts in the program's language: the standard buttons ("Cancelar", "Sí"), the file and
// print dialogs' labels, columns and messages. They come from the translations Qt ships (Debian
// qt6-translations-l10n), found where this Qt keeps them.
#pragma once

#include <QTranslator>

#include "logic/language.h"

class QDialog;

namespace tintavis {

// Owns the translator of Qt's texts; while it is installed Qt speaks Spanish. Qt's texts are
// English without one. Destroying it takes it out again.
class QtTranslations {
 public:
  QtTranslations();
  ~QtTranslations();
  QtTranslations(const QtTranslations&) = delete;
  QtTranslations& operator=(const QtTranslations&) = delete;

  // Qt's texts from now on in `language`; widgets that are up take their new texts when the
  // events of the change are handled. False when the Spanish translations are missing (Qt
  // then stays English), which is also said once on Qt's warning channel.
  bool Apply(Language language);

 private:
  // The few texts of Qt's file list that Qt's Spanish catalogue lacks.
  class Gaps : public QTranslator {
   public:
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override;
  };

  QTranslator translator_;
  Gaps gaps_;
  bool loaded_ = false;
  bool installed_ = false;
};

// At a change of language Qt gives the standard buttons of a dialog's button box its own texts
// again, over those the dialog set for them ("Guardar" in a file dialog, "Imprimir" in the print
// dialog). From now on the box of `dialog` keeps its texts: the dialog itself still takes the
// change, and a file dialog keeps the button texts it was given.
void KeepButtonTexts(QDialog* dialog);

}  // namespace tintavis
