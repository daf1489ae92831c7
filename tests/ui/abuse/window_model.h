// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// A small model of what the main window shows, built from the behaviour the window promises
// and not from its code: the field texts, colours, banners, result texts and units, markers,
// Go's enabled state, the selected units, the keyboard focus and the error box. The numbers
// themselves come from the calculation library; what the model checks is which handler
// runs, what it clears, what it writes and where the focus goes.
//
// The field texts are predicted by replaying each edit at a caret and selection that the
// model tracks itself (typing, Backspace, Delete, Home/End/arrows, paste, program-set text,
// focus moves). Editing details that belong to the edit control rather than to the window
// (Qt drops a field's selection when the focus leaves it for another control; an arrow
// moves one step from the caret even when text is selected, as in Qt's Windows keyboard
// scheme, which the headless platform uses) follow Qt.
#pragma once

#include <array>
#include <optional>

#include <QtCore/QString>
#include <QtCore/QStringList>

#include "calc/input_checks.h"

namespace abuse {

// The window's controls that the model knows, by their names.
enum class Control {
    Edit1,
    Edit3,
    Edit4,
    RadioButton1,
    RadioButton2,
    RadioButton3,
    RadioButton4,
    Button2,
    Button1
};
const char* ControlName(Control control);

// One user action. Keys go to whatever control has the keyboard focus; a paste goes through
// a field's context menu (the field takes the focus as a right click gives it, and the
// clipboard text is inserted unfiltered); clicks are left mouse clicks.
struct Action {
    enum Kind {
        Type,  // a printable key: `character` (digits, ".", ",", letters, blank)
        Backspace,
        Delete,
        Enter,
        Escape,
        CtrlV,
        Home,
        End,
        Left,
        Right,
        ShiftHome,
        ShiftEnd,
        Tab,
        Backtab,
        Paste,  // `text` into `target` (a field)
        Click,  // on `target` (a unit button or Go)
    };
    Kind kind = Type;
    QChar character;
    QString text;
    Control target = Control::Edit1;
};

// A readable one-line description, control characters escaped and long texts abridged.
QString Describe(const Action& action);
QString Printable(const QString& text, qsizetype limit = 60);

// What the user can see, and the caret of each field.
struct View {
    std::array<QString, 3> fields;  // Edit1, Edit3, Edit4
    std::array<int, 3> caret{};
    std::array<int, 3> selectionStart{};  // -1: nothing selected
    std::array<int, 3> selectionLength{};
    std::array<bool, 3> yellow{};
    std::array<QString, 6> values;  // C1, C2, C3, R1, R2, R3
    std::array<QString, 6> units;
    std::array<bool, 6> markers{};
    bool inputBanner = false;  // Label20
    bool rangeBanner = false;  // Label19
    bool goEnabled = false;
    bool kHz = false;
    bool uF = false;
    QString focus;      // the focused control's name
    QStringList boxes;  // error box messages shown during the last action
};

// The fields, focus and banners on one line, for failure reports.
QString Summary(const View& view);

// "Edit3 text: '12' != '1'" for each difference, in a fixed order.
QStringList Differences(const View& expected, const View& actual);

class WindowModel {
public:
    // The window just after start-up.
    WindowModel();

    void apply(const Action& action);
    View view() const;
    Control focus() const { return focus_; }
    bool goEnabled() const { return goEnabled_; }

private:
    struct Field {
        QString text;
        int caret = 0;
        int anchor = 0;  // equal to caret when nothing is selected
        bool yellow = false;
        bool hasSelection() const { return caret != anchor; }
    };

    // The window's handlers.
    void KeyDown(int virtualKey);
    void KeyPress(int field, char32_t character);
    void Change(int field);
    void UnitSelected(Control button);
    void Go();

    void key(const Action& action);
    void fieldKey(int field, const Action& action);
    void click(Control target);
    void paste(int field, const QString& text);
    void edit(int field, const QString& text, int caret);
    void replaceSelection(int field, const QString& inserted);
    void setProgramText(int field, const QString& text);
    void moveFocus(Control to, bool selectAll);
    void tab(bool forward);
    void resetValues(int first, int last);
    void hideMarkers();
    void applyGoRule();

    std::array<Field, 3> fields_;
    std::array<QString, 6> values_;
    std::array<QString, 6> units_;
    std::array<bool, 6> markers_{};
    bool inputBanner_ = false;
    bool rangeBanner_ = false;
    bool goEnabled_ = true;
    bool kHz_ = false;
    bool uF_ = false;
    Control focus_ = Control::Edit1;
    QStringList boxes_;
    calc::CalcState calc_;
};

}  // namespace abuse
