// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The window program: one application, one window, the message loop. No command line,
// settings or files are read.

#include <QtWidgets/QApplication>

#include "calc/input_checks.h"
#include "ui/application_title.h"
#include "ui/display_opening.h"
#include "ui/first_frame.h"
#include "ui/form_definition.h"
#include "ui/tform1.h"
#include "ui/window_look.h"

int main(int argc, char* argv[])
{
    // Qt reads its own options from the command line (-reverse, -qwindowtitle, -platform...):
    // it gets the program's name only. Its environment variables still apply.
    int qtArgc = argc > 0 ? 1 : 0;
    QGuiApplication::setDesktopFileName(QStringLiteral(BUTTERWORTH3_APP_ID));
    ui::DisplayOpening opening("butterworth3");
    QApplication app(qtArgc, argv);
    opening.Opened();
    QApplication::setApplicationName(ui::ApplicationTitle(QApplication::applicationFilePath()));
    ui::SetApplicationLook(ui::Form1Window());

    // The calculation's state lives as long as the program.
    calc::CalcState state;
    ui::TForm1 form(state);
    ui::WatchFirstFrame(form);
    form.show();
    return QApplication::exec();
}
