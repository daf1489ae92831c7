// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The main window's behaviour, driven through its real widgets with key and mouse events.
#include <memory>

#include <QtCore/QUrl>
#include <QtGui/QContextMenuEvent>
#include <QtGui/QDesktopServices>
#include <QtGui/QScreen>
#include <QtTest/QSignalSpy>
#include <QtWidgets/QMenu>

#include "ui/application_title.h"
#include "ui/form_definition.h"
#include "ui/window_look.h"
#include "window_fixture.h"

class TestTForm1 : public QObject {
    Q_OBJECT
public slots:
    void openUrl(const QUrl& url) { opened_.append(url); }

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void startsWithDefaultsAndFocusInFrequency();
    void goAtStartShowsDefaultResults_data();
    void goAtStartShowsDefaultResults();
    void typingPassesTheKeyFilter_data();
    void typingPassesTheKeyFilter();
    void enterEscapeInField_data();
    void enterEscapeInField();
    void enterWithGoDisabledIsADroppedCharacter();
    void enterPressesTheFocusedOrDefaultButton_data();
    void enterPressesTheFocusedOrDefaultButton();
    void escapeNeverClosesTheWindow();
    void handlerResets_data();
    void handlerResets();
    void unitButtonsSetMultipliers();
    void goRejectsFirstBadField_data();
    void goRejectsFirstBadField();
    void goFromEnterLeavesCaretAtStartOfCorrectedText();
    void goShowsResultsAndMarkers_data();
    void goShowsResultsAndMarkers();
    void secondGoRepeatsTheSameTexts();
    void componentBelowDisplayRangeShowsZero();
    void errorBox_data();
    void errorBox();
    void errorBoxAbandonsGoAfterClearingBannersAndColours();
    void contextMenuPasteBypassesFilter();
    void linkOpensWebPage();
    void tabOrderSelectsFieldTexts();
    void exitAndCloseEndTheLoop_data();
    void exitAndCloseEndTheLoop();

private:
    Window& w() { return *window_; }
    void selectUnits(const QString& frequency, const QString& capacitance);

    std::unique_ptr<DialogCatcher> catcher_;
    std::unique_ptr<Window> window_;
    QList<QUrl> opened_;
};

namespace {

const QStringList DefaultValues{"68,05", "0,17", "9,86", "109,5", "43", "755,8"};
const QStringList DefaultUnits{"nF", "uF", "nF", "kOhm / кОм", "kOhm / кОм", "kOhm / кОм"};
const QStringList Zeros{"0", "0", "0", "0", "0", "0"};

}  // namespace

void TestTForm1::initTestCase()
{
    QApplication::setApplicationName(ui::ApplicationTitle(QStringLiteral("/usr/bin/butterworth3")));
    ui::SetApplicationLook(ui::Form1Window());
    QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "openUrl");
    QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "openUrl");
}

void TestTForm1::cleanupTestCase()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
}

void TestTForm1::init()
{
    catcher_ = std::make_unique<DialogCatcher>();
    window_ = std::make_unique<Window>();
    // The start-up handler must set the units back, whatever the state held.
    w().state.FreqMultiplier = 1000;
    w().state.CapMultiplier = 1e-6;
    QVERIFY(w().show());
    opened_.clear();
}

void TestTForm1::cleanup()
{
    const bool boxesLeft = catcher_->anyBoxes();
    const QStringList unexpected = catcher_->unexpected;
    window_.reset();
    catcher_.reset();
    QVERIFY2(!boxesLeft, "a message box was shown that the test did not expect");
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(", ")));
}

void TestTForm1::selectUnits(const QString& frequency, const QString& capacitance)
{
    Click(w().get<QRadioButton>(frequency == "kHz" ? "RadioButton2" : "RadioButton1"));
    Click(w().get<QRadioButton>(capacitance == "uF" ? "RadioButton4" : "RadioButton3"));
}

void TestTForm1::startsWithDefaultsAndFocusInFrequency()
{
    QCOMPARE(w().form.windowTitle(), QStringLiteral("Bathervort filter / Фильтр Баттерворта"));
    QCOMPARE(w().form.size(), QSize(738, 367));
    QCOMPARE(w().form.minimumSize(), w().form.maximumSize());
    const Qt::WindowFlags flags = w().form.windowFlags();
    QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QCOMPARE(w().form.frameGeometry().center(), w().form.screen()->availableGeometry().center());

    QCOMPARE(QApplication::focusWidget(), w().field("Edit1"));
    QCOMPARE(w().field("Edit1")->selectedText(), QStringLiteral("100"));
    QCOMPARE(w().field("Edit3")->text(), QStringLiteral("33"));
    QCOMPARE(w().field("Edit4")->text(), QStringLiteral("10"));
    QCOMPARE(Texts(w(), ValueLabels), Zeros);
    QCOMPARE(Texts(w(), UnitLabels),
             (QStringList{"nF", "nF", "nF", "Ohm / Ом", "Ohm / Ом", "Ohm / Ом"}));
    QCOMPARE(Markers(w()), QStringLiteral("000000"));
    QVERIFY(!w().label("Label19")->isVisible());
    QVERIFY(!w().label("Label20")->isVisible());
    QVERIFY(w().get<QRadioButton>("RadioButton1")->isChecked());
    QVERIFY(w().get<QRadioButton>("RadioButton3")->isChecked());
    QVERIFY(w().get<QPushButton>("Button2")->isEnabled());
    QVERIFY(w().get<QPushButton>("Button2")->isDefault());
    QCOMPARE(Bits(w().state.FreqMultiplier), Bits(1));
    QCOMPARE(Bits(w().state.CapMultiplier), Bits(1e-9));
}

