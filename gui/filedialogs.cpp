#include "gui/filedialogs.h"

#include <QFileDialog>
#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include "gui/qtglue.h"
#include "logic/readings.h"
#include "gui/qttranslations.h"
#include "logic/captions.h"
#include "logic/workbooktexts.h"

namespace tintavis {
namespace {

// The one setting the program keeps between runs.
constexpr const char* kLastFolderKey = "files/lastFolder";

QSettings Settings() { return QSettings(QStringLiteral("TINTAVIS"), QStringLiteral("TINTAVIS")); }

QString LastFolder() {
  const QString folder = Settings().value(QString::fromLatin1(kLastFolderKey)).toString();
  return !folder.isEmpty() && QDir(folder).exists() ? folder : QString();
}

}  // namespace

void StartInLastFolder(QFileDialog* dialog) {
  const QString folder = LastFolder();
  if (!folder.isEmpty() && QDir(folder) != dialog->directory()) dialog->setDirectory(folder);
}

void ApplyFileDialogLanguage(QFileDialog* dialog, Language language) {
  dialog->setLabelText(QFileDialog::LookIn, ToQString(captions::kLookIn.In(language)));
  dialog->setLabelText(QFileDialog::FileName, ToQString(captions::kFileNameLabel.In(language)));
  dialog->setLabelText(QFileDialog::FileType, ToQString(captions::kFileTypeLabel.In(language)));
  dialog->setLabelText(QFileDialog::Reject, ToQString(captions::kCancelButton.In(language)));
  const bool opens = dialog->acceptMode() == QFileDialog::AcceptOpen;
  dialog->setLabelText(QFileDialog::Accept,
                       ToQString((opens ? captions::kOpenButton : captions::kSaveButton).In(language)));
}

QFileDialog* MakeFileDialog(QWidget* parent, const char* objectName, FileDialogKind kind, Language language) {
  auto* dialog = new QFileDialog(parent);
  StartInLastFolder(dialog);
  dialog->setObjectName(objectName);
  KeepButtonTexts(dialog);
  // Qt's own dialog: the same on every desktop, with the Spanish texts below.
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  if (kind == FileDialogKind::Open) {
    dialog->setWindowTitle(ToQString(captions::kOpenTitle));
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFiles);
    dialog->setNameFilters({ToQString(captions::kExcelFilter), ToQString(captions::kSunOfficeFilter),
                            ToQString(captions::kAllFilesFilter)});
    ApplyFileDialogLanguage(dialog, language);
    return dialog;
  }
  if (kind == FileDialogKind::ImportReadings) {
    dialog->setWindowTitle(ToQString(readings::kImportTitle));
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setNameFilters({ToQString(readings::kReadingsFilter), ToQString(captions::kAllFilesFilter)});
    ApplyFileDialogLanguage(dialog, language);
    return dialog;
  }
  if (kind == FileDialogKind::OpenSpectra) {
    dialog->setWindowTitle(ToQString(captions::kOpenSpectraTitle));
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setNameFilters({ToQString(captions::kSpectraFilter), ToQString(captions::kAllFilesFilter)});
    ApplyFileDialogLanguage(dialog, language);
    return dialog;
  }
  const bool workbook = kind == FileDialogKind::ExportWorkbook;
  // The title goes first: set before the accept mode, it stays as set whatever the language.
  dialog->setWindowTitle(ToQString(workbook ? workbooktexts::kDialogTitle : captions::kSaveTitle));
  dialog->setAcceptMode(QFileDialog::AcceptSave);
  dialog->setFileMode(QFileDialog::AnyFile);
  ApplyFileDialogLanguage(dialog, language);
  if (workbook) {
    dialog->setDefaultSuffix(QStringLiteral("xlsx"));
    dialog->setNameFilters({ToQString(workbooktexts::kDialogFilter), ToQString(captions::kAllFilesFilter)});
    dialog->selectFile(ToQString(workbooktexts::kInitialFileName));
    return dialog;
  }
  const bool excel = kind == FileDialogKind::SaveExcel;
  // The suffix a name typed without one gets; replacing a file is confirmed in the dialog.
  dialog->setDefaultSuffix(excel ? QStringLiteral("xls") : QStringLiteral("ods"));
  dialog->setNameFilters(excel ? QStringList{ToQString(captions::kExcelFilter), ToQString(captions::kCalcFilter)}
                               : QStringList{ToQString(captions::kCalcFilter), ToQString(captions::kExcelFilter)});
  dialog->selectFile(ToQString(captions::kInitialFileName));
  return dialog;
}

void RememberChoice(QFileDialog* dialog, const QString& path) {
  const QFileInfo info(path);
  dialog->setDirectory(info.absolutePath());
  dialog->selectFile(info.fileName());
  Settings().setValue(QString::fromLatin1(kLastFolderKey), info.absolutePath());
}

}  // namespace tintavis
