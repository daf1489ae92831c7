// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The histogram draws any number of samples, from none to many, with its figures written
// out and given to screen readers, and its progress and stale states.
#include <QtGui/QImage>
#include <QtTest/QTest>

#include "designer/plots/histogram_view.h"
#include "designer/plots/plot_look.h"
#include "designer/plots/shown_numbers.h"
#include "tests/designer/plots/designs.h"
#include "tests/designer/plots/pixels.h"

using designer::HistogramView;

namespace {

std::vector<double> Errors(long samples)
{
    design::ToleranceRequest request;
    request.samples = samples;
    const design::Design d = ReportOf(TestDesigns[0]).design;
    return *design::ToleranceErrors(d.request.circuit, d.request.frequency, d.parts, request,
                                    [](long) { return true; });
}

}  // namespace

class TestHistogramView : public QObject {
    Q_OBJECT

private slots:
    void drawsAnyNumberOfSamples_data();
    void drawsAnyNumberOfSamples();
    void aLegendSaysWhatTheMarksMean();
};

void TestHistogramView::drawsAnyNumberOfSamples_data()
{
    QTest::addColumn<QList<double>>("errors");
    QTest::addColumn<int>("progress");  // -1: none
    QTest::addColumn<bool>("stale");
    QTest::addColumn<bool>("bars");
    const auto many = Errors(20000);
    const QList<double> manyErrors(many.begin(), many.end());
    QTest::newRow("none") << QList<double>{} << -1 << false << false;
    QTest::newRow("one") << QList<double>{0.0123} << -1 << false << true;
    QTest::newRow("one at zero") << QList<double>{0.0} << -1 << false << true;
    QTest::newRow("all alike") << QList<double>(50, -0.02) << -1 << false << true;
    QTest::newRow("many") << manyErrors << -1 << false << true;
    QTest::newRow("many, stale") << manyErrors << -1 << true << false;
    QTest::newRow("none, computing") << QList<double>{} << 40 << false << false;
    QTest::newRow("many, computing again") << manyErrors << 70 << false << false;
}

void TestHistogramView::drawsAnyNumberOfSamples()
{
    QFETCH(QList<double>, errors);
    QFETCH(int, progress);
    QFETCH(bool, stale);
    QFETCH(bool, bars);
    const std::vector<double> samples(errors.begin(), errors.end());
    std::vector<double> sorted = samples;
    const design::ToleranceFigures figures = design::FiguresOf(sorted);

    HistogramView view;
    view.resize(480, 240);
    view.setSamples(samples, figures);
    if (progress >= 0)
        view.setProgress(progress);
    view.setStale(stale);
    const QImage image = view.grab().toImage();

    const designer::PlotColours c = designer::PlotColoursFor(view.palette());
    QCOMPARE(CountPixels(image, c.design) > 0, bars);
    if (samples.empty()) {
        QCOMPARE(view.summary(), HistogramView::tr("No tolerance analysis"));
    } else {
        const QString sigma = designer::ShownDecimal(100 * figures.sigma, 3) + " %";
        QVERIFY2(view.summary().contains(sigma), qPrintable(view.summary()));
        QVERIFY2(view.summary().contains(QString::number(samples.size())),
                 qPrintable(view.summary()));
    }
    QCOMPARE(view.accessibleDescription(), view.summary());

    view.clear();
    QCOMPARE(CountPixels(view.grab().toImage(), c.design), 0);
}

// Along the bottom, below the axis's labels: a bar and a dashed line in the plot's colours
// with their words.
void TestHistogramView::aLegendSaysWhatTheMarksMean()
{
    const std::vector<double> samples = Errors(20000);
    std::vector<double> sorted = samples;
    HistogramView view;
    view.resize(480, 240);
    view.setSamples(samples, design::FiguresOf(sorted));
    const QImage image = view.grab().toImage();
    const int line = view.fontMetrics().height();
    const QImage bottom = image.copy(0, image.height() - 4 - line, image.width(), line);
    const designer::PlotColours c = designer::PlotColoursFor(view.palette());
    QVERIFY2(CountPixels(bottom, c.design) > 0, "a bar's mark");
    QVERIFY2(CountPixels(bottom, c.marker) > 0, "a dashed line's mark");
    QVERIFY2(CountPixels(bottom, c.text) > 0, "their words");
}

QTEST_MAIN(TestHistogramView)
#include "tst_histogram_view.moc"
