#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The butterworth3 developers
# SPDX-License-Identifier: MIT
"""Generated designs run on two builds and compared: the plain text, the netlist and the
Bode plot byte for byte, the JSON object field by field with its numbers within a relative
tolerance (1e-12; a level in dB by the ratio it stands for, an overshoot by the step's
height), so that the parts a build chooses, and every figure it prints, are the same on
every processor. Generated presses of Go (the window's calculation, plain and JSON) are
compared byte for byte.

  design_corpus.py run --count 1000 --seed 18 (--cli CLI | --driver DRIVER) OUT.json
  design_corpus.py compare A.json B.json [--tolerance 1e-12]

--cli starts the companion once per output (four per design); --driver feeds every
argument list to one design_driver process. Either takes a launcher before the program,
e.g. --driver "qemu-aarch64 -L /usr/aarch64-linux-gnu build/tests/cross/design_driver".
"""

from __future__ import annotations

import argparse
import json
import math
import random
import shlex
import subprocess
import sys
from concurrent.futures import ThreadPoolExecutor

# Every design is run for each of these outputs ("-": the file in place of the text).
OUTPUTS = {"text": [], "json": ["--json"], "spice": ["--spice", "-"], "svg": ["--svg", "-"]}
SERIES = ["E3", "E6", "E12", "E24", "E48", "E96", "E192"]
RESPONSES = ["butterworth", "bessel", "chebyshev-0.5", "chebyshev-1"]
PREFIXES = {-12: "p", -9: "n", -6: "u", -3: "m", 0: "", 3: "k", 6: "Meg"}


def engineering(rng: random.Random, value: float, digits: int) -> str:
    """value to `digits` significant digits with an SI suffix, in one of the written forms."""
    exponent = math.floor(math.log10(value))
    group = 3 * math.floor(exponent / 3)
    mantissa = round(value / 10 ** group, max(0, digits - 1 - (exponent - group)))
    text = f"{mantissa:g}"
    suffix = PREFIXES.get(group)
    if suffix is None:
        return f"{value:.{digits - 1}e}"
    if suffix in ("k", "n", "u", "p") and "." in text and rng.random() < 0.3:
        return text.replace(".", suffix)  # 4k7, 4n7
    return text + suffix


def log_uniform(rng: random.Random, low: float, high: float) -> float:
    return 10 ** rng.uniform(math.log10(low), math.log10(high))


def generate(count: int, seed: int) -> list[tuple[list[str], list[str]]]:
    rng = random.Random(seed)
    designs = []
    for _ in range(count):
        circuit = rng.choice(["lowpass", "highpass"])
        # Round values as engineers type them, and odd ones.
        digits = rng.choice([1, 2, 2, 3, 4, 6])
        frequency = engineering(rng, log_uniform(rng, 1, 1e6), digits)
        if circuit == "lowpass":
            value = engineering(rng, log_uniform(rng, 100, 1e6), rng.choice([2, 2, 3, 5]))
        else:
            value = engineering(rng, log_uniform(rng, 100e-12, 10e-6), rng.choice([2, 2, 3, 5]))
        args = ["design", circuit, frequency, value]
        if rng.random() < 0.15:
            args += ["--coefficients", "window"]
        elif rng.random() < 0.6:
            args += ["--response", rng.choice(RESPONSES)]
        if rng.random() < 0.8:
            args += ["--series", rng.choice(SERIES)]
            if rng.random() < 0.3:
                move = rng.choice(["E6", "E12", "E24", "E48"])
                if rng.random() < 0.5:
                    move += f":{rng.randint(0, 4)}"
                args += ["--move-value", move]
            if rng.random() < 0.3:
                args += ["--objective", rng.choice(["balanced", "shape"])]
        if rng.random() < 0.3:
            opamp = engineering(rng, log_uniform(rng, 1e4, 1e9), rng.choice([1, 2, 3]))
            if rng.random() < 0.5:
                opamp += "," + engineering(rng, log_uniform(rng, 1e3, 1e7), 2)
                if rng.random() < 0.5:
                    opamp += "," + f"{rng.choice([0, 10, 50, 100, 250])}"
            args += ["--opamp", opamp]
        if rng.random() < 0.3:
            args += ["--tolerance", f"{rng.choice([0.1, 0.5, 1, 2, 5])},{rng.choice([1, 2, 5, 10])}",
                     "--samples", str(rng.choice([500, 1000, 3000])),
                     "--seed", str(rng.randint(0, 2**32)),
                     "--distribution", rng.choice(["uniform", "normal"])]
        dialect = ["--dialect", "ltspice"] if rng.random() < 0.2 else []
        designs.append((args, dialect))
    return designs


