#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The butterworth3 developers
# SPDX-License-Identifier: MIT
# Runs the window tests (ctest label "ui") under Valgrind's memcheck on the headless
# platform, and fails when memcheck reports an error, or a leak it is sure of, that the
# suppressions in tests/ui/abuse/qt.supp do not cover; those cover Qt, fontconfig and glib
# only. The random-event test runs a shorter sequence (BUTTERWORTH3_RANDOM_EVENTS, 1500 by
# default here). As many tests run at once as there are processors, those that lock a resource
# in turn. Each test's memcheck log is left in <build>/valgrind-ui/.
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

# Each test as ctest knows it, one a line: name, the resource it locks (or "-"), environment,
# "--", command line, the fields separated by the ASCII unit separator.
list_tests() {
  # Without the fixtures' set-up tests (the comma locale's definition is built by localedef):
  # the tests' own results from the build's test run are there already.
  ctest --test-dir "$build" -L '^ui$' -FA '.*' --show-only=json-v1 | python3 -c '
import json, sys
for test in json.load(sys.stdin)["tests"]:
    properties = {p["name"]: p["value"] for p in test.get("properties", [])}
    lock = "-".join(properties.get("RESOURCE_LOCK", [])) or "-"
    environment = properties.get("ENVIRONMENT", [])
    sys.stdout.write("\x1f".join([test["name"], lock, *environment, "--", *test["command"]]) + "\n")
'
}

# Runs one test under memcheck and leaves its line of results in $logs/<name>.result.
memcheck() { # <name> <lock> <environment...> -- <command...>
  local name=$1 lock=$2 began=$SECONDS status=0
  shift 2
  local environment=()
  while [[ $1 != -- ]]; do
    environment+=("$1")
    shift
  done
  shift
  # Tests that share a resource (the designer's settings file) take turns, as under ctest.
  local locking=()
  [[ $lock == - ]] || locking=(flock "$logs/.$lock.lock")
  # Children that the tests start through the shell are followed; the shell's own tools
  # are not.
  # A forked child that fails to start its program (a test hands the designer an opener that
  # does not exist) ends holding a copy of the parent's heap: that is the parent's to report.
  # Fair scheduling: a worker thread (the designer's tolerance samples) does not starve the
  # test's own thread, so that what it awaits arrives in the order it would without memcheck.
  "${locking[@]}" env "${environment[@]}" timeout 900 valgrind --tool=memcheck \
    --error-exitcode=1 --fair-sched=yes --child-silent-after-fork=yes \
    --leak-check=full --errors-for-leak-kinds=definite --num-callers=40 \
    --suppressions="$suppressions" --gen-suppressions=all \
    --trace-children=yes --trace-children-skip='/bin/*,/usr/bin/*' \
    --log-file="$logs/$name.%p.log" "$@" >"$logs/$name.out" 2>&1 || status=$?
  # None when every process of the test went on into a program memcheck does not follow.
  local errors
  errors=$({ grep -h 'ERROR SUMMARY' "$logs/$name".*.log 2>/dev/null || true; } |
    sed 's/^==[0-9]*== //' | sort -u | tr '\n' ' ')
  printf '%-34s %4ds  exit %d  %s\n' "$name" $((SECONDS - began)) "$status" "$errors" |
    tee "$logs/$name.result"
}

# Memcheck runs a program's threads one at a time: as many tests at once as processors.
parallel=$(nproc)
start=$SECONDS
while IFS=$'\x1f' read -r -a fields; do
  while (($(jobs -rp | wc -l) >= parallel)); do wait -n || true; done
  memcheck "${fields[@]}" &
done < <(list_tests)
wait

failed=()
ran=0
for result in "$logs"/*.result; do
  [[ -e $result ]] || continue
  ran=$((ran + 1))
  read -r name _ _ status _ <"$result"
  ((status == 0)) || failed+=("$name")
done

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
