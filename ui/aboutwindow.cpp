#include "ui/aboutwindow.h"

#include <QFont>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QRect>

#include "ui/logo.h"

namespace tintavis {
namespace {

// The program name and its sign, in the program's purple, as on the splash window.
const QColor kNamePurple(128, 0, 128);
const QColor kCreditsInk(64, 48, 72);

const QRect kPanelRect(5, 5, 344, 175);
constexpr int kBevelWidth = 2;  // lowered outer and inner bevels, one pixel each
constexpr QPoint kNamePos(176, 18);
const QRect kLogoBox(39, 7, 70, 67);
const QRect kButtonRect(134, 194, 75, 25);

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
constexpr int kCreditsTop = 90;
constexpr int kCreditsLineStep = 15;
constexpr int kCreditsMargin = 10;  // from the panel's sides, clear of the bevel

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
  const int signLimit = kPanelRect.width() - kBevelWidth - 1 - label2->width();
  label2->move(qMin(nameEnd, signLimit), kNamePos.y());

  auto* image1 = new QLabel(panel1_);
  image1->setObjectName(QStringLiteral("Image1"));
  image1->setGeometry(kLogoBox);
  image1->setAlignment(Qt::AlignCenter);
  image1->setPixmap(LogoForBox(kLogoBox.size(), devicePixelRatioF()));

  // A thin engraved rule between the name and the credits.
  auto* bevel1 = new QFrame(panel1_);
  bevel1->setObjectName(QStringLiteral("Bevel1"));
  bevel1->setFrameStyle(QFrame::HLine | QFrame::Sunken);
  bevel1->setGeometry(kCreditsMargin + 10, kCreditsTop - 7,
                      kPanelRect.width() - 2 * (kCreditsMargin + 10), 2);

  int number = 3;
  int top = kCreditsTop;
  for (const CreditLine& line : kCredits) {
    auto* label = new QLabel(QString::fromUtf8(line.text), panel1_);
    label->setObjectName(QStringLiteral("Label%1").arg(number++));
    label->setFont(VerdanaFont(line.pixelSize, line.bold));
    SetInk(label, kCreditsInk);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setGeometry(kCreditsMargin, top, kPanelRect.width() - 2 * kCreditsMargin,
                       kCreditsLineStep);
    top += kCreditsLineStep;
  }

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
