#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The butterworth3 developers
# SPDX-License-Identifier: MIT
# Sets up, builds and opens the calculator window. Without a display it prints the
# default results through the command-line companion instead.
set -euo pipefail
cd "$(dirname "$0")"

tools/install-deps.sh run
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUTTERWORTH3_TESTS=OFF \
  -DBUTTERWORTH3_BENCH=OFF -DBUTTERWORTH3_FUZZ=OFF >/dev/null
cmake --build build --parallel

if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
  exec build/app/butterworth3
fi
echo "No graphical session (neither DISPLAY nor WAYLAND_DISPLAY is set): the window needs one."
echo "The default calculation through the command-line companion instead:"
echo "  build/cli/butterworth3-cli 100 33 10"
echo
exec build/cli/butterworth3-cli 100 33 10
