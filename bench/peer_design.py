# The peer of the command-line benchmark, run as `python3 -c "<this file>" design ARGS...`: the
# same computation as `filter2 design --format json` with numpy: parse fc, Q, R, C (engineers'
# notation, the families), the window's components with 6.2832, their label texts and markers,
# the nearest standard values and the best E12 / E96 pairs over the candidates around each
# part, and per section the gain-bandwidth product that keeps fc and Q within 1 % (the poles of
# the section with a single-pole op-amp, found with numpy.roots, walked down and bisected);
# then the JSON on standard output.
import json
import math
import re
import sys

import numpy as np

PREFIX = {"p": -12, "n": -9, "u": -6, "m": -3, "": 0, "k": 3, "K": 3, "M": 6, "G": 9}
FAMILY = {"bessel": 0.58, "butterworth": 0.71, "chebyshev-0.5": 0.86, "chebyshev-1": 0.96, "linkwitz-riley": 0.5}
E12 = np.array([10, 12, 15, 18, 22, 27, 33, 39, 47, 56, 68, 82], dtype=float)
E96 = np.round(100 * 10 ** (np.arange(96) / 96))


def value(text, unit):
    m = re.fullmatch(r"(\d*)(?:[.,](\d*))?([pnumkKMG]?)(\d*)(" + unit + r")?", text)
    if not m:
        sys.exit(f"{text}: not a value")
    whole, frac, prefix, rkm = m.group(1), m.group(2) or "", m.group(3), m.group(4)
    return float(f"{whole or 0}.{frac or rkm or 0}") * 10.0 ** PREFIX[prefix]


def label_c(v):
    if 1e-12 <= v < 1e-9:
        return str(round(v * 1e12)), "pF"
    if 1e-9 <= v < 1e-7:
        k = round(v * 1e10)
    elif v >= 1e-7:
        k = round(v * 1e7)
    else:
        return None, None
    return (f"{k // 10},{k % 10}" if k % 10 else str(k // 10)), ("nF" if v < 1e-7 else "uF")


def label_r(v):
    if 1 <= v < 1000:
        return str(round(v)), "Ohm / Ом"
    if v >= 1000:
        k = round(v / 100)
        return (f"{k // 10},{k % 10}" if k % 10 else str(k // 10)), "kOhm / кОм"
    return None, None


def series_values(mantissas, v):
    decade = math.floor(math.log10(v))
    scale = 10.0 ** (decade - len(str(int(mantissas[0]))) + 1)
    return np.concatenate([mantissas * scale / 10, mantissas * scale, mantissas * scale * 10])


def pair(fc, q, fixed, a_ideal, b_ideal, mantissas, low):
    def around(v):
        values = series_values(mantissas, v)
        below = values[values <= v * (1 + 1e-9)].max()
        above = values[values >= v * (1 - 1e-9)].min()
        return np.unique([below, above])

    a, b = np.meshgrid(around(a_ideal), around(b_ideal))
    f = 1 / (2 * math.pi * fixed * np.sqrt(a * b))
    qq = np.sqrt(a / b) / 2 if low else np.sqrt(b / a) / 2
    err = np.maximum(abs(f / fc - 1), abs(qq / q - 1))
    i = np.unravel_index(np.argmin(err), err.shape)
    near = lambda v: series_values(mantissas, v)[np.argmin(abs(np.log(series_values(mantissas, v) / v)))]
    return {"C1" if low else "R1": a[i], "C2" if low else "R2": b[i], "fc_hz": f[i], "q": qq[i],
            "fc_error_pct": (f[i] / fc - 1) * 100, "q_error_pct": (qq[i] / q - 1) * 100,
            "nearest": [near(a_ideal), near(b_ideal)]}


def fc_q(b1, b2, t, gbw, a0=1e5):
    wp = 2 * math.pi * gbw / a0
    e = wp * (1 + a0)
    roots = np.roots([b2 / e, b2 + (b1 + t) / e, b1 + (1 + wp * t) / e, 1])
    pair_ = sorted(roots, key=lambda r: (r.imag == 0, abs(r)))[:2]
    w0 = math.sqrt(abs(pair_[0] * pair_[1]))
    return w0 / (2 * math.pi), w0 / -(pair_[0] + pair_[1]).real


def gbw_needed(b1, b2, t):
    w0 = 1 / math.sqrt(b2)
    q0 = math.sqrt(b2) / b1
    within = lambda g: max(abs(x) for x in np.subtract(fc_q(b1, b2, t, g), (w0 / 2 / math.pi, q0)) /
                           np.array([w0 / 2 / math.pi, q0])) <= 0.01
    good = w0 / 2 / math.pi * 1e7
    while within(good / 1.25):
        good /= 1.25
    bad = good / 1.25
    while good / bad > 1 + 1e-6:
        mid = math.sqrt(good * bad)
        good, bad = (mid, bad) if within(mid) else (good, mid)
    return good


args = dict(zip(sys.argv[2::2], sys.argv[3::2]))
fc = value(args["--fc"], "Hz")
q = FAMILY.get(args["--q"]) or value(args["--q"], "")
r = value(args["--r"], "ohm")
c = value(args["--c"], "F")
w = np.longdouble(6.2832) * np.longdouble(fc)
c2 = float(1 / (2 * np.longdouble(q) * w * np.longdouble(r)))
c1 = float(4 * np.longdouble(q) ** 2 * np.longdouble(c2))
r2 = float(2 * np.longdouble(q) / (w * np.longdouble(c)))
r1 = float(np.longdouble(r2) / (4 * np.longdouble(q) ** 2))
out = {"input": {"fc_hz": fc, "q": q, "r_ohm": r, "c_farad": c}, "lowpass": {}, "highpass": {}}
for name, v in (("C1", c1), ("C2", c2)):
    shown, unit = label_c(v)
    out["lowpass"][name] = {"farad": v, "shown": shown, "unit": unit, "marked": v > 1e-5 or v < 1e-10}
for name, v in (("R1", r1), ("R2", r2)):
    shown, unit = label_r(v)
    out["highpass"][name] = {"ohm": v, "shown": shown, "unit": unit, "marked": v > 1e6 or v < 100}
out["lowpass"]["standard"] = dict(series="E12", **pair(fc, q, r, c1, c2, E12, True))
out["highpass"]["standard"] = dict(series="E96", **pair(fc, q, c, r1, r2, E96, False))
out["lowpass"]["gbw_needed_hz"] = gbw_needed(2 * r * c2, r * r * c1 * c2, r * c1)
out["highpass"]["gbw_needed_hz"] = gbw_needed(2 * c * r1, c * c * r1 * r2, c * r2)
print(json.dumps(out, default=float))
