// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Colour schemes of real desktops, as palettes a test can set: the colours of KDE's Breeze
// Dark (as its kdeglobals gives them) and a white-on-black high-contrast scheme.
#pragma once

#include <QtGui/QColor>
#include <QtGui/QPalette>

struct SchemeColours {
    QColor window, windowText, base, text, button, buttonText, highlight, highlightedText;
};

inline QPalette SchemePalette(const SchemeColours& c)
{
    QPalette palette(c.button);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Window, c.window);
        palette.setColor(group, QPalette::WindowText, c.windowText);
        palette.setColor(group, QPalette::Base, c.base);
        palette.setColor(group, QPalette::AlternateBase, c.base);
        palette.setColor(group, QPalette::Text, c.text);
        palette.setColor(group, QPalette::Button, c.button);
        palette.setColor(group, QPalette::ButtonText, c.buttonText);
        palette.setColor(group, QPalette::Highlight, c.highlight);
        palette.setColor(group, QPalette::HighlightedText, c.highlightedText);
        palette.setColor(group, QPalette::ToolTipBase, c.window);
        palette.setColor(group, QPalette::ToolTipText, c.windowText);
    }
    return palette;
}

inline QPalette BreezeDarkPalette()
{
    const QColor grey(49, 54, 59), view(35, 38, 41), light(239, 240, 241);
    return SchemePalette({grey, light, view, light, grey, light, QColor(61, 174, 233), light});
}

inline QPalette HighContrastPalette()
{
    return SchemePalette({Qt::black, Qt::white, Qt::black, Qt::white, Qt::black, Qt::white,
                          QColor(0, 255, 255), Qt::black});
}
