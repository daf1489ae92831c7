# SPDX-FileCopyrightText: 2026 The butterworth3 developers
# SPDX-License-Identifier: MIT
# Cross build for aarch64 Linux with Debian's cross compiler (g++-aarch64-linux-gnu); the programs
# built run under qemu-user (aarch64) with the target's libraries from /usr/aarch64-linux-gnu.
set(BUTTERWORTH3_TARGET_TRIPLET aarch64-linux-gnu)
set(BUTTERWORTH3_QEMU qemu-aarch64)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
