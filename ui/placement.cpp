// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "ui/placement.h"

namespace ui {

QPoint PlacedFrame(const QRect& area, const QSize& framed)
{
    if (framed.width() > area.width() || framed.height() > area.height())
        return area.topLeft();
    QRect frame(QPoint(), framed);
    frame.moveCenter(area.center());
    return frame.topLeft();
}

}  // namespace ui
