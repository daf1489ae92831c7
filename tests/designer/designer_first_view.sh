#!/bin/sh
# SPDX-FileCopyrightText: 2026 The butterworth3 developers
# SPDX-License-Identifier: MIT
# The designer window's first view on real X servers with a window manager (Xvfb, openbox):
# tst_designer_first_view on a laptop's, a desktop's and a netbook's screen, in English and
# Russian, each with settings of its own. Fails, never skips, when a tool is missing.
# Usage: designer_first_view.sh <tst_designer_first_view> [folder for the screens' PNGs]
set -eu
top=$(cd "$(dirname "$0")/../.." && pwd)
test_program=$1
pictures=${2:-}
. "$top/tools/test_display.sh"
need_tools Xvfb openbox
in_session_bus "$0" "$@"
trap display_cleanup EXIT
trap 'exit 1' INT TERM HUP

for size in 1366x768 1920x1080 1024x600; do
    for language in en ru; do
        start_x_display "$size"
        start_window_manager
        home="$display_work/home-$size-$language"
        mkdir -p "$home"
        picture=
        [ -n "$pictures" ] && picture="$pictures/first-view-$size-$language.png"
        echo "== $size, $language"
        if ! env HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_CACHE_HOME="$home/cache" \
            QT_QPA_PLATFORM=xcb LANG=C.UTF-8 DESIGNER_LANGUAGE="$language" \
            DESIGNER_PICTURE="$picture" "$test_program"; then
            fail "the first view on $size in $language"
        fi
        stop_displays
    done
done
[ "$failures" -eq 0 ]
