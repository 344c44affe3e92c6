// The reference samples of the tests, as the fields of the main window hold them.
#pragma once

#include "logic/calculation.h"

namespace tintavis::testing {

// Red wine, 2 mm cell, results for 10 mm: X 3.213 ... Tonality 0.533, swatch RGB(93, 21, 28).
inline SampleForm RedReferenceForm(std::string name = "M") {
  SampleForm form;
  form.name = std::move(name);
  form.espesor = "2";
  form.referido = "10";
  form.primLong = "0.5";
  form.segLong = "0.8";
  form.tercLong = "0.6";
  form.cuartLong = "0.2";
  return form;
}

// White wine, 10 mm cell and results: X 84.560 ... b* 7.78, Intensity and Tonality "  --".
inline SampleForm WhiteForm(std::string name = "") {
  SampleForm form;
  form.name = std::move(name);
  form.wine = WineType::WhiteBrandy;
  form.espesor = "10";
  form.referido = "10";
  form.primLong = "0.1";
  form.segLong = "0.05";
  form.tercLong = "0.04";
  form.cuartLong = "0.03";
  return form;
}

}  // namespace tintavis::testing
