# SPDX-FileCopyrightText: 2026 The butterworth3 developers
# SPDX-License-Identifier: MIT
# Cross build for i686 Linux with Debian's cross compiler (g++-i686-linux-gnu). An x86-64
# kernel runs the programs built itself, on the processor's own x87, started by the cross
# package's loader with its libraries from /usr/i686-linux-gnu (no emulator).
set(BUTTERWORTH3_TARGET_TRIPLET i686-linux-gnu)
set(BUTTERWORTH3_LOADER /usr/i686-linux-gnu/lib/ld-linux.so.2)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
