#!/usr/bin/python3
"""Reference values for the volumetric flow and the IEC 60534-2-1 Kv of a liquid.

Reads one JSON object from standard input, {"cases": [[G_t_per_h, rho_kg_m3, dp_kgf_cm2], ...]},
and prints {"volume": [...], "sheetKv": [...], "iecKv": [...]}:
  volume   Q = G*1000/rho in m3/h, in Python's doubles (IEEE double, each step rounded);
  sheetKv  Q*sqrt((rho/1000)/(dp*0.980665)), in doubles, as the calculation sheet has always
           printed it;
  iecKv    python3-fluids' size_control_valve_l (turbulent, not choked, no fittings), taken from
           its reference density rho0 to the sheet's 1000 kg/m3.
Run with /usr/bin/python3."""

import json
import math
import sys

from fluids.control_valve import rho0, size_control_valve_l

PA_PER_KGF_CM2 = 98066.5

cases = json.load(sys.stdin)["cases"]
volume, sheet, iec = [], [], []
for g, rho, dp in cases:
    q = g * 1000.0 / rho
    volume.append(q)
    sheet.append(q * math.sqrt((rho / 1000.0) / (dp * 0.980665)))
    p1 = 1.0e6
    kv = size_control_valve_l(rho=rho, Psat=2.0e3, Pc=22.064e6, mu=3.0e-4, P1=p1,
                              P2=p1 - dp * PA_PER_KGF_CM2, Q=q / 3600.0,
                              allow_choked=False, allow_laminar=False)
    iec.append(kv * math.sqrt(rho0 / 1000.0))
json.dump({"volume": volume, "sheetKv": sheet, "iecKv": iec}, sys.stdout)
