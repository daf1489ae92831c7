// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The window's controls made as elements from its definition (form1.json, written from the
// window's own table by form1_export): each at its rectangle in its parent, with its text,
// font, colours and what a screen reader says of it.

export interface FontDef {
  pixelSize: number; // 0: the window's
  bold: boolean;
  underline: boolean;
}

export type Kind = "Label" | "Link" | "GroupBox" | "Picture" | "Edit" | "RadioButton" | "PushButton";

export interface ControlDef {
  name: string;
  kind: Kind;
  parent: string | null;
  rect: [number, number, number, number]; // left, top, width, height in the parent
  text: string; // a picture's: its PNG file's name
  font: FontDef;
  textColour: string | null; // null: the scheme's
  // A fixed colour on the window's ground, shaded as the window shades it to stay readable.
  textShades: { light: string; dark: string } | null;
  background: string | null;
  flags: string[];
  accessibleName: string | null;
  accessibleDescription: string | null;
}

export interface Form {
  window: {
    name: string;
    caption: string;
    clientSize: [number, number];
    font: FontDef;
    grounds: { light: string; dark: string };
    icons: { file: string; width: number; height: number }[];
    linkUrl: string;
    tabOrder: string[];
  };
  controls: ControlDef[];
}

// The pictures by their files' names, as data: addresses.
export type Pictures = Record<string, string>;

function applyFont(element: HTMLElement, font: FontDef): void {
  if (font.pixelSize > 0) element.style.fontSize = `${font.pixelSize}px`;
  if (font.bold) element.style.fontWeight = "bold";
  if (font.underline) element.style.textDecoration = "underline";
}

function element<K extends keyof HTMLElementTagNameMap>(tag: K, className: string, text = ""): HTMLElementTagNameMap[K] {
  const made = document.createElement(tag);
  made.className = className;
  made.textContent = text;
  return made;
}

function make(def: ControlDef, linkUrl: string, pictures: Pictures): HTMLElement {
  switch (def.kind) {
    case "Label":
      return element("div", "label", def.text);
    case "Link": {
      // A normal link: it opens in a new tab.
      const link = element("a", "label", def.text);
      link.href = linkUrl;
      link.target = "_blank";
      link.rel = "noopener";
      return link;
    }
    case "GroupBox": {
      const group = element("div", "group");
      group.setAttribute("role", "group");
      group.append(element("span", "group-title", def.text));
      return group;
    }
    case "Picture": {
      const picture = document.createElement("img");
      picture.src = pictures[def.text];
      const dense = pictures[def.text.replace(/\.png$/, "@2x.png")];
      if (dense) picture.srcset = `${pictures[def.text]} 1x, ${dense} 2x`;
      picture.alt = def.accessibleName ?? "";
      return picture;
    }
    case "Edit": {
      const field = document.createElement("input");
      field.type = "text";
      field.value = def.text;
      field.spellcheck = false;
      field.autocomplete = "off";
      return field;
    }
    case "RadioButton": {
      const button = document.createElement("label");
      button.className = "radio";
      const input = document.createElement("input");
      input.type = "radio";
      input.name = def.parent ?? "frequency-unit";
      input.checked = def.flags.includes("checked");
      button.append(input, document.createTextNode(def.text));
      return button;
    }
    case "PushButton": {
      const button = document.createElement("button");
      button.type = "button";
      button.textContent = def.text;
      return button;
    }
  }
}

// The controls in creation order inside `root`, by name.
export function buildForm(root: HTMLElement, form: Form, pictures: Pictures): Map<string, HTMLElement> {
  const made = new Map<string, HTMLElement>();
  root.style.width = `${form.window.clientSize[0]}px`;
  root.style.height = `${form.window.clientSize[1]}px`;
  applyFont(root, form.window.font);
  document.body.style.setProperty("--ground-light", form.window.grounds.light);
  document.body.style.setProperty("--ground-dark", form.window.grounds.dark);
  for (const def of form.controls) {
    const element = make(def, form.window.linkUrl, pictures);
    element.id = def.name;
    element.classList.add("control");
    const [left, top, width, height] = def.rect;
    element.style.left = `${left}px`;
    element.style.top = `${top}px`;
    // A label sizes itself to its text unless its size is fixed.
    const sizedToText = (def.kind === "Label" || def.kind === "Link") && !def.flags.includes("fixedSize");
    if (!sizedToText) {
      element.style.width = `${width}px`;
      element.style.height = `${height}px`;
    }
    applyFont(element, def.font);
    if (def.textShades) {
      element.style.setProperty("--text-light", def.textShades.light);
      element.style.setProperty("--text-dark", def.textShades.dark);
    } else if (def.textColour) {
      element.style.setProperty("--text-light", def.textColour);
      element.style.setProperty("--text-dark", def.textColour);
    }
    if (def.background && def.flags.includes("opaque")) element.style.setProperty("--own-ground", def.background);
    if (def.flags.includes("centred")) element.classList.add("centred");
    if (def.flags.includes("hidden")) element.hidden = true;
    if (def.flags.includes("announced")) element.setAttribute("role", "alert");
    const target = def.kind === "RadioButton" ? (element.querySelector("input") as HTMLElement) : element;
    if (def.accessibleName && def.kind !== "Picture") target.setAttribute("aria-label", def.accessibleName);
    if (def.accessibleDescription) target.setAttribute("aria-description", def.accessibleDescription);
    element.style.zIndex = String(made.size);
    (def.parent ? made.get(def.parent)! : root).append(element);
    made.set(def.name, element);
  }
  // Tab visits the window's order without a tabindex of its own: each container's elements
  // are put in that order, a control that takes no focus before the next that does (a field's
  // label before the field). Later controls still draw over earlier ones, as in the window.
  const tabPosition = new Map(form.window.tabOrder.map((name, index) => [name, index]));
  const keyOf = (element: Element): number =>
    Math.min(tabPosition.get(element.id) ?? Infinity, ...Array.from(element.children, keyOf));
  for (const container of [root, ...root.querySelectorAll(".group")]) {
    const children = Array.from(container.children).filter((child) => child.classList.contains("control"));
    const keys = children.map(keyOf);
    for (let i = keys.length - 2; i >= 0; i -= 1) if (keys[i] === Infinity) keys[i] = keys[i + 1];
    children
      .map((child, index) => ({ child, key: keys[index], index }))
      .sort((a, b) => a.key - b.key || a.index - b.index)
      .forEach(({ child }) => container.append(child));
  }
  return made;
}
