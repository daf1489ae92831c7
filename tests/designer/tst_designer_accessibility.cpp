// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The designer window for keyboard and screen-reader users, in process: every field named by
// its visible label, the tab order in reading order, the parts announced once when the typing
// stops, each cell of the parts with its column's header, and Alt keys that a screen reader
// held acting as typed (mnemonics: tst_designer_language). Orca itself and the accessibility
// bus are checked by tests/designer/*.py.
#include <QtCore/QElapsedTimer>
#include <QtCore/QTemporaryDir>
#include <QtGui/QAccessible>
#include <QtTest/QSignalSpy>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QTabBar>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QTableWidget>
#include <QtWidgets/QToolBar>
#include <QtWidgets/QToolButton>
#include <QtWidgets/QTreeWidget>

#if BUTTERWORTH3_QT_PRIVATE
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#endif

#include "designer/figures.h"
#include "designer_fixture.h"

using design::Settings;

Q_DECLARE_METATYPE(design::Setting)
Q_DECLARE_METATYPE(design::Circuit)

namespace {

// The names of the labels that a screen reader finds for `widget` (its labelled-by relation).
QStringList LabelledBy(QWidget* widget)
{
    QStringList names;
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
    for (const auto& [label, relation] : iface->relations(QAccessible::Label))
        names << label->text(QAccessible::Name);
    return names;
}

QString AccessibleName(QWidget* widget)
{
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

// What a widget in the focus chain is, for a readable comparison.
QString Describe(const designer::DesignerWindow& window, const QWidget* widget)
{
    if (!widget)
        return QStringLiteral("(nothing)");
    for (int f = 0; f <= static_cast<int>(design::Setting::Seed); ++f) {
        if (window.fieldWidget(design::Setting(f)) == widget)
            return QStringLiteral("field %1").arg(f);
    }
    if (!widget->accessibleName().isEmpty())
        return widget->accessibleName();
    return QString::fromLatin1(widget->metaObject()->className());
}

// What Qt's screen reader bridge does to keys: each key as it happens is held until the screen
// reader has seen it, then posted again; a key that a shortcut took is never held.
class HeldKeys : public QObject {
public:
    HeldKeys() { QCoreApplication::instance()->installEventFilter(this); }
    // The screen reader's answer: the held keys go on, in order.
    void answer()
    {
        for (const auto& [window, key] : held)
            QCoreApplication::postEvent(window, key);
        held.clear();
        QCoreApplication::processEvents();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const bool isKey = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
        if (!isKey || !event->spontaneous() || !watched->isWindowType())
            return false;
        // Copied as the bridge copies it, from what modifiers() says: for Alt's own events
        // that is the state after the key, and a new event takes it as the state before.
        const auto* key = static_cast<QKeyEvent*>(event);
        held.append(
            {watched, new QKeyEvent(key->type(), key->key(), key->modifiers(), key->text())});
        return true;
    }

private:
    QList<QPair<QObject*, QEvent*>> held;
};

}  // namespace

class TestDesignerAccessibility : public QObject {
    Q_OBJECT
private slots:
    void fieldsAreNamedByTheirLabels_data();
    void fieldsAreNamedByTheirLabels();
    void everyFieldHasALabel();
    void fieldsAreReadWhole();
    void partsAndActionsAreNamed();
    void tabFollowsReadingOrder();
    void ctrlSSavesTheReport();
    void partsAreAnnouncedOnceTypingStops();
    void aKeyTellsAScreenReaderOnlyWhatChanged();
    void cellsAreReadWithTheirColumnHeader();
    void keysHeldByAScreenReaderMoveTheFocusAsTyped_data();
    void keysHeldByAScreenReaderMoveTheFocusAsTyped();
};

void TestDesignerAccessibility::fieldsAreNamedByTheirLabels_data()
{
    QTest::addColumn<design::Circuit>("circuit");
    QTest::addColumn<design::Setting>("field");
    QTest::addColumn<QString>("name");
    const auto low = design::Circuit::LowPass;
    QTest::newRow("circuit") << low << design::Setting::Circuit << "Circuit";
    QTest::newRow("response") << low << design::Setting::Response << "Response";
    QTest::newRow("frequency") << low << design::Setting::Frequency << "Frequency";
    QTest::newRow("low-pass value") << low << design::Setting::Value << "Resistance";
    QTest::newRow("high-pass value")
        << design::Circuit::HighPass << design::Setting::Value << "Capacitance";
    QTest::newRow("series") << low << design::Setting::Series << "Series";
}

// A combo box is named by its current item: the label, its buddy, carries the field's name.
void TestDesignerAccessibility::fieldsAreNamedByTheirLabels()
{
    QFETCH(design::Circuit, circuit);
    QFETCH(design::Setting, field);
    QFETCH(QString, name);
    design::Settings inputs;
    inputs.circuit = circuit;
    const auto window = ShownDesigner(inputs);
    QWidget* widget = window->fieldWidget(field);
    // Its label first, then its group's title.
    QCOMPARE(LabelledBy(widget).value(0), name);
    if (qobject_cast<QLineEdit*>(widget))
        QCOMPARE(AccessibleName(widget), name);
}

void TestDesignerAccessibility::everyFieldHasALabel()
{
    const auto window = ShownDesigner();
    for (int f = 0; f <= static_cast<int>(design::Setting::Seed); ++f) {
        QWidget* widget = window->fieldWidget(design::Setting(f));
        const QStringList labels = LabelledBy(widget);
        QVERIFY2(labels.size() == 2 && !labels[0].isEmpty(),
                 qPrintable(QStringLiteral("field %1 is labelled by %2")
                                .arg(f)
                                .arg(labels.join(QStringLiteral(", ")))));
    }
}

// A screen reader reads a field's text by its attribute runs: Qt's own stops short of the end.
void TestDesignerAccessibility::fieldsAreReadWhole()
{
    const auto window = ShownDesigner();
    const QString text = QStringLiteral("12.5k");
    for (int f = 0; f <= static_cast<int>(design::Setting::Seed); ++f) {
        auto* field = qobject_cast<QLineEdit*>(window->fieldWidget(design::Setting(f)));
        if (!field)
            continue;
        field->setText(text);
        int start = -2, end = -2;
        QAccessible::queryAccessibleInterface(field)->textInterface()->attributes(1, &start, &end);
        QVERIFY2(
            start == 0 && end == text.size(),
            qPrintable(QStringLiteral("field %1: a run from %2 to %3").arg(f).arg(start).arg(end)));
    }
}

void TestDesignerAccessibility::partsAndActionsAreNamed()
{
    const auto window = ShownDesigner();
    auto* parts = window->findChild<QTableWidget*>();
    QVERIFY(parts);
    QCOMPARE(AccessibleName(parts), QStringLiteral("Parts"));
    QStringList buttons;
    for (QToolButton* button : window->findChild<QToolBar*>()->findChildren<QToolButton*>()) {
        if (button->defaultAction())
            buttons << AccessibleName(button);
    }
    QVERIFY2(buttons.contains(QStringLiteral("Copy command line")),
             qPrintable(buttons.join(QStringLiteral(", "))));
}

void TestDesignerAccessibility::tabFollowsReadingOrder()
{
    const auto window = ShownDesigner();
    QStringList expected;
    // Fields waiting for another (a series, a tolerance) are off and passed over.
    for (int f = 0; f <= static_cast<int>(design::Setting::Seed); ++f)
        if (window->fieldWidget(design::Setting(f))->isEnabled())
            expected << Describe(*window, window->fieldWidget(design::Setting(f)));
    const auto* tabs = window->findChild<QTabWidget*>();
    expected << QStringLiteral("Parts") << Describe(*window, tabs->tabBar())
             << QStringLiteral("Figures");
    // Around once, back to the first field.
    expected << expected.first();

    window->fieldWidget(design::Setting::Circuit)->setFocus();
    QStringList walked{Describe(*window, QApplication::focusWidget())};
    for (qsizetype i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked << Describe(*window, QApplication::focusWidget());
    }
    QCOMPARE(walked, expected);
}

void TestDesignerAccessibility::ctrlSSavesTheReport()
{
    const auto window = ShownDesigner();
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("filter.html"));
    QString asked;
    window->setAskFile([&](const QString& title, const QString&, const QString&, QString*) {
        asked = title;
        return path;
    });
    QTest::keySequence(window->fieldWidget(design::Setting::Frequency), QKeySequence::Save);
    QCOMPARE(asked, QStringLiteral("Save report"));
    QVERIFY(QFileInfo(path).size() > 0);
}

