#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The butterworth3 developers
# SPDX-License-Identifier: MIT
"""The netlists the design command writes, simulated by ngspice: the -3 dB point ngspice
measures must agree with the program's own to within 0.01 %, and the gain at two frequencies
asked for with --at (a quarter of f and four times f, in both bands) to within 0.01 dB, over
both circuits, every response, several series, with and without an op-amp model.

Usage: spice_agreement.py CLI ngspice
       spice_agreement.py CLI ltspice GOLDEN   (byte-for-byte against a netlist read by hand)
"""
import json
import re
import shutil
import subprocess
import sys
import tempfile

TOLERANCE = 1e-4  # 0.01 %
GAIN_TOLERANCE_DB = 0.01

DESIGNS = [
    # (circuit, f, value, options)
    ("lowpass", "100", "33k", []),
    ("lowpass", "100", "33k", ["--series", "E24"]),
    ("lowpass", "100", "33k", ["--series", "E12"]),
    ("lowpass", "100", "33k", ["--series", "E12", "--move-value", "E24"]),
    ("lowpass", "1k", "10k", ["--response", "bessel", "--series", "E96"]),
    ("lowpass", "2.5k", "4k7", ["--response", "chebyshev-0.5", "--series", "E48"]),
    ("lowpass", "50", "100k", ["--response", "chebyshev-1", "--series", "E6"]),
    ("lowpass", "100", "33k", ["--opamp", "1Meg"]),
    ("lowpass", "10k", "10k", ["--series", "E24", "--opamp", "1Meg,100k,50"]),
    ("lowpass", "1k", "22k", ["--response", "bessel", "--series", "E192", "--opamp", "10Meg"]),
    ("lowpass", "100", "33k", ["--coefficients", "window"]),
    ("lowpass", "3.3k", "1k", ["--series", "E3", "--objective", "shape"]),
    ("lowpass", "100k", "1k", ["--response", "chebyshev-1", "--series", "E24", "--opamp", "100Meg"]),
    ("highpass", "100", "10n", []),
    ("highpass", "100", "10n", ["--series", "E24"]),
    ("highpass", "100", "10n", ["--series", "E96"]),
    ("highpass", "1k", "4n7", ["--response", "bessel", "--series", "E12"]),
    ("highpass", "10k", "1n", ["--response", "chebyshev-0.5", "--series", "E24",
                               "--move-value", "E12:3"]),
    ("highpass", "200", "100n", ["--response", "chebyshev-1", "--series", "E48"]),
    ("highpass", "100", "10n", ["--opamp", "100k,200k,100"]),
    ("highpass", "1k", "10n", ["--series", "E24", "--opamp", "1Meg"]),
    ("highpass", "5k", "2n2", ["--response", "bessel", "--series", "E96", "--opamp", "20Meg,1Meg"]),
    ("highpass", "100", "10n", ["--coefficients", "window"]),
    ("highpass", "30", "1u", ["--series", "E6", "--objective", "shape"]),
]

MEASURED = re.compile(r"^(f3|upper)\s*=\s*([-+0-9.eE]+)\s*$", re.MULTILINE)
GAINS = re.compile(r"^gain(\d+)\s*=\s*([-+0-9.eE]+)", re.MULTILINE)


def frequencies_at(f):
    """Where the gain is compared: in the stop band and in the pass band of either circuit."""
    hertz = float(f.replace("k", "e3"))
    return [hertz / 4, hertz * 4]


def with_gain_measurements(netlist, frequencies):
    """The netlist with ngspice's level of v(out) at each frequency (within the sweep)."""
    with open(netlist, encoding="utf-8") as file:
        text = file.read()
    lines = "".join(f".meas ac gain{i} find vdb(out) at={at!r}\n"
                    for i, at in enumerate(frequencies))
    with open(netlist, "w", encoding="utf-8") as file:
        file.write(text.replace(".end\n", lines + ".end\n"))


