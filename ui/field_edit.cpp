// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "ui/field_edit.h"

#include <climits>

#include <QtGui/QAction>
#include <QtGui/QContextMenuEvent>
#include <QtGui/QInputMethodEvent>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QMenu>
#include <QtWidgets/QPushButton>

#include "ui/key_translation.h"

namespace ui {
namespace {

// The key-down code that comes before a character an input method delivers (VK_PROCESSKEY);
// anything but Backspace, whose flag would let the character through the filter.
constexpr int InputMethodKeyCode = 229;

}  // namespace

FieldEdit::FieldEdit(QWidget* parent) : QLineEdit(parent)
{
    setMaxLength(INT_MAX);
    setAcceptDrops(false);
    // Qt also reports an edit that ends with the same text (a paste over an identical
    // selection); the window only cares about real changes.
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (text == lastText_)
            return;
        lastText_ = text;
        emit changed();
    });
}

void FieldEdit::setProgramText(const QString& text)
{
    setText(text);
    setCursorPosition(0);
}

bool FieldEdit::enterGoesToDefaultButton(const QKeyEvent& event) const
{
    if (event.key() != Qt::Key_Return && event.key() != Qt::Key_Enter)
        return false;
    const Qt::KeyboardModifiers held =
        Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if (event.modifiers() & held)
        return false;
    for (const QPushButton* button : window()->findChildren<QPushButton*>()) {
        if (button->window() == window() && button->isDefault() && button->isVisible())
            return button->isEnabled();
    }
    return false;
}

void FieldEdit::keyPressEvent(QKeyEvent* event)
{
    // Left to the window, which presses the default button; the field sees nothing of it.
    if (enterGoesToDefaultButton(*event)) {
        event->ignore();
        return;
    }
    if (keyDown)
        keyDown(VirtualKeyCode(event->key(), event->modifiers()));

    const std::optional<char32_t> typed =
        DeliveredCharacter(event->key(), event->modifiers(), event->text());
    if (!typed) {
        // Navigation and non-character edits; the text is withheld so that Qt inserts
        // nothing for combinations such as Alt+A.
        editWith(*event, QString());
        return;
    }
    std::optional<char32_t> key = typed;
    if (keyPress)
        keyPress(key);
    if (!key) {
        event->accept();
        return;
    }
    if (*key == *typed) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    // A replaced character is typed as if it had been the key itself, so it replaces a
    // selection and can be undone like any other.
    QKeyEvent replaced(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUcs4(&*key, 1));
    QLineEdit::keyPressEvent(&replaced);
    event->accept();
}

// Composed characters come as one commit that bypasses keyPressEvent; each is typed in turn.
// Text still being composed (pre-edit) never enters the field.
void FieldEdit::inputMethodEvent(QInputMethodEvent* event)
{
    event->accept();
    for (const char32_t character : event->commitString().toUcs4()) {
        if (keyDown)
            keyDown(InputMethodKeyCode);
        type(character);
    }
}

// Qt's menu, without the shortcut texts after its entries: the key filter drops those keys.
void FieldEdit::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStandardContextMenu();
    for (QAction* action : menu->actions())
        action->setText(action->text().section(QLatin1Char('\t'), 0, 0));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void FieldEdit::type(char32_t character)
{
    std::optional<char32_t> key = character;
    if (keyPress)
        keyPress(key);
    if (!key)
        return;
    QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUcs4(&*key, 1));
    QLineEdit::keyPressEvent(&typed);
}

void FieldEdit::editWith(QKeyEvent& event, const QString& text)
{
    QKeyEvent stripped(event.type(), event.key(), event.modifiers(), event.nativeScanCode(),
                       event.nativeVirtualKey(), event.nativeModifiers(), text,
                       event.isAutoRepeat(), event.count());
    QLineEdit::keyPressEvent(&stripped);
    event.setAccepted(stripped.isAccepted());
}

void FieldEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    // The whole text is selected when the focus moves here, so the first character typed
    // replaces it; not for a mouse click, nor when the focus only comes back with its
    // window or from a popup menu, which keeps the field as it was.
    const Qt::FocusReason reason = event->reason();
    const bool returning = lostFocusWithWindow_ && (reason == Qt::ActiveWindowFocusReason ||
                                                    reason == Qt::PopupFocusReason);
    if (reason != Qt::MouseFocusReason && !returning)
        selectAll();
    lostFocusWithWindow_ = false;
}

void FieldEdit::focusOutEvent(QFocusEvent* event)
{
    lostFocusWithWindow_ =
        event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason;
    QLineEdit::focusOutEvent(event);
}

}  // namespace ui