void TestTForm1::goAtStartShowsDefaultResults_data()
{
    QTest::addColumn<bool>("byEnter");
    QTest::newRow("mouse click on Go") << false;
    QTest::newRow("Enter in the frequency field") << true;
}

void TestTForm1::goAtStartShowsDefaultResults()
{
    QFETCH(bool, byEnter);
    if (byEnter)
        QTest::keyClick(w().field("Edit1"), Qt::Key_Return);
    else
        Click(w().get<QPushButton>("Button2"));

    QCOMPARE(Texts(w(), ValueLabels), DefaultValues);
    QCOMPARE(Texts(w(), UnitLabels), DefaultUnits);
    QCOMPARE(Markers(w()), QStringLiteral("000000"));
    QCOMPARE(w().field("Edit1")->text(), QStringLiteral("100"));
}

void TestTForm1::typingPassesTheKeyFilter_data()
{
    QTest::addColumn<QTestEventList>("keys");
    QTest::addColumn<QString>("expected");

    // Typed text, then single keys. Built anew for each row: QTestEventList owns its
    // events, and assigning one list to another would share them.
    struct Key {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    };
    auto keys = [](const char* text, std::initializer_list<Key> then = {}) {
        QTestEventList events;
        events.addKeyClicks(QString::fromLatin1(text));
        for (const Key& k : then)
            events.addKeyClick(k.key, k.modifiers);
        return events;
    };
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;

    // clang-format off
    QTest::newRow("digits replace the selection") << keys("12") << "12";
    QTest::newRow("full stop becomes comma") << keys("12.5") << "12,5";
    QTest::newRow("comma passes") << keys("1,5") << "1,5";
    QTest::newRow("letters are dropped") << keys("1a2Z") << "12";
    QTest::newRow("signs, blank and exponent are dropped") << keys("-1+ 2e") << "12";
    QTest::newRow("keypad full stop becomes comma")
        << keys("1", {{Qt::Key_Period, Qt::KeypadModifier}, {Qt::Key_5, Qt::KeypadModifier}}) << "1,5";
    QTest::newRow("backspace deletes before the caret") << keys("123", {{Qt::Key_Backspace}}) << "12";
    QTest::newRow("backspace after the comma") << keys("1.", {{Qt::Key_Backspace}}) << "1";
    QTest::newRow("ctrl+backspace deletes the previous word")
        << keys("125", {{Qt::Key_Backspace, ctrl}}) << "";
    QTest::newRow("delete deletes after the caret")
        << keys("123", {{Qt::Key_Home}, {Qt::Key_Delete}}) << "23";
    QTest::newRow("escape is dropped") << keys("12", {{Qt::Key_Escape}}) << "12";
    QTest::newRow("ctrl+v does nothing") << keys("12", {{Qt::Key_V, ctrl}}) << "12";
    QTest::newRow("ctrl+z does nothing") << keys("12", {{Qt::Key_Z, ctrl}}) << "12";
    QTest::newRow("ctrl+x does nothing")
        << keys("12", {{Qt::Key_Home, shift}, {Qt::Key_X, ctrl}}) << "12";
    QTest::newRow("shift+insert pastes unfiltered") << keys("12", {{Qt::Key_Insert, shift}}) << "129a";
    QTest::newRow("alt+digit types nothing") << keys("1", {{Qt::Key_2, Qt::AltModifier}}) << "1";
    // clang-format on
}

void TestTForm1::typingPassesTheKeyFilter()
{
    QFETCH(QTestEventList, keys);
    QFETCH(QString, expected);

    QGuiApplication::clipboard()->setText(QStringLiteral("9a"));
    QLineEdit* frequency = w().field("Edit1");
    QCOMPARE(frequency->selectedText(), QStringLiteral("100"));
    keys.simulate(frequency);
    QCOMPARE(frequency->text(), expected);
}

