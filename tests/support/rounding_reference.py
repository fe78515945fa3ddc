#!/usr/bin/python3
"""Independent reference for the program's number texts: the exact binary value of each double
(Python's decimal module) rounded half away from zero.

Reads {"fixed": [[value, decimals], ...], "general": [value, ...]} from standard input and prints
{"fixed": [text, ...], "general": [text, ...]} with a point as the decimal separator:
fixed: `decimals` digits after the point, no minus sign on a result of zeros;
general: 15 significant digits, trailing zeros dropped, E notation (as 1.5E-7) for exponents
from 15 up and below -5."""

import json
import sys
from decimal import ROUND_HALF_UP, Decimal, getcontext

getcontext().prec = 1200


def fixed(value, decimals):
    exact = Decimal(value)
    rounded = abs(exact).quantize(Decimal(1).scaleb(-decimals), rounding=ROUND_HALF_UP)
    text = format(rounded, "f")
    if exact < 0 and rounded != 0:
        text = "-" + text
    return text


def general(value):
    exact = Decimal(value)
    if exact == 0:
        return "0"
    magnitude = abs(exact)
    exponent = magnitude.adjusted()
    rounded = magnitude.scaleb(-exponent).quantize(Decimal("1e-14"), rounding=ROUND_HALF_UP)
    if rounded >= 10:
        rounded = (rounded / 10).quantize(Decimal("1e-14"), rounding=ROUND_HALF_UP)
        exponent += 1
    digits = format(rounded, "f").replace(".", "").rstrip("0") or "0"
    if exponent >= 15 or exponent < -5:
        text = digits[0] + ("." + digits[1:] if len(digits) > 1 else "") + "E" + str(exponent)
    elif exponent < 0:
        text = "0." + "0" * (-exponent - 1) + digits
    elif len(digits) <= exponent + 1:
        text = digits + "0" * (exponent + 1 - len(digits))
    else:
        text = digits[: exponent + 1] + "." + digits[exponent + 1 :]
    return ("-" if exact < 0 else "") + text


request = json.load(sys.stdin)
json.dump({"fixed": [fixed(v, d) for v, d in request.get("fixed", [])],
           "general": [general(v) for v in request.get("general", [])]}, sys.stdout)
