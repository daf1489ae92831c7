# SPDX-FileCopyrightText: 2026 The butterworth3 developers
# SPDX-License-Identifier: MIT
# Cross build for riscv64 Linux with Debian's cross compiler (g++-riscv64-linux-gnu); the programs
# built run under qemu-user (riscv64) with the target's libraries from /usr/riscv64-linux-gnu.
set(BUTTERWORTH3_TARGET_TRIPLET riscv64-linux-gnu)
set(BUTTERWORTH3_QEMU qemu-riscv64)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
