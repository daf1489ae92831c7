// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Opening the display at start-up, for each window program: without a usable display, Qt's
// platform plugin ends the program with an abort and advice to reinstall it; instead the
// program says in one line that the display could not be opened, and ends with exit code 1.
// The platforms' own warnings on the way to a display that does open are passed on.
#pragma once

#include <QtCore/QtGlobal>

namespace ui {

// Made before the QApplication and told when it is made; `program` starts the one line.
class DisplayOpening {
public:
    explicit DisplayOpening(const char* program);
    DisplayOpening(const DisplayOpening&) = delete;
    DisplayOpening& operator=(const DisplayOpening&) = delete;
    ~DisplayOpening();

    // The application is made: Qt's messages go their own way again.
    void Opened();

private:
    QtMessageHandler qtsOwnHandler_ = nullptr;
};

}  // namespace ui
