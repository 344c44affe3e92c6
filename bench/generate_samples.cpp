// generate_samples N: writes N generated sample lines (the batch benchmarks' input) to standard
// output, a block at a time, so that ten million samples can go through a pipe.
#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <string>

#include "bench/samplegenerator.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: generate_samples N\n", stderr);
    return 2;
  }
  char* end = nullptr;
  const unsigned long long samples = std::strtoull(argv[1], &end, 10);
  if (end == argv[1] || *end != '\0') {
    std::fprintf(stderr, "generate_samples: '%s' is not a number of samples\n", argv[1]);
    return 2;
  }
  tintavis::bench::SampleGenerator generator;
  std::string block;
  constexpr unsigned long long kBlock = 4096;
  for (unsigned long long done = 0; done < samples; done += kBlock) {
    block.clear();
    generator.Append(block, static_cast<std::size_t>(std::min(kBlock, samples - done)));
    if (std::fwrite(block.data(), 1, block.size(), stdout) != block.size()) return 1;
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}
