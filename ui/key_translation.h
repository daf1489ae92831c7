// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// What one Qt key event means to an input field: the virtual key code of its key-down and
// the character, if any, that the key delivers. Both are worked out from the key and its
// modifiers; QKeyEvent::text() only supplies printable characters, because for control
// keys it differs between a real X server and synthesized events.
#pragma once

#include <optional>

#include <QtCore/qnamespace.h>

class QString;

namespace ui {

// The virtual key code of a key: Backspace 8, Enter 13, Shift 16, Ctrl 17, Alt 18,
// Escape 27, Delete 46, digits 48-57, letters 65-90, keypad digits 96-105, ... and 0 for a
// key with no code of its own.
int VirtualKeyCode(int key, Qt::KeyboardModifiers modifiers);

// The character a key delivers to a text field: Backspace 8 (with Ctrl 127), Enter 13
// (with Ctrl 10), Escape 27, Ctrl+A..Ctrl+Z 1..26, Ctrl+[ \ ] 27..29, otherwise the one
// printable character of `text`. Enter and Escape deliver theirs with any modifier; other
// Alt or Meta combinations, navigation and editing keys (Delete, Insert, arrows, Home,
// F-keys) and modifier keys deliver nothing.
std::optional<char32_t> DeliveredCharacter(int key, Qt::KeyboardModifiers modifiers,
                                           const QString& text);

}  // namespace ui
