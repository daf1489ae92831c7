// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The calculator's behaviour for the page (embind): the page hands its events to Calculator
// and takes, after each, the changes the behaviour made, as JSON objects in the order the
// handlers made them ({"op": "value", "component": 0, "text": "68,05"}, ...). The page shows
// them; it computes nothing.
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include <emscripten/bind.h>
#include <nlohmann/json.hpp>

#include "behaviour/form1_behaviour.h"
#include "calc/errors.h"

namespace {

using behaviour::Banner;
using calc::Component;
using calc::Field;
using nlohmann::json;

int Index(Field field)
{
    return static_cast<int>(field);
}

int Index(Component component)
{
    return static_cast<int>(component);
}

class PageFace : public behaviour::Face {
public:
    json changes = json::array();

private:
    void SetFieldText(Field field, const std::string& text) override
    {
        changes.push_back({{"op", "fieldText"}, {"field", Index(field)}, {"text", text}});
    }
    void PutCaretAtStart(Field field) override
    {
        changes.push_back({{"op", "caretAtStart"}, {"field", Index(field)}});
    }
    void SetHighlight(Field field, bool on) override
    {
        changes.push_back({{"op", "highlight"}, {"field", Index(field)}, {"on", on}});
    }
    void Focus(Field field) override
    {
        changes.push_back({{"op", "focus"}, {"field", Index(field)}});
    }
    void ShowBanner(Banner banner, bool shown) override
    {
        changes.push_back({{"op", "banner"},
                           {"name", banner == Banner::InputError ? "Label20" : "Label19"},
                           {"shown", shown}});
    }
    void SetValue(Component component, const std::string& text) override
    {
        changes.push_back({{"op", "value"}, {"component", Index(component)}, {"text", text}});
    }
    void SetUnit(Component component, const std::string& text) override
    {
        changes.push_back({{"op", "unit"}, {"component", Index(component)}, {"text", text}});
    }
    void ShowMarker(Component component, bool shown) override
    {
        changes.push_back({{"op", "marker"}, {"component", Index(component)}, {"shown", shown}});
    }
    void EnableGo(bool enabled) override
    {
        changes.push_back({{"op", "go"}, {"enabled", enabled}});
    }
    void Announce(const std::string& text) override
    {
        changes.push_back({{"op", "announce"}, {"text", text}});
    }
    // The page's box is modal but does not block: the page says when it is closed.
    void ShowErrorBox(std::string_view message) override
    {
        changes.push_back({{"op", "errorBox"}, {"text", calc::ErrorBoxText(message)}});
    }
    void Quit() override { changes.push_back({{"op", "quit"}}); }
    void OpenLink() override { changes.push_back({{"op", "openLink"}}); }
};

// Texts cross as UTF-8 both ways; a field is 0 (frequency), 1 (resistance), 2 (capacitance).
class Calculator {
public:
    Calculator(const std::string& frequency, const std::string& resistance,
               const std::string& capacitance)
        : behaviour_(calc_, face_, {frequency, resistance, capacitance})
    {
    }

    void formShow() { behaviour_.FormShow(); }
    void keyDown(int field, int key) { behaviour_.KeyDown(FieldOf(field), key); }
    // The character that reaches the field, or -1 when none does.
    int keyPress(int field, int character)
    {
        std::optional<char32_t> key = static_cast<char32_t>(character);
        behaviour_.KeyPress(FieldOf(field), key);
        return key ? static_cast<int>(*key) : -1;
    }
    void change(int field, const std::string& text) { behaviour_.Change(FieldOf(field), text); }
    // A control by its name in the form: the unit buttons, Go, Exit, the link.
    void click(const std::string& control)
    {
        using Behaviour = behaviour::Form1Behaviour;
        static constexpr std::pair<std::string_view, void (Behaviour::*)() noexcept> Clicks[] = {
            {"RadioButton1", &Behaviour::RadioButton1Click},
            {"RadioButton2", &Behaviour::RadioButton2Click},
            {"RadioButton3", &Behaviour::RadioButton3Click},
            {"RadioButton4", &Behaviour::RadioButton4Click},
            {"Button2", &Behaviour::Button2Click},
            {"Button1", &Behaviour::Button1Click},
            {"Label24", &Behaviour::Label24Click},
        };
        for (const auto& [name, handler] : Clicks)
            if (control == name)
                (behaviour_.*handler)();
    }
    void enter() { behaviour_.Enter(); }
    void errorBoxClosed() { behaviour_.ErrorBoxClosed(); }

    std::string takeChanges()
    {
        const std::string text = face_.changes.dump();
        face_.changes = json::array();
        return text;
    }

    // Everything the window shows, and the values of the last calculation as doubles.
    std::string state() const
    {
        const behaviour::WindowState& s = behaviour_.state();
        json results = json::array();
        for (std::size_t i = 0; i < s.results.size(); ++i)
            results.push_back(
                {{"name", calc::ComponentName(calc::AllComponents[i])},
                 {"text", s.results[i].value},
                 {"unit", s.results[i].unit ? json(*s.results[i].unit) : json(nullptr)},
                 {"marker", s.results[i].marker},
                 {"value", calc::ComponentValue(calc_.results, calc::AllComponents[i])}});
        return json{{"fields", s.fields},
                    {"highlighted", s.highlighted},
                    {"inputErrorBanner", s.inputErrorBanner},
                    {"outOfRangeBanner", s.outOfRangeBanner},
                    {"results", results},
                    {"goEnabled", s.goEnabled},
                    {"errorBox", s.errorBox ? json(*s.errorBox) : json(nullptr)}}
            .dump();
    }

private:
    static Field FieldOf(int field)
    {
        return field == 1 ? Field::Resistance : field == 2 ? Field::Capacitance : Field::Frequency;
    }

    calc::CalcState calc_;
    PageFace face_;
    behaviour::Form1Behaviour behaviour_;
};

}  // namespace

EMSCRIPTEN_BINDINGS(calculator)
{
    emscripten::class_<Calculator>("Calculator")
        .constructor<const std::string&, const std::string&, const std::string&>()
        .function("formShow", &Calculator::formShow)
        .function("keyDown", &Calculator::keyDown)
        .function("keyPress", &Calculator::keyPress)
        .function("change", &Calculator::change)
        .function("click", &Calculator::click)
        .function("enter", &Calculator::enter)
        .function("errorBoxClosed", &Calculator::errorBoxClosed)
        .function("takeChanges", &Calculator::takeChanges)
        .function("state", &Calculator::state);
}
