// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Key events as the input fields read them. Each character row is checked with the text
// that a real X server gives and with the text QTest gives, which differ for control keys.
#include <optional>

#include <QtTest/QTest>

#include "ui/key_translation.h"

using OptionalChar = std::optional<char32_t>;
Q_DECLARE_METATYPE(OptionalChar)

class TestKeyTranslation : public QObject {
    Q_OBJECT
private slots:
    void deliveredCharacter_data();
    void deliveredCharacter();
    void virtualKeyCode_data();
    void virtualKeyCode();
};

namespace {
constexpr Qt::KeyboardModifiers None = Qt::NoModifier;
constexpr Qt::KeyboardModifiers Ctrl = Qt::ControlModifier;
constexpr Qt::KeyboardModifiers Shift = Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers Alt = Qt::AltModifier;
constexpr Qt::KeyboardModifiers Keypad = Qt::KeypadModifier;
}  // namespace

void TestKeyTranslation::deliveredCharacter_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("xText");
    QTest::addColumn<QString>("qtestText");
    QTest::addColumn<OptionalChar>("expected");

    const OptionalChar none;
    // clang-format off
    QTest::newRow("digit") << int(Qt::Key_7) << None << "7" << "7" << OptionalChar(U'7');
    QTest::newRow("full stop") << int(Qt::Key_Period) << None << "." << "." << OptionalChar(U'.');
    QTest::newRow("keypad full stop") << int(Qt::Key_Period) << Keypad << "." << "." << OptionalChar(U'.');
    QTest::newRow("shifted letter") << int(Qt::Key_A) << Shift << "A" << "A" << OptionalChar(U'A');
    QTest::newRow("cyrillic letter") << int(0x0436) << None << "ж" << "ж" << OptionalChar(U'ж');
    QTest::newRow("space") << int(Qt::Key_Space) << None << " " << " " << OptionalChar(U' ');
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << None << "\b" << "" << OptionalChar(8);
    QTest::newRow("ctrl+backspace") << int(Qt::Key_Backspace) << Ctrl << "\x7f" << "" << OptionalChar(127);
    QTest::newRow("enter") << int(Qt::Key_Return) << None << "\r" << "\r" << OptionalChar(13);
    QTest::newRow("keypad enter") << int(Qt::Key_Enter) << Keypad << "\r" << "" << OptionalChar(13);
    QTest::newRow("ctrl+enter") << int(Qt::Key_Return) << Ctrl << "\r" << "" << OptionalChar(10);
    QTest::newRow("alt+enter") << int(Qt::Key_Return) << Alt << "\r" << "" << OptionalChar(13);
    QTest::newRow("escape") << int(Qt::Key_Escape) << None << "\x1b" << "" << OptionalChar(27);
    QTest::newRow("shift+escape") << int(Qt::Key_Escape) << Shift << "\x1b" << "" << OptionalChar(27);
    QTest::newRow("ctrl+a") << int(Qt::Key_A) << Ctrl << "\x01" << "a" << OptionalChar(1);
    QTest::newRow("ctrl+c") << int(Qt::Key_C) << Ctrl << "\x03" << "c" << OptionalChar(3);
    QTest::newRow("ctrl+v") << int(Qt::Key_V) << Ctrl << "\x16" << "v" << OptionalChar(22);
    QTest::newRow("ctrl+x") << int(Qt::Key_X) << Ctrl << "\x18" << "x" << OptionalChar(24);
    QTest::newRow("ctrl+z") << int(Qt::Key_Z) << Ctrl << "\x1a" << "z" << OptionalChar(26);
    QTest::newRow("ctrl+shift+z") << int(Qt::Key_Z) << (Ctrl | Shift) << "\x1a" << "Z" << OptionalChar(26);
    QTest::newRow("ctrl+[") << int(Qt::Key_BracketLeft) << Ctrl << "\x1b" << "[" << OptionalChar(27);
    QTest::newRow("ctrl+digit") << int(Qt::Key_5) << Ctrl << "5" << "5" << none;
    QTest::newRow("delete") << int(Qt::Key_Delete) << None << "\x7f" << "" << none;
    QTest::newRow("shift+delete") << int(Qt::Key_Delete) << Shift << "\x7f" << "" << none;
    QTest::newRow("shift+insert") << int(Qt::Key_Insert) << Shift << "" << "" << none;
    QTest::newRow("left arrow") << int(Qt::Key_Left) << None << "" << "" << none;
    QTest::newRow("home") << int(Qt::Key_Home) << None << "" << "" << none;
    QTest::newRow("f2") << int(Qt::Key_F2) << None << "" << "" << none;
    QTest::newRow("shift key") << int(Qt::Key_Shift) << Shift << "" << "" << none;
    QTest::newRow("alt+digit") << int(Qt::Key_1) << Alt << "1" << "1" << none;
    QTest::newRow("alt+backspace") << int(Qt::Key_Backspace) << Alt << "\b" << "" << none;
    QTest::newRow("two characters") << int(Qt::Key_unknown) << None << "ab" << "ab" << none;
    QTest::newRow("unknown key with text") << int(Qt::Key_unknown) << None << "5" << "5" << OptionalChar(U'5');
    // clang-format on
}

void TestKeyTranslation::deliveredCharacter()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, xText);
    QFETCH(QString, qtestText);
    QFETCH(OptionalChar, expected);

    QCOMPARE(ui::DeliveredCharacter(key, modifiers, xText), expected);
    QCOMPARE(ui::DeliveredCharacter(key, modifiers, qtestText), expected);
}

void TestKeyTranslation::virtualKeyCode_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("expected");

    QTest::newRow("backspace") << int(Qt::Key_Backspace) << None << 8;
    QTest::newRow("ctrl+backspace") << int(Qt::Key_Backspace) << Ctrl << 8;
    // Masking Qt's 0x01000000 block would turn Pause (0x01000008) into Backspace's 8 and
    // Home (0x01000010) into Shift's 16.
    QTest::newRow("pause") << int(Qt::Key_Pause) << None << 19;
    QTest::newRow("home") << int(Qt::Key_Home) << None << 36;
    QTest::newRow("delete") << int(Qt::Key_Delete) << None << 46;
    QTest::newRow("enter") << int(Qt::Key_Return) << None << 13;
    QTest::newRow("keypad enter") << int(Qt::Key_Enter) << Keypad << 13;
    QTest::newRow("shift") << int(Qt::Key_Shift) << Shift << 16;
    QTest::newRow("control") << int(Qt::Key_Control) << Ctrl << 17;
    QTest::newRow("alt") << int(Qt::Key_Alt) << Alt << 18;
    QTest::newRow("escape") << int(Qt::Key_Escape) << None << 27;
    QTest::newRow("digit") << int(Qt::Key_4) << None << 52;
    QTest::newRow("shifted digit") << int(Qt::Key_Dollar) << Shift << 52;
    QTest::newRow("keypad digit") << int(Qt::Key_4) << Keypad << 100;
    QTest::newRow("letter") << int(Qt::Key_Q) << None << 81;
    QTest::newRow("full stop") << int(Qt::Key_Period) << None << 190;
    QTest::newRow("keypad full stop") << int(Qt::Key_Period) << Keypad << 110;
    QTest::newRow("comma") << int(Qt::Key_Comma) << None << 188;
    QTest::newRow("f1") << int(Qt::Key_F1) << None << 112;
}

void TestKeyTranslation::virtualKeyCode()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(int, expected);

    QCOMPARE(ui::VirtualKeyCode(key, modifiers), expected);
}

QTEST_APPLESS_MAIN(TestKeyTranslation)
#include "tst_key_translation.moc"
