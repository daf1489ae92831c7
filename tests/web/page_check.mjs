// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The calculator's page in Debian's Chromium (puppeteer-core), one check a run:
//   boxes     each control where the window's definition puts it, at zoom 1 and 2, and on a
//             phone's screen (390 x 844) the window scaled to its width;
//   requests  nothing requested after the page has loaded, and nothing but data: before;
//   presses   generated presses of Go through the page give the native companion's --json
//             (texts identical, values equal as doubles), pasted into the fields and, for
//             some, typed with real key events;
//   keys      the window's typing rules with real keys: a full stop becomes a comma, other
//             characters are dropped, a paste (Ctrl+V) is taken as it is, Enter presses Go,
//             the error box and its OK, Tab's order; Exit ends the calculator;
//   axe       axe-core finds no violation, in a light and in a dark scheme; the fields named
//             as the window names them, the banners live, the results said after Go;
//   size      the single file within its budget, 400 kB;
//   folder    the page as a folder (calculator/, beside the single file) served over HTTP as a
//             static host serves it: it computes, and asks for nothing beyond its own files;
//   picture   (not a check) the page after Go, as PNG, for the README.
//
// Usage: node page_check.mjs CHECK PAGE FORM1_JSON COMPANION [PICTURE]
import { spawnSync } from "node:child_process";
import { readFileSync } from "node:fs";
import { createServer } from "node:http";
import { basename, dirname, extname, join } from "node:path";
import { createRequire } from "node:module";
import { pathToFileURL } from "node:url";

const require = createRequire(new URL("../../web/package.json", import.meta.url));
const puppeteer = require("puppeteer-core");
const [check, pagePath, formPath, companion, picturePath] = process.argv.slice(2);
const form = JSON.parse(readFileSync(formPath, "utf8"));
const presses = Number(process.env.BUTTERWORTH3_PAGE_PRESSES ?? 5000);
const typedPresses = Number(process.env.BUTTERWORTH3_PAGE_TYPED ?? 300);

const FieldNames = ["frequency", "resistance", "capacitance"];
const outcomes = {};
let failures = 0;
const fail = (what) => {
  failures += 1;
  if (failures <= 20) console.log(`FAIL: ${what}`);
};

let browser;


async function openPage({ width = 800, height = 480, scale = 1 } = {}) {
  const page = await browser.newPage();
  await page.setViewport({ width, height, deviceScaleFactor: scale });
  page.on("pageerror", (error) => fail(`the page threw: ${error.message}`));
  page.on("console", (message) => {
    if (message.type() === "error") fail(`the page's console: ${message.text()}`);
  });
  await page.goto(pathToFileURL(pagePath).href);
  await page.waitForFunction("document.body.dataset.ready === 'true'", { timeout: 20000 });
  return page;
}

async function boxes() {
  const [windowWidth] = form.window.clientSize;
  for (const view of [{ zoom: 1 }, { zoom: 2 }, { width: 390, height: 844, zoom: 3, phone: true }]) {
    const page = await openPage({ width: view.width, height: view.height, scale: view.zoom });
    const factor = view.phone ? view.width / windowWidth : 1;
    const label = view.phone ? "390 x 844" : `zoom ${view.zoom}`;
    const shown = await page.evaluate((names) => {
      const origin = document.getElementById("form").getBoundingClientRect();
      return names.map((name) => {
        const element = document.getElementById(name);
        const wasHidden = element.hidden;
        element.hidden = false;
        const r = element.getBoundingClientRect();
        element.hidden = wasHidden;
        return [r.left - origin.left, r.top - origin.top, r.width, r.height];
      });
    }, form.controls.map((c) => c.name));
    const at = new Map();
    form.controls.forEach((control, index) => {
      const [left, top, width, height] = control.rect;
      const [parentLeft, parentTop] = control.parent ? at.get(control.parent) : [0, 0];
      const inWindow = [parentLeft + left, parentTop + top, width, height];
      at.set(control.name, inWindow);
      const expected = inWindow.map((value) => value * factor);
      const sizedToText =
        (control.kind === "Label" || control.kind === "Link") && !control.flags.includes("fixedSize");
      const compared = sizedToText ? 2 : 4;
      const got = shown[index].slice(0, compared);
      if (got.some((value, k) => Math.abs(value - expected[k]) > 0.01))
        fail(`${label}: ${control.name} at ${got.join(",")}, the window has ${expected.slice(0, compared).join(",")}`);
    });
    // Nothing cut: the page no wider than the screen.
    const scrollWidth = await page.evaluate(() => document.documentElement.scrollWidth);
    if (scrollWidth > (view.width ?? 800)) fail(`${label}: the page is ${scrollWidth} px wide`);
    const title = await page.title();
    if (title !== form.window.caption) fail(`the title is "${title}"`);
    await page.close();
  }
}

