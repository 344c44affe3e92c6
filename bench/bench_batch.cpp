// The batch tool over a million generated samples, from the input file to the output stream.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <string>

#include "cli/batch.h"

namespace {

std::string GeneratedInput(std::size_t samples) {
  std::mt19937 rng(20261208);
  std::uniform_real_distribution<double> low(0.05, 0.9);
  std::string text;
  text.reserve(samples * 48);
  char line[160];
  for (std::size_t i = 0; i < samples; ++i) {
    const bool red = i % 4 != 3;
    // Absorbance ratios of real wines: 520 nm the strongest in reds, falling towards 630 nm.
    const double a520 = red ? low(rng) : low(rng) / 8;
    std::snprintf(line, sizeof line, "Muestra %zu\t%s\t%d\t10\t%.3f\t%.3f\t%.3f\t%.3f\n", i, red ? "red" : "white",
                  red ? 2 : 10, a520 * 0.62, a520, a520 * 0.7, a520 * 0.25);
    text += line;
  }
  return text;
}

void BM_BatchProcessText(benchmark::State& state) {
  const std::string input = GeneratedInput(static_cast<std::size_t>(state.range(0)));
  tintavis::batch::Options options;
  std::string out, errors;
  for (auto _ : state) {
    out.clear();
    errors.clear();
    const auto report = tintavis::batch::ProcessText(input, options, 1, out, errors);
    benchmark::DoNotOptimize(report);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_BatchProcessText)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(3);

// The whole tool: read a file of a million samples, compute, write the data file.
void BM_BatchRunMillionSamples(benchmark::State& state) {
  const std::string path = "/tmp/tintavis_bench_million.tsv";
  {
    const std::string input = GeneratedInput(1'000'000);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(input.data(), 1, input.size(), f);
    std::fclose(f);
  }
  std::FILE* sink = std::fopen("/dev/null", "wb");
  for (auto _ : state) {
    const int status = tintavis::batch::Run({path}, stdin, sink, stderr);
    if (status != 0) state.SkipWithError("some generated samples failed");
  }
  std::fclose(sink);
  std::remove(path.c_str());
  state.SetItemsProcessed(state.iterations() * 1'000'000);
}
BENCHMARK(BM_BatchRunMillionSamples)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
