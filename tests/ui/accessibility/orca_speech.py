#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The butterworth3 developers
# SPDX-License-Identifier: MIT
"""What the Orca screen reader says about the window, read from Orca's own debug log.

Starts speech-dispatcher (espeak-ng, its audio sent to ALSA's null device), the openbox window
manager, Orca and the program, then drives the window with xdotool as a keyboard user would
and checks what Orca decided to say: the frequency field read whole at start-up, the
capacitance field on Tab, the results after Go, one results announcement and no marker
announcement when every value is impractical, the frequency's caption in Latin letters and
shown markers and banners in flat review, both banners, the error box's text, and
a paste through the Menu key's context menu.

Orca writes its debug file in blocks; here the file is a pseudo-terminal, which Python opens
line-buffered, so each utterance arrives as Orca logs it and the checks wait for utterances
instead of sleeping.

Usage: orca_speech.py PROGRAM WORKDIR   (inside a private session bus, an X display and a
scratch HOME; tools/orca_check.sh sets them up). Exit code 0: all checks passed; 1: a check
failed, or Orca did not start. Another program's script imports this one and hands main() its
own steps.
"""

import os
import re
import select
import shutil
import signal
import subprocess
import sys
import threading
import time
import tty

WAIT = 15.0  # seconds for Orca to react to one step
QUIET = 1.5  # seconds without speech after which Orca has said all it will
# "SPEECH OUTPUT: 'text'" and, in Orca 43, the voice's settings after it: {...} or [{...}].
UTTERANCE = re.compile(r"SPEECH OUTPUT: '(.*)'\s*(?:\[.*\]|\{[^{}]*\})?\s*$")

failures = []


def check(condition, what):
    print(("ok      " if condition else "FAILED  ") + what, flush=True)
    if not condition:
        failures.append(what)
    return condition


class Speech:
    """Collects Orca's utterances from its debug log as they are written."""

    def __init__(self, log_path):
        self._master, slave = os.openpty()
        tty.setraw(slave)  # no echo, no line-ending translation
        self.path = os.ttyname(slave)
        self._slave = slave
        self._log = open(log_path, "wb")
        self._lines = []
        self._changed = threading.Condition()
        self._last = time.monotonic()
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        pending = b""
        while True:
            try:
                ready, _, _ = select.select([self._master], [], [], 0.5)
                data = os.read(self._master, 65536) if ready else b""
            except OSError:
                return
            if not data:
                continue
            self._log.write(data)
            self._log.flush()
            pending += data
            *complete, pending = pending.split(b"\n")
            spoken = [m.group(1) for m in
                      (UTTERANCE.search(line.decode("utf-8", "replace")) for line in complete) if m]
            if spoken:
                with self._changed:
                    self._lines.extend(spoken)
                    self._last = time.monotonic()
                    self._changed.notify_all()

    def mark(self):
        with self._changed:
            return len(self._lines)

    def since(self, mark):
        with self._changed:
            return list(self._lines[mark:])

    def wait_for(self, mark, predicate, seconds=WAIT):
        """Waits until the utterances after `mark` satisfy `predicate`."""
        end = time.monotonic() + seconds
        with self._changed:
            while not predicate(self._lines[mark:]):
                left = end - time.monotonic()
                if left <= 0:
                    return False
                self._changed.wait(left)
            return True

    def wait_quiet(self, seconds=QUIET, limit=WAIT):
        """Waits until Orca has said nothing for `seconds`."""
        end = time.monotonic() + limit
        with self._changed:
            while time.monotonic() - self._last < seconds and time.monotonic() < end:
                self._changed.wait(seconds)


def said(text):
    return lambda lines: any(text in line for line in lines)


def said_in_order(*texts):
    def predicate(lines):
        position = 0
        for text in texts:
            while position < len(lines) and text not in lines[position]:
                position += 1
            if position == len(lines):
                return False
            position += 1
        return True
    return predicate


def speech_dispatcher_config(workdir):
    """The system configuration, with espeak-ng as the voice and audio to ALSA's null device:
    with the default PulseAudio output and no sound server, speech-dispatcher stops answering
    and Orca hangs."""
    config = os.path.join(workdir, "speech-dispatcher")
    shutil.copytree("/etc/speech-dispatcher", config)
    with open(os.path.join(config, "speechd.conf"), "a", encoding="utf-8") as conf:
        conf.write('\nAudioOutputMethod "alsa"\nAudioALSADevice "null"\n'
                   'AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"\n'
                   'DefaultModule espeak-ng\n')
    return config


def other_orca():
    """Orca refuses to start beside another Orca of the same user (and `orca -r` would end
    it by name); this one waits for such a run to end instead."""
    found = subprocess.run(["pgrep", "-u", str(os.getuid()), "-x", "orca"],
                           capture_output=True, text=True, check=False)
    return found.stdout.split()


