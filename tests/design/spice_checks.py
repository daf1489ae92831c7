#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The butterworth3 developers
# SPDX-License-Identifier: MIT
"""The figures beyond f3, checked by ngspice on the deck the design command writes with
--spice-checks (the same circuit as its netlist):

  noise       .noise total output noise over the program's band            within 0.5 %
  step        .tran of a unit step (a ramp of 1e-5/f, half of it taken off the times):
              overshoot within 0.05 percentage points, 10-90 % rise time within 0.5 %;
              after the program's settling time the output stays within the band x 1.001,
              and in the half period (1/(2f)) before it, it is outside the band x 0.999
  delay       the AC phase's slope between f/1000 and 1.5 f/1000                within 0.1 %
  stop-band   AC at 100 f, 1000 f and 10000 f (low-pass with RO > 0)          within 0.1 dB
  corners     AC at the worst low and high tolerance corners (ideal follower)  f3 within 0.01 %

Simulator settings (in the deck): .options reltol=1e-7 abstol=1e-16 vntol=1e-13
chgtol=1e-20; .tran to three times the 0.1 % settling time with a largest step of a
20000th of that; .noise and the corners' AC sweeps at 1000 points a decade.

Usage: spice_checks.py CLI
"""
import json
import re
import shutil
import subprocess
import sys
import tempfile

DESIGNS = [
    # (circuit, f, value, options)
    ("lowpass", "1k", "10k", []),
    ("lowpass", "1k", "10k", ["--opamp", "1Meg,200k,100", "--opamp-noise", "10n,1p"]),
    ("lowpass", "100", "33k", ["--series", "E24", "--tolerance", "1,1"]),
    ("lowpass", "2.5k", "4k7", ["--response", "bessel", "--tolerance", "1,5"]),
    ("lowpass", "1k", "10k", ["--response", "bessel", "--opamp", "1Meg,100k,50"]),
    ("lowpass", "500", "22k", ["--response", "chebyshev-0.5", "--tolerance", "0.5,2"]),
    ("lowpass", "1k", "10k", ["--response", "chebyshev-1", "--frequency-is", "passband-edge",
                              "--opamp", "10Meg,200k,75", "--opamp-noise", "4n,0.5p"]),
    ("lowpass", "10k", "1k", ["--response", "chebyshev-1", "--series", "E96",
                              "--opamp-noise", "20n,2p"]),
    ("lowpass", "100", "33k", ["--coefficients", "window", "--opamp", "100k"]),
    ("lowpass", "3.3k", "10k", ["--series", "E12", "--opamp", "5Meg,200k,200",
                                "--noise-band", "20:20k"]),
    ("lowpass", "50", "100k", ["--response", "bessel", "--series", "E24",
                               "--opamp-noise", "10n,0.01p", "--tolerance", "1,1"]),
    ("highpass", "1k", "10n", []),
    ("highpass", "100", "10n", ["--series", "E96", "--tolerance", "1,1"]),
    ("highpass", "10k", "1n", ["--response", "bessel", "--opamp", "1Meg,200k,100"]),
    ("highpass", "1k", "4n7", ["--response", "bessel", "--opamp-noise", "10n,1p",
                               "--tolerance", "2,1"]),
    ("highpass", "200", "100n", ["--response", "chebyshev-0.5", "--opamp", "1Meg",
                                 "--opamp-noise", "8n,0.2p"]),
    ("highpass", "1k", "10n", ["--response", "chebyshev-1", "--frequency-is", "passband-edge",
                               "--tolerance", "1,1"]),
    ("highpass", "5k", "2n2", ["--response", "chebyshev-1", "--series", "E24",
                               "--opamp", "20Meg,1Meg,50"]),
    ("highpass", "100", "10n", ["--coefficients", "window", "--noise-band", "10:10k"]),
    ("highpass", "1k", "10n", ["--series", "E24", "--opamp", "1Meg,200k,100",
                               "--opamp-noise", "10n,1p", "--noise-band", "100:100k"]),
    ("highpass", "30", "1u", ["--series", "E6", "--objective", "shape", "--tolerance", "5,5"]),
]

PRINTED = re.compile(r"^(\w+)\s*=\s*([-+0-9.eE]+)", re.MULTILINE)
BOUNDS = {"noise": 0.005, "overshoot": 0.0005, "rise": 0.005, "delay": 0.001,
          "stopband": 0.1, "corner": 1e-4}


def run(command, timeout, cwd=None):
    return subprocess.run(command, capture_output=True, text=True, timeout=timeout, cwd=cwd)


def crossing(times, values, level):
    """The first time the values reach `level` from below, linearly interpolated."""
    for i in range(1, len(values)):
        if values[i] >= level > values[i - 1]:
            return times[i - 1] + (times[i] - times[i - 1]) * \
                (level - values[i - 1]) / (values[i] - values[i - 1])
    return None


