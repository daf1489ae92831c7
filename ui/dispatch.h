// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The one place where an error escaping an event handler is caught. Qt's own libraries are
// built without exception tables, so no exception may unwind through their frames: every
// handler of the window runs inside RunHandler, which abandons the handler at the error
// (whatever it already changed stays changed) and shows the error box.
#pragma once

#include <exception>
#include <utility>

#include "calc/errors.h"
#include "ui/error_box.h"

namespace ui {

// Runs `handler`; returns false when it was abandoned by an error.
template <typename Handler>
bool RunHandler(QWidget* window, Handler&& handler) noexcept
{
    try {
        std::forward<Handler>(handler)();
        return true;
    } catch (const calc::CalcError& error) {
        // The whole message: a quoted field text may hold NUL characters, where what()
        // would end it.
        ShowErrorBox(window, error.message());
    } catch (const std::exception& error) {
        ShowErrorBox(window, error.what());
    }
    return false;
}

}  // namespace ui
