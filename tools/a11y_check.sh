#!/bin/sh
# SPDX-FileCopyrightText: 2026 The butterworth3 developers
# SPDX-License-Identifier: MIT
# Checks the window from outside, as a screen reader sees it: starts a virtual X display and
# a session bus (which starts the accessibility bus on demand), then has
# tests/ui/accessibility/atspi_tree.py (or another program's script built on it) run the
# program there and read and drive its window over AT-SPI. Fails, naming it, when a tool is missing. Leaves no process behind.
# Usage: tools/a11y_check.sh [program [script]]
#        (defaults: build-ui/app/butterworth3, tests/ui/accessibility/atspi_tree.py)
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
program=${1:-"$top/build-ui/app/butterworth3"}
script=${2:-"$top/tests/ui/accessibility/atspi_tree.py"}
python=${A11Y_PYTHON:-/usr/bin/python3}
. "$top/tools/test_display.sh"
trap display_cleanup EXIT
trap 'exit 1' INT TERM HUP

need_tools Xvfb dbus-run-session "$python"
[ -e /usr/share/dbus-1/services/org.a11y.Bus.service ] ||
    { echo "FAIL: the accessibility bus is missing (at-spi2-core)"; exit 1; }
"$python" -c 'import pyatspi' >/dev/null 2>&1 ||
    { echo "FAIL: pyatspi is missing (python3-pyatspi)"; exit 1; }
if [ ! -x "$program" ]; then
    echo "FAIL: no program at $program"
    exit 1
fi

start_x_display 1024x768

# The session bus ends with the check, and the accessibility bus with it. Qt talks to the
# accessibility bus only when asked to; a screen reader's desktop setting would do the same.
status=0
run_in_session_bus env QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
    timeout -k 5 50 "$python" "$script" "$program" \
    2>"$display_work/stderr" || status=$?
if [ "$status" -ne 0 ]; then
    echo "--- standard error"
    cat "$display_work/stderr"
fi
exit "$status"
