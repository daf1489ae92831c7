// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// A value too long for its fixed-size label is never shown as another number: the label
// draws it cut with "…", its tooltip gives the whole text, and a screen reader reads the
// whole text. Values that fit are drawn as before, with no tooltip.
#include <QtGui/QAccessible>
#include <QtGui/QImage>

#include "tests/ui/window_fixture.h"
#include "ui/form_definition.h"
#include "ui/window_look.h"

namespace {

QImage Drawn(QWidget& widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The label as a plain label of the same font, size and colours shows `text`.
QImage DrawnAsPlainLabel(const QLabel& label, const QString& text)
{
    QLabel plain;
    plain.setFont(label.font());
    plain.setPalette(label.palette());
    plain.setAlignment(label.alignment());
    plain.setTextFormat(Qt::PlainText);
    plain.setFixedSize(label.size());
    plain.setText(text);
    plain.ensurePolished();
    return Drawn(plain);
}

}  // namespace

class TestCutValues : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void valuesNeverShownCut_data();
    void valuesNeverShownCut();

private:
    DialogCatcher catcher_;
};

void TestCutValues::initTestCase()
{
    ui::SetApplicationLook(ui::Form1Window());
}

void TestCutValues::valuesNeverShownCut_data()
{
    QTest::addColumn<QStringList>("inputs");  // Edit1, Edit3, Edit4
    QTest::addColumn<bool>("microfarads");
    QTest::addColumn<bool>("thenSwitchUnit");  // resets the high-pass values to "0"
    QTest::addColumn<int>("cut");              // how many of the six are cut
    using L = QStringList;
    // clang-format off
    QTest::newRow("defaults: all fit")          << L{"100", "33", "10"} << false << false << 0;
    QTest::newRow("1 Hz, 0,1 kOhm, 0,1 nF")     << L{"1", "0.1", "0.1"} << false << false << 4;
    QTest::newRow("1 Hz, 0,1 kOhm, 10 uF")      << L{"1", "0.1", "10"}  << true  << false << 2;
    QTest::newRow("cut, then reset by a unit")  << L{"1", "0.1", "0.1"} << false << true  << 0;
    // clang-format on
}

void TestCutValues::valuesNeverShownCut()
{
    QFETCH(QStringList, inputs);
    QFETCH(bool, microfarads);
    QFETCH(bool, thenSwitchUnit);
    QFETCH(int, cut);

    Window w;
    QVERIFY(w.show());
    if (microfarads)
        Click(w.get<QRadioButton>("RadioButton4"));
    for (int i = 0; i < 3; ++i)
        TypeInto(w.field(Fields[i]), inputs[i]);
    Click(w.get<QPushButton>("Button2"));
    if (thenSwitchUnit) {
        Click(w.get<QRadioButton>("RadioButton2"));
        QCOMPARE(Texts(w, ValueLabels), QStringList(6, QStringLiteral("0")));
    }

    int seenCut = 0;
    for (const char* name : ValueLabels) {
        QLabel* label = w.label(name);
        const QString whole = label->text();
        const bool fits = label->fontMetrics().horizontalAdvance(whole) <= label->width();
        QAccessibleInterface* access = QAccessible::queryAccessibleInterface(label);
        QVERIFY(access);
        QCOMPARE(access->text(QAccessible::Name), whole);
        if (fits) {
            QVERIFY2(label->toolTip().isEmpty(), name);
            QCOMPARE(Drawn(*label), DrawnAsPlainLabel(*label, whole));
            continue;
        }
        ++seenCut;
        QCOMPARE(label->toolTip(), whole);
        const QString shown =
            label->fontMetrics().elidedText(whole, Qt::ElideRight, label->width());
        QVERIFY2(shown.endsWith(QChar(0x2026)) && shown.size() > 1, qPrintable(shown));
        QVERIFY(whole.startsWith(shown.chopped(1)));
        QCOMPARE(Drawn(*label), DrawnAsPlainLabel(*label, shown));
        QVERIFY(Drawn(*label) != DrawnAsPlainLabel(*label, whole));
    }
    QCOMPARE(seenCut, cut);
}

QTEST_MAIN(TestCutValues)
#include "tst_cut_values.moc"
