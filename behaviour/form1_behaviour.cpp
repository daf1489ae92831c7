// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "behaviour/form1_behaviour.h"

#include <exception>
#include <variant>

#include "behaviour/spoken_results.h"
#include "calc/errors.h"
#include "calc/number_text.h"

namespace behaviour {
namespace {

constexpr int BackspaceKey = 8;
const std::string ResetValue = "0";

// The low-pass's results are the first three, the high-pass's the last three.
constexpr std::size_t LowPass = 0, HighPass = 3, AllResults = 6;

std::size_t IndexOf(Field field)
{
    return static_cast<std::size_t>(field);
}

}  // namespace

Form1Behaviour::Form1Behaviour(calc::CalcState& calc, Face& face, const calc::FieldTexts& fields)
    : calc_(calc), face_(face)
{
    state_.fields = {fields.frequency, fields.resistance, fields.capacitance};
    state_.goEnabled = !calc::AnyFieldEmpty(fields);
}

template <typename Handler>
bool Form1Behaviour::Run(Handler handler) noexcept
{
    std::string message;
    try {
        handler();
        return true;
    } catch (const calc::CalcError& error) {
        // The whole message: a quoted field text may hold NUL characters, where what()
        // would end it.
        message = error.message();
    } catch (const std::exception& error) {
        message = error.what();
    }
    try {
        state_.errorBox = calc::ErrorBoxText(message);
    } catch (const std::exception&) {
        state_.errorBox = std::string();  // no memory for the text: the box, empty
    }
    face_.ShowErrorBox(message);
    return false;
}

void Form1Behaviour::FormShow() noexcept
{
    Run([this] {
        calc::SetFrequencyUnit(calc_, calc::FrequencyUnit::Hz);
        calc::SetCapacitanceUnit(calc_, calc::CapacitanceUnit::nF);
    });
}

void Form1Behaviour::KeyDown(Field, int key) noexcept
{
    calc_.BackspaceFlag = key == BackspaceKey;
}

void Form1Behaviour::Edit1KeyDown(int key) noexcept
{
    KeyDown(Field::Frequency, key);
}

void Form1Behaviour::Edit3KeyDown(int key) noexcept
{
    KeyDown(Field::Resistance, key);
}

void Form1Behaviour::Edit4KeyDown(int key) noexcept
{
    KeyDown(Field::Capacitance, key);
}

// A key-press handler abandoned by an error lets no character into its field.
void Form1Behaviour::KeyPress(Field field, std::optional<char32_t>& key) noexcept
{
    const bool done = Run([&] {
        if (field == Field::Frequency) {
            ResetValues(LowPass, AllResults);
            ShowBanner(Banner::InputError, false);
        }
        ClearRangeWarningAndFilter(field, key);
    });
    if (!done)
        key.reset();
}

void Form1Behaviour::Edit1KeyPress(std::optional<char32_t>& key) noexcept
{
    KeyPress(Field::Frequency, key);
}

void Form1Behaviour::Edit3KeyPress(std::optional<char32_t>& key) noexcept
{
    KeyPress(Field::Resistance, key);
}

void Form1Behaviour::Edit4KeyPress(std::optional<char32_t>& key) noexcept
{
    KeyPress(Field::Capacitance, key);
}

// The face reports the program's own changes too: those are known already.
void Form1Behaviour::Change(Field field, const std::string& text) noexcept
{
    Run([&] {
        std::string& shown = state_.fields[IndexOf(field)];
        if (text == shown)
            return;
        shown = text;
        FieldChanged(field);
    });
}

void Form1Behaviour::Edit1Change(const std::string& text) noexcept
{
    Change(Field::Frequency, text);
}

void Form1Behaviour::Edit3Change(const std::string& text) noexcept
{
    Change(Field::Resistance, text);
}

void Form1Behaviour::Edit4Change(const std::string& text) noexcept
{
    Change(Field::Capacitance, text);
}

// A changed resistance stales the low-pass's values, a changed capacitance the high-pass's;
// the frequency's key presses have reset them all already.
void Form1Behaviour::FieldChanged(Field field)
{
    if (field == Field::Resistance)
        ResetValues(LowPass, HighPass);
    else if (field == Field::Capacitance)
        ResetValues(HighPass, AllResults);
    ShowBanner(Banner::InputError, false);
    ApplyGoEnabledRule();
    HideMarkers();
}

// A frequency unit stales every value, a capacitance unit the high-pass's.
void Form1Behaviour::FrequencyUnitClick(calc::FrequencyUnit unit) noexcept
{
    Run([&] {
        ResetValues(LowPass, AllResults);
        calc::SetFrequencyUnit(calc_, unit);
        HideMarkers();
    });
}

void Form1Behaviour::CapacitanceUnitClick(calc::CapacitanceUnit unit) noexcept
{
    Run([&] {
        ResetValues(HighPass, AllResults);
        calc::SetCapacitanceUnit(calc_, unit);
        HideMarkers();
    });
}

void Form1Behaviour::RadioButton1Click() noexcept
{
    FrequencyUnitClick(calc::FrequencyUnit::Hz);
}

void Form1Behaviour::RadioButton2Click() noexcept
{
    FrequencyUnitClick(calc::FrequencyUnit::kHz);
}

void Form1Behaviour::RadioButton3Click() noexcept
{
    CapacitanceUnitClick(calc::CapacitanceUnit::nF);
}

void Form1Behaviour::RadioButton4Click() noexcept
{
    CapacitanceUnitClick(calc::CapacitanceUnit::uF);
}

void Form1Behaviour::Button2Click() noexcept
{
    Run([this] {
        const calc::FieldTexts texts{state_.fields[0], state_.fields[1], state_.fields[2]};
        if (calc::AnyFieldEmpty(texts))
            return;
        for (const Field field : {Field::Frequency, Field::Resistance, Field::Capacitance})
            SetHighlight(field, false);
        ShowBanner(Banner::OutOfRange, false);
        ShowBanner(Banner::InputError, false);
        // May throw from the number reading; the handler ends here and the error box follows.
        const calc::Calculation calculation = calc::Calculate(calc_, texts);
        if (const auto* rejected = std::get_if<calc::Rejected>(&calculation))
            ShowRejection(*rejected);
        else
            ShowResults(std::get<calc::Computed>(calculation));
    });
}

void Form1Behaviour::Button1Click() noexcept
{
    face_.Quit();
}

void Form1Behaviour::Label24Click() noexcept
{
    face_.OpenLink();
}

void Form1Behaviour::Enter() noexcept
{
    if (state_.goEnabled)
        Button2Click();
}

void Form1Behaviour::ErrorBoxClosed() noexcept
{
    state_.errorBox.reset();
}

void Form1Behaviour::ShowRejection(const calc::Rejected& rejected)
{
    const Field field = rejected.field;
    if (const auto* outOfRange = std::get_if<calc::OutOfRange>(&rejected.outcome)) {
        ShowBanner(Banner::OutOfRange, true);
        // The field's change handler runs before the field is highlighted.
        SetFieldText(field, outOfRange->replacement);
    } else {
        ShowBanner(Banner::InputError, true);
    }
    SetHighlight(field, true);
    state_.focused = field;
    face_.Focus(field);
}

void Form1Behaviour::ShowResults(const calc::Computed& computed)
{
    for (std::size_t i = 0; i < AllResults; ++i) {
        const calc::ComponentDisplay& display = computed.components[i];
        if (display.texts) {
            SetValue(i, display.texts->number);
            state_.results[i].unit = display.texts->unit;
            face_.SetUnit(calc::AllComponents[i], display.texts->unit);
        } else {
            // Below every display range. Whatever the label held may be the number of an
            // earlier calculation (a paste into the frequency field resets nothing), so it
            // is cleared rather than left standing next to the new results.
            SetValue(i, ResetValue);
        }
    }
    for (std::size_t i = 0; i < AllResults; ++i) {
        if (computed.components[i].marker) {
            state_.results[i].marker = true;
            face_.ShowMarker(calc::AllComponents[i], true);
        }
    }
    // A screen reader says the results once, in order, the impractical ones in words; the
    // markers that appear say nothing of their own.
    face_.Announce(SpokenResults(computed));
}

void Form1Behaviour::SetFieldText(Field field, const std::string& text)
{
    std::string& shown = state_.fields[IndexOf(field)];
    const bool changed = text != shown;
    shown = text;
    face_.SetFieldText(field, text);
    if (changed)
        FieldChanged(field);
    face_.PutCaretAtStart(field);
}

void Form1Behaviour::SetHighlight(Field field, bool highlighted)
{
    state_.highlighted[IndexOf(field)] = highlighted;
    face_.SetHighlight(field, highlighted);
}

void Form1Behaviour::ShowBanner(Banner banner, bool shown)
{
    (banner == Banner::InputError ? state_.inputErrorBanner : state_.outOfRangeBanner) = shown;
    face_.ShowBanner(banner, shown);
}

void Form1Behaviour::SetValue(std::size_t component, const std::string& text)
{
    state_.results[component].value = text;
    face_.SetValue(calc::AllComponents[component], text);
}

void Form1Behaviour::ResetValues(std::size_t first, std::size_t end)
{
    for (std::size_t i = first; i < end; ++i)
        SetValue(i, ResetValue);
}

void Form1Behaviour::HideMarkers()
{
    for (std::size_t i = 0; i < AllResults; ++i) {
        state_.results[i].marker = false;
        face_.ShowMarker(calc::AllComponents[i], false);
    }
}

void Form1Behaviour::ApplyGoEnabledRule()
{
    state_.goEnabled = !calc::AnyFieldEmpty(state_.fields[0], state_.fields[1], state_.fields[2]);
    face_.EnableGo(state_.goEnabled);
}

void Form1Behaviour::ClearRangeWarningAndFilter(Field field, std::optional<char32_t>& key)
{
    ShowBanner(Banner::OutOfRange, false);
    SetHighlight(field, false);
    if (key)
        key = calc::KeyFilter(*key, calc_.BackspaceFlag);
}

}  // namespace behaviour
