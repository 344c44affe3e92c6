// Constant tables of the colour computation, each held once, with the digits of the method.
#pragma once

#include <array>

namespace tintavis::tables {

inline constexpr int kPoints = 31;  // 400, 410, ..., 700 nm

// Indices of the measured wavelengths 450, 520, 570 and 630 nm on the 10 nm grid.
inline constexpr std::array<int, 4> kMeasuredIndex = {5, 12, 17, 23};
// Indices of 420, 520 and 620 nm, read by the OIV indices.
inline constexpr int kIndex420 = 2;
inline constexpr int kIndex520 = 12;
inline constexpr int kIndex620 = 22;

// Basis weights c1..c4 from the transmittances at the model path length:
// constant, then the factors of T450, T520, T570, T630.
// clang-format off
inline constexpr double kModelCoefficients[4][5] = {
  {-3.18906129958813,   2.24570474496889,   0.901142707771824,  1.29500817182221,  0.471067379448466},
  {-0.63996553967499,  -2.92942734516525,   0.969241022518873,  1.11927389790176,  1.2400833776432},
  {-1.30350172054088,   1.10770634066735,  -1.72033331619117,   0.10777802679422,  1.78087020303236},
  {-1.09291087119569,  -0.663189828625918,  1.99323316506324,  -2.44118058192607,  2.23328149724341},
};
// clang-format on

// Mean spectrum B0 and basis spectra B1..B4, transmittance per grid point.
// clang-format off
inline constexpr double kSpectralBasis[kPoints][5] = {
  {0.5301, 0.1881, -0.4133,  0.212,  -0.2732},  // 400
  {0.5689, 0.1864, -0.3563,  0.1807, -0.128 },  // 410
  {0.5918, 0.187,  -0.3047,  0.1449, -0.0418},  // 420
  {0.6015, 0.1914, -0.2598,  0.1079, -0.0049},  // 430
  {0.6059, 0.197,  -0.2178,  0.0716,  0.0123},  // 440
  {0.6085, 0.2023, -0.1785,  0.0368,  0.0271},  // 450
  {0.6098, 0.207,  -0.1415, -0.0002,  0.0436},  // 460
  {0.6093, 0.2114, -0.1079, -0.0397,  0.0655},  // 470
  {0.6066, 0.2161, -0.0734, -0.0858,  0.0876},  // 480
  {0.6012, 0.2216, -0.0387, -0.1426,  0.1162},  // 490
  {0.5943, 0.2277, -0.006,  -0.2043,  0.1456},  // 500
  {0.5895, 0.2336,  0.0219, -0.2509,  0.1568},  // 510
  {0.5899, 0.2382,  0.0496, -0.2696,  0.1372},  // 520
  {0.5969, 0.2407,  0.0833, -0.2569,  0.0846},  // 530
  {0.6102, 0.2405,  0.1237, -0.2141,  0.012 },  // 540
  {0.6281, 0.2377,  0.1637, -0.1488, -0.0672},  // 550
  {0.6496, 0.2321,  0.1974, -0.069,  -0.1377},  // 560
  {0.6759, 0.2226,  0.2221,  0.0231, -0.1887},  // 570
  {0.7074, 0.2081,  0.2368,  0.1177, -0.2062},  // 580
  {0.7435, 0.1882,  0.2409,  0.2026, -0.1823},  // 590
  {0.7813, 0.1649,  0.2335,  0.263,  -0.1235},  // 600
  {0.8174, 0.1402,  0.2158,  0.2948, -0.0458},  // 610
  {0.8508, 0.1156,  0.1874,  0.2981,  0.0391},  // 620
  {0.8824, 0.0908,  0.1455,  0.2768,  0.1271},  // 630
  {0.9117, 0.0668,  0.0948,  0.2355,  0.2114},  // 640
  {0.9349, 0.0472,  0.0499,  0.1897,  0.2749},  // 650
  {0.9511, 0.0334,  0.0181,  0.1522,  0.3126},  // 660
  {0.9615, 0.0245, -0.0006,  0.1266,  0.3273},  // 670
  {0.9683, 0.0189, -0.01,    0.1102,  0.3293},  // 680
  {0.9729, 0.0153, -0.0134,  0.0989,  0.3228},  // 690
  {0.9763, 0.0128, -0.0146,  0.0914,  0.3152},  // 700
};
// clang-format on

// Illuminant D65 times the 10-degree observer: X, Y and Z weights per grid point.
// clang-format off
inline constexpr double kD65Weights[kPoints][3] = {
  { 1.5806,    0.1655,    7.1169},  // 400
  { 7.7489,    0.8051,   35.6246},  // 410
  {19.1068,    1.9994,   90.8624},  // 420
  {27.2789,    3.3546,  134.661 },  // 430
  {40.2367,    6.5121,  206.3009},  // 440
  {43.3749,   10.4722,  233.4076},  // 450
  {35.6146,   15.1035,  205.6291},  // 460
  {22.4668,   21.2723,  151.3409},  // 470
  { 9.3318,   29.3981,   89.5041},  // 480
  { 1.7627,   36.8978,   45.1783},  // 490
  { 0.4155,   50.3903,   23.8938},  // 500
  { 4.0426,   65.4035,   12.0738},  // 510
  {12.3338,   79.829,     6.3608},  // 520
  {25.4684,   94.2494,    3.2737},  // 530
  {39.3398,  100.4376,    1.4303},  // 540
  {55.1236,  103.1928,    0.4162},  // 550
  {70.52,     99.73,      0     },  // 560
  {84.6392,   92.0473,    0     },  // 570
  {97.1482,   83.2302,    0     },  // 580
  {99.1948,   68.9442,    0     },  // 590
  {101.167,   59.2511,    0     },  // 600
  {92.3319,   47.3083,    0     },  // 610
  {75.0964,   34.9129,    0     },  // 620
  {53.9294,   23.6123,    0     },  // 630
  {36.1246,   15.0491,    0     },  // 640
  {21.4712,    8.6109,    0     },  // 650
  {12.2407,    4.8369,    0     },  // 660
  { 6.6892,    2.6164,    0     },  // 670
  { 3.194,     1.2447,    0     },  // 680
  { 1.3875,    0.5369,    0     },  // 690
  { 0.6874,    0.265,     0     },  // 700
};
// clang-format on

// Reference white of the CIELAB conversion.
inline constexpr double kWhiteX = 94.781;
inline constexpr double kWhiteY = 100;
inline constexpr double kWhiteZ = 107.351;

// CIELAB compression. The offset 0.1379 is kept as the method prints it, not 16/116.
inline constexpr double kLabThreshold = 0.008856;
inline constexpr double kLabSlope = 7.787;
inline constexpr double kLabOffset = 0.1379;
inline constexpr double kLabFactorL = 116;
inline constexpr double kLabFactorA = 500;
inline constexpr double kLabFactorB = 200;

// Display colour: XYZ to linear red, green, blue (rows), columns for X, Y, Z.
// clang-format off
inline constexpr double kDisplayMatrix[3][3] = {
  { 3.240479, -1.53715,  -0.498535},
  {-0.969256,  1.875992,  0.041556},
  { 0.055648, -0.204043,  1.057311},
};
// clang-format on

// Linear values not above 0 become kClampLow; values above kClampHigh become kClampHigh.
inline constexpr double kClampLow = 0.1;
inline constexpr double kClampHigh = 100;

// Fitted curves from a clamped linear value v to an 8-bit channel:
//   red   = 31.3285 v^0.45 + (-0.04634 - 0.1971 v) + 9.3613 v^0.2066
//   green = blue = 33.427 v^0.45 + (9.3077 - 0.2064 v)
inline constexpr double kCurveExponent = 0.45;
inline constexpr double kRedGain = 31.3285;
inline constexpr double kRedSlope = 0.1971;
inline constexpr double kRedOffset = -0.04634;
inline constexpr double kRedSecondGain = 9.3613;
inline constexpr double kRedSecondExponent = 0.2066;
inline constexpr double kGreenBlueGain = 33.427;
inline constexpr double kGreenBlueSlope = 0.2064;
inline constexpr double kGreenBlueOffset = 9.3077;

}  // namespace tintavis::tables