def window_inputs(count: int, seed: int) -> list[list[str]]:
    """Presses of Go with the companion's plain and JSON output: field texts of every kind
    (in range, at and past the limits, input errors, unreadable numbers) and both units."""
    rng = random.Random(seed)

    def number(low: float, high: float) -> str:
        value = log_uniform(rng, low, high)
        text = f"{value:.{rng.randint(1, 8)}g}".replace(".", rng.choice([",", "."]))
        return text if "e" not in text else str(int(value) + 1)

    def field(low: float, high: float) -> str:
        roll = rng.random()
        if roll < 0.85:
            return number(low, high)
        if roll < 0.9:
            return number(low / 100, high * 100)
        return rng.choice([",5", "1,2,3", "12a", "1e999", "0", "-5", "99999", "100000", "0,1",
                           "1000", "0,09", "10", "0,01", "500", "4" * 400])

    lines = []
    for _ in range(count):
        options = [o for o in ("--json", "--khz", "--uf") if rng.random() < 0.5]
        frequency = field(0.1, 500) if "--khz" in options else field(1, 99999)
        capacitance = field(0.01, 10) if "--uf" in options else field(0.1, 1000)
        lines.append(options + ["--", frequency, field(0.1, 1000), capacitance])
    return lines


def runs(designs: list[tuple[list[str], list[str]]]) -> list[list[str]]:
    """Each design once for each output; the netlist in the dialect drawn for it."""
    return [args + extra + (dialect if name == "spice" else [])
            for args, dialect in designs for name, extra in OUTPUTS.items()]


def run_cli(command: list[str], argument_lists: list[list[str]]) -> list[dict]:
    results = []
    for args in argument_lists:
        done = subprocess.run(command + args, capture_output=True, check=False)
        results.append({"status": done.returncode, "out": done.stdout.decode(),
                        "err": done.stderr.decode()})
    return results


def run_drivers(command: list[str], argument_lists: list[list[str]], jobs: int) -> list[dict]:
    """The runs dealt in turn to `jobs` drivers at once (each line stands alone; the designs
    come first and weigh more than the presses), their results put back in order."""
    jobs = max(1, min(jobs, len(argument_lists)))
    with ThreadPoolExecutor(max_workers=jobs) as pool:
        parts = list(pool.map(lambda k: run_driver(command, argument_lists[k::jobs]), range(jobs)))
    results: list[dict] = [{}] * len(argument_lists)
    for k, part in enumerate(parts):
        results[k::jobs] = part
    return results


def run_driver(command: list[str], argument_lists: list[list[str]]) -> list[dict]:
    requests = "".join(" ".join(args) + "\n" for args in argument_lists).encode()
    done = subprocess.run(command, input=requests, capture_output=True, check=False)
    if done.returncode != 0:
        sys.exit(f"design driver exited with {done.returncode}: {done.stderr.decode()}")
    data, results, at = done.stdout, [], 0
    while at < len(data):
        end = data.index(b"\n", at)
        marker, status, out_size, err_size = data[at:end].decode().split(" ")
        assert marker == "@@", f"unexpected driver output at byte {at}"
        at = end + 1
        out = data[at:at + int(out_size)]
        err = data[at + int(out_size):at + int(out_size) + int(err_size)]
        at += int(out_size) + int(err_size)
        results.append({"status": int(status), "out": out.decode(), "err": err.decode()})
    if len(results) != len(argument_lists):
        sys.exit(f"design driver answered {len(results)} of {len(argument_lists)} runs")
    return results


