#!/bin/sh
# SPDX-FileCopyrightText: 2026 The butterworth3 developers
# SPDX-License-Identifier: MIT
# Checks what the Orca screen reader says about the window: starts a virtual X display, then
# runs tests/ui/accessibility/orca_speech.py (or another program's script built on it) in a
# private session bus with a scratch home and XDG folders, so that neither the user's
# settings nor another session are touched. Fails, never skips, when a tool is missing
# (tools/install-deps.sh test installs them all) or Orca does not start. Leaves no process
# behind.
# Usage: tools/orca_check.sh [program [script]]
#        (defaults: build-ui/app/butterworth3, tests/ui/accessibility/orca_speech.py)
# ORCA_CHECK_LOG=FILE keeps Orca's debug log there.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
program=${1:-"$top/build-ui/app/butterworth3"}
script=${2:-"$top/tests/ui/accessibility/orca_speech.py"}
python=/usr/bin/python3  # Orca's own interpreter, with the Debian Python packages
. "$top/tools/test_display.sh"
trap display_cleanup EXIT
trap 'exit 1' INT TERM HUP

need_tools Xvfb dbus-run-session orca speech-dispatcher espeak-ng openbox xdotool pgrep "$python"
[ -x /usr/lib/speech-dispatcher-modules/sd_espeak-ng ] ||
    { echo "FAIL: speech-dispatcher's espeak-ng module is missing (speech-dispatcher-espeak-ng)"; exit 1; }
if [ ! -x "$program" ]; then
    echo "FAIL: no program at $program"
    exit 1
fi

# No key repeat: on a busy machine a key that xdotool holds a little long would repeat (a
# second Enter closes the error box before Orca reads it).
start_x_display 1024x768 -r -ardelay 30000 -arinterval 30000

work=$display_work
mkdir -p "$work/home" "$work/config" "$work/data" "$work/cache" "$work/runtime" "$work/run"
chmod 700 "$work/runtime"
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS SPEECHD_ADDRESS QT_QPA_PLATFORM
HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
XDG_CACHE_HOME="$work/cache" XDG_RUNTIME_DIR="$work/runtime" GSETTINGS_BACKEND=memory LANG=C.UTF-8
export HOME XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME XDG_RUNTIME_DIR GSETTINGS_BACKEND LANG
status=0
run_in_session_bus timeout -k 5 120 "$python" "$script" \
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
