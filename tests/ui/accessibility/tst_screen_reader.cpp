// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// What a screen reader is told beyond the controls themselves, in process: the results said as
// one announcement after Go, none for the markers that appear, and input fields whose text
// attribute run spans their whole text. Orca itself is run by tools/orca_check.sh.
#include <QtGui/QAccessible>
#if BUTTERWORTH3_QT_PRIVATE
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#endif

#include "../window_fixture.h"
#include "behaviour/spoken_results.h"
#include "calc/calculation.h"
#include "ui/form_definition.h"
#include "ui/window_look.h"

namespace {

struct Recorded {
    QAccessible::Event type;
    bool hasObject;
    QAccessible::Role role;
    QString name;
};

QList<Recorded>& Events()
{
    static QList<Recorded> events;
    return events;
}

void RecordEvent(QAccessibleEvent* event)
{
    if (event->type() != QAccessible::ObjectShow && event->type() != QAccessible::ObjectHide)
        return;
    if (QAccessibleInterface* iface = event->accessibleInterface())
        Events().append({event->type(), event->object() != nullptr, iface->role(),
                         iface->text(QAccessible::Name)});
}

// The announcements: notifications with no widget behind them that turned showing.
QStringList Announced()
{
    QStringList names;
    for (const Recorded& event : Events()) {
        if (event.type == QAccessible::ObjectShow && !event.hasObject &&
            event.role == QAccessible::Notification)
            names << event.name;
    }
    return names;
}

bool ActivateAccessibility()
{
#if BUTTERWORTH3_QT_PRIVATE
    if (QPlatformIntegration* platform = QGuiApplicationPrivate::platformIntegration()) {
        if (QPlatformAccessibility* accessibility = platform->accessibility())
            accessibility->setActive(true);
    }
#endif
    return QAccessible::isActive();
}

const QString Defaults = QStringLiteral("Low-pass: C1 68,05 nF, C2 0,17 uF, C3 9,86 nF. "
                                        "High-pass: R1 109,5 kOhm, R2 43 kOhm, R3 755,8 kOhm.");
const QString Corner = QStringLiteral(
    "Low-pass: C1 2245,67 uF, impractical, C2 5715,24 uF, impractical, C3 325,47 uF, "
    "impractical. High-pass: R1 1094665,1 kOhm, impractical, R2 430354 kOhm, impractical, "
    "R3 7558250,6 kOhm, impractical.");

}  // namespace

class TestScreenReader : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void resultsSentence_data();
    void resultsSentence();
    void nothingIsMadeWithoutAScreenReader();
    void fieldsAreReadWhole_data();
    void fieldsAreReadWhole();
    void fieldsEditAndSelectThroughTheirInterface();
    void goSaysTheResultsOnce();
    void markersAppearUnannounced();

private:
    void go(const QStringList& inputs);
    bool activate();

    std::unique_ptr<DialogCatcher> catcher_;
    std::unique_ptr<Window> window_;
};

void TestScreenReader::initTestCase()
{
    ui::SetApplicationLook(ui::Form1Window());
    QAccessible::installUpdateHandler(RecordEvent);
}

void TestScreenReader::init()
{
    catcher_ = std::make_unique<DialogCatcher>();
    window_ = std::make_unique<Window>();
    QVERIFY(window_->show());
    Events().clear();
}

void TestScreenReader::cleanup()
{
    window_.reset();
    catcher_.reset();
}

bool TestScreenReader::activate()
{
    return ActivateAccessibility();
}

void TestScreenReader::go(const QStringList& inputs)
{
    for (qsizetype i = 0; i < inputs.size(); ++i)
        PasteInto(window_->field(Fields[i]), inputs[i]);
    Events().clear();
    Click(window_->get<QPushButton>("Button2"));
}

