#include "gui/aboutwindow.h"

#include <QFrame>
#include <QPushButton>
#include <QRect>

#include "gui/brand.h"
#include "gui/qtglue.h"
#include "logic/captions.h"

namespace tintavis {
namespace {

const QRect kPanelRect(5, 5, 344, 175);
constexpr int kBevelWidth = 2;  // lowered outer and inner bevels, one pixel each
const QRect kButtonRect(134, 194, 75, 25);

// The name at 176, 18 and the logo in a 70 x 67 box at 39, 7 of the panel.
const BrandLayout kBrand{QPoint(176, 18), QRect(39, 7, 70, 67), kPanelRect.width(), kBevelWidth,
                         /*ruleGap=*/7, /*creditsTop=*/90, /*creditsLineStep=*/15, /*creditsMargin=*/10};

}  // namespace

AboutWindow::AboutWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("Form2"));
  setWindowTitle(ToQString(captions::kAboutWindowTitle));
  // An auxiliary window: closing it never ends the program, and it is only hidden.
  setAttribute(Qt::WA_QuitOnClose, false);
  setAttribute(Qt::WA_DeleteOnClose, false);
  setFixedSize(kClientWidth, kClientHeight);
  setSizeGripEnabled(false);
  move(kScreenPos);

  brandPanel_ = new QFrame(this);
  brandPanel_->setObjectName(QStringLiteral("Panel1"));
  brandPanel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  brandPanel_->setLineWidth(kBevelWidth);
  brandPanel_->setGeometry(kPanelRect);

  AddBrand(brandPanel_, kBrand);

  okButton_ = new QPushButton(QStringLiteral("OK"), this);
  okButton_->setObjectName(QStringLiteral("Button1"));
  okButton_->setGeometry(kButtonRect);
  okButton_->setDefault(true);  // Enter anywhere in the window presses it
  connect(okButton_, &QPushButton::clicked, this, &AboutWindow::Close);
}

void AboutWindow::ShowModal() {
  if (!isVisible()) setWindowModality(Qt::ApplicationModal);
  show();
  raise();
  activateWindow();
}

void AboutWindow::Close() { accept(); }

}  // namespace tintavis
