// The main window Form1: the sample's fields, "Calcular", the results grid, the CIELAB charts,
// the colour swatch, the main menu and the popup menu. The handlers turn widget state into calls
// of the GUI-free workflow and show what comes back.
#pragma once

#include <QMainWindow>
#include <memory>

#include "gui/filedialogs.h"
#include "logic/sampleworkflow.h"

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
class QTimer;

namespace tintavis {

class AboutWindow;
class DifferenceWindow;
class HelpWindow;
class NumberingDialog;
class QuickEntryWindow;
class ChartImages;
class GridModel;
class GridView;

class MainWindow : public QMainWindow, public WorkflowView {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  SampleSession& Session() { return session_; }
  char DecimalSeparator() const { return separator_; }
  void SetDecimalSeparator(char separator) { separator_ = separator; }
  const ChartImages& Charts() const { return *charts_; }
  QColor SwatchColourShown() const;
  // The windows around this one, created after it at start-up.
  void AttachWindows(AboutWindow* about, HelpWindow* help, NumberingDialog* numbering, QuickEntryWindow* quickEntry,
                     DifferenceWindow* differences = nullptr);

  // The file commands' work once a file has been chosen: the grid saved to `path`, or `path`
  // read whole and, when good, put in the grid. False after a failure, which was shown.
  bool SaveFile(const QString& path);
  bool OpenFile(const QString& path);

  // The one language value of the program; every message asks it when it is produced.
  bool IsEnglish() const { return english_; }

  // The report page as "Imprimir" sends it once the print dialog was accepted: portrait, the
  // samples of the grid, the window caption, the language and the date and time of now. False
  // when the printer could not take it.
  bool PrintReportOn(QPrinter& printer);

 public slots:
  void CalcularClick();
  void Button1Click();
  void Borrartodo1Click();
  void Salir1Click();
  void English1Click();
  void Espanol1Click();
  void Nmerodemuestra1Click();
  void Abrir1Click();
  void ArchivoExcel1Click();
  void ArchivoCalc1Click();
  void Imprimir1Click();
  void AyudaClick();
  void Acercade1Click();
  void Diferenciadecolor1Click();
  void Resultados1SelectCell(int row);

 signals:
  // The language switch rewrote the main window; the other windows follow.
  void languageChanged(bool english);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

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

  void ApplyLanguage(bool english);
  void SaveThrough(QFileDialog* dialog);
  QFileDialog* Dialog(QFileDialog*& dialog, const char* name, FileDialogKind kind);
  void SetCaptionForFile(const QString& path);
  void CentreHeading(QLabel* label);
  void BuildControls();
  void BuildMenus();
  void RefreshCharts();
  QLineEdit* FieldFor(InputField field) const;
  SampleForm ReadForm() const;

  SampleSession session_;
  char separator_;
  bool english_ = false;

  QWidget* client_ = nullptr;
  QGroupBox* groupBox1_ = nullptr;
  QRadioButton* radioButton1_ = nullptr;
  QRadioButton* radioButton2_ = nullptr;
  QLineEdit* nomMuestra_ = nullptr;
  QLineEdit* espesor_ = nullptr;
  QLineEdit* referido_ = nullptr;
  QLineEdit* absorbance_[4] = {};
  QPushButton* button1_ = nullptr;
  QPushButton* calcular_ = nullptr;
  GridModel* gridModel_ = nullptr;
  GridView* grid_ = nullptr;
  QLabel* imagen_ = nullptr;
  QLabel* image2_ = nullptr;
  QFrame* panel7_ = nullptr;
  ChartImages* charts_ = nullptr;
  QMenu* popup_ = nullptr;
  QFileDialog* saveDialog1_ = nullptr;  // "Archivo Calc", .ods first
  QFileDialog* saveDialog2_ = nullptr;  // "Archivo Excel", .xls first
  QFileDialog* openDialog1_ = nullptr;
  // Created at the first "Imprimir" and kept, so that the dialog offers the last choices again.
  std::unique_ptr<QPrinter> printer_;
  QPrintDialog* printDialog1_ = nullptr;
  AboutWindow* about_ = nullptr;
  HelpWindow* help_ = nullptr;
  NumberingDialog* numbering_ = nullptr;
  QuickEntryWindow* quickEntry_ = nullptr;
  DifferenceWindow* differences_ = nullptr;
  QTimer* differencesRefresh_ = nullptr;  // coalesces the grid's changes of one command
};

}  // namespace tintavis
