// The sample numbering dialog (Form4) and the quick absorbance entry window (Form6), driven as
// the user drives them: clicks, typing, Enter, the close box and the language switch. Runs
// under the widget tests' main(), which creates the QApplication.
#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/recordingmessenger.h"
#include "gui/numberingdialog.h"
#include "gui/quickentry.h"

namespace tintavis {
namespace {

using testing::RecordingMessenger;

template <typename T>
T* Child(QWidget* window, const char* name) {
  T* child = window->findChild<T*>(QString::fromLatin1(name));
  EXPECT_NE(child, nullptr) << name;
  return child;
}

// The numbers the dialog has handed to the main window, in order.
std::vector<int> Numbers(const QSignalSpy& spy) {
  std::vector<int> numbers;
  for (const QList<QVariant>& call : spy) numbers.push_back(call.at(0).toInt());
  return numbers;
}

// ---- Numbering dialog -----------------------------------------------------------------------

class NumberingDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dialog = std::make_unique<NumberingDialog>();
    groupBox1 = Child<QGroupBox>(dialog.get(), "GroupBox1");
    si = Child<QRadioButton>(dialog.get(), "RadioButton1");
    no = Child<QRadioButton>(dialog.get(), "RadioButton2");
    label1 = Child<QLabel>(dialog.get(), "Label1");
    edit1 = Child<QLineEdit>(dialog.get(), "Edit1");
    ok = Child<QPushButton>(dialog.get(), "Button1");
    numbers = std::make_unique<QSignalSpy>(dialog.get(), &NumberingDialog::orderNumberChanged);
  }

  void ShowAndChooseSi() {
    dialog->ShowDialog();
    QTest::mouseClick(si, Qt::LeftButton);
  }

  RecordingMessenger messenger;
  std::unique_ptr<NumberingDialog> dialog;
  QGroupBox* groupBox1 = nullptr;
  QRadioButton* si = nullptr;
  QRadioButton* no = nullptr;
  QLabel* label1 = nullptr;
  QLineEdit* edit1 = nullptr;
  QPushButton* ok = nullptr;
  std::unique_ptr<QSignalSpy> numbers;
};

TEST_F(NumberingDialogTest, IsBuiltHiddenAsAModelessFixedSizeDialog) {
  EXPECT_EQ(dialog->objectName(), "Form4");
  EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("Número de la muestra"));
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_FALSE(dialog->isModal());
  EXPECT_EQ(dialog->size(), QSize(298, 157));
  EXPECT_EQ(dialog->minimumSize(), QSize(298, 157));
  EXPECT_EQ(dialog->maximumSize(), QSize(298, 157));
}

TEST_F(NumberingDialogTest, HasItsControlsAtTheirPlaces) {
  EXPECT_EQ(groupBox1->geometry(), QRect(17, 23, 189, 68));
  EXPECT_EQ(si->parentWidget(), groupBox1);
  EXPECT_EQ(no->parentWidget(), groupBox1);
  EXPECT_EQ(si->pos(), QPoint(70, 19));
  EXPECT_EQ(no->pos(), QPoint(70, 41));
  EXPECT_EQ(label1->pos(), QPoint(215, 36));
  EXPECT_EQ(edit1->geometry(), QRect(229, 53, 39, 21));
  EXPECT_EQ(ok->geometry(), QRect(104, 110, 75, 25));
}

TEST_F(NumberingDialogTest, StartsWithNoChosenAndADisabledOneInTheField) {
  EXPECT_EQ(groupBox1->title(), QString::fromUtf8("Añadir número de orden a la muestra"));
  EXPECT_EQ(si->text(), QString::fromUtf8("Sí"));
  EXPECT_EQ(no->text(), "No");
  EXPECT_EQ(label1->text(), "Comenzar por...");
  EXPECT_EQ(ok->text(), "OK");
  EXPECT_FALSE(si->isChecked());
  EXPECT_TRUE(no->isChecked());
  EXPECT_EQ(edit1->text(), "1");
  EXPECT_FALSE(edit1->isEnabled());
  EXPECT_FALSE(label1->isEnabled());
  EXPECT_FALSE(dialog->NumberingEnabled());
}

