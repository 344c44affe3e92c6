#include "gui/brand.h"

#include <QFont>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QPalette>

#include "gui/logo.h"

namespace tintavis {
namespace {

// The program name and its sign, in the program's purple.
const QColor kNamePurple(128, 0, 128);
const QColor kCreditsInk(64, 48, 72);

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

QFont VerdanaFont(int pixelSize, bool bold) {
  QFont font(QStringLiteral("Verdana"));
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  return font;
}

QLabel* InkedLabel(QWidget* parent, const QString& text, const char* name, const QFont& font, const QColor& ink) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setFont(font);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, ink);
  label->setPalette(palette);
  return label;
}

}  // namespace

void AddBrand(QWidget* panel, const BrandLayout& layout) {
  QLabel* name = InkedLabel(panel, QStringLiteral("TINTAVIS"), "Label1", VerdanaFont(27, true), kNamePurple);
  name->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  name->move(layout.namePos);
  name->adjustSize();

  // The registered sign follows the name at its top line. It starts where the name's text ends,
  // whatever width the font gives the name, but never runs into the bevel.
  QLabel* sign = InkedLabel(panel, QStringLiteral("®"), "Label2", VerdanaFont(13, true), kNamePurple);
  sign->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  sign->adjustSize();
  const int nameEnd = layout.namePos.x() + QFontMetrics(name->font()).horizontalAdvance(name->text());
  const int signLimit = layout.panelWidth - layout.bevelWidth - 1 - sign->width();
  sign->move(qMin(nameEnd, signLimit), layout.namePos.y());

  auto* logo = new QLabel(panel);
  logo->setObjectName(QStringLiteral("Image1"));
  logo->setGeometry(layout.logoBox);
  logo->setAlignment(Qt::AlignCenter);
  logo->setPixmap(LogoForBox(layout.logoBox.size(), panel->devicePixelRatioF()));

  // A thin engraved rule between the name and the credits.
  auto* rule = new QFrame(panel);
  rule->setObjectName(QStringLiteral("Bevel1"));
  rule->setFrameStyle(QFrame::HLine | QFrame::Sunken);
  const int ruleMargin = layout.creditsMargin + 10;
  rule->setGeometry(ruleMargin, layout.creditsTop - layout.ruleGap, layout.panelWidth - 2 * ruleMargin, 2);

  int number = 3;
  int top = layout.creditsTop;
  for (const CreditLine& line : kCredits) {
    const QByteArray labelName = "Label" + QByteArray::number(number++);
    QLabel* label = InkedLabel(panel, QString::fromUtf8(line.text), labelName.constData(),
                               VerdanaFont(line.pixelSize, line.bold), kCreditsInk);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setGeometry(layout.creditsMargin, top, layout.panelWidth - 2 * layout.creditsMargin,
                       layout.creditsLineStep);
    top += layout.creditsLineStep;
  }
}

}  // namespace tintavis
