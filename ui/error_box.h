// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The modal error box that the window shows for an error of a handler.
#pragma once

#include <string_view>

#include <QtCore/QString>

class QWidget;

namespace ui {

// The modal error box: stop icon, one OK, captioned with the application title; the text
// is the message with a full stop appended where it ends in a letter or digit, shown as
// plain text. Afterwards `window` is active again, with the keyboard focus where it was.
// A message that quotes a text too long for the screen (a field can hold megabytes of
// pasted text) shows that text cut in the middle; see QuoteCut.
void ShowErrorBox(QWidget* window, std::string_view message);

// The box's text with the text it quotes (between its first character, an apostrophe, and
// its last apostrophe; the whole text if it quotes nothing) cut to its first and last
// `kept` characters around "…", when the quoted text is longer than that. Surrogate pairs
// stay whole.
QString QuoteCut(const QString& text, qsizetype kept);

// The error box quotes at most this many characters of a text on each side of the cut,
// which keeps its layout to a few milliseconds; fewer when even that does not fit on the
// screen.
inline constexpr qsizetype LongestQuoteEdge = 1000;

}  // namespace ui
