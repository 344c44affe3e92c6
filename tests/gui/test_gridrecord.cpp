// The grid as the lab's record, through the real program: the model over the sample store,
// edits checked, rows deleted, undo and redo, block copy, a row's details.
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QUndoStack>

#include "gui/detailsdialog.h"
#include "tests/support/programfixture.h"

namespace {

using tintavis::MessageDisplay;

class GridRecordTest : public tintavis::testing::ProgramWithFolderTest {
 protected:
  void SetUp() override {
    ProgramWithFolderTest::SetUp();
    window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
  }
  QTableView* Grid() { return window().findChild<QTableView*>("Resultados1"); }
  QAbstractItemModel* Model() { return Grid()->model(); }
  QString Text(int storeRow, int column) { return Model()->index(storeRow - 1, column).data().toString(); }
  QAction* Action(const char* name) { return window().findChild<QAction*>(name); }
  void Calculate(const QString& name, const QString& a520 = "0.8") {
    const char* fields[] = {"NomMuestra", "Espesor", "referido", "PrimLong", "SegLong", "TercLong", "CuartLong"};
    const QStringList values = {name, "2", "10", "0.5", a520, "0.6", "0.2"};
    for (int i = 0; i < 7; ++i) window().findChild<QLineEdit*>(fields[i])->setText(values[i]);
    window().Calculate();
  }
  void SelectBlock(int firstRow, int firstColumn, int lastRow, int lastColumn) {
    Grid()->setFocus();
    Grid()->setCurrentIndex(Model()->index(firstRow - 1, firstColumn));
    Grid()->selectionModel()->select(
        QItemSelection(Model()->index(firstRow - 1, firstColumn), Model()->index(lastRow - 1, lastColumn)),
        QItemSelectionModel::ClearAndSelect);
  }
};

TEST_F(GridRecordTest, BothModelsHonourTheItemModelContractThroughEveryCommand) {
  QAbstractItemModelTester grid(Model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
  QAbstractItemModelTester differences(&program.differences.Model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
  for (int i = 0; i < 14; ++i) Calculate("M");
  Model()->setData(Model()->index(2, 9), "16,2");
  SelectBlock(2, 1, 4, 3);
  QTest::keyClick(Grid(), Qt::Key_Delete);
  Action("Deshacer1")->trigger();
  Action("Borrartodo1")->trigger();
  Action("Deshacer1")->trigger();
  Action("Rehacer1")->trigger();
  EXPECT_EQ(Model()->rowCount(), 12);
  EXPECT_EQ(program.differences.Model().rowCount(), 0);
}

TEST_F(GridRecordTest, AnEditedValueUpdatesTheRecordAndShowsItalicWithATooltip) {
  Calculate("M");
  ASSERT_TRUE(Model()->setData(Model()->index(0, 9), "16,2"));
  EXPECT_EQ(Text(1, 9), "16.2");
  EXPECT_DOUBLE_EQ(*window().Session().store.Sample(1).values[7], 16.2);
  EXPECT_TRUE(Model()->index(0, 3).data(Qt::FontRole).value<QFont>().italic());
  EXPECT_TRUE(Model()->index(0, 3).data(Qt::ToolTipRole).toString().endsWith("editado a mano"));
  window().SwitchToEnglish();
  EXPECT_TRUE(Model()->index(0, 3).data(Qt::ToolTipRole).toString().endsWith("edited by hand"));
  EXPECT_TRUE(window().Session().unsavedSamples);

  // A text that is no number keeps the cell as it was and says why, once the edit has ended.
  EXPECT_FALSE(Model()->setData(Model()->index(0, 2), "abc"));
  EXPECT_EQ(Text(1, 2), "3.213");
  QCoreApplication::processEvents();
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].display, MessageDisplay::ErrorDisplay);
  EXPECT_EQ(messages.messages[0].text.rfind("'abc' is not a number.", 0), 0u);
  // The saved file keeps the edited text.
  ASSERT_TRUE(window().SaveFile(Path("editado.xls")));
  ASSERT_TRUE(window().OpenFile(Path("editado.xls")));
  EXPECT_EQ(Text(1, 9), "16.2");
}

TEST_F(GridRecordTest, DeleteRemovesTheSelectedRowsAndUndoRedoGoBackAndForth) {
  for (const char* n : {"A", "B", "C"}) Calculate(n);
  SelectBlock(2, 1, 2, 4);
  QTest::keyClick(Grid(), Qt::Key_Delete);
  EXPECT_EQ(Text(2, 1), "C ");
  EXPECT_EQ(Text(3, 1), "");
  EXPECT_EQ(window().Session().NextRow(), 3);
  Calculate("D");
  EXPECT_EQ(Text(3, 1), "D ");

  QTest::keyClick(Grid(), Qt::Key_Z, Qt::ControlModifier);  // the calculation of D
  QTest::keyClick(Grid(), Qt::Key_Z, Qt::ControlModifier);  // the deletion
  EXPECT_EQ(Text(2, 1), "B ");
  EXPECT_EQ(Text(3, 1), "C ");
  EXPECT_EQ(window().Session().NextRow(), 4);
  QTest::keyClick(Grid(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Text(2, 1), "C ");
  // Ctrl+Y stays the help's key.
  EXPECT_EQ(Action("Ayuda")->shortcut(), QKeySequence("Ctrl+Y"));
  EXPECT_EQ(Action("Rehacer1")->shortcut(), QKeySequence("Ctrl+Shift+Z"));
}

TEST_F(GridRecordTest, TheChartsAfterADeletionAreThoseOfTheRemainingRows) {
  Calculate("A");
  Calculate("B", "0.7");
  Calculate("C");
  const QImage three = window().Charts().AbChart();
  SelectBlock(2, 1, 2, 1);
  Action("Borrarfilas1")->trigger();
  const QImage afterDelete = window().Charts().AbChart();
  EXPECT_NE(afterDelete, three);
  Action("Nuevo1")->trigger();
  Calculate("A");
  Calculate("C");
  EXPECT_EQ(window().Charts().AbChart(), afterDelete);
}

TEST_F(GridRecordTest, UndoBackToTheSavedStateClearsTheUnsavedMark) {
  Calculate("A");
  ASSERT_TRUE(window().SaveFile(Path("a.xls")));
  EXPECT_FALSE(window().Session().unsavedSamples);
  Calculate("B");
  EXPECT_TRUE(window().Session().unsavedSamples);
  Action("Deshacer1")->trigger();
  EXPECT_FALSE(window().Session().unsavedSamples);
  EXPECT_EQ(Text(2, 1), "");
  Action("Rehacer1")->trigger();
  EXPECT_TRUE(window().Session().unsavedSamples);
}

TEST_F(GridRecordTest, ClearAllAndOpeningAFileAreUndoneToo) {
  Calculate("A");
  Calculate("B");
  ASSERT_TRUE(window().SaveFile(Path("dos.xls")));
  Action("Borrartodo1")->trigger();
  EXPECT_EQ(Text(1, 1), "");
  Action("Deshacer1")->trigger();
  EXPECT_EQ(Text(2, 1), "B ");
  Calculate("C");
  ASSERT_TRUE(window().OpenFile(Path("dos.xls")));
  EXPECT_EQ(Text(3, 1), "");
  EXPECT_FALSE(window().Session().unsavedSamples);
  Action("Deshacer1")->trigger();
  EXPECT_EQ(Text(3, 1), "C ");
  EXPECT_EQ(window().Session().store.Sample(3).origin, tintavis::SampleOrigin::Calculated);
}

TEST_F(GridRecordTest, CtrlCCopiesTheSelectedBlockWithItsHeadings) {
  Calculate("A");
  Calculate("B");
  window().SetDecimalSeparator(',');
  Calculate("C");
  SelectBlock(1, 1, 3, 2);
  QTest::keyClick(Grid(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), "   Muestra\t     X\nA \t3.213\nB \t3.213\nC \t3,213\n");
}

TEST_F(GridRecordTest, DetailsFromThePopupShowTheRowsInputsAndTheTooltipToo) {
  Calculate("A");
  window().findChild<QLineEdit*>("PrimLong")->setText("0,5");
  window().Calculate();
  Grid()->setCurrentIndex(Model()->index(1, 3));
  window().findChild<QAction*>("Detalles2")->trigger();
  auto* details = window().findChild<tintavis::DetailsDialog*>();
  ASSERT_NE(details, nullptr);
  EXPECT_TRUE(details->isVisible());
  EXPECT_TRUE(details->Text().contains("Absorbancias: 450 nm 0,5; 520 nm 0.8"));
  EXPECT_TRUE(details->Text().contains("Espesor de resultado: 10 mm"));
  EXPECT_EQ(Model()->index(1, 5).data(Qt::ToolTipRole).toString(), details->Text());
  EXPECT_FALSE(Model()->index(5, 5).data(Qt::ToolTipRole).isValid());
}

TEST_F(GridRecordTest, EachNewRowIsScrolledIntoViewAndColumnsCanBeWidened) {
  for (int i = 0; i < 20; ++i) Calculate("M");
  EXPECT_TRUE(Grid()->viewport()->rect().contains(Grid()->visualRect(Model()->index(19, 1)).center()));
  QHeaderView* header = Grid()->horizontalHeader();
  EXPECT_EQ(header->sectionResizeMode(1), QHeaderView::Interactive);
  EXPECT_EQ(header->sectionSize(1), tintavis::ResultsGrid::kNameWidth);
  header->resizeSection(1, 120);
  EXPECT_EQ(header->sectionSize(1), 120);
}

TEST_F(GridRecordTest, TheEditMenuSpeaksBothLanguages) {
  EXPECT_EQ(Action("Borrarfilas1")->text(), "Borrar &fila(s)");
  EXPECT_EQ(Action("Deshacer1")->shortcut(), QKeySequence("Ctrl+Z"));
  window().SwitchToEnglish();
  EXPECT_EQ(Action("Borrarfilas1")->text(), "&Delete row(s)");
  EXPECT_EQ(Action("Deshacer1")->text(), "&Undo");
  EXPECT_EQ(Action("Detalles2")->text(), "Details");
}

}  // namespace
