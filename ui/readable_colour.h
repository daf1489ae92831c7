// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// How readable a text colour is on what it is drawn on (the WCAG 2 contrast ratio), and the
// shade of a fixed colour that stays readable on a background the colour scheme chose.
#pragma once

#include <QtGui/QColor>

namespace ui {

// Normal text needs 4.5:1; large text (24 px, or bold of 19 px) 3:1.
inline constexpr double ReadableContrast = 4.5;
inline constexpr double ReadableLargeContrast = 3.0;

double RelativeLuminance(const QColor& colour);
// From 1 (the same luminance) to 21 (black and white), whichever colour is lighter.
double ContrastRatio(const QColor& first, const QColor& second);

// `colour` as it shows drawn over `background`: a translucent colour blended, opaque.
QColor AsDrawn(const QColor& colour, const QColor& background);

// `text` itself when it reaches `minimum` on `background`; otherwise the shade of the same
// hue, lighter on a dark background or darker on a light one, that reaches it with the least
// change of lightness.
QColor ReadableShade(const QColor& text, const QColor& background,
                     double minimum = ReadableContrast);

}  // namespace ui