// Enter presses Go only when it comes without Shift, Ctrl or Alt; otherwise it is an
// ordinary character that the filter drops, after the key-press handler has cleared the
// values. Escape is always such a character.
void TestTForm1::enterEscapeInField_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("goPressed");

    // clang-format off
    QTest::newRow("enter") << int(Qt::Key_Return) << Qt::KeyboardModifiers() << true;
    QTest::newRow("keypad enter") << int(Qt::Key_Enter) << Qt::KeyboardModifiers(Qt::KeypadModifier) << true;
    QTest::newRow("shift+enter") << int(Qt::Key_Return) << Qt::KeyboardModifiers(Qt::ShiftModifier) << false;
    QTest::newRow("ctrl+enter") << int(Qt::Key_Return) << Qt::KeyboardModifiers(Qt::ControlModifier) << false;
    QTest::newRow("alt+enter") << int(Qt::Key_Return) << Qt::KeyboardModifiers(Qt::AltModifier) << false;
    QTest::newRow("escape") << int(Qt::Key_Escape) << Qt::KeyboardModifiers() << false;
    // clang-format on
}

void TestTForm1::enterEscapeInField()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, goPressed);

    Click(w().get<QPushButton>("Button2"));
    QCOMPARE(Texts(w(), ValueLabels), DefaultValues);
    QSignalSpy pressed(w().get<QPushButton>("Button2"), &QPushButton::clicked);
    QLineEdit* resistance = w().field("Edit3");
    resistance->setFocus();

    QTest::keyClick(resistance, Qt::Key(key), modifiers);

    QCOMPARE(pressed.count(), goPressed ? 1 : 0);
    QCOMPARE(resistance->text(), QStringLiteral("33"));
    // A character in the resistance field clears nothing by itself; Go writes the same texts.
    QCOMPARE(Texts(w(), ValueLabels), DefaultValues);
    QVERIFY(w().form.isVisible());

    QLineEdit* frequency = w().field("Edit1");
    frequency->setFocus();
    QTest::keyClick(frequency, Qt::Key(key), modifiers);
    QCOMPARE(pressed.count(), goPressed ? 2 : 0);
    QCOMPARE(Texts(w(), ValueLabels), goPressed ? DefaultValues : Zeros);
    QCOMPARE(frequency->text(), QStringLiteral("100"));
}

void TestTForm1::enterWithGoDisabledIsADroppedCharacter()
{
    Click(w().get<QPushButton>("Button2"));
    QLineEdit* frequency = w().field("Edit1");
    PasteInto(frequency, QStringLiteral("150000"));  // a paste clears no values
    Click(w().get<QPushButton>("Button2"));

    QVERIFY(w().label("Label19")->isVisible());
    QCOMPARE(frequency->text(), QString());
    QVERIFY(Highlighted(frequency));
    QCOMPARE(QApplication::focusWidget(), frequency);
    QVERIFY(!w().get<QPushButton>("Button2")->isEnabled());
    QCOMPARE(Texts(w(), ValueLabels), DefaultValues);

    QSignalSpy pressed(w().get<QPushButton>("Button2"), &QPushButton::clicked);
    QTest::keyClick(frequency, Qt::Key_Return);
    QCOMPARE(pressed.count(), 0);
    QCOMPARE(Texts(w(), ValueLabels), Zeros);
    QVERIFY(!w().label("Label19")->isVisible());
    QVERIFY(!w().label("Label20")->isVisible());
    QVERIFY(!Highlighted(frequency));
    QCOMPARE(frequency->text(), QString());
}

void TestTForm1::enterPressesTheFocusedOrDefaultButton_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("pressed");

    // clang-format off
    QTest::newRow("on the Hz button") << "RadioButton1" << "Button2";
    QTest::newRow("on the nF button") << "RadioButton3" << "Button2";
    QTest::newRow("on Go") << "Button2" << "Button2";
    QTest::newRow("on Exit") << "Button1" << "Button1";
    QTest::newRow("back on a field after Exit") << "Button1,Edit4" << "Button2";
    // clang-format on
}

void TestTForm1::enterPressesTheFocusedOrDefaultButton()
{
    QFETCH(QString, focus);
    QFETCH(QString, pressed);

    QSignalSpy go(w().get<QPushButton>("Button2"), &QPushButton::clicked);
    QSignalSpy exit(w().get<QPushButton>("Button1"), &QPushButton::clicked);
    QWidget* focused = nullptr;
    for (const QString& name : focus.split(QLatin1Char(','))) {
        focused = w().get(qPrintable(name));
        focused->setFocus(Qt::TabFocusReason);
    }
    QCOMPARE(QApplication::focusWidget(), focused);

    QTest::keyClick(focused, Qt::Key_Return);

    QCOMPARE(go.count(), pressed == "Button2" ? 1 : 0);
    QCOMPARE(exit.count(), pressed == "Button1" ? 1 : 0);
}

