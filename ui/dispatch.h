// The one place where an error escaping an event handler is caught. Qt's own libraries are
// built without exception tables, so no exception may unwind through their frames: every
// handler of the window runs inside RunHandler, which abandons the handler at the error
// (whatever it already changed stays changed) and shows the error box.
#pragma once

#include <exception>
#include <string_view>
#include <utility>

class QWidget;

namespace ui {

// The modal error box: stop icon, one OK, captioned with the application title; the text
// is the message with a full stop appended where it ends in a letter or digit. Afterwards
// `window` is active again, with the keyboard focus where it was.
void ShowErrorBox(QWidget* window, std::string_view message);

// Runs `handler`; returns false when it was abandoned by an error.
template <typename Handler>
bool RunHandler(QWidget* window, Handler&& handler) noexcept
{
    try {
        std::forward<Handler>(handler)();
        return true;
    } catch (const std::exception& error) {
        ShowErrorBox(window, error.what());
    }
    return false;
}

}  // namespace ui
