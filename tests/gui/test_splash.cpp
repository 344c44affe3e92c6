// The logo picture and its scaled forms, and the splash window: its frame, layout, texts and the
// timer that hides it. Runs under the widget tests' main(), which creates the QApplication.
#include "gui/splash.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFontMetrics>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include "gui/logo.h"

namespace tintavis {
namespace {

const QColor kPurple(128, 0, 128);

// ---- Logo -----------------------------------------------------------------------------------

TEST(Logo, IsA341By379PictureWithAnAlphaChannel) {
  const QImage logo = TintavisLogo();
  EXPECT_EQ(logo.size(), QSize(341, 379));
  EXPECT_EQ(logo.depth(), 32);
  EXPECT_TRUE(logo.hasAlphaChannel());
}

TEST(Logo, IsRenderedOnceAndSharedByEveryCaller) {
  EXPECT_EQ(TintavisLogo().cacheKey(), TintavisLogo().cacheKey());
}

TEST(Logo, HasTransparentCorners) {
  const QImage logo = TintavisLogo();
  const int w = logo.width();
  const int h = logo.height();
  for (const QPoint corner : {QPoint(0, 0), QPoint(w - 6, 0), QPoint(0, h - 6), QPoint(w - 6, h - 6)}) {
    for (int dy = 0; dy < 6; ++dy) {
      for (int dx = 0; dx < 6; ++dx) {
        const QPoint at = corner + QPoint(dx, dy);
        EXPECT_EQ(qAlpha(logo.pixel(at)), 0) << "at " << at.x() << "," << at.y();
      }
    }
  }
}

TEST(Logo, HasOpaqueRedWineInTheMiddle) {
  const QImage logo = TintavisLogo();
  for (const QPoint at : {QPoint(170, 200), QPoint(150, 220), QPoint(200, 190)}) {
    const QColor colour = QColor::fromRgba(logo.pixel(at));
    EXPECT_EQ(colour.alpha(), 255) << "at " << at.x() << "," << at.y();
    EXPECT_GT(colour.red(), colour.green() + 40) << "at " << at.x() << "," << at.y();
    EXPECT_GT(colour.red(), colour.blue()) << "at " << at.x() << "," << at.y();
  }
}

struct BoxCase {
  QSize box;
  QSize expected;  // the largest 341:379 size that fits, rounded to whole pixels
};

std::string SizeText(QSize size) {
  return std::to_string(size.width()) + "x" + std::to_string(size.height());
}

void PrintTo(const BoxCase& c, std::ostream* os) {
  *os << "box " << SizeText(c.box) << " -> " << SizeText(c.expected);
}

std::string BoxCaseName(const ::testing::TestParamInfo<BoxCase>& boxInfo) {
  return SizeText(boxInfo.param.box);
}

class LogoInBox : public ::testing::TestWithParam<BoxCase> {};

// Hand-derived: a box relatively wider than 341:379 is filled in height and the width is
// height * 341 / 379 rounded (105 -> 94.47, 67 -> 60.28, 81 -> 72.88, 100 -> 89.97); a
// narrower box is filled in width and the height is width * 379 / 341 rounded (100 -> 111.14).
INSTANTIATE_TEST_SUITE_P(
    WindowBoxes, LogoInBox,
    ::testing::Values(BoxCase{{110, 105}, {94, 105}},  // main window
                      BoxCase{{70, 67}, {60, 67}},     // About window
                      BoxCase{{86, 81}, {73, 81}},     // splash window
                      BoxCase{{200, 100}, {90, 100}},  // wide box
                      BoxCase{{100, 300}, {100, 111}}  // tall box
                      ),
    BoxCaseName);

TEST_P(LogoInBox, KeepsItsProportionsAndIsCentred) {
  const BoxCase& c = GetParam();
  const QRect box(QPoint(10, 20), c.box);
  const QRect target = LogoRectInBox(box);
  EXPECT_EQ(target.size(), c.expected);
  EXPECT_TRUE(box.contains(target));
  EXPECT_LE(std::abs((target.left() - box.left()) - (box.right() - target.right())), 1);
  EXPECT_LE(std::abs((target.top() - box.top()) - (box.bottom() - target.bottom())), 1);
}

TEST_P(LogoInBox, PixmapHasTheScaledSize) {
  const BoxCase& c = GetParam();
  EXPECT_EQ(LogoForBox(c.box).size(), c.expected);
}

TEST(Logo, PixmapForAHighDensityScreenHasMorePixelsButTheSameLogicalSize) {
  const QPixmap pixmap = LogoForBox(QSize(110, 105), 2.0);
  EXPECT_EQ(pixmap.size(), QSize(188, 210));
  EXPECT_EQ(pixmap.deviceIndependentSize().toSize(), QSize(94, 105));
}

TEST(Logo, DrawnInABoxStaysInsideTheScaledArea) {
  QImage canvas(200, 160, QImage::Format_ARGB32_Premultiplied);
  canvas.fill(Qt::transparent);
  const QRect box(40, 30, 110, 105);
  {
    QPainter painter(&canvas);
    DrawLogoInBox(painter, box);
  }
  const QRect target = LogoRectInBox(box);  // 94 x 105 at 48, 30
  int outside = 0;
  int opaqueInside = 0;
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      const int alpha = qAlpha(canvas.pixel(x, y));
      if (!target.contains(x, y) && alpha != 0) ++outside;
      if (target.contains(x, y) && alpha == 255) ++opaqueInside;
    }
  }
  EXPECT_EQ(outside, 0);
  EXPECT_GT(opaqueInside, target.width() * target.height() / 10);
  EXPECT_EQ(qAlpha(canvas.pixel(target.center())), 255);
}

