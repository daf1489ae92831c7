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
# design_driver is the reference; without it one is built). Builds go to build-cross/.
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
    --driver "$native/tests/cross/design_driver" "$out/native.json" >/dev/null
report native "build and designs" $(($(seconds) - start)) ""

# Each target's CMake arguments; for wasm, the command runs under emcmake.
configure_args() {
    local target=$1 dir=$2
    case $target in
    aarch64 | riscv64 | i686)
        echo "-DCMAKE_TOOLCHAIN_FILE=$root/cmake/toolchains/$target-linux-gnu.cmake"
        ;;
    wasm)
        # Exceptions on (emscripten leaves them off), memory that grows with a thousand
        # designs, files through node's own file system, the exit status kept; node runs
        # every program (NODE_PATH is exported below).
        echo "-DCMAKE_CROSSCOMPILING_EMULATOR=$(command -v node);--no-experimental-fetch"
        echo "-DCMAKE_CXX_FLAGS=-fexceptions"
        echo "-DCMAKE_EXE_LINKER_FLAGS=-fexceptions -sALLOW_MEMORY_GROWTH=1 -sNODERAWFS=1 -sEXIT_RUNTIME=1"
        echo "-Dnlohmann_json_DIR=$root/$dir/nlohmann"
        ;;
    aarch64-window)
        # The window with Debian's arm64 Qt (multiarch, in /usr/lib/aarch64-linux-gnu); moc,
        # rcc and uic are the build machine's, and the icon converter runs under qemu.
        echo "-DCMAKE_TOOLCHAIN_FILE=$root/cmake/toolchains/aarch64-linux-gnu.cmake"
        echo "-DBUTTERWORTH3_EXTRA_ROOTS=/"
        echo "-DQT_HOST_PATH=/usr"
        echo "-DQT_HOST_PATH_CMAKE_DIR=/usr/lib/$(gcc -print-multiarch)/cmake"
        # lrelease and lupdate are build tools: the build machine's.
        echo "-DQt6LinguistTools_DIR=/usr/lib/$(gcc -print-multiarch)/cmake/Qt6LinguistTools"
        echo "-DBUTTERWORTH3_GUI=ON"
        ;;
    *) echo "unknown target $target (aarch64, riscv64, i686, wasm, aarch64-window)" >&2 && return 2 ;;
    esac
}

# nlohmann_json for emscripten: its headers alone, without the rest of /usr/include.
nlohmann_for_emscripten() {
    local dir=$1
    mkdir -p "$dir/nlohmann/include"
    ln -sfn /usr/include/nlohmann "$dir/nlohmann/include/nlohmann"
    cat >"$dir/nlohmann/nlohmann_jsonConfig.cmake" <<'CONFIG'
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
  INTERFACE_INCLUDE_DIRECTORIES ${CMAKE_CURRENT_LIST_DIR}/include)
CONFIG
    echo 'set(PACKAGE_VERSION 3.11.2)
set(PACKAGE_VERSION_COMPATIBLE TRUE)' >"$dir/nlohmann/nlohmann_jsonConfigVersion.cmake"
}

export NODE_PATH=/usr/share/nodejs
status=0
for target in "${targets[@]}"; do
    dir=$out/$target
    mkdir -p "$dir"
    mapfile -t args < <(configure_args "$target" "$dir")
    cmake=(cmake)
    if [[ $target == wasm ]]; then
        cmake=(emcmake cmake)
        nlohmann_for_emscripten "$dir"
    fi

    # GoogleTest from Debian's source package, built once with the target's compiler.
    start=$(seconds)
    if [[ ! -f $dir/googletest/lib/cmake/GTest/GTestConfig.cmake ]]; then
        "${cmake[@]}" -S /usr/src/googletest -B "$dir/googletest-build" -G Ninja "${args[@]}" \
            -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$root/$dir/googletest" >/dev/null
        cmake --build "$dir/googletest-build" --parallel "$jobs" --target install >/dev/null
    fi
    if ! { "${cmake[@]}" -S . -B "$dir/build" -G Ninja \
        -DCMAKE_BUILD_TYPE=Release -DBUTTERWORTH3_GUI=OFF "${args[@]}" \
        -DCMAKE_PREFIX_PATH="$root/$dir/googletest" -DGTest_DIR="$root/$dir/googletest/lib/cmake/GTest" &&
        cmake --build "$dir/build" --parallel "$jobs"; } >"$dir/build.log" 2>&1; then
        tail -n 30 "$dir/build.log"
        report "$target" "build" $(($(seconds) - start)) "FAILED (above; $dir/build.log)"
        status=1
        continue
    fi
    report "$target" "build" $(($(seconds) - start)) ""

    # The tests, each program under the emulator. Left to the native build: the report in
    # a browser (it checks files, not arithmetic) and the runs with closed or broken
    # standard descriptors, which the emulator itself fills with its own files. WebAssembly
    # cannot start processes at all (the companion as a program, a write as another user),
    # knows no locale but C, and node's file system has no FIFOs, /proc or owners, nor the
    # C library's texts of its errors.
    start=$(seconds)
    selection=(-E '^report_in_browser$|WriteErrors|^DesignProgram\.')
    [[ $target == wasm ]] &&
        selection[1]+='|^CliProgram\.|^Cli/Program\.|^Table/(Matrix|AsNobody)\.|^design_outputs_under_comma_locale$'
    # The windows: their offscreen tests. Those on a real X server, compositor or screen
    # reader start host programs that cannot start the target's, and the package's
    # reproducibility (two whole builds) is no question of arithmetic: they stay native.
    if [[ $target == aarch64-window ]]; then
        selection[1]+='|^packaging_reproducible$'
        selection+=(-LE 'desktop|wayland|orca|a11y')
    fi
    # The longest tables run shorter under the emulator (the native runs keep their length).
    if BUTTERWORTH3_RANDOM_EVENTS=20000 BUTTERWORTH3_DOUBLE_TEXT_CASES=200000 \
        QT_QPA_PLATFORM=offscreen ctest --test-dir "$dir/build" --output-on-failure \
        --parallel "$jobs" "${selection[@]}" >"$dir/ctest.log" 2>&1; then
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
        --driver "$dir/build/emulated/design_driver" "$dir/designs.json" >/dev/null
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