void TestTForm1::escapeNeverClosesTheWindow()
{
    for (const char* name : {"Button2", "Button1", "RadioButton1", "RadioButton3"}) {
        QWidget* widget = w().get(name);
        widget->setFocus(Qt::TabFocusReason);
        QTest::keyClick(widget, Qt::Key_Escape);
        QVERIFY2(w().form.isVisible(), name);
    }
}

// Each input event clears its own part of the window. The window is first put into a state
// where everything that could be cleared is showing: values, both banners, the markers and
// three yellow fields.
void TestTForm1::handlerResets_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QTestEventList>("events");
    QTest::addColumn<QString>("valuesReset");  // "all", "low", "high" or "none"
    QTest::addColumn<bool>("inputBannerHidden");
    QTest::addColumn<bool>("rangeBannerHidden");
    QTest::addColumn<bool>("markersHidden");
    QTest::addColumn<QString>("restoredField");

    auto key = [](Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTestEventList events;
        events.addKeyClick(k, m);
        return events;
    };
    QTestEventList click;
    click.addMouseClick(Qt::LeftButton);

    // clang-format off
    QTest::newRow("digit into Edit1") << "Edit1" << key(Qt::Key_5) << "all" << true << true << true << "Edit1";
    QTest::newRow("letter into Edit1") << "Edit1" << key(Qt::Key_A) << "all" << true << true << false << "Edit1";
    QTest::newRow("backspace in Edit1") << "Edit1" << key(Qt::Key_Backspace) << "all" << true << true << true << "Edit1";
    QTest::newRow("shift+enter in Edit1") << "Edit1" << key(Qt::Key_Return, Qt::ShiftModifier) << "all" << true << true << false << "Edit1";
    QTest::newRow("delete in Edit1") << "Edit1" << key(Qt::Key_Delete) << "none" << true << false << true << "";
    QTest::newRow("paste into Edit1") << "Edit1" << key(Qt::Key_Insert, Qt::ShiftModifier) << "none" << true << false << true << "";
    QTest::newRow("home in Edit1") << "Edit1" << key(Qt::Key_Home) << "none" << false << false << false << "";
    QTest::newRow("digit into Edit3") << "Edit3" << key(Qt::Key_5) << "low" << true << true << true << "Edit3";
    QTest::newRow("letter into Edit3") << "Edit3" << key(Qt::Key_A) << "none" << false << true << false << "Edit3";
    QTest::newRow("delete in Edit3") << "Edit3" << key(Qt::Key_Delete) << "low" << true << false << true << "";
    QTest::newRow("digit into Edit4") << "Edit4" << key(Qt::Key_5) << "high" << true << true << true << "Edit4";
    QTest::newRow("letter into Edit4") << "Edit4" << key(Qt::Key_A) << "none" << false << true << false << "Edit4";
    QTest::newRow("delete in Edit4") << "Edit4" << key(Qt::Key_Delete) << "high" << true << false << true << "";
    QTest::newRow("click on kHz") << "RadioButton2" << click << "all" << false << false << true << "";
    QTest::newRow("down arrow from Hz") << "RadioButton1" << key(Qt::Key_Down) << "all" << false << false << true << "";
    QTest::newRow("click on uF") << "RadioButton4" << click << "high" << false << false << true << "";
    QTest::newRow("click on Hz, already selected") << "RadioButton1" << click << "none" << false << false << false << "";
    QTest::newRow("click on nF, already selected") << "RadioButton3" << click << "none" << false << false << false << "";
    // clang-format on
}

void TestTForm1::handlerResets()
{
    QFETCH(QString, target);
    QFETCH(QTestEventList, events);
    QFETCH(QString, valuesReset);
    QFETCH(bool, inputBannerHidden);
    QFETCH(bool, rangeBannerHidden);
    QFETCH(bool, markersHidden);
    QFETCH(QString, restoredField);

    // Results with all six markers, then the two banners and three yellow fields on top.
    PasteInto(w().field("Edit1"), QStringLiteral("1"));
    PasteInto(w().field("Edit3"), QStringLiteral("0,1"));
    PasteInto(w().field("Edit4"), QStringLiteral("0,1"));
    Click(w().get<QPushButton>("Button2"));
    QCOMPARE(Markers(w()), QStringLiteral("111111"));
    const QStringList before = Texts(w(), ValueLabels);
    QVERIFY(!before.contains(QStringLiteral("0")));
    w().label("Label19")->show();
    w().label("Label20")->show();
    for (const char* name : Fields) {
        QPalette yellow = w().field(name)->palette();
        yellow.setColor(QPalette::Base, QColor(255, 255, 0));
        w().field(name)->setPalette(yellow);
    }
    QGuiApplication::clipboard()->setText(QStringLiteral("5"));
    QWidget* widget = w().get(qPrintable(target));
    widget->setFocus(Qt::TabFocusReason);

    events.simulate(widget);

    QStringList expected = before;
    for (int i = 0; i < 6; ++i) {
        const bool low = i < 3;
        if (valuesReset == "all" || (valuesReset == "low" && low) ||
            (valuesReset == "high" && !low))
            expected[i] = QStringLiteral("0");
    }
    QCOMPARE(Texts(w(), ValueLabels), expected);
    QCOMPARE(w().label("Label20")->isHidden(), inputBannerHidden);
    QCOMPARE(w().label("Label19")->isHidden(), rangeBannerHidden);
    QCOMPARE(Markers(w()), markersHidden ? QStringLiteral("000000") : QStringLiteral("111111"));
    for (const char* name : Fields)
        QCOMPARE(Highlighted(w().field(name)), restoredField != QLatin1String(name));
}

