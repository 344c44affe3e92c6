#include "gui/differencewindow.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "gui/qtglue.h"
#include "logic/captions.h"
#include "gui/messenger.h"

namespace tintavis {

DifferenceWindow::DifferenceWindow(const SampleSession& session, char separator, QWidget* parent)
    : QWidget(parent, Qt::Window), session_(session), separator_(separator) {
  setObjectName("Form7");
  setAttribute(Qt::WA_QuitOnClose, false);
  setFont(SansSerifFont(kWindowFontPixels));

  referenceLabel_ = new QLabel(this);
  referenceLabel_->setObjectName("ReferenceLabel");
  reference_ = new QComboBox(this);
  reference_->setObjectName("ReferenceBox");
  reference_->setMinimumWidth(200);
  referenceLabel_->setBuddy(reference_);
  differenceView_ = new QTableWidget(0, kDifferenceColumns, this);
  differenceView_->setObjectName("DifferenceGrid");
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

  connect(reference_, &QComboBox::activated, this, [this](int index) {
    referenceRow_ = index + 1;
    Recompute();
  });
  connect(copy_, &QPushButton::clicked, this, &DifferenceWindow::CopyTable);
  ApplyLanguage(Language::Spanish);
}

void DifferenceWindow::ApplyLanguage(Language language) {
  language_ = language;
  setWindowTitle(ToQString(captions::kDifferenceWindowTitle.In(language)));
  referenceLabel_->setText(ToQString(captions::kDifferenceReferenceLabel.In(language)));
  copy_->setText(ToQString(captions::kDifferenceCopyButton.In(language)));
  QStringList headings;
  for (const std::string& h : DifferenceHeader(language)) headings << ToQString(h);
  differenceView_->setHorizontalHeaderLabels(headings);
  Recompute();
}

void DifferenceWindow::ShowWindow() {
  Refresh();
  show();
  raise();
  activateWindow();
}

void DifferenceWindow::Refresh() {
  const int samples = session_.SampleCount();
  const std::vector<std::string> choices = ReferenceChoices(session_.grid, samples);
  reference_->clear();
  for (const std::string& c : choices) reference_->addItem(ToQString(c));
  // The reference stays the same row while the grid has it.
  if (referenceRow_ > samples) referenceRow_ = 1;
  if (samples > 0) reference_->setCurrentIndex(referenceRow_ - 1);
  Recompute();
}

void DifferenceWindow::Recompute() {
  const int samples = session_.SampleCount();
  table_ = samples > 0 ? MakeDifferenceTable(session_.grid, samples, referenceRow_, separator_, language_)
                       : DifferenceTable{};
  differenceView_->setRowCount(static_cast<int>(table_.rows.size()));
  for (int r = 0; r < static_cast<int>(table_.rows.size()); ++r) {
    for (int c = 0; c < kDifferenceColumns; ++c) {
      auto* item = new QTableWidgetItem(ToQString(table_.rows[r][c]));
      if (c >= 2) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      differenceView_->setItem(r, c, item);
    }
  }
  message_->setText(ToQString(table_.message));
}

void DifferenceWindow::CopyTable() {
  QApplication::clipboard()->setText(ToQString(DifferenceTableText(table_, language_)));
}

}  // namespace tintavis