def step_checks(figures, times, values, final, low_pass, f, failures):
    """The step figures against the waveform: {check: difference}, failures appended."""
    found = {}
    if low_pass:
        found["overshoot"] = abs((max(values) - final) - figures["overshoot"])
        t10, t90 = crossing(times, values, 0.1), crossing(times, values, 0.9)
        found["rise"] = abs((t90 - t10) / figures["rise_time"] - 1)
    else:
        found["overshoot"] = abs((final - min(values)) - figures["overshoot"])
    half_period = 0.5 / f
    for band, key in ((0.01, "settling_1pct"), (0.001, "settling_0_1pct")):
        settled = figures[key]
        after = [abs(v - final) for t, v in zip(times, values) if t > settled]
        before = [abs(v - final) for t, v in zip(times, values)
                  if settled - half_period <= t <= settled]
        if not after or max(after) > band * 1.001:
            failures.append(f"{key}: after {settled:.6g} s the output leaves the band "
                            f"{band} x 1.001 ({max(after, default=float('nan')):.6g})")
        if not before or max(before) <= band * 0.999:
            failures.append(f"{key}: in the half period before {settled:.6g} s the output "
                            f"stays within the band {band} x 0.999")
    return found


def check(cli, work, index, circuit, f, value, options):
    """Runs one design; returns ({check: difference}, [failure texts])."""
    args = ["design", circuit, f, value, *options]
    deck = f"{work}/checks{index}.cir"
    ran = run([cli, *args, "--json", "--spice-checks", deck], 60)
    if ran.returncode != 0:
        return {}, [f"exit {ran.returncode}: {ran.stderr.strip()}"]
    design = json.loads(ran.stdout)
    opamp = design.get("opamp")
    figures = opamp if opamp else design
    sim = run(["timeout", "120", "ngspice", "-b", deck], 150, cwd=work)
    printed = {name: float(number) for name, number in PRINTED.findall(sim.stdout)}
    failures, found = [], {}
    if "noise_rms" not in printed:
        return {}, [f"ngspice printed no noise (exit {sim.returncode})\n{sim.stdout[-1500:]}"]
    found["noise"] = abs(printed["noise_rms"] / figures["noise"]["rms"] - 1)
    low_pass = circuit == "lowpass"
    if low_pass:
        found["delay"] = abs(printed["delay_dc"] / figures["group_delay"]["dc"] - 1)
    if "stopband" in figures:
        found["stopband"] = max(abs(printed[f"stop_{n}f"] - figures["stopband"][f"at_{n}f_db"])
                                for n in (100, 1000, 10000))
    times, values = [], []
    with open(f"{work}/step.txt", encoding="utf-8") as data:
        shift = 0.5e-5 / design["frequency"]  # half of the step's ramp
        for line in data:
            t, v = map(float, line.split())
            times.append(t - shift)
            values.append(v)
    gain = 1 / (1 + 1 / (opamp["a0"] if opamp else 1e6))  # the follower's DC gain
    final = gain if low_pass else 0.0
    found.update(step_checks(figures["step"], times, values, final, low_pass,
                             design["frequency"], failures))
    if "tolerance" in design and not opamp:
        for side in ("low", "high"):
            predicted = design["frequency"] * (1 + design["tolerance"][f"worst_{side}"])
            measured = printed.get(f"corner_{side}")
            if measured is None:
                failures.append(f"corner_{side}: not measured")
                continue
            found[f"corner"] = max(found.get("corner", 0), abs(measured / predicted - 1))
    for name, difference in found.items():
        if difference > BOUNDS[name]:
            failures.append(f"{name}: difference {difference:.4g} over {BOUNDS[name]}")
    return found, failures


def main(cli):
    if shutil.which("ngspice") is None or shutil.which("timeout") is None:
        print("FAIL: ngspice (or timeout) is not installed; tools/install-deps.sh test installs it")
        return 1
    largest = {name: 0.0 for name in BOUNDS}
    counted = {name: 0 for name in BOUNDS}
    failed = 0
    with tempfile.TemporaryDirectory() as work:
        for index, (circuit, f, value, options) in enumerate(DESIGNS):
            found, failures = check(cli, work, index, circuit, f, value, options)
            for name, difference in found.items():
                largest[name] = max(largest[name], difference)
                counted[name] += 1
            failed += bool(failures)
            said = " ".join([circuit, f, value, *options])
            summary = ", ".join(f"{name} {difference:.3g}" for name, difference in found.items())
            print(f"{'FAIL' if failures else 'ok  '} {said:80s} {summary}")
            for failure in failures:
                print(f"     {failure}")
    for name in BOUNDS:
        print(f"{name:9s} {counted[name]:2d} designs, largest difference {largest[name]:.4g} "
              f"(bound {BOUNDS[name]})")
    print(f"{len(DESIGNS)} designs, {failed} failed")
    return 1 if failed or len(DESIGNS) < 20 or 0 in counted.values() else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
