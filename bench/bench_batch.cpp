// The batch tool over a million generated samples: one thread's block work, and the whole tool
// from the input file to the output stream on one thread and on one per core.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/samplegenerator.h"
#include "cli/batch.h"

namespace {

using tintavis::bench::GeneratedInput;

// One thread's block work over the generated samples with `options`.
void ProcessGenerated(benchmark::State& state, const tintavis::batch::Options& options) {
  const std::string input = GeneratedInput(static_cast<std::size_t>(state.range(0)));
  std::string out, errors;
  for (auto _ : state) {
    out.clear();
    errors.clear();
    const auto report = tintavis::batch::ProcessText(input, options, 1, out, errors);
    benchmark::DoNotOptimize(report);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_BatchProcessText(benchmark::State& state) { ProcessGenerated(state, {}); }
BENCHMARK(BM_BatchProcessText)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same with --uncertainty 0.005,0.01: U(X) ... U(Ton) after the ten values.
void BM_BatchProcessTextWithUncertainty(benchmark::State& state) {
  tintavis::batch::Options options;
  options.uncertainty = tintavis::InputUncertainty{0.005, 0.01};
  ProcessGenerated(state, options);
}
BENCHMARK(BM_BatchProcessTextWithUncertainty)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(3);

// The whole tool: read a file of a million samples, compute, write the data file; the argument
// is --threads, 0 for the default (one per core).
void BM_BatchRunMillionSamples(benchmark::State& state) {
  const std::string path = "/tmp/tintavis_bench_million.tsv";
  {
    const std::string input = GeneratedInput(1'000'000);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(input.data(), 1, input.size(), f);
    std::fclose(f);
  }
  std::vector<std::string> args = {path};
  if (state.range(0) > 0) args.insert(args.begin(), {"--threads", std::to_string(state.range(0))});
  std::FILE* sink = std::fopen("/dev/null", "wb");
  for (auto _ : state) {
    const int status = tintavis::batch::Run(args, stdin, sink, stderr);
    if (status != 0) state.SkipWithError("some generated samples failed");
  }
  std::fclose(sink);
  std::remove(path.c_str());
  state.SetItemsProcessed(state.iterations() * 1'000'000);
}
BENCHMARK(BM_BatchRunMillionSamples)->ArgName("threads")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
