// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The window program: one application, one window, the message loop. No command line,
// settings or files are read.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <optional>

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

// What is written to standard error while Qt opens the display: the platform plugins and the
// libraries below them (libwayland writes straight to the file) report each failed attempt
// there. Held in a scratch file, it is passed on once a display is open and dropped when none
// can be, so that the user reads one line then.
class HeldStandardError {
public:
    HeldStandardError() : saved_(dup(STDERR_FILENO)), held_(std::tmpfile())
    {
        if (saved_ < 0 || !held_ || dup2(fileno(held_), STDERR_FILENO) < 0)
            Restore();
    }
    HeldStandardError(const HeldStandardError&) = delete;
    HeldStandardError& operator=(const HeldStandardError&) = delete;
    ~HeldStandardError() { Release(); }

    // Standard error as it was, without what was held.
    void Drop() { Restore(); }

    // Standard error as it was, with what was held written to it.
    void Release()
    {
        if (saved_ >= 0 && held_) {
            std::fflush(stderr);
            dup2(saved_, STDERR_FILENO);
            std::rewind(held_);
            char buffer[4096];
            std::size_t n = 0;
            while ((n = std::fread(buffer, 1, sizeof buffer, held_)) > 0)
                std::fwrite(buffer, 1, n, stderr);
        }
        Restore();
    }

private:
    void Restore()
    {
        std::fflush(stderr);
        if (saved_ >= 0) {
            dup2(saved_, STDERR_FILENO);
            close(saved_);
            saved_ = -1;
        }
        if (held_) {
            std::fclose(held_);
            held_ = nullptr;
        }
    }

    int saved_;
    std::FILE* held_;
};

HeldStandardError* OpeningDisplay = nullptr;

// Without a usable display, Qt's platform plugin ends the program with an abort and advice to
// reinstall it: instead one line that says the display could not be opened, and exit code 1.
// The plugins' own warnings on the way there say nothing more to the user.
void DisplayMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg) {
        if (OpeningDisplay)
            OpeningDisplay->Drop();
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
    std::optional<HeldStandardError> held;
    if (OnDisplayPlatform()) {
        OpeningDisplay = &held.emplace();
        QtsOwnHandler = qInstallMessageHandler(DisplayMessages);
    }
    QApplication app(qtArgc, argv);
    if (QtsOwnHandler) {
        qInstallMessageHandler(QtsOwnHandler);
        OpeningDisplay = nullptr;
        held.reset();
    }
    QApplication::setApplicationName(ui::ApplicationTitle(QApplication::applicationFilePath()));
    ui::SetApplicationLook(ui::Form1Window());

    // The calculation's state lives as long as the program.
    calc::CalcState state;
    ui::TForm1 form(state);
    ui::WatchFirstFrame(form);
    form.show();
    return QApplication::exec();
}