TEST_F(NumberingDialogTest, ShowsItselfAtItsPlaceTheFirstTimeAndWhereItWasLeftLater) {
  dialog->ShowDialog();
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(dialog->pos(), QPoint(363, 157));
  dialog->move(500, 300);
  dialog->close();
  ASSERT_FALSE(dialog->isVisible());
  dialog->ShowDialog();
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(dialog->pos(), QPoint(500, 300));
}

TEST_F(NumberingDialogTest, ChoosingSiEnablesAndFocusesTheFieldWithoutTouchingTheNumber) {
  ShowAndChooseSi();
  EXPECT_TRUE(dialog->NumberingEnabled());
  EXPECT_TRUE(edit1->isEnabled());
  EXPECT_TRUE(label1->isEnabled());
  EXPECT_EQ(dialog->focusWidget(), edit1);
  EXPECT_EQ(edit1->text(), "1");
  EXPECT_EQ(edit1->selectedText(), "1");
  EXPECT_EQ(numbers->count(), 0);
}

TEST_F(NumberingDialogTest, SiThenOkClosesAndLeavesTheCounterAtOne) {
  ShowAndChooseSi();
  QTest::mouseClick(ok, Qt::LeftButton);
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_TRUE(dialog->NumberingEnabled());
  EXPECT_EQ(numbers->count(), 0);
  EXPECT_TRUE(messenger.messages.empty());
}

TEST_F(NumberingDialogTest, OkWithNoChosenCloses) {
  dialog->ShowDialog();
  QTest::mouseClick(ok, Qt::LeftButton);
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_FALSE(dialog->NumberingEnabled());
  EXPECT_TRUE(messenger.messages.empty());
}

TEST_F(NumberingDialogTest, NoEmptiesAndDisablesTheFieldWithoutAMessage) {
  ShowAndChooseSi();
  QTest::mouseClick(no, Qt::LeftButton);
  EXPECT_FALSE(dialog->NumberingEnabled());
  EXPECT_EQ(edit1->text(), "");
  EXPECT_FALSE(edit1->isEnabled());
  EXPECT_FALSE(label1->isEnabled());
  EXPECT_TRUE(messenger.messages.empty());
  EXPECT_EQ(numbers->count(), 0);
}

TEST_F(NumberingDialogTest, NoThenSiLeavesTheFieldEmptyAndOkAsksInSpanishAndStaysOpen) {
  ShowAndChooseSi();
  QTest::mouseClick(no, Qt::LeftButton);
  QTest::mouseClick(si, Qt::LeftButton);
  EXPECT_EQ(edit1->text(), "");
  EXPECT_TRUE(edit1->isEnabled());
  edit1->clearFocus();
  QTest::mouseClick(ok, Qt::LeftButton);
  ASSERT_EQ(messenger.messages.size(), 1u);
  EXPECT_EQ(messenger.messages[0], (Message{MessageDisplay::Prompt, "¿Número de orden de la muestra?"}));
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(dialog->focusWidget(), edit1);
  EXPECT_EQ(numbers->count(), 0);
}

TEST_F(NumberingDialogTest, NoThenSiThenOkAsksInEnglishInEnglishMode) {
  dialog->ApplyLanguage(Language::English);
  ShowAndChooseSi();
  QTest::mouseClick(no, Qt::LeftButton);
  QTest::mouseClick(si, Qt::LeftButton);
  QTest::mouseClick(ok, Qt::LeftButton);
  ASSERT_EQ(messenger.messages.size(), 1u);
  EXPECT_EQ(messenger.messages[0], (Message{MessageDisplay::Prompt, "Sample number?"}));
  EXPECT_TRUE(dialog->isVisible());
}