void TestScreenReader::resultsSentence_data()
{
    QTest::addColumn<bool>("kHz");
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QString>("sentence");
    QTest::newRow("defaults") << false << QStringList{"100", "33", "10"} << Defaults;
    QTest::newRow("every value impractical") << false << QStringList{"1", "0,1", "0,1"} << Corner;
    QTest::newRow("pF, Ohm and values below every display range")
        << true << QStringList{"100", "1000", "1000"}
        << QStringLiteral("Low-pass: C1 2 pF, impractical, C2 6 pF, impractical, C3 0, "
                          "impractical. High-pass: R1 1 Ohm, impractical, R2 0, impractical, "
                          "R3 8 Ohm, impractical.");
    QTest::newRow("some impractical")
        << true << QStringList{"100", "0,1", "1000"}
        << QStringLiteral("Low-pass: C1 22,46 nF, C2 57,15 nF, C3 3,25 nF. High-pass: R1 1 "
                          "Ohm, impractical, R2 0, impractical, R3 8 Ohm, impractical.");
}

// Numbers as the labels show them, units in Latin letters, impractical values said in words.
void TestScreenReader::resultsSentence()
{
    QFETCH(bool, kHz);
    QFETCH(QStringList, inputs);
    QFETCH(QString, sentence);
    calc::CalcState state;
    calc::SetFrequencyUnit(state, kHz ? calc::FrequencyUnit::kHz : calc::FrequencyUnit::Hz);
    calc::SetCapacitanceUnit(state, calc::CapacitanceUnit::nF);
    const calc::Calculation calculation = calc::Calculate(
        state, {inputs[0].toStdString(), inputs[1].toStdString(), inputs[2].toStdString()});
    const auto* computed = std::get_if<calc::Computed>(&calculation);
    QVERIFY(computed);
    QCOMPARE(QString::fromStdString(behaviour::SpokenResults(*computed)), sentence);
}

// Start-up and Go cost nothing extra while no assistive technology listens.
void TestScreenReader::nothingIsMadeWithoutAScreenReader()
{
    if (QAccessible::isActive())
        QSKIP("accessibility is already on in this process");
    go({"1", "0,1", "0,1"});
    go({"100", "33", "10"});
    QCOMPARE(
        window_->form.findChildren<QObject*>(QStringLiteral("screenReaderAnnouncement")).size(), 0);
    QCOMPARE(window_->label("Label32")->accessibleDescription(),
             QStringLiteral("R3 is impractical to build: below 100 Ohm or above 1 MOhm."));
}

void TestScreenReader::fieldsAreReadWhole_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    for (const char* field : Fields) {
        for (const char* text : {"100", "10", "1", "0,1", ""})
            QTest::addRow("%s \"%s\"", field, text) << field << text;
    }
}

// Orca builds a field's line from its attribute runs; a run that ends before the text does
// loses the last character ("10" read as "1").
void TestScreenReader::fieldsAreReadWhole()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QLineEdit* edit = window_->field(qPrintable(field));
    PasteInto(edit, text);
    QCOMPARE(edit->text(), text);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(edit);
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::EditableText);
    QVERIFY(iface->state().editable);
    QAccessibleTextInterface* textInterface = iface->textInterface();
    QVERIFY(textInterface);
    QCOMPARE(textInterface->characterCount(), int(text.size()));
    QCOMPARE(textInterface->text(0, int(text.size())), text);
    QCOMPARE(iface->text(QAccessible::Value), text);
    for (int offset = 0; offset <= text.size(); ++offset) {
        int start = -2, end = -2;
        QCOMPARE(textInterface->attributes(offset, &start, &end), QString());
        QCOMPARE(start, 0);
        QCOMPARE(end, int(text.size()));
    }
    int start = -2, end = -2;
    textInterface->attributes(int(text.size()) + 1, &start, &end);
    QCOMPARE(start, -1);
    QCOMPARE(end, -1);
}