TEST(Logo, IconOffersSizesFrom16To256Pixels) {
  const QIcon icon = TintavisIcon();
  ASSERT_FALSE(icon.isNull());
  const QList<QSize> sizes = icon.availableSizes();
  EXPECT_TRUE(sizes.contains(QSize(16, 16)));
  EXPECT_TRUE(sizes.contains(QSize(32, 32)));
  EXPECT_TRUE(sizes.contains(QSize(256, 256)));
  const QImage large = icon.pixmap(QSize(256, 256)).toImage();
  EXPECT_EQ(qAlpha(large.pixel(0, 0)), 0);
  EXPECT_EQ(qAlpha(large.pixel(128, 140)), 255);
}

// ---- Splash window --------------------------------------------------------------------------

template <typename T>
T* Child(const QWidget& window, const char* name) {
  return window.findChild<T*>(QString::fromLatin1(name));
}

TEST(SplashWindow, IsVisibleRightAfterCreation) {
  SplashWindow splash;
  EXPECT_TRUE(splash.isVisible());
  EXPECT_EQ(splash.objectName(), QStringLiteral("Form5"));
}

TEST(SplashWindow, CanBeCreatedHiddenWithItsTimerAlreadyRunning) {
  SplashWindow splash(false);
  EXPECT_FALSE(splash.isVisible());
  ASSERT_NE(splash.HideTimer(), nullptr);
  EXPECT_TRUE(splash.HideTimer()->isActive());
}

TEST(SplashWindow, IsABorderlessSplashKeptOnTop) {
  SplashWindow splash;
  const Qt::WindowFlags flags = splash.windowFlags();
  EXPECT_TRUE(splash.isWindow());
  EXPECT_EQ(splash.windowType(), Qt::SplashScreen);
  EXPECT_TRUE(flags.testFlag(Qt::FramelessWindowHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnTopHint));
}

TEST(SplashWindow, HasAFixedClientAreaOf360By230) {
  SplashWindow splash;
  EXPECT_EQ(splash.size(), QSize(360, 230));
  EXPECT_EQ(splash.minimumSize(), QSize(360, 230));
  EXPECT_EQ(splash.maximumSize(), QSize(360, 230));
}