TEST_F(NumberingDialogTest, TypingFiveOverTheSelectedOneSetsTheNumberAtOnce) {
  ShowAndChooseSi();
  QTest::keyClicks(edit1, "5");
  EXPECT_EQ(edit1->text(), "5");
  EXPECT_EQ(Numbers(*numbers), std::vector<int>{5});
  EXPECT_TRUE(messenger.messages.empty());
  EXPECT_TRUE(dialog->isVisible());
}

TEST_F(NumberingDialogTest, DeletingTheTextShowsTheErrorWhenItBecomesEmptyAndKeepsTheLastNumber) {
  ShowAndChooseSi();
  QTest::keyClicks(edit1, "34");  // over the selected "1": "3", then "34"
  ASSERT_EQ(Numbers(*numbers), (std::vector<int>{3, 34}));
  QTest::keyClick(edit1, Qt::Key_Backspace);
  EXPECT_EQ(edit1->text(), "3");
  EXPECT_EQ(Numbers(*numbers), (std::vector<int>{3, 34, 3}));
  EXPECT_TRUE(messenger.messages.empty());
  QTest::keyClick(edit1, Qt::Key_Backspace);
  EXPECT_EQ(edit1->text(), "");
  ASSERT_EQ(messenger.messages.size(), 1u);
  EXPECT_EQ(messenger.messages[0], (Message{MessageDisplay::ErrorDisplay, "'' is not a valid integer value."}));
  EXPECT_EQ(Numbers(*numbers), (std::vector<int>{3, 34, 3}));
  EXPECT_TRUE(dialog->NumberingEnabled());
}

TEST_F(NumberingDialogTest, TakesZeroNegativeAndLargeNumbersAsTheyAre) {
  ShowAndChooseSi();
  for (const char* text : {"0", "-4", "51", "1000"}) {
    edit1->setText(text);
    EXPECT_EQ(edit1->text(), text);
  }
  EXPECT_EQ(Numbers(*numbers), (std::vector<int>{0, -4, 51, 1000}));
  EXPECT_TRUE(messenger.messages.empty());
}

TEST_F(NumberingDialogTest, TypingANegativeNumberReportsTheLoneSignOnTheWay) {
  ShowAndChooseSi();
  QTest::keyClicks(edit1, "-4");
  EXPECT_EQ(edit1->text(), "-4");
  ASSERT_EQ(messenger.messages.size(), 1u);
  EXPECT_EQ(messenger.messages[0].text, "'-' is not a valid integer value.");
  EXPECT_EQ(Numbers(*numbers), std::vector<int>{-4});
}

TEST_F(NumberingDialogTest, ReportsTextThatIsNoWholeNumberAndKeepsIt) {
  ShowAndChooseSi();
  edit1->setText("abc");
  EXPECT_EQ(edit1->text(), "abc");
  ASSERT_EQ(messenger.messages.size(), 1u);
  EXPECT_EQ(messenger.messages[0], (Message{MessageDisplay::ErrorDisplay, "'abc' is not a valid integer value."}));
  EXPECT_EQ(numbers->count(), 0);
}

TEST_F(NumberingDialogTest, ReportsTheErrorInEnglishInBothLanguages) {
  for (const Language language : {Language::Spanish, Language::English}) {
    dialog->ApplyLanguage(language);
    const bool english = language == Language::English;
    ShowAndChooseSi();
    messenger.messages.clear();
    edit1->setText(english ? "2y" : "1z");
    ASSERT_EQ(messenger.messages.size(), 1u);
    EXPECT_EQ(messenger.messages[0].text,
              english ? "'2y' is not a valid integer value." : "'1z' is not a valid integer value.");
  }
}

TEST_F(NumberingDialogTest, TakesTheHexadecimalFormsOfWholeNumbers) {
  ShowAndChooseSi();
  edit1->setText("x1F");
  edit1->setText("$10");
  EXPECT_EQ(Numbers(*numbers), (std::vector<int>{31, 16}));
  EXPECT_TRUE(messenger.messages.empty());
}

TEST_F(NumberingDialogTest, ProgramChangesOfTheFieldCountAsChanges) {
  ShowAndChooseSi();
  edit1->setText("8");
  EXPECT_EQ(Numbers(*numbers), std::vector<int>{8});
}

