#!/bin/sh
# SPDX-FileCopyrightText: 2026 The butterworth3 developers
# SPDX-License-Identifier: MIT
# How the program starts, from outside: Qt's own command-line options are not read, and
# without a usable display it says so in one line and ends with exit code 1 (no abort).
# Usage: check_start.sh <butterworth3>
set -u
program=$1
failures=0

# <what> <stream read: out or err> <expected exit code> <expected text of it: a grep pattern>
# <lines of it> <env settings and program...>
check() {
    what=$1 stream=$2 code=$3 pattern=$4 lines=$5
    shift 5
    if [ "$stream" = out ]; then
        out=$(env "$@" 2>/dev/null)
    else
        out=$(env "$@" 2>&1 >/dev/null)
    fi
    got=$?
    count=$(printf '%s\n' "$out" | grep -c .)
    if [ "$got" -ne "$code" ] || ! printf '%s\n' "$out" | grep -q "$pattern" || [ "$count" -ne "$lines" ]; then
        echo "FAIL: $what: exit $got (expected $code), output:"
        printf '%s\n' "$out"
        failures=$((failures + 1))
    else
        echo "ok: $what"
    fi
}

nowhere=":65001"  # an X display that no server serves
check "xcb without a display" err 1 "^butterworth3: the display $nowhere could not be opened$" 1 \
    -u WAYLAND_DISPLAY DISPLAY="$nowhere" QT_QPA_PLATFORM=xcb "$program"
check "default platform without a display" err 1 "could not be opened" 1 \
    -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY="$nowhere" "$program"
check "wayland without a compositor" err 1 "^butterworth3: the display nowhere-0 could not be opened$" 1 \
    -u DISPLAY QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=nowhere-0 "$program"
check "Qt's options on the command line are not read" out 0 "^first-frame [0-9]*$" 1 \
    QT_QPA_PLATFORM=offscreen BUTTERWORTH3_FIRST_FRAME=1 "$program" -platform nosuch -style nosuch -reverse -qwindowtitle X
[ "$failures" -eq 0 ]
