#!/bin/sh
# SPDX-FileCopyrightText: 2026 The butterworth3 developers
# SPDX-License-Identifier: MIT
# Writes the README's pictures of the window, docs/window-results.png (after Go with the
# defaults) and docs/window-banner.png (a range banner and a corrected, highlighted field),
# from the program's own window under Qt's offscreen platform; and the same at twice the
# pixel density, as on a high-density screen: docs/window-results@2x.png and
# docs/window-banner@2x.png. The designer window's likewise: docs/designer.png (light, the Bode
# plot) and docs/designer-dark.png (dark, the tolerance spread), and their @2x.
# Usage: tools/screenshots.sh [build folder]   (default: build-ui, configured if needed)
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$top/build-ui"}
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$top" -B "$build" -G Ninja
fi
cmake --build "$build" --target window_screenshots designer_screenshots -j2
mkdir -p "$top/docs"
QT_QPA_PLATFORM=offscreen "$build/tests/ui/window_screenshots" "$top/docs"
QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=2 "$build/tests/ui/window_screenshots" "$top/docs"
# The designer opens as on a laptop's 1366 x 768 screen (in pixels, and in points on a dense
# one): an offscreen screen of that size, never a resize in code.
screens=$(mktemp -d)
trap 'rm -rf "$screens"' EXIT
printf '{"screens": [{"name": "laptop", "x": 0, "y": 0, "width": %s, "height": %s, "dpi": 96}]}\n' \
    1366 768 >"$screens/1x.json"
printf '{"screens": [{"name": "laptop", "x": 0, "y": 0, "width": %s, "height": %s, "dpi": 96}]}\n' \
    2732 1536 >"$screens/2x.json"
QT_QPA_PLATFORM="offscreen:configfile=$screens/1x.json" \
    "$build/tests/designer/designer_screenshots" "$top/docs"
QT_QPA_PLATFORM="offscreen:configfile=$screens/2x.json" QT_SCALE_FACTOR=2 \
    "$build/tests/designer/designer_screenshots" "$top/docs"