async function requests() {
  const page = await browser.newPage();
  const seen = [];
  page.on("request", (request) => seen.push(request.url()));
  await page.goto(pathToFileURL(pagePath).href);
  await page.waitForFunction("document.body.dataset.ready === 'true'", { timeout: 20000 });
  const atLoad = seen.length;
  for (const other of seen.slice(1))
    if (!other.startsWith("data:")) fail(`the page asked for ${other.slice(0, 80)}`);
  await page.click("#Button2");
  await page.click("#RadioButton2 input");
  await page.type("#Edit1", "abc12");
  await page.keyboard.press("Enter");
  await page.click("#Button2");
  if (seen.length !== atLoad) fail(`requests after load: ${seen.slice(atLoad).join(" ")}`);
}

// A press: units and three field texts, drawn as the cross-processor check draws them.
function generatePresses(count, seed) {
  let state = seed >>> 0;
  const random = () => {
    state = (state * 1664525 + 1013904223) >>> 0;
    return state / 2 ** 32;
  };
  const choose = (items) => items[Math.floor(random() * items.length)];
  const number = (low, high) => {
    const value = Math.exp(Math.log(low) + random() * (Math.log(high) - Math.log(low)));
    const text = value.toPrecision(1 + Math.floor(random() * 8));
    return (text.includes("e") ? String(Math.floor(value) + 1) : text).replace(".", ",");
  };
  const field = (low, high) => {
    const roll = random();
    if (roll < 0.85) return number(low, high);
    if (roll < 0.9) return number(low / 100, high * 100);
    return choose([",5", "1,2,3", "12a", "1e999", "0", "-5", "99999", "100000", "0,1", "1000",
                   "0,09", "10", "0,01", "500", "4".repeat(400)]);
  };
  const list = [];
  for (let i = 0; i < count; i += 1) {
    const khz = random() < 0.5, uf = random() < 0.5;
    list.push({
      khz, uf,
      texts: [khz ? field(0.1, 500) : field(1, 99999), field(0.1, 1000), uf ? field(0.01, 10) : field(0.1, 1000)],
    });
  }
  return list;
}

function companionSays(press) {
  const args = ["--json", ...(press.khz ? ["--khz"] : []), ...(press.uf ? ["--uf"] : []), "--", ...press.texts];
  const done = spawnSync(companion, args, { encoding: "utf8" });
  return JSON.parse(done.stdout);
}

