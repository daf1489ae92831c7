// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The calculator window's behaviour with no toolkit: the events of the window's scenarios
// (keys, pastes, unit clicks, Go, Enter) handed to the handlers, and what a face is told,
// in order. The face here answers as the Qt window does: a text the program sets comes back
// as the field's change.
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "behaviour/form1_behaviour.h"

namespace {

using behaviour::Banner;
using behaviour::Field;
using behaviour::Form1Behaviour;

const calc::FieldTexts FormTexts{"100", "33", "10"};
constexpr int DigitKey = '5';

const char* FieldName(Field field)
{
    return field == Field::Frequency ? "Edit1" : field == Field::Resistance ? "Edit3" : "Edit4";
}

class RecordingFace : public behaviour::Face {
public:
    Form1Behaviour* behaviour = nullptr;
    std::vector<std::string> calls;

    void SetFieldText(Field field, const std::string& text) override
    {
        Note(std::string("text ") + FieldName(field) + " '" + text + "'");
        behaviour->Change(field, text);
    }
    void PutCaretAtStart(Field field) override { Note(std::string("caret ") + FieldName(field)); }
    void SetHighlight(Field field, bool on) override
    {
        if (on)
            Note(std::string("highlight ") + FieldName(field));
    }
    void Focus(Field field) override { Note(std::string("focus ") + FieldName(field)); }
    void ShowBanner(Banner banner, bool shown) override
    {
        if (shown)
            Note(banner == Banner::InputError ? "show Label20" : "show Label19");
    }
    void SetValue(calc::Component c, const std::string& text) override
    {
        if (text != "0")
            Note(std::string(calc::ComponentName(c)) + " " + text);
    }
    void SetUnit(calc::Component, const std::string&) override { }
    void ShowMarker(calc::Component c, bool shown) override
    {
        if (shown)
            Note(std::string("marker ") + calc::ComponentName(c));
    }
    void EnableGo(bool enabled) override { Note(enabled ? "Go on" : "Go off"); }
    // What is said is the sentence's own test's (tst_screen_reader); here, when.
    void Announce(const std::string&) override { Note("say"); }
    // The box's text as the behaviour holds it while the box is open.
    void ShowErrorBox(std::string_view) override
    {
        Note("box " + behaviour->state().errorBox.value_or("(none)"));
        behaviour->ErrorBoxClosed();
    }
    void Quit() override { Note("quit"); }
    void OpenLink() override { Note("link"); }

private:
    void Note(std::string call) { calls.push_back(std::move(call)); }
};

struct Window {
    calc::CalcState calc;
    RecordingFace face;
    Form1Behaviour behaviour{calc, face, FormTexts};

