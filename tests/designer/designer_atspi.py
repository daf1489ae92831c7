#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The butterworth3 developers
# SPDX-License-Identifier: MIT
"""The designer window as a screen reader sees it, over AT-SPI from outside the program.

Starts the designer, once as a low-pass and once as a high-pass design, finds each control a
user names by its label, and checks that its own name or the label it is labelled by reads as
that label (a combo box is named by its current item; its label carries the field's name).

Usage: designer_atspi.py PROGRAM   (within a session bus and an X display, with the
accessibility bus on; tools/a11y_check.sh PROGRAM THIS-SCRIPT sets them up). Exit code 0: all
checks passed; 1: a check failed.
"""

import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "ui",
                                "accessibility"))
import atspi_tree  # noqa: E402  (the calculator's reading of the bus, shared)
from atspi_tree import check, descendants, find_application, pyatspi  # noqa: E402

APPLICATION = "butterworth3-designer"


def labelled_by(node):
    names = []
    for relation in node.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            names += [relation.getTarget(i).name for i in range(relation.getNTargets())]
    return names


def named(nodes, role, name):
    """The controls of `role` whose name is `name` or that a label of that name labels."""
    return [node for node in nodes
            if node.getRole() == role and (node.name == name or name in labelled_by(node))]


def check_names(program, arguments, expected):
    """Runs the designer with `arguments` and checks each (role, name) of `expected`."""
    with tempfile.TemporaryDirectory() as settings:
        # The last design is kept in a scratch folder, not the user's settings.
        process = subprocess.Popen([program, *arguments],
                                   env=dict(os.environ, XDG_CONFIG_HOME=settings))
        try:
            app = find_application(APPLICATION, process)
            if not check(app is not None,
                         f'"{APPLICATION} {" ".join(arguments)}" is on the accessibility bus'):
                return
            nodes = list(descendants(app))
            for role, name in expected:
                found = named(nodes, role, name)
                check(len(found) == 1,
                      f'one {role} named "{name}" by itself or its '
                      f'label (found {len(found)})')
        finally:
            process.terminate()
            process.wait(timeout=atspi_tree.DEADLINE)


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    program = sys.argv[1]
    shared = [(pyatspi.ROLE_COMBO_BOX, "Circuit"), (pyatspi.ROLE_COMBO_BOX, "Response"),
              (pyatspi.ROLE_TEXT, "Frequency"), (pyatspi.ROLE_COMBO_BOX, "Series"),
              (pyatspi.ROLE_TABLE, "Parts"), (pyatspi.ROLE_PUSH_BUTTON, "Copy command line")]
    check_names(program, ["lowpass", "100", "33k"], shared + [(pyatspi.ROLE_TEXT, "Resistance")])
    check_names(program, ["highpass", "100", "10n"], shared + [(pyatspi.ROLE_TEXT, "Capacitance")])
    failures = atspi_tree.failures
    print(f"{'FAILED' if failures else 'passed'}: {len(failures)} failed checks")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
