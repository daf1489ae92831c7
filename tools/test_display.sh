# SPDX-FileCopyrightText: 2026 The butterworth3 developers
# SPDX-License-Identifier: MIT
# Displays for the checks that need a real one, sourced by them (POSIX sh):
#
#   . "$top/tools/test_display.sh"
#   need_tools TOOL...            fails (exit 1) naming the first tool that is missing
#   in_session_bus "$0" "$@"      runs the calling script again inside a private session bus,
#                                 once; the bus ends with the script
#   run_in_session_bus COMMAND... runs COMMAND in a private session bus that ends with it;
#                                 what the bus starts (the accessibility bus) sees this
#                                 environment, the display included
#   start_x_display WxH [Xvfb option...]
#                                 a virtual X server on a free display; exports DISPLAY
#   start_window_manager          openbox on $DISPLAY, back once it manages windows
#   start_wayland_display WxH [weston option...]
#                                 weston's headless compositor with its screenshot interface
#                                 (--debug) on a private runtime folder; exports
#                                 WAYLAND_DISPLAY and XDG_RUNTIME_DIR. --scale=2 doubles the
#                                 output's pixels.
#   stop_displays                 ends every server started here and waits for it
#   await SECONDS WHAT COMMAND... runs COMMAND every tenth of a second until it succeeds; after
#                                 SECONDS prints "FAIL: waited SECONDS s for WHAT" and
#                                 returns 1
#   display_work                  a scratch folder, removed by display_cleanup
#   display_cleanup               stop_displays and remove display_work: the caller's EXIT trap
#   fail WHAT...                  prints "FAIL: WHAT" and counts it in $failures
#   expect WHAT ACTUAL EXPECTED   prints "ok: WHAT", or fails showing both
#   last_request NAME LOG         the arguments of the window's last xdg_toplevel request NAME
#                                 in a WAYLAND_DEBUG log, e.g. "738, 367"
#
# Every wait is bounded; a server that ends early is reported with its log.

need_tools() {
    for tool in "$@"; do
        command -v "$tool" >/dev/null 2>&1 ||
            { echo "FAIL: $tool is missing (tools/install-deps.sh test installs it)"; exit 1; }
    done
}

in_session_bus() {
    if [ -z "${TEST_DISPLAY_BUS:-}" ]; then
        need_tools dbus-run-session
        rm -rf "$display_work"
        TEST_DISPLAY_BUS=1 exec dbus-run-session -- sh "$@"
    fi
}

run_in_session_bus() {
    need_tools dbus-run-session
    dbus-run-session -- "$@"
}

display_work=$(mktemp -d)
display_pids=

await() {
    # local (dash, bash, busybox): the command may itself await.
    local seconds limit what
    seconds=$1
    limit=$(($(date +%s) + $1))
    what=$2
    shift 2
    until "$@"; do
        if [ "$(date +%s)" -ge "$limit" ]; then
            echo "FAIL: waited $seconds s for $what"
            return 1
        fi
        sleep 0.1
    done
}

# Fails when the server with the given pid has ended, showing its log.
display_server_alive() { # <pid> <name> <log>
    kill -0 "$1" 2>/dev/null && return 0
    echo "FAIL: $2 ended early:"
    cat "$3"
    exit 1
}

x_display_known() {
    display_server_alive "$1" Xvfb "$display_work/xvfb.log" && [ -s "$display_work/display" ]
}

start_x_display() { # <width>x<height> [Xvfb option...]
    need_tools Xvfb
    size=$1
    shift
    rm -f "$display_work/display"
    # Xvfb picks a free number and writes it once it accepts clients. No reset when the last
    # client leaves: a client connecting during the reset would be refused.
    Xvfb -displayfd 3 -nolisten tcp -noreset "$@" -screen 0 "${size}x24" \
        3>"$display_work/display" 2>"$display_work/xvfb.log" &
    display_pids="$display_pids $!"
    await 10 "Xvfb to accept clients" x_display_known "$!" || exit 1
    DISPLAY=":$(cat "$display_work/display")"
    export DISPLAY
}

window_manager_running() {
    display_server_alive "$1" openbox "$display_work/openbox.log" &&
        [ -e "$display_work/openbox.started" ]
}

# openbox names itself on the root window early in its start, before it handles the windows
# that are already there; --startup runs once it has.
start_window_manager() {
    need_tools openbox
    rm -f "$display_work/openbox.started"
    openbox --sm-disable --startup "touch $display_work/openbox.started" \
        >"$display_work/openbox.log" 2>&1 &
    display_pids="$display_pids $!"
    await 10 "openbox to manage the display" window_manager_running "$!" || exit 1
}

wayland_socket_ready() {
    display_server_alive "$1" weston "$display_work/weston.log" &&
        [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ]
}

start_wayland_display() { # <width>x<height> [weston option...]
    need_tools weston
    width=${1%x*}
    height=${1#*x}
    shift
    # Wayland sockets live in the runtime folder, which must belong to the user alone.
    XDG_RUNTIME_DIR="$display_work/runtime"
    WAYLAND_DISPLAY=wayland-test
    export XDG_RUNTIME_DIR WAYLAND_DISPLAY
    mkdir -p "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
    rm -f "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY"
    weston --backend=headless-backend.so --use-pixman --no-config --debug --idle-time=0 \
        --socket="$WAYLAND_DISPLAY" --width="$width" --height="$height" "$@" \
        >"$display_work/weston.log" 2>&1 &
    display_pids="$display_pids $!"
    await 10 "weston's socket" wayland_socket_ready "$!" || exit 1
}

stop_displays() {
    for pid in $display_pids; do kill "$pid" 2>/dev/null || true; done
    for pid in $display_pids; do wait "$pid" 2>/dev/null || true; done
    display_pids=
}

display_cleanup() {
    stop_displays
    rm -rf "$display_work"
}

failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

expect() { # <what> <actual> <expected>
    if [ "$2" = "$3" ]; then echo "ok: $1"; else fail "$1: got '$2', expected '$3'"; fi
}

last_request() { # <name> <log>
    sed -n "s/.*xdg_toplevel@[0-9]*\.$1(\(.*\))$/\1/p" "$2" | tail -n 1
}