TEST(SplashWindow, IsCentredOnThePrimaryScreen) {
  SplashWindow splash;
  const QScreen* screen = QGuiApplication::primaryScreen();
  ASSERT_NE(screen, nullptr);
  const QRect area = screen->geometry();
  const QRect frame = splash.geometry();
  EXPECT_LE(std::abs((frame.left() - area.left()) - (area.right() - frame.right())), 1);
  EXPECT_LE(std::abs((frame.top() - area.top()) - (area.bottom() - frame.bottom())), 1);
}

TEST(SplashWindow, PanelFillsTheClientAreaWithARaisedFiveLineBevel) {
  SplashWindow splash;
  const auto* panel = Child<QFrame>(splash, "Panel1");
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->geometry(), QRect(0, 0, 360, 230));
  EXPECT_EQ(panel->frameShape(), QFrame::Panel);
  EXPECT_EQ(panel->frameShadow(), QFrame::Raised);
  EXPECT_EQ(panel->lineWidth(), 5);
}

TEST(SplashWindow, Timer1TicksEvery2500MsAndRepeats) {
  SplashWindow splash;
  const auto* timer = Child<QTimer>(splash, "Timer1");
  ASSERT_NE(timer, nullptr);
  EXPECT_EQ(timer, splash.HideTimer());
  EXPECT_EQ(timer->interval(), 2500);
  EXPECT_FALSE(timer->isSingleShot());
  EXPECT_TRUE(timer->isActive());
}

TEST(SplashWindow, Timer1TimerHidesTheWindowAndLeavesTheTimerRunning) {
  SplashWindow splash;
  ASSERT_TRUE(splash.isVisible());
  splash.HideSplash();
  EXPECT_FALSE(splash.isVisible());
  EXPECT_TRUE(splash.HideTimer()->isActive());
}

TEST(SplashWindow, LaterTicksLeaveTheHiddenWindowHidden) {
  SplashWindow splash;
  splash.HideSplash();
  splash.HideSplash();
  EXPECT_FALSE(splash.isVisible());
  EXPECT_TRUE(splash.HideTimer()->isActive());
}

TEST(SplashWindow, HidesItselfAbout2500MsAfterCreationWithoutAnyUserAction) {
  QElapsedTimer clock;
  clock.start();
  SplashWindow splash;
  ASSERT_TRUE(splash.isVisible());
  EXPECT_TRUE(QTest::qWaitFor([&] { return !splash.isVisible(); }, 4000));
  const qint64 elapsed = clock.elapsed();
  // A coarse timer may fire up to 5 % early.
  EXPECT_GE(elapsed, 2375);
  EXPECT_LT(elapsed, 4000);
  EXPECT_TRUE(splash.HideTimer()->isActive());
}

struct LabelCase {
  const char* name;
  const char* text;
  int pixelSize;
};

void PrintTo(const LabelCase& c, std::ostream* os) { *os << c.name << " \"" << c.text << '"'; }

class SplashNameLabel : public ::testing::TestWithParam<LabelCase> {};

INSTANTIATE_TEST_SUITE_P(NameAndSign, SplashNameLabel,
                         ::testing::Values(LabelCase{"Label1", "TINTAVIS", 27},
                                           LabelCase{"Label2", "®", 13}),
                         [](const ::testing::TestParamInfo<LabelCase>& labelInfo) {
                           return std::string(labelInfo.param.name);
                         });

TEST_P(SplashNameLabel, IsBoldPurpleVerdanaOfItsPixelSize) {
  const LabelCase& c = GetParam();
  SplashWindow splash;
  const auto* label = Child<QLabel>(splash, c.name);
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->text(), QString::fromUtf8(c.text));
  EXPECT_EQ(label->font().family(), QStringLiteral("Verdana"));
  EXPECT_TRUE(label->font().bold());
  EXPECT_EQ(label->font().pixelSize(), c.pixelSize);
  EXPECT_EQ(label->palette().color(QPalette::WindowText), kPurple);
  EXPECT_EQ(label->parentWidget(), Child<QFrame>(splash, "Panel1"));
  EXPECT_EQ(label->y(), 35);
}

