// The program's name, its registered sign, the logo and the credits block, as the splash and
// the About window show them on their panels.
#pragma once

#include <QPoint>
#include <QRect>

class QWidget;

namespace tintavis {

struct BrandLayout {
  QPoint namePos;      // top-left corner of "TINTAVIS"
  QRect logoBox;       // the logo, scaled into it with its proportions kept
  int panelWidth;      // the "®" stays clear of the panel's bevel
  int bevelWidth;
  int ruleGap;         // between the engraved rule and the first credits line
  int creditsTop;
  int creditsLineStep;
  int creditsMargin;   // from the panel's sides
};

// Puts Label1 (the name), Label2 ("®"), Image1 (the logo), Bevel1 (a rule) and Label3 onwards
// (the credits) on `panel`.
void AddBrand(QWidget* panel, const BrandLayout& layout);

}  // namespace tintavis
