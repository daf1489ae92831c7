// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The designer window under a Wayland compositor (tests/designer/designer_wayland.sh starts
// weston and runs this with QT_QPA_PLATFORM=wayland): shown, resized by the program and by
// the compositor, and recomputed on a change. The compositor has no seat: the change is made
// in process, as the field's own edit would.
#include <QtGui/QGuiApplication>
#include <QtGui/QWindow>
#include <QtTest/QSignalSpy>
#include <QtWidgets/QTableWidget>

#include "designer_fixture.h"

class TestDesignerWayland : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void resizes_data();
    void resizes();
    void aChangeRecomputes();
};

void TestDesignerWayland::initTestCase()
{
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("wayland"));
}

void TestDesignerWayland::resizes_data()
{
    QTest::addColumn<Qt::WindowState>("state");
    QTest::addColumn<QSize>("size");  // asked for by the program; else the compositor's
    QTest::newRow("to 1024 x 600") << Qt::WindowNoState << QSize(1024, 600);
    QTest::newRow("to 1200 x 900") << Qt::WindowNoState << QSize(1200, 900);
    QTest::newRow("maximised") << Qt::WindowMaximized << QSize();
}

void TestDesignerWayland::resizes()
{
    QFETCH(Qt::WindowState, state);
    QFETCH(QSize, size);
    const auto window = ShownDesigner();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    const QSize before = window->size();
    if (state == Qt::WindowNoState) {
        window->resize(size);
        QTRY_COMPARE_WITH_TIMEOUT(window->size(), size, 5000);
    } else {
        window->setWindowState(state);
        // The output is 1280 x 1024; Qt draws its own title bar inside the surface.
        QTRY_VERIFY2_WITH_TIMEOUT(window->windowHandle()->windowStates() & state &&
                                      window->width() > before.width() && window->width() >= 1200,
                                  qPrintable(QStringLiteral("maximised from %1 x %2 to %3 x %4")
                                                 .arg(before.width())
                                                 .arg(before.height())
                                                 .arg(window->width())
                                                 .arg(window->height())),
                                  5000);
    }
    QVERIFY(window->centralWidget()->isVisible());
}

void TestDesignerWayland::aChangeRecomputes()
{
    const auto window = ShownDesigner();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QSignalSpy recomputed(window.get(), &designer::DesignerWindow::recomputed);
    qobject_cast<QLineEdit*>(window->fieldWidget(design::Setting::Frequency))
        ->setText(QStringLiteral("250"));
    QTRY_VERIFY2_WITH_TIMEOUT(!recomputed.isEmpty(), "the design recomputed", 5000);
    QCOMPARE(window->report()->design.request.frequency, 250.0);
    // lowpass 250 33k, as butterworth3-cli design says
    QCOMPARE(window->findChild<QTableWidget*>()->item(1, 1)->text(), QStringLiteral("26.8663 nF"));
}

QTEST_MAIN(TestDesignerWayland)
#include "tst_designer_wayland.moc"
