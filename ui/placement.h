// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Where the window goes on its screen: the framed window centred in the screen's available
// area; where it does not fit, its top-left at the area's top-left, so that the title bar's
// left end (to move it), the frequency field, Go and Exit stay on the screen.
#pragma once

#include <QtCore/QPoint>
#include <QtCore/QRect>
#include <QtCore/QSize>

namespace ui {

QPoint PlacedFrame(const QRect& area, const QSize& framed);

}  // namespace ui
