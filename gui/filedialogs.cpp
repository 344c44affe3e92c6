#include "gui/filedialogs.h"

#include <QFileDialog>
#include <QFileInfo>

namespace tintavis {
namespace {

constexpr const char* kExcelFilter = "Archivos Excel (*.xls)";
constexpr const char* kCalcFilter = "Archivos Calc (*.ods)";
constexpr const char* kSunOfficeFilter = "Archivos SunOffice (*.ods)";
constexpr const char* kAllFilter = "Todos los archivos (*.*)";
constexpr const char* kInitialName = "Coordenadas";

}  // namespace

QFileDialog* MakeFileDialog(QWidget* parent, const char* objectName, FileDialogKind kind) {
  auto* dialog = new QFileDialog(parent);
  dialog->setObjectName(objectName);
  // Qt's own dialog: the same on every desktop, with the Spanish texts below.
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  dialog->setLabelText(QFileDialog::LookIn, QStringLiteral("Buscar en:"));
  dialog->setLabelText(QFileDialog::FileName, QStringLiteral("Nombre:"));
  dialog->setLabelText(QFileDialog::FileType, QStringLiteral("Tipo:"));
  dialog->setLabelText(QFileDialog::Reject, QStringLiteral("Cancelar"));
  if (kind == FileDialogKind::Open) {
    dialog->setWindowTitle(QStringLiteral("Abrir un archivo"));
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFiles);
    dialog->setLabelText(QFileDialog::Accept, QStringLiteral("Abrir"));
    dialog->setNameFilters({QString::fromUtf8(kExcelFilter), QString::fromUtf8(kSunOfficeFilter),
                            QString::fromUtf8(kAllFilter)});
    return dialog;
  }
  dialog->setWindowTitle(QStringLiteral("Guardar como"));
  dialog->setAcceptMode(QFileDialog::AcceptSave);
  dialog->setFileMode(QFileDialog::AnyFile);
  dialog->setLabelText(QFileDialog::Accept, QStringLiteral("Guardar"));
  const bool excel = kind == FileDialogKind::SaveExcel;
  // The suffix a name typed without one gets; replacing a file is confirmed in the dialog.
  dialog->setDefaultSuffix(excel ? QStringLiteral("xls") : QStringLiteral("ods"));
  dialog->setNameFilters(excel ? QStringList{kExcelFilter, kCalcFilter} : QStringList{kCalcFilter, kExcelFilter});
  dialog->selectFile(QString::fromLatin1(kInitialName));
  return dialog;
}

void RememberChoice(QFileDialog* dialog, const QString& path) {
  const QFileInfo info(path);
  dialog->setDirectory(info.absolutePath());
  dialog->selectFile(info.fileName());
}

}  // namespace tintavis