TEST_F(NumberingDialogTest, FieldChangesWhileNoIsChosenDoNothing) {
  edit1->setText("7");
  edit1->setText("");
  edit1->setText("abc");
  EXPECT_EQ(numbers->count(), 0);
  EXPECT_TRUE(messenger.messages.empty());
}

TEST_F(NumberingDialogTest, ResetAfterSiEmptiesAndDisablesTheField) {
  ShowAndChooseSi();
  QTest::keyClicks(edit1, "9");
  dialog->Reset();
  EXPECT_FALSE(dialog->NumberingEnabled());
  EXPECT_TRUE(no->isChecked());
  EXPECT_EQ(edit1->text(), "");
  EXPECT_FALSE(edit1->isEnabled());
  EXPECT_FALSE(label1->isEnabled());
  EXPECT_EQ(Numbers(*numbers), std::vector<int>{9});
  EXPECT_TRUE(messenger.messages.empty());
}

TEST_F(NumberingDialogTest, ResetWithNoChosenKeepsTheText) {
  dialog->Reset();
  EXPECT_FALSE(dialog->NumberingEnabled());
  EXPECT_EQ(edit1->text(), "1");
  EXPECT_FALSE(edit1->isEnabled());
  EXPECT_FALSE(label1->isEnabled());
  EXPECT_FALSE(dialog->isVisible());
}

TEST_F(NumberingDialogTest, ResetDoesNotShowOrHideTheDialog) {
  ShowAndChooseSi();
  dialog->Reset();
  EXPECT_TRUE(dialog->isVisible());
}

TEST_F(NumberingDialogTest, CloseBoxWithSiAndAnEmptyFieldLeavesNumberingOn) {
  ShowAndChooseSi();
  QTest::keyClicks(edit1, "3");
  QTest::keyClick(edit1, Qt::Key_Backspace);  // reports the empty text
  ASSERT_EQ(messenger.messages.size(), 1u);
  dialog->close();
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_TRUE(dialog->NumberingEnabled());
  EXPECT_EQ(edit1->text(), "");
  EXPECT_EQ(messenger.messages.size(), 1u);  // no prompt
  EXPECT_EQ(Numbers(*numbers), std::vector<int>{3});
  // Shown again, it is as it was left.
  dialog->ShowDialog();
  EXPECT_TRUE(si->isChecked());
  EXPECT_EQ(edit1->text(), "");
}

TEST_F(NumberingDialogTest, EscapeHidesItWithoutTheTestOfOk) {
  ShowAndChooseSi();
  edit1->clear();  // reports the empty text
  messenger.messages.clear();
  QTest::keyClick(edit1, Qt::Key_Escape);
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_TRUE(dialog->NumberingEnabled());
  EXPECT_TRUE(messenger.messages.empty());
}