class Session:
    def __init__(self, program, workdir):
        self.program = program
        self.workdir = workdir
        self.processes = []
        self.env = dict(os.environ)

    def start(self, name, argv, env=None):
        log = open(os.path.join(self.workdir, name + ".log"), "wb")
        process = subprocess.Popen(argv, env=env or self.env, stdout=log,
                                   stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL)
        self.processes.append(process)
        return process

    def stop(self):
        # Only what this run started, newest first, each by its own id.
        for process in reversed(self.processes):
            if process.poll() is None:
                process.terminate()
        for process in reversed(self.processes):
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()

    def xdotool(self, *arguments):
        subprocess.run(["xdotool", *arguments], env=self.env, check=False,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=WAIT)


def flat_review_reaches(session, speech, text, lines=16):
    """Reads the window line by line with Orca's flat review (keypad 8: the current line,
    keypad 9: the next one) until a line holds `text`, then leaves flat review."""
    mark = speech.mark()
    found = False
    for review_key in ["KP_Up"] + ["KP_Page_Up"] * lines:
        line = speech.mark()
        session.xdotool("key", review_key)
        speech.wait_for(line, lambda spoken: len(spoken) > 0, seconds=3)
        speech.wait_quiet(0.4)
        if any(text in spoken for spoken in speech.since(line)):
            found = True
            break
    session.xdotool("key", "KP_Subtract")  # back from flat review to the focus
    speech.wait_quiet()
    return found


# Owns the X clipboard, as an editor the user copied from would, until it is ended.
CLIPBOARD_OWNER = """
import sys
import gi
gi.require_version("Gtk", "3.0")
from gi.repository import Gdk, Gtk
Gtk.Clipboard.get(Gdk.SELECTION_CLIPBOARD).set_text(sys.argv[1], -1)
print("owned", flush=True)
Gtk.main()
"""


def own_clipboard(session, text):
    session.start("clipboard", [sys.executable, "-c", CLIPBOARD_OWNER, text])
    log = os.path.join(session.workdir, "clipboard.log")
    end = time.monotonic() + WAIT
    while time.monotonic() < end:
        with open(log, "rb") as output:
            if b"owned" in output.read():
                return
        time.sleep(0.05)
    check(False, "a helper owns the clipboard")


class Steps:
    """What a check does step by step: keys as a user types them, and Orca's utterances
    marked and shown."""

    def __init__(self, session, speech):
        self.session = session
        self.speech = speech

    def key(self, *keys):
        self.session.xdotool("key", "--delay", "60", *keys)

    def type_text(self, text, delay=15):
        self.session.xdotool("type", "--delay", str(delay), text)

    def step(self, title):
        """Once Orca is quiet: the title, and the mark of what it says from now on."""
        self.speech.wait_quiet()
        print(f"--- {title}", flush=True)
        return self.speech.mark()

    def show(self, mark):
        for line in self.speech.since(mark):
            print(f"        said: {line}", flush=True)


