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

#include "gui/messenger.h"

namespace tintavis {

DifferenceWindow::DifferenceWindow(const SampleSession& session, char separator, QWidget* parent)
    : QWidget(parent, Qt::Window), session_(session), separator_(separator) {
  setObjectName("Form7");
  setAttribute(Qt::WA_QuitOnClose, false);
  QFont font("Arial");
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(11);
  setFont(font);

  referenceLabel_ = new QLabel(this);
  referenceLabel_->setObjectName("ReferenceLabel");
  reference_ = new QComboBox(this);
  reference_->setObjectName("ReferenceBox");
  reference_->setMinimumWidth(200);
  referenceLabel_->setBuddy(reference_);
  grid_ = new QTableWidget(0, kDifferenceColumns, this);
  grid_->setObjectName("DifferenceGrid");
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->verticalHeader()->hide();
  grid_->verticalHeader()->setDefaultSectionSize(22);
  grid_->horizontalHeader()->setDefaultSectionSize(60);
  grid_->setColumnWidth(0, 30);
  grid_->setColumnWidth(1, 110);
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
  layout->addWidget(grid_, 1);
  layout->addLayout(bottom);
  resize(620, 420);

  connect(reference_, &QComboBox::activated, this, [this](int index) {
    referenceRow_ = index + 1;
    Recompute();
  });
  connect(copy_, &QPushButton::clicked, this, &DifferenceWindow::CopiarClick);
  ApplyLanguage(false);
}

void DifferenceWindow::ApplyLanguage(bool english) {
  english_ = english;
  setWindowTitle(english ? QStringLiteral("Colour difference") : QStringLiteral("Diferencia de color"));
  referenceLabel_->setText(english ? QStringLiteral("&Reference:") : QStringLiteral("&Referencia:"));
  copy_->setText(english ? QStringLiteral("Copy") : QStringLiteral("Copiar"));
  QStringList headings;
  for (const std::string& h : DifferenceHeader(english)) headings << ToQString(h);
  grid_->setHorizontalHeaderLabels(headings);
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
  table_ = samples > 0 ? MakeDifferenceTable(session_.grid, samples, referenceRow_, separator_, english_)
                       : DifferenceTable{};
  grid_->setRowCount(static_cast<int>(table_.rows.size()));
  for (int r = 0; r < static_cast<int>(table_.rows.size()); ++r) {
    for (int c = 0; c < kDifferenceColumns; ++c) {
      auto* item = new QTableWidgetItem(ToQString(table_.rows[r][c]));
      if (c >= 2) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      grid_->setItem(r, c, item);
    }
  }
  message_->setText(ToQString(table_.message));
}

void DifferenceWindow::CopiarClick() {
  QApplication::clipboard()->setText(ToQString(DifferenceTableText(table_, english_)));
}

}  // namespace tintavis
