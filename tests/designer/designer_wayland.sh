#!/bin/sh
# SPDX-FileCopyrightText: 2026 The butterworth3 developers
# SPDX-License-Identifier: MIT
# The designer under a Wayland compositor, as in a GNOME or KDE Wayland session: weston's
# headless backend, Qt's Wayland plugin. Checks that the program starts and paints there and
# asks for its desktop entry's id as app id (what docks and task bars match), then runs
# tst_designer_wayland there: resized, maximised, a change recomputed. Its last design is kept
# in a scratch folder. Fails, naming it, when a tool is missing.
# Usage: designer_wayland.sh <butterworth3-designer> <tst_designer_wayland> <desktop entry id>
set -eu
usage="usage: designer_wayland.sh <butterworth3-designer> <tst_designer_wayland> <entry id>"
top=$(cd "$(dirname "$0")/../.." && pwd)
program=${1:?$usage}
window_test=${2:?$usage}
entry_id=${3:?$usage}
. "$top/tools/test_display.sh"
need_tools weston timeout
in_session_bus "$0" "$@"
trap display_cleanup EXIT
trap 'exit 1' INT TERM HUP
work=$display_work

unset DISPLAY QT_SCALE_FACTOR
HOME="$work/home" XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=wayland
export HOME XDG_CONFIG_HOME QT_QPA_PLATFORM
start_wayland_display 1280x1024

status=0
WAYLAND_DEBUG=1 BUTTERWORTH3_FIRST_FRAME=1 timeout -k 5 30 "$program" \
    >"$work/program.out" 2>"$work/protocol.log" || status=$?
expect "the designer painted its first frame and ended" \
    "$status $(grep -c '^first-frame [0-9]*$' "$work/program.out")" "0 1"
expect "app id is the desktop entry's id" "$(last_request set_app_id "$work/protocol.log")" \
    "\"$entry_id\""

if timeout -k 5 60 "$window_test" >"$work/test.log" 2>&1; then
    echo "ok: in process: $(grep '^Totals' "$work/test.log")"
else
    fail "in process: the window test failed:"
    grep -v '^PASS\|^QDEBUG\|^Config\|^\*\*\*' "$work/test.log"
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures checks failed"
    exit 1
fi
echo "all Wayland checks of the designer passed"
