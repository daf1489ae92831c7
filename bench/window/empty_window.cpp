// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The floor for the window benchmark: an empty Qt window of the main window's size, with
// the same first-frame probe and nothing else.
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

#include "ui/first_frame.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(738, 367);
    ui::WatchFirstFrame(window);
    window.show();
    return QApplication::exec();
}
