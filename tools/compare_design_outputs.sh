#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The butterworth3 developers
# SPDX-License-Identifier: MIT
# Runs a fixed set of design commands with two builds of the companion and compares every
# output byte for byte: the text, the JSON, the netlist in both dialects, the Bode plot and
# the report (which shows the command line, the same for both). For a change that must
# leave the outputs as they were.
# Usage: tools/compare_design_outputs.sh OLD-CLI NEW-CLI   (exit 1 when any output differs)
set -euo pipefail
declare -A cli=([old]=$(realpath "$1") [new]=$(realpath "$2"))
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

designs=(
  "lowpass 100 33k"
  "highpass 100 10n"
  "lowpass 1k 10k --response bessel"
  "lowpass 1k 10k --response chebyshev-0.5"
  "lowpass 1k 10k --response chebyshev-1"
  "highpass 2.5k 4n7 --response bessel"
  "highpass 2.5k 4n7 --response chebyshev-0.5"
  "highpass 2.5k 4n7 --response chebyshev-1"
  "lowpass 100 33k --coefficients window"
  "highpass 100 10n --coefficients window"
  "lowpass 100 33k --series E3"
  "lowpass 100 33k --series E6"
  "lowpass 100 33k --series E12"
  "lowpass 100 33k --series E24"
  "lowpass 100 33k --series E48"
  "lowpass 100 33k --series E96"
  "lowpass 100 33k --series E192"
  "highpass 1k 10n --series E24 --objective shape"
  "highpass 1k 10n --series E12 --move-value E24:3"
  "lowpass 1k 4k7 --series E24 --move-value E12 --objective shape"
  "lowpass 1 22.165k --series E6"
  "lowpass 10k 1k --opamp 1Meg"
  "highpass 10k 1n --opamp 1.5Meg,200k,100"
  "highpass 20k 1n --opamp 1Meg,100k,50 --response chebyshev-1"
  "lowpass 50k 2k2 --opamp 10Meg,1Meg --response bessel --series E96"
  "lowpass 100 33k --tolerance 1,5 --samples 2000"
  "highpass 100 10n --tolerance 0.5%,1% --distribution normal --samples 3000 --seed 7"
  "lowpass 3k 10k --tolerance 2,2 --series E24 --opamp 2Meg --samples 1000"
  "highpass 1kHz 10"
  "lowpass 1 1G"
  "lowpass 1e-3 1e3"
  "highpass 1M 1p"
  "lowpass 999.9999 1k"
  "lowpass 100 0.1"
  "highpass 100 100u --series E3 --response bessel"
  "lowpass 12345.678 5k6 --series E48 --move-value E96:0"
)

files=0
differ=0
for i in "${!designs[@]}"; do
  read -ra args <<<"${designs[$i]}"
  for build in old new; do
    mkdir -p "$scratch/$build/$i"
    cd "$scratch/$build/$i"
    run=${cli[$build]}
    { "$run" design "${args[@]}"; echo "exit $?"; } >text 2>&1 || true
    { "$run" design "${args[@]}" --json; echo "exit $?"; } >json 2>&1 || true
    "$run" design "${args[@]}" --spice ngspice.cir --svg plot.svg --html report.html >/dev/null 2>&1 || true
    "$run" design "${args[@]}" --spice ltspice.cir --dialect ltspice >/dev/null 2>&1 || true
  done
  for file in "$scratch/old/$i"/*; do
    files=$((files + 1))
    if ! cmp -s "$file" "$scratch/new/$i/${file##*/}"; then
      echo "differs: design ${designs[$i]}: ${file##*/}"
      differ=$((differ + 1))
    fi
  done
done
echo "${#designs[@]} designs, $files outputs compared, $differ differ"
[[ $differ -eq 0 ]]
