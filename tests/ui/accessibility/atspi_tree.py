#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The butterworth3 developers
# SPDX-License-Identifier: MIT
"""The window as a screen reader sees it, read over AT-SPI from outside the program.

Starts the program, finds its window on the accessibility bus, prints the tree (role, name,
description), checks what a user of a screen reader depends on, then drives the window through
AT-SPI alone: Go with the defaults (a value label's name must become the new value, with a
name-change event), a malformed frequency (the input-error banner must be announced), values
that are impractical to build (one announcement must read the results, none of the six markers
may be announced on its own), and Exit.

Usage: atspi_tree.py PROGRAM   (within a session bus and an X display; tools/a11y_check.sh
sets them up). Exit code 0: all checks passed; 1: a check failed; 77: pyatspi is missing.
"""

import os
import subprocess
import sys
import time

try:
    import pyatspi
    from gi.repository import GLib
except ImportError as error:
    print(f"skipped: {error} (Debian package python3-pyatspi)")
    sys.exit(77)

DEADLINE = 10.0  # seconds for the window to appear and for each reaction
failures = []


def check(condition, what):
    print(("ok      " if condition else "FAILED  ") + what)
    if not condition:
        failures.append(what)
    return condition


def spin(seconds):
    """Lets AT-SPI deliver its events for a while."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while context.pending():
            context.iteration(False)
        time.sleep(0.02)


def wait_for(condition, seconds=DEADLINE):
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while context.pending():
            context.iteration(False)
        if condition():
            return True
        time.sleep(0.05)
    return condition()


def descendants(node):
    for child in node:
        if child is None:
            continue
        yield child
        yield from descendants(child)


def fresh_name(node):
    # The bus library caches names; the program's name-change events keep the cache right,
    # but the check must not depend on that.
    node.clearCache()
    return node.name


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def find_application(name, process):
    def found():
        if process.poll() is not None:
            return True
        return any(app is not None and app.name == name for app in pyatspi.Registry.getDesktop(0))

    if not wait_for(found) or process.poll() is not None:
        return None
    return next(app for app in pyatspi.Registry.getDesktop(0) if app is not None and app.name == name)


def print_tree(node, depth=0):
    description = node.description
    if len(description) > 72:
        description = description[:69] + "..."
    states = "" if showing(node) or node.getRole() == pyatspi.ROLE_APPLICATION else "  [hidden]"
    line = f"{'  ' * depth}{node.getRoleName()} \"{node.name}\""
    print(line + (f"  -- {description}" if description else "") + states)
    for child in node:
        if child is not None:
            print_tree(child, depth + 1)


def one(nodes, what):
    nodes = list(nodes)
    check(len(nodes) == 1, f"exactly one {what} (found {len(nodes)})")
    return nodes[0] if nodes else None


def press(node, action_name="Press"):
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if not check(action_name in names, f'"{node.name}" offers the action {action_name} ({names})'):
        return
    action.doAction(names.index(action_name))


def set_text(node, text):
    node.queryEditableText().setTextContents(text)


class Events:
    """Records the showing and name-change events of the program's objects."""

    def __init__(self):
        self.shown = []    # (role, name, description) of objects that turned showing
        self.renamed = []  # (description, new name) of objects whose name changed
        pyatspi.Registry.registerEventListener(
            self.on_event, "object:state-changed:showing", "object:property-change:accessible-name")

    def on_event(self, event):
        source = event.source
        if event.type.startswith("object:state-changed:showing") and event.detail1:
            self.shown.append((source.getRole(), source.name, source.description))
        elif event.type.startswith("object:property-change:accessible-name"):
            self.renamed.append((source.description, source.name))

    def announced(self):
        return [(name, description) for role, name, description in self.shown
                if role == pyatspi.ROLE_NOTIFICATION]

    def clear(self):
        self.shown.clear()
        self.renamed.clear()


