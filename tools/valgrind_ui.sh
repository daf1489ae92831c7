#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The butterworth3 developers
# SPDX-License-Identifier: MIT
# Runs the window tests (ctest label "ui") under Valgrind's memcheck on the headless
# platform, and fails when memcheck reports an error, or a leak it is sure of, that the
# suppressions in tests/ui/abuse/qt.supp do not cover; those cover Qt, fontconfig and glib
# only. The random-event test runs a shorter sequence (BUTTERWORTH3_RANDOM_EVENTS, 1500 by
# default here). Each test's memcheck log is left in <build>/valgrind-ui/.
#
# Usage: tools/valgrind_ui.sh [build-folder]   (default: build-test-release, a build
# without sanitizers)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build-test-release}" && pwd)
suppressions=$root/tests/ui/abuse/qt.supp
logs=$build/valgrind-ui

command -v valgrind >/dev/null || { echo "valgrind is not installed" >&2; exit 2; }
rm -rf "$logs"
mkdir -p "$logs"
export QT_QPA_PLATFORM=offscreen
export BUTTERWORTH3_RANDOM_EVENTS=${BUTTERWORTH3_RANDOM_EVENTS:-1500}

# Each test as ctest knows it, one a line: name, environment, "--", command line, the fields
# separated by the ASCII unit separator.
list_tests() {
  # Without the fixtures' set-up tests (the comma locale's definition is built by localedef):
  # the tests' own results from the build's test run are there already.
  ctest --test-dir "$build" -L '^ui$' -FA '.*' --show-only=json-v1 | python3 -c '
import json, sys
for test in json.load(sys.stdin)["tests"]:
    environment = []
    for prop in test.get("properties", []):
        if prop["name"] == "ENVIRONMENT":
            environment = prop["value"]
    sys.stdout.write("\x1f".join([test["name"], *environment, "--", *test["command"]]) + "\n")
'
}

failed=()
ran=0
start=$SECONDS
while IFS=$'\x1f' read -r -a fields; do
  name=${fields[0]}
  environment=()
  i=1
  while [[ ${fields[i]} != -- ]]; do
    environment+=("${fields[i]}")
    i=$((i + 1))
  done
  command=("${fields[@]:i+1}")
  began=$SECONDS
  status=0
  # Children that the tests start through the shell are followed; the shell's own tools
  # are not.
  # A forked child that fails to start its program (a test hands the designer an opener that
  # does not exist) ends holding a copy of the parent's heap: that is the parent's to report.
  # Fair scheduling: a worker thread (the designer's tolerance samples) does not starve the
  # test's own thread, so that what it awaits arrives in the order it would without memcheck.
  env "${environment[@]}" timeout 900 valgrind --tool=memcheck --error-exitcode=1 --fair-sched=yes \
    --child-silent-after-fork=yes \
    --leak-check=full --errors-for-leak-kinds=definite --num-callers=40 \
    --suppressions="$suppressions" --gen-suppressions=all \
    --trace-children=yes --trace-children-skip='/bin/*,/usr/bin/*' \
    --log-file="$logs/$name.%p.log" "${command[@]}" >"$logs/$name.out" 2>&1 || status=$?
  # None when every process of the test went on into a program memcheck does not follow.
  errors=$({ grep -h 'ERROR SUMMARY' "$logs/$name".*.log 2>/dev/null || true; } |
    sed 's/^==[0-9]*== //' | sort -u | tr '\n' ' ')
  printf '%-34s %4ds  exit %d  %s\n' "$name" $((SECONDS - began)) "$status" "$errors"
  ran=$((ran + 1))
  if ((status != 0)); then
    failed+=("$name")
  fi
done < <(list_tests)

echo "memcheck of the window tests: $((SECONDS - start)) s, logs in $logs"
echo "memcheck: $((ran - ${#failed[@]})) passed, ${#failed[@]} failed"
if ((ran == 0)); then
  echo "no window tests found in $build" >&2
  exit 1
fi
if ((${#failed[@]})); then
  echo "failed: ${failed[*]} (a failing test, or memcheck errors: see the logs)" >&2
  exit 1
fi