TEST_F(NumberingDialogTest, TabReachesTheChoiceTheStartFieldAndOk) {
  ShowAndChooseSi();
  ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
  QList<QWidget*> reached;
  for (int i = 0; i < 3; ++i) {
    reached << QApplication::focusWidget();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  EXPECT_EQ(reached, (QList<QWidget*>{edit1, ok, si}));
  EXPECT_EQ(QApplication::focusWidget(), edit1);
}

TEST_F(NumberingDialogTest, OkIsNotTheDefaultButton) {
  dialog->ShowDialog();
  EXPECT_FALSE(ok->isDefault());
  EXPECT_FALSE(ok->autoDefault());
}

TEST_F(NumberingDialogTest, EnterInTheFieldDoesNotPressOk) {
  ShowAndChooseSi();
  QTest::keyClick(edit1, Qt::Key_Return);
  QTest::keyClick(edit1, Qt::Key_Enter);
  EXPECT_TRUE(dialog->isVisible());  // OK would have closed it
  EXPECT_FALSE(ok->isDefault());
  edit1->clear();  // reports the empty text
  messenger.messages.clear();
  QTest::keyClick(edit1, Qt::Key_Return);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_TRUE(messenger.messages.empty());  // OK would have asked for the number
}

TEST_F(NumberingDialogTest, EnterOnOkItselfPressesIt) {
  ShowAndChooseSi();
  ok->setFocus();
  QTest::keyClick(ok, Qt::Key_Return);
  EXPECT_FALSE(dialog->isVisible());
}

TEST_F(NumberingDialogTest, ShowingItAgainWhileVisibleDoesNotRaiseOrActivateIt) {
  dialog->ShowDialog();
  QWidget other;
  other.setWindowTitle("other");
  other.resize(100, 100);
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  dialog->move(420, 200);
  dialog->ShowDialog();
  QApplication::processEvents();
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(QApplication::activeWindow(), &other);
  EXPECT_FALSE(dialog->isActiveWindow());
  EXPECT_EQ(dialog->pos(), QPoint(420, 200));
}

TEST_F(NumberingDialogTest, EnglishRewritesTheFrameChoicesAndLabelButNotTheCaption) {
  ShowAndChooseSi();
  QTest::keyClicks(edit1, "4");
  dialog->ApplyLanguage(Language::English);
  EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("Número de la muestra"));
  EXPECT_EQ(groupBox1->title(), "Add a number of order to the sample");
  EXPECT_EQ(si->text(), "Yes");
  EXPECT_EQ(no->text(), "No");
  EXPECT_EQ(label1->text(), "Start at...");
  EXPECT_EQ(ok->text(), "OK");
  // The choice, the field and the counter stay.
  EXPECT_TRUE(dialog->NumberingEnabled());
  EXPECT_EQ(edit1->text(), "4");
  EXPECT_TRUE(edit1->isEnabled());
  EXPECT_EQ(Numbers(*numbers), std::vector<int>{4});
  EXPECT_TRUE(messenger.messages.empty());
}

TEST_F(NumberingDialogTest, SpanishWritesTheSpanishTextsBack) {
  dialog->ApplyLanguage(Language::English);
  dialog->ApplyLanguage(Language::Spanish);
  EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("Número de la muestra"));
  EXPECT_EQ(groupBox1->title(), QString::fromUtf8("Añadir número de orden a la muestra"));
  EXPECT_EQ(si->text(), QString::fromUtf8("Sí"));
  EXPECT_EQ(no->text(), "No");
  EXPECT_EQ(label1->text(), "Comenzar por...");
  EXPECT_TRUE(no->isChecked());
  EXPECT_EQ(edit1->text(), "1");
}

TEST_F(NumberingDialogTest, AfterSwitchingBackToSpanishOkAsksInSpanish) {
  dialog->ApplyLanguage(Language::English);
  dialog->ApplyLanguage(Language::Spanish);
  ShowAndChooseSi();
  edit1->clear();
  messenger.messages.clear();
  QTest::mouseClick(ok, Qt::LeftButton);
  ASSERT_EQ(messenger.messages.size(), 1u);
  EXPECT_EQ(messenger.messages[0].text, "¿Número de orden de la muestra?");
}

// ---- Quick entry window ---------------------------------------------------------------------

class QuickEntryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = std::make_unique<QuickEntryWindow>();
    label1 = Child<QLabel>(window.get(), "Label1");
    edit1 = Child<QLineEdit>(window.get(), "Edit1");
    ok = Child<QPushButton>(window.get(), "Button1");
    copied = std::make_unique<QSignalSpy>(window.get(), &QuickEntryWindow::entryCopied);
    finished = std::make_unique<QSignalSpy>(window.get(), &QuickEntryWindow::finished);
  }

  void Enter(const QString& text) {
    QTest::keyClicks(edit1, text);
    QTest::keyClick(edit1, Qt::Key_Return);
  }

  std::unique_ptr<QuickEntryWindow> window;
  QLabel* label1 = nullptr;
  QLineEdit* edit1 = nullptr;
  QPushButton* ok = nullptr;
  std::unique_ptr<QSignalSpy> copied;
  std::unique_ptr<QSignalSpy> finished;
};

