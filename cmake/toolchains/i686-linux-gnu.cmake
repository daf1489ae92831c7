# SPDX-FileCopyrightText: 2026 The butterworth3 developers
# SPDX-License-Identifier: MIT
# Cross build for i686 Linux with Debian's cross compiler (g++-i686-linux-gnu); the programs
# built run under qemu-user (i386) with the target's libraries from /usr/i686-linux-gnu.
set(BUTTERWORTH3_TARGET_TRIPLET i686-linux-gnu)
set(BUTTERWORTH3_QEMU qemu-i386)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
