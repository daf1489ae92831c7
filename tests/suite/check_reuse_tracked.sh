#!/bin/sh
# SPDX-FileCopyrightText: 2026 The butterworth3 developers
# SPDX-License-Identifier: MIT
# tools/reuse_lint_tracked.sh on a scratch tree: a file without licence information fails
# the lint when git tracks it or when the tree is no git work tree, and passes when it
# merely lies beside the tracked files.
# Usage: check_reuse_tracked.sh REUSE SOURCE_DIR
set -eu
reuse=$1
root=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0

# A tree of one licensed file, plus a note that says nothing of its licence.
make_tree() { # <folder> <git|plain>
    mkdir -p "$1/LICENSES"
    cp "$root/LICENSES/MIT.txt" "$1/LICENSES/"
    # The tags written in two parts, so that this script's own lint does not read them.
    printf '# SPDX-%s: 2026 Someone\n# SPDX-%s: MIT\n' FileCopyrightText License-Identifier \
        >"$1/tracked.sh"
    echo 'a note' >"$1/note.txt"
    if [ "$2" = git ]; then
        git -C "$1" init -q
        git -C "$1" add LICENSES tracked.sh
    fi
}

check() { # <folder> <expected: pass|fail> <what>
    if "$root/tools/reuse_lint_tracked.sh" "$reuse" "$1" >"$scratch/out" 2>&1; then got=pass; else got=fail; fi
    if [ "$got" = "$2" ]; then
        echo "ok: $3: $got"
    else
        echo "FAIL: $3: expected the lint to $2, it did $got:"
        cat "$scratch/out"
        failures=$((failures + 1))
    fi
}

make_tree "$scratch/untracked" git
check "$scratch/untracked" pass "a note git does not track"
make_tree "$scratch/tracked" git
git -C "$scratch/tracked" add note.txt
check "$scratch/tracked" fail "a note git tracks"
rm "$scratch/tracked/note.txt"
check "$scratch/tracked" pass "a tracked note deleted from the work tree"
make_tree "$scratch/plain" plain
check "$scratch/plain" fail "a note in a tree outside git"
[ "$failures" -eq 0 ]
