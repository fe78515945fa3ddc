#!/usr/bin/python3
"""Finds the doubles near a rounding tie at D decimals (default 5, 8 and 11): those whose exact
value has, at decimal D + 1, a 4 followed by a run of 9s, or a 5 followed by a run of 0s, the
longest runs first. A double M·2^-e (2^52 <= M < 2^53) lies within 10^-(D+16) of a tie
(k + 1/2)·10^-D exactly when 5^D·M mod 2^(e-D) is within 2^(e-D)·10^-16 of 2^(e-D-1), so the
mantissas are found by inverting 5^D modulo 2^(e-D) rather than by trying values. Prints
"decimals: [(run, repr), ...] below, [...] above". Takes a minute."""
import sys
from decimal import Decimal, getcontext

getcontext().prec = 1200


def digits_after(x, d):
    s = format(Decimal(x), "f")
    frac = (s.split(".")[1] if "." in s else "").ljust(d + 60, "0")
    return frac[d], frac[d + 1:]


for d in [int(a) for a in sys.argv[1:]] or [5, 8, 11]:
    below, above = [], []
    for e in range(d + 2, 140):
        f = e - d
        window = int(2**f * 1e-16) + 1
        if window > 3_000_000:
            break
        inverse = pow(5**d, -1, 2**f)
        for j in range(-window, window + 1):
            m = (inverse * (2 ** (f - 1) - j)) % 2**f
            if 2**52 <= m < 2**53:
                x = m / 2**e
                digit, rest = digits_after(x, d)
                if digit == "4":
                    below.append((len(rest) - len(rest.lstrip("9")), repr(x)))
                elif digit == "5":
                    above.append((len(rest) - len(rest.lstrip("0")), repr(x)))
    print(f"{d}: {sorted(below, reverse=True)[:4]} below, {sorted(above, reverse=True)[:4]} above")
