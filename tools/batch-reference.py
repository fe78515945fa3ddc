#!/usr/bin/python3
"""The control-valve rows of tools/batch-benchmark as an engineer would size them in an afternoon
with Debian's python3-iapws and python3-fluids: the network flow from the load, the drop left
across the valve, the water's density and viscosity (IAPWS97 at the supply temperature and the
inlet pressure), its saturation pressure (IAPWS97 at x = 0), the Kv of IEC 60534
(fluids.control_valve.size_control_valve_l) and the choke check (is_choked_turbulent_l), one
CSV line a row. The benchmark times it against vedan-cli on the same rows.

Usage: tools/batch-reference.py ROWS.csv > OUT.csv"""

import math
import sys

from fluids.control_valve import (FF_critical_pressure_ratio_l, is_choked_turbulent_l,
                                  size_control_valve_l)
from iapws import IAPWS97

KGF = 98066.5  # Pa per kgf/cm2
PC = 22.064e6  # Pa


def number(text):
    return float(text.replace(",", "."))


with open(sys.argv[1], encoding="utf-8-sig") as rows:
    header = rows.readline().strip().split(";")
    out = sys.stdout
    out.write("line;networkFlow;drop;kv;choked\n")
    for line, row in enumerate(rows, start=2):
        cells = dict(zip(header, row.rstrip("\r\n").split(";")))
        supply, ret = number(cells["supply"]), number(cells["return"])
        load = number(cells["load"])
        flow = load * 1e6 * 1.163 * 3.6 / ((supply - ret) * 4.2) / 1000  # t/h
        drop = number(cells["inlet"]) - number(cells["outlet"]) - number(cells["resistance"]) / 10
        p1 = (number(cells["inlet"]) + 1.0332) * KGF
        water = IAPWS97(T=supply + 273.15, P=p1 / 1e6)
        psat = IAPWS97(T=supply + 273.15, x=0).P * 1e6
        rho, mu = water.rho, water.mu
        p2 = p1 - drop * KGF
        q = flow * 1000 / rho / 3600  # m3/s
        kv = size_control_valve_l(rho=rho, Psat=psat, Pc=PC, mu=mu, P1=p1, P2=p2, Q=q, FL=0.9)
        ff = FF_critical_pressure_ratio_l(Psat=psat, Pc=PC)
        choked = is_choked_turbulent_l(p1 - p2, p1, psat, ff, 0.9)
        out.write(f"{line};{flow};{drop};{kv};{int(choked)}\n")