TEST_F(QuickEntryTest, IsCreatedVisibleAskingForTheAbsorbanceAt450nm) {
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->Prompt(), "Absorbancia a 450 nm");
  EXPECT_EQ(label1->text(), "Absorbancia a 450 nm");
  EXPECT_EQ(window->Step(), (QuickEntryStep{1, Language::Spanish}));
  EXPECT_EQ(edit1->text(), "");
  EXPECT_EQ(window->windowTitle(), "Introducir valores");
  EXPECT_EQ(window->objectName(), "Form6");
}

TEST_F(QuickEntryTest, CanBeCreatedHidden) {
  QuickEntryWindow hidden(false);
  EXPECT_FALSE(hidden.isVisible());
  EXPECT_EQ(hidden.Prompt(), "Absorbancia a 450 nm");
}

TEST_F(QuickEntryTest, IsAFixedSizeToolWindowAtItsPlace) {
  EXPECT_EQ(window->windowType(), Qt::Tool);
  EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowCloseButtonHint));
  EXPECT_EQ(window->size(), QSize(199, 119));
  EXPECT_EQ(window->minimumSize(), QSize(199, 119));
  EXPECT_EQ(window->maximumSize(), QSize(199, 119));
  EXPECT_EQ(window->pos(), QPoint(355, 286));
}

TEST_F(QuickEntryTest, HasItsControlsAtTheirPlacesInTheirFonts) {
  EXPECT_EQ(label1->pos(), QPoint(36, 8));
  EXPECT_EQ(label1->font().pixelSize(), 13);
  EXPECT_EQ(edit1->geometry(), QRect(24, 32, 153, 28));
  EXPECT_EQ(edit1->font().pixelSize(), 16);
  EXPECT_EQ(ok->geometry(), QRect(62, 80, 75, 25));
  EXPECT_EQ(ok->text(), "OK");
  EXPECT_TRUE(ok->isDefault());
}

TEST_F(QuickEntryTest, FourEntriesWithEnterReachTheFourFieldsExactlyAsTyped) {
  bool hiddenWhenFinished = false;
  QObject::connect(window.get(), &QuickEntryWindow::finished, [&] { hiddenWhenFinished = !window->isVisible(); });

  const QString entries[4] = {"0,512", " 0.43", "abc", "0.1"};
  const char* nextPrompts[3] = {"Absorbancia a 520 nm", "Absorbancia a 570 nm", "Absorbancia a 630 nm"};
  for (int i = 0; i < 4; ++i) {
    Enter(entries[i]);
    ASSERT_EQ(copied->count(), i + 1);
    EXPECT_EQ(copied->at(i).at(0).toInt(), i);
    EXPECT_EQ(copied->at(i).at(1).toString(), entries[i]);
    EXPECT_EQ(edit1->text(), "");
    if (i < 3) {
      EXPECT_EQ(window->Prompt(), nextPrompts[i]);
      EXPECT_TRUE(window->isVisible());
      EXPECT_EQ(finished->count(), 0);
      EXPECT_EQ(window->focusWidget(), edit1);
    }
  }
  EXPECT_EQ(finished->count(), 1);
  EXPECT_TRUE(hiddenWhenFinished);
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(window->Prompt(), "Absorbancia a 450 nm");
  EXPECT_EQ(edit1->text(), "");
}

TEST_F(QuickEntryTest, EscapeHidesTheWindowAndKeepsItsStepAndEntry) {
  Enter("0.5");
  QTest::keyClicks(edit1, "0.4");
  QTest::keyClick(edit1, Qt::Key_Escape);
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(window->Prompt(), "Absorbancia a 520 nm");
  EXPECT_EQ(edit1->text(), "0.4");
  EXPECT_EQ(copied->count(), 1);
}