class Comparison:
    """Differences between two runs of the same designs."""

    def __init__(self, tolerance: float):
        self.tolerance = tolerance
        self.largest = 0.0  # largest relative difference of two JSON numbers
        self.largest_at = ""
        self.numbers = 0
        self.moved = 0  # JSON numbers that differ at all
        self.failures: list[str] = []

    def numbers_differ(self, a: float, b: float, where: str) -> bool:
        self.numbers += 1
        if a == b:
            return False
        self.moved += 1
        if where.endswith("_db"):
            # A level in decibels: its difference is the relative difference of the ratio it
            # stands for (a shape error of 1e-14 dB is an exact 0 seen through rounding).
            relative = abs(a - b) * math.log(10) / 20
        elif where.endswith(".overshoot"):
            # A fraction of the step's height, the peak less the final value (two numbers
            # near 1): relative to the height.
            relative = abs(a - b)
        else:
            relative = abs(a - b) / max(abs(a), abs(b))
        if relative > self.largest:
            self.largest, self.largest_at = relative, where
        return relative > self.tolerance

    def json_values(self, a, b, where: str) -> None:
        if isinstance(a, bool) or isinstance(b, bool) or not isinstance(a, (int, float)) \
                or not isinstance(b, (int, float)):
            if type(a) is not type(b):
                self.failures.append(f"{where}: {a!r} against {b!r}")
            elif isinstance(a, dict):
                if list(a) != list(b):
                    self.failures.append(f"{where}: keys {list(a)} against {list(b)}")
                    return
                for key in a:
                    self.json_values(a[key], b[key], f"{where}.{key}")
            elif isinstance(a, list):
                if len(a) != len(b):
                    self.failures.append(f"{where}: {len(a)} items against {len(b)}")
                    return
                for i, (x, y) in enumerate(zip(a, b)):
                    self.json_values(x, y, f"{where}[{i}]")
            elif a != b:
                self.failures.append(f"{where}: {a!r} against {b!r}")
            return
        if self.numbers_differ(float(a), float(b), where):
            self.failures.append(f"{where}: {a!r} against {b!r}")

    def run(self, args: list[str], a: dict, b: dict) -> None:
        where = " ".join(args)
        if a["status"] != b["status"] or a["err"] != b["err"]:
            self.failures.append(f"{where}: status {a['status']} {a['err']!r} against "
                                 f"{b['status']} {b['err']!r}")
        elif "--json" in args and a["status"] == 0 and args[0] == "design":
            self.json_values(json.loads(a["out"]), json.loads(b["out"]), where)
        elif a["out"] != b["out"]:
            first = next(i for i, (x, y) in enumerate(zip(a["out"].splitlines(),
                                                          b["out"].splitlines())) if x != y) \
                if a["out"].splitlines() != b["out"].splitlines() else 0
            lines = (a["out"].splitlines() + [""])[first], (b["out"].splitlines() + [""])[first]
            self.failures.append(f"{where}: line {first + 1}: {lines[0]!r} against {lines[1]!r}")


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    commands = parser.add_subparsers(dest="command", required=True)
    run = commands.add_parser("run")
    run.add_argument("--count", type=int, default=1000)
    run.add_argument("--seed", type=int, default=18)
    run.add_argument("--window-count", type=int, default=5000,
                     help="presses of Go besides the designs, compared byte for byte")
    program = run.add_mutually_exclusive_group(required=True)
    program.add_argument("--cli", help="the companion, with any launcher before it")
    program.add_argument("--driver", help="design_driver, with any launcher before it")
    run.add_argument("--jobs", type=int, default=1, help="drivers run at once")
    run.add_argument("output")
    compare = commands.add_parser("compare")
    compare.add_argument("a")
    compare.add_argument("b")
    compare.add_argument("--tolerance", type=float, default=1e-12)
    compare.add_argument("--show", type=int, default=10)
    args = parser.parse_args()

    if args.command == "run":
        argument_lists = runs(generate(args.count, args.seed)) + \
            window_inputs(args.window_count, args.seed)
        results = (run_cli(shlex.split(args.cli), argument_lists) if args.cli
                   else run_drivers(shlex.split(args.driver), argument_lists, args.jobs))
        with open(args.output, "w", encoding="utf-8") as f:
            json.dump([{"args": a, **r} for a, r in zip(argument_lists, results)], f)
        failed = sum(r["status"] != 0 for r in results)
        print(f"{len(argument_lists)} runs ({args.count} designs in four outputs, "
              f"{args.window_count} presses of Go), {failed} with a nonzero status")
        return 0

    with open(args.a, encoding="utf-8") as f:
        a = json.load(f)
    with open(args.b, encoding="utf-8") as f:
        b = json.load(f)
    if [r["args"] for r in a] != [r["args"] for r in b]:
        print("the two files hold different designs")
        return 1
    comparison = Comparison(args.tolerance)
    for x, y in zip(a, b):
        comparison.run(x["args"], x, y)
    for failure in comparison.failures[:args.show]:
        print(failure)
    print(f"{len(a)} runs compared: {len(comparison.failures)} differ; "
          f"{comparison.moved} of {comparison.numbers} JSON numbers moved, the largest by "
          f"{comparison.largest:.3g} relative{' at ' + comparison.largest_at if comparison.moved else ''}")
    return 1 if comparison.failures else 0


if __name__ == "__main__":
    sys.exit(main())