// Three digits 100 ms apart: one announcement, 500 ms after the last, of the last design.
void TestDesignerAccessibility::partsAreAnnouncedOnceTypingStops()
{
    const auto window = ShownDesigner();
    QSignalSpy announced(window.get(), &designer::DesignerWindow::partsAnnounced);
    QTRY_VERIFY2_WITH_TIMEOUT(announced.count() == 1, "the first design's announcement", 3000);
    announced.clear();

    auto* frequency = qobject_cast<QLineEdit*>(window->fieldWidget(design::Setting::Frequency));
    frequency->setFocus();
    frequency->selectAll();
    QElapsedTimer sinceLastKey;
    for (const char digit : {'2', '5', '0'}) {
        if (digit != '2')
            QTest::qWait(100);  // the typing being tested, not a wait for a state
        QTest::keyClick(frequency, digit);
        sinceLastKey.start();
    }
    QTRY_VERIFY2_WITH_TIMEOUT(announced.count() >= 1, "the parts' announcement", 3000);
    QVERIFY2(sinceLastKey.elapsed() >= 450,
             qPrintable(
                 QStringLiteral("announced %1 ms after the last key").arg(sinceLastKey.elapsed())));
    QCOMPARE(announced.count(), 1);
    QCOMPARE(window->report()->design.request.frequency, 250.0);
    QCOMPARE(announced[0][0].toString(), designer::Figures::PartsSentence(*window->report()));
}

