#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The butterworth3 developers
# SPDX-License-Identifier: MIT
"""The poles the design command gives, against numpy's roots of the circuit's own nodal
determinant: the network written out again here from its netlist (the follower ideal, or the
op-amp model's one pole and RO), its admittances as polynomials in s / (2 pi f), the
determinant expanded and its roots found by numpy. Over generated designs of both circuits,
every response, series or none, with and without an op-amp model.

Usage: poles_numpy.py CLI [COUNT]   (COUNT: BUTTERWORTH3_POLE_DESIGNS, else 200)
"""
import json
import math
import os
import random
import subprocess
import sys

from numpy.polynomial import Polynomial as P

TOLERANCE = 1e-10  # relative, of each f0, Q and real pole

RESPONSES = ["butterworth", "bessel", "chebyshev-0.5", "chebyshev-1"]
SERIES = [None, "E6", "E12", "E24", "E96", "E192"]


def determinant(m):
    """Laplace expansion along the first row: a handful of polynomial entries."""
    if len(m) == 1:
        return m[0][0]
    total = P([0])
    for j, entry in enumerate(m[0]):
        minor = [row[:j] + row[j + 1:] for row in m[1:]]
        total = total + (-1) ** j * entry * determinant(minor)
    return total


def nodal_determinant(design):
    """det of the nodal equations in x = s / (2 pi f), unknowns n1, n2, inp (and out, opa
    with an op-amp model); the source at `in` is a short for the natural frequencies."""
    w = 2 * math.pi * design["frequency"]
    low_pass = design["circuit"] == "lowpass"
    shunt = [p.get("chosen", p["ideal"]) for p in design["parts"]]
    equal = design.get("value_chosen", design["value"])

    def admittance(value, is_capacitor):
        return P([0, w * value]) if is_capacitor else P([1 / value])

    # Low-pass: Ra Rb Rc in series, C1 to ground, C2 to the output, C3 to ground; the
    # high-pass swaps each R and C.
    series = admittance(equal, not low_pass)
    y1, y2, y3 = (admittance(v, low_pass) for v in shunt)
    zero = P([0])
    if "opamp" not in design:
        # The ideal follower: out = inp.
        return determinant([
            [series + series + y1, -series, zero],
            [-series, series + series + y2, -(series + y2)],
            [zero, -series, series + y3],
        ])
    opamp = design["opamp"]
    a0, gbw, ro = opamp["a0"], opamp["gbw"], opamp["ro"]
    # opa = (inp - out) A0 / (1 + s A0 / (2 pi GBW)): 1/A0 + s/(2 pi GBW) of opa is inp - out.
    internal = P([1 / a0, w / (2 * math.pi * gbw)])
    one = P([1])
    rows = [
        [series + series + y1, -series, zero, zero, zero],
        [-series, series + series + y2, -series, -y2, zero],
        [zero, -series, series + y3, zero, zero],
        # out: through RO from the source at opa; with RO = 0 it is the source.
        [zero, -y2, zero, y2 + P([1 / ro]), -P([1 / ro])] if ro > 0
        else [zero, zero, zero, one, -one],
        [zero, zero, -one, one, internal],
    ]
    return determinant(rows)


def poles_of(design):
    """The numpy poles as the command writes them: pairs (f0, Q) and real poles (Hz)."""
    roots = nodal_determinant(design).roots()
    f = design["frequency"]
    pairs = sorted((abs(r) * f, abs(r) / (-2 * r.real)) for r in roots if r.imag > 0)
    real = sorted(-r.real * f for r in roots if r.imag == 0)
    return pairs, real


def relative(a, b):
    return abs(a - b) / max(abs(a), abs(b))


def generate(count, seed):
    rng = random.Random(seed)
    for _ in range(count):
        circuit = rng.choice(["lowpass", "highpass"])
        f = 10 ** rng.uniform(0, 6)
        value = 10 ** rng.uniform(3, 5.5) if circuit == "lowpass" else 10 ** rng.uniform(-9, -6.5)
        args = [circuit, f"{f:.6g}", f"{value:.4g}", "--response", rng.choice(RESPONSES)]
        series = rng.choice(SERIES)
        if series:
            args += ["--series", series]
        if rng.random() < 0.6:
            gbw = f * 10 ** rng.uniform(1.5, 4)
            args += ["--opamp", f"{gbw:.4g},{rng.choice(['1e5', '2e5', '1e6'])},"
                                f"{rng.choice(['0', '50', '100'])}"]
        yield args


def main():
    cli = sys.argv[1]
    count = int(sys.argv[2] if len(sys.argv) > 2 else os.environ.get("BUTTERWORTH3_POLE_DESIGNS",
                                                                       "200"))
    failures, largest, compared = 0, 0.0, 0
    for args in generate(count, 26):
        ran = subprocess.run([cli, "design", *args, "--json"], capture_output=True, text=True,
                             timeout=60, check=False)
        if ran.returncode != 0:
            print(f"FAIL design {' '.join(args)}: exit {ran.returncode}: {ran.stderr.strip()}")
            failures += 1
            continue
        design = json.loads(ran.stdout)
        given = design["opamp"]["poles"] if "opamp" in design else design["poles"]
        pairs, real = poles_of(design)
        shown = (sorted((p["f0"], p["q"]) for p in given["pairs"]), sorted(given["real"]))
        if len(shown[0]) != len(pairs) or len(shown[1]) != len(real):
            print(f"FAIL design {' '.join(args)}: {given} against numpy's {pairs}, {real}")
            failures += 1
            continue
        numbers = [x for pair in pairs for x in pair] + real
        told = [x for pair in shown[0] for x in pair] + shown[1]
        worst = max(relative(a, b) for a, b in zip(numbers, told))
        largest = max(largest, worst)
        compared += 1
        if worst > TOLERANCE:
            print(f"FAIL design {' '.join(args)}: {given} against numpy's {pairs}, {real} "
                  f"({worst:.3g} relative)")
            failures += 1
    print(f"{compared} of {count} designs' poles compared with numpy's roots: largest "
          f"difference {largest:.3g} relative (limit {TOLERANCE:g}), {failures} failures")
    return 1 if failures or compared < count else 0


if __name__ == "__main__":
    sys.exit(main())