void TestTForm1::unitButtonsSetMultipliers()
{
    Click(w().get<QRadioButton>("RadioButton2"));
    QCOMPARE(Bits(w().state.FreqMultiplier), Bits(1000));
    Click(w().get<QRadioButton>("RadioButton4"));
    QCOMPARE(Bits(w().state.CapMultiplier), Bits(1e-6));
    Click(w().get<QRadioButton>("RadioButton1"));
    QCOMPARE(Bits(w().state.FreqMultiplier), Bits(1));
    Click(w().get<QRadioButton>("RadioButton3"));
    QCOMPARE(Bits(w().state.CapMultiplier), Bits(1e-9));
    // Each pair is its own exclusive group.
    QVERIFY(w().get<QRadioButton>("RadioButton1")->isChecked());
    QVERIFY(w().get<QRadioButton>("RadioButton3")->isChecked());
    QVERIFY(!w().get<QRadioButton>("RadioButton2")->isChecked());
    QVERIFY(!w().get<QRadioButton>("RadioButton4")->isChecked());
}

void TestTForm1::goRejectsFirstBadField_data()
{
    QTest::addColumn<QString>("frequencyUnit");
    QTest::addColumn<QString>("capacitanceUnit");
    QTest::addColumn<QStringList>("inputs");  // pasted into Edit1, Edit3, Edit4
    QTest::addColumn<QString>("banner");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<bool>("goEnabled");

    using L = QStringList;
    // clang-format off
    QTest::newRow("frequency input error") << "Hz" << "nF" << L{",5", "33", "10"} << "Label20" << "Edit1" << L{",5", "33", "10"} << true;
    QTest::newRow("capacitance input error") << "Hz" << "nF" << L{"100", "33", "5,5,5"} << "Label20" << "Edit4" << L{"100", "33", "5,5,5"} << true;
    QTest::newRow("frequency below 1 Hz") << "Hz" << "nF" << L{"0,5", "33", "10"} << "Label19" << "Edit1" << L{"1", "33", "10"} << true;
    QTest::newRow("negative frequency") << "Hz" << "nF" << L{"-5", "33", "10"} << "Label19" << "Edit1" << L{"1", "33", "10"} << true;
    QTest::newRow("frequency above 99999 Hz empties the field") << "Hz" << "nF" << L{"150000", "33", "10"} << "Label19" << "Edit1" << L{"", "33", "10"} << false;
    QTest::newRow("frequency below 0,1 kHz") << "kHz" << "nF" << L{"0,05", "33", "10"} << "Label19" << "Edit1" << L{"0,1", "33", "10"} << true;
    QTest::newRow("frequency above 500 kHz") << "kHz" << "nF" << L{"600", "33", "10"} << "Label19" << "Edit1" << L{"500", "33", "10"} << true;
    QTest::newRow("resistance below 0,1") << "Hz" << "nF" << L{"100", "0,05", "10"} << "Label19" << "Edit3" << L{"100", "0,1", "10"} << true;
    QTest::newRow("resistance above 1000") << "Hz" << "nF" << L{"100", "1000,5", "10"} << "Label19" << "Edit3" << L{"100", "1000", "10"} << true;
    QTest::newRow("resistance read as 0") << "Hz" << "nF" << L{"100", "1e-4000", "10"} << "Label19" << "Edit3" << L{"100", "0,1", "10"} << true;
    QTest::newRow("capacitance above 1000 nF") << "Hz" << "nF" << L{"100", "33", "2000"} << "Label19" << "Edit4" << L{"100", "33", "1000"} << true;
    QTest::newRow("capacitance below 0,1 nF") << "Hz" << "nF" << L{"100", "33", "0,05"} << "Label19" << "Edit4" << L{"100", "33", "0,1"} << true;
    QTest::newRow("capacitance above 10 uF") << "Hz" << "uF" << L{"100", "33", "20"} << "Label19" << "Edit4" << L{"100", "33", "10"} << true;
    QTest::newRow("capacitance below 0,01 uF") << "Hz" << "uF" << L{"100", "33", "0,005"} << "Label19" << "Edit4" << L{"100", "33", "0,01"} << true;
    QTest::newRow("two fields out of range: frequency first") << "Hz" << "nF" << L{"0,5", "2000", "10"} << "Label19" << "Edit1" << L{"1", "2000", "10"} << true;
    QTest::newRow("two fields out of range: resistance first") << "Hz" << "nF" << L{"100", "2000", "0,05"} << "Label19" << "Edit3" << L{"100", "1000", "0,05"} << true;
    QTest::newRow("range failure before a malformed field") << "Hz" << "nF" << L{"0,5", ",5", "10"} << "Label19" << "Edit1" << L{"1", ",5", "10"} << true;
    QTest::newRow("range failure before unreadable text") << "Hz" << "nF" << L{"100", "2000", "abc"} << "Label19" << "Edit3" << L{"100", "1000", "abc"} << true;
    // clang-format on
}