// Orca handles every description change it is told of, even to the same text: a key that
// told it of all 22 fields' kept it busy past the next keys.
QList<QObject*>* describedObjects = nullptr;

void TestDesignerAccessibility::aKeyTellsAScreenReaderOnlyWhatChanged()
{
#if BUTTERWORTH3_QT_PRIVATE
    // Qt raises the events only while its bridge is on; offscreen, only this switches it.
    QPlatformAccessibility* bridge = QGuiApplicationPrivate::platformIntegration()->accessibility();
    QVERIFY(bridge);
    bridge->setActive(true);
#else
    QSKIP("Qt's private headers (qt6-base-private-dev) are needed to switch accessibility on");
#endif
    const auto window = ShownDesigner();
    QList<QObject*> described;
    describedObjects = &described;
    const QAccessible::UpdateHandler previous =
        QAccessible::installUpdateHandler([](QAccessibleEvent* event) {
            if (event->type() == QAccessible::DescriptionChanged && describedObjects)
                describedObjects->append(event->object());
        });
    auto* frequency = qobject_cast<QLineEdit*>(window->fieldWidget(design::Setting::Frequency));
    frequency->setFocus();
    frequency->end(false);
    QTest::keyClick(frequency, '1');  // a new design, its parts and figures anew
    QTest::keyClick(frequency, 'x');  // a problem, told at the frequency
    QTest::keyClick(frequency, Qt::Key_Backspace);
    QAccessible::installUpdateHandler(previous);
    describedObjects = nullptr;
#if BUTTERWORTH3_QT_PRIVATE
    bridge->setActive(false);
#endif
    QStringList names;
    for (QObject* object : described)
        names << (object == frequency ? QStringLiteral("frequency")
                                      : static_cast<QWidget*>(object)->accessibleName());
    // The schematic's new parts on the first key; the frequency's problem, then its end.
    QCOMPARE(names, QStringList({"Schematic", "frequency", "frequency"}));
}

void TestDesignerAccessibility::cellsAreReadWithTheirColumnHeader()
{
    design::Settings inputs;
    inputs.series = design::Series::E12;
    const auto window = ShownDesigner(inputs);
    QAccessibleInterface* table =
        QAccessible::queryAccessibleInterface(window->findChild<QTableWidget*>());
    QStringList headers;
    for (int column = 0; column < 4; ++column) {
        QAccessibleInterface* cell = table->tableInterface()->cellAt(1, column);
        QVERIFY(cell);
        const QList<QAccessibleInterface*> header = cell->tableCellInterface()->columnHeaderCells();
        headers << (header.size() == 1 ? header[0]->text(QAccessible::Name) : QStringLiteral("?"));
        // Qt makes the header cells anew for each call and leaves them to the caller: to the
        // registry (uniqueId registers them), which deletes them.
        for (QAccessibleInterface* made : header)
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    }
    QCOMPARE(headers, (QStringList{"Part", "Ideal", "Chosen E12", "Error"}));
}

QTEST_MAIN(TestDesignerAccessibility)
#include "tst_designer_accessibility.moc"

// With a screen reader, Alt and a letter reach the letter's field and stay there; Alt alone
// still opens the menu bar.
void TestDesignerAccessibility::keysHeldByAScreenReaderMoveTheFocusAsTyped_data()
{
    QTest::addColumn<int>("letter");  // 0: Alt alone
    QTest::addColumn<QString>("focus");
    QTest::newRow("Alt+Q, Alt let go first") << int(Qt::Key_Q) << "field 3";
    QTest::newRow("Alt") << 0 << "QMenuBar";
}

void TestDesignerAccessibility::keysHeldByAScreenReaderMoveTheFocusAsTyped()
{
    QFETCH(int, letter);
    QFETCH(QString, focus);
    const auto window = ShownDesigner();
    window->fieldWidget(design::Setting::Circuit)->setFocus();
    HeldKeys screenReader;
    QWindow* handle = window->windowHandle();
    // Alt's own events are given the modifiers as before them, as the X server reports them.
    QTest::simulateEvent(handle, true, Qt::Key_Alt, Qt::NoModifier, {}, false);
    if (letter)
        QTest::simulateEvent(handle, true, letter, Qt::AltModifier, {}, false);
    QTest::simulateEvent(handle, false, Qt::Key_Alt, Qt::AltModifier, {}, false);
    if (letter)
        QTest::simulateEvent(handle, false, letter, Qt::NoModifier, {}, false);
    screenReader.answer();
    QCOMPARE(Describe(*window, QApplication::focusWidget()), focus);
}