def gain_failures(args, design, sim_stdout, largest):
    """The program's gains at --at against ngspice's; prints one line each and keeps the
    largest difference in largest[0]."""
    measured = {int(i): float(db) for i, db in GAINS.findall(sim_stdout)}
    key = "opamp_db" if "opamp" in design else "circuit_db"
    failures = 0
    for i, gain in enumerate(design["gain_at"]):
        got = measured.get(i)
        ok = got is not None and abs(got - gain[key]) <= GAIN_TOLERANCE_DB
        if got is not None:
            largest[0] = max(largest[0], abs(got - gain[key]))
        failures += not ok
        print(f"{'ok  ' if ok else 'FAIL'} {' '.join(args):75s} gain at {gain['frequency']:.6g} Hz: "
              f"program {gain[key]:.4f} dB, ngspice {got} dB")
    return failures


def run(command, timeout):
    return subprocess.run(command, capture_output=True, text=True, timeout=timeout)


def predicted(design):
    """The program's own -3 dB point(s): of the op-amp model when one is given."""
    if "opamp" in design:
        edges = {"f3": design["opamp"]["f3"]}
        if "upper_edge" in design["opamp"]:
            edges["upper"] = design["opamp"]["upper_edge"]
        return edges
    return {"f3": design["f3"]}


def agreement(cli):
    if shutil.which("ngspice") is None or shutil.which("timeout") is None:
        print("FAIL: ngspice (or timeout) is not installed; tools/install-deps.sh test installs it")
        return 1
    failures = 0
    largest = 0.0
    largest_db = [0.0]
    with tempfile.TemporaryDirectory() as work:
        for index, (circuit, f, value, options) in enumerate(DESIGNS):
            at = frequencies_at(f)
            args = ["design", circuit, f, value, *options]
            netlist = f"{work}/design{index}.cir"
            ran = run([cli, *args, *[f"--at={x!r}" for x in at], "--json", "--spice", netlist],
                      60)
            if ran.returncode != 0:
                print(f"FAIL {' '.join(args)}: exit {ran.returncode}: {ran.stderr.strip()}")
                failures += 1
                continue
            design = json.loads(ran.stdout)
            want = predicted(design)
            with_gain_measurements(netlist, at)
            sim = run(["timeout", "60", "ngspice", "-b", netlist], 90)
            failures += gain_failures(args, design, sim.stdout, largest_db)
            got = {name: float(number) for name, number in MEASURED.findall(sim.stdout)}
            for name, expected in want.items():
                if expected is None or name not in got:
                    print(f"FAIL {' '.join(args)}: {name}: program {expected}, "
                          f"ngspice {got.get(name)} (exit {sim.returncode})\n{sim.stdout[-2000:]}")
                    failures += 1
                    continue
                difference = got[name] / expected - 1
                largest = max(largest, abs(difference))
                ok = abs(difference) <= TOLERANCE
                failures += not ok
                print(f"{'ok  ' if ok else 'FAIL'} {' '.join(args):75s} {name:5s} "
                      f"program {expected:.7g} Hz, ngspice {got[name]:.6g} Hz, "
                      f"{difference * 100:+.5f} %")
            if set(got) != set(want):
                print(f"FAIL {' '.join(args)}: measured {sorted(got)}, expected {sorted(want)}")
                failures += 1
    print(f"{len(DESIGNS)} designs, largest difference {largest * 100:.5f} % "
          f"(limit {TOLERANCE * 100:.2f} %), of the gains {largest_db[0]:.2g} dB "
          f"(limit {GAIN_TOLERANCE_DB} dB), {failures} failures")
    return 1 if failures or len(DESIGNS) < 20 else 0


def golden(cli, path):
    args = ["design", "highpass", "1k", "10n", "--series", "E24", "--opamp", "1Meg,200k,100",
            "--dialect", "ltspice", "--spice", "-"]
    ran = run([cli, *args], 60)
    with open(path, encoding="utf-8") as file:
        expected = file.read()
    if ran.returncode != 0 or ran.stdout != expected:
        print(f"FAIL: exit {ran.returncode}; the LTspice netlist differs from {path}:")
        print(ran.stdout)
        return 1
    print("ok: the LTspice netlist matches", path)
    return 0


if __name__ == "__main__":
    if sys.argv[2] == "ngspice":
        sys.exit(agreement(sys.argv[1]))
    sys.exit(golden(sys.argv[1], sys.argv[3]))
