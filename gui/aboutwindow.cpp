#include "gui/aboutwindow.h"

#include <QFrame>
#include <QPushButton>
#include <QRect>

#include "gui/brand.h"

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
  setWindowTitle(QStringLiteral("Acerca de TINTAVIS"));
  // An auxiliary window: closing it never ends the program, and it is only hidden.
  setAttribute(Qt::WA_QuitOnClose, false);
  setAttribute(Qt::WA_DeleteOnClose, false);
  setFixedSize(kClientWidth, kClientHeight);
  setSizeGripEnabled(false);
  move(kScreenPos);

  panel1_ = new QFrame(this);
  panel1_->setObjectName(QStringLiteral("Panel1"));
  panel1_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel1_->setLineWidth(kBevelWidth);
  panel1_->setGeometry(kPanelRect);

  AddBrand(panel1_, kBrand);

  button1_ = new QPushButton(QStringLiteral("OK"), this);
  button1_->setObjectName(QStringLiteral("Button1"));
  button1_->setGeometry(kButtonRect);
  button1_->setDefault(true);  // Enter anywhere in the window presses it
  connect(button1_, &QPushButton::clicked, this, &AboutWindow::Button1Click);
}

void AboutWindow::ShowModal() {
  if (!isVisible()) setWindowModality(Qt::ApplicationModal);
  show();
  raise();
  activateWindow();
}

void AboutWindow::Button1Click() { accept(); }

}  // namespace tintavis
