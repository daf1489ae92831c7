// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The calculator's page in Debian's Chromium, side by side in one run:
// - a press of Go: 1,000 clicks on Go timed inside the page, each from the click to the
//   changes shown (goal: median under 1 ms);
// - from navigation to the first result of a typed Go (Enter in the frequency field, pressed
//   as soon as the page is ready), against an empty page with the same fonts and the same
//   policy, a line in each face and a field, to the same Enter typed into its field as soon
//   as its fonts are ready: opened in turn, both timed in the page, so that both count the
//   same key's way from the harness (goal: within 2x); and to the page ready for typing;
// - the single file's size (goal: under 400 kB).
//
// Usage: node bench/web/page_bench.mjs build-web/web/calculator.html [runs]   (default 21)
import { mkdtempSync, readFileSync, rmSync, statSync, writeFileSync } from "node:fs";
import { createRequire } from "node:module";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { pathToFileURL } from "node:url";

const require = createRequire(new URL("../../web/package.json", import.meta.url));
const puppeteer = require("puppeteer-core");
const [pagePath, runsText] = process.argv.slice(2);
const runs = Number(runsText ?? 21);
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

// The empty page: the calculator's own style (its fonts inside), one line in each face.
const html = readFileSync(pagePath, "utf8");
const style = html.match(/<style>([\s\S]*?)<\/style>/)[1];
const policy = html.match(/<meta http-equiv="Content-Security-Policy" content="([^"]*)">/)[1];
const folder = mkdtempSync(join(tmpdir(), "page-bench-"));
const emptyPath = join(folder, "empty.html");
writeFileSync(
  emptyPath,
  `<!doctype html><html lang="en"><head><meta charset="utf-8">` +
    `<meta http-equiv="Content-Security-Policy" content="${policy}"><style>${style}</style></head>` +
    `<body><p>Go 68,05 nF</p><p style="font-weight:bold">Go Exit</p><input id="field"></body></html>`,
);

const browser = await puppeteer.launch({ executablePath: "/usr/bin/chromium", headless: true, args: ["--no-sandbox", "--disable-gpu"] });
try {
  const page = await browser.newPage();
  await page.goto(pathToFileURL(pagePath).href);
  await page.waitForFunction("document.body.dataset.ready === 'true'");
  const pressMs = await page.evaluate(() => {
    const go = document.getElementById("Button2");
    const times = [];
    for (let i = 0; i < 1000; i += 1) {
      const began = performance.now();
      go.click();
      times.push(performance.now() - began);
    }
    return times;
  });
  console.log(`a press of Go, 1,000 clicks: median ${median(pressMs).toFixed(3)} ms (goal: under 1 ms)`);

  // Each page notes, from its navigation's start, when it is done: the calculator when its
  // first result shows, the empty page when its fonts are ready (both noted in the page, so
  // that no round trip to the browser is counted after them).
  const noteWhenDone = () => {
    const note = (at) => (window.doneAt ??= at);
    new MutationObserver(() => {
      if (document.body?.dataset.ready) window.readyAt ??= performance.now();
    }).observe(document, { subtree: true, attributes: true, attributeFilter: ["data-ready"] });
    // The empty page: ready when its fonts are, done when the Enter reaches its field.
    document.fonts.ready.then(() => {
      const field = document.getElementById("field");
      if (!field) return;
      field.addEventListener("keydown", () => note(performance.now()));
      field.focus();
      document.body.dataset.ready = "true";
    });
    new MutationObserver(() => {
      const first = document.getElementById("Label7");
      if (first && first.textContent !== "0") note(performance.now());
    }).observe(document, { subtree: true, childList: true, characterData: true });
  };
  const typed = [], ready = [], empty = [];
  for (let i = 0; i < runs; i += 1) {
    for (const which of i % 2 ? ["empty", "typed"] : ["typed", "empty"]) {
      const tab = await browser.newPage();
      await tab.evaluateOnNewDocument(noteWhenDone);
      await tab.goto(pathToFileURL(which === "typed" ? pagePath : emptyPath).href);
      await tab.waitForFunction("document.body.dataset.ready === 'true'", { polling: 1 });
      await tab.keyboard.press("Enter");
      const doneAt = await tab.waitForFunction("window.doneAt", { polling: 1 }).then((h) => h.jsonValue());
      (which === "typed" ? typed : empty).push(doneAt);
      if (which === "typed") ready.push(await tab.evaluate(() => window.readyAt));
      await tab.close();
    }
  }
  console.log(`navigation to the page ready for typing: median ${median(ready).toFixed(1)} ms`);
  console.log(`navigation to the first result of a typed Go: median ${median(typed).toFixed(1)} ms; ` +
    `to the same key in an empty page with the same fonts: ${median(empty).toFixed(1)} ms; ` +
    `${(median(typed) / median(empty)).toFixed(2)}x (goal: 2x), ${runs} runs each`);
  console.log(`calculator.html: ${statSync(pagePath).size} bytes (goal: under 400 kB)`);
} finally {
  await browser.close();
  rmSync(folder, { recursive: true, force: true });
}