void TestTForm1::goRejectsFirstBadField()
{
    QFETCH(QString, frequencyUnit);
    QFETCH(QString, capacitanceUnit);
    QFETCH(QStringList, inputs);
    QFETCH(QString, banner);
    QFETCH(QString, field);
    QFETCH(QStringList, after);
    QFETCH(bool, goEnabled);

    selectUnits(frequencyUnit, capacitanceUnit);
    for (int i = 0; i < 3; ++i)
        PasteInto(w().field(Fields[i]), inputs[i]);
    Click(w().get<QPushButton>("Button2"));

    const QString otherBanner =
        banner == "Label19" ? QStringLiteral("Label20") : QStringLiteral("Label19");
    QVERIFY(w().label(qPrintable(banner))->isVisible());
    QVERIFY(!w().label(qPrintable(otherBanner))->isVisible());
    for (int i = 0; i < 3; ++i) {
        QLineEdit* edit = w().field(Fields[i]);
        QCOMPARE(edit->text(), after[i]);
        QCOMPARE(Highlighted(edit), field == QLatin1String(Fields[i]));
    }
    QLineEdit* rejected = w().field(qPrintable(field));
    QCOMPARE(QApplication::focusWidget(), rejected);
    QCOMPARE(rejected->selectedText(), rejected->text());
    QCOMPARE(w().get<QPushButton>("Button2")->isEnabled(), goEnabled);
    QCOMPARE(Texts(w(), ValueLabels), Zeros);
}

void TestTForm1::goFromEnterLeavesCaretAtStartOfCorrectedText()
{
    QLineEdit* frequency = w().field("Edit1");
    TypeInto(frequency, QStringLiteral("0.5"));
    QTest::keyClick(frequency, Qt::Key_Return);

    QCOMPARE(frequency->text(), QStringLiteral("1"));
    QVERIFY(Highlighted(frequency));
    QVERIFY(!frequency->hasSelectedText());
    QCOMPARE(frequency->cursorPosition(), 0);

    // A second Go takes the corrected text as it stands.
    QTest::keyClick(frequency, Qt::Key_Return);
    QVERIFY(!Highlighted(frequency));
    QVERIFY(!w().label("Label19")->isVisible());
    QCOMPARE(w().label("Label7")->text(), QStringLiteral("6,81"));
}

void TestTForm1::goShowsResultsAndMarkers_data()
{
    QTest::addColumn<QString>("frequencyUnit");
    QTest::addColumn<QString>("capacitanceUnit");
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QStringList>("units");
    QTest::addColumn<QString>("markers");

    using L = QStringList;
    const QString kOhm = QStringLiteral("kOhm / кОм");
    // clang-format off
    QTest::newRow("defaults") << "Hz" << "nF" << L{"100", "33", "10"}
                              << DefaultValues << DefaultUnits << "000000";
    QTest::newRow("same resistors for the same f times C") << "Hz" << "nF" << L{"1000", "10", "1"}
                              << L{"22,46", "57,15", "3,25", "109,5", "43", "755,8"}
                              << L{"nF", "nF", "nF", kOhm, kOhm, kOhm} << "000000";
    QTest::newRow("lowest corner") << "Hz" << "nF" << L{"1", "0,1", "0,1"}
                              << L{"2245,67", "5715,24", "325,47", "1094665,1", "430354", "7558250,6"}
                              << L{"uF", "uF", "uF", kOhm, kOhm, kOhm} << "111111";
    // clang-format on
    // Below every display range the value shows 0 and the unit keeps its last text.
    // clang-format off
    QTest::newRow("highest corner") << "kHz" << "uF" << L{"500", "1000", "10"}
                              << L{"0", "1", "0", "0", "0", "0"}
                              << L{"nF", "pF", "nF", "Ohm / Ом", "Ohm / Ом", "Ohm / Ом"} << "111111";
    QTest::newRow("typed in kHz") << "kHz" << "nF" << L{"0,1", "33", "10"}
                              << DefaultValues << DefaultUnits << "000000";
    QTest::newRow("capacitance in uF") << "Hz" << "uF" << L{"100", "33", "0,01"}
                              << DefaultValues << DefaultUnits << "000000";
    // clang-format on
}

