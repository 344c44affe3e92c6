#!/usr/bin/env python3
"""Independent figures for the whole-spectrum colour tests, straight from the CIE's CSV files.

Written apart from the C++ code, in plain Python floats, from the textbook formulas:
  T(l) = 10^(-A(l) r / d); X = k sum S x10 T, Y = k sum S y10 T, Z = k sum S z10 T over the
  spectrum's own wavelengths from 380 to 780 nm (the 1 nm tables sampled there), k = 100 / sum S y10;
  the white point is the same sums with T = 1; CIELAB with 216/24389 and 24389/27;
  CIEDE2000 from Sharma, Wu and Dalal (2005).

  python3 tests/core/fullspectrum_reference.py            # prints the figures the tests use
  python3 tests/core/fullspectrum_reference.py --example  # writes examples/spectra.tsv
"""
import csv
import math
import os
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


def load(name):
    with open(os.path.join(ROOT, "core", "data", name)) as f:
        rows = list(csv.reader(f))[1:]
    return {int(r[0]): [float(v) for v in r[1:]] for r in rows}


CMF = load("CIE_xyz_1964_10deg.csv")
D65 = load("CIE_std_illum_D65.csv")


def wavelengths(first, step, n):
    return [first + i * step for i in range(n)]


def white(first, step, n):
    lam = [l for l in wavelengths(first, step, n) if 380 <= l <= 780]
    sx = sum(D65[l][0] * CMF[l][0] for l in lam)
    sy = sum(D65[l][0] * CMF[l][1] for l in lam)
    sz = sum(D65[l][0] * CMF[l][2] for l in lam)
    return 100 * sx / sy, 100.0, 100 * sz / sy


def lab(xyz, wp):
    def f(t):
        e, k = 216 / 24389, 24389 / 27
        return t ** (1 / 3) if t > e else (k * t + 16) / 116
    fx, fy, fz = (f(v / n) for v, n in zip(xyz, wp))
    return 116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)


def absorbance_at(first, step, a, nm):
    pos = (nm - first) / step
    i = int(math.floor(pos))
    frac = pos - i
    return a[i] if frac == 0 else a[i] + (a[i + 1] - a[i]) * frac


def full(first, step, a, d, r):
    lam = wavelengths(first, step, len(a))
    sx = sy = sz = sw = 0.0
    for l, ai in zip(lam, a):
        if not 380 <= l <= 780:
            continue
        t = 10 ** (-ai * r / d)
        s = D65[l][0]
        sx += s * CMF[l][0] * t
        sy += s * CMF[l][1] * t
        sz += s * CMF[l][2] * t
        sw += s * CMF[l][1]
    xyz = (100 * sx / sw, 100 * sy / sw, 100 * sz / sw)
    L, A, B = lab(xyz, white(first, step, len(a)))
    C = math.hypot(A, B)
    h = math.degrees(math.atan2(B, A)) % 360
    a420, a520, a620 = (absorbance_at(first, step, a, n) * r / d for n in (420, 520, 620))
    return dict(X=xyz[0], Y=xyz[1], Z=xyz[2], L=L, C=C, h=h, a=A, b=B,
                intensity=a420 + a520 + a620, tonality=a420 / a520)


def ciede2000(ref, smp):
    (L1, a1, b1), (L2, a2, b2) = ref, smp
    C1, C2 = math.hypot(a1, b1), math.hypot(a2, b2)
    Cm7 = ((C1 + C2) / 2) ** 7
    G = 0.5 * (1 - math.sqrt(Cm7 / (Cm7 + 25 ** 7)))
    a1p, a2p = (1 + G) * a1, (1 + G) * a2
    C1p, C2p = math.hypot(a1p, b1), math.hypot(a2p, b2)
    h1p = math.degrees(math.atan2(b1, a1p)) % 360 if C1p else 0
    h2p = math.degrees(math.atan2(b2, a2p)) % 360 if C2p else 0
    dLp, dCp = L2 - L1, C2p - C1p
    dhp = h2p - h1p
    if C1p * C2p == 0:
        dhp = 0
    elif dhp > 180:
        dhp -= 360
    elif dhp < -180:
        dhp += 360
    dHp = 2 * math.sqrt(C1p * C2p) * math.sin(math.radians(dhp / 2))
    Lm, Cpm = (L1 + L2) / 2, (C1p + C2p) / 2
    if C1p * C2p == 0:
        hpm = h1p + h2p
    elif abs(h1p - h2p) <= 180:
        hpm = (h1p + h2p) / 2
    elif h1p + h2p < 360:
        hpm = (h1p + h2p + 360) / 2
    else:
        hpm = (h1p + h2p - 360) / 2
    T = (1 - 0.17 * math.cos(math.radians(hpm - 30)) + 0.24 * math.cos(math.radians(2 * hpm))
         + 0.32 * math.cos(math.radians(3 * hpm + 6)) - 0.20 * math.cos(math.radians(4 * hpm - 63)))
    dtheta = 30 * math.exp(-(((hpm - 275) / 25) ** 2))
    RC = 2 * math.sqrt(Cpm ** 7 / (Cpm ** 7 + 25 ** 7))
    SL = 1 + 0.015 * (Lm - 50) ** 2 / math.sqrt(20 + (Lm - 50) ** 2)
    SC = 1 + 0.045 * Cpm
    SH = 1 + 0.015 * Cpm * T
    RT = -math.sin(math.radians(2 * dtheta)) * RC
    return math.sqrt((dLp / SL) ** 2 + (dCp / SC) ** 2 + (dHp / SH) ** 2 + RT * (dCp / SC) * (dHp / SH))


