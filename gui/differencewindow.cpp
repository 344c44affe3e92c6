#include "gui/differencewindow.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
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

  auto* top = new QHBoxLayout;
  top->addWidget(referenceLabel_);
  top->addWidget(reference_, 1);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(message_, 1);
  bottom->addWidget(copy_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(differenceView_, 1);
  layout->addLayout(bottom);
  resize(620, 420);

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
  model_.SetLanguage(language);
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
}

void DifferenceWindow::CopyTable() {
  QApplication::clipboard()->setText(ToQString(DifferenceTableText(model_.Table(), language_)));
}

}  // namespace tintavis
