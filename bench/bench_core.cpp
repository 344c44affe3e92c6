// Timing of the colour computation, the display colour and the number text of a grid cell.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <random>
#include <vector>

#include "logic/textrules.h"
#include "core/colour.h"
#include "core/displaycolour.h"
#include "core/uncertainty.h"

namespace {

using tintavis::SampleInput;
using tintavis::WineType;

SampleInput ReferenceRed() {
  SampleInput in;
  in.wine = WineType::RedRose;
  in.d = 2;
  in.r = 10;
  in.a450 = 0.5;
  in.a520 = 0.8;
  in.a570 = 0.6;
  in.a630 = 0.2;
  return in;
}

// 1024 samples of both wine types around typical absorbances and path lengths, some of them
// refused, from a fixed seed so every run times the same work.
std::vector<SampleInput> VariedSamples() {
  std::mt19937_64 engine(12345);
  const auto unit = [&engine] { return static_cast<double>(engine() >> 11) * 0x1.0p-53; };
  std::vector<SampleInput> samples(1024);
  for (auto& in : samples) {
    in.wine = (engine() & 1) != 0 ? WineType::RedRose : WineType::WhiteBrandy;
    in.d = static_cast<std::int32_t>(1 + engine() % 10);
    in.r = static_cast<std::int32_t>(1 + engine() % 20);
    in.a450 = 1.2 * unit();
    in.a520 = 1.2 * unit();
    in.a570 = 1.2 * unit();
    in.a630 = 1.2 * unit();
  }
  return samples;
}

void BM_ComputeColour(benchmark::State& state) {
  const SampleInput in = ReferenceRed();
  for (auto _ : state) {
    auto result = tintavis::ComputeColour(in);
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK(BM_ComputeColour);

// The first-order uncertainty of one sample: eight more colour computations (two per
// absorbance; the path length needs none).
void BM_PropagateUncertainty(benchmark::State& state) {
  const SampleInput in = ReferenceRed();
  for (auto _ : state) {
    auto result = tintavis::PropagateUncertainty(in, {0.005, 0.01});
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK(BM_PropagateUncertainty);

void BM_ComputeColourVaried(benchmark::State& state) {
  const std::vector<SampleInput> samples = VariedSamples();
  std::size_t i = 0;
  for (auto _ : state) {
    auto result = tintavis::ComputeColour(samples[i]);
    benchmark::DoNotOptimize(result);
    i = (i + 1) & 1023;
  }
}
BENCHMARK(BM_ComputeColourVaried);

void BM_DisplayColour(benchmark::State& state) {
  // Reference red, reference white and an opaque sample, in turn.
  constexpr std::array<std::array<double, 3>, 3> kXyz = {{
      {3.212814, 1.402566, 0.368396},
      {87.833970, 93.059876, 85.216961},
      {0, 0, 0},
  }};
  std::size_t i = 0;
  for (auto _ : state) {
    const auto& xyz = kXyz[i];
    auto colour = tintavis::DisplayColour(xyz[0], xyz[1], xyz[2]);
    benchmark::DoNotOptimize(colour);
    i = i == 2 ? 0 : i + 1;
  }
}
BENCHMARK(BM_DisplayColour);

void BM_FormatFixed(benchmark::State& state) {
  // Typical grid values: tristimulus values, CIELAB coordinates and the OIV indices.
  constexpr std::array<double, 10> kValues = {3.212814,  1.402566,  0.368396,  11.978323, 43.986126,
                                              20.365850, 41.236535, -0.681893, 7.399904,  0.532708};
  std::size_t i = 0;
  for (auto _ : state) {
    auto text = tintavis::FormatFixed(kValues[i], 5, 3, '.');
    benchmark::DoNotOptimize(text);
    i = i == kValues.size() - 1 ? 0 : i + 1;
  }
}
BENCHMARK(BM_FormatFixed);

}  // namespace
