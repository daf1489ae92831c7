// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The calculator's page: the window's controls from its definition, their events handed to
// the window's own behaviour (WebAssembly), and the changes it makes shown in its order. No
// number is computed here.
import form from "form1/form1.json";
import createModule from "calculator/calculator_module.mjs";
import wasmBinary from "calculator/calculator_module.wasm";
import lowPass from "form1/lowpass.png";
import lowPassDense from "form1/lowpass@2x.png";
import highPass from "form1/highpass.png";
import highPassDense from "form1/highpass@2x.png";
import type { Calculator, Change, FieldIndex } from "./calculator";
import { buildForm } from "./form";

const Fields = ["Edit1", "Edit3", "Edit4"] as const;
const Results = [
  ["Label7", "Label9", "Label27"],
  ["Label8", "Label10", "Label28"],
  ["Label12", "Label22", "Label29"],
  ["Label15", "Label17", "Label30"],
  ["Label16", "Label18", "Label31"],
  ["Label25", "Label26", "Label32"],
] as const; // value, unit, marker of C1, C2, C3, R1, R2, R3
const Backspace = 8;

async function start(): Promise<void> {
  // The bytes are here: the module is to look for no file (locateFile keeps it from making an
  // address of its own).
  const module = await createModule({ wasmBinary, locateFile: (name) => name });
  const root = document.getElementById("form")!;
  const controls = buildForm(root, form, {
    "lowpass.png": lowPass,
    "lowpass@2x.png": lowPassDense,
    "highpass.png": highPass,
    "highpass@2x.png": highPassDense,
  });
  document.title = form.window.caption;
  const get = <T extends HTMLElement>(name: string) => controls.get(name) as T;
  // The window's title line heads the page; the link is not on the window's Tab path.
  get("Label1").setAttribute("role", "heading");
  get("Label1").setAttribute("aria-level", "1");
  get("Label24").tabIndex = -1;
  const fields = Fields.map((name) => get<HTMLInputElement>(name));
  const calculator: Calculator = new module.Calculator(fields[0].value, fields[1].value, fields[2].value);
  const announcer = document.getElementById("announcer")!;
  const box = document.getElementById("error-box") as HTMLDialogElement;
  let goEnabled = true;

  const show = (change: Change): void => {
    switch (change.op) {
      case "fieldText":
        fields[change.field].value = change.text;
        break;
      case "caretAtStart":
        fields[change.field].setSelectionRange(0, 0);
        break;
      case "highlight":
        fields[change.field].classList.toggle("highlighted", change.on);
        break;
      case "focus":
        fields[change.field].focus();
        fields[change.field].select();
        break;
      case "banner":
        get(change.name).hidden = !change.shown;
        break;
      case "value":
        get(Results[change.component][0]).textContent = change.text;
        break;
      case "unit":
        get(Results[change.component][1]).textContent = change.text;
        break;
      case "marker":
        get(Results[change.component][2]).hidden = !change.shown;
        break;
      case "go":
        goEnabled = change.enabled;
        get<HTMLButtonElement>("Button2").disabled = !change.enabled;
        break;
      case "announce":
        announcer.textContent = change.text;
        break;
      case "errorBox":
        box.querySelector(".message")!.textContent = change.text;
        box.showModal();
        break;
      case "quit":
        window.close();
        // A tab the page did not open stays open: the calculator ends in it.
        document.body.classList.add("ended");
        break;
      case "openLink":
        window.open(form.window.linkUrl, "_blank", "noopener");
        break;
    }
  };
  const run = (event: () => void): void => {
    event();
    for (const change of JSON.parse(calculator.takeChanges()) as Change[]) show(change);
  };

  fields.forEach((field, index) => {
    const f = index as FieldIndex;
    let lastKey = 0;
    field.addEventListener("keydown", (event) => {
      if (event.isComposing) return;
      lastKey = event.keyCode;
      run(() => calculator.keyDown(f, event.keyCode));
      const plain = !event.shiftKey && !event.ctrlKey && !event.altKey && !event.metaKey;
      if (event.key === "Enter" && plain && goEnabled) {
        // Enter presses Go, and the field sees nothing of it.
        event.preventDefault();
        run(() => calculator.enter());
      } else if (event.key === "Enter" || event.key === "Escape") {
        // Characters of their own, which the filter drops after their handlers ran.
        event.preventDefault();
        run(() => calculator.keyPress(f, event.key === "Enter" ? 13 : 27));
      }
    });
    field.addEventListener("beforeinput", (event) => {
      if (event.inputType === "insertText" && event.data) {
        event.preventDefault();
        for (const character of event.data) {
          let reaches = -1;
          run(() => (reaches = calculator.keyPress(f, character.codePointAt(0)!)));
          if (reaches >= 0) field.setRangeText(String.fromCodePoint(reaches), field.selectionStart!, field.selectionEnd!, "end");
        }
        run(() => calculator.change(f, field.value));
      } else if (event.inputType === "deleteContentBackward" && lastKey === Backspace) {
        let reaches = -1;
        run(() => (reaches = calculator.keyPress(f, Backspace)));
        if (reaches < 0) event.preventDefault();
      }
    });
    // Every edit that is no typed character (a paste, a cut, a deletion) arrives here.
    field.addEventListener("input", () => run(() => calculator.change(f, field.value)));
    // The whole text is selected when Tab brings the focus, as in the window.
    field.addEventListener("focus", () => field.select());
  });
  for (const name of ["RadioButton1", "RadioButton2", "RadioButton3", "RadioButton4"]) {
    get(name)
      .querySelector("input")!
      .addEventListener("change", (event) => {
        if ((event.target as HTMLInputElement).checked) run(() => calculator.click(name));
      });
  }
  get("Button2").addEventListener("click", () => run(() => calculator.click("Button2")));
  get("Button1").addEventListener("click", () => run(() => calculator.click("Button1")));
  box.addEventListener("close", () => run(() => calculator.errorBoxClosed()));
  document.getElementById("start-again")!.addEventListener("click", () => location.reload());

  // Narrower than the window (a phone): the whole window scaled to the width, nothing cut.
  const [width, height] = form.window.clientSize;
  const fit = (): void => {
    const scale = Math.min(1, document.documentElement.clientWidth / width);
    root.style.transform = scale < 1 ? `scale(${scale})` : "";
    document.body.style.height = scale < 1 ? `${height * scale}px` : "";
  };
  window.addEventListener("resize", fit);
  fit();

  run(() => calculator.formShow());
  fields[0].focus();
  // For the tests: the window's state as the behaviour holds it, its values as doubles.
  (window as unknown as { calculatorState: () => unknown }).calculatorState = () => JSON.parse(calculator.state());
  document.body.dataset.ready = "true";
}

start();