function compare(label, press, expected, got) {
  outcomes[expected.outcome] = (outcomes[expected.outcome] ?? 0) + 1;
  const where = `${label} ${press.khz ? "kHz" : "Hz"} ${press.uf ? "uF" : "nF"} ${press.texts.map((t) => t.slice(0, 20)).join(" ")}`;
  const s = got.state;
  switch (expected.outcome) {
    case "ok":
      expected.components.forEach((component, i) => {
        const r = s.results[i];
        const text = component.text ?? "0";
        if (r.text !== text || got.shown[i] !== text) fail(`${where}: ${component.name} "${r.text}" shown "${got.shown[i]}", the companion "${text}"`);
        if (component.text !== null && (r.unit !== component.unit || got.units[i] !== component.unit))
          fail(`${where}: ${component.name}'s unit "${got.units[i]}", the companion "${component.unit}"`);
        if (r.marker !== component.marker || got.markers[i] !== component.marker) fail(`${where}: ${component.name}'s marker`);
        if (r.value !== component.value) fail(`${where}: ${component.name} = ${r.value}, the companion ${component.value}`);
      });
      if (got.banners.some((b) => b)) fail(`${where}: a banner after results`);
      break;
    case "out-of-range": {
      const field = FieldNames.indexOf(expected.field);
      if (s.fields[field] !== expected.replacement || got.fieldTexts[field] !== expected.replacement)
        fail(`${where}: the ${expected.field} field says "${got.fieldTexts[field]}", the companion "${expected.replacement}"`);
      if (!got.banners[1] || !s.outOfRangeBanner) fail(`${where}: no range banner`);
      if (!s.highlighted[field]) fail(`${where}: the ${expected.field} field not highlighted`);
      break;
    }
    case "input-error": {
      const field = FieldNames.indexOf(expected.field);
      if (!got.banners[0] || !s.inputErrorBanner) fail(`${where}: no input banner`);
      if (!s.highlighted[field]) fail(`${where}: the ${expected.field} field not highlighted`);
      break;
    }
    case "error":
      if (got.box !== expected.message) fail(`${where}: the box says "${got.box}", the companion "${expected.message}"`);
      break;
    default:
      fail(`${where}: the companion's outcome ${expected.outcome}`);
  }
}

// What the page shows after Go, read from its elements and from the behaviour's state.
function readPage() {
  const text = (id) => document.getElementById(id).textContent;
  const values = ["Label7", "Label8", "Label12", "Label15", "Label16", "Label25"];
  const units = ["Label9", "Label10", "Label22", "Label17", "Label18", "Label26"];
  const markers = ["Label27", "Label28", "Label29", "Label30", "Label31", "Label32"];
  const box = document.getElementById("error-box");
  const read = {
    state: window.calculatorState(),
    shown: values.map(text),
    units: units.map(text),
    markers: markers.map((id) => !document.getElementById(id).hidden),
    banners: ["Label20", "Label19"].map((id) => !document.getElementById(id).hidden),
    fieldTexts: ["Edit1", "Edit3", "Edit4"].map((id) => document.getElementById(id).value),
    box: box.open ? box.querySelector(".message").textContent : null,
  };
  if (box.open) box.close();
  return read;
}

