// The main window Form1: the sample's fields, "Calcular", the results grid, the CIELAB charts,
// the colour swatch, the main menu and the popup menu. The handlers turn widget state into calls
// of the GUI-free workflow and show what comes back.
#pragma once

#include <QMainWindow>

#include "app/sampleworkflow.h"

class QAction;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;

namespace tintavis {

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

 public slots:
  void CalcularClick();
  void Button1Click();
  void Borrartodo1Click();
  void Salir1Click();
  void Resultados1SelectCell(int row);

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

  void BuildControls();
  void BuildMenus();
  void RefreshCharts();
  QLineEdit* FieldFor(InputField field) const;
  SampleForm ReadForm() const;

  SampleSession session_;
  char separator_;
  bool numberingEnabled_ = false;

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
};

}  // namespace tintavis