def piecewise(knots, first, step, n):
    out = []
    for l in wavelengths(first, step, n):
        for (l0, v0), (l1, v1) in zip(knots, knots[1:]):
            if l0 <= l <= l1:
                out.append(v0 + (v1 - v0) * (l - l0) / (l1 - l0))
                break
    return out


# The synthetic red wine of the tests, absorbance in a 2 mm cell, straight between these points.
RED_KNOTS = [(380, 0.95), (420, 0.55), (450, 0.5), (520, 0.8), (570, 0.6), (630, 0.2), (700, 0.06), (780, 0.03)]
# The four-absorbance figures of the same absorbances (red, d = 2, r = 10), as the method prints them.
ESTIMATE_LAB = (11.978323, 41.236535, 15.307758)


def gauss(l, centre, width):
    return math.exp(-(((l - centre) / width) ** 2))


# Wine-like absorbance spectra in a 10 mm cell: anthocyanins around 520 nm, yellow-brown pigments
# falling from the violet, a little scattering.
EXAMPLE = [
    ("Tinto joven", lambda l: 1.9 * gauss(l, 525, 48) + 2.2 * math.exp(-(l - 380) / 55) + 0.06),
    ("Rosado añada", lambda l: 0.32 * gauss(l, 515, 45) + 0.55 * math.exp(-(l - 380) / 50) + 0.01),
    ("Verdejo", lambda l: 0.45 * math.exp(-(l - 380) / 38) + 0.004),
    ("Brandy solera", lambda l: 1.1 * math.exp(-(l - 380) / 60) + 0.01),
]


def example_columns():
    lam = wavelengths(380, 5, 81)
    return lam, [[round(fn(l), 4) for l in lam] for _, fn in EXAMPLE]


def write_example():
    lam, cols = example_columns()
    with open(os.path.join(ROOT, "examples", "spectra.tsv"), "w", encoding="utf-8", newline="") as f:
        f.write("# Absorbance of four wines in a 10 mm cell, every 5 nm (synthetic spectra).\n")
        f.write("nm\t" + "\t".join(name for name, _ in EXAMPLE) + "\n")
        for i, l in enumerate(lam):
            f.write(f"{l}\t" + "\t".join(f"{c[i]:.4f}" for c in cols) + "\n")


def show(title, res):
    print(title)
    for k, v in res.items():
        print(f"  {k:10s} {v:.6f}")


def main():
    if "--example" in sys.argv:
        write_example()
        return
    for first, step, n in ((380, 1, 401), (380, 5, 81), (380, 10, 41), (379, 2, 202)):
        print(f"white {first}+{step} nm:", ["%.6f" % v for v in white(first, step, n)])
    red = piecewise(RED_KNOTS, 380, 5, 81)
    res = full(380, 5, red, 2, 10)
    show("synthetic red, 5 nm, d = 2, r = 10", res)
    print("  dE00 of the four-absorbance estimate: %.6f" % ciede2000((res["L"], res["a"], res["b"]), ESTIMATE_LAB))
    lam, cols = example_columns()
    for (name, _), col in zip(EXAMPLE, cols):
        show(f"examples/spectra.tsv {name}, d = 10, r = 10", full(380, 5, col, 10, 10))


if __name__ == "__main__":
    main()
