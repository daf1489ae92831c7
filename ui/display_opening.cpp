// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "ui/display_opening.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <optional>

#include <QtCore/QByteArray>
#include <QtCore/QString>

namespace ui {
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
std::optional<HeldStandardError> Held;
const char* Program = "";

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
        std::fprintf(stderr, "%s: the display %s could not be opened\n", Program,
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

DisplayOpening::DisplayOpening(const char* program)
{
    Program = program;
    if (OnDisplayPlatform()) {
        OpeningDisplay = &Held.emplace();
        qtsOwnHandler_ = qInstallMessageHandler(DisplayMessages);
        QtsOwnHandler = qtsOwnHandler_;
    }
}

DisplayOpening::~DisplayOpening()
{
    Opened();
}

void DisplayOpening::Opened()
{
    if (!qtsOwnHandler_)
        return;
    qInstallMessageHandler(qtsOwnHandler_);
    qtsOwnHandler_ = nullptr;
    OpeningDisplay = nullptr;
    Held.reset();
}

}  // namespace ui
