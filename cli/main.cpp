#include <cstdio>
#include <string>
#include <vector>

#include "cli/batch.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return tintavis::batch::Run(args, stdin, stdout, stderr);
}
