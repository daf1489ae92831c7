// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The numbers the window shows: as the report writes them under a comma locale too, a
// frequency below 1 Hz without a prefix, a ratio never in exponent form.
#include <QtCore/QLocale>
#include <QtTest/QTest>

#include "designer/plots/shown_numbers.h"

class TestShownNumbers : public QObject {
    Q_OBJECT
private slots:
    // Qt's own formatting would write "98,87" here.
    void initTestCase() { QLocale::setDefault(QLocale(QStringLiteral("ru_RU"))); }
    void cleanupTestCase() { QLocale::setDefault(QLocale::c()); }
    void shown_data();
    void shown();
};

void TestShownNumbers::shown_data()
{
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("expected");
    const QString minus(QChar(0x2212));
    // clang-format off
    QTest::newRow("kilohertz") << designer::ShownQuantity(98870, "Hz", 4) << "98.87 kHz";
    QTest::newRow("hertz") << designer::ShownQuantity(98.87, "Hz") << "98.87 Hz";
    QTest::newRow("below 1 Hz") << designer::ShownQuantity(0.5, "Hz") << "0.5 Hz";
    QTest::newRow("a decade below 1 Hz") << designer::ShownQuantity(0.01, "Hz", 3) << "0.01 Hz";
    QTest::newRow("far below 1 Hz") << designer::ShownQuantity(2e-7, "Hz") << "2e-07 Hz";
    QTest::newRow("a time keeps its prefix") << designer::ShownQuantity(5e-4, "s") << "500 µs";
    QTest::newRow("a part") << designer::ShownQuantity(67.1656e-9, "F") << "67.1656 nF";
    QTest::newRow("a negative value") << designer::ShownQuantity(-2e-3, "s") << minus + "2 ms";
    QTest::newRow("decibels") << designer::ShownDecimal(-3.14159, 2) << minus + "3.14";
    QTest::newRow("never minus zero") << designer::ShownDecimal(-0.004, 2) << "0.00";
    QTest::newRow("a ratio in thousands") << designer::ShownNumber(5710.3, 3) << "5710";
    QTest::newRow("a ratio") << designer::ShownNumber(12.345, 3) << "12.3";
    QTest::newRow("a small ratio") << designer::ShownNumber(0.051234, 3) << "0.0512";
    // clang-format on
}

void TestShownNumbers::shown()
{
    QFETCH(QString, shown);
    QFETCH(QString, expected);
    QCOMPARE(shown, expected);
}

QTEST_MAIN(TestShownNumbers)
#include "tst_shown_numbers.moc"
