#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The butterworth3 developers
# SPDX-License-Identifier: MIT
"""Checks the test suite's own rules on a configured build: every test carries the label of
its part, so that `ctest -L PART` runs that part and nothing is left out of every part; and
a test that needs something only one may use at a time holds its lock, so that
`ctest --parallel` never makes it fail.

Usage: check_labels.py BUILD_DIR"""
import json
import subprocess
import sys

# The parts of the program, each a label (the README lists them).
PARTS = {"calc", "behaviour", "cli", "design", "files", "resources", "ui", "designer", "a11y", "desktop",
         "wayland", "packaging", "fuzz", "style", "web"}
# A label that says what a test needs only one of, and the lock it must hold for it.
LOCKS = {"orca": "orca"}


def properties(test):
    return {p["name"]: p["value"] for p in test.get("properties", [])}


def problems(tests):
    for test in tests:
        found = properties(test)
        labels = set(found.get("LABELS", []))
        if not labels & PARTS:
            yield f"{test['name']}: no part among its labels {sorted(labels)}"
        for label, lock in LOCKS.items():
            if label in labels and lock not in found.get("RESOURCE_LOCK", []):
                yield f"{test['name']}: labelled {label} without RESOURCE_LOCK {lock}"


def main():
    listing = subprocess.run(["ctest", "--test-dir", sys.argv[1], "--show-only=json-v1"],
                             check=True, capture_output=True, text=True).stdout
    tests = json.loads(listing)["tests"]
    found = list(problems(tests))
    for problem in found:
        print(problem)
    print(f"{len(tests)} tests, {len(found)} without their part or their lock")
    return 1 if found or not tests else 0


if __name__ == "__main__":
    sys.exit(main())
