// The colour difference window with the real program around it.
#include "gui/differencewindow.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QStandardItemModel>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "tests/support/recordingmessenger.h"
#include "gui/gridview.h"
#include "gui/program.h"

namespace {

class DifferenceWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    program.mainWindow.SetDecimalSeparator('.');
    program.mainWindow.show();
  }
  void Calculate(const QString& name, const QStringList& absorbances) {
    const char* fields[] = {"NomMuestra", "Espesor", "referido", "PrimLong", "SegLong", "TercLong", "CuartLong"};
    const QStringList values = QStringList{name, "2", "10"} + absorbances;
    for (int i = 0; i < 7; ++i) program.mainWindow.findChild<QLineEdit*>(fields[i])->setText(values[i]);
    program.mainWindow.Calculate();
    QCoreApplication::processEvents();
  }
  QTableView* Table() { return program.differences.findChild<QTableView*>("DifferenceGrid"); }
  int Rows() { return Table()->model()->rowCount(); }
  QString Cell(int row, int column) { return Table()->model()->index(row, column).data().toString(); }
  void Open() {
    program.mainWindow.findChild<QAction*>("Diferenciadecolor1")->trigger();
    QCoreApplication::processEvents();
  }

  tintavis::testing::RecordingMessenger messages;
  tintavis::Program program;
};

TEST_F(DifferenceWindowTest, OpensFromOptionsWithEverySampleAgainstTheChosenReference) {
  Calculate("Crianza", {"0.5", "0.8", "0.6", "0.2"});
  Calculate("Joven", {"0.62", "1.05", "0.78", "0.21"});
  Open();
  EXPECT_TRUE(program.differences.isVisible());
  EXPECT_EQ(program.differences.windowTitle(), "Diferencia de color");
  auto* reference = program.differences.findChild<QComboBox*>("ReferenceBox");
  ASSERT_EQ(reference->count(), 2);
  EXPECT_EQ(reference->itemText(0), "1  Crianza ");
  ASSERT_EQ(Rows(), 2);
  EXPECT_EQ(Cell(0, 7), "0.00");
  EXPECT_EQ(Cell(1, 1), "Joven ");
  // From the full values, as the batch tool: L* 11.978 -> 10.917 is ΔL* -1.06, where the grid's
  // texts 12.0 and 10.9 would give -1.10.
  EXPECT_EQ(Cell(1, 2), "-1.06");
  const QString joven = Cell(1, 8);
  EXPECT_NE(joven, "0.00");

  // The other sample as reference: the first row now differs by the same ΔE00.
  reference->setCurrentIndex(1);
  emit reference->activated(1);
  EXPECT_EQ(Cell(1, 8), "0.00");
  EXPECT_EQ(Cell(0, 8), joven);
  EXPECT_EQ(Cell(0, 2), "1.06");
}

TEST_F(DifferenceWindowTest, FollowsTheGridAfterACalculationAndAfterNew) {
  Calculate("Crianza", {"0.5", "0.8", "0.6", "0.2"});
  Open();
  EXPECT_EQ(Rows(), 1);
  Calculate("Joven", {"0.62", "1.05", "0.78", "0.21"});
  EXPECT_EQ(Rows(), 2);
  program.mainWindow.findChild<QAction*>("Nuevo1")->trigger();
  QCoreApplication::processEvents();
  EXPECT_EQ(Rows(), 0);
}

TEST_F(DifferenceWindowTest, ARowWithoutLabShowsEmptyCellsAndOneMessageLine) {
  Calculate("A", {"0.5", "0.8", "0.6", "0.2"});
  Calculate("B", {"0.62", "1.05", "0.78", "0.21"});
  Open();
  auto* grid = program.mainWindow.findChild<QTableView*>("Resultados1");
  // A typed text that is no number never reaches the row.
  EXPECT_FALSE(grid->model()->setData(grid->model()->index(1, 8), "abc"));
  QCoreApplication::processEvents();
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(Cell(1, 0), "2");
  EXPECT_NE(Cell(1, 7), "");
  messages.messages.clear();
  // A row read from a file written elsewhere may keep no a*.
  auto& store = program.mainWindow.Session().store;
  std::vector<tintavis::StoredSample> rows = store.Samples();
  rows[1].values[6] = std::nullopt;
  store.Load(rows);
  static_cast<tintavis::GridModel&>(program.mainWindow.GridItemModel()).AllChanged();
  EXPECT_EQ(Cell(1, 0), "2");
  EXPECT_EQ(Cell(1, 7), "");
  EXPECT_EQ(program.differences.findChild<QLabel*>("MessageLine")->text(), "Filas sin L*, a*, b* válidos: 2.");
  EXPECT_TRUE(messages.messages.empty());  // no error box per row
}

