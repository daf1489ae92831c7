// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Where the framed window goes in the screen's available area: centred where it fits,
// otherwise at the area's top-left so that its title bar, the frequency field, Go and Exit
// stay on the screen. (tools/desktop_check.sh checks the same under a window manager.)
#include <QtTest/QTest>

#include "ui/placement.h"

class TestPlacement : public QObject {
    Q_OBJECT
private slots:
    void placedFrame_data();
    void placedFrame();
};

void TestPlacement::placedFrame_data()
{
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QSize>("framed");
    QTest::addColumn<QPoint>("topLeft");
    // clang-format off
    QTest::newRow("fits: centred")                 << QRect(0, 0, 1280, 1024) << QSize(740, 388) << QPoint(270, 318);
    QTest::newRow("panel on top: centred below")   << QRect(0, 30, 1280, 994) << QSize(740, 388) << QPoint(270, 333);
    QTest::newRow("second screen: centred on it")  << QRect(1280, 0, 800, 600) << QSize(740, 388) << QPoint(1310, 106);
    QTest::newRow("exactly as wide: fits")         << QRect(0, 0, 740, 480)   << QSize(740, 388) << QPoint(0, 46);
    QTest::newRow("640 x 480: too narrow")         << QRect(0, 0, 640, 480)   << QSize(740, 388) << QPoint(0, 0);
    QTest::newRow("too low, panel on top")         << QRect(0, 24, 1280, 360) << QSize(740, 388) << QPoint(0, 24);
    QTest::newRow("scale 1.75 on 1280 pixels")     << QRect(0, 0, 731, 585)   << QSize(740, 379) << QPoint(0, 0);
    // clang-format on
}

void TestPlacement::placedFrame()
{
    QFETCH(QRect, area);
    QFETCH(QSize, framed);
    QFETCH(QPoint, topLeft);
    QCOMPARE(ui::PlacedFrame(area, framed), topLeft);
}

QTEST_MAIN(TestPlacement)
#include "tst_placement.moc"
