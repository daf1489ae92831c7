// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The window as assistive technology sees it, in process: names, roles and descriptions of the
// controls, the events that tell a screen reader what changed, and that none of it changes
// what the window shows.
#include <algorithm>
#include <memory>

#include <QtCore/QHash>
#include <QtGui/QAccessible>
#include <QtGui/QImage>
#if BUTTERWORTH3_QT_PRIVATE
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#endif

#include "../window_fixture.h"
#include "ui/application_title.h"
#include "ui/form_definition.h"
#include "ui/window_look.h"

namespace {

const char* const Components[] = {"C1", "C2", "C3", "R1", "R2", "R3"};

struct Recorded {
    QAccessible::Event type;
    QString object;  // objectName
    QAccessible::Role role;
    QString name;  // at the time of the event
};

QList<Recorded>& Events()
{
    static QList<Recorded> events;
    return events;
}

void RecordEvent(QAccessibleEvent* event)
{
    if (event->type() == QAccessible::ObjectDestroyed || !event->object())
        return;
    QAccessibleInterface* iface = event->accessibleInterface();
    if (!iface)
        return;
    Events().append({event->type(), event->object()->objectName(), iface->role(),
                     iface->text(QAccessible::Name)});
}

// Qt raises accessibility events only while a platform bridge is active; on the offscreen
// platform only Qt's internal interface can switch it on.
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

QAccessibleInterface* Interface(QWidget* widget)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
    if (!iface)
        qFatal("no accessible interface for %s", qPrintable(widget->objectName()));
    return iface;
}

}  // namespace

class TestAccessibility : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void labelsAreNamedByTheirTexts_data();
    void labelsAreNamedByTheirTexts();
    void controlsSayWhatTheyStandFor_data();
    void controlsSayWhatTheyStandFor();
    void bannersAreAnnouncedWhenShown_data();
    void bannersAreAnnouncedWhenShown();
    void newValuesReachTheScreenReader();
    void windowLooksAsBefore();

private:
    void go(const QStringList& inputs);

    std::unique_ptr<DialogCatcher> catcher_;
    std::unique_ptr<Window> window_;
    bool active_ = false;
};

void TestAccessibility::initTestCase()
{
    QApplication::setApplicationName(ui::ApplicationTitle(QStringLiteral("/usr/bin/butterworth3")));
    ui::SetApplicationLook(ui::Form1Window());
    QAccessible::installUpdateHandler(RecordEvent);
    // Before any window exists, as when a screen reader is already running at start-up.
    active_ = ActivateAccessibility();
}

void TestAccessibility::init()
{
    catcher_ = std::make_unique<DialogCatcher>();
    window_ = std::make_unique<Window>();
    QVERIFY(window_->show());
    Events().clear();
}

void TestAccessibility::cleanup()
{
    window_.reset();
    catcher_.reset();
}

// Types the three inputs (none: keeps the defaults) and presses Go.
void TestAccessibility::go(const QStringList& inputs)
{
    for (qsizetype i = 0; i < inputs.size(); ++i)
        PasteInto(window_->field(Fields[i]), inputs[i]);
    Events().clear();
    Click(window_->get<QPushButton>("Button2"));
}

void TestAccessibility::labelsAreNamedByTheirTexts_data()
{
    QTest::addColumn<QStringList>("inputs");
    QTest::newRow("at start") << QStringList();
    QTest::newRow("after Go") << QStringList{"100", "33", "10"};
    QTest::newRow("markers and new units") << QStringList{"1", "0,1", "0,1"};
    QTest::newRow("range banner") << QStringList{"0,5", "33", "10"};
}

void TestAccessibility::labelsAreNamedByTheirTexts()
{
    QFETCH(QStringList, inputs);
    if (!inputs.isEmpty())
        go(inputs);
    if (inputs == QStringList{"100", "33", "10"})
        QCOMPARE(Interface(window_->label("Label7"))->text(QAccessible::Name),
                 QStringLiteral("68,05"));

    // Captions with Cyrillic look-alike letters are named in Latin; every other label by its text.
    const QHash<QString, QString> latin{
        {"Label2", "fc ="}, {"Label5", "C1 ="}, {"Label6", "C2 ="}, {"Label3", "C3 ="}};
    qsizetype renamed = 0;
    for (const ui::ControlDef& def : ui::Form1Controls()) {
        if (def.kind != ui::ControlKind::Label && def.kind != ui::ControlKind::Link)
            continue;
        QLabel* label = window_->label(def.name);
        const QString name = QString::fromLatin1(def.name);
        if (latin.contains(name)) {
            ++renamed;
            QCOMPARE(Interface(label)->text(QAccessible::Name), latin.value(name));
            QCOMPARE(label->text(), QString::fromUtf8(def.text));
            QVERIFY(label->text() != latin.value(name));
        } else {
            QCOMPARE(Interface(label)->text(QAccessible::Name), label->text());
        }
    }
    QCOMPARE(renamed, latin.size());
}

