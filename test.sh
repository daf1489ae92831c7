#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The butterworth3 developers
# SPDX-License-Identifier: MIT
# Builds and runs the tests; the README says what each run installs, changes and takes.
#
# Usage: ./test.sh [--everywhere] [--no-install]
#   (nothing)     installs what native testing needs (Debian packages; vnu-jar into
#                 build-tools/; the page's npm packages into web/node_modules), checks the
#                 code style, then builds the CMake presets "release" and "sanitize" and runs
#                 every native test in each
#   --everywhere  all of that, then the window tests under Valgrind's memcheck, the
#                 calculator's page in Chromium (preset "web") and the other processors
#                 (tools/cross_check.sh); installs for them the cross compilers, qemu-user and
#                 Debian's arm64 Qt, adding dpkg's arm64 architecture
#   --no-install  installs nothing, for those who manage their packages themselves
# A step runs even when one before it failed, unless it needs what failed; the run ends with
# each step's time and result, and fails when any step failed.
set -uo pipefail
cd "$(dirname "$0")"

everywhere=false
install=true
for argument in "$@"; do
  case $argument in
  --everywhere) everywhere=true ;;
  --no-install) install=false ;;
  -h | --help) sed -n '4,15s/^# \{0,1\}//p' "$0" && exit 0 ;;
  *) echo "test.sh: unknown argument '$argument' (--everywhere, --no-install, --help)" >&2 && exit 2 ;;
  esac
done
jobs=$(nproc)

summary=()
failed=()
started=$SECONDS
minutes() { printf '%d:%02d' $(($1 / 60)) $(($1 % 60)); }

# Runs one step in a shell of its own that stops at its first failing command.
step() { # <name> <command...>
  local name=$1 began=$SECONDS status=0
  shift
  echo "== $name =="
  (set -e && "$@") || status=$?
  local result=passed
  if ((status != 0)); then
    result="FAILED (exit $status)"
    failed+=("$name")
  fi
  summary+=("$(printf '%-30s %7s  %s' "$name" "$(minutes $((SECONDS - began)))" "$result")")
  return $status
}
skip() { # <name> <why>
  summary+=("$(printf '%-30s %7s  skipped: %s' "$1" - "$2")")
}

install_packages() {
  tools/install-deps.sh test
  if $everywhere; then tools/install-deps.sh cross; fi
}
code_style() { git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format-14 --dry-run --Werror; }
build() { # <preset>
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1" --parallel "$jobs"
}
# The calculator's page, from the release build's window definition, against its companion.
web_page() {
  cmake --preset web -DBUTTERWORTH3_NATIVE_BUILD="$PWD/build-test-release" >/dev/null
  cmake --build --preset web --parallel "$jobs"
  run_tests web
}
# What failed, kept for the end of the run: a log's last lines are often all one sees of it.
failures=$(mktemp)
trap 'rm -f "$failures"' EXIT
run_tests() { # <preset>
  local log status=0
  log=$(mktemp)
  ctest --preset "$1" --parallel "$jobs" 2>&1 | tee "$log" || status=$?
  if ((status != 0)); then
    {
      echo "== $1 tests: what failed =="
      sed -n '/^The following tests FAILED:/,$p' "$log" | head -n 30
      grep -a -E -A30 '\*\*\*(Failed|Timeout|Exception)|\*\*\*Not Run|Subprocess aborted' "$log" |
        head -n 120
      echo "(ctest's last lines)" && tail -n 8 "$log"
    } >>"$failures"
  fi
  rm -f "$log"
  return $status
}

if $install && ! step "install" install_packages; then
  echo "test.sh: the packages could not be installed; nothing was built" >&2
  exit 1
fi
step "code style" code_style
for preset in release sanitize; do
  if step "$preset build" build "$preset"; then
    step "$preset tests" run_tests "$preset"
  else
    skip "$preset tests" "the build failed"
  fi
done
if $everywhere; then
  if [[ " ${failed[*]} " == *" release build "* ]]; then
    skip "memcheck of the window tests" "the release build failed"
    skip "web page" "the release build failed"
    skip "other processors" "the release build failed"
  else
    step "memcheck of the window tests" tools/valgrind_ui.sh build-test-release
    step "web page" web_page
    step "other processors" env CROSS_NATIVE=build-test-release tools/cross_check.sh
  fi
fi

cat "$failures"
echo "== summary =="
printf '%s\n' "${summary[@]}"
echo "test.sh: $(minutes $((SECONDS - started))) in all"
if ((${#failed[@]})); then
  echo "test.sh: failed: $(printf '%s, ' "${failed[@]}" | sed 's/, $//')" >&2
  exit 1
fi
