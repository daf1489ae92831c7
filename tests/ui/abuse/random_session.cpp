// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "random_session.h"

#include <algorithm>

#include <QtCore/QElapsedTimer>
#include <QtCore/QRegularExpression>
#include <QtGui/QClipboard>
#include <QtTest/QTest>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>

namespace abuse {
namespace {

constexpr const char* FieldNames[] = {"Edit1", "Edit3", "Edit4"};
constexpr const char* ValueNames[] = {"Label7",  "Label8",  "Label12",
                                      "Label15", "Label16", "Label25"};
constexpr const char* UnitNames[] = {"Label9",  "Label10", "Label22",
                                     "Label17", "Label18", "Label26"};
constexpr const char* MarkerNames[] = {"Label27", "Label28", "Label29",
                                       "Label30", "Label31", "Label32"};
constexpr Control Units[] = {Control::RadioButton1, Control::RadioButton2, Control::RadioButton3,
                             Control::RadioButton4};
constexpr Control Fields[] = {Control::Edit1, Control::Edit3, Control::Edit4};

const QString ConvertSuffix = QStringLiteral("' is not a valid floating point value.");
const QString Overflow = QStringLiteral("Floating point overflow.");
const QChar Ellipsis(0x2026);

// A field text that any error box can quote whole: short, on one line.
bool AlwaysFits(const QString& text)
{
    static const QRegularExpression lineBreak(
        QStringLiteral("[\\n\\r\\x0b\\x0c\\x{85}\\x{2028}\\x{2029}]"));
    return text.size() <= 60 && !text.contains(lineBreak);
}

QString Digits(Random& random, int count)
{
    QString digits;
    digits.reserve(count);
    for (int i = 0; i < count; ++i)
        digits += QChar(u'0' + random.below(10));
    return digits;
}

QString Pick(Random& random, std::initializer_list<const char16_t*> texts)
{
    return QString::fromUtf16(texts.begin()[random.below(int(texts.size()))]);
}

}  // namespace

std::uint64_t Random::next()
{
    std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

int Random::below(int n)
{
    return int(next() % std::uint64_t(n));
}

QString RandomPasteText(Random& random)
{
    const int roll = random.below(100);
    if (roll < 30)  // a plain number, in range or not
        return QString::number(random.below(random.percent(50) ? 1200 : 200000)) +
               (random.percent(40) ? QLatin1Char(',') + Digits(random, 1 + random.below(3))
                                   : QString());
    if (roll < 45)
        return Pick(random,
                    {u"0,1", u"0,01", u"0,05",   u"0,005",   u"1",    u"99999", u"100000", u"500",
                     u"600", u"1000", u"1000,5", u"10",      u"20",   u"2000",  u"0,5",    u"-5",
                     u"+7",  u"1e2",  u"1E3",    u"1e-4000", u" 12 ", u"5,",    u"007"});
    if (roll < 57)  // malformed or unreadable
        return Pick(random, {u",5", u"5,5,5", u",", u"1 000", u"12a", u"abc", u"1e5000", u"1e-5000",
                             u"1e400", u"--1", u"1e+", u"e5", u"1.5", u"0x10", u"1,5e", u"inf"});
    if (roll < 65)  // blanks and control characters
        return Pick(random, {u" ", u"   ", u"\t", u"\x01", u"\x7f", u"\n", u"\r\n", u"\x1b",
                             u"\x08", u"1\t2", u"\v", u"\x0c"}) +
               (random.percent(20) ? QString(QChar(0)) + QStringLiteral("9") : QString());
    if (roll < 71)  // other scripts, markup, quotes
        return Pick(random, {u"Гц", u"<b>x</b>", u"&amp;", u"'", u"%s", u"5'", u"\xff11\xff12",
                             u"<i>1</i>2", u"\"1\"", u"\x00e9"});
    if (roll < 76)
        return QString();
    if (roll < 94) {  // random garbage
        static const QString alphabet = QStringLiteral("0123456789,.,eE+- \tabcXYZ\x01\x7f");
        QString text;
        for (int n = 1 + random.below(12); n > 0; --n)
            text += alphabet[random.below(int(alphabet.size()))];
        return text;
    }
    if (roll < 99)
        return QString(400, QLatin1Char('9'));
    // A 5000-digit number: too large for a double, or, after "0,", an ordinary fraction.
    const QString digits = QChar(u'1' + random.below(9)) + Digits(random, 4997);
    return random.percent(50) ? digits + QStringLiteral("12") : QStringLiteral("0,") + digits;
}

Action RandomActions::next(const WindowModel& model)
{
    if (pending_.isEmpty() && random_.percent(12)) {
        // Focus a field as a right click does, select its text and paste or type a number.
        const Control field = Fields[random_.below(3)];
        const QString number = QString::number(1 + random_.below(random_.percent(50) ? 20 : 1000)) +
                               (random_.percent(30) ? QStringLiteral(",5") : QString());
        pending_ << Action{Action::Paste, {}, QString(), field}
                 << Action{Action::Home, {}, {}, field} << Action{Action::ShiftEnd, {}, {}, field};
        if (random_.percent(50)) {
            pending_ << Action{Action::Paste, {}, number, field};
        } else {
            for (const QChar c : number)
                pending_ << Action{Action::Type, c == u',' ? QChar(u'.') : c, {}, field};
        }
    }
    if (!pending_.isEmpty())
        return pending_.takeFirst();
    return single(model);
}

Action RandomActions::single(const WindowModel& model)
{
    Random& random = random_;
    Action action;
    int roll = random.below(1000);
    auto take = [&roll](int share) {
        roll -= share;
        return roll < 0;
    };

    if (take(350)) {
        action.character = QChar(u'0' + random.below(10));
    } else if (take(20)) {
        action.character = u'.';
    } else if (take(20)) {
        action.character = u',';
    } else if (take(30)) {
        static const QString letters = QStringLiteral("aezAEZ+-");
        action.character = letters[random.below(int(letters.size()))];
    } else if (take(10)) {
        action.character = u' ';
    } else if (take(80)) {
        action.kind = Action::Backspace;
    } else if (take(40)) {
        action.kind = Action::Delete;
    } else if (take(60)) {
        action.kind = Action::Enter;
    } else if (take(20)) {
        action.kind = Action::Escape;
    } else if (take(20)) {
        action.kind = Action::CtrlV;
    } else if (take(60)) {
        constexpr Action::Kind moves[] = {Action::Home,  Action::End,       Action::Left,
                                          Action::Right, Action::ShiftHome, Action::ShiftEnd};
        action.kind = moves[random.below(6)];
    } else if (take(80)) {
        action.kind = Action::Tab;
    } else if (take(20)) {
        action.kind = Action::Backtab;
    } else if (take(90)) {
        action.kind = Action::Paste;
        action.target = Fields[random.below(3)];
        action.text = RandomPasteText(random);
    } else if (take(50)) {
        action.kind = Action::Click;
        action.target = Units[random.below(4)];
    } else {
        action.kind = Action::Click;
        action.target = Control::Button2;
    }
    return Fitted(action, model);
}

Action Fitted(const Action& action, const WindowModel& model)
{
    const Control focus = model.focus();
    const bool inField =
        focus == Control::Edit1 || focus == Control::Edit3 || focus == Control::Edit4;
    const bool caretKey = action.kind >= Action::Home && action.kind <= Action::ShiftEnd;
    const bool pressesExit =
        focus == Control::Button1 &&
        (action.kind == Action::Enter || (action.kind == Action::Type && action.character == u' '));
    if ((caretKey && !inField) || pressesExit)
        return Action{Action::Tab, {}, {}, Control::Edit1};
    return action;
}

QStringList Replay(const QList<Action>& actions)
{
    Session session;
    if (!session.show())
        return {QStringLiteral("the window did not become active")};
    for (const Action& action : actions) {
        if (QStringList problems = session.step(Fitted(action, session.model()));
            !problems.isEmpty())
            return problems;
    }
    return {};
}

QList<Action> Shrink(QList<Action> actions, int seconds)
{
    // The same kind of problem: the same first difference or broken rule, up to its colon.
    auto kind = [](const QStringList& problems) {
        return problems.isEmpty() ? QString() : problems.first().section(QLatin1Char(':'), 0, 0);
    };
    const QString wanted = kind(Replay(actions));
    if (wanted.isEmpty())
        return actions;
    QElapsedTimer clock;
    clock.start();
    for (qsizetype chunk = actions.size() / 2; chunk >= 1 && !clock.hasExpired(1000LL * seconds);) {
        bool removed = false;
        for (qsizetype at = 0; at < actions.size() && !clock.hasExpired(1000LL * seconds);) {
            QList<Action> fewer = actions;
            fewer.remove(at, std::min(chunk, actions.size() - at));
            if (kind(Replay(fewer)) == wanted) {
                actions = fewer;
                removed = true;
            } else {
                at += chunk;
            }
        }
        if (!removed)
            chunk /= 2;
    }
    return actions;
}

bool ShownAs(const QString& expected, const QString& shown)
{
    if (shown == expected)
        return true;
    if (!expected.startsWith(QLatin1Char('\'')) || !expected.endsWith(ConvertSuffix) ||
        !shown.startsWith(QLatin1Char('\'')) || !shown.endsWith(ConvertSuffix))
        return false;
    const QString text = expected.mid(1, expected.size() - 1 - ConvertSuffix.size());
    const QString quoted = shown.mid(1, shown.size() - 1 - ConvertSuffix.size());
    if (AlwaysFits(text))
        return false;
    // Cut in the middle: a head of the text, the ellipsis, a tail of the text.
    for (qsizetype at = quoted.indexOf(Ellipsis); at >= 0; at = quoted.indexOf(Ellipsis, at + 1)) {
        const QString head = quoted.left(at);
        const QString tail = quoted.mid(at + 1);
        if (text.startsWith(head) && text.endsWith(tail) && head.size() + tail.size() < text.size())
            return true;
    }
    return false;
}

bool Session::show()
{
    form_.show();
    form_.activateWindow();
    if (!QTest::qWaitForWindowActive(&form_))
        return false;
    last_ = read();
    return true;
}

void Session::perform(const Action& action)
{
    QWidget* focused = QApplication::focusWidget();
    auto key = [focused](Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        if (focused)
            QTest::keyClick(focused, k, m);
    };
    switch (action.kind) {
    case Action::Type:
        if (focused)
            QTest::keyClick(focused, action.character.toLatin1());
        break;
    case Action::Backspace: key(Qt::Key_Backspace); break;
    case Action::Delete: key(Qt::Key_Delete); break;
    case Action::Enter: key(Qt::Key_Return); break;
    case Action::Escape: key(Qt::Key_Escape); break;
    case Action::CtrlV: key(Qt::Key_V, Qt::ControlModifier); break;
    case Action::Home: key(Qt::Key_Home); break;
    case Action::End: key(Qt::Key_End); break;
    case Action::Left: key(Qt::Key_Left); break;
    case Action::Right: key(Qt::Key_Right); break;
    case Action::ShiftHome: key(Qt::Key_Home, Qt::ShiftModifier); break;
    case Action::ShiftEnd: key(Qt::Key_End, Qt::ShiftModifier); break;
    case Action::Tab: key(Qt::Key_Tab); break;
    case Action::Backtab: key(Qt::Key_Tab, Qt::ShiftModifier); break;
    case Action::Paste: {
        // What the context menu's Paste does: the right click focuses the field without
        // selecting, then the clipboard text goes in past the key filter.
        auto* field = form_.findChild<QLineEdit*>(QString::fromLatin1(ControlName(action.target)));
        field->setFocus(Qt::MouseFocusReason);
        QGuiApplication::clipboard()->setText(action.text);
        field->paste();
        break;
    }
    case Action::Click:
        QTest::mouseClick(
            form_.findChild<QWidget*>(QString::fromLatin1(ControlName(action.target))),
            Qt::LeftButton);
        break;
    }
}

View Session::read() const
{
    auto label = [this](const char* name) {
        return form_.findChild<QLabel*>(QString::fromLatin1(name));
    };
    View v;
    for (int i = 0; i < 3; ++i) {
        const auto* field = form_.findChild<QLineEdit*>(QString::fromLatin1(FieldNames[i]));
        v.fields[i] = field->text();
        v.caret[i] = field->cursorPosition();
        v.selectionStart[i] = field->selectionStart();
        v.selectionLength[i] = field->hasSelectedText() ? int(field->selectedText().size()) : 0;
        v.yellow[i] = field->palette().color(QPalette::Base) == QColor(255, 255, 0);
    }
    for (int i = 0; i < 6; ++i) {
        v.values[i] = label(ValueNames[i])->text();
        v.units[i] = label(UnitNames[i])->text();
        v.markers[i] = !label(MarkerNames[i])->isHidden();
    }
    v.inputBanner = !label("Label20")->isHidden();
    v.rangeBanner = !label("Label19")->isHidden();
    v.goEnabled = form_.findChild<QPushButton*>(QStringLiteral("Button2"))->isEnabled();
    v.kHz = form_.findChild<QRadioButton*>(QStringLiteral("RadioButton2"))->isChecked();
    v.uF = form_.findChild<QRadioButton*>(QStringLiteral("RadioButton4"))->isChecked();
    const QWidget* focused = QApplication::focusWidget();
    v.focus = focused ? focused->objectName() : QStringLiteral("(nothing)");
    return v;
}

QStringList Session::rules(const View& v, const QList<ShownBox>& boxes) const
{
    QStringList broken;
    const bool noneEmpty = std::none_of(v.fields.begin(), v.fields.end(),
                                        [](const QString& t) { return t.isEmpty(); });
    if (v.goEnabled != noneEmpty)
        broken << QStringLiteral("Go is %1 with %2")
                      .arg(v.goEnabled ? "enabled" : "disabled",
                           noneEmpty ? "no field empty" : "a field empty");
    if (std::count(v.yellow.begin(), v.yellow.end(), true) > 1)
        broken << QStringLiteral("more than one yellow field");
    if (v.inputBanner && v.rangeBanner)
        broken << QStringLiteral("both banners shown");
    if (changedSinceGo_ && std::count(v.markers.begin(), v.markers.end(), true) > 0)
        broken << QStringLiteral("a marker is shown after a change, before the next Go");
    const auto* hz = form_.findChild<QRadioButton*>(QStringLiteral("RadioButton1"));
    const auto* nf = form_.findChild<QRadioButton*>(QStringLiteral("RadioButton3"));
    if (hz->isChecked() == v.kHz || nf->isChecked() == v.uF)
        broken << QStringLiteral("a unit pair does not have exactly one unit selected");

    static const QRegularExpression convert(
        QStringLiteral("\\A'.*' is not a valid floating point value\\.\\z"),
        QRegularExpression::DotMatchesEverythingOption);
    for (const ShownBox& box : boxes) {
        const QString what = QStringLiteral("error box ") + Printable(box.text);
        if (box.text != Overflow && !convert.match(box.text).hasMatch())
            broken << what + QStringLiteral(" has neither message form");
        if (!box.literal)
            broken << what + QStringLiteral(" shows its text as markup");
        if (box.title != QApplication::applicationName() || box.icon != QMessageBox::Critical ||
            box.buttons != QMessageBox::StandardButtons(QMessageBox::Ok))
            broken << what + QStringLiteral(
                                 " is not a stop box with one OK under the program's title");
        if (box.clipped)
            broken << what + QStringLiteral(" cuts its text off at the edge");
        if (box.frame.width() > box.screen.width() || box.frame.height() > box.screen.height())
            broken << what + QStringLiteral(" is %1x%2, larger than the screen's %3x%4")
                                 .arg(box.frame.width())
                                 .arg(box.frame.height())
                                 .arg(box.screen.width())
                                 .arg(box.screen.height());
    }
    return broken;
}

QStringList Session::step(const Action& action)
{
    const int goBefore = goClicks_;
    auto* go = form_.findChild<QPushButton*>(QStringLiteral("Button2"));
    const QMetaObject::Connection counting =
        QObject::connect(go, &QPushButton::clicked, [this] { ++goClicks_; });

    before_ = last_;
    model_.apply(action);
    perform(action);
    QObject::disconnect(counting);

    const QList<ShownBox> boxes = catcher_.take();
    // The focus comes back with the window once the box is gone.
    const bool back =
        boxes.isEmpty() ||
        QTest::qWaitFor([this] { return form_.isActiveWindow() && QApplication::focusWidget(); },
                        2000);
    View actual = read();
    for (const ShownBox& box : boxes)
        actual.boxes << box.text;

    const bool pressedGo = goClicks_ != goBefore;
    if (pressedGo)
        changedSinceGo_ = false;
    else if (actual.fields != last_.fields || actual.kHz != last_.kHz || actual.uF != last_.uF)
        changedSinceGo_ = true;

    const View expected = model_.view();
    for (qsizetype i = 0; i < std::min(expected.boxes.size(), actual.boxes.size()); ++i) {
        if (ShownAs(expected.boxes[i], actual.boxes[i]))
            actual.boxes[i] = expected.boxes[i];
    }
    QStringList problems = rules(actual, boxes);
    if (!back)
        problems << QStringLiteral("the window is not active again after the error box");
    problems += Differences(expected, actual);

    ++tally_.actions;
    tally_.goPresses += pressedGo;
    tally_.boxes += int(boxes.size());
    if (pressedGo && boxes.isEmpty()) {
        tally_.inputErrors += actual.inputBanner;
        tally_.rangeErrors += actual.rangeBanner;
        tally_.results += !actual.inputBanner && !actual.rangeBanner;
    }
    tally_.markers +=
        pressedGo && std::count(actual.markers.begin(), actual.markers.end(), true) > 0;
    for (const QString& text : actual.fields)
        tally_.longestField = std::max(tally_.longestField, text.size());
    last_ = actual;
    return problems;
}

}  // namespace abuse
