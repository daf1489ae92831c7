// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The application title from the executable's path.
#include <QtTest/QTest>

#include "ui/application_title.h"

class TestApplicationTitle : public QObject {
    Q_OBJECT
private slots:
    void title_data();
    void title();
};

void TestApplicationTitle::title_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");

    // clang-format off
    QTest::newRow("installed program") << "/usr/local/bin/butterworth3" << "butterworth3";
    QTest::newRow("relative path") << "build/app/butterworth3" << "butterworth3";
    QTest::newRow("extension cut") << "/opt/butterworth3.bin" << "butterworth3";
    QTest::newRow("cut at the first full stop") << "/opt/filter.v2.exe" << "filter";
    QTest::newRow("later letters lowered") << "/opt/BUTTERWORTH3" << "Butterworth3";
    QTest::newRow("first letter kept") << "/opt/butterWorth3" << "butterworth3";
    QTest::newRow("cyrillic lowered") << "/opt/ФИЛЬТР" << "Фильтр";
    QTest::newRow("dot file") << "/opt/.hidden" << "";
    QTest::newRow("directory only") << "/opt/" << "";
    // clang-format on
}

void TestApplicationTitle::title()
{
    QFETCH(QString, path);
    QFETCH(QString, expected);

    QCOMPARE(ui::ApplicationTitle(path), expected);
}

QTEST_APPLESS_MAIN(TestApplicationTitle)
#include "tst_application_title.moc"
