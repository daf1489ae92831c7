#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The butterworth3 developers
# SPDX-License-Identifier: MIT
"""What the Orca screen reader says about the designer window, read from Orca's debug log.

Built on the calculator's check (tests/ui/accessibility/orca_speech.py), which starts
speech-dispatcher, openbox and Orca: the designer is driven with xdotool as a keyboard user
would. The frequency field must be read whole; three digits typed into it 100 ms apart must
give one announcement of the parts, with the last design's values; Tab into the parts must
read its current row, and an arrow key a cell with its column's header.

Usage: designer_orca.py PROGRAM WORKDIR   (tools/orca_check.sh PROGRAM THIS-SCRIPT sets up the
display, the session bus and a scratch HOME). Exit code 0: all checks passed; 1: a check
failed, or Orca did not start.
"""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "ui",
                                "accessibility"))
import orca_speech  # noqa: E402  (the calculator's Orca session, shared)
from orca_speech import check, said, said_in_order  # noqa: E402

# The parts of "lowpass 100 33k" and, after 250 is typed over the frequency, of "lowpass 250 33k".
OPENING = "C1 67.1656 nF, C2 171.059 nF, C3 9.76397 nF"
TYPED = "C1 26.8663 nF, C2 68.4235 nF, C3 3.90559 nF"


def steps(session, speech):
    drive = orca_speech.Steps(session, speech)
    key, step, show = drive.key, drive.step, drive.show

    def parts_said(mark):
        return [line for line in speech.since(mark) if "C1 " in line and "C3 " in line]

    program_env = dict(session.env, QT_QPA_PLATFORM="xcb")
    mark = speech.mark()
    app = session.start("program", [session.program, "lowpass", "100", "33k"], program_env)
    session.xdotool("search", "--sync", "--name", "^Butterworth Filter Designer",
                    "windowactivate", "--sync")
    check(speech.wait_for(mark, said(OPENING)), f'the opening design is announced: "{OPENING}"')
    show(mark)

    mark = step("Alt+Q to the frequency field")
    key("alt+q")
    check(speech.wait_for(mark, said_in_order("Frequency text.", "100 selected.")),
          'Alt+Q reads the field whole: "Frequency text. 100 selected."')
    show(mark)

    mark = step("250 typed 100 ms apart")
    drive.type_text("250", delay=100)
    check(speech.wait_for(mark, said(TYPED)), f'the new parts are announced: "{TYPED}"')
    # Any further announcement would come 500 ms after its change: quiet for 1.5 s, there is none.
    speech.wait_quiet()
    announced = parts_said(mark)
    check(len(announced) == 1, f"one announcement of the parts for three digits ({len(announced)})")
    show(mark)

    # From the frequency, the parts come after the twelve fields that are on for a Butterworth
    # response without a series or a tolerance, in reading order (tst_designer_accessibility
    # holds that order).
    mark = step("Tab from the frequency to the parts, Down, Right")
    key(*["Tab"] * 13)
    check(speech.wait_for(mark, said_in_order("Parts.", "Ra")),
          'Tab into the parts reads the table and its current row: "Parts. ... Ra, Rb, Rc."')
    speech.wait_quiet()
    row = speech.mark()
    key("Down")
    check(speech.wait_for(row, said("C1")), 'Down reads the next row: "C1."')
    speech.wait_quiet()
    cell = speech.mark()
    key("Right")
    check(speech.wait_for(cell, said("Ideal column header 26.8663 nF")),
          'Right reads the cell with its column\'s header: "Ideal column header 26.8663 nF"')
    show(mark)

    app.terminate()
    app.wait(timeout=10)


if __name__ == "__main__":
    sys.exit(orca_speech.main(steps, __doc__))
