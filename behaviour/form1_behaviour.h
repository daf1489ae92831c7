// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The calculator window's behaviour without its widgets: one handler per control and event,
// named after both, and the state they leave (the fields' texts, the banners, the highlighted
// fields, the results and their markers, whether Go may be pressed, the error box). A face (the
// Qt window, a web page) turns its toolkit's events into these calls, edits the fields' texts
// itself, and is told each change to what it shows through Face, in the order the handlers
// make them.
//
// No handler throws: an error of the number reading ends the handler where it stood (whatever
// it already changed stays changed) and shows the error box.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "calc/calculation.h"

namespace behaviour {

using calc::Component;
using calc::Field;

enum class Banner {
    InputError,  // Label20, above the circuits
    OutOfRange,  // Label19, below them
};

// What the face shows, changed as the behaviour says. Texts are UTF-8.
class Face {
public:
    virtual ~Face() = default;
    // The program sets a field's text. The face's own report of the change (Change) may
    // follow; it is taken as already known. The caret is placed after the change is handled.
    virtual void SetFieldText(Field field, const std::string& text) = 0;
    virtual void PutCaretAtStart(Field field) = 0;
    virtual void SetHighlight(Field field, bool highlighted) = 0;
    virtual void Focus(Field field) = 0;
    virtual void ShowBanner(Banner banner, bool shown) = 0;
    virtual void SetValue(Component component, const std::string& text) = 0;
    virtual void SetUnit(Component component, const std::string& text) = 0;
    virtual void ShowMarker(Component component, bool shown) = 0;
    virtual void EnableGo(bool enabled) = 0;
    // For a screen reader, said once.
    virtual void Announce(const std::string& text) = 0;
    // Until the user closes it (ErrorBoxClosed), nothing else in the window answers.
    virtual void ShowErrorBox(std::string_view message) = 0;
    virtual void Quit() = 0;
    virtual void OpenLink() = 0;
};

// One component's labels: its value, its unit (the form's own until a result sets one) and
// its marker of an impractical value.
struct ResultShown {
    std::string value = "0";
    std::optional<std::string> unit;
    bool marker = false;
};

struct WindowState {
    std::array<std::string, 3> fields;  // by Field
    std::array<bool, 3> highlighted{};
    bool inputErrorBanner = false;
    bool outOfRangeBanner = false;
    std::array<ResultShown, 6> results;  // in calc::AllComponents order
    bool goEnabled = true;
    std::optional<Field> focused;         // where the last problem put the focus
    std::optional<std::string> errorBox;  // the error box's text while it is open
};

class Form1Behaviour {
public:
    // `fields`: the texts the form starts with.
    Form1Behaviour(calc::CalcState& calc, Face& face, const calc::FieldTexts& fields);

    const WindowState& state() const { return state_; }

    void FormShow() noexcept;
    // A key went down in a field, as its virtual key code (8: Backspace).
    void Edit1KeyDown(int key) noexcept;
    void Edit3KeyDown(int key) noexcept;
    void Edit4KeyDown(int key) noexcept;
    // A character is typed into a field: the handler drops it (nullopt) or replaces it
    // before the field takes it.
    void Edit1KeyPress(std::optional<char32_t>& key) noexcept;
    void Edit3KeyPress(std::optional<char32_t>& key) noexcept;
    void Edit4KeyPress(std::optional<char32_t>& key) noexcept;
    // A field's text became `text` (typed, pasted, cut, undone).
    void Edit1Change(const std::string& text) noexcept;
    void Edit3Change(const std::string& text) noexcept;
    void Edit4Change(const std::string& text) noexcept;
    // A unit button became selected.
    void RadioButton1Click() noexcept;  // Hz
    void RadioButton2Click() noexcept;  // kHz
    void RadioButton3Click() noexcept;  // nF
    void RadioButton4Click() noexcept;  // uF
    void Button2Click() noexcept;       // Go
    void Button1Click() noexcept;       // Exit
    void Label24Click() noexcept;       // the link
    // Enter where it presses Go: only while Go may be pressed.
    void Enter() noexcept;
    void ErrorBoxClosed() noexcept;

    // The handlers of one field by its Field.
    void KeyDown(Field field, int key) noexcept;
    void KeyPress(Field field, std::optional<char32_t>& key) noexcept;
    void Change(Field field, const std::string& text) noexcept;

private:
    template <typename Handler>
    bool Run(Handler handler) noexcept;

    void FieldChanged(Field field);
    void FrequencyUnitClick(calc::FrequencyUnit unit) noexcept;
    void CapacitanceUnitClick(calc::CapacitanceUnit unit) noexcept;
    void SetFieldText(Field field, const std::string& text);
    void SetHighlight(Field field, bool highlighted);
    void ShowBanner(Banner banner, bool shown);
    void SetValue(std::size_t component, const std::string& text);
    void ResetValues(std::size_t first, std::size_t end);
    void HideMarkers();
    void ApplyGoEnabledRule();
    void ClearRangeWarningAndFilter(Field field, std::optional<char32_t>& key);
    void ShowRejection(const calc::Rejected& rejected);
    void ShowResults(const calc::Computed& computed);

    calc::CalcState& calc_;
    Face& face_;
    WindowState state_;
};

}  // namespace behaviour
