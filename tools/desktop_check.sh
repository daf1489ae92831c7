#!/bin/sh
# SPDX-FileCopyrightText: 2026 The butterworth3 developers
# SPDX-License-Identifier: MIT
# The window on a real X server, as a user meets it on a desktop: a virtual display (Xvfb)
# with a window manager (openbox), real keys and clicks (xdotool), window properties (xprop).
# Runs tests/ui/desktop/desktop_probe (the window, answering "state" on its standard input)
# and checks:
#   - under KDE's Breeze Dark scheme (a kdeglobals in a scratch HOME) every shown text reaches
#     its contrast ratio, also with a corrected, yellow field;
#   - the framed window is centred on a large screen, and at the available area's top-left on
#     screens it does not fit (640 x 480, and scale factor 2 on 1280 pixels);
#   - dead keys and the compose key deliver typed characters, which the filter drops;
#   - a click anywhere in a unit button's rectangle selects it.
# Fails, never skips: a path that was not exercised is a failure. Run with LC_ALL=C.UTF-8
# (Qt picks its compose table by locale).
# Usage: tools/desktop_check.sh <desktop_probe> [butterworth3]
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
probe=${1:?usage: desktop_check.sh <desktop_probe> [butterworth3]}
program=${2:-}
for tool in Xvfb openbox xdotool xprop dbus-run-session; do
    command -v "$tool" >/dev/null 2>&1 || { echo "FAIL: $tool is missing (tools/install-deps.sh test)"; exit 1; }
done
# One session bus for every program this script starts, ended with it: a program that is the
# first on its display would otherwise start one that outlives it.
if [ -z "${DESKTOP_CHECK_BUS:-}" ]; then
    DESKTOP_CHECK_BUS=1 exec dbus-run-session -- "$0" "$@"
fi

