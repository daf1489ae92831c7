// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The window under a long run of random user actions, each checked against the model and
// against the rules that always hold. A fixed seed runs by default; set
// BUTTERWORTH3_RANDOM_SEED and BUTTERWORTH3_RANDOM_EVENTS for other or longer runs. A
// failure names the seed, the action and the actions before it.
#include <QtTest/QTest>

#include "random_session.h"
#include "ui/application_title.h"
#include "ui/form_definition.h"
#include "ui/window_look.h"

using abuse::Action;
using abuse::Control;

class TestRandomEvents : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void sequences_data();
    void sequences();
    void randomActions();
};

namespace {

constexpr std::uint64_t DefaultSeed = 20240607;
constexpr int DefaultEvents = 100000;

std::uint64_t Setting(const char* name, std::uint64_t fallback)
{
    bool ok = false;
    const qulonglong value = qEnvironmentVariable(name).toULongLong(&ok, 0);
    return ok ? value : fallback;
}

Action Key(Action::Kind kind)
{
    return Action{kind, {}, {}, Control::Edit1};
}

Action Type(char16_t c)
{
    return Action{Action::Type, QChar(c), {}, Control::Edit1};
}

Action Paste(Control field, const QString& text)
{
    return Action{Action::Paste, {}, text, field};
}

Action Click(Control target)
{
    return Action{Action::Click, {}, {}, target};
}

// A field's text replaced as a user does it with the mouse and keys: a right click into it,
// Home, Shift+End, then the context menu's Paste.
QList<Action> Replace(Control field, const QString& text)
{
    return {Paste(field, QString()), Key(Action::Home), Key(Action::ShiftEnd), Paste(field, text)};
}

// The headless platform says so for every error box; thousands of them would hide the rest.
QtMessageHandler testHandler = nullptr;

void DropSizeHintNotes(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message != QLatin1String("This plugin does not support propagateSizeHints()"))
        testHandler(type, context, message);
}

}  // namespace

void TestRandomEvents::initTestCase()
{
    testHandler = qInstallMessageHandler(DropSizeHintNotes);
    QApplication::setApplicationName(ui::ApplicationTitle(QStringLiteral("/usr/bin/butterworth3")));
    ui::SetApplicationLook(ui::Form1Window());
}

// Short sequences that once went wrong, or that reach corners the random run seldom does.
void TestRandomEvents::sequences_data()
{
    QTest::addColumn<QList<Action>>("actions");
    using L = QList<Action>;
    const QString nul(QChar(0));

    // clang-format off
    QTest::newRow("pasted text with a NUL character, quoted whole")
        << L{Paste(Control::Edit3, QStringLiteral("1") + nul + QStringLiteral("2")), Click(Control::Button2)};
    QTest::newRow("pasted markup, quoted as typed")
        << L{Paste(Control::Edit4, QStringLiteral("<b>x</b>")), Click(Control::Button2)};
    QTest::newRow("5000 digits, beyond the extended range: not a number")
        << L{Paste(Control::Edit1, QString(5000, QLatin1Char('7'))), Click(Control::Button2)};
    QTest::newRow("1e5000 in the resistance field")
        << L{Paste(Control::Edit3, QStringLiteral("1e5000")), Key(Action::Enter)};
    QTest::newRow("many line breaks in the capacitance field")
        << L{Paste(Control::Edit4, QStringLiteral("1\n").repeated(400)), Click(Control::Button2)};
    QTest::newRow("a long text after results, Go by Enter")
        << L{Click(Control::Button2), Paste(Control::Edit3, QString(3000, QLatin1Char('x'))),
             // clang-format on
             Key(Action::Enter), Type(u'5'), Key(Action::Enter)};
    QTest::newRow("emptied frequency, then Enter is a dropped character")
        << L{Paste(Control::Edit1, QStringLiteral("150000")), Click(Control::Button2),
             Key(Action::Enter), Type(u'1'), Key(Action::Enter)};
    QTest::newRow("paste into the resistance field before it ever had the focus")
        << L{Paste(Control::Edit3, QStringLiteral("9")), Click(Control::Button2)};
    QTest::newRow("Shift+Tab at start-up into the capacitance units")
        << L{Key(Action::Backtab), Key(Action::Backtab), Key(Action::Backtab), Type(u' '),
             Click(Control::Button2)};
    QTest::newRow("Tab into the frequency units after Shift+Tab into them")
        << L{Paste(Control::Edit3, QStringLiteral("68")),
             Key(Action::Backtab),
             Paste(Control::Edit1, QStringLiteral("9")),
             Key(Action::Tab),
             Type(u' '),
             Click(Control::Button2)};
    QTest::newRow("paste into an unfocused field lands at its caret")
        << L{Key(Action::Tab),
             Key(Action::Tab),
             Key(Action::End),
             Key(Action::Tab),
             Paste(Control::Edit3, QStringLiteral("9")),
             Click(Control::Button2)};
    QTest::newRow("range failure in a field other than the focused one")
        << L{Key(Action::Tab), Key(Action::Tab), Type(u'0'),
             Key(Action::Tab), Key(Action::Tab), Key(Action::Enter)};
    QTest::newRow("unit changes between results")
        << L{Click(Control::Button2),      Click(Control::RadioButton2), Click(Control::Button2),
             Click(Control::RadioButton4), Click(Control::RadioButton4), Click(Control::Button2)};
    QTest::newRow("after a paste into the frequency field, a value below display shows 0")
        << L{Click(Control::RadioButton2), Click(Control::RadioButton4)} +
               Replace(Control::Edit1, QStringLiteral("1")) +
               Replace(Control::Edit3, QStringLiteral("1000")) +
               Replace(Control::Edit4, QStringLiteral("10")) + L{Click(Control::Button2)} +
               Replace(Control::Edit1, QStringLiteral("500")) + L{Click(Control::Button2)};
}

