// tintavis-desktopcheck: starts the program's windows as tintavis does, lets the window manager
// of the desktop it runs on maximise the main window, calculates 25 samples as a user types them
// and prints, one per line, what that desktop gave: the window's size, the sample rows the
// grid's viewport shows whole, the a*b* chart's size, and whether the quick entry window stays
// in front of the main window after a real mouse click on it (sent through the X server with
// xdotool, so that the window manager sees it). Exits 1 when, on a screen of 1600 x 1200 logical
// pixels or more, the grid shows fewer than 20 sample rows; or when the chart is 300 pixels or
// less either way, or the quick entry window is partly off the screen or went behind.
// scripts/desktop-check runs it under Xvfb and Openbox; it is not a test of the build.
#include <QApplication>
#include <QLabel>
#include <QProcess>
#include <QScreen>
#include <QTableView>
#include <QTest>
#include <cstdio>

#include "gui/logo.h"
#include "gui/messenger.h"
#include "gui/program.h"
#include "tools/typedsamples.h"

namespace {

constexpr int kSamplesTyped = 25;
// On a screen of 1600 x 1200 logical pixels or more, the grid shows 20 sample rows whole.
constexpr int kRowsWanted = 20;
constexpr QSize kRowsScreen{1600, 1200};
constexpr int kChartAtLeast = 301;

QString SizeText(QSize size) { return QStringLiteral("%1x%2").arg(size.width()).arg(size.height()); }

void Say(const QString& line) {
  std::printf("%s\n", qPrintable(line));
  std::fflush(stdout);
}

QString YesNo(bool yes) { return yes ? QStringLiteral("yes") : QStringLiteral("no"); }

// Sample rows (view rows) whose whole height lies inside the viewport.
int WholeRowsShown(const QTableView& grid) {
  int whole = 0;
  for (int row = 0; row < grid.model()->rowCount(); ++row) {
    const int top = grid.rowViewportPosition(row);
    if (top >= 0 && top + grid.rowHeight(row) <= grid.viewport()->height()) ++whole;
  }
  return whole;
}

bool RowsShownWhole(const QTableView& grid, int first, int last) {
  for (int row = first; row <= last; ++row) {
    const int top = grid.rowViewportPosition(row);
    if (top < 0 || top + grid.rowHeight(row) > grid.viewport()->height()) return false;
  }
  return true;
}

// A left click at `at` (logical screen coordinates) through the X server, as a mouse gives it.
bool ClickOnScreen(QPoint at, qreal pixelRatio) {
  const QPoint device = (QPointF(at) * pixelRatio).toPoint();
  return QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QString::number(device.x()),
                                                       QString::number(device.y()), QStringLiteral("click"),
                                                       QStringLiteral("1")}) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromLatin1(tintavis::kApplicationTitle));
  QApplication::setWindowIcon(tintavis::TintavisIcon());
  QGuiApplication::setDesktopFileName(QStringLiteral("org.tintavis.tintavis"));

  // As main() starts the program.
  tintavis::Program program;
  tintavis::MainWindow& window = program.mainWindow;
  window.SetDecimalSeparator('.');
  window.showMaximized();
  program.quickEntry.raise();
  program.quickEntry.activateWindow();
  program.splash.raise();

  QScreen* screen = window.screen();
  const QRect available = screen->availableGeometry();
  Say(QStringLiteral("screen: %1 logical, available %2, device pixel ratio %3")
          .arg(SizeText(screen->size()), SizeText(available.size()))
          .arg(screen->devicePixelRatio()));
  // The window manager maximises the window: its frame then spans the available width.
  const bool maximised = QTest::qWaitFor(
      [&] { return window.isMaximized() && window.frameGeometry().width() >= available.width(); }, 5000);
  QTest::qWait(300);
  Say(QStringLiteral("window: %1, frame %2, maximised by the window manager: %3")
          .arg(SizeText(window.size()), SizeText(window.frameGeometry().size()), YesNo(maximised)));

  for (int i = 0; i < kSamplesTyped; ++i) {
    const auto samples = tintavis::TypedSamples();
    const tintavis::TypedSample& s = samples[static_cast<std::size_t>(i) % samples.size()];
    tintavis::CalculateTyped(window, s, QStringLiteral("%1 %2").arg(QString::fromLatin1(s.name)).arg(i + 1));
  }
  // The splash hides by its own timer; the facts are those of the windows left.
  (void)QTest::qWaitFor([&] { return !program.splash.isVisible(); }, 5000);
  QTest::qWait(200);

  auto* grid = window.findChild<QTableView*>("Resultados1");
  grid->scrollToTop();
  QApplication::processEvents();
  const int whole = WholeRowsShown(*grid);
  const bool first20 = grid->model()->rowCount() >= kRowsWanted && RowsShownWhole(*grid, 0, kRowsWanted - 1);
  Say(QStringLiteral("grid: viewport %1, row height %2, %3 sample rows, %4 shown whole")
          .arg(SizeText(grid->viewport()->size()))
          .arg(grid->rowHeight(0))
          .arg(grid->model()->rowCount())
          .arg(whole));
  const bool rowsRequired = available.width() >= kRowsScreen.width() && available.height() >= kRowsScreen.height();
  Say(QStringLiteral("grid: rows 1-%1 shown whole after scrolling to the top: %2%3")
          .arg(kRowsWanted)
          .arg(YesNo(first20), rowsRequired ? QString() : QStringLiteral(" (not required below 1600x1200 logical)")));

  const QSize chart = window.findChild<QLabel*>("Imagen")->size();
  Say(QStringLiteral("a*b* chart: %1").arg(SizeText(chart)));

  const QRect quickFrame = program.quickEntry.frameGeometry();
  const bool quickOnScreen = available.contains(quickFrame);
  Say(QStringLiteral("quick entry: frame %1 at %2,%3, wholly on the screen: %4")
          .arg(SizeText(quickFrame.size()))
          .arg(quickFrame.x())
          .arg(quickFrame.y())
          .arg(YesNo(quickOnScreen)));

  // A click on the logo, an inert spot of the main window that the quick entry window never
  // covers; the window manager activates and raises the main window.
  auto* logo = window.findChild<QLabel*>("Image1");
  const bool clicked = ClickOnScreen(logo->mapToGlobal(logo->rect().center()), window.devicePixelRatio());
  QTest::qWait(700);
  const QPoint quickCentre = program.quickEntry.frameGeometry().center();
  QWidget* atQuickCentre = QApplication::topLevelAt(quickCentre);
  const bool quickInFront = program.quickEntry.isVisible() && atQuickCentre == &program.quickEntry;
  Say(QStringLiteral("click on the main window (xdotool): %1; main window active after it: %2")
          .arg(clicked ? QStringLiteral("sent") : QStringLiteral("failed"), YesNo(window.isActiveWindow())));
  Say(QStringLiteral("quick entry in front after the click (QApplication::topLevelAt at its centre %1,%2): %3%4")
          .arg(quickCentre.x())
          .arg(quickCentre.y())
          .arg(YesNo(quickInFront),
               atQuickCentre == nullptr || quickInFront ? QString()
                                                        : QStringLiteral(" (found %1)").arg(atQuickCentre->objectName())));

  const bool rowsGood = !rowsRequired || (whole >= kRowsWanted && first20);
  const bool good = maximised && rowsGood && chart.width() >= kChartAtLeast && chart.height() >= kChartAtLeast &&
                    quickOnScreen && clicked && quickInFront;
  Say(good ? QStringLiteral("desktop check: passed") : QStringLiteral("desktop check: FAILED"));
  return good ? 0 : 1;
}
