#!/bin/sh
# SPDX-FileCopyrightText: 2026 The butterworth3 developers
# SPDX-License-Identifier: MIT
# Checks the window from outside, as a screen reader sees it: starts a virtual X display and
# a session bus (which starts the accessibility bus on demand), then has
# tests/ui/accessibility/atspi_tree.py run the program there and read and drive its window
# over AT-SPI. Leaves no process behind.
# Usage: tools/a11y_check.sh [program]   (default: build-ui/app/butterworth3)
# Exit code 77 (skipped) when a tool is missing: Debian packages xvfb, dbus, at-spi2-core,
# python3-pyatspi.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
program=${1:-"$top/build-ui/app/butterworth3"}
python=${A11Y_PYTHON:-/usr/bin/python3}

skip() {
    echo "skipped: $1 is missing (Debian package $2)"
    exit 77
}
command -v Xvfb >/dev/null 2>&1 || skip Xvfb xvfb
command -v dbus-run-session >/dev/null 2>&1 || skip dbus-run-session dbus
[ -e /usr/share/dbus-1/services/org.a11y.Bus.service ] || skip "the accessibility bus" at-spi2-core
"$python" -c 'import pyatspi' >/dev/null 2>&1 || skip pyatspi python3-pyatspi
if [ ! -x "$program" ]; then
    echo "no program at $program"
    exit 1
fi

work=$(mktemp -d)
xvfb=
cleanup() {
    if [ -n "$xvfb" ]; then
        kill "$xvfb" 2>/dev/null || true
        wait "$xvfb" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

# A display of its own: Xvfb picks a free number and writes it once it accepts clients. No
# reset when the last client leaves: the accessibility bus connects and leaves early, and a
# program connecting during the reset would be refused.
Xvfb -displayfd 3 -nolisten tcp -noreset -screen 0 1024x768x24 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
tries=0
until [ -s "$work/display" ]; do
    tries=$((tries + 1))
    if [ "$tries" -gt 100 ] || ! kill -0 "$xvfb" 2>/dev/null; then
        echo "Xvfb did not start:"
        cat "$work/xvfb.log"
        exit 1
    fi
    sleep 0.1
done

# The session bus ends with the script, and the accessibility bus with it. Qt talks to the
# accessibility bus only when asked to; a screen reader's desktop setting would do the same.
status=0
DISPLAY=":$(cat "$work/display")" QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
    timeout -k 5 50 dbus-run-session -- "$python" "$top/tests/ui/accessibility/atspi_tree.py" \
    "$program" 2>"$work/stderr" || status=$?
if [ "$status" -ne 0 ]; then
    echo "--- standard error"
    cat "$work/stderr"
fi
exit "$status"
