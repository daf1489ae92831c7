// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// What the bundler gives the page from the build: the window's definition (form1.json, see
// form.ts), its pictures as data: addresses, the behaviour's module and its WebAssembly bytes.
declare module "form1/form1.json" {
  const form: import("./form").Form;
  export default form;
}
declare module "*.png" {
  const address: string;
  export default address;
}
declare module "calculator/calculator_module.wasm" {
  const bytes: Uint8Array;
  export default bytes;
}
declare module "calculator/calculator_module.mjs" {
  const create: (options: {
    wasmBinary: Uint8Array;
    locateFile: (name: string) => string;
  }) => Promise<import("./calculator").CalculatorModule>;
  export default create;
}
