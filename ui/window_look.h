// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The look the window is drawn in: its face, the application style and the icon.
#pragma once

#include "ui/form_definition.h"

class QFont;
class QIcon;

namespace ui {

// The face that stands in for the window's sans-serif: a plain sans-serif with Cyrillic,
// narrow enough that every text fits where the definition puts it. `anyScript` is for texts
// from outside the window (the error box may quote pasted text), which may need Qt's
// fallback faces; the window's own fonts go without them.
QFont WindowFont(const FontDef& font, bool anyScript = false);

// Reads every size of the icon at once (QIcon does), so the window takes it only after
// its first frame.
QIcon WindowIcon(const WindowDef& window);

// The look the definition is drawn for, set once for the application before the window is
// built: Qt's "Windows" style, whose controls have the metrics that the definition's sizes
// assume (and which paints without Fusion's scaled pixmaps and their worker threads), and
// the window font as the application's, so that no widget lays out text in another face
// before it takes the window's.
void SetApplicationLook(const WindowDef& window);

}  // namespace ui