void TestRandomEvents::sequences()
{
    QFETCH(QList<Action>, actions);
    abuse::Session session;
    QVERIFY(session.show());
    for (const Action& action : actions) {
        const QStringList problems = session.step(action);
        QVERIFY2(problems.isEmpty(), qPrintable(abuse::Describe(action) + QStringLiteral(": ") +
                                                problems.join(QStringLiteral("; "))));
    }
    QVERIFY2(session.unexpectedWindows().isEmpty(),
             qPrintable(session.unexpectedWindows().join(", ")));
}

void TestRandomEvents::randomActions()
{
    const std::uint64_t seed = Setting("BUTTERWORTH3_RANDOM_SEED", DefaultSeed);
    const int events = int(Setting("BUTTERWORTH3_RANDOM_EVENTS", DefaultEvents));
    abuse::RandomActions actions(seed);
    abuse::Session session;
    QVERIFY(session.show());

    QList<Action> done;
    for (int i = 0; i < events; ++i) {
        const Action action = actions.next(session.model());
        done << action;
        const QStringList problems = session.step(action);
        if (problems.isEmpty())
            continue;
        QStringList recent;
        for (qsizetype k = std::max<qsizetype>(0, done.size() - 30); k < done.size(); ++k)
            recent << QStringLiteral("  #%1 %2").arg(k).arg(abuse::Describe(done[k]));
        QStringList shortest;
        for (const Action& kept : abuse::Shrink(done, 60))
            shortest << QStringLiteral("  ") + abuse::Describe(kept);
        QFAIL(qPrintable(
            QStringLiteral("seed %1, action #%2 of %3:\n    %4\nbefore it: %5\nlast actions:\n%6\n"
                           "a shorter sequence with the same problem, from the start:\n%7")
                .arg(seed)
                .arg(i)
                .arg(events)
                .arg(problems.join(QStringLiteral("\n    ")), abuse::Summary(session.before()),
                     recent.join(QLatin1Char('\n')), shortest.join(QLatin1Char('\n')))));
    }
    QVERIFY2(session.unexpectedWindows().isEmpty(),
             qPrintable(session.unexpectedWindows().join(", ")));
    const abuse::Tally& t = session.tally();
    qInfo("seed %llu: %d actions, %d Go presses: %d results (%d with markers), %d input errors, "
          "%d range errors, %d error boxes; longest field text %lld characters",
          static_cast<unsigned long long>(seed), t.actions, t.goPresses, t.results, t.markers,
          t.inputErrors, t.rangeErrors, t.boxes, static_cast<long long>(t.longestField));
}

QTEST_MAIN(TestRandomEvents)
#include "tst_random_events.moc"
