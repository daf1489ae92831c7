// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Shared by the designer's window tests: a designer window shown and active, whose last design
// is kept in a test folder rather than the user's settings, and small helpers that act as a
// user would.
#pragma once

#include <memory>

#include <QtCore/QStandardPaths>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>

#include "designer/designer_window.h"

inline std::unique_ptr<designer::DesignerWindow> ShownDesigner(const design::Settings& inputs = {},
                                                               QSize size = {})
{
    QStandardPaths::setTestModeEnabled(true);
    auto window = std::make_unique<designer::DesignerWindow>(inputs);
    if (size.isValid()) {
        // Not maximised, as it opens on a screen smaller than its content.
        window->setWindowState(Qt::WindowNoState);
        window->resize(size);
    }
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get()))
        qWarning("the designer window did not become active");
    return window;
}

// Replaces a text field's text by typing, as a user who selected it all would.
inline void TypeInto(QLineEdit* field, const QString& text)
{
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
}
