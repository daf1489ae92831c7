#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The butterworth3 developers
# SPDX-License-Identifier: MIT
# Builds the Debian package twice from the same source, in two build folders at two
# different times, with SOURCE_DATE_EPOCH from the last commit, and checks that both
# packages are the same bytes; diffoscope explains a difference.
# Usage: check_reproducible.sh SOURCE_DIR WORK_DIR
set -euo pipefail
source=$1 work=$2
rm -rf "$work" && mkdir -p "$work"
SOURCE_DATE_EPOCH=$(git -C "$source" log -1 --format=%ct)
export SOURCE_DATE_EPOCH

build() {
  local dir=$work/$1
  cmake -S "$source" -B "$dir/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DBUTTERWORTH3_TESTS=OFF >"$dir.log" 2>&1
  cmake --build "$dir/build" >>"$dir.log" 2>&1
  cpack --config "$dir/build/CPackConfig.cmake" -G DEB -B "$dir/package" >>"$dir.log" 2>&1
  ls "$dir"/package/butterworth3_*.deb
}
first=$(build first) || { cat "$work/first.log"; exit 1; }
sleep 1
second=$(build other-folder) || { cat "$work/other-folder.log"; exit 1; }
if cmp -s "$first" "$second"; then
  echo "same bytes: $(sha256sum "$first" | cut -d' ' -f1) ($(stat -c %s "$first") bytes)"
  exit 0
fi
echo "the two packages differ:"
timeout 600 diffoscope --text - "$first" "$second" | head -200 || true
exit 1
