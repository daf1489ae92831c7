#!/bin/sh
# SPDX-FileCopyrightText: 2026 The butterworth3 developers
# SPDX-License-Identifier: MIT
# Checks what the Orca screen reader says about the window: installs what it needs if it is
# missing (tools/install-deps.sh test), starts a virtual X display, then runs
# tests/ui/accessibility/orca_speech.py in a private session bus with a scratch home and XDG
# folders, so that neither the user's settings nor another session are touched. Fails, never
# skips, when a tool cannot be had or Orca does not start. Leaves no process behind.
# Usage: tools/orca_check.sh [program]   (default: build-ui/app/butterworth3)
# ORCA_CHECK_LOG=FILE keeps Orca's debug log there.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
program=${1:-"$top/build-ui/app/butterworth3"}
python=/usr/bin/python3  # Orca's own interpreter, with the Debian Python packages

have_tools() {
    for tool in Xvfb dbus-run-session orca speech-dispatcher espeak-ng openbox xdotool pgrep; do
        command -v "$tool" >/dev/null 2>&1 || return 1
    done
    [ -x /usr/lib/speech-dispatcher-modules/sd_espeak-ng ]
}
if ! have_tools; then
    "$top/tools/install-deps.sh" test || true
fi
if ! have_tools; then
    echo "FAILED: Orca, speech-dispatcher, espeak-ng, openbox, xdotool or Xvfb is missing and could not be installed"
    exit 1
fi
if [ ! -x "$program" ]; then
    echo "FAILED: no program at $program"
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
# key repeat: on a busy machine a key that xdotool holds a little long would repeat (a second
# Enter closes the error box before Orca reads it).
Xvfb -displayfd 3 -nolisten tcp -noreset -r -ardelay 30000 -arinterval 30000 \
    -screen 0 1024x768x24 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
tries=0
until [ -s "$work/display" ]; do
    tries=$((tries + 1))
    if [ "$tries" -gt 100 ] || ! kill -0 "$xvfb" 2>/dev/null; then
        echo "FAILED: Xvfb did not start:"
        cat "$work/xvfb.log"
        exit 1
    fi
    sleep 0.1
done

mkdir -p "$work/home" "$work/config" "$work/data" "$work/cache" "$work/runtime" "$work/run"
chmod 700 "$work/runtime"
status=0
env -u DBUS_SESSION_BUS_ADDRESS -u AT_SPI_BUS_ADDRESS -u SPEECHD_ADDRESS -u QT_QPA_PLATFORM \
    DISPLAY=":$(cat "$work/display")" HOME="$work/home" XDG_CONFIG_HOME="$work/config" \
    XDG_DATA_HOME="$work/data" XDG_CACHE_HOME="$work/cache" XDG_RUNTIME_DIR="$work/runtime" \
    GSETTINGS_BACKEND=memory LANG=C.UTF-8 \
    timeout -k 5 120 dbus-run-session -- "$python" "$top/tests/ui/accessibility/orca_speech.py" \
    "$program" "$work/run" 2>"$work/stderr" || status=$?
if [ "$status" -ne 0 ]; then
    echo "--- standard error"
    tail -n 40 "$work/stderr"
    echo "--- Orca's last utterances"
    grep -a "SPEECH OUTPUT" "$work/run/orca-debug.log" 2>/dev/null | tail -n 30 || true
fi
# ORCA_CHECK_LOG=FILE keeps Orca's whole debug log, e.g. to read the transcript.
if [ -n "${ORCA_CHECK_LOG:-}" ]; then
    cp "$work/run/orca-debug.log" "$ORCA_CHECK_LOG" 2>/dev/null || true
fi
exit "$status"
