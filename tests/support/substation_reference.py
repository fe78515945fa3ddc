#!/usr/bin/python3
"""Independent reference for the substation's pressure budget, written from the method as the
README states it, with p_v from Debian's python3-iapws.

Reads {"cases": [...]} from standard input, each case
  {"scheme": "elevator"|"valve"|"valve-regulator"|"regulator", "p1", "p2" (kgf/cm2 gauge),
   "t1", "t2" (C), "q" (Gcal/h), "s" (m), "other" (m), "authority", "range" (1-3),
   "hmax" (m), "dmin" (mm)}
and prints {"answers": [...]}, each answer
  {"flow", "availableHead", "elements": [{"kind", "head", "drop", "kv", "plates", "bore",
   "setPoint", "nozzle", "elevatorHead"}...], "budgetFailed", "orificeFits", "rangeFailed"}
with null where an element has no such value. Run with /usr/bin/python3."""

import json
import math
import sys

from iapws.iapws97 import _PSat_T

KGF_PER_MPA = 10.19716  # the unit choice's factor, which the setting ranges are read by
MPA_PER_KGF = 0.0980665  # 1 kgf/cm2 exactly, by which absolute pressures are converted
ATM = 1.0332
PC = 22.064
FL = 0.9
K = 0.67
RANGES = {1: (0.04, 0.16), 2: (0.1, 0.4), 3: (0.3, 0.7)}


def vapour(t1):
    return _PSat_T(t1 + 273.15) / MPA_PER_KGF


def ff(pv):
    return 0.96 - 0.28 * math.sqrt(pv * MPA_PER_KGF / PC)


def bore(g, head):
    return 10 * (g * g / head) ** 0.25


def plates(g, head, p_in, pv, dmin):
    for n in (1, 2, 3):
        d = bore(g, head / n)
        last = head / n / 10
        choked = FL ** 2 * (p_in - (n - 1) * head / (10 * n) - ff(pv) * pv)
        fits = d >= dmin and last < choked
        if fits or n == 3:
            return n, d, fits


def device(kind, drop, g):
    kv = g / math.sqrt(drop) if drop > 0 else None
    return {"kind": kind, "head": 10 * drop, "drop": drop, "kv": kv}


def solve(c):
    g = c["q"] * 1e6 * 1.163 * 3.6 / ((c["t1"] - c["t2"]) * 4.2) / 1000
    dh = 10 * (c["p1"] - c["p2"])
    s, other = c["s"], c["other"]
    h = dh - other
    p1 = c["p1"] + ATM - other / 10
    pv = vapour(c["t1"])
    out = {"flow": g, "availableHead": dh, "elements": [], "orificeFits": None,
           "rangeFailed": None}
    els = out["elements"]
    if other > 0:
        els.append({"kind": "other", "head": other})

    def orifice(head_or, p_in):
        n, d, fits = plates(g, head_or, p_in, pv, c["dmin"])
        els.append({"kind": "orifice", "head": head_or, "drop": head_or / 10, "plates": n,
                    "bore": d})
        out["orificeFits"] = fits

    def first(kind, dp):
        p_out = p1 - dp
        dmax = K * FL ** 2 * (p_out - ff(pv) * pv) / (1 - K * FL ** 2)
        if dp > 0 and dp > dmax > 0:
            orifice(10 * (dp - dmax), p1)
            dp = dmax
        els.append(device(kind, dp, g))

    scheme = c["scheme"]
    if scheme == "elevator":
        u = (c["t1"] - 95) / (95 - c["t2"])
        need = 1.4 * (1 + u) ** 2 * s
        h3 = g * g * (9.6 / c["dmin"]) ** 4
        he = min(h, max(need, min(c["hmax"], h3)))
        if h - he > 0:
            orifice(h - he, p1)
        els.append({"kind": "elevator", "head": he - s, "elevatorHead": he,
                    "nozzle": 9.6 * (g * g / he) ** 0.25})
        out["budgetFailed"] = h < need
    elif scheme == "valve":
        first("valve", h / 10 - s / 10)
        out["budgetFailed"] = h <= s
    else:
        lo, hi = RANGES[c["range"]]
        if scheme == "valve-regulator":
            held = max(s / 10 / (1 - c["authority"]), lo * KGF_PER_MPA)
        else:
            held = s / 10
        first("regulator", h / 10 - held)
        els[-1]["setPoint"] = held
        if scheme == "valve-regulator":
            els.append(device("valve", held - s / 10, g))
        out["budgetFailed"] = h <= 10 * held
        out["rangeFailed"] = held > hi * KGF_PER_MPA
    els.append({"kind": "system", "head": s})
    return out


json.dump({"answers": [solve(c) for c in json.load(sys.stdin)["cases"]]}, sys.stdout)
