#!/bin/sh
# SPDX-FileCopyrightText: 2026 The butterworth3 developers
# SPDX-License-Identifier: MIT
# How a window program starts, from outside: without a usable display it says so in one
# line and ends with exit code 1 (no abort), whichever platform Qt tries, with its Wayland
# plugin installed or not. What the platforms say on the way to a display that does open is
# passed on. Then the program's own cases of command lines, from a table: one a line,
#   <what> | <exit code> | <stream: out, err or all> | <its one line: a grep pattern> | <arguments>
# run on the offscreen platform with the first-frame probe, so that a window that opens
# prints "first-frame N"; blank lines and lines that start with # are skipped.
# Usage: check_start.sh <program> <cases>; the messages start with the program's file name.
set -u
program=$1 cases=$2
name=$(basename "$program")
failures=0
runtime=$(mktemp -d)  # a runtime folder with no compositor's socket in it
trap 'rm -rf "$runtime"' EXIT

# <what> <stream read: out or err> <expected exit code> <expected text of it: a grep pattern>
# <lines of it> <env settings and program...>; no display variable is set but these.
check() {
    what=$1 stream=$2 code=$3 pattern=$4 lines=$5
    shift 5
    # Settings a program keeps go to the runtime folder, not to the user's.
    set -- env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE \
        -u XDG_RUNTIME_DIR XDG_CONFIG_HOME="$runtime/config" XDG_CACHE_HOME="$runtime/cache" "$@"
    case $stream in
    out) out=$("$@" 2>/dev/null </dev/null) ;;
    err) out=$("$@" 2>&1 >/dev/null </dev/null) ;;
    *) out=$("$@" 2>&1 </dev/null) ;;
    esac
    got=$?
    # The offscreen platform's remark on a window with a minimum size (it has no window
    # manager to pass it to) is not a platform failing.
    out=$(printf '%s\n' "$out" | grep -vx "This plugin does not support propagateSizeHints()")
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
unopened="^$name: the display $nowhere could not be opened$"
check "xcb without a display" err 1 "$unopened" 1 DISPLAY="$nowhere" QT_QPA_PLATFORM=xcb "$program"
check "default platform without a display" err 1 "$unopened" 1 DISPLAY="$nowhere" "$program"
check "default platform, nothing set" err 1 "^$name: the display (none set) could not be opened$" 1 "$program"
check "default platform, a compositor's name that nothing serves" err 1 "$unopened" 1 \
    DISPLAY="$nowhere" WAYLAND_DISPLAY=nowhere-0 XDG_RUNTIME_DIR="$runtime" "$program"
check "Wayland session without a runtime folder" err 1 "$unopened" 1 \
    DISPLAY="$nowhere" XDG_SESSION_TYPE=wayland "$program"
check "Wayland session, a socket that does not exist" err 1 "$unopened" 1 \
    DISPLAY="$nowhere" XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=nowhere-0 XDG_RUNTIME_DIR="$runtime" "$program"
check "wayland without a runtime folder" err 1 "^$name: the display nowhere-0 could not be opened$" 1 \
    QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=nowhere-0 "$program"
check "wayland, a socket that does not exist" err 1 "^$name: the display nowhere-0 could not be opened$" 1 \
    QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=nowhere-0 XDG_RUNTIME_DIR="$runtime" "$program"
check "wayland, no compositor named" err 1 "^$name: the display (none set) could not be opened$" 1 \
    QT_QPA_PLATFORM=wayland XDG_RUNTIME_DIR="$runtime" "$program"
check "a failed platform's words, passed on when the next one opens" err 0 "^Failed to create wl_display" 1 \
    QT_QPA_PLATFORM="wayland;offscreen" WAYLAND_DISPLAY=nowhere-0 XDG_RUNTIME_DIR="$runtime" \
    BUTTERWORTH3_FIRST_FRAME=1 "$program"

# The table's cases; the arguments are split at blanks, and nothing in them is a file pattern.
# The table is opened once for the loop, not redirected into it: dash would leave that
# redirection's record unfreed in every command substitution inside.
trim() { printf '%s' "$1" | sed 's/^ *//; s/ *$//'; }
set -f
exec 3<"$cases"
while IFS='|' read -r what code stream pattern arguments <&3; do
    case $what in '' | '#'*) continue ;; esac
    # shellcheck disable=SC2046  # the arguments' words, split on purpose
    check "$(trim "$what")" "$(trim "$stream")" "$(trim "$code")" "$(trim "$pattern")" 1 \
        QT_QPA_PLATFORM=offscreen BUTTERWORTH3_FIRST_FRAME=1 "$program" $(trim "$arguments")
done
exec 3<&-
[ "$failures" -eq 0 ]
