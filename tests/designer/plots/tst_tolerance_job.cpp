// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The tolerance job gives MonteCarlo's figures to the bit, reports its progress in steps,
// and never delivers a run that was cancelled or started over.
#include <memory>

#include <QtTest/QSignalSpy>
#include <QtTest/QTest>

#include "designer/plots/tolerance_job.h"
#include "tests/designer/plots/designs.h"

using designer::ToleranceJob;

Q_DECLARE_METATYPE(design::ToleranceRequest)

namespace {

// Far more samples than the bound of any wait below allows to compute.
constexpr long Endless = design::MaxSamples;

design::ToleranceRequest Request(long samples, double r, double c, design::Distribution d)
{
    design::ToleranceRequest t;
    t.samples = samples;
    t.resistors = r;
    t.capacitors = c;
    t.distribution = d;
    return t;
}

}  // namespace

class TestToleranceJob : public QObject {
    Q_OBJECT

private slots:
    void givesMonteCarlosFigures_data();
    void givesMonteCarlosFigures();
    void aCancelledRunNeverArrives_data();
    void aCancelledRunNeverArrives();
    void destroyedWhileRunning();
};

void TestToleranceJob::givesMonteCarlosFigures_data()
{
    QTest::addColumn<int>("design");
    QTest::addColumn<design::ToleranceRequest>("request");
    QTest::newRow("lowpass 1,5 uniform")
        << 0 << Request(30000, 0.01, 0.05, design::Distribution::Uniform);
    QTest::newRow("lowpass E24 1,1 normal")
        << 1 << Request(20000, 0.01, 0.01, design::Distribution::Normal);
    QTest::newRow("highpass 0.5,2 normal")
        << 2 << Request(20000, 0.005, 0.02, design::Distribution::Normal);
    QTest::newRow("highpass E12 5,10 uniform, few samples")
        << 3 << Request(7, 0.05, 0.10, design::Distribution::Uniform);
}

void TestToleranceJob::givesMonteCarlosFigures()
{
    QFETCH(int, design);
    QFETCH(design::ToleranceRequest, request);
    const design::Report report = ReportOf(TestDesigns[design]);
    const design::Design& d = report.design;
    ToleranceJob job;
    std::vector<double> errors;
    design::ToleranceFigures figures;
    QList<int> progress;
    int finished = 0;
    connect(&job, &ToleranceJob::finished, this,
            [&](const std::vector<double>& e, const design::ToleranceFigures& f) {
                errors = e;
                figures = f;
                ++finished;
            });
    connect(&job, &ToleranceJob::progress, this, [&](int percent) { progress << percent; });
    job.start(d.request.circuit, d.request.frequency, d.parts, request);
    QVERIFY(job.isBusy());
    QTRY_VERIFY2_WITH_TIMEOUT(finished == 1, "awaiting the samples", 20000);
    QVERIFY(!job.isBusy());

    const design::ToleranceFigures expected =
        design::MonteCarlo(d.request.circuit, d.request.frequency, d.parts, request);
    QCOMPARE(long(errors.size()), request.samples);
    QCOMPARE(figures.samples, expected.samples);
    QCOMPARE(figures.sigma, expected.sigma);  // QCOMPARE of doubles is fuzzy: also the bits
    QVERIFY(figures.sigma == expected.sigma && figures.p0_5 == expected.p0_5 &&
            figures.p99_5 == expected.p99_5);
    for (int i = 0; i < progress.size(); ++i) {
        QVERIFY2(progress[i] > 0 && progress[i] < 100, "a step between start and end");
        if (i > 0)
            QVERIFY2(progress[i] >= progress[i - 1] + ToleranceJob::ProgressStepPercent,
                     "at least a few percent a step");
    }
    QTRY_COMPARE(job.runningWorkers(), 0);
}

void TestToleranceJob::aCancelledRunNeverArrives_data()
{
    QTest::addColumn<bool>("startAgain");
    QTest::newRow("cancel") << false;
    QTest::newRow("start again") << true;
}

void TestToleranceJob::aCancelledRunNeverArrives()
{
    QFETCH(bool, startAgain);
    const design::Design d = ReportOf(TestDesigns[0]).design;
    ToleranceJob job;
    QSignalSpy finished(&job, &ToleranceJob::finished);
    QSignalSpy progress(&job, &ToleranceJob::progress);
    const design::ToleranceRequest endless =
        Request(Endless, 0.01, 0.05, design::Distribution::Uniform);
    job.start(d.request.circuit, d.request.frequency, d.parts, endless);
    // Let it get going: its first progress report.
    QVERIFY2(progress.wait(20000), "awaiting the first progress of the long run");
    const design::ToleranceRequest small = Request(2000, 0.01, 0.05, design::Distribution::Uniform);
    if (startAgain)
        job.start(d.request.circuit, d.request.frequency, d.parts, small);
    else
        job.cancel();
    const qsizetype progressBefore = progress.size();

    // The long run ends soon after being told (the bound is far below its own time), and
    // whatever it had queued is dropped.
    QTRY_VERIFY2_WITH_TIMEOUT(job.runningWorkers() == 0, "awaiting the cancelled worker's end",
                              5000);
    QCoreApplication::processEvents();
    if (!startAgain) {
        QCOMPARE(finished.size(), 0);
        QCOMPARE(progress.size(), progressBefore);
        QVERIFY(!job.isBusy());
        return;
    }
    QCOMPARE(finished.size(), 1);
    const auto figures = finished[0][1].value<design::ToleranceFigures>();
    const auto expected =
        design::MonteCarlo(d.request.circuit, d.request.frequency, d.parts, small);
    QCOMPARE(figures.samples, 2000);
    QVERIFY(figures.sigma == expected.sigma && figures.p99_5 == expected.p99_5);
}

void TestToleranceJob::destroyedWhileRunning()
{
    const design::Design d = ReportOf(TestDesigns[2]).design;
    auto job = std::make_unique<ToleranceJob>();
    QSignalSpy progress(job.get(), &ToleranceJob::progress);
    job->start(d.request.circuit, d.request.frequency, d.parts,
               Request(Endless, 0.01, 0.01, design::Distribution::Normal));
    QVERIFY2(progress.wait(20000), "awaiting the first progress");
    job.reset();  // stops and waits for the worker; nothing is delivered to a deleted object
    QCoreApplication::processEvents();
}

QTEST_GUILESS_MAIN(TestToleranceJob)
#include "tst_tolerance_job.moc"
