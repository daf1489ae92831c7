# SPDX-FileCopyrightText: 2026 The butterworth3 developers
# SPDX-License-Identifier: MIT
# What every Debian cross toolchain file shares: the compilers named by the triplet, the
# target's libraries found in its multiarch folders only, and qemu-user (or for i686 the
# target's own loader) as the emulator that runs the built programs (tests, test
# discovery, programs run at build time).
set(CMAKE_SYSTEM_NAME Linux)
string(REGEX REPLACE "-.*" "" CMAKE_SYSTEM_PROCESSOR "${BUTTERWORTH3_TARGET_TRIPLET}")
set(CMAKE_C_COMPILER ${BUTTERWORTH3_TARGET_TRIPLET}-gcc)
set(CMAKE_CXX_COMPILER ${BUTTERWORTH3_TARGET_TRIPLET}-g++)
set(CMAKE_LIBRARY_ARCHITECTURE ${BUTTERWORTH3_TARGET_TRIPLET})

# Headers and libraries of the target only (/usr/lib/<triplet>, /usr/<triplet>); CMake
# package files also from /usr itself, where the architecture-free ones (nlohmann_json)
# and the multiarch ones (/usr/lib/<triplet>/cmake) live.
set(CMAKE_FIND_ROOT_PATH /usr/${BUTTERWORTH3_TARGET_TRIPLET} ${BUTTERWORTH3_EXTRA_ROOTS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

# The loader comes from the cross package's folder, and the C library must come from the
# same one: the multiarch C library that Qt's arm64 packages bring can be a later Debian
# revision, and a loader and a C library of two revisions hang in the first pthread_create.
set(cross_libraries /usr/${BUTTERWORTH3_TARGET_TRIPLET}/lib)
if(BUTTERWORTH3_LOADER)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${BUTTERWORTH3_LOADER} --library-path ${cross_libraries})
else()
  find_program(BUTTERWORTH3_QEMU_PATH ${BUTTERWORTH3_QEMU} REQUIRED)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${BUTTERWORTH3_QEMU_PATH} -L /usr/${BUTTERWORTH3_TARGET_TRIPLET}
      -E LD_LIBRARY_PATH=${cross_libraries})
endif()

# pkg-config reads the target's .pc files, not the build machine's.
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/${BUTTERWORTH3_TARGET_TRIPLET}/pkgconfig:/usr/share/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")
