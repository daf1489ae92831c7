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
#   - a click anywhere in a unit button's rectangle selects it;
#   - the program's window class is its desktop entry's StartupWMClass.
# Every step awaits the state that shows it was handled (polled, bounded, and named when it
# never comes). Fails, never skips: a path that was not exercised is a failure. Run with LC_ALL=C.UTF-8
# (Qt picks its compose table by locale).
# Usage: tools/desktop_check.sh <desktop_probe> [butterworth3]
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
probe=${1:?usage: desktop_check.sh <desktop_probe> [butterworth3]}
program=${2:-}
. "$top/tools/test_display.sh"
need_tools Xvfb openbox xdotool xprop setxkbmap
# One session bus for every program this script starts, ended with it: a program that is the
# first on its display would otherwise start one that outlives it.
in_session_bus "$0" "$@"

work=$display_work
pids=
failures=0
cleanup() {
    exec 4>&- 2>/dev/null || true
    for pid in $pids; do kill "$pid" 2>/dev/null || true; done
    for pid in $pids; do wait "$pid" 2>/dev/null || true; done
    display_cleanup
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

# A display of its own with openbox on it.
start_display() { # <width>x<height>
    start_x_display "$1"
    # A layout that has the dead keys and a compose key of its own: xdotool then presses them
    # as they are, instead of remapping a spare key for each, which Qt may not have seen yet.
    setxkbmap -layout us -variant intl -option compose:ralt
    start_window_manager
}

stop_display() {
    stop_displays
}

probe_said_ready() {
    display_server_alive "$probe_pid" "the window" "$work/probe.log" && grep -q '^ready ' "$work/out"
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
    await 40 "the window to be shown" probe_said_ready || exit 1
    window=$(sed -n 's/^ready //p' "$work/out")
    asked=0
}

probe_ended() {
    ! kill -0 "$probe_pid" 2>/dev/null
}

stop_probe() {
    echo quit >&4
    exec 4>&-
    if await 20 "the window to end after quit" probe_ended; then
        wait "$probe_pid" || fail "the window did not end cleanly"
    else
        failures=$((failures + 1))
    fi
}

answered() {
    display_server_alive "$probe_pid" "the window" "$work/probe.log" &&
        [ "$(grep -c '^end$' "$work/out")" -ge "$asked" ]
}

# Asks the probe for its state; leaves it in $work/state.
ask_state() {
    asked=$((asked + 1))
    echo state >&4
    await 20 "the window to answer \"state\"" answered || exit 1
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

state_shows() { # <command...>: asks for the state, then runs the command on it
    ask_state
    "$@"
}

# Asks for the state until the command holds on it; a failure that says what was awaited
# otherwise. The checks that follow then show what the state was.
await_state() { # <what> <command...>
    what=$1
    shift
    if ! await 20 "$what" state_shows "$@"; then
        failures=$((failures + 1))
        echo "  the window's last state:" $(grep -E '^(active|client|frame|area) ' "$work/state")
    fi
}

value_is() { # <expected> <key> [name]
    expected=$1
    shift
    [ "$(value "$@")" = "$expected" ]
}

framed() {
    set -- $(value frame) $(value client)
    [ "$4" -gt "$8" ]
}

centre() { # <x> <y> <width> <height>
    echo "$(($1 + $3 / 2)) $(($2 + $4 / 2))"
}

centred() {
    [ "$(centre $(value frame))" = "$(centre $(value area))" ]
}

frame_at_area_corner() {
    [ "$(value frame | cut -d' ' -f1,2)" = "$(value area | cut -d' ' -f1,2)" ]
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

results_shown() {
    [ "$(values)" != "$zeros" ]
}

# Presses Go (Enter in the focused frequency field) and awaits the results.
go_with_results() { # <what>
    xdotool key Return
    await_state "results after Go ($1)" results_shown
}

# Awaits the frame that openbox puts around the window, known to the window.
await_frame() {
    await_state "openbox's frame to reach the window" framed
}

# 1. Breeze Dark from a kdeglobals, a centred frame, typed and composed characters, clicks.
start_display 1280x1024
mkdir -p "$work/home/.config"
cp "$top/tests/ui/desktop/breeze_dark.kdeglobals" "$work/home/.config/kdeglobals"
start_probe HOME="$work/home" XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=5
xdotool windowactivate "$window" >/dev/null 2>&1 || true
await_state "the window to have the keyboard focus" value_is 1 active
await_frame
# The window centres itself again once its frame is known.
await_state "the framed window to be centred on 1280 x 1024" centred
expect "framed window centred on 1280 x 1024" "$(centre $(value frame))" "$(centre $(value area))"
# DESKTOP_CHECK_GRAB=<folder>: a picture of the screen, the frame's buttons included.
if [ -n "${DESKTOP_CHECK_GRAB:-}" ]; then
    echo "grab $DESKTOP_CHECK_GRAB/desktop-breeze-dark.png" >&4
fi
dark=$(value window-luminance | awk '{ print ($1 < 0.1) ? "dark" : "light" }')
expect "Breeze Dark is the window's scheme" "$dark" dark
check_contrast "Breeze Dark, results shown"

# Each key sequence below ends in a state that shows it has been handled: the characters the
# input method committed, or the field's text.
go_with_results "dead acute e"
xdotool key End dead_acute e
await_state "dead acute e to be committed" value_is 1 committed
expect "dead acute e: one character committed by the input method" "$(value committed)" 1
expect "dead acute e: Edit1 keeps its text" "$(value text Edit1)" 100
expect "dead acute e: Edit1's key-press handler reset the values" "$(values)" "$zeros"

go_with_results "compose 1 2"
xdotool key End Multi_key 1 2
await_state "compose 1 2 to be committed" value_is 2 committed
expect "compose 1 2: one more character committed" "$(value committed)" 2
expect "compose 1 2: Edit1 keeps its text" "$(value text Edit1)" 100
expect "compose 1 2: the values were reset" "$(values)" "$zeros"

go_with_results "Backspace, then dead acute e"
xdotool key End BackSpace dead_acute e
await_state "Backspace, then dead acute e to be committed" value_is 3 committed
expect "Backspace, then dead acute e: committed by the input method" "$(value committed)" 3
expect "Backspace, then dead acute e: only the Backspace edited" "$(value text Edit1)" 10
expect "Backspace, then dead acute e: the values were reset" "$(values)" "$zeros"

xdotool key End 5
await_state "the typed 5 in Edit1" value_is 105 text Edit1
expect "typed digit still enters" "$(value text Edit1)" 105

# A corrected, yellow field under the dark scheme: 0,5 Hz.
xdotool key Home shift+End 0 period 5 Return
await_state "Edit1 to turn yellow after Go with 0,5 Hz" value_is 1 highlighted Edit1
expect "0,5 Hz: Edit1 corrected" "$(value text Edit1)" 1
expect "0,5 Hz: Edit1 yellow" "$(value highlighted Edit1)" 1
check_contrast "Breeze Dark, range error"

# Unit buttons: clicks inside the rectangle, off the circle and the text.
set -- $(value client)
xdotool mousemove "$(( $1 + 360 + 72 ))" "$(( $2 + 136 + 16 ))" click 1
xdotool mousemove "$(( $1 + 440 + 120 + 45 ))" "$(( $2 + 32 + 192 + 8 ))" click 1
await_state "uF to be selected by the second click" value_is 1 checked RadioButton4
expect "kHz selected by a click at its rectangle's corner" "$(value checked RadioButton2)" 1
expect "uF selected by a click right of its text" "$(value checked RadioButton4)" 1
stop_probe
stop_display

# 2. Screens the framed window does not fit: its top-left at the available area's top-left.
for screen in "640x480 1" "1280x1024 2" "1280x1024 1.75"; do
    set -- $screen
    start_display "$1"
    start_probe QT_SCALE_FACTOR="$2"
    await_frame
    # The window places itself again once its frame is known.
    await_state "the frame at the area's top-left on $1 at scale $2" frame_at_area_corner
    expect "$1 screen at scale $2: frame at the area's top-left" \
        "$(value frame | cut -d' ' -f1,2)" "$(value area | cut -d' ' -f1,2)"
    stop_probe
    stop_display
done

# 3. The program itself: the class a dock matches with the desktop entry.
program_class() {
    class=$(xprop -id "$program_window" WM_CLASS 2>/dev/null | sed -n 's/.*, "\(.*\)"$/\1/p')
    [ -n "$class" ]
}

if [ -z "$program" ]; then
    fail "no program given: its window properties were not checked"
else
    start_display 1280x1024
    QT_QPA_PLATFORM=xcb "$program" >/dev/null 2>"$work/program.log" &
    program_pid=$!
    pids="$pids $program_pid"
    program_window=$(timeout 40 xdotool search --sync --onlyvisible --pid "$program_pid" | head -1)
    if [ -z "$program_window" ]; then
        fail "waited 40 s for the program's window to be shown"
        cat "$work/program.log"
    elif await 10 "the program's window to have a WM_CLASS" program_class; then
        entry_class=$(sed -n 's/^StartupWMClass=//p' "$top/packaging/org.butterworth3.Butterworth3.desktop")
        expect "WM_CLASS class is the desktop entry's StartupWMClass" "$class" "$entry_class"
    else
        failures=$((failures + 1))
    fi
    kill "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
    stop_display
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures checks failed"
    exit 1
fi
echo "all desktop checks passed"
