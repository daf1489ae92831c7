// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Start-up measurement hook, off by default. With BUTTERWORTH3_FIRST_FRAME set in the
// environment, the window's first painted frame prints "first-frame <ns>" (CLOCK_MONOTONIC)
// to standard output and ends the program, so that a benchmark can time the start and read
// the peak memory from outside. Header-only, so that a bare comparison window can use the
// same probe without linking anything of the program.
#pragma once

#include <time.h>

#include <cstdio>

#include <QtCore/QCoreApplication>
#include <QtCore/QEvent>
#include <QtCore/QObject>
#include <QtCore/QTimer>

namespace ui {

inline constexpr const char* FirstFrameVariable = "BUTTERWORTH3_FIRST_FRAME";

class FirstFrameProbe : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // The window's paint event opens the frame; its children are painted and the frame is
        // flushed before the queued report runs.
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            QTimer::singleShot(0, this, &FirstFrameProbe::Report);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    static void Report()
    {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        std::printf("first-frame %lld\n",
                    static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
        std::fflush(stdout);
        QCoreApplication::quit();
    }

    bool seen_ = false;
};

inline void WatchFirstFrame(QObject& window)
{
    if (!qEnvironmentVariableIsSet(FirstFrameVariable))
        return;
    window.installEventFilter(new FirstFrameProbe(&window));
}

}  // namespace ui
