// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "ui/key_translation.h"

#include <QtCore/QList>
#include <QtCore/QString>

namespace ui {
namespace {

// Keys of the 0x01000000 block that have a code of their own. Masking the Qt code would
// collide (Home is 0x01000010), so they are listed.
int NonPrintingKeyCode(int key)
{
    switch (key) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 9;
    case Qt::Key_Clear: return 12;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt:
    case Qt::Key_AltGr: return 18;
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Escape: return 27;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Print: return 44;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    case Qt::Key_Meta: return 91;
    case Qt::Key_Menu: return 93;
    case Qt::Key_NumLock: return 144;
    case Qt::Key_ScrollLock: return 145;
    default: break;
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return 112 + (key - Qt::Key_F1);
    return 0;
}

// Printable keys: the code of the unshifted key on a US keyboard, as the key-down reports
// the key and not the character.
int PrintableKeyCode(int key)
{
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return key;
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return key;
    switch (key) {
    case Qt::Key_Space: return 32;
    case Qt::Key_Exclam: return '1';
    case Qt::Key_At: return '2';
    case Qt::Key_NumberSign: return '3';
    case Qt::Key_Dollar: return '4';
    case Qt::Key_Percent: return '5';
    case Qt::Key_AsciiCircum: return '6';
    case Qt::Key_Ampersand: return '7';
    case Qt::Key_Asterisk: return '8';
    case Qt::Key_ParenLeft: return '9';
    case Qt::Key_ParenRight: return '0';
    case Qt::Key_Semicolon:
    case Qt::Key_Colon: return 186;
    case Qt::Key_Equal:
    case Qt::Key_Plus: return 187;
    case Qt::Key_Comma:
    case Qt::Key_Less: return 188;
    case Qt::Key_Minus:
    case Qt::Key_Underscore: return 189;
    case Qt::Key_Period:
    case Qt::Key_Greater: return 190;
    case Qt::Key_Slash:
    case Qt::Key_Question: return 191;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde: return 192;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft: return 219;
    case Qt::Key_Backslash:
    case Qt::Key_Bar: return 220;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight: return 221;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl: return 222;
    default: return 0;
    }
}

int KeypadKeyCode(int key)
{
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return 96 + (key - Qt::Key_0);
    switch (key) {
    case Qt::Key_Asterisk: return 106;
    case Qt::Key_Plus: return 107;
    case Qt::Key_Minus: return 109;
    case Qt::Key_Period:
    case Qt::Key_Comma: return 110;
    case Qt::Key_Slash: return 111;
    default: return 0;
    }
}

}  // namespace

int VirtualKeyCode(int key, Qt::KeyboardModifiers modifiers)
{
    if (const int code = NonPrintingKeyCode(key))
        return code;
    if (modifiers & Qt::KeypadModifier) {
        if (const int keypad = KeypadKeyCode(key))
            return keypad;
    }
    return PrintableKeyCode(key);
}

std::optional<char32_t> DeliveredCharacter(int key, Qt::KeyboardModifiers modifiers,
                                           const QString& text)
{
    const bool ctrl = modifiers & Qt::ControlModifier;
    // Enter and Escape reach the field as characters whatever modifier is held.
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return ctrl ? 10 : 13;
    case Qt::Key_Escape: return 27;
    default: break;
    }
    if (modifiers & (Qt::AltModifier | Qt::MetaModifier))
        return std::nullopt;
    if (key == Qt::Key_Backspace)
        return ctrl ? 127 : 8;
    if (ctrl) {
        if (key >= Qt::Key_A && key <= Qt::Key_Z)
            return char32_t(key - Qt::Key_A + 1);
        switch (key) {
        case Qt::Key_BracketLeft: return 27;
        case Qt::Key_Backslash: return 28;
        case Qt::Key_BracketRight: return 29;
        default: return std::nullopt;
        }
    }
    // The rest of the 0x01000000 block (Delete, Insert, arrows, F-keys, modifier keys) types
    // nothing; Key_unknown still may, through an input method's text.
    if (key >= Qt::Key_Escape && key != Qt::Key_unknown)
        return std::nullopt;
    const QList<uint> codePoints = text.toUcs4();
    if (codePoints.size() != 1 || codePoints.front() < 32 || codePoints.front() == 127)
        return std::nullopt;
    return char32_t(codePoints.front());
}

}  // namespace ui
