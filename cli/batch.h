// tintavis-calc: the colour of many samples at once, from a tab-separated list of readings to a
// data file that the program opens.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tintavis::batch {

struct Options {
  char separator = '.';
  bool english = false;
  bool precise = false;   // name and ten values as %.17g, for further calculation
  bool spectrum = false;  // the line goes on with the 31 transmittances at the result path length
  std::string input = "-";  // a file name, or "-" for standard input
};

struct Arguments {
  std::optional<Options> options;  // empty when help was asked for or the arguments are wrong
  bool help = false;
  std::string error;  // what is wrong with the arguments
};

Arguments ParseArguments(const std::vector<std::string>& args);
std::string_view Usage();

struct Report {
  std::size_t samples = 0;  // lines computed and written
  std::size_t failed = 0;   // lines refused, each reported on the error stream
};

// The header line of the output, in the language of the options, CR LF included.
std::string HeaderLine(const Options& options);

// Computes every sample line of `text` (UTF-8; its first line is line `firstLine` of the input)
// and appends the output lines (UTF-8) to `out` and the "line N: MESSAGE" reports to `errors`.
Report ProcessText(std::string_view text, const Options& options, std::size_t firstLine, std::string& out,
                   std::string& errors);

// The whole tool: reads the input, writes standard output and standard error, returns the exit
// status (0 all samples computed, 1 some failed, 2 usage error or unreadable input).
int Run(const std::vector<std::string>& args, std::FILE* in, std::FILE* out, std::FILE* err);

}  // namespace tintavis::batch
