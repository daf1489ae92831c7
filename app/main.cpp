// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The window program: one application, one window, the message loop. No command line,
// settings or files are read.
#include <cstdio>
#include <cstdlib>

#include <QtCore/QByteArray>
#include <QtWidgets/QApplication>

#include "calc/input_checks.h"
#include "ui/application_title.h"
#include "ui/first_frame.h"
#include "ui/form_definition.h"
#include "ui/tform1.h"
#include "ui/window_look.h"

namespace {

QtMessageHandler QtsOwnHandler = nullptr;

// Without a usable display, Qt's platform plugin ends the program with an abort and advice to
// reinstall it: instead one line that says the display could not be opened, and exit code 1.
// The plugin's own warnings on the way there say nothing more to the user.
void DisplayMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg) {
        const bool wayland = qgetenv("QT_QPA_PLATFORM").startsWith("wayland");
        const QByteArray display = qgetenv(wayland ? "WAYLAND_DISPLAY" : "DISPLAY");
        std::fprintf(stderr, "butterworth3: the display %s could not be opened\n",
                     display.isEmpty() ? "(none set)" : display.constData());
        std::fflush(stderr);
        std::_Exit(1);
    }
    if (context.category && QByteArray(context.category).startsWith("qt.qpa."))
        return;
    QtsOwnHandler(type, context, message);
}

bool OnDisplayPlatform()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    return platform.isEmpty() || platform.startsWith("xcb") || platform.startsWith("wayland");
}

}  // namespace

int main(int argc, char* argv[])
{
    // Qt reads its own options from the command line (-reverse, -qwindowtitle, -platform...):
    // it gets the program's name only. Its environment variables still apply.
    int qtArgc = argc > 0 ? 1 : 0;
    QGuiApplication::setDesktopFileName(QStringLiteral(BUTTERWORTH3_APP_ID));
    if (OnDisplayPlatform())
        QtsOwnHandler = qInstallMessageHandler(DisplayMessages);
    QApplication app(qtArgc, argv);
    if (QtsOwnHandler)
        qInstallMessageHandler(QtsOwnHandler);
    QApplication::setApplicationName(ui::ApplicationTitle(QApplication::applicationFilePath()));
    ui::SetApplicationLook(ui::Form1Window());

    // The calculation's state lives as long as the program.
    calc::CalcState state;
    ui::TForm1 form(state);
    ui::WatchFirstFrame(form);
    form.show();
    return QApplication::exec();
}
