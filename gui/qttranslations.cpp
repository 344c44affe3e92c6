#include "gui/qttranslations.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QtDebug>

#include <string_view>

#include "gui/qtglue.h"
#include "logic/captions.h"

namespace tintavis {
namespace {

class ButtonTextKeeper : public QObject {
 public:
  explicit ButtonTextKeeper(QDialog* dialog) : QObject(dialog), dialog_(dialog) { dialog->installEventFilter(this); }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::LanguageChange) return false;
    if (watched == dialog_) {
      // The dialog passes the change on to its children after taking it, and its widgets may
      // have been made since the last change: the box is looked for now.
      if (auto* box = dialog_->findChild<QDialogButtonBox*>()) box->installEventFilter(this);
      return false;
    }
    return qobject_cast<QDialogButtonBox*>(watched) != nullptr;
  }

 private:
  QDialog* dialog_;
};

}  // namespace

QtTranslations::QtTranslations() {
  // qtbase holds the texts of every Qt widget the program shows.
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  loaded_ = translator_.load(QLocale(QLocale::Spanish, QLocale::Spain), QStringLiteral("qtbase"), QStringLiteral("_"),
                             folder);
  if (!loaded_) {
    qWarning("TINTAVIS: Qt's Spanish texts (qtbase_es.qm) are not in %s; install qt6-translations-l10n",
             qPrintable(folder));
  }
}

QtTranslations::~QtTranslations() {
  if (!installed_) return;
  QCoreApplication::removeTranslator(&gaps_);
  QCoreApplication::removeTranslator(&translator_);
}

QString QtTranslations::Gaps::translate(const char* context, const char* sourceText, const char* /*disambiguation*/,
                                        int /*n*/) const {
  if (context == nullptr || sourceText == nullptr) return {};
  for (const captions::QtText& t : captions::kQtTextsBeyondItsCatalogue) {
    if (t.context == std::string_view(context) && t.english == std::string_view(sourceText)) return ToQString(t.spanish);
  }
  return {};
}

bool QtTranslations::Apply(Language language) {
  const bool wanted = language == Language::Spanish && loaded_;
  if (wanted && !installed_) {
    installed_ = QCoreApplication::installTranslator(&translator_);
    if (installed_) QCoreApplication::installTranslator(&gaps_);
  } else if (!wanted && installed_) {
    QCoreApplication::removeTranslator(&gaps_);
    QCoreApplication::removeTranslator(&translator_);
    installed_ = false;
  }
  return language == Language::English || installed_;
}

void KeepButtonTexts(QDialog* dialog) { new ButtonTextKeeper(dialog); }

}  // namespace tintavis