void TestAccessibility::controlsSayWhatTheyStandFor_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("subject");  // what its description must name
    QTest::addColumn<bool>("ownName");     // shows no text that could name it

    // clang-format off
    QTest::newRow("Edit1") << "Edit1" << int(QAccessible::EditableText) << "frequency" << true;
    QTest::newRow("Edit3") << "Edit3" << int(QAccessible::EditableText) << "resistors R " << true;
    QTest::newRow("Edit4") << "Edit4" << int(QAccessible::EditableText) << "capacitors C " << true;
    QTest::newRow("Image1") << "Image1" << int(QAccessible::Graphic) << "capacitor C1" << true;
    QTest::newRow("Image2") << "Image2" << int(QAccessible::Graphic) << "resistor R1" << true;
    QTest::newRow("Label20") << "Label20" << int(QAccessible::Notification) << "no valid number" << false;
    QTest::newRow("Label19") << "Label19" << int(QAccessible::Notification) << "out of range" << false;
    // clang-format on
    for (int i = 0; i < 6; ++i) {
        const QString component = QString::fromLatin1(Components[i]);
        QTest::addRow("value %s", Components[i]) << ValueLabels[i] << int(QAccessible::StaticText)
                                                 << component + QLatin1Char(' ') << false;
        QTest::addRow("unit %s", Components[i]) << UnitLabels[i] << int(QAccessible::StaticText)
                                                << component + QLatin1Char('.') << false;
        QTest::addRow("marker %s", Components[i]) << MarkerLabels[i] << int(QAccessible::StaticText)
                                                  << component + QLatin1Char(' ') << false;
    }
}

void TestAccessibility::controlsSayWhatTheyStandFor()
{
    QFETCH(QString, control);
    QFETCH(int, role);
    QFETCH(QString, subject);
    QFETCH(bool, ownName);

    QWidget* widget = window_->get(qPrintable(control));
    QAccessibleInterface* iface = Interface(widget);
    QCOMPARE(int(iface->role()), role);
    const QString description = iface->text(QAccessible::Description);
    QVERIFY2(description.contains(subject, Qt::CaseInsensitive), qPrintable(description));
    // A name of its own only where the control shows nothing that could name it.
    QCOMPARE(!widget->accessibleName().isEmpty(), ownName);
    QVERIFY(!iface->text(QAccessible::Name).isEmpty());
}

void TestAccessibility::bannersAreAnnouncedWhenShown_data()
{
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QStringList>("announced");
    // clang-format off
    QTest::newRow("defaults") << QStringList{"100", "33", "10"} << QStringList();
    QTest::newRow("malformed frequency") << QStringList{",5", "33", "10"} << QStringList{"Label20"};
    QTest::newRow("frequency below range") << QStringList{"0,5", "33", "10"} << QStringList{"Label19"};
    QTest::newRow("resistance above range") << QStringList{"100", "1001", "10"} << QStringList{"Label19"};
    // Markers that appear are not announced: the results announcement says what they mark.
    QTest::newRow("all impractical") << QStringList{"1", "0,1", "0,1"} << QStringList();
    QTest::newRow("C1 and C2 only") << QStringList{"100", "0,1", "1000"} << QStringList();
    QTest::newRow("R1 and R3 only") << QStringList{"100", "1000", "1"} << QStringList();
    // clang-format on
}

void TestAccessibility::bannersAreAnnouncedWhenShown()
{
    if (!active_)
        QSKIP("accessibility cannot be switched on here (Qt's private headers, Debian package "
              "qt6-base-private-dev, are missing)");
    QFETCH(QStringList, inputs);
    QFETCH(QStringList, announced);
    go(inputs);

    QStringList shown;
    for (const Recorded& event : Events()) {
        if (event.type == QAccessible::ObjectShow && event.role == QAccessible::Notification) {
            shown << event.object;
            QCOMPARE(event.name, window_->label(qPrintable(event.object))->text());
        }
    }
    shown.sort();
    QCOMPARE(shown, announced);
    for (const QString& name : announced)
        QVERIFY2(window_->label(qPrintable(name))->isVisible(), qPrintable(name));
}

// Every value label Go writes tells a screen reader its new name, unless the text stayed.
void TestAccessibility::newValuesReachTheScreenReader()
{
    if (!active_)
        QSKIP("accessibility cannot be switched on here (Qt's private headers, Debian package "
              "qt6-base-private-dev, are missing)");
    go({"100", "33", "10"});
    for (const char* name : ValueLabels) {
        const QString text = window_->label(name)->text();
        const bool reported =
            std::any_of(Events().cbegin(), Events().cend(), [&](const Recorded& event) {
                return event.type == QAccessible::NameChanged &&
                       event.object == QLatin1String(name) && event.name == text;
            });
        QVERIFY2(reported, name);
    }
}

// The screenshot in docs/ was taken from the window as it was before it was described for
// screen readers; describing it must not move a pixel. If the look changes on purpose, run
// tools/screenshots.sh.
void TestAccessibility::windowLooksAsBefore()
{
    const QImage before(QStringLiteral(BUTTERWORTH3_RESULTS_SCREENSHOT));
    QVERIFY2(!before.isNull(), BUTTERWORTH3_RESULTS_SCREENSHOT);
    go({});
    const QImage now = window_->form.grab().toImage().convertToFormat(before.format());
    QCOMPARE(now.size(), before.size());
    QVERIFY2(now == before, "the window after Go differs from " BUTTERWORTH3_RESULTS_SCREENSHOT);
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
