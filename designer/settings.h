// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The last design that read, kept with QSettings in the platform's standard place, so that
// the window opens where the user left it.
#pragma once

#include <optional>

#include <QtCore/QByteArray>

#include "designer/command_line.h"

namespace designer {

void SaveLastDesign(const design::Settings& inputs);

// nullopt at first, or when what was kept no longer reads.
std::optional<design::Settings> LastDesign();

// Where the window was when it last closed: QWidget::saveGeometry (size, position, maximised
// state and screen) and its splitter's state where the user moved it; empty at first.
struct WindowPlace {
    QByteArray geometry;
    QByteArray splitter;
};
void KeepWindowPlace(const WindowPlace& place);
WindowPlace KeptWindowPlace();

}  // namespace designer
