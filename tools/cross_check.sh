#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The butterworth3 developers
# SPDX-License-Identifier: MIT
# The same results on other processors: builds the core, the design library and the
# companion (no window) for each target with Debian's cross compilers or emscripten, runs
# their tests and the reference model's comparison under qemu-user (i686 natively, through
# its loader) or node, and compares
# the companion's output over generated designs and presses of Go with a native x86-64
# build.
#
# Usage: tools/cross_check.sh [TARGET...]
#   aarch64 riscv64 i686 wasm: the core, the design library and the companion;
#   aarch64-window: all of that and the windows for arm64, their offscreen tests and the .deb
#   (with lintian). By default aarch64-window riscv64 i686 wasm (./test.sh runs this).
# Environment: CROSS_DESIGNS (1000), CROSS_PRESSES (5000), CROSS_ORACLE_COUNT (10000,
# about two cases each), CROSS_JOBS (nproc), CROSS_NATIVE (a native build folder whose
# design_driver is the reference; without it one is built). Each target builds with the CMake
# preset of its name (CMakePresets.json), into build-cross/TARGET/build.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
designs=${CROSS_DESIGNS:-1000}
presses=${CROSS_PRESSES:-5000}
oracle_count=${CROSS_ORACLE_COUNT:-10000}
jobs=${CROSS_JOBS:-$(nproc)}
targets=("$@")
((${#targets[@]} > 0)) || targets=(aarch64-window riscv64 i686 wasm)
out=build-cross
mkdir -p "$out"

seconds() { date +%s; }
report() { printf '%-8s %-34s %5ds  %s\n' "$1" "$2" "$3" "$4" | tee -a "$out/summary.txt"; }
: >"$out/summary.txt"

# The reference: a native build of the same tree.
start=$(seconds)
native=${CROSS_NATIVE:-$out/native}
if [[ -z ${CROSS_NATIVE:-} ]]; then
    cmake -S . -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUTTERWORTH3_GUI=OFF \
        >/dev/null
fi
cmake --build "$native" --parallel "$jobs" --target design_driver >/dev/null
python3 tests/cross/design_corpus.py run --count "$designs" --window-count "$presses" \
    --jobs "$jobs" --driver "$native/tests/cross/design_driver" "$out/native.json" >/dev/null
report native "build and designs" $(($(seconds) - start)) ""

export NODE_PATH=/usr/share/nodejs
status=0
for target in "${targets[@]}"; do
    case $target in
    aarch64 | aarch64-window | riscv64 | i686 | wasm) ;;
    *) echo "unknown target $target (aarch64, aarch64-window, riscv64, i686, wasm)" >&2 && exit 2 ;;
    esac
    dir=$out/$target
    mkdir -p "$dir"

    # The target's CMake preset (CMakePresets.json) builds GoogleTest from Debian's sources
    # with the target's compiler, along with the project.
    start=$(seconds)
    if ! { cmake --preset "$target" && cmake --build --preset "$target" --parallel "$jobs"; } \
        >"$dir/build.log" 2>&1; then
        tail -n 30 "$dir/build.log"
        report "$target" "build" $(($(seconds) - start)) "FAILED (above; $dir/build.log)"
        status=1
        continue
    fi
    report "$target" "build" $(($(seconds) - start)) ""

    # The tests, each program under the emulator; the preset leaves to the native build what
    # the emulator cannot show or WebAssembly cannot do (the README lists them).
    start=$(seconds)
    if ctest --preset "$target" --parallel "$jobs" >"$dir/ctest.log" 2>&1; then
        result=$(grep -E '^[0-9]+% tests passed' "$dir/ctest.log")
    else
        # What failed, with the failing tests' own output, for a log that is all one sees.
        grep -a -E -B1 -A40 '\*\*\*(Failed|Timeout|Exception)' "$dir/ctest.log" | tail -n 200
        result="FAILED: $(grep -E 'tests passed|tests failed' "$dir/ctest.log")" status=1
    fi
    report "$target" "tests" $(($(seconds) - start)) "$result"

    start=$(seconds)
    if python3 tests/oracle/differential.py --driver "$dir/build/emulated/calc_driver" \
        --count "$oracle_count" >"$dir/oracle.log" 2>&1; then
        result=$(tail -n 1 "$dir/oracle.log")
    else
        tail -n 20 "$dir/oracle.log"
        result="FAILED: $(tail -n 1 "$dir/oracle.log")" status=1
    fi
    report "$target" "reference model" $(($(seconds) - start)) "$result"

    start=$(seconds)
    python3 tests/cross/design_corpus.py run --count "$designs" --window-count "$presses" \
        --jobs "$jobs" --driver "$dir/build/emulated/design_driver" "$dir/designs.json" >/dev/null
    if python3 tests/cross/design_corpus.py compare "$out/native.json" "$dir/designs.json" \
        >"$dir/compare.log" 2>&1; then
        result=$(tail -n 1 "$dir/compare.log")
    else
        tail -n 12 "$dir/compare.log"
        result="FAILED: $(tail -n 1 "$dir/compare.log")" status=1
    fi
    report "$target" "designs and presses against x86-64" $(($(seconds) - start)) "$result"
done
exit $status
