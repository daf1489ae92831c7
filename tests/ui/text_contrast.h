// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The contrast of each text a window shows against what it is drawn on (WCAG 2), and the
// ratio it needs: for the colour-scheme tests and the desktop probe.
#pragma once

#include <QtCore/QMap>
#include <QtGui/QFont>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>

#include "ui/readable_colour.h"

// What a control's text is drawn on: its own background where it fills one (a field's base,
// a button's face, an opaque label), otherwise that of the nearest ancestor that does.
inline QColor GroundOf(const QWidget* widget)
{
    if (qobject_cast<const QLineEdit*>(widget))
        return widget->palette().color(QPalette::Base);
    if (qobject_cast<const QPushButton*>(widget))
        return widget->palette().color(QPalette::Button);
    while (!widget->autoFillBackground() && !widget->isWindow())
        widget = widget->parentWidget();
    return widget->palette().color(widget->backgroundRole());
}

inline double NeededFor(const QFont& font)
{
    const bool large = font.pixelSize() >= 24 || (font.bold() && font.pixelSize() >= 19);
    return large ? ui::ReadableLargeContrast : ui::ReadableContrast;
}

struct Reading {
    double ratio;
    double needed;
};

inline void ReadShownTexts(const QWidget& window, const QString& state,
                           QMap<QString, Reading>& texts)
{
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        const auto* label = qobject_cast<const QLabel*>(widget);
        if (!widget->isVisible() || !widget->isEnabled() || (label && label->text().isEmpty()))
            continue;
        if (!label && !qobject_cast<QAbstractButton*>(widget) &&
            !qobject_cast<QGroupBox*>(widget) && !qobject_cast<QLineEdit*>(widget))
            continue;
        const QColor text = widget->palette().color(widget->foregroundRole());
        texts.insert(state + widget->objectName(),
                     {ui::ContrastRatio(text, GroundOf(widget)), NeededFor(widget->font())});
    }
}
