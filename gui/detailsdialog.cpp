#include "gui/detailsdialog.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/qtglue.h"
#include "logic/captions.h"

namespace tintavis {

DetailsDialog::DetailsDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("Form8");
  text_ = new QLabel(this);
  text_->setObjectName("DetailsText");
  text_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  text_->setTextFormat(Qt::PlainText);
  close_ = new QPushButton(this);
  close_->setObjectName("CloseButton");
  close_->setDefault(true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text_);
  layout->addWidget(close_, 0, Qt::AlignRight);
  connect(close_, &QPushButton::clicked, this, &QDialog::accept);
}

void DetailsDialog::ShowSample(const StoredSample& sample, int row, Language language,
                               const std::vector<std::string>& extra) {
  setWindowTitle(ToQString(captions::kDetailsTitle.In(language)) + " - " + QString::number(row) + "  " +
                 ToQString(sample.cells[0]).trimmed());
  close_->setText(ToQString(captions::kDetailsClose.In(language)));
  QStringList lines;
  for (const std::string& line : SampleDetails(sample, language)) lines << ToQString(line);
  for (const std::string& line : extra) lines << ToQString(line);
  text_->setText(lines.join('\n'));
  adjustSize();
}

QString DetailsDialog::Text() const { return text_->text(); }

}  // namespace tintavis
