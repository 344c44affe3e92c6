// The main window Form1: the sample's fields, "Calcular", the results grid, the CIELAB charts,
// the colour swatch, the main menu and the popup menu. The handlers turn widget state into calls
// of the GUI-free workflow and show what comes back.
#pragma once

#include <QMainWindow>
#include <memory>
#include <optional>
#include <string>

#include "core/uncertainty.h"
#include "gui/chartimages.h"
#include "gui/filedialogs.h"
#include "gui/gridcommands.h"
#include "io/fileidentity.h"
#include "io/labreport.h"
#include "logic/sampleworkflow.h"
#include "logic/spectrachoices.h"
#include "logic/workbooksheets.h"

class QAction;
class QFileDialog;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPrintDialog;
class QPrinter;
class QPushButton;
class QRadioButton;
class QAbstractItemModel;
class QUndoStack;

namespace tintavis {

class AboutWindow;
class DetailsDialog;
class DifferenceWindow;
class UncertaintyDialog;
class HelpWindow;
class LabReportDialog;
class NumberingDialog;
class QtTranslations;
class QuickEntryWindow;
class SpectraDialog;
class GridModel;
class GridView;

class MainWindow : public QMainWindow, public WorkflowView {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  SampleSession& Session() { return session_; }
  // The grid's model over the session's store, which the difference window follows.
  QAbstractItemModel& GridItemModel();
  // Every change of the grid, undone and redone in turn; clean when the grid is as last saved,
  // opened or cleared.
  QUndoStack& UndoStack() { return *undoStack_; }
  char DecimalSeparator() const { return separator_; }
  void SetDecimalSeparator(char separator);
  const ChartImages& Charts() const { return charts_; }
  QColor SwatchColourShown() const;
  // The windows around this one, created after it at start-up. The numbering, quick entry and
  // colour difference windows become windows of this one: they stay in front of it. Each is
  // still destroyed by its owner, before this window.
  void AttachWindows(AboutWindow* about, HelpWindow* help, NumberingDialog* numbering, QuickEntryWindow* quickEntry,
                     DifferenceWindow* differences = nullptr);

  // The file commands' work once a file has been chosen: the grid saved to `path`, or `path`
  // read whole and, when good, put in the grid. False after a failure, which was shown.
  bool SaveFile(const QString& path);
  bool OpenFile(const QString& path);
  // "Abrir espectros" once the file and the choices are known: the spectra read whole and, when
  // the file is good, their full-method values put in the grid and the check of the
  // four-wavelength estimate shown. False after a failure, which was shown.
  bool OpenSpectraFile(const QString& path, const SpectraChoices& choices);
  // "Exportar a Excel (.xlsx)…" once the file has been chosen: the samples as a spreadsheet
  // workbook, with the colour difference table when its window is open. False after a failure,
  // which was shown. The grid's unsaved mark stays: a workbook is not a data file.
  bool ExportWorkbookFile(const QString& path);
  // "Importar lecturas…" once the file has been chosen: every reading computed as "Calcular"
  // computes what is typed, after the rows there are, as one change to undo; the lines left out
  // are listed in one box at the end. False when the file could not be read, which was shown.
  bool ImportReadingsFile(const QString& path);
  // The sheets that export writes now: samples and method, and the colour differences while
  // their window is open with samples to compare.
  std::vector<Sheet> WorkbookSheets() const;

  // Before a command throws the grid away: with unsaved samples, asks whether to save them
  // first. True when the command may go on (nothing unsaved, saved, or "No guardar").
  bool MaySetSamplesAside();

  // The one language value of the program; every message asks it when it is produced.
  Language CurrentLanguage() const { return language_; }

  // The report page as "Imprimir" sends it once the print dialog was accepted: portrait, the
  // samples of the grid, the window caption, the language and the date and time of now; to a
  // PDF file through WriteReportPdf. What went wrong (without full stop) when the printer could
  // not take it or the file could not be written.
  std::optional<std::string> PrintReportOn(QPrinter& printer);

  // The PDF file the print dialog proposes: the folder of the last one printed, or else the
  // user's documents folder, and the name of the file in the caption ("TINTAVIS" before any)
  // with ".pdf".
  QString ProposedPdfFile() const;

  // The laboratory report as "Informe del laboratorio" sends it once the print dialog was
  // accepted: portrait, the grid's samples with `details`, the data file's name, the date and
  // time of now and, while the colour difference window shows, ΔE00 to its reference. A PDF
  // file is made archivable (PDF/A-1b) and written as "Imprimir" writes one. What went wrong,
  // or nothing.
  std::optional<std::string> LabReportOn(QPrinter& printer, LabReportDetails details);
  // The laboratory report of the grid with `details`: against the colour difference window's
  // reference or target and tolerance while it is open, with the uncertainty set.
  LabReportContent LabReportContentOf(LabReportDetails details) const;

 public slots:
  void Calculate();
  void ShowQuickEntry();
  void ClearAllSamples();
  void Exit();
  void SwitchToEnglish();
  void SwitchToSpanish();
  void ShowNumberingDialog();
  void Open();
  void OpenSpectra();
  void SaveExcelFile();
  void SaveCalcFile();
  void ExportWorkbook();
  void ImportReadings();
  void Print();
  // "Informe del laboratorio": its dialog, then the print dialog.
  void LaboratoryReport();
  void ShowHelp();
  void ShowAbout();
  void ShowColourDifferences();
  // "Incertidumbre…": u(A) and u(d) for the difference window's U and the details.
  void AskUncertainty();
  const std::optional<InputUncertainty>& Uncertainty() const { return uncertainty_; }
  void RedisplaySelectedRow(int row);
  // "Borrar fila(s)" and Supr: the samples of the selected rows removed, the rows below moving up.
  void DeleteSelectedRows();
  // Ctrl+C on the grid: the selected block on the clipboard, with its headings.
  void CopySelectedCells();
  // "Detalles": the inputs, time and origin of the selected row's sample.
  void ShowRowDetails();
  void Undo();
  void Redo();

