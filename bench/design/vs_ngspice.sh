#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The butterworth3 developers
# SPDX-License-Identifier: MIT
# Times the whole design command against one ngspice AC run of the same circuit, side by
# side: 21 runs of each, interleaved, and the medians.
#
# Usage: bench/design/vs_ngspice.sh [path/to/butterworth3-cli]
# The circuit is the one the command designs (low-pass, 100 Hz, R moving around 33k in E24,
# capacitors from E96), with the same op-amp: A(s) = 200k / (1 + s 200k / (2 pi 1 MHz)).
# ngspice sweeps 2000 points a decade over four decades, 1 Hz to 10 kHz, and writes the
# magnitude at every point.
set -euo pipefail

cli=${1:-build/cli/butterworth3-cli}
runs=21
command -v ngspice >/dev/null || { echo "ngspice is not installed (apt-get install ngspice)" >&2; exit 1; }
[[ -x $cli ]] || { echo "no companion at $cli (build it first)" >&2; exit 1; }

args=(design lowpass 100 33k --series E96 --move-value E24 --opamp 1Meg --tolerance 1,1)
design=$("$cli" "${args[@]}" --json)
read -r r c1 c2 c3 < <(python3 -c '
import json, sys
d = json.loads(sys.argv[1])
print(d["value_chosen"], *(p["chosen"] for p in d["parts"]))' "$design")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat >"$work/lowpass.cir" <<NETLIST
third-order low-pass, single op-amp follower
.param a0=200k gbw=1Meg
V1 in 0 AC 1
Ra in n1 $r
Rb n1 n2 $r
Rc n2 p $r
C1 n1 0 $c1
C2 n2 out $c2
C3 p 0 $c3
* the op-amp: transconductance into A0 ohms and a capacitor, so that
* A(s) = A0 / (1 + s A0 / (2 pi GBW)); zero output resistance
G1 0 a p out 1
Ra0 a 0 {a0}
Ca0 a 0 {1/(2*3.141592653589793*gbw)}
E1 out 0 a 0 1
.ac dec 2000 1 10k
.print ac vdb(out)
.end
NETLIST

now_ns() { date +%s%N; }
ours=()
theirs=()
for ((i = 0; i < runs; ++i)); do
  t0=$(now_ns)
  "$cli" "${args[@]}" >/dev/null
  t1=$(now_ns)
  ngspice -b "$work/lowpass.cir" >/dev/null 2>&1
  t2=$(now_ns)
  ours+=($(((t1 - t0) / 1000)))
  theirs+=($(((t2 - t1) / 1000)))
done

median() { printf '%s\n' "$@" | sort -n | sed -n "$((($# + 1) / 2))p"; }
m_ours=$(median "${ours[@]}")
m_theirs=$(median "${theirs[@]}")
awk -v ours="$m_ours" -v theirs="$m_theirs" -v runs="$runs" 'BEGIN {
  printf "design command (whole process): median %6.1f ms over %d runs\n", ours / 1000, runs
  printf "ngspice -b, one AC run:         median %6.1f ms over %d runs\n", theirs / 1000, runs
}'