TEST(SplashWindow, NameStartsAt193By35) {
  SplashWindow splash;
  const auto* name = Child<QLabel>(splash, "Label1");
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(name->pos(), QPoint(193, 35));
  EXPECT_EQ(name->alignment(), Qt::AlignLeft | Qt::AlignTop);
}

TEST(SplashWindow, RegisteredSignFollowsTheNameAtItsTopInsideTheBevel) {
  SplashWindow splash;
  const auto* name = Child<QLabel>(splash, "Label1");
  const auto* sign = Child<QLabel>(splash, "Label2");
  ASSERT_NE(name, nullptr);
  ASSERT_NE(sign, nullptr);
  const int nameEnd = name->x() + QFontMetrics(name->font()).horizontalAdvance(name->text());
  const int insideRight = 360 - 5;
  EXPECT_EQ(sign->y(), name->y());
  EXPECT_GE(sign->x(), qMin(nameEnd, insideRight - sign->width() - 1));
  EXPECT_LE(sign->geometry().right(), insideRight);
}

TEST(SplashWindow, ShowsTheLogoScaledInAn86By81BoxAt41By16) {
  SplashWindow splash;
  const auto* image = Child<QLabel>(splash, "Image1");
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->geometry(), QRect(41, 16, 86, 81));
  EXPECT_EQ(image->alignment(), Qt::AlignCenter);
  const QPixmap pixmap = image->pixmap();
  ASSERT_FALSE(pixmap.isNull());
  EXPECT_EQ(pixmap.deviceIndependentSize().toSize(), QSize(73, 81));
}

TEST(SplashWindow, CreditsFillTheLowerPartOfThePanelInSpanish) {
  SplashWindow splash;
  const auto* panel = Child<QFrame>(splash, "Panel1");
  ASSERT_NE(panel, nullptr);
  const QRect inside = panel->rect().adjusted(6, 6, -6, -6);
  const QRect logoBox(41, 16, 86, 81);
  std::vector<QString> texts;
  for (const QLabel* label : panel->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
    const QString name = label->objectName();
    if (name == QLatin1String("Label1") || name == QLatin1String("Label2") ||
        name == QLatin1String("Image1")) {
      continue;
    }
    texts.push_back(label->text());
    EXPECT_FALSE(label->text().isEmpty()) << name.toStdString();
    EXPECT_TRUE(inside.contains(label->geometry())) << name.toStdString();
    EXPECT_GT(label->y(), logoBox.bottom()) << name.toStdString();
    EXPECT_GT(label->y(), 35 + 27) << name.toStdString();
  }
  ASSERT_GE(texts.size(), 3u);
  const bool hasVersion = std::any_of(texts.begin(), texts.end(), [](const QString& t) {
    return t.startsWith(QStringLiteral("Versión "));
  });
  EXPECT_TRUE(hasVersion);
}

TEST(SplashWindow, GrabShowsTheLogoAndThePurpleName) {
  SplashWindow splash;
  const QImage shot = splash.grab().toImage();
  ASSERT_EQ(shot.size(), QSize(360, 230));
  const QRect logo = LogoRectInBox(QRect(41, 16, 86, 81));
  // The wine sits in the middle of the logo: a clearly red pixel there.
  const QColor wine = shot.pixelColor(logo.center());
  EXPECT_GT(wine.red(), wine.green() + 40);
  // Somewhere in the name's box there is pure name purple.
  const auto* name = Child<QLabel>(splash, "Label1");
  ASSERT_NE(name, nullptr);
  bool purpleFound = false;
  const QRect nameBox = name->geometry();
  for (int y = nameBox.top(); y <= nameBox.bottom() && !purpleFound; ++y) {
    for (int x = nameBox.left(); x <= nameBox.right() && !purpleFound; ++x) {
      purpleFound = shot.pixelColor(x, y) == kPurple;
    }
  }
  EXPECT_TRUE(purpleFound);
}

}  // namespace
}  // namespace tintavis
