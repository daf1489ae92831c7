// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "window_model.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "calc/calculation.h"
#include "calc/errors.h"
#include "calc/number_text.h"

namespace abuse {
namespace {

constexpr int BackspaceKey = 8;
const QString Zero = QStringLiteral("0");

bool IsField(Control control)
{
    return control == Control::Edit1 || control == Control::Edit3 || control == Control::Edit4;
}

int FieldIndex(Control control)
{
    return control == Control::Edit1 ? 0 : control == Control::Edit3 ? 1 : 2;
}

constexpr Control FieldControls[] = {Control::Edit1, Control::Edit3, Control::Edit4};

QString FromUtf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// Where the caret lands one step right or left of `at`: a surrogate pair is one step, as the
// edit control's cursor moves; so is any other character, control characters included.
int NextPosition(const QString& text, int at)
{
    if (at >= text.size())
        return int(text.size());
    if (at + 1 < text.size() && text[at].isHighSurrogate() && text[at + 1].isLowSurrogate())
        return at + 2;
    return at + 1;
}

int PreviousPosition(const QString& text, int at)
{
    if (at <= 0)
        return 0;
    if (at >= 2 && text[at - 2].isHighSurrogate() && text[at - 1].isLowSurrogate())
        return at - 2;
    return at - 1;
}

// The code a key-down reports; only Backspace matters to the window.
int VirtualKeyOf(const Action& action)
{
    switch (action.kind) {
    case Action::Backspace: return BackspaceKey;
    case Action::Type: {
        const QChar c = action.character;
        if (c.isDigit() || c.isUpper())
            return c.unicode();
        if (c.isLower())
            return c.toUpper().unicode();
        return c == u' ' ? 32 : c == u',' ? 188 : 190;
    }
    case Action::Delete: return 46;
    case Action::Enter: return 13;
    case Action::Escape: return 27;
    case Action::CtrlV: return 86;
    case Action::Home: return 36;
    case Action::End: return 35;
    case Action::Left: return 37;
    case Action::Right: return 39;
    case Action::ShiftHome: return 36;
    case Action::ShiftEnd: return 35;
    default: return 0;
    }
}

}  // namespace

const char* ControlName(Control control)
{
    constexpr const char* names[] = {"Edit1",        "Edit3",        "Edit4",
                                     "RadioButton1", "RadioButton2", "RadioButton3",
                                     "RadioButton4", "Button2",      "Button1"};
    return names[int(control)];
}

QString Printable(const QString& text, qsizetype limit)
{
    QString shown;
    const QString body = text.size() > limit ? text.left(limit / 2) : text;
    for (const QChar c : body) {
        if (c.unicode() < 32 || c.unicode() == 127)
            shown += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else if (c == u'\\')
            shown += QStringLiteral("\\\\");
        else
            shown += c;
    }
    if (text.size() > limit)
        shown += QStringLiteral("...(%1 characters)...").arg(text.size()) +
                 Printable(text.right(limit / 2), limit);
    return QLatin1Char('"') + shown + QLatin1Char('"');
}

QString Describe(const Action& action)
{
    switch (action.kind) {
    case Action::Type: return QStringLiteral("key ") + Printable(QString(action.character));
    case Action::Backspace: return QStringLiteral("Backspace");
    case Action::Delete: return QStringLiteral("Delete");
    case Action::Enter: return QStringLiteral("Enter");
    case Action::Escape: return QStringLiteral("Escape");
    case Action::CtrlV: return QStringLiteral("Ctrl+V");
    case Action::Home: return QStringLiteral("Home");
    case Action::End: return QStringLiteral("End");
    case Action::Left: return QStringLiteral("Left");
    case Action::Right: return QStringLiteral("Right");
    case Action::ShiftHome: return QStringLiteral("Shift+Home");
    case Action::ShiftEnd: return QStringLiteral("Shift+End");
    case Action::Tab: return QStringLiteral("Tab");
    case Action::Backtab: return QStringLiteral("Shift+Tab");
    case Action::Paste:
        return QStringLiteral("paste %1 into %2")
            .arg(Printable(action.text), ControlName(action.target));
    case Action::Click: return QStringLiteral("click %1").arg(ControlName(action.target));
    }
    return {};
}

QString Summary(const View& view)
{
    QString summary;
    for (int i = 0; i < 3; ++i) {
        summary += QStringLiteral("%1 %2 caret %3 selection %4+%5%6; ")
                       .arg(ControlName(FieldControls[i]), Printable(view.fields[i]))
                       .arg(view.caret[i])
                       .arg(view.selectionStart[i])
                       .arg(view.selectionLength[i])
                       .arg(view.yellow[i] ? QStringLiteral(" yellow") : QString());
    }
    return summary +
           QStringLiteral("focus %1; values %2; markers %3%4%5%6%7%8")
               .arg(view.focus,
                    QStringList(view.values.begin(), view.values.end()).join(QLatin1Char(' ')))
               .arg(view.markers[0])
               .arg(view.markers[1])
               .arg(view.markers[2])
               .arg(view.markers[3])
               .arg(view.markers[4])
               .arg(view.markers[5]);
}

QStringList Differences(const View& expected, const View& actual)
{
    QStringList found;
    auto differ = [&found](const QString& what, const auto& want, const auto& have) {
        if (want != have)
            found << QStringLiteral("%1: expected %2, window has %3").arg(what, want, have);
    };
    auto text = [](const QString& s) { return Printable(s); };
    auto flag = [](bool b) { return b ? QStringLiteral("yes") : QStringLiteral("no"); };
    auto number = [](int n) { return QString::number(n); };
    constexpr const char* valueNames[] = {"C1", "C2", "C3", "R1", "R2", "R3"};

    for (int i = 0; i < 3; ++i) {
        const QString name = QString::fromLatin1(ControlName(FieldControls[i]));
        differ(name + QStringLiteral(" text"), text(expected.fields[i]), text(actual.fields[i]));
        differ(name + QStringLiteral(" yellow"), flag(expected.yellow[i]), flag(actual.yellow[i]));
    }
    for (int i = 0; i < 6; ++i) {
        const QString name = QString::fromLatin1(valueNames[i]);
        differ(name + QStringLiteral(" value"), text(expected.values[i]), text(actual.values[i]));
        differ(name + QStringLiteral(" unit"), text(expected.units[i]), text(actual.units[i]));
        differ(name + QStringLiteral(" marker"), flag(expected.markers[i]),
               flag(actual.markers[i]));
    }
    differ(QStringLiteral("input error banner"), flag(expected.inputBanner),
           flag(actual.inputBanner));
    differ(QStringLiteral("range banner"), flag(expected.rangeBanner), flag(actual.rangeBanner));
    differ(QStringLiteral("Go enabled"), flag(expected.goEnabled), flag(actual.goEnabled));
    differ(QStringLiteral("kHz selected"), flag(expected.kHz), flag(actual.kHz));
    differ(QStringLiteral("uF selected"), flag(expected.uF), flag(actual.uF));
    differ(QStringLiteral("focus"), expected.focus, actual.focus);
    differ(QStringLiteral("error boxes"), expected.boxes.join(QStringLiteral(" | ")),
           actual.boxes.join(QStringLiteral(" | ")));
    // The caret last: a text difference usually explains it.
    for (int i = 0; i < 3; ++i) {
        const QString name = QString::fromLatin1(ControlName(FieldControls[i]));
        differ(name + QStringLiteral(" caret"), number(expected.caret[i]), number(actual.caret[i]));
        differ(name + QStringLiteral(" selection"),
               number(expected.selectionStart[i]) + QLatin1Char('+') +
                   number(expected.selectionLength[i]),
               number(actual.selectionStart[i]) + QLatin1Char('+') +
                   number(actual.selectionLength[i]));
    }
    return found;
}

WindowModel::WindowModel()
{
    fields_[0].text = QStringLiteral("100");
    fields_[1].text = QStringLiteral("33");
    fields_[2].text = QStringLiteral("10");
    values_.fill(Zero);
    units_ = {QStringLiteral("nF"),       QStringLiteral("nF"),       QStringLiteral("nF"),
              QStringLiteral("Ohm / Ом"), QStringLiteral("Ohm / Ом"), QStringLiteral("Ohm / Ом")};
    // Start-up: the units as the radio buttons show them, the focus in the frequency field
    // with its whole text selected.
    calc::SetFrequencyUnit(calc_, calc::FrequencyUnit::Hz);
    calc::SetCapacitanceUnit(calc_, calc::CapacitanceUnit::nF);
    fields_[0].anchor = 0;
    fields_[0].caret = int(fields_[0].text.size());
}

View WindowModel::view() const
{
    View v;
    for (int i = 0; i < 3; ++i) {
        const Field& f = fields_[i];
        v.fields[i] = f.text;
        v.caret[i] = f.caret;
        v.selectionStart[i] = f.hasSelection() ? std::min(f.caret, f.anchor) : -1;
        v.selectionLength[i] = std::abs(f.caret - f.anchor);
        v.yellow[i] = f.yellow;
    }
    v.values = values_;
    v.units = units_;
    v.markers = markers_;
    v.inputBanner = inputBanner_;
    v.rangeBanner = rangeBanner_;
    v.goEnabled = goEnabled_;
    v.kHz = kHz_;
    v.uF = uF_;
    v.focus = QString::fromLatin1(ControlName(focus_));
    v.boxes = boxes_;
    return v;
}

void WindowModel::apply(const Action& action)
{
    boxes_.clear();
    switch (action.kind) {
    case Action::Paste: paste(FieldIndex(action.target), action.text); break;
    case Action::Click: click(action.target); break;
    default: key(action); break;
    }
}

// Handlers -------------------------------------------------------------------------------

void WindowModel::KeyDown(int virtualKey)
{
    calc_.BackspaceFlag = virtualKey == BackspaceKey;
}

void WindowModel::KeyPress(int field, char32_t character)
{
    if (field == 0) {
        resetValues(0, 6);
        inputBanner_ = false;
        rangeBanner_ = false;
    } else {
        rangeBanner_ = false;
    }
    fields_[field].yellow = false;

    const std::optional<char32_t> passed = calc::KeyFilter(character, calc_.BackspaceFlag);
    if (!passed)
        return;
    Field& f = fields_[field];
    if (*passed == BackspaceKey) {
        if (f.hasSelection())
            replaceSelection(field, QString());
        else if (f.caret > 0) {
            // One character back; a surrogate pair goes as one.
            int from = f.caret - 1;
            if (from > 0 && f.text[from].isLowSurrogate() && f.text[from - 1].isHighSurrogate())
                --from;
            edit(field, f.text.left(from) + f.text.mid(f.caret), from);
        }
        return;
    }
    replaceSelection(field, QString::fromUcs4(&*passed, 1));
}

void WindowModel::Change(int field)
{
    if (field == 1)
        resetValues(0, 3);
    if (field == 2)
        resetValues(3, 6);
    inputBanner_ = false;
    applyGoRule();
    hideMarkers();
}

void WindowModel::UnitSelected(Control button)
{
    switch (button) {
    case Control::RadioButton1:
    case Control::RadioButton2:
        resetValues(0, 6);
        kHz_ = button == Control::RadioButton2;
        calc::SetFrequencyUnit(calc_, kHz_ ? calc::FrequencyUnit::kHz : calc::FrequencyUnit::Hz);
        break;
    default:
        resetValues(3, 6);
        uF_ = button == Control::RadioButton4;
        calc::SetCapacitanceUnit(calc_,
                                 uF_ ? calc::CapacitanceUnit::uF : calc::CapacitanceUnit::nF);
        break;
    }
    hideMarkers();
}

void WindowModel::Go()
{
    for (const Field& f : fields_) {
        if (f.text.isEmpty())
            return;
    }
    for (Field& f : fields_)
        f.yellow = false;
    rangeBanner_ = false;
    inputBanner_ = false;

    const std::string texts[] = {fields_[0].text.toStdString(), fields_[1].text.toStdString(),
                                 fields_[2].text.toStdString()};
    for (int i = 0; i < 3; ++i) {
        calc::FieldOutcome outcome;
        try {
            outcome = i == 0   ? calc::CheckFrequency(texts[i], calc_.FreqMultiplier)
                      : i == 1 ? calc::CheckResistance(texts[i])
                               : calc::CheckCapacitance(texts[i], calc_.CapMultiplier);
        } catch (const calc::EConvertError&) {
            boxes_ << QLatin1Char('\'') + fields_[i].text +
                          QStringLiteral("' is not a valid floating point value.");
            return;
        } catch (const calc::EOverflow&) {
            boxes_ << QStringLiteral("Floating point overflow.");
            return;
        }
        if (std::holds_alternative<calc::Accepted>(outcome))
            continue;
        if (const auto* range = std::get_if<calc::OutOfRange>(&outcome)) {
            rangeBanner_ = true;
            setProgramText(i, FromUtf8(range->replacement));
        } else {
            inputBanner_ = true;
        }
        fields_[i].yellow = true;
        moveFocus(FieldControls[i], true);
        return;
    }

    const calc::Calculation calculation = calc::Calculate(calc_, {texts[0], texts[1], texts[2]});
    const auto& computed = std::get<calc::Computed>(calculation);
    for (int i = 0; i < 6; ++i) {
        // A component below every display range shows "0" and keeps its unit, so no
        // number of an earlier calculation stays next to the new results.
        if (const auto& shown = computed.components[i].texts) {
            values_[i] = FromUtf8(shown->number);
            units_[i] = FromUtf8(shown->unit);
        } else {
            values_[i] = Zero;
        }
    }
    for (int i = 0; i < 6; ++i)
        markers_[i] = markers_[i] || computed.components[i].marker;
}

// Input ----------------------------------------------------------------------------------

void WindowModel::key(const Action& action)
{
    if (action.kind == Action::Tab || action.kind == Action::Backtab) {
        tab(action.kind == Action::Tab);
        return;
    }
    if (IsField(focus_)) {
        fieldKey(FieldIndex(focus_), action);
        return;
    }
    // A unit button or a push button: Enter presses the default button (the generator never
    // presses Exit), Space presses the focused button, which for a unit button selects it;
    // nothing else does anything.
    const bool space = action.kind == Action::Type && action.character == u' ';
    if (space && focus_ != Control::Button2 && focus_ != Control::Button1)
        click(focus_);
    else if ((action.kind == Action::Enter && goEnabled_) || (space && focus_ == Control::Button2))
        Go();
}

void WindowModel::fieldKey(int field, const Action& action)
{
    Field& f = fields_[field];
    if (action.kind == Action::Enter && goEnabled_) {
        Go();  // the field sees neither the key-down nor the character
        return;
    }
    if (action.kind == Action::CtrlV)
        KeyDown(17);
    KeyDown(VirtualKeyOf(action));
    switch (action.kind) {
    case Action::Type: KeyPress(field, action.character.unicode()); break;
    case Action::Backspace: KeyPress(field, 8); break;
    case Action::Enter: KeyPress(field, 13); break;
    case Action::Escape: KeyPress(field, 27); break;
    case Action::CtrlV: KeyPress(field, 22); break;
    case Action::Delete:
        if (f.hasSelection())
            replaceSelection(field, QString());
        else if (f.caret < f.text.size())
            edit(field, f.text.left(f.caret) + f.text.mid(NextPosition(f.text, f.caret)), f.caret);
        break;
    case Action::Home: f.caret = f.anchor = 0; break;
    case Action::End: f.caret = f.anchor = int(f.text.size()); break;
    // One step from the caret, dropping any selection (Qt's Windows keyboard scheme, which
    // the headless platform uses too).
    case Action::Left: f.caret = f.anchor = PreviousPosition(f.text, f.caret); break;
    case Action::Right: f.caret = f.anchor = NextPosition(f.text, f.caret); break;
    case Action::ShiftHome: f.caret = 0; break;
    case Action::ShiftEnd: f.caret = int(f.text.size()); break;
    default: break;
    }
}

void WindowModel::click(Control target)
{
    if (target == Control::Button2) {
        if (!goEnabled_)
            return;  // a disabled button takes neither the click nor the focus
        moveFocus(target, false);
        Go();
        return;
    }
    moveFocus(target, false);
    const bool selected = target == Control::RadioButton1   ? !kHz_
                          : target == Control::RadioButton2 ? kHz_
                          : target == Control::RadioButton3 ? !uF_
                                                            : uF_;
    if (!selected)
        UnitSelected(target);
}

void WindowModel::paste(int field, const QString& text)
{
    moveFocus(FieldControls[field], false);  // a right click focuses without selecting
    if (!text.isEmpty() || fields_[field].hasSelection())
        replaceSelection(field, text);
}

// Editing and focus ------------------------------------------------------------------------

void WindowModel::edit(int field, const QString& text, int caret)
{
    Field& f = fields_[field];
    const bool changed = f.text != text;
    f.text = text;
    f.caret = f.anchor = caret;
    if (changed)
        Change(field);
}

void WindowModel::replaceSelection(int field, const QString& inserted)
{
    const Field& f = fields_[field];
    const int from = std::min(f.caret, f.anchor);
    const int to = std::max(f.caret, f.anchor);
    edit(field, f.text.left(from) + inserted + f.text.mid(to), from + int(inserted.size()));
}

void WindowModel::setProgramText(int field, const QString& text)
{
    Field& f = fields_[field];
    if (f.text == text)
        return;
    f.text = text;
    f.caret = f.anchor = 0;
    Change(field);
}

void WindowModel::moveFocus(Control to, bool selectAll)
{
    if (focus_ == to)
        return;
    if (IsField(focus_)) {
        Field& left = fields_[FieldIndex(focus_)];
        left.anchor = left.caret;
    }
    focus_ = to;
    if (IsField(to) && selectAll) {
        Field& f = fields_[FieldIndex(to)];
        f.anchor = 0;
        f.caret = int(f.text.size());
    }
}

void WindowModel::tab(bool forward)
{
    // Each pair of unit buttons is one stop, its selected button.
    std::vector<Control> chain{Control::Edit1, kHz_ ? Control::RadioButton2 : Control::RadioButton1,
                               Control::Edit3, Control::Edit4,
                               uF_ ? Control::RadioButton4 : Control::RadioButton3};
    if (goEnabled_)
        chain.push_back(Control::Button2);
    chain.push_back(Control::Button1);
    Control from = focus_;
    if (from == Control::RadioButton1 || from == Control::RadioButton2)
        from = chain[1];
    if (from == Control::RadioButton3 || from == Control::RadioButton4)
        from = chain[4];
    const auto at = std::find(chain.begin(), chain.end(), from);
    const int n = int(chain.size());
    const int index = at == chain.end() ? 0 : int(at - chain.begin());
    const int next = (index + (forward ? 1 : n - 1)) % n;
    moveFocus(chain[std::size_t(next)], true);
}

void WindowModel::resetValues(int first, int last)
{
    for (int i = first; i < last; ++i)
        values_[i] = Zero;
}

void WindowModel::hideMarkers()
{
    markers_.fill(false);
}

void WindowModel::applyGoRule()
{
    goEnabled_ = std::none_of(fields_.begin(), fields_.end(),
                              [](const Field& f) { return f.text.isEmpty(); });
}

}  // namespace abuse