async function pressGo() {
  // Drawn with spares for the typed ones: a text too long to type is passed over.
  const list = generatePresses(presses + 2 * typedPresses, 20261210);
  const page = await openPage();
  // Pasted: each field's text set at once, as a paste sets it.
  const pasted = list.slice(0, presses);
  const results = await page.evaluate(async (pasted, readPageSource) => {
    const readPage = new Function(`return (${readPageSource})();`);
    const out = [];
    for (const press of pasted) {
      document.querySelector(`#${press.khz ? "RadioButton2" : "RadioButton1"} input`).click();
      document.querySelector(`#${press.uf ? "RadioButton4" : "RadioButton3"} input`).click();
      ["Edit1", "Edit3", "Edit4"].forEach((id, i) => {
        const field = document.getElementById(id);
        field.value = press.texts[i];
        field.dispatchEvent(new InputEvent("input", { inputType: "insertFromPaste" }));
      });
      document.getElementById("Button2").click();
      out.push(readPage());
      // The box's close reaches the behaviour as an event of its own.
      if (out.at(-1).box !== null) await new Promise((done) => setTimeout(done));
    }
    return out;
  }, pasted, readPage.toString());
  pasted.forEach((press, i) => compare("pasted", press, companionSays(press), results[i]));

  // Typed: real keys into each field, its text selected first; "," typed as "." half the time.
  let typedCount = 0;
  for (const [n, press] of list.slice(presses).entries()) {
    if (typedCount === typedPresses) break;
    if (press.texts.some((t) => t.length > 40)) continue;
    typedCount += 1;
    await page.click(`#${press.khz ? "RadioButton2" : "RadioButton1"} input`);
    await page.click(`#${press.uf ? "RadioButton4" : "RadioButton3"} input`);
    for (const [i, id] of ["Edit1", "Edit3", "Edit4"].entries()) {
      await page.focus(`#${id}`);
      await page.$eval(`#${id}`, (field) => field.select());
      await page.keyboard.type(n % 2 ? press.texts[i].replaceAll(",", ".") : press.texts[i]);
    }
    // What the filter let through is what the companion is asked about.
    const typed = await page.$$eval("#Edit1, #Edit3, #Edit4", (fields) => fields.map((f) => f.value));
    await page.click("#Button2");
    const got = await page.evaluate((source) => new Function(`return (${source})();`)(), readPage.toString());
    const asked = { ...press, texts: typed };
    if (typed.some((t) => t === "")) continue;  // Go does nothing: nothing to compare
    compare("typed", asked, companionSays(asked), got);
  }
  if (typedCount < typedPresses) fail(`only ${typedCount} presses typed`);
  console.log(`presses compared: ${JSON.stringify(outcomes)}, ${typedCount} of them typed`);
}

