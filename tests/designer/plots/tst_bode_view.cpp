// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The Bode view reads out the designed curve where the keyboard cursor or the mouse pointer
// is (on screen and to screen readers), and draws in colours readable on the scheme's
// background.
#include <QtGui/QAccessible>
#include <QtGui/QImage>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>

#include "designer/plots/bode_view.h"
#include "designer/plots/plot_look.h"
#include "designer/plots/shown_numbers.h"
#include "tests/designer/plots/designs.h"
#include "tests/designer/plots/pixels.h"
#include "tests/ui/colour_schemes.h"
#include "ui/readable_colour.h"

using designer::BodeView;

namespace {

constexpr int Last = 4 * BodeView::PointsPerDecade;
constexpr int AtF = 2 * BodeView::PointsPerDecade;
constexpr int Step = BodeView::CursorStep;

enum class Scheme { Light, BreezeDark, HighContrast };

QPalette PaletteOf(Scheme scheme)
{
    switch (scheme) {
    case Scheme::Light: return QApplication::palette();
    case Scheme::BreezeDark: return BreezeDarkPalette();
    case Scheme::HighContrast: return HighContrastPalette();
    }
    return {};
}

}  // namespace

Q_DECLARE_METATYPE(Scheme)

class TestBodeView : public QObject {
    Q_OBJECT

private slots:
    void readoutAtTheKeyboardCursor_data();
    void readoutAtTheKeyboardCursor();
    void readoutUnderThePointer();
    void coloursReadableOnTheBackground_data();
    void coloursReadableOnTheBackground();
};

void TestBodeView::readoutAtTheKeyboardCursor_data()
{
    QTest::addColumn<int>("design");
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<int>("index");
    const QList<std::tuple<const char*, QList<int>, int>> moves = {
        {"at f to begin with", {}, AtF},
        {"two steps right", {Qt::Key_Right, Qt::Key_Right}, AtF + 2 * Step},
        {"home, right", {Qt::Key_Home, Qt::Key_Right}, Step},
        {"home, left stays", {Qt::Key_Home, Qt::Key_Left}, 0},
        {"end", {Qt::Key_End}, Last},
        {"end, right stays, left", {Qt::Key_End, Qt::Key_Right, Qt::Key_Left}, Last - Step},
    };
    for (int d = 0; d < int(std::size(TestDesigns)); ++d)
        for (const auto& [name, keys, index] : moves)
            QTest::addRow("%s: %s", TestDesigns[d].name, name) << d << keys << index;
}

void TestBodeView::readoutAtTheKeyboardCursor()
{
    QFETCH(int, design);
    QFETCH(QList<int>, keys);
    QFETCH(int, index);
    const design::Report report = ReportOf(TestDesigns[design]);
    BodeView view;
    view.resize(700, 500);
    view.setReport(report);
    for (const int key : keys)
        QTest::keyClick(&view, Qt::Key(key));

    const auto curves = design::outputs::BodeCurvesOf(report, BodeView::PointsPerDecade);
    QCOMPARE(view.readIndex(), index);
    const auto reading = view.reading();
    QVERIFY(reading);
    const auto i = std::size_t(index);
    QVERIFY(reading->frequency == curves.freq[i] && reading->gainDb == curves.designDb[i] &&
            reading->phaseDegrees == curves.designPhase[i]);
    const QString text = view.readout();
    QVERIFY2(text.startsWith(designer::ShownQuantity(curves.freq[i], "Hz", 4)), qPrintable(text));
    QVERIFY2(text.contains(designer::ShownDecimal(curves.designDb[i], 2) + " dB"),
             qPrintable(text));
    QVERIFY2(text.contains(designer::ShownDecimal(curves.designPhase[i], 1) + "°"),
             qPrintable(text));
    QCOMPARE(view.accessibleDescription(), text);
    QCOMPARE(QAccessible::queryAccessibleInterface(&view)->text(QAccessible::Description), text);
}

void TestBodeView::readoutUnderThePointer()
{
    const design::Report report = ReportOf(TestDesigns[1]);
    BodeView view;
    view.resize(700, 500);
    view.setReport(report);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.setFocus();
    QTest::keyClick(&view, Qt::Key_Home);

    // Further right is higher up the frequency axis; the read-out follows the pointer.
    QTest::mouseMove(&view, QPoint(250, 200));
    QTRY_VERIFY2(view.readIndex() != 0, "awaiting the read-out under the pointer");
    const int left = *view.readIndex();
    QTest::mouseMove(&view, QPoint(500, 200));
    QTRY_VERIFY2(view.readIndex() > left, "awaiting the read-out further right");
    QCOMPARE(view.accessibleDescription(), view.readout());
    // A key brings the read-out back to the keyboard's cursor.
    QTest::keyClick(&view, Qt::Key_Right);
    QCOMPARE(view.readIndex(), Step);
}

void TestBodeView::coloursReadableOnTheBackground_data()
{
    QTest::addColumn<Scheme>("scheme");
    QTest::newRow("light") << Scheme::Light;
    QTest::newRow("Breeze Dark") << Scheme::BreezeDark;
    QTest::newRow("high contrast") << Scheme::HighContrast;
}

void TestBodeView::coloursReadableOnTheBackground()
{
    QFETCH(Scheme, scheme);
    const QPalette palette = PaletteOf(scheme);
    const designer::PlotColours c = designer::PlotColoursFor(palette);
    QCOMPARE(c.background, palette.color(QPalette::Base));
    const QList<std::tuple<const char*, QColor, double>> needs = {
        {"designed curve", c.design, ui::ReadableLargeContrast},
        {"target curve", c.target, ui::ReadableLargeContrast},
        {"frame", c.frame, ui::ReadableLargeContrast},
        {"markers", c.marker, ui::ReadableContrast},
        {"text", c.text, ui::ReadableContrast},
    };
    for (const auto& [what, colour, needed] : needs)
        QVERIFY2(
            ui::ContrastRatio(colour, c.background) >= needed,
            qPrintable(QString("%1: %2").arg(what).arg(ui::ContrastRatio(colour, c.background))));

    // What is drawn uses them: the designed curve in its colour on the scheme's background,
    // and, when stale, washed out.
    BodeView view;
    view.setPalette(palette);
    view.resize(640, 480);
    view.setReport(ReportOf(TestDesigns[0]));
    const QImage fresh = view.grab().toImage();
    QCOMPARE(QColor(fresh.pixel(2, fresh.height() / 2)), c.background);
    QVERIFY2(CountPixels(fresh, c.design) > 200, "the designed curve in its colour");
    view.setStale(true);
    const QImage stale = view.grab().toImage();
    QCOMPARE(CountPixels(stale, c.design), 0);
}

QTEST_MAIN(TestBodeView)
#include "tst_bode_view.moc"
