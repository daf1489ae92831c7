// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The designer window on small screens: at 1024 x 600 it scrolls and cuts nothing off; at
// 1366 x 768 it shows everything without scrolling.
#include "designer_fixture.h"
#include "layout_probe.h"

class TestDesignerLayout : public QObject {
    Q_OBJECT
private slots:
    void fitsTheScreen_data();
    void fitsTheScreen();
};

void TestDesignerLayout::fitsTheScreen_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("scrolls");
    QTest::newRow("1024 x 600") << QSize(1024, 600) << true;
    QTest::newRow("1366 x 768") << QSize(1366, 768) << false;
}

void TestDesignerLayout::fitsTheScreen()
{
    QFETCH(QSize, size);
    QFETCH(bool, scrolls);
    design::Settings inputs;
    inputs.series = design::Series::E24;  // every column of the parts shows
    inputs.gbw = "1Meg";                  // and the op-amp's figures, the longest names
    const auto window = ShownDesigner(inputs, size);
    QTRY_COMPARE_WITH_TIMEOUT(window->size(), size, 2000);
    const QStringList scrolling = layout_probe::Scrolling(*window);
    qInfo("scrolling: %s", qPrintable(scrolling.join(QStringLiteral(", "))));
    QVERIFY2(scrolling.isEmpty() != scrolls, qPrintable(scrolling.join(QStringLiteral(", "))));
    const QStringList squeezed = layout_probe::Squeezed(*window);
    QVERIFY2(squeezed.isEmpty(), qPrintable(squeezed.join(QStringLiteral("; "))));
}

QTEST_MAIN(TestDesignerLayout)
#include "tst_designer_layout.moc"
