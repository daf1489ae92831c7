#!/bin/sh
# SPDX-FileCopyrightText: 2026 The butterworth3 developers
# SPDX-License-Identifier: MIT
# Lints the licence information of the files git tracks, in a copy of them: a file beside
# the sources that is not the project's (a build log, a note) does not fail the check, and
# the check does not stop what runs after it. Outside a git work tree (a source archive),
# every file is linted where it is.
# Usage: tools/reuse_lint_tracked.sh REUSE SOURCE_DIR
set -eu
reuse=$1
root=$2
if ! git -C "$root" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    exec "$reuse" --root "$root" lint
fi
copy=$(mktemp -d)
trap 'rm -rf "$copy"' EXIT
# A tracked file deleted in the work tree is not there to lint: tar passes over it.
git -C "$root" ls-files -z |
    (cd "$root" && tar --null --files-from=- --ignore-failed-read -cf -) |
    tar -C "$copy" -xf -
"$reuse" --root "$copy" lint
