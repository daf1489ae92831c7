#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The butterworth3 developers
# SPDX-License-Identifier: MIT
"""Every text the designer's sources give tr() has a finished translation in each .ts file.

lupdate reads the sources (designer/ and ALSO_READ) into a fresh .ts; each of its messages must be in the committed
file, translated, not marked unfinished, obsolete or vanished, with the same %1 %2 ... and
with a mnemonic where the source has one (and at most one: a language whose letters run out
elsewhere may give one where the source has none); and the committed file keeps nothing the
sources no longer say.
Usage: check_translations.py LUPDATE SOURCE_ROOT TS_FILE...
"""
import re
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
from pathlib import Path

# Texts of the designer that live below it: the figures' definitions, shared with the report.
ALSO_READ = ["design/outputs/definitions.cpp"]


def messages(ts_path):
    """(context, source, comment) -> the <translation> element."""
    found = {}
    for context in ET.parse(ts_path).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            key = (name, message.findtext("source"), message.findtext("comment") or "")
            found[key] = message.find("translation")
    return found


def mnemonics(text):
    return len(re.findall(r"&(?!&)", text.replace("&&", "")))


def problems(fresh, committed):
    for key in fresh:
        context, source, _ = key
        where = f"{context}: {source!r}"
        translation = committed.get(key)
        if translation is None:
            yield f"{where}: no translation"
            continue
        # A text with a count (%n) has one form for each of the language's plural forms.
        forms = [form.text or "" for form in translation.findall("numerusform")]
        for text in forms or [translation.text or ""]:
            if translation.get("type") or not text:
                yield f"{where}: translation {translation.get('type') or 'empty'}"
            elif sorted(re.findall(r"%[\dn]", text)) != sorted(re.findall(r"%[\dn]", source)):
                yield f"{where}: the translation {text!r} has other place markers"
            elif mnemonics(text) > 1 or mnemonics(text) < mnemonics(source):
                yield f"{where}: the translation {text!r} has {mnemonics(text)} mnemonics"
    for key, translation in committed.items():
        if key not in fresh:
            yield f"{key[0]}: {key[1]!r}: kept ({translation.get('type') or 'finished'}) but no longer in the sources"


def main(lupdate, root, *ts_files):
    failures = []
    with tempfile.TemporaryDirectory() as folder:
        fresh_path = Path(folder) / "fresh.ts"
        subprocess.run([lupdate, "-silent", "-I", root, "-extensions", "cpp,h", "-locations", "none",
                        str(Path(root) / "designer"), *(str(Path(root) / f) for f in ALSO_READ),
                        "-ts", str(fresh_path)], check=True)
        fresh = messages(fresh_path)
    for ts in ts_files:
        failures += [f"{Path(ts).name}: {p}" for p in problems(fresh, messages(ts))]
    print("\n".join(failures) or f"{len(fresh)} texts, all translated in {len(ts_files)} file(s)")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