void TestTForm1::goShowsResultsAndMarkers()
{
    QFETCH(QString, frequencyUnit);
    QFETCH(QString, capacitanceUnit);
    QFETCH(QStringList, inputs);
    QFETCH(QStringList, values);
    QFETCH(QStringList, units);
    QFETCH(QString, markers);

    selectUnits(frequencyUnit, capacitanceUnit);
    for (int i = 0; i < 3; ++i)
        PasteInto(w().field(Fields[i]), inputs[i]);
    Click(w().get<QPushButton>("Button2"));

    QCOMPARE(Texts(w(), ValueLabels), values);
    QCOMPARE(Texts(w(), UnitLabels), units);
    QCOMPARE(Markers(w()), markers);
    QVERIFY(!w().label("Label19")->isVisible());
    QVERIFY(!w().label("Label20")->isVisible());
    for (const char* name : Fields)
        QVERIFY(!Highlighted(w().field(name)));
}

void TestTForm1::secondGoRepeatsTheSameTexts()
{
    PasteInto(w().field("Edit1"), QStringLiteral("1"));
    Click(w().get<QPushButton>("Button2"));
    const QStringList first = Texts(w(), ValueLabels);
    const QString firstMarkers = Markers(w());
    Click(w().get<QPushButton>("Button2"));
    QCOMPARE(Texts(w(), ValueLabels), first);
    QCOMPARE(Markers(w()), firstMarkers);
}

// A paste into the frequency field resets no values. A component that the next Go cannot
// display must then not keep the number of the calculation before.
void TestTForm1::componentBelowDisplayRangeShowsZero()
{
    selectUnits(QStringLiteral("kHz"), QStringLiteral("uF"));
    PasteInto(w().field("Edit1"), QStringLiteral("1"));
    PasteInto(w().field("Edit3"), QStringLiteral("1000"));
    PasteInto(w().field("Edit4"), QStringLiteral("10"));
    Click(w().get<QPushButton>("Button2"));
    QCOMPARE(Texts(w(), ValueLabels), (QStringList{"225", "572", "33", "11", "4", "76"}));
    QCOMPARE(Texts(w(), UnitLabels),
             (QStringList{"pF", "pF", "pF", "Ohm / Ом", "Ohm / Ом", "Ohm / Ом"}));

    PasteInto(w().field("Edit1"), QStringLiteral("500"));
    QCOMPARE(w().label("Label7")->text(), QStringLiteral("225"));
    Click(w().get<QPushButton>("Button2"));

    QCOMPARE(Texts(w(), ValueLabels), (QStringList{"0", "1", "0", "0", "0", "0"}));
    QCOMPARE(Texts(w(), UnitLabels),
             (QStringList{"pF", "pF", "pF", "Ohm / Ом", "Ohm / Ом", "Ohm / Ом"}));
    QCOMPARE(Markers(w()), QStringLiteral("111111"));
}

void TestTForm1::errorBox_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("byEnter");
    QTest::addColumn<QString>("message");

    const QString nines(400, QLatin1Char('9'));
    // clang-format off
    QTest::newRow("letters in the resistance") << "Edit3" << "abc" << false << "'abc' is not a valid floating point value.";
    QTest::newRow("letter after digits") << "Edit3" << "12a" << true << "'12a' is not a valid floating point value.";
    QTest::newRow("too large for a double") << "Edit1" << nines << false << "Floating point overflow.";
    QTest::newRow("pasted exponent too large") << "Edit4" << "1e400" << true << "Floating point overflow.";
    // clang-format on
}

void TestTForm1::errorBox()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(bool, byEnter);
    QFETCH(QString, message);

    QLineEdit* edit = w().field(qPrintable(field));
    PasteInto(edit, text);
    if (byEnter)
        QTest::keyClick(edit, Qt::Key_Return);
    else
        Click(w().get<QPushButton>("Button2"));

    const QList<CaughtBox> boxes = catcher_->takeBoxes();
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes[0].text, message);
    QCOMPARE(boxes[0].title, QStringLiteral("butterworth3"));
    QCOMPARE(boxes[0].icon, QMessageBox::Critical);
    QCOMPARE(boxes[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));

    QTRY_VERIFY(w().form.isActiveWindow());
    QWidget* focused = byEnter ? static_cast<QWidget*>(edit) : w().get("Button2");
    QTRY_COMPARE(QApplication::focusWidget(), focused);
    QCOMPARE(edit->text(), text);
    for (const char* name : Fields)
        QVERIFY(!Highlighted(w().field(name)));
    QVERIFY(!w().label("Label19")->isVisible());
    QVERIFY(!w().label("Label20")->isVisible());
    QCOMPARE(Texts(w(), ValueLabels), Zeros);
}

