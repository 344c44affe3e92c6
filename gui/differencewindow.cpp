#include "gui/differencewindow.h"

#include <QApplication>
#include <QClipboard>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "gui/qtglue.h"
#include "logic/captions.h"

namespace tintavis {

DifferenceWindow::DifferenceWindow(const SampleStore& store, QAbstractItemModel& grid, char separator, QWidget* parent)
    : QWidget(parent, Qt::Window), model_(store, grid, separator) {
  setObjectName("Form7");
  setAttribute(Qt::WA_QuitOnClose, false);
  setFont(SansSerifFont(kWindowFontPixels));

  referenceLabel_ = new QLabel(this);
  referenceLabel_->setObjectName("ReferenceLabel");
  reference_ = new QComboBox(this);
  reference_->setObjectName("ReferenceBox");
  reference_->setMinimumWidth(200);
  referenceLabel_->setBuddy(reference_);
  differenceView_ = new QTableView(this);
  differenceView_->setObjectName("DifferenceGrid");
  differenceView_->setModel(&model_);
  differenceView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  differenceView_->verticalHeader()->hide();
  differenceView_->verticalHeader()->setDefaultSectionSize(22);
  differenceView_->horizontalHeader()->setDefaultSectionSize(60);
  differenceView_->setColumnWidth(0, 30);
  differenceView_->setColumnWidth(1, 110);
  message_ = new QLabel(this);
  message_->setObjectName("MessageLine");
  message_->setWordWrap(true);
  copy_ = new QPushButton(this);
  copy_->setObjectName("CopyButton");

  checkBox_ = new QGroupBox(this);
  checkBox_->setObjectName("CheckBox");
  useTarget_ = new QCheckBox(checkBox_);
  useTarget_->setObjectName("UseTarget");
  auto field = [this](const char* name) {
    auto* edit = new QLineEdit(checkBox_);
    edit->setObjectName(name);
    edit->setMaximumWidth(70);
    connect(edit, &QLineEdit::textChanged, this, &DifferenceWindow::ReadCheckFields);
    return edit;
  };
  targetL_ = field("TargetL");
  targetA_ = field("TargetA");
  targetB_ = field("TargetB");
  toleranceLabel_ = new QLabel(checkBox_);
  tolerance_ = field("Tolerance");
  toleranceLabel_->setBuddy(tolerance_);
  formula_ = new QComboBox(checkBox_);
  formula_->setObjectName("FormulaBox");
  formula_->addItem(ToQString(DifferenceName(DifferenceFormula::De00)));
  formula_->addItem(ToQString(DifferenceName(DifferenceFormula::DeAb)));
  ruleLabel_ = new QLabel(checkBox_);
  rule_ = new QComboBox(checkBox_);
  rule_->setObjectName("RuleBox");
  rule_->addItems({QString(), QString()});
  ruleLabel_->setBuddy(rule_);
  checkLine_ = new QLabel(this);
  checkLine_->setObjectName("CheckLine");
  checkLine_->setWordWrap(true);
  auto* checks = new QGridLayout(checkBox_);
  checks->addWidget(useTarget_, 0, 0);
  checks->addWidget(targetL_, 0, 1);
  checks->addWidget(targetA_, 0, 2);
  checks->addWidget(targetB_, 0, 3);
  checks->addWidget(toleranceLabel_, 1, 0);
  checks->addWidget(tolerance_, 1, 1);
  checks->addWidget(formula_, 1, 2);
  checks->addWidget(ruleLabel_, 2, 0);
  checks->addWidget(rule_, 2, 1, 1, 3);
  connect(useTarget_, &QCheckBox::toggled, this, &DifferenceWindow::ReadCheckFields);
  connect(formula_, &QComboBox::currentIndexChanged, this, &DifferenceWindow::ReadCheckFields);
  connect(rule_, &QComboBox::currentIndexChanged, this, &DifferenceWindow::ReadCheckFields);

  auto* top = new QHBoxLayout;
  top->addWidget(referenceLabel_);
  top->addWidget(reference_, 1);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(message_, 1);
  bottom->addWidget(copy_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(checkBox_);
  layout->addWidget(differenceView_, 1);
  layout->addWidget(checkLine_);
  layout->addLayout(bottom);
  resize(760, 520);
  SetUncertainty(std::nullopt);

  connect(reference_, &QComboBox::activated, this, [this](int index) { model_.SetReferenceRow(index + 1); });
  connect(&model_, &QAbstractItemModel::modelReset, this, &DifferenceWindow::ShowTableState);
  connect(copy_, &QPushButton::clicked, this, &DifferenceWindow::CopyTable);
  ApplyLanguage(Language::Spanish);
}

void DifferenceWindow::ApplyLanguage(Language language) {
  language_ = language;
  setWindowTitle(ToQString(captions::kDifferenceWindowTitle.In(language)));
  referenceLabel_->setText(ToQString(captions::kDifferenceReferenceLabel.In(language)));
  copy_->setText(ToQString(captions::kDifferenceCopyButton.In(language)));
  checkBox_->setTitle(ToQString(captions::kCheckBox.In(language)));
  useTarget_->setText(ToQString(captions::kCheckTarget.In(language)));
  toleranceLabel_->setText(ToQString(captions::kCheckTolerance.In(language)));
  ruleLabel_->setText(ToQString(captions::kCheckRule.In(language)));
  rule_->setItemText(0, ToQString(conformity::kSimpleName.In(language)));
  rule_->setItemText(1, ToQString(conformity::kGuardedName.In(language)));
  model_.SetLanguage(language);
  ReadCheckFields();
}

void DifferenceWindow::SetUncertainty(std::optional<InputUncertainty> uncertainty) {
  uncertainty_ = uncertainty;
  if (auto* items = qobject_cast<QStandardItemModel*>(rule_->model())) items->item(1)->setEnabled(uncertainty.has_value());
  if (!uncertainty) rule_->setCurrentIndex(0);
  ReadCheckFields();
}

void DifferenceWindow::ReadCheckFields() {
  const char separator = model_.Separator();
  QualityCheck check;
  check.uncertainty = uncertainty_;
  checkError_.clear();
  for (QLineEdit* edit : {targetL_, targetA_, targetB_}) edit->setEnabled(useTarget_->isChecked());
  if (useTarget_->isChecked()) {
    const TargetReading target = ReadTarget(targetL_->text().toStdString(), targetA_->text().toStdString(),
                                            targetB_->text().toStdString(), separator, language_);
    check.target = target.target;
    checkError_ = target.error;
  }
  const FieldReading tolerance = ReadNonNegative(tolerance_->text().toStdString(),
                                                 conformity::kToleranceName.In(language_), separator, language_);
  if (checkError_.empty()) checkError_ = tolerance.error;
  if (tolerance.value && checkError_.empty()) {
    const auto formula = formula_->currentIndex() == 1 ? DifferenceFormula::DeAb : DifferenceFormula::De00;
    const auto rule = rule_->currentIndex() == 1 ? DecisionRule::Guarded : DecisionRule::Simple;
    check.tolerance = Tolerance{*tolerance.value, formula, rule};
  }
  // A target that cannot be read is no target: the reference row stands until it is mended.
  if (!checkError_.empty()) check.target.reset();
  model_.SetCheck(check);
}

void DifferenceWindow::ShowWindow() {
  ShowTableState();
  show();
  raise();
  activateWindow();
}

void DifferenceWindow::ShowTableState() {
  QStringList choices;
  for (const std::string& c : ReferenceChoices(model_.Store())) choices << ToQString(c);
  QStringList shown;
  for (int i = 0; i < reference_->count(); ++i) shown << reference_->itemText(i);
  if (shown != choices) {
    reference_->clear();
    reference_->addItems(choices);
  }
  if (!choices.isEmpty()) reference_->setCurrentIndex(model_.ReferenceRow() - 1);
  message_->setText(ToQString(model_.Table().message));
  const DifferenceTable& table = model_.Table();
  std::string line = checkError_;
  if (line.empty() && !table.rule.empty()) line = table.rule + "  " + table.conforming;
  checkLine_->setText(ToQString(line));
  reference_->setEnabled(!model_.Check().target);
}

void DifferenceWindow::CopyTable() {
  QApplication::clipboard()->setText(ToQString(DifferenceTableText(model_.Table(), language_)));
}

}  // namespace tintavis
