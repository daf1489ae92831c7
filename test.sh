#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The butterworth3 developers
# SPDX-License-Identifier: MIT
# Sets up, builds and runs every test: once in an optimised build, once more with
# AddressSanitizer and UndefinedBehaviorSanitizer (computing in the software extended format),
# the window tests under Valgrind, and once more for other processors (tools/cross_check.sh:
# aarch64 with the windows and riscv64 under qemu-user, i686 natively, WebAssembly under node).
set -euo pipefail
cd "$(dirname "$0")"

tools/install-deps.sh test
tools/install-deps.sh cross
jobs=$(nproc)

echo "== code style =="
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format-14 --dry-run --Werror

for variant in release sanitize; do
  build="build-test-$variant"
  options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUTTERWORTH3_BENCH=ON -DBUTTERWORTH3_FUZZ=ON)
  # The sanitizer build computes in the software extended format, so that the whole suite
  # runs once with each format.
  [[ $variant == sanitize ]] && options=(-DCMAKE_BUILD_TYPE=Debug -DBUTTERWORTH3_SANITIZE=ON -DBUTTERWORTH3_FUZZ=ON
                                         -DBUTTERWORTH3_SOFT_EXTENDED=ON)
  echo "== $variant build =="
  cmake -S . -B "$build" -G Ninja "${options[@]}" >/dev/null
  cmake --build "$build" --parallel "$jobs"
  echo "== $variant tests =="
  QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" --output-on-failure --parallel "$jobs"
done

echo "== window tests under valgrind memcheck =="
tools/valgrind_ui.sh build-test-release

echo "== other processors =="
CROSS_NATIVE=build-test-release tools/cross_check.sh
