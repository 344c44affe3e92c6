#include "ui/splash.h"

#include <QFont>
#include <QFontMetrics>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include "ui/logo.h"

namespace tintavis {
namespace {

// The program name and its sign, in the program's purple.
const QColor kNamePurple(128, 0, 128);
const QColor kCreditsInk(64, 48, 72);

constexpr int kBevelWidth = 5;
constexpr QPoint kNamePos(193, 35);
constexpr int kNameY = 35;
const QRect kLogoBox(41, 16, 86, 81);

// The credits block, one label per line, centred in the lower part of the panel.
struct CreditLine {
  const char* text;
  int pixelSize;
  bool bold;
};
// clang-format off
constexpr CreditLine kCredits[] = {
  {"Color de vinos a partir de cuatro absorbancias", 12, true },
  {"450 · 520 · 570 · 630 nm",                        11, false},
  {"CIE L*a*b* · iluminante D65 · observador 10°",    11, false},
  {"Índices de color OIV",                            11, false},
  {"Versión 0.1",                                     11, true },
};
// clang-format on
constexpr int kCreditsTop = 114;
constexpr int kCreditsLineStep = 19;
constexpr int kCreditsMargin = 14;  // from the panel's sides, clear of the bevel

QFont VerdanaFont(int pixelSize, bool bold) {
  QFont font(QStringLiteral("Verdana"));
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  return font;
}

void SetInk(QLabel* label, const QColor& colour) {
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, colour);
  label->setPalette(palette);
}

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

  panel1_ = new BorderedPanel(this);
  panel1_->setObjectName(QStringLiteral("Panel1"));
  panel1_->setGeometry(0, 0, kClientWidth, kClientHeight);

  auto* label1 = new QLabel(QStringLiteral("TINTAVIS"), panel1_);
  label1->setObjectName(QStringLiteral("Label1"));
  label1->setFont(VerdanaFont(27, true));
  SetInk(label1, kNamePurple);
  label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label1->move(kNamePos);
  label1->adjustSize();

  // The registered sign follows the name at its top line. It starts where the name's text ends,
  // whatever width the font gives the name, but never runs into the bevel.
  auto* label2 = new QLabel(QStringLiteral("®"), panel1_);
  label2->setObjectName(QStringLiteral("Label2"));
  label2->setFont(VerdanaFont(13, true));
  SetInk(label2, kNamePurple);
  label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label2->adjustSize();
  const int nameEnd = kNamePos.x() + QFontMetrics(label1->font()).horizontalAdvance(label1->text());
  const int signLimit = kClientWidth - kBevelWidth - 1 - label2->width();
  label2->move(qMin(nameEnd, signLimit), kNameY);

  auto* image1 = new QLabel(panel1_);
  image1->setObjectName(QStringLiteral("Image1"));
  image1->setGeometry(kLogoBox);
  image1->setAlignment(Qt::AlignCenter);
  image1->setPixmap(LogoForBox(kLogoBox.size(), devicePixelRatioF()));

  // A thin engraved rule between the name and the credits.
  auto* bevel1 = new QFrame(panel1_);
  bevel1->setObjectName(QStringLiteral("Bevel1"));
  bevel1->setFrameStyle(QFrame::HLine | QFrame::Sunken);
  bevel1->setGeometry(kCreditsMargin + 10, kCreditsTop - 10, kClientWidth - 2 * (kCreditsMargin + 10),
                      2);

  int number = 3;
  int top = kCreditsTop;
  for (const CreditLine& line : kCredits) {
    auto* label = new QLabel(QString::fromUtf8(line.text), panel1_);
    label->setObjectName(QStringLiteral("Label%1").arg(number++));
    label->setFont(VerdanaFont(line.pixelSize, line.bold));
    SetInk(label, kCreditsInk);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setGeometry(kCreditsMargin, top, kClientWidth - 2 * kCreditsMargin, kCreditsLineStep);
    top += kCreditsLineStep;
  }

  timer1_ = new QTimer(this);
  timer1_->setObjectName(QStringLiteral("Timer1"));
  timer1_->setInterval(kTimerInterval);
  timer1_->setSingleShot(false);
  connect(timer1_, &QTimer::timeout, this, &SplashWindow::Timer1Timer);

  CentreOnPrimaryScreen();
  if (showNow) show();
  timer1_->start();
}

void SplashWindow::Timer1Timer() { hide(); }

void SplashWindow::CentreOnPrimaryScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect area = screen->geometry();
  move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
}

}  // namespace tintavis