work=$(mktemp -d)
pids=
failures=0
cleanup() {
    exec 4>&- 2>/dev/null || true
    for pid in $pids; do kill "$pid" 2>/dev/null || true; done
    for pid in $pids; do wait "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
pass() {
    echo "ok: $*"
}

# A display of its own (Xvfb picks a free number) with openbox on it.
start_display() { # <width>x<height>
    rm -f "$work/display"
    Xvfb -displayfd 3 -nolisten tcp -noreset -screen 0 "$1x24" 3>"$work/display" 2>"$work/xvfb.log" &
    pids="$pids $!"
    tries=0
    until [ -s "$work/display" ]; do
        tries=$((tries + 1))
        [ "$tries" -le 100 ] || { echo "FAIL: Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
        sleep 0.1
    done
    DISPLAY=":$(cat "$work/display")"
    export DISPLAY
    # A layout that has the dead keys and a compose key of its own: xdotool then presses them
    # as they are, instead of remapping a spare key for each, which Qt may not have seen yet.
    setxkbmap -layout us -variant intl -option compose:ralt
    openbox --sm-disable >"$work/openbox.log" 2>&1 &
    pids="$pids $!"
    tries=0
    until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
        tries=$((tries + 1))
        [ "$tries" -le 100 ] || { echo "FAIL: openbox did not start"; cat "$work/openbox.log"; exit 1; }
        sleep 0.1
    done
}

stop_display() {
    for pid in $pids; do kill "$pid" 2>/dev/null || true; done
    for pid in $pids; do wait "$pid" 2>/dev/null || true; done
    pids=
}

# Starts the probe with the environment given as arguments; sets $window.
start_probe() {
    rm -f "$work/in" "$work/out"
    mkfifo "$work/in"
    : >"$work/out"
    env QT_QPA_PLATFORM=xcb "$@" "$probe" <"$work/in" >"$work/out" 2>"$work/probe.log" &
    probe_pid=$!
    pids="$pids $probe_pid"
    exec 4>"$work/in"
    tries=0
    until grep -q '^ready ' "$work/out"; do
        tries=$((tries + 1))
        [ "$tries" -le 150 ] || { echo "FAIL: the window did not appear"; cat "$work/probe.log"; exit 1; }
        sleep 0.1
    done
    window=$(sed -n 's/^ready //p' "$work/out")
    asked=0
}

stop_probe() {
    echo quit >&4
    exec 4>&-
    wait "$probe_pid" || fail "the window did not end cleanly"
}

# Asks the probe for its state; leaves it in $work/state.
ask_state() {
    asked=$((asked + 1))
    echo state >&4
    tries=0
    until [ "$(grep -c '^end$' "$work/out")" -ge "$asked" ]; do
        tries=$((tries + 1))
        [ "$tries" -le 100 ] || { echo "FAIL: the window did not answer"; cat "$work/probe.log"; exit 1; }
        sleep 0.1
    done
    awk -v n="$asked" '/^end$/ { block++; next } block == n - 1 && !/^ready / { print }' "$work/out" >"$work/state"
}

value() { # <key> [name] -> the rest of the line
    if [ $# -eq 2 ]; then
        sed -n "s/^$1 $2 //p" "$work/state"
    else
        sed -n "s/^$1 //p" "$work/state"
    fi
}

expect() { # <what> <actual> <expected>
    if [ "$2" = "$3" ]; then pass "$1"; else fail "$1: got '$2', expected '$3'"; fi
}

# Waits until the window manager has framed the window and the window has settled.
settle() {
    sleep 0.6
}

# Asks for the state until the window manager's frame is known to the window and the window
# has had time to place itself again; fails when it never is.
ask_framed_state() {
    tries=0
    while :; do
        ask_state
        set -- $(value frame) $(value client)
        [ "$3" -gt "$7" ] && break
        tries=$((tries + 1))
        [ "$tries" -le 50 ] || { fail "the window manager's frame never reached the window"; return; }
        sleep 0.1
    done
    sleep 0.3
    ask_state
}

# Every shown text reaches the ratio it needs.
check_contrast() { # <what>
    low=$(awk '$1 == "contrast" && $3 + 1e-9 < $4 { printf "%s %.2f:1 (needs %s:1); ", $2, $3, $4 }' "$work/state")
    count=$(grep -c '^contrast ' "$work/state" || true)
    if [ "$count" -lt 30 ]; then
        fail "$1: only $count texts were read"
    elif [ -n "$low" ]; then
        fail "$1: $low"
    else
        pass "$1: $count texts readable"
    fi
}

values() {
    for name in Label7 Label8 Label12 Label15 Label16 Label25; do printf '%s ' "$(value text "$name")"; done
}

zeros='0 0 0 0 0 0 '

# Presses Go (Enter in the focused frequency field) and checks that results are shown.
go_with_results() { # <what>
    xdotool key Return
    sleep 0.3
    ask_state
    [ "$(values)" != "$zeros" ] || fail "$1: Go showed no results"
}

# The window places itself again once its frame is known; on a loaded machine that can take
# a while, so the place is asked again for up to five seconds before it counts as wrong.
frame_at() { # <what> <expected "x y">
    waited=0
    while [ "$(value frame | cut -d' ' -f1,2)" != "$2" ] && [ "$waited" -lt 50 ]; do
        waited=$((waited + 1))
        sleep 0.1
        ask_state
    done
    set -- "$1" "$2" "$(value frame | cut -d' ' -f1,2)"
    expect "$1" "$3" "$2"
}

# 1. Breeze Dark from a kdeglobals, a centred frame, typed and composed characters, clicks.
start_display 1280x1024
mkdir -p "$work/home/.config"
cp "$top/tests/ui/desktop/breeze_dark.kdeglobals" "$work/home/.config/kdeglobals"
start_probe HOME="$work/home" XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=5
xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
ask_framed_state
# DESKTOP_CHECK_GRAB=<folder>: a picture of the screen, the frame's buttons included.
if [ -n "${DESKTOP_CHECK_GRAB:-}" ]; then
    echo "grab $DESKTOP_CHECK_GRAB/desktop-breeze-dark.png" >&4
fi
dark=$(value window-luminance | awk '{ print ($1 < 0.1) ? "dark" : "light" }')
expect "Breeze Dark is the window's scheme" "$dark" dark
check_contrast "Breeze Dark, results shown"
set -- $(value frame)
frame_centre="$(( $1 + $3 / 2 )) $(( $2 + $4 / 2 ))"
set -- $(value area)
expect "framed window centred on 1280 x 1024" "$frame_centre" "$(( $1 + $3 / 2 )) $(( $2 + $4 / 2 ))"

go_with_results "dead acute e"
xdotool key End dead_acute e
sleep 0.3
ask_state
expect "dead acute e: one character committed by the input method" "$(value committed)" 1
expect "dead acute e: Edit1 keeps its text" "$(value text Edit1)" 100
expect "dead acute e: Edit1's key-press handler reset the values" "$(values)" "$zeros"

go_with_results "compose 1 2"
xdotool key End Multi_key 1 2
sleep 0.3
ask_state
expect "compose 1 2: one more character committed" "$(value committed)" 2
expect "compose 1 2: Edit1 keeps its text" "$(value text Edit1)" 100
expect "compose 1 2: the values were reset" "$(values)" "$zeros"

go_with_results "Backspace, then dead acute e"
xdotool key End BackSpace dead_acute e
sleep 0.3
ask_state
expect "Backspace, then dead acute e: committed by the input method" "$(value committed)" 3
expect "Backspace, then dead acute e: only the Backspace edited" "$(value text Edit1)" 10
expect "Backspace, then dead acute e: the values were reset" "$(values)" "$zeros"

xdotool key End 5
sleep 0.2
ask_state
expect "typed digit still enters" "$(value text Edit1)" 105

# A corrected, yellow field under the dark scheme: 0,5 Hz.
xdotool key Home shift+End 0 period 5 Return
sleep 0.3
ask_state
expect "0,5 Hz: Edit1 corrected" "$(value text Edit1)" 1
expect "0,5 Hz: Edit1 yellow" "$(value highlighted Edit1)" 1
check_contrast "Breeze Dark, range error"

# Unit buttons: clicks inside the rectangle, off the circle and the text.
set -- $(value client)
xdotool mousemove "$(( $1 + 360 + 72 ))" "$(( $2 + 136 + 16 ))" click 1
xdotool mousemove "$(( $1 + 440 + 120 + 45 ))" "$(( $2 + 32 + 192 + 8 ))" click 1
sleep 0.3
ask_state
expect "kHz selected by a click at its rectangle's corner" "$(value checked RadioButton2)" 1
expect "uF selected by a click right of its text" "$(value checked RadioButton4)" 1
stop_probe
stop_display

# 2. Screens the framed window does not fit: its top-left at the available area's top-left.
for screen in "640x480 1" "1280x1024 2" "1280x1024 1.75"; do
    set -- $screen
    start_display "$1"
    start_probe QT_SCALE_FACTOR="$2"
    ask_framed_state
    frame_at "$1 screen at scale $2: frame at the area's top-left" "$(value area | cut -d' ' -f1,2)"
    stop_probe
    stop_display
done

# 3. The program itself: the class a dock matches with the desktop entry, and the buttons the
# window manager offers for its frame.
if [ -z "$program" ]; then
    fail "no program given: its window properties were not checked"
else
    start_display 1280x1024
    QT_QPA_PLATFORM=xcb "$program" >/dev/null 2>"$work/program.log" &
    program_pid=$!
    pids="$pids $program_pid"
    program_window=$(timeout 15 xdotool search --sync --onlyvisible --pid "$program_pid" | head -1)
    settle
    if [ -z "$program_window" ]; then
        fail "the program's window did not appear"
        cat "$work/program.log"
    else
        class=$(xprop -id "$program_window" WM_CLASS | sed -n 's/.*, "\(.*\)"$/\1/p')
        entry_class=$(sed -n 's/^StartupWMClass=//p' "$top/packaging/org.butterworth3.Butterworth3.desktop")
        expect "WM_CLASS class is the desktop entry's StartupWMClass" "$class" "$entry_class"
    fi
    stop_display
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures checks failed"
    exit 1
fi
echo "all desktop checks passed"
