// Data file texts and whole-file helpers shared by the tests of saving, opening and the batch
// tool.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

namespace tintavis::testing {

// The header line of a data file saved from a Spanish grid.
inline constexpr const char* kHeaderEs =
    "   Muestra\t     X\t     Y\t     Z\t    L*\t    C*\t    h*\t    a*\t    b*\t   Int.\t  Ton.\r\n";
// The red reference sample named Crianza, as a line of that file.
inline constexpr const char* kCrianza =
    "Crianza \t3.213\t1.403\t0.368\t12.0\t43.99\t20.37\t41.24\t15.31\t7.400\t0.533\r\n";

inline std::string ReadBytes(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void WriteBytes(const std::filesystem::path& p, std::string_view bytes) {
  std::ofstream out(p, std::ios::binary);
  out << bytes;
}

}  // namespace tintavis::testing
