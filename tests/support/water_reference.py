#!/usr/bin/python3
"""Independent reference values for the water-property and valve-factor tests.

Reads one JSON object from standard input:
  {"saturation": [t_C, ...], "density": [[t_C, p_MPa], ...],
   "ff": [[p_sat, p_c], ...], "choked": [[dP, P1, Psat, FF, FL], ...]}
and prints the same keys with the answers of Debian's python3-iapws (the saturation-pressure
equation of IAPWS97 in MPa, which its IAPWS97 class also uses up to 350 °C, and beyond that
to the critical point where the class takes region 3 instead; IAPWS97's density in kg/m3) and
python3-fluids (fluids.control_valve:
FF_critical_pressure_ratio_l, is_choked_turbulent_l). Run with /usr/bin/python3."""

import json
import sys

from fluids.control_valve import FF_critical_pressure_ratio_l, is_choked_turbulent_l
from iapws import IAPWS97
from iapws.iapws97 import _PSat_T

request = json.load(sys.stdin)
answer = {
    "saturation": [_PSat_T(t + 273.15) for t in request.get("saturation", [])],
    "density": [IAPWS97(T=t + 273.15, P=p).rho for t, p in request.get("density", [])],
    "ff": [FF_critical_pressure_ratio_l(Psat=ps, Pc=pc) for ps, pc in request.get("ff", [])],
    "choked": [bool(is_choked_turbulent_l(dp, p1, ps, ff, fl))
               for dp, p1, ps, ff, fl in request.get("choked", [])],
}
json.dump(answer, sys.stdout)
