#include "gui/splash.h"

#include <QFrame>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include "gui/brand.h"

namespace tintavis {
namespace {

constexpr int kBevelWidth = 5;

// The name at 193, 35 and the logo in an 86 x 81 box at 41, 16 of the panel.
const BrandLayout kBrand{QPoint(193, 35), QRect(41, 16, 86, 81), SplashWindow::kClientWidth, kBevelWidth,
                         /*ruleGap=*/10, /*creditsTop=*/114, /*creditsLineStep=*/19, /*creditsMargin=*/14};

// A raised panel with a single dark line around its bevel, as a bordered panel of the classic
// Windows look: the bevel is drawn one pixel in from the edge and the line on the edge itself.
class BorderedPanel : public QFrame {
 public:
  explicit BorderedPanel(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(kBevelWidth);
  }

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QFrame::resizeEvent(event);
    setFrameRect(rect().adjusted(1, 1, -1, -1));
  }

  void paintEvent(QPaintEvent* event) override {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Shadow));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
};

}  // namespace

SplashWindow::SplashWindow(bool showNow, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("Form5"));
  setWindowTitle(QStringLiteral("TINTAVIS"));
  // The splash must not take the keyboard focus from the windows behind it.
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFixedSize(kClientWidth, kClientHeight);

  brandPanel_ = new BorderedPanel(this);
  brandPanel_->setObjectName(QStringLiteral("Panel1"));
  brandPanel_->setGeometry(0, 0, kClientWidth, kClientHeight);

  AddBrand(brandPanel_, kBrand);

  hideTimer_ = new QTimer(this);
  hideTimer_->setObjectName(QStringLiteral("Timer1"));
  hideTimer_->setInterval(kTimerInterval);
  hideTimer_->setSingleShot(false);
  connect(hideTimer_, &QTimer::timeout, this, &SplashWindow::HideSplash);

  CentreOnPrimaryScreen();
  if (showNow) show();
  hideTimer_->start();
}

void SplashWindow::HideSplash() { hide(); }

void SplashWindow::CentreOnPrimaryScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect area = screen->geometry();
  move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
}

}  // namespace tintavis