TEST_F(DifferenceWindowTest, SpeaksTheLanguageOfTheProgram) {
  Calculate("A", {"0.5", "0.8", "0.6", "0.2"});
  Open();
  program.mainWindow.SwitchToEnglish();
  EXPECT_EQ(program.differences.windowTitle(), "Colour difference");
  EXPECT_EQ(Table()->model()->headerData(1, Qt::Horizontal).toString(), "Sample");
  EXPECT_EQ(program.differences.findChild<QPushButton*>("CopyButton")->text(), "Copy");
  EXPECT_EQ(program.mainWindow.findChild<QAction*>("Diferenciadecolor1")->text(), "Colour difference");
  program.mainWindow.SwitchToSpanish();
  EXPECT_EQ(program.differences.findChild<QPushButton*>("CopyButton")->text(), "Copiar");
}

TEST_F(DifferenceWindowTest, CopyPutsTheTableOnTheClipboardWithAHeader) {
  Calculate("A", {"0.5", "0.8", "0.6", "0.2"});
  Open();
  program.differences.findChild<QPushButton*>("CopyButton")->click();
  EXPECT_EQ(QApplication::clipboard()->text(),
            QString::fromUtf8("nº\tMuestra\tΔL*\tΔa*\tΔb*\tΔC*\tΔH*\tΔE*ab\tΔE00\n"
                              "1\tA \t0.00\t0.00\t0.00\t0.00\t0.00\t0.00\t0.00\n"));
}

}  // namespace

namespace {

// The quality control as a user sets it: the uncertainty from Options, a typed target, a
// tolerance, then the rule; the verdicts follow each change, and the copy carries them.
TEST_F(DifferenceWindowTest, ATargetAndToleranceGiveVerdictsByTheRuleWithTheUncertaintySet) {
  Calculate("Crianza", {"0.5", "0.8", "0.6", "0.2"});
  Calculate("Joven", {"0.62", "1.05", "0.78", "0.21"});
  Open();
  auto* rule = program.differences.findChild<QComboBox*>("RuleBox");
  auto* guarded = qobject_cast<QStandardItemModel*>(rule->model())->item(1);
  EXPECT_FALSE(guarded->isEnabled());

  program.mainWindow.findChild<QAction*>("Incertidumbre1")->trigger();
  auto* dialog = program.mainWindow.findChild<QDialog*>("UncertaintyDialog");
  ASSERT_NE(dialog, nullptr);
  dialog->findChild<QLineEdit*>("AbsorbanceUncertainty")->setText("abc");
  dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
  EXPECT_TRUE(dialog->isVisible());  // refused, with what was typed
  EXPECT_FALSE(dialog->findChild<QLabel*>("UncertaintyError")->text().isEmpty());
  dialog->findChild<QLineEdit*>("AbsorbanceUncertainty")->setText("0,005");
  dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
  EXPECT_FALSE(dialog->isVisible());
  ASSERT_TRUE(program.mainWindow.Uncertainty());
  EXPECT_TRUE(guarded->isEnabled());

  program.differences.findChild<QCheckBox*>("UseTarget")->setChecked(true);
  const tintavis::StoredSample& crianza = program.mainWindow.Session().store.Sample(1);
  program.differences.findChild<QLineEdit*>("TargetL")->setText(QString::number(*crianza.values[3], 'g', 17));
  program.differences.findChild<QLineEdit*>("TargetA")->setText(QString::number(*crianza.values[6], 'g', 17));
  program.differences.findChild<QLineEdit*>("TargetB")->setText(QString::number(*crianza.values[7], 'g', 17));
  EXPECT_EQ(Table()->model()->columnCount(), tintavis::kDifferenceColumns);  // no tolerance yet
  const double joven = Cell(1, 8).toDouble();
  program.differences.findChild<QLineEdit*>("Tolerance")->setText(QString::number(joven + 0.05));
  ASSERT_EQ(Table()->model()->columnCount(), tintavis::kDifferenceColumns + tintavis::kCheckColumns);
  EXPECT_EQ(Cell(1, 10), "Conforme");
  rule->setCurrentIndex(1);
  EXPECT_EQ(Cell(1, 10), "Indeterminado");
  EXPECT_EQ(Cell(0, 10), "Conforme");
  auto* line = program.differences.findChild<QLabel*>("CheckLine");
  EXPECT_TRUE(line->text().endsWith("1 de 2 conformes")) << line->text().toStdString();

  program.differences.findChild<QPushButton*>("CopyButton")->click();
  EXPECT_TRUE(QApplication::clipboard()->text().contains("\tIndeterminado\n"));
  program.differences.findChild<QLineEdit*>("Tolerance")->setText("x");
  EXPECT_EQ(Table()->model()->columnCount(), tintavis::kDifferenceColumns);
  EXPECT_EQ(line->text(), "Tolerancia: «x» no es un número");
}

}  // namespace
