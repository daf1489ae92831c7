// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The window's behaviour as the WebAssembly module gives it (web/calculator_module.cpp).

export type FieldIndex = 0 | 1 | 2; // frequency, resistance, capacitance

export interface Calculator {
  formShow(): void;
  keyDown(field: FieldIndex, key: number): void;
  // The character that reaches the field, or -1.
  keyPress(field: FieldIndex, character: number): number;
  change(field: FieldIndex, text: string): void;
  click(control: string): void;
  enter(): void;
  errorBoxClosed(): void;
  takeChanges(): string;
  state(): string;
}

export interface CalculatorModule {
  Calculator: new (frequency: string, resistance: string, capacitance: string) => Calculator;
}

// One change the behaviour made, in order.
export type Change =
  | { op: "fieldText"; field: FieldIndex; text: string }
  | { op: "caretAtStart"; field: FieldIndex }
  | { op: "highlight"; field: FieldIndex; on: boolean }
  | { op: "focus"; field: FieldIndex }
  | { op: "banner"; name: string; shown: boolean }
  | { op: "value"; component: number; text: string }
  | { op: "unit"; component: number; text: string }
  | { op: "marker"; component: number; shown: boolean }
  | { op: "go"; enabled: boolean }
  | { op: "announce"; text: string }
  | { op: "errorBox"; text: string }
  | { op: "quit" }
  | { op: "openLink" };