// The box comes after Go's first steps: banners hidden and colours normal, nothing of the
// failed sequence after it.
void TestTForm1::errorBoxAbandonsGoAfterClearingBannersAndColours()
{
    PasteInto(w().field("Edit4"), QStringLiteral("2000"));
    Click(w().get<QPushButton>("Button2"));
    QVERIFY(w().label("Label19")->isVisible());
    QVERIFY(Highlighted(w().field("Edit4")));

    PasteInto(w().field("Edit3"), QStringLiteral("abc"));
    Click(w().get<QPushButton>("Button2"));

    QCOMPARE(catcher_->takeBoxes().size(), 1);
    QVERIFY(!w().label("Label19")->isVisible());
    QVERIFY(!Highlighted(w().field("Edit4")));
    QCOMPARE(w().field("Edit4")->text(), QStringLiteral("1000"));
    QVERIFY(!Highlighted(w().field("Edit3")));
}

void TestTForm1::contextMenuPasteBypassesFilter()
{
    QLineEdit* resistance = w().field("Edit3");
    QGuiApplication::clipboard()->setText(QStringLiteral("abc"));
    SelectAllIn(resistance);
    QContextMenuEvent request(QContextMenuEvent::Mouse, resistance->rect().center(),
                              resistance->mapToGlobal(resistance->rect().center()));
    QApplication::sendEvent(resistance, &request);
    QMenu* menu = nullptr;
    QTRY_VERIFY((menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())));
    QAction* paste = nullptr;
    for (QAction* action : menu->actions()) {
        if (action->text().startsWith(QStringLiteral("&Paste")))
            paste = action;
    }
    QVERIFY(paste);
    paste->trigger();
    menu->close();
    QCOMPARE(resistance->text(), QStringLiteral("abc"));

    Click(w().get<QPushButton>("Button2"));
    const QList<CaughtBox> boxes = catcher_->takeBoxes();
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes[0].text, QStringLiteral("'abc' is not a valid floating point value."));
    QCOMPARE(Texts(w(), ValueLabels), Zeros);
}

void TestTForm1::linkOpensWebPage()
{
    QLabel* link = w().label("Label24");
    QCOMPARE(link->text(), QStringLiteral("en.wikipedia.org"));
    QCOMPARE(link->cursor().shape(), Qt::ArrowCursor);
    QTest::mouseClick(link, Qt::RightButton);
    QCOMPARE(opened_.size(), 0);
    Click(link);
    QCOMPARE(opened_,
             QList<QUrl>{QUrl(QStringLiteral("https://en.wikipedia.org/wiki/Butterworth_filter"))});
}

void TestTForm1::tabOrderSelectsFieldTexts()
{
    // Backwards from start-up, then forwards: each unit pair is one stop, its checked button.
    QStringList visited;
    for (int i = 0; i < 7; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, (QStringList{"Button1", "Button2", "RadioButton3", "Edit4", "Edit3",
                                   "RadioButton1", "Edit1"}));
    visited.clear();
    for (int i = 0; i < 7; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* focused = QApplication::focusWidget();
        QVERIFY(focused);
        visited << focused->objectName();
        if (auto* edit = qobject_cast<QLineEdit*>(focused))
            QCOMPARE(edit->selectedText(), edit->text());
    }
    QCOMPARE(visited, (QStringList{"RadioButton1", "Edit3", "Edit4", "RadioButton3", "Button2",
                                   "Button1", "Edit1"}));

    // The checked button is the group's tab stop.
    Click(w().get<QRadioButton>("RadioButton2"));
    w().field("Edit1")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(w().field("Edit1"), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), w().get("RadioButton2"));

    // A click into a field places the caret and selects nothing.
    QLineEdit* capacitance = w().field("Edit4");
    QTest::mouseClick(capacitance, Qt::LeftButton, {},
                      QPoint(capacitance->width() - 5, capacitance->height() / 2));
    QCOMPARE(QApplication::focusWidget(), capacitance);
    QVERIFY(!capacitance->hasSelectedText());
}

void TestTForm1::exitAndCloseEndTheLoop_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Exit clicked") << "click";
    QTest::newRow("Enter on Exit") << "enter";
    QTest::newRow("close box") << "close";
}

void TestTForm1::exitAndCloseEndTheLoop()
{
    QFETCH(QString, how);

    bool acted = false;
    QTimer::singleShot(0, &w().form, [&] {
        acted = true;
        QPushButton* exit = w().get<QPushButton>("Button1");
        if (how == "click") {
            Click(exit);
        } else if (how == "enter") {
            exit->setFocus(Qt::TabFocusReason);
            QTest::keyClick(exit, Qt::Key_Return);
        } else {
            w().form.close();
        }
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    watchdog.start(5000);

    const int code = QApplication::exec();
    QVERIFY(acted);
    QCOMPARE(code, 0);
    QVERIFY(!w().form.isVisible());
}

QTEST_MAIN(TestTForm1)
#include "tst_tform1.moc"
