// Samples calculated as a user calculates them: the wine type clicked, the name, both path
// lengths and the four absorbances typed into their fields, then Enter. The developer tools
// fill the main window with them.
#pragma once

#include <QString>
#include <span>

namespace tintavis {

class MainWindow;

struct TypedSample {
  const char* name;
  bool red;
  const char* d;
  const char* r;
  const char* a[4];
};

// A few wines of both types, each giving a valid row.
std::span<const TypedSample> TypedSamples();

// Types `sample` under `name` into the window's fields and presses Enter in the last one.
void CalculateTyped(MainWindow& window, const TypedSample& sample, const QString& name);

}  // namespace tintavis