async function keys() {
  // A page from disk has no origin of its own to grant the clipboard to: granted to all.
  await browser.defaultBrowserContext().overridePermissions(undefined, ["clipboard-read", "clipboard-write", "clipboard-sanitized-write"]);
  const page = await openPage();
  const value = (id) => page.$eval(`#${id}`, (f) => f.value);
  await page.keyboard.type("12.5a-e");
  if ((await value("Edit1")) !== "12,5") fail(`typed "12.5a-e" gives "${await value("Edit1")}"`);
  await page.keyboard.press("Backspace");
  if ((await value("Edit1")) !== "12,") fail(`Backspace leaves "${await value("Edit1")}"`);
  await page.keyboard.press("Enter");
  const afterEnter = await page.evaluate(() => window.calculatorState());
  if (afterEnter.results[0].text === "0") fail("Enter did not press Go");
  // An unreadable pasted text: the error box, closed by its OK from the keyboard.
  await page.$eval("#Edit3", (field) => {
    field.value = "abc";
    field.dispatchEvent(new InputEvent("input", { inputType: "insertFromPaste" }));
  });
  await page.click("#Button2");
  const message = await page.$eval("#error-box", (box) => (box.open ? box.querySelector(".message").textContent : null));
  if (message !== "'abc' is not a valid floating point value.") fail(`the error box says ${message}`);
  await page.keyboard.press("Enter");
  const closed = await page.waitForFunction(() => !document.getElementById("error-box").open && window.calculatorState().errorBox === null, { timeout: 5000 }).then(() => true, () => false);
  if (!closed) fail("the box's OK did not close it");
  // Pastes of 400 and 5,000 digits: the box says what the companion says of them.
  for (const digits of ["9".repeat(400), "1" + "0".repeat(4999)]) {
    const { message } = companionSays({ khz: false, uf: false, texts: [digits, "33", "10"] });
    await page.$eval("#Edit1", (field, text) => {
      field.value = text;
      field.dispatchEvent(new InputEvent("input", { inputType: "insertFromPaste" }));
    }, digits);
    await page.click("#Button2");
    const said = await page.$eval("#error-box", (box) => box.querySelector(".message").textContent);
    if (said !== message) fail(`${digits.length} digits: the box says "${said.slice(0, 60)}", the companion "${message.slice(0, 60)}"`);
    await page.keyboard.press("Enter");
    await page.waitForFunction(() => !document.getElementById("error-box").open);
  }
  // Out of range: the corrected field highlighted, the focus in it, its text selected.
  await page.$eval("#Edit1", (field) => {
    field.value = "0,5";
    field.dispatchEvent(new InputEvent("input", { inputType: "insertFromPaste" }));
  });
  await page.click("#Button2");
  const problem = await page.evaluate(() => {
    const field = document.activeElement;
    return { id: field.id, text: field.value, selected: field.value.slice(field.selectionStart, field.selectionEnd),
             banner: !document.getElementById("Label19").hidden, yellow: field.classList.contains("highlighted") };
  });
  if (problem.id !== "Edit1" || problem.text !== "1" || problem.selected !== "1" || !problem.banner || !problem.yellow)
    fail(`after an out-of-range frequency: ${JSON.stringify(problem)}`);
  // An empty field: Go cannot be pressed, and Enter is a character the filter drops.
  await page.$eval("#Edit3", (field) => {
    field.value = "";
    field.dispatchEvent(new InputEvent("input", { inputType: "deleteContentBackward" }));
  });
  if (!(await page.$eval("#Button2", (go) => go.disabled))) fail("Go can be pressed with an empty field");
  await page.$eval("#Edit3", (field) => {
    field.value = "33";
    field.dispatchEvent(new InputEvent("input", { inputType: "insertFromPaste" }));
  });
  // Escape in a field is a character the filter drops; the window stays.
  await page.focus("#Edit4");
  await page.keyboard.press("Escape");
  if ((await value("Edit4")) !== "10") fail("Escape changed the capacitance");
  // Tab visits the window's order, each field's text selected.
  await page.focus("#Edit1");
  const order = [];
  for (let i = 0; i < 6; i += 1) {
    await page.keyboard.press("Tab");
    order.push(await page.evaluate(() => document.activeElement.closest(".control").id));
  }
  const expected = ["RadioButton1", "Edit3", "Edit4", "RadioButton3", "Button2", "Button1"];
  if (order.join() !== expected.join()) fail(`Tab visits ${order.join()}, the window ${expected.join()}`);

  // A real paste passes no filter: its full stop and letter stay.
  await page.evaluate(() => navigator.clipboard.writeText("1.5x"));
  await page.focus("#Edit3");
  await page.$eval("#Edit3", (field) => field.select());
  await page.keyboard.down("Control");
  await page.keyboard.press("KeyV");
  await page.keyboard.up("Control");
  if ((await value("Edit3")) !== "1.5x") fail(`a paste of "1.5x" gives "${await value("Edit3")}"`);
  const pasted = await page.evaluate(() => window.calculatorState().fields[1]);
  if (pasted !== "1.5x") fail(`the behaviour was told "${pasted}" of the paste`);

  // Exit: the tab closes where the browser lets a page close it, else the page says that the
  // calculator has ended and offers to start again.
  await page.click("#Button1");
  const ended = await page
    .waitForFunction(() => document.body.classList.contains("ended"), { timeout: 5000 })
    .then(() => true, () => page.isClosed());
  if (!ended) fail("Exit neither closed the tab nor ended the calculator");
  console.log(`Exit: ${page.isClosed() ? "the tab closed" : "the calculator ended in its tab"}`);
  if (!page.isClosed()) {
    await page.click("#start-again");
    await page.waitForFunction("document.body.dataset.ready === 'true' && !document.body.classList.contains('ended')", { timeout: 20000 });
  }
}