def run(session, speech):
    steps = Steps(session, speech)
    key, type_text, step, show = steps.key, steps.type_text, steps.step, steps.show

    program_env = dict(session.env, QT_QPA_PLATFORM="xcb")
    mark = speech.mark()
    app = session.start("program", [session.program], program_env)
    session.xdotool("search", "--sync", "--name", "^Bathervort", "windowactivate", "--sync")
    check(speech.wait_for(mark, said_in_order("Cut-off frequency text.", "100 selected.")),
          'start-up reads the frequency field whole: "Cut-off frequency text. 100 selected."')
    show(mark)

    mark = step("Tab to the capacitance field")
    key("Tab", "Tab", "Tab")
    check(speech.wait_for(mark, said_in_order("Capacitance C text.", "10 selected.")),
          'Tab to C reads "Capacitance C text. 10 selected."')
    show(mark)

    mark = step("Go with the defaults (Enter)")
    key("Return")
    results = ("Low-pass: C1 68,05 nF, C2 0,17 uF, C3 9,86 nF. "
               "High-pass: R1 109,5 kOhm, R2 43 kOhm, R3 755,8 kOhm.")
    check(speech.wait_for(mark, said(results)), f'Go says the results: "{results}"')
    speech.wait_quiet()
    check(sum("Low-pass:" in line for line in speech.since(mark)) == 1,
          "the results are said once")
    show(mark)

    mark = step("Tab to Go and Space")
    key("Tab", "Tab")
    speech.wait_for(mark, said("Go"))
    speech.wait_quiet()
    press = speech.mark()
    key("space")
    check(speech.wait_for(press, said(results)), "Go pressed with Space says the results")
    show(mark)

    mark = step("1 Hz, 0,1 kOhm, 0,1 nF and Go: every value impractical")
    key("shift+Tab", "shift+Tab")
    type_text("0,1")
    key("shift+Tab")
    type_text("0,1")
    key("shift+Tab", "shift+Tab")
    type_text("1")
    speech.wait_quiet()
    corner = speech.mark()
    key("Return")
    check(speech.wait_for(corner, said("Low-pass: C1 2245,67 uF, impractical, C2 5715,24 uF, "
                                       "impractical, C3 325,47 uF, impractical. High-pass: "
                                       "R1 1094665,1 kOhm, impractical")),
          "the corner's results are said, each value marked impractical in words")
    speech.wait_quiet()
    check(sum("Low-pass:" in line for line in speech.since(corner)) == 1,
          "one announcement reads them")
    check(not any("<--- !" in line or "impractical to build" in line
                  for line in speech.since(corner)),
          "no marker is announced on its own")
    show(corner)

    mark = step("flat review of the frequency's line")
    check(flat_review_reaches(session, speech, "fc = 1", lines=2),
          'flat review reads the caption in Latin letters: "fc = 1"')
    show(mark)

    mark = step("flat review, line by line, while the markers show")
    check(flat_review_reaches(session, speech, "<--- !"),
          "flat review reaches the markers")
    show(mark)

    mark = step("0,5 Hz and Go: the range banner")
    key("Home", "shift+End")
    type_text("0,5")
    speech.wait_quiet()
    banner = speech.mark()
    key("Return")
    check(speech.wait_for(banner, said("Data is outrange")), "the range banner is said")
    show(banner)
    mark = step("flat review, line by line, while the range banner shows")
    check(flat_review_reaches(session, speech, "Data is outrange"),
          "flat review reaches the range banner")
    show(mark)

    mark = step(",5 Hz and Go: the input-error banner")
    key("Home", "shift+End")
    type_text(",5")
    speech.wait_quiet()
    banner = speech.mark()
    key("Return")
    check(speech.wait_for(banner, said("Input error")), "the input-error banner is said")
    show(banner)

    mark = step("a frequency too large for a double and Go: the error box")
    key("Home", "shift+End")
    type_text("9" * 320)
    speech.wait_quiet()
    box = speech.mark()
    key("Return")
    check(speech.wait_for(box, said("Floating point overflow.")), "the error box's text is said")
    show(box)
    mark = speech.mark()
    key("Return")  # closes the box; the focus goes back to the field
    speech.wait_for(mark, said("Cut-off frequency"))

    mark = step("the Menu key's context menu pastes 1 over the frequency, then Go")
    own_clipboard(session, "1")
    key("Home", "shift+End")
    speech.wait_quiet()
    menu = speech.mark()
    key("Menu")
    # Orca 43 says nothing when Qt's context menu opens; P is its Paste all the same.
    speech.wait_quiet()
    key("p")
    speech.wait_quiet()
    corner = speech.mark()
    key("Return")
    check(speech.wait_for(corner, said("Low-pass: C1 2245,67 uF, impractical")),
          "Menu, P pasted the frequency: Go says the corner's results")
    show(mark)

    app.terminate()
    app.wait(timeout=10)


def too_long(*_):
    raise TimeoutError("the run took too long")


def main(steps=run, usage=__doc__):
    """Starts speech-dispatcher, openbox and Orca, then has `steps(session, speech)` drive the
    program given on the command line."""
    if len(sys.argv) != 3:
        print(usage)
        return 2
    program, workdir = sys.argv[1], sys.argv[2]
    # The whole run ends in time even if a tool stops answering; the clean-up below still runs.
    signal.signal(signal.SIGALRM, too_long)
    signal.alarm(110)

    for _ in range(60):
        if not other_orca():
            break
        time.sleep(0.5)
    if not check(not other_orca(), "no other Orca of this user is running (Orca would refuse)"):
        return 1

    session = Session(program, workdir)
    speech = Speech(os.path.join(workdir, "orca-debug.log"))
    socket = os.path.join(workdir, "speechd.sock")
    session.env["SPEECHD_ADDRESS"] = "unix_socket:" + socket
    try:
        session.start("speech-dispatcher",
                      ["speech-dispatcher", "--run-single", "--timeout", "0",
                       "--config-dir", speech_dispatcher_config(workdir),
                       "--socket-path", socket,
                       "--pid-file", os.path.join(workdir, "speech-dispatcher.pid"),
                       "--log-dir", workdir])
        session.start("openbox", ["openbox", "--sm-disable"])
        orca = session.start("orca", ["orca", "--user-prefs", os.path.join(workdir, "orca"),
                                      "--debug-file", speech.path])
        started = False
        for _ in range(60):  # 30 s, but no longer than Orca runs
            started = speech.wait_for(0, said("Screen reader on."), seconds=0.5)
            if started or orca.poll() is not None:
                break
        if not check(started and orca.poll() is None, "Orca started and speaks"):
            return 1
        steps(session, speech)
    except (TimeoutError, subprocess.TimeoutExpired) as error:
        check(False, f"the run finished in time ({error})")
    finally:
        signal.alarm(0)
        session.stop()
    print(f"{'FAILED' if failures else 'passed'}: {len(failures)} failed checks", flush=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
