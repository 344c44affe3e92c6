// Responsiveness of the main window on the offscreen platform: creating it until it is shown,
// and one "Calcular" from Enter to the updated grid, charts and swatch.
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <cstdio>
#include <QLineEdit>
#include <QTest>

#include "gui/mainwindow.h"
#include "gui/messenger.h"
#include "gui/program.h"

namespace {

// Every window of the program created in its order, the main window shown and its first
// events handled: the moment the user can type.
void BM_MainWindowStartUp(benchmark::State& state) {
  for (auto _ : state) {
    tintavis::Program program;
    program.mainWindow.show();
    QApplication::processEvents();
    benchmark::DoNotOptimize(program.mainWindow.isVisible());
  }
}
BENCHMARK(BM_MainWindowStartUp)->Unit(benchmark::kMillisecond);

void BM_CalcularFromEnter(benchmark::State& state) {
  tintavis::MainWindow window;
  window.SetDecimalSeparator('.');
  window.show();
  QApplication::processEvents();
  const char* fields[] = {"Espesor", "referido", "PrimLong", "SegLong", "TercLong", "CuartLong"};
  const char* texts[] = {"2", "10", "0.5", "0.8", "0.6", "0.2"};
  for (int i = 0; i < 6; ++i) window.findChild<QLineEdit*>(fields[i])->setText(texts[i]);
  auto* last = window.findChild<QLineEdit*>("CuartLong");
  int n = 0;
  for (auto _ : state) {
    // Stay below the 50-sample limit so that no prompt is due.
    if (++n % 40 == 0) {
      state.PauseTiming();
      window.ClearAllSamples();
      for (int i = 0; i < 6; ++i) window.findChild<QLineEdit*>(fields[i])->setText(texts[i]);
      state.ResumeTiming();
    }
    QTest::keyClick(last, Qt::Key_Return);
    QApplication::processEvents();
  }
}
BENCHMARK(BM_CalcularFromEnter)->Unit(benchmark::kMicrosecond);

// A window holding 50 calculated samples, as a lab's full day.
void FillFifty(tintavis::MainWindow& window) {
  const char* fields[] = {"NomMuestra", "Espesor", "referido", "PrimLong", "SegLong", "TercLong", "CuartLong"};
  const char* texts[] = {"Muestra", "2", "10", "0.5", "0.8", "0.6", "0.2"};
  for (int i = 0; i < 7; ++i) window.findChild<QLineEdit*>(fields[i])->setText(texts[i]);
  for (int i = 0; i < 49; ++i) window.Calculate();
}

void BM_SaveFiftySamples(benchmark::State& state) {
  tintavis::MainWindow window;
  window.show();
  FillFifty(window);
  const QString path = QDir::temp().filePath("tintavis_bench_save.xls");
  for (auto _ : state) {
    if (!window.SaveFile(path)) state.SkipWithError("save failed");
    QApplication::processEvents();
  }
  QFile::remove(path);
}
BENCHMARK(BM_SaveFiftySamples)->Unit(benchmark::kMillisecond);

void BM_OpenFiftySamples(benchmark::State& state) {
  tintavis::MainWindow window;
  window.show();
  FillFifty(window);
  const QString path = QDir::temp().filePath("tintavis_bench_open.xls");
  window.SaveFile(path);
  for (auto _ : state) {
    if (!window.OpenFile(path)) state.SkipWithError("open failed");
    QApplication::processEvents();
  }
  QFile::remove(path);
}
BENCHMARK(BM_OpenFiftySamples)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromLatin1(tintavis::kApplicationTitle));
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  // Peak memory of the whole run: every window created, 50 samples, files opened and saved.
  struct rusage usage {};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("peak memory: %.1f MB\n", static_cast<double>(usage.ru_maxrss) / 1024.0);
  return 0;
}
