#!/bin/sh
# SPDX-FileCopyrightText: 2026 The butterworth3 developers
# SPDX-License-Identifier: MIT
# The designer stands on the design library alone, never on the companion: no source of
# designer/ includes from cli/, and none of its targets links a library of the companion.
# Usage: check_no_companion.sh <designer folder> <target>=<its link libraries> ...
set -eu
folder=$1
shift
status=0
included=$(grep -rln '#include "cli/' "$folder" || true)
if [ -n "$included" ]; then
  echo "included from cli/ in: $included"
  status=1
fi
for target in "$@"; do
  name=${target%%=*}
  for library in $(echo "${target#*=}" | tr ',' ' '); do
    case $library in
    cli_lib | *butterworth3-cli*)
      echo "$name links $library"
      status=1
      ;;
    esac
  done
done
[ $status -eq 0 ] && echo "designer/: nothing of the companion's in $# targets"
exit $status
