#!/bin/sh
# SPDX-FileCopyrightText: 2026 The butterworth3 developers
# SPDX-License-Identifier: MIT
# The window under a Wayland compositor, as in a GNOME or KDE Wayland session: weston's
# headless backend at output scales 1 and 2, Qt's Wayland plugin. Checks:
#   - the program starts there, asks for its desktop entry's id as app id (what docks and task
#     bars match) and for one size as both its least and its largest;
#   - tests/ui/wayland/tst_wayland_window, with the desktop's default and with KDE's Breeze
#     Dark scheme: fixed size, whole texts, the compositor's picture, Go on a click;
#   - the program read and driven over the accessibility bus (Go computes, Exit ends it).
# Fails, naming it, when a tool is missing. WAYLAND_CHECK_PICTURES=<folder> keeps the
# compositor's pictures.
# Usage: tools/wayland_check.sh <butterworth3> <tst_wayland_window> <desktop entry id>
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
usage="usage: wayland_check.sh <butterworth3> <tst_wayland_window> <desktop entry id>"
program=${1:?$usage}
window_test=${2:?$usage}
entry_id=${3:?$usage}
. "$top/tools/test_display.sh"
python=/usr/bin/python3  # with the Debian Python packages (pyatspi)
need_tools weston weston-screenshooter timeout "$python"
"$python" -c 'import pyatspi' >/dev/null 2>&1 ||
    { echo "FAIL: pyatspi is missing (python3-pyatspi)"; exit 1; }
# One session bus for the theme, the accessibility bus and the programs, ended with the check.
in_session_bus "$0" "$@"
trap display_cleanup EXIT
trap 'exit 1' INT TERM HUP
work=$display_work

unset DISPLAY QT_SCALE_FACTOR
export QT_QPA_PLATFORM=wayland

for scale in 1 2; do
    start_wayland_display 1280x1024 --scale="$scale"

    # 1. The program, its first frame and what it asked the compositor for.
    status=0
    WAYLAND_DEBUG=1 BUTTERWORTH3_FIRST_FRAME=1 timeout -k 5 30 "$program" \
        >"$work/program.out" 2>"$work/protocol.log" || status=$?
    expect "scale $scale: the program painted its first frame and ended" \
        "$status $(grep -c '^first-frame [0-9]*$' "$work/program.out")" "0 1"
    expect "scale $scale: app id is the desktop entry's id" \
        "$(last_request set_app_id "$work/protocol.log")" "\"$entry_id\""
    least=$(last_request set_min_size "$work/protocol.log")
    largest=$(last_request set_max_size "$work/protocol.log")
    if [ -n "$least" ] && [ "$least" = "$largest" ]; then
        echo "ok: scale $scale: least and largest size both $least"
    else
        fail "scale $scale: least size '$least', largest '$largest'"
    fi

    # 2. The window in process, light and dark.
    for scheme in light dark; do
        mkdir -p "$work/home-$scheme/.config"
        if [ "$scheme" = dark ]; then
            cp "$top/tests/ui/desktop/breeze_dark.kdeglobals" "$work/home-$scheme/.config/kdeglobals"
            desktop="XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=5"
        else
            desktop="XDG_CURRENT_DESKTOP=none"
        fi
        if env HOME="$work/home-$scheme" $desktop WAYLAND_CHECK_SCALE="$scale" \
            WAYLAND_CHECK_SCHEME="$scheme" timeout -k 5 60 "$window_test" >"$work/test.log" 2>&1; then
            echo "ok: scale $scale, $scheme scheme: $(grep '^Totals' "$work/test.log")"
        else
            fail "scale $scale, $scheme scheme: the window test failed:"
            grep -v '^PASS\|^QDEBUG\|^Config\|^\*\*\*' "$work/test.log"
        fi
    done

    # 3. Go and Exit over the accessibility bus.
    if [ "$scale" = 1 ]; then
        status=0
        QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 timeout -k 5 50 \
            "$python" "$top/tests/ui/accessibility/atspi_tree.py" "$program" \
            >"$work/atspi.log" 2>&1 || status=$?
        if [ "$status" -eq 0 ]; then
            echo "ok: scale $scale: read and driven over the accessibility bus ($(tail -n 1 "$work/atspi.log"))"
        else
            fail "scale $scale: over the accessibility bus:"
            grep -v '^ok\|^ *[|]' "$work/atspi.log" | tail -n 30
        fi
    fi
    stop_displays
done

if [ "$failures" -ne 0 ]; then
    echo "$failures checks failed"
    exit 1
fi
echo "all Wayland checks passed"