TEST_F(QuickEntryTest, EnglishStepsCopyTheSameWayAndEndAtTheEnglishFirstPrompt) {
  window->RestartIn(Language::English);
  const char* nextPrompts[4] = {"Absorbance at 520 nm", "Absorbance at 570 nm", "Absorbance at 630 nm",
                                "Absorbance at 450 nm"};
  for (int i = 0; i < 4; ++i) {
    Enter(QString::number(i + 1));
    EXPECT_EQ(window->Prompt(), nextPrompts[i]);
  }
  ASSERT_EQ(copied->count(), 4);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(copied->at(i).at(0).toInt(), i);
  EXPECT_EQ(finished->count(), 1);
  EXPECT_FALSE(window->isVisible());
}

TEST_F(QuickEntryTest, OkWithAnEmptyEntryDoesNothing) {
  Enter("0.2");
  ASSERT_EQ(copied->count(), 1);
  QTest::mouseClick(ok, Qt::LeftButton);
  QTest::keyClick(edit1, Qt::Key_Return);
  EXPECT_EQ(copied->count(), 1);
  EXPECT_EQ(finished->count(), 0);
  EXPECT_EQ(window->Prompt(), "Absorbancia a 520 nm");
  EXPECT_TRUE(window->isVisible());
}

TEST_F(QuickEntryTest, ClosingAtStepThreeAndOpeningAgainKeepsStepThree) {
  Enter("0.5");
  Enter("0.4");
  ASSERT_EQ(window->Prompt(), "Absorbancia a 570 nm");
  QTest::keyClicks(edit1, "0.3");
  window->close();
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(window->Prompt(), "Absorbancia a 570 nm");
  window->ShowAndRaise();
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->Prompt(), "Absorbancia a 570 nm");
  EXPECT_EQ(edit1->text(), "0.3");
  EXPECT_EQ(window->focusWidget(), edit1);
  // Steps 3 and 4 then fill only the last two fields.
  QTest::keyClick(edit1, Qt::Key_Return);
  Enter("0.2");
  ASSERT_EQ(copied->count(), 4);
  EXPECT_EQ(copied->at(2).at(0).toInt(), 2);
  EXPECT_EQ(copied->at(2).at(1).toString(), "0.3");
  EXPECT_EQ(copied->at(3).at(0).toInt(), 3);
  EXPECT_EQ(finished->count(), 1);
}

TEST_F(QuickEntryTest, ShowAndRaiseOnAVisibleWindowKeepsTheStepAndActivatesIt) {
  Enter("0.5");
  QWidget other;
  other.resize(100, 100);
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  window->ShowAndRaise();
  EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
  EXPECT_EQ(window->Prompt(), "Absorbancia a 520 nm");
  EXPECT_EQ(QApplication::focusWidget(), edit1);
}

TEST_F(QuickEntryTest, RestartInEnglishAtStepTwoKeepsTheEntry) {
  Enter("0.7");
  QTest::keyClicks(edit1, "0.6");
  window->RestartIn(Language::English);
  EXPECT_EQ(window->Prompt(), "Absorbance at 450 nm");
  EXPECT_EQ(window->windowTitle(), "Input values");
  EXPECT_EQ(edit1->text(), "0.6");
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(copied->count(), 1);
  // The next OK fills the first field again.
  QTest::keyClick(edit1, Qt::Key_Return);
  ASSERT_EQ(copied->count(), 2);
  EXPECT_EQ(copied->at(1).at(0).toInt(), 0);
  EXPECT_EQ(window->Prompt(), "Absorbance at 520 nm");
}

TEST_F(QuickEntryTest, RestartInSpanishFromEnglishStepThree) {
  window->RestartIn(Language::English);
  Enter("1");
  Enter("2");
  ASSERT_EQ(window->Prompt(), "Absorbance at 570 nm");
  window->RestartIn(Language::Spanish);
  EXPECT_EQ(window->Prompt(), "Absorbancia a 450 nm");
  EXPECT_EQ(window->windowTitle(), "Introducir valores");
}

TEST_F(QuickEntryTest, RestartLeavesAHiddenWindowHidden) {
  window->close();
  window->RestartIn(Language::English);
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(window->Prompt(), "Absorbance at 450 nm");
}

}  // namespace
}  // namespace tintavis