def run_checks(app):
    window = one((node for node in app if node.getRole() in (pyatspi.ROLE_FRAME, pyatspi.ROLE_DIALOG)),
                 "window")
    if window is None:
        return
    print("--- the window over AT-SPI")
    print_tree(app)
    print("---")
    nodes = list(descendants(window))

    def by_role(role):
        return [node for node in nodes if node.getRole() == role]

    # Fields: a plain name (their captions, such as "fс =", read badly) and what they hold.
    fields = {node.name: node for node in by_role(pyatspi.ROLE_TEXT)}
    for name in ("Cut-off frequency", "Resistance R", "Capacitance C"):
        check(name in fields and fields[name].description != "", f'field "{name}" with a description')
    # The pictures carry the circuit in words.
    images = by_role(pyatspi.ROLE_IMAGE)
    check(len(images) == 2 and all(image.name and len(image.description) > 100 for image in images),
          "both schematics have a name and a description of the circuit")
    # The six value labels: named by their texts, described by the component they show.
    values = {}
    for component in ("C1", "C2", "C3", "R1", "R2", "R3"):
        kind = "Capacitor" if component.startswith("C") else "Resistor"
        values[component] = one((node for node in by_role(pyatspi.ROLE_LABEL)
                                 if node.description.startswith(f"{kind} {component} ")),
                                f"value label of {component}")
    check(all(node is not None and node.name == "0" for node in values.values()),
          'value labels are named by their texts ("0" before Go)')
    # Banners: notifications. Markers: labels, not announced on their own. All hidden at
    # start, each saying what it means.
    notices = by_role(pyatspi.ROLE_NOTIFICATION)
    check(len(notices) == 2, f"the two banners are notifications (found {len(notices)})")
    markers = [node for node in by_role(pyatspi.ROLE_LABEL) if node.name.strip() == "<--- !"]
    check(len(markers) == 6, f"the six markers are labels (found {len(markers)})")
    check(all(node.description and not showing(node) for node in notices + markers),
          "every banner and marker has a description and none shows at start")
    go = one((node for node in by_role(pyatspi.ROLE_PUSH_BUTTON) if node.name == "Go"), "Go button")
    exit_button = one((node for node in by_role(pyatspi.ROLE_PUSH_BUTTON) if node.name == "Exit"),
                      "Exit button")
    if go is None or exit_button is None or None in values.values() or len(fields) != 3:
        return

    events = Events()
    spin(0.5)  # the program learns about the new listener from the registry

    press(go)
    c1 = values["C1"]
    check(wait_for(lambda: fresh_name(c1) == "68,05"), f'after Go the C1 value label is named "68,05" ({c1.name!r})')
    check(wait_for(lambda: (c1.description, "68,05") in events.renamed),
          "its name change reached the bus as an event")

    events.clear()
    set_text(fields["Cut-off frequency"], ",5")
    press(go)
    check(wait_for(lambda: ("Input error / Ошибка ввода", ) == tuple(n for n, _ in events.announced())),
          f"a malformed frequency announces the input-error banner ({events.announced()})")

    events.clear()
    for name, text in (("Cut-off frequency", "1"), ("Resistance R", "0,1"), ("Capacitance C", "0,1")):
        set_text(fields[name], text)
    press(go)
    check(wait_for(lambda: len(events.announced()) >= 1),
          "values impractical to build are announced")
    spin(0.5)  # any further announcement would arrive meanwhile
    for name, description in events.announced():
        print(f'        announced "{name}" -- {description}')
    names = [name for name, _ in events.announced()]
    check(len(names) == 1 and names[0].startswith("Low-pass: C1 2245,67 uF, impractical, C2 "),
          f"one announcement reads the results, none for the markers ({len(names)})")
    check(all(showing(node) for node in markers), "the six markers show")

    press(exit_button)


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    program = sys.argv[1]
    application_name = os.path.basename(program).split(".")[0]
    application_name = application_name[:1] + application_name[1:].lower()
    process = subprocess.Popen([program])
    try:
        app = find_application(application_name, process)
        if check(app is not None, f'the program "{application_name}" is on the accessibility bus'):
            run_checks(app)
        try:
            check(process.wait(timeout=DEADLINE) == 0, "Exit ends the program with exit code 0")
        except subprocess.TimeoutExpired:
            check(False, "Exit ends the program")
    finally:
        if process.poll() is None:
            process.kill()
            process.wait()
    print(f"{'FAILED' if failures else 'passed'}: {len(failures)} failed checks")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