 signals:
  // The language switch rewrote the main window; the other windows follow.
  void languageChanged(Language language);

 protected:
  // Each time the window becomes the active one, the tool windows shown are raised over it.
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  // Until it is first closed, the quick entry window follows the window's size to its place at
  // start.
  void resizeEvent(QResizeEvent* event) override;

 private:
  // WorkflowView
  void ShowRow(int row) override;
  void ShowAllCells() override;
  void ShowRowCount(int rows) override;
  void PlotAbLabel(int row, double a, double b) override;
  void PlotLLabel(int row, double L) override;
  void DrawEmptyCharts() override;
  void SetSwatch(SwatchColour colour) override;
  void ShowMessage(const Message& message) override;
  void ResetNumbering() override;
  void EmptyInputFields() override;
  void FocusNameField() override;

  void ApplyLanguage(Language language);
  void PlaceQuickEntry();
  // The grid, the charts and the swatch at the places the client's size gives them.
  void FitControls();
  void ShowTooltips(Language language);
  // The change just made, from `before`, as one command of the undo stack.
  void Record(GridAction action, SampleStore::State before);
  // Undo and redo: the store put back to `state`, the grid and both charts shown from it.
  void ApplyState(const SampleStore::State& state);
  void ScrollToRow(int row);
  bool SaveThrough(QFileDialog* dialog);
  QFileDialog* Dialog(QFileDialog*& dialog, const char* name, FileDialogKind kind);
  void SetCaptionForFile(const QString& path);
  void CentreHeading(QLabel* label);
  void BuildControls();
  void BuildMenus();
  void RefreshCharts();
  QLineEdit* FieldFor(InputField field) const;
  // The print dialog made (again after a language switch) and shown for a document of `pages`
  // pages named `docName`; false when it was cancelled or there is nowhere to print, which was
  // shown.
  bool ChoosePrinter(const QString& docName, int pages);
  SampleForm ReadForm() const;

  // Qt's own texts (standard buttons, file and print dialogs) in the program's language.
  std::unique_ptr<QtTranslations> qtTexts_;
  SampleSession session_;
  // A file opened with more samples than the grid holds, and how many it has: saving over it
  // asks first.
  std::optional<FileIdentity> truncatedFile_;
  int truncatedFileSamples_ = 0;
  QString dataFile_;  // the name of the file last saved or opened, without its folder
  char separator_;
  Language language_ = Language::Spanish;

  QWidget* client_ = nullptr;
  QGroupBox* wineTypeBox_ = nullptr;
  QRadioButton* redRose_ = nullptr;
  QRadioButton* whiteBrandy_ = nullptr;
  QLineEdit* nameField_ = nullptr;
  QLineEdit* measurementPathField_ = nullptr;
  QLineEdit* resultPathField_ = nullptr;
  QLineEdit* absorbanceFields_[4] = {};
  QPushButton* quickEntryButton_ = nullptr;
  QPushButton* calculateButton_ = nullptr;
  GridModel* gridModel_ = nullptr;
  GridView* gridView_ = nullptr;
  QLabel* abChart_ = nullptr;
  QLabel* lScale_ = nullptr;
  QFrame* swatch_ = nullptr;
  ChartImages charts_;
  QMenu* popup_ = nullptr;
  QAction* englishItem_ = nullptr;  // "Language → English", shown while in Spanish
  QAction* spanishItem_ = nullptr;  // "Idioma → Español", shown while in English
  QFileDialog* calcSaveDialog_ = nullptr;  // "Archivo Calc", .ods first
  QFileDialog* excelSaveDialog_ = nullptr;  // "Archivo Excel", .xls first
  QFileDialog* openDialog_ = nullptr;
  QFileDialog* spectraFileDialog_ = nullptr;
  QFileDialog* workbookDialog_ = nullptr;  // "Exportar a Excel (.xlsx)…"
  QFileDialog* importDialog_ = nullptr;    // "Importar lecturas…"
  SpectraDialog* spectraDialog_ = nullptr;  // made at the first "Abrir espectros", keeps its values
  // Created at the first "Imprimir" and kept, so that the dialog offers the last choices again.
  std::unique_ptr<QPrinter> printer_;
  std::unique_ptr<QPrintDialog> printDialog_;  // after the printer: destroyed before it
  Language printDialogLanguage_ = Language::Spanish;  // the language its texts were made in
  AboutWindow* about_ = nullptr;
  HelpWindow* help_ = nullptr;
  NumberingDialog* numbering_ = nullptr;
  QuickEntryWindow* quickEntry_ = nullptr;
  DifferenceWindow* differences_ = nullptr;
  int nameColumnExtra_ = 0;  // the width the grown layout gave the name column
  bool quickEntryClosed_ = false;  // once closed, it stays where the user leaves it
  QSize placedFrame_;  // the quick entry window's frame when it was last placed
  UncertaintyDialog* uncertaintyDialog_ = nullptr;
  std::optional<InputUncertainty> uncertainty_;
  DetailsDialog* details_ = nullptr;  // made at the first "Detalles"
  LabReportDialog* labReportDialog_ = nullptr;  // made at the first "Informe del laboratorio"
  QUndoStack* undoStack_ = nullptr;
  SampleStore::State editBefore_;  // the store before the cell edit under way
};

}  // namespace tintavis
