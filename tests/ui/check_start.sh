#!/bin/sh
# SPDX-FileCopyrightText: 2026 The butterworth3 developers
# SPDX-License-Identifier: MIT
# How the program starts, from outside: Qt's own command-line options are not read, and
# without a usable display it says so in one line and ends with exit code 1 (no abort),
# whichever platform Qt tries, with its Wayland plugin installed or not. What the platforms
# say on the way to a display that does open is passed on.
# Usage: check_start.sh <butterworth3>
set -u
program=$1
failures=0
runtime=$(mktemp -d)  # a runtime folder with no compositor's socket in it
trap 'rm -rf "$runtime"' EXIT

# <what> <stream read: out or err> <expected exit code> <expected text of it: a grep pattern>
# <lines of it> <env settings and program...>; no display variable is set but these.
check() {
    what=$1 stream=$2 code=$3 pattern=$4 lines=$5
    shift 5
    set -- env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE \
        -u XDG_RUNTIME_DIR "$@"
    if [ "$stream" = out ]; then
        out=$("$@" 2>/dev/null)
    else
        out=$("$@" 2>&1 >/dev/null)
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

nowhere=":65001"        # an X display that no server serves
unopened="^butterworth3: the display $nowhere could not be opened$"
check "xcb without a display" err 1 "$unopened" 1 DISPLAY="$nowhere" QT_QPA_PLATFORM=xcb "$program"
check "default platform without a display" err 1 "$unopened" 1 DISPLAY="$nowhere" "$program"
check "default platform, nothing set" err 1 "^butterworth3: the display (none set) could not be opened$" 1 "$program"
check "default platform, a compositor's name that nothing serves" err 1 "$unopened" 1 \
    DISPLAY="$nowhere" WAYLAND_DISPLAY=nowhere-0 XDG_RUNTIME_DIR="$runtime" "$program"
check "Wayland session without a runtime folder" err 1 "$unopened" 1 \
    DISPLAY="$nowhere" XDG_SESSION_TYPE=wayland "$program"
check "Wayland session, a socket that does not exist" err 1 "$unopened" 1 \
    DISPLAY="$nowhere" XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=nowhere-0 XDG_RUNTIME_DIR="$runtime" "$program"
check "wayland without a runtime folder" err 1 "^butterworth3: the display nowhere-0 could not be opened$" 1 \
    QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=nowhere-0 "$program"
check "wayland, a socket that does not exist" err 1 "^butterworth3: the display nowhere-0 could not be opened$" 1 \
    QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=nowhere-0 XDG_RUNTIME_DIR="$runtime" "$program"
check "wayland, no compositor named" err 1 "^butterworth3: the display (none set) could not be opened$" 1 \
    QT_QPA_PLATFORM=wayland XDG_RUNTIME_DIR="$runtime" "$program"
check "a failed platform's words, passed on when the next one opens" err 0 "^Failed to create wl_display" 1 \
    QT_QPA_PLATFORM="wayland;offscreen" WAYLAND_DISPLAY=nowhere-0 XDG_RUNTIME_DIR="$runtime" \
    BUTTERWORTH3_FIRST_FRAME=1 "$program"
check "Qt's options on the command line are not read" out 0 "^first-frame [0-9]*$" 1 \
    QT_QPA_PLATFORM=offscreen BUTTERWORTH3_FIRST_FRAME=1 "$program" -platform nosuch -style nosuch -reverse -qwindowtitle X
[ "$failures" -eq 0 ]