// Selection, caret and editing through the interface act on the field as Qt's own would,
// and an edit runs the window's change handling.
void TestScreenReader::fieldsEditAndSelectThroughTheirInterface()
{
    QLineEdit* frequency = window_->field("Edit1");
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(frequency);
    QAccessibleTextInterface* text = iface->textInterface();
    QAccessibleEditableTextInterface* editable = iface->editableTextInterface();
    QVERIFY(text && editable);

    text->setSelection(0, 1, 3);
    QCOMPARE(frequency->selectedText(), QStringLiteral("00"));
    QCOMPARE(text->selectionCount(), 1);
    int start = -1, end = -1;
    text->selection(0, &start, &end);
    QCOMPARE(start, 1);
    QCOMPARE(end, 3);
    text->removeSelection(0);
    QCOMPARE(text->selectionCount(), 0);
    text->setCursorPosition(2);
    QCOMPARE(frequency->cursorPosition(), 2);
    QCOMPARE(text->cursorPosition(), 2);
    QVERIFY(!text->characterRect(0).isEmpty());
    QVERIFY(text->characterRect(0).left() < text->characterRect(1).left());
    QVERIFY(text->characterRect(3).isEmpty());
    QCOMPARE(text->offsetAtPoint(text->characterRect(1).center()), 1);

    editable->replaceText(0, 3, QStringLiteral("2,5"));
    QCOMPARE(frequency->text(), QStringLiteral("2,5"));
    editable->insertText(3, QStringLiteral("0"));
    QCOMPARE(frequency->text(), QStringLiteral("2,50"));
    QPushButton* goButton = window_->get<QPushButton>("Button2");
    editable->deleteText(0, 4);
    QCOMPARE(frequency->text(), QString());
    QVERIFY(!goButton->isEnabled());
    iface->setText(QAccessible::Value, QStringLiteral("100"));
    QCOMPARE(frequency->text(), QStringLiteral("100"));
    QVERIFY(goButton->isEnabled());
}

void TestScreenReader::goSaysTheResultsOnce()
{
    if (!activate())
        QSKIP("accessibility cannot be switched on here (Qt's private headers, Debian package "
              "qt6-base-private-dev, are missing)");
    go({"100", "33", "10"});
    QCOMPARE(Announced(), QStringList{Defaults});
    for (const char* marker : MarkerLabels)
        QVERIFY(!window_->label(marker)->isVisible());

    // Each Go says them again: the announcement turns hidden and showing once more.
    Events().clear();
    Click(window_->get<QPushButton>("Button2"));
    QCOMPARE(Announced(), QStringList{Defaults});
    QCOMPARE(Events().size(), 2);
    QCOMPARE(Events().first().type, QAccessible::ObjectHide);

    // A rejected input says its banner only.
    go({",5", "33", "10"});
    QCOMPARE(Announced(), QStringList());
    go({"0,5", "33", "10"});
    QCOMPARE(Announced(), QStringList());
    // The window draws nothing for it and takes no focus from it.
    QCOMPARE(QApplication::focusWidget(), window_->field("Edit1"));
}

void TestScreenReader::markersAppearUnannounced()
{
    if (!activate())
        QSKIP("accessibility cannot be switched on here (Qt's private headers, Debian package "
              "qt6-base-private-dev, are missing)");
    const QString own =
        QStringLiteral("R3 is impractical to build: below 100 Ohm or above 1 MOhm.");
    QLabel* last = window_->label("Label32");
    go({"1", "0,1", "0,1"});
    QCOMPARE(Announced(), QStringList{Corner});
    for (const Recorded& event : Events())
        QVERIFY(!(event.type == QAccessible::ObjectShow &&
                  event.role == QAccessible::Notification && event.hasObject));
    for (const char* marker : MarkerLabels)
        QVERIFY(window_->label(marker)->isVisible());
    QCOMPARE(last->accessibleDescription(), own);

    // Go again, the markers already showing: the results are said again, once.
    Events().clear();
    Click(window_->get<QPushButton>("Button2"));
    QCOMPARE(Announced(), QStringList{Corner});

    // Only some markers.
    TypeInto(window_->field("Edit1"), QStringLiteral("2"));
    go({"100", "0,1", "1000"});
    QCOMPARE(Announced().size(), 1);
    QVERIFY(Announced().first().endsWith(QLatin1String("R3 7,6 kOhm.")));
    QVERIFY(window_->label("Label27")->isVisible());
    QVERIFY(!window_->label("Label30")->isVisible());
}

QTEST_MAIN(TestScreenReader)
#include "tst_screen_reader.moc"
