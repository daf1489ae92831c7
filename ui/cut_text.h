// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Fixed-size labels whose text may not fit: a text that does not fit is drawn cut at the
// label's edge with "…" where it is cut, so that it cannot be read as a whole number, and
// the label's tooltip gives the whole text. The label's text itself stays whole, and so does
// what a screen reader reads from it.
#pragma once

class QLabel;
class QString;

namespace ui {

// Draws the label's text cut with "…" whenever it does not fit.
void DrawCutWithEllipsis(QLabel& label);

// Sets the text, with the whole text as the tooltip when it does not fit.
void SetCutText(QLabel& label, const QString& text);

}  // namespace ui
