// Generated batch input for the benchmarks: sample lines with the absorbance ratios of real
// wines, three reds for every white, from a fixed seed so that every run times the same work.
#pragma once

#include <charconv>
#include <cstddef>
#include <random>
#include <string>

namespace tintavis::bench {

class SampleGenerator {
 public:
  // Appends the next `count` lines to `out`.
  void Append(std::string& out, std::size_t count) {
    for (std::size_t end = next_ + count; next_ < end; ++next_) {
      const bool red = next_ % 4 != 3;
      // 520 nm the strongest in reds, falling towards 630 nm; whites absorb far less.
      const double a520 = red ? low_(rng_) : low_(rng_) / 8;
      out += "Muestra ";
      AppendNumber(out, next_);
      out += red ? "\tred\t2\t10\t" : "\twhite\t10\t10\t";
      for (const double a : {a520 * 0.62, a520, a520 * 0.7}) {
        AppendFixed3(out, a);
        out += '\t';
      }
      AppendFixed3(out, a520 * 0.25);
      out += '\n';
    }
  }

 private:
  static void AppendNumber(std::string& out, std::size_t n) {
    char buf[24];
    out.append(buf, std::to_chars(buf, buf + sizeof buf, n).ptr);
  }
  // As printf's "%.3f": the exact value rounded to three decimals.
  static void AppendFixed3(std::string& out, double v) {
    char buf[32];
    out.append(buf, std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 3).ptr);
  }

  std::mt19937 rng_{20261208};
  std::uniform_real_distribution<double> low_{0.05, 0.9};
  std::size_t next_ = 0;
};

// The first `samples` generated lines.
inline std::string GeneratedInput(std::size_t samples) {
  std::string text;
  text.reserve(samples * 48);
  SampleGenerator().Append(text, samples);
  return text;
}

}  // namespace tintavis::bench