    Window()
    {
        face.behaviour = &behaviour;
        behaviour.FormShow();
    }
    // A field edited as the face edits it: the whole text replaced.
    void Paste(Field field, const std::string& text) { behaviour.Change(field, text); }
    // A key typed at the end of the field, as a field does it: key-down, key-press, edit.
    std::optional<char32_t> Type(Field field, int keyDown, char32_t character)
    {
        behaviour.KeyDown(field, keyDown);
        std::optional<char32_t> key = character;
        behaviour.KeyPress(field, key);
        if (key)
            Paste(field, text(field) + static_cast<char>(*key));
        return key;
    }
    const std::string& text(Field field) const
    {
        return behaviour.state().fields[static_cast<std::size_t>(field)];
    }
    std::string Values() const
    {
        std::string values;
        for (const behaviour::ResultShown& r : behaviour.state().results)
            values += (values.empty() ? "" : " ") + r.value;
        return values;
    }
    std::string Markers() const
    {
        std::string markers;
        for (const behaviour::ResultShown& r : behaviour.state().results)
            markers += r.marker ? '1' : '0';
        return markers;
    }
};

enum class Before { Results, InputBanner, RangeBanner };

// Results with markers; or a field that did not read; or one corrected to its limit.
void Prepare(Window& w, Before before)
{
    switch (before) {
    case Before::Results:
        // Every value shown; the high-pass's resistors impractical.
        w.behaviour.RadioButton2Click();  // kHz
        w.Paste(Field::Frequency, "0,1");
        w.Paste(Field::Capacitance, "0,1");
        w.behaviour.Button2Click();
        for (const behaviour::ResultShown& result : w.behaviour.state().results)
            ASSERT_NE(result.value, "0");
        ASSERT_TRUE(w.behaviour.state().results[3].marker);
        return;
    case Before::InputBanner: w.Paste(Field::Capacitance, ",5"); break;
    case Before::RangeBanner: w.Paste(Field::Resistance, "2000"); break;
    }
    w.behaviour.Button2Click();
}

struct EventCase {
    const char* name;
    Before before;
    void (*event)(Window&);
    const char* stand;  // the values that stand: "all", "low" (pass), "high" or "none"
    bool bannerStays;
    bool markersStay;
};

class Events : public testing::TestWithParam<EventCase> { };

// Each event clears what its handlers own and nothing more.
TEST_P(Events, ClearWhatTheirHandlersOwn)
{
    const EventCase& row = GetParam();
    Window w;
    Prepare(w, row.before);
    const auto before = w.behaviour.state();
    row.event(w);
    const auto& after = w.behaviour.state();

    const std::string stand = row.stand;
    for (std::size_t i = 0; i < 6; ++i) {
        const bool stands =
            stand == "all" || (stand == "low" && i < 3) || (stand == "high" && i >= 3);
        EXPECT_EQ(after.results[i].value, stands ? before.results[i].value : "0") << "result " << i;
        EXPECT_EQ(after.results[i].marker, row.markersStay && before.results[i].marker)
            << "marker " << i;
    }
    EXPECT_EQ(after.inputErrorBanner, row.bannerStays && before.inputErrorBanner);
    EXPECT_EQ(after.outOfRangeBanner, row.bannerStays && before.outOfRangeBanner);
}

void TypeDigit(Window& w, Field field)
{
    ASSERT_TRUE(w.Type(field, DigitKey, '5'));
}
void TypeLetter(Window& w, Field field)
{
    ASSERT_FALSE(w.Type(field, 'A', 'a'));
}

INSTANTIATE_TEST_SUITE_P(
    Table, Events,
    testing::Values(
        // clang-format off
        EventCase{"DigitInFrequency", Before::Results, [](Window& w) { TypeDigit(w, Field::Frequency); }, "none", true, false},
        EventCase{"LetterInFrequency", Before::Results, [](Window& w) { TypeLetter(w, Field::Frequency); }, "none", true, true},
        EventCase{"PasteInFrequency", Before::Results, [](Window& w) { w.Paste(Field::Frequency, "7"); }, "all", true, false},
        EventCase{"DigitInResistance", Before::Results, [](Window& w) { TypeDigit(w, Field::Resistance); }, "high", true, false},
        EventCase{"LetterInResistance", Before::Results, [](Window& w) { TypeLetter(w, Field::Resistance); }, "all", true, true},
        EventCase{"PasteInCapacitance", Before::Results, [](Window& w) { w.Paste(Field::Capacitance, "7"); }, "low", true, false},
        EventCase{"TheSameText", Before::Results, [](Window& w) { w.Paste(Field::Capacitance, "0,1"); }, "all", true, true},
        EventCase{"Hertz", Before::Results, [](Window& w) { w.behaviour.RadioButton1Click(); }, "none", true, false},
        EventCase{"Nanofarads", Before::Results, [](Window& w) { w.behaviour.RadioButton3Click(); }, "low", true, false},
        EventCase{"Microfarads", Before::Results, [](Window& w) { w.behaviour.RadioButton4Click(); }, "low", true, false},
        EventCase{"LetterInFrequencyClearsInputBanner", Before::InputBanner, [](Window& w) { TypeLetter(w, Field::Frequency); }, "none", false, true},
        EventCase{"LetterElsewhereLeavesIt", Before::InputBanner, [](Window& w) { TypeLetter(w, Field::Resistance); }, "all", true, true},
        EventCase{"PasteClearsIt", Before::InputBanner, [](Window& w) { w.Paste(Field::Resistance, "7"); }, "high", false, true},
        EventCase{"UnitLeavesIt", Before::InputBanner, [](Window& w) { w.behaviour.RadioButton2Click(); }, "none", true, true},
        EventCase{"LetterAnywhereClearsRangeBanner", Before::RangeBanner, [](Window& w) { TypeLetter(w, Field::Capacitance); }, "all", false, true},
        EventCase{"PasteLeavesIt", Before::RangeBanner, [](Window& w) { w.Paste(Field::Capacitance, "7"); }, "low", true, true},
        EventCase{"UnitLeavesRangeBanner", Before::RangeBanner, [](Window& w) { w.behaviour.RadioButton4Click(); }, "low", true, true}),
    // clang-format on
    [](const auto& info) { return info.param.name; });

// The highlight goes with a key typed into that field, not with another field's key.
TEST(Events, AKeyClearsItsOwnFieldsHighlight)
{
    Window w;
    Prepare(w, Before::RangeBanner);
    ASSERT_TRUE(w.behaviour.state().highlighted[1]);
    TypeLetter(w, Field::Capacitance);
    EXPECT_TRUE(w.behaviour.state().highlighted[1]);
    TypeLetter(w, Field::Resistance);
    EXPECT_FALSE(w.behaviour.state().highlighted[1]);
}

struct GoCase {
    const char* name;
    bool kHz, uF;
    calc::FieldTexts texts;
    // What the face is told after Go's own clearing, in order.
    std::vector<std::string> calls;
    bool goEnabled = true;
};

class Go : public testing::TestWithParam<GoCase> { };

TEST_P(Go, TellsTheFaceInTheHandlersOrder)
{
    Window w;
    if (GetParam().kHz)
        w.behaviour.RadioButton2Click();
    if (GetParam().uF)
        w.behaviour.RadioButton4Click();
    w.Paste(Field::Frequency, GetParam().texts.frequency);
    w.Paste(Field::Resistance, GetParam().texts.resistance);
    w.Paste(Field::Capacitance, GetParam().texts.capacitance);
    w.face.calls.clear();
    w.behaviour.Enter();
    EXPECT_EQ(w.face.calls, GetParam().calls);
    EXPECT_EQ(w.behaviour.state().goEnabled, GetParam().goEnabled);
    EXPECT_FALSE(w.behaviour.state().errorBox) << "closed by the face";
}

using Calls = std::vector<std::string>;

INSTANTIATE_TEST_SUITE_P(
    Table, Go,
    testing::Values(
        // clang-format off
        GoCase{"Defaults", false, false, FormTexts,
               Calls{"C1 68,05", "C2 0,17", "C3 9,86", "R1 109,5", "R2 43", "R3 755,8", "say"}},
        GoCase{"InputError", false, false, {",5", "33", "10"},
               Calls{"show Label20", "highlight Edit1", "focus Edit1"}},
        // The corrected text's change handler runs before the field is highlighted, and
        // the caret is put at its start after it.
        GoCase{"OutOfRange", false, false, {"100", "2000", "10"},
               Calls{"show Label19", "text Edit3 '1000'", "Go on", "caret Edit3", "highlight Edit3", "focus Edit3"}},
        GoCase{"AboveTheHighestFrequencyEmptiesTheField", false, false, {"150000", "33", "10"},
               Calls{"show Label19", "text Edit1 ''", "Go off", "caret Edit1", "highlight Edit1", "focus Edit1"}, false},
        GoCase{"ALimitsOwnText", true, true, {"0,05", "33", "10"},
               Calls{"show Label19", "text Edit1 '0,1'", "Go on", "caret Edit1", "highlight Edit1", "focus Edit1"}},
        GoCase{"Unreadable", false, false, {"100", "abc", "10"},
               Calls{"box 'abc' is not a valid floating point value."}},
        GoCase{"Overflow", false, false, {"100", "33", "1e400"}, Calls{"box Floating point overflow."}},
        GoCase{"EmptyFieldNoGo", false, false, {"100", "", "10"}, Calls{}, false},
        // Values below every display range show 0 (not recorded here), the markers after
        // every value.
        GoCase{"Impractical", true, true, {"500", "1000", "10"},
               Calls{"C2 1", "marker C1", "marker C2", "marker C3", "marker R1", "marker R2", "marker R3", "say"}}),
    // clang-format on
    [](const auto& info) { return info.param.name; });

TEST(Go, AnErrorLeavesWhatItClearedAndShowsTheWholeMessage)
{
    Window w;
    w.Paste(Field::Resistance, "2000");
    w.behaviour.Button2Click();
    ASSERT_TRUE(w.behaviour.state().outOfRangeBanner);
    ASSERT_TRUE(w.behaviour.state().highlighted[1]);
    // A NUL in the pasted text is quoted whole, with the full stop after it.
    const std::string text("1\0x", 3);
    w.Paste(Field::Resistance, text);
    w.behaviour.Button2Click();
    EXPECT_FALSE(w.behaviour.state().outOfRangeBanner) << "cleared before the error";
    EXPECT_FALSE(w.behaviour.state().highlighted[1]);
    EXPECT_EQ(w.face.calls.back(), "box '" + text + "' is not a valid floating point value.");
    EXPECT_FALSE(w.behaviour.state().errorBox) << "closed by the face";
}

}  // namespace
