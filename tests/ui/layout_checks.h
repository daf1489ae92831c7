// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Texts a control cuts off, as a person would see them: for the layout tests offscreen and
// under a Wayland compositor.
#pragma once

#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>

// The names of the fixed-size labels (banners, markers, values), buttons, radio buttons and
// group titles whose text does not fit them.
inline QStringList CutTexts(const QWidget& window)
{
    QStringList cut;
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (label->text().isEmpty())
            continue;
        const QFontMetrics metrics = label->fontMetrics();
        if (metrics.horizontalAdvance(label->text()) > label->width() ||
            metrics.height() > label->height())
            cut << label->objectName();
    }
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (button->sizeHint().width() > button->width())
            cut << button->objectName();
    }
    for (const QGroupBox* group : window.findChildren<QGroupBox*>()) {
        if (group->fontMetrics().horizontalAdvance(group->title()) >= group->width() - 16)
            cut << group->objectName();
    }
    return cut;
}