// What a screen reader finds: the window's accessible names, live banners, the results said.
async function spoken(page) {
  const tree = await page.accessibility.snapshot({ interestingOnly: false });
  const names = new Set();
  const walk = (node) => {
    if (node.role === "textbox") names.add(node.name);
    (node.children ?? []).forEach(walk);
  };
  walk(tree);
  for (const control of form.controls.filter((c) => c.kind === "Edit"))
    if (!names.has(control.accessibleName)) fail(`no field named "${control.accessibleName}" (${[...names].join(", ")})`);
  const live = await page.$$eval("[role=alert]", (banners) => banners.map((b) => b.id).sort().join());
  if (live !== "Label19,Label20") fail(`the live banners are ${live}`);
  const said = await page.$eval("#announcer", (a) => a.textContent);
  if (!said.startsWith("Low-pass: C1 68,05 nF, C2 0,17 uF")) fail(`after Go the page says "${said}"`);
}

async function folder() {
  const root = join(dirname(pagePath), "calculator");
  const types = { ".html": "text/html", ".js": "text/javascript", ".css": "text/css" };
  const server = createServer((request, response) => {
    const name = request.url === "/" ? "index.html" : request.url.slice(1);
    try {
      const body = readFileSync(join(root, basename(name)));
      response.writeHead(200, { "Content-Type": types[extname(name)] ?? "application/octet-stream" });
      response.end(body);
    } catch {
      response.writeHead(404).end();
    }
  });
  await new Promise((done) => server.listen(0, "127.0.0.1", done));
  try {
    const origin = `http://127.0.0.1:${server.address().port}`;
    const page = await browser.newPage();
    const seen = [];
    page.on("request", (request) => seen.push(request.url()));
    page.on("pageerror", (error) => fail(`the page threw: ${error.message}`));
    await page.goto(`${origin}/`);
    await page.waitForFunction("document.body.dataset.ready === 'true'", { timeout: 20000 });
    const atLoad = seen.length;
    await page.click("#Button2");
    const first = await page.$eval("#Label7", (label) => label.textContent);
    if (first !== "68,05") fail(`the folder's page shows C1 = "${first}" after Go`);
    for (const url of seen)
      if (!url.startsWith(origin) && !url.startsWith("data:")) fail(`the folder's page asked for ${url.slice(0, 80)}`);
    if (seen.length !== atLoad) fail(`the folder's page asked for more after load: ${seen.slice(atLoad).join(" ")}`);
  } finally {
    server.close();
  }
}

async function size() {
  const bytes = readFileSync(pagePath).length;
  console.log(`calculator.html: ${bytes} bytes`);
  if (bytes > 400 * 1024) fail(`the page is ${bytes} bytes, over its 400 kB`);
}

async function picture() {
  const [width, height] = form.window.clientSize;
  const page = await openPage({ width, height });
  await page.click("#Button2");
  await page.screenshot({ path: picturePath });
}

async function axe() {
  for (const scheme of ["light", "dark"]) {
    const page = await browser.newPage();
    await page.emulateMediaFeatures([{ name: "prefers-color-scheme", value: scheme }]);
    await page.goto(pathToFileURL(pagePath).href);
    await page.waitForFunction("document.body.dataset.ready === 'true'", { timeout: 20000 });
    await page.click("#Button2");
    await page.evaluate(readFileSync(require.resolve("axe-core/axe.min.js"), "utf8"));
    const found = await page.evaluate(async () => (await window.axe.run(document)).violations);
    if (scheme === "light") await spoken(page);
    for (const violation of found)
      fail(`axe, ${scheme}: ${violation.id}: ${violation.help} (${violation.nodes.map((n) => `${n.target.join(" ")}: ${n.any.map((a) => a.message).join(" ")}`).slice(0, 3).join("; ")})`);
    await page.close();
  }
}

browser = await puppeteer.launch({
  executablePath: "/usr/bin/chromium",
  headless: true,
  args: ["--no-sandbox", "--disable-gpu"],
});
try {
  await ({ boxes, requests, presses: pressGo, keys, axe, size, folder, picture })[check]();
} finally {
  await browser.close();
}
console.log(failures === 0 ? `${check}: passed` : `${check}: ${failures} failures`);
process.exit(failures === 0 ? 0 : 1);
