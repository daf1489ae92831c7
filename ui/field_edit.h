// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// An input field that splits each Qt key event into the steps the window's handlers need:
// the key-down with its virtual key code, then the delivered character (which the key-press
// hook may drop or replace), then the field's own editing, then `changed` when the text
// really changed. Edits that deliver no character (Delete, Shift+Insert, the context menu,
// text set by the program) reach the text without passing the key-press hook. Characters
// that an input method commits (dead keys, the compose key) are typed characters: each gets a
// key-down and passes the key-press hook.
#pragma once

#include <functional>
#include <optional>

#include <QtWidgets/QLineEdit>

namespace ui {

class FieldEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit FieldEdit(QWidget* parent = nullptr);

    std::function<void(int virtualKey)> keyDown;
    // May drop the character (reset to std::nullopt) or replace it.
    std::function<void(std::optional<char32_t>& key)> keyPress;

    // Sets the text as the program does: `changed` runs before this returns when the text
    // differs, and the caret ends at the start of the field.
    void setProgramText(const QString& text);

signals:
    void changed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool enterGoesToDefaultButton(const QKeyEvent& event) const;
    void editWith(QKeyEvent& event, const QString& text);
    void type(char32_t character);

    QString lastText_;
    bool lostFocusWithWindow_ = false;
};

}  // namespace ui
