// Reading PDF files back in tests with poppler's pdfinfo, pdftotext and pdftoppm (Debian
// poppler-utils, which scripts/test installs): page count and size, the text, word boxes in
// points, and the grey levels of a piece of a page as a viewer shows it.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cctype>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace tintavis::testing {

// Runs a shell command and returns its standard output; `status` gets its exit status.
inline std::string CommandOutput(const std::string& command, int* status = nullptr) {
  std::string out;
  std::FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) {
    if (status != nullptr) *status = -1;
    return out;
  }
  char buf[4096];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) out.append(buf, n);
  const int rc = ::pclose(pipe);
  if (status != nullptr) *status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
  return out;
}

inline std::string Quoted(const std::string& path) {
  std::string q = "'";
  for (const char c : path) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

// Succeeds when pdfinfo and pdftotext can be run; otherwise says what to install.
inline ::testing::AssertionResult PopplerToolsPresent() {
  for (const char* tool : {"pdfinfo", "pdftotext", "pdftoppm"}) {
    int status = 0;
    CommandOutput(std::string("command -v ") + tool + " >/dev/null 2>&1", &status);
    if (status != 0) {
      return ::testing::AssertionFailure() << tool
                                           << " is missing: install the Debian package poppler-utils "
                                              "(scripts/test installs it)";
    }
  }
  return ::testing::AssertionSuccess();
}

struct PdfInfo {
  int pages = 0;
  double width = 0;  // points
  double height = 0;
};

// A number written with '.', whatever the C library's locale (QApplication sets it from the
// environment); 0 when there is none.
inline double NumberAt(const std::string& text, std::size_t at) {
  while (at < text.size() && text[at] == ' ') ++at;
  double v = 0;
  if (at < text.size()) std::from_chars(text.data() + at, text.data() + text.size(), v);
  return v;
}

// The text after `key` up to the end of its line, or an empty text.
inline std::string FieldAfter(const std::string& text, const std::string& key) {
  const std::size_t at = text.find(key);
  if (at == std::string::npos) return {};
  const std::size_t start = at + key.size();
  return text.substr(start, text.find('\n', start) - start);
}

inline std::optional<PdfInfo> ReadPdfInfo(const std::string& path) {
  int status = 0;
  const std::string out = CommandOutput("pdfinfo " + Quoted(path) + " 2>/dev/null", &status);
  if (status != 0) return std::nullopt;
  PdfInfo info;
  info.pages = static_cast<int>(NumberAt(FieldAfter(out, "Pages:"), 0));
  // "Page size:       595 x 842 pts (A4)"
  const std::string size = FieldAfter(out, "Page size:");
  info.width = NumberAt(size, 0);
  const std::size_t x = size.find(" x ");
  if (x != std::string::npos) info.height = NumberAt(size, x + 3);
  return info;
}

// The text of the file as pdftotext reads it (UTF-8), in reading order.
inline std::string PdfText(const std::string& path) {
  return CommandOutput("pdftotext -enc UTF-8 " + Quoted(path) + " - 2>/dev/null");
}

struct PdfWord {
  std::string text;
  double xMin, yMin, xMax, yMax;  // points from the page's top-left corner
};

// The value of attribute `name` in the element text `element`.
inline double Attribute(const std::string& element, const std::string& name) {
  const std::size_t at = element.find(" " + name + "=\"");
  return at == std::string::npos ? 0.0 : NumberAt(element, at + name.size() + 3);
}

// The words of `pdftotext -bbox`: <word xMin=".." yMin=".." xMax=".." yMax="..">text</word>,
// of page `page` (1 = the first) or, with 0, of every page.
inline std::vector<PdfWord> PdfWords(const std::string& path, int page = 0) {
  const std::string pages = page > 0 ? " -f " + std::to_string(page) + " -l " + std::to_string(page) : "";
  const std::string html = CommandOutput("pdftotext -bbox -enc UTF-8" + pages + " " + Quoted(path) + " - 2>/dev/null");
  std::vector<PdfWord> words;
  for (std::size_t at = html.find("<word "); at != std::string::npos; at = html.find("<word ", at + 1)) {
    const std::size_t close = html.find('>', at);
    const std::size_t end = html.find("</word>", close);
    if (close == std::string::npos || end == std::string::npos) break;
    const std::string element = html.substr(at, close - at);
    words.push_back({html.substr(close + 1, end - close - 1), Attribute(element, "xMin"), Attribute(element, "yMin"),
                     Attribute(element, "xMax"), Attribute(element, "yMax")});
  }
  return words;
}

// A piece of a page rendered as a viewer renders it (anti-aliased): `width` x `height` pixels
// at `dpi`, from pixel (x, y) of the whole page; grey levels 0 (black) to 255, row by row.
// Empty when it could not be rendered.
struct PdfGreys {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> pixels;
  int At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};
inline PdfGreys RenderPdfPiece(const std::string& path, int dpi, int x, int y, int width, int height) {
  const std::string pgm =
      CommandOutput("pdftoppm -f 1 -l 1 -gray -r " + std::to_string(dpi) + " -x " + std::to_string(x) + " -y " +
                    std::to_string(y) + " -W " + std::to_string(width) + " -H " + std::to_string(height) + " " +
                    Quoted(path) + " 2>/dev/null");
  // "P5\n<width> <height>\n255\n" then the bytes.
  PdfGreys greys;
  std::size_t at = 0;
  int fields[3] = {};
  if (pgm.rfind("P5", 0) != 0) return {};
  at = 2;
  for (int& f : fields) {
    while (at < pgm.size() && std::isspace(static_cast<unsigned char>(pgm[at])) != 0) ++at;
    const auto [end, ec] = std::from_chars(pgm.data() + at, pgm.data() + pgm.size(), f);
    if (ec != std::errc()) return {};
    at = static_cast<std::size_t>(end - pgm.data());
  }
  ++at;  // the one blank after the maximum value
  greys.width = fields[0];
  greys.height = fields[1];
  const std::size_t size = static_cast<std::size_t>(greys.width) * greys.height;
  if (pgm.size() < at + size) return {};
  greys.pixels.assign(pgm.begin() + static_cast<std::ptrdiff_t>(at), pgm.begin() + static_cast<std::ptrdiff_t>(at + size));
  return greys;
}

}  // namespace tintavis::testing

namespace tintavis::testing {

// The colour of pixel (x, y) of page `page` (1 = the first) rendered at `dpi`, as pdftoppm
// renders it; nullopt when it could not be rendered.
struct PdfRgb {
  int r = 0, g = 0, b = 0;
};
inline std::optional<PdfRgb> RenderPdfPixel(const std::string& path, int page, int dpi, int x, int y) {
  const std::string ppm = CommandOutput("pdftoppm -f " + std::to_string(page) + " -l " + std::to_string(page) + " -r " +
                                        std::to_string(dpi) + " -x " + std::to_string(x) + " -y " + std::to_string(y) +
                                        " -W 1 -H 1 " + Quoted(path) + " 2>/dev/null");
  // "P6\n1 1\n255\n" then three bytes.
  if (ppm.rfind("P6", 0) != 0 || ppm.size() < 3) return std::nullopt;
  const std::size_t at = ppm.size() - 3;
  return PdfRgb{static_cast<unsigned char>(ppm[at]), static_cast<unsigned char>(ppm[at + 1]),
                static_cast<unsigned char>(ppm[at + 2])};
}

}  // namespace tintavis::testing
