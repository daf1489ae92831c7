// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The characters the page draws in DejaVu Sans, for the fonts' subset: every text of the
// window's definition (its controls and caption), printable ASCII (the results' numbers and
// units, the error box's messages, what is typed) and the ellipsis of a value cut short.
//
// Usage: node glyphs.mjs FORM1_JSON OUT_TXT
import { readFileSync, writeFileSync } from "node:fs";

const [formPath, outPath] = process.argv.slice(2);
const form = JSON.parse(readFileSync(formPath, "utf8"));
const characters = new Set("\u2026");
for (let code = 0x20; code < 0x7f; code += 1) characters.add(String.fromCharCode(code));
for (const text of [form.window.caption, ...form.controls.filter((c) => c.kind !== "Picture").map((c) => c.text)])
  for (const character of text) characters.add(character);
writeFileSync(outPath, [...characters].sort().join(""));
