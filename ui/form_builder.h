// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Builds a window from its definition (form_definition.h): the frame, the font and every
// control, named, placed, coloured, grouped, in tab order and described for screen readers.
#pragma once

#include <span>

#include "ui/form_definition.h"

class QLabel;
class QWidget;

namespace ui {

// Sizes a label to its text, as auto-sized labels do after every change of text.
void FitToText(QLabel& label);

void BuildForm(QWidget& window, const WindowDef& definition, std::span<const ControlDef> controls);

// Gives the fixed text colours drawn on the colour scheme's background a readable shade for
// the window's present palette; for when the scheme changes after the window was built.
void KeepFixedColoursReadable(QWidget& window, std::span<const ControlDef> controls);

}  // namespace ui
