// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// What the designer's window waits for after a change: the tolerance samples computed on the
// worker thread until the finished signal arrives, the histogram taking them, and one paint
// of the Bode view. Runs offscreen unless QT_QPA_PLATFORM says otherwise.
#include <benchmark/benchmark.h>

#include <QtCore/QEventLoop>
#include <QtGui/QImage>
#include <QtWidgets/QApplication>

#include "design/report.h"
#include "designer/plots/bode_view.h"
#include "designer/plots/histogram_view.h"
#include "designer/plots/tolerance_job.h"

namespace {

// lowpass 100 33k, tolerance 1,5, 100000 samples.
design::Report LowPass()
{
    design::Request request;
    design::ToleranceRequest tolerance;
    tolerance.capacitors = 0.05;
    return design::MakeReport(request, std::nullopt, tolerance);
}

void BM_ToleranceJobToFinished(benchmark::State& state)
{
    const design::Report report = LowPass();
    const design::Design& d = report.design;
    designer::ToleranceJob job;
    QEventLoop loop;
    QObject::connect(&job, &designer::ToleranceJob::finished, &loop, &QEventLoop::quit);
    for (auto _ : state) {
        job.start(d.request.circuit, d.request.frequency, d.parts, *report.toleranceRequest);
        loop.exec();
    }
}
BENCHMARK(BM_ToleranceJobToFinished)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same samples and figures on the calling thread, for what the thread and the queued
// signals add.
void BM_ToleranceSamplesDirect(benchmark::State& state)
{
    const design::Report report = LowPass();
    const design::Design& d = report.design;
    for (auto _ : state) {
        auto errors = design::ToleranceErrors(d.request.circuit, d.request.frequency, d.parts,
                                              *report.toleranceRequest, [](long) { return true; });
        benchmark::DoNotOptimize(design::FiguresOf(*errors));
    }
}
BENCHMARK(BM_ToleranceSamplesDirect)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_HistogramTakesAndPaints(benchmark::State& state)
{
    const design::Report report = LowPass();
    const design::Design& d = report.design;
    std::vector<double> errors =
        *design::ToleranceErrors(d.request.circuit, d.request.frequency, d.parts,
                                 *report.toleranceRequest, [](long) { return true; });
    const design::ToleranceFigures figures = design::FiguresOf(errors);
    designer::HistogramView view;
    view.resize(640, 300);
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        view.setSamples(errors, figures);
        view.render(&image);
    }
}
BENCHMARK(BM_HistogramTakesAndPaints)->Unit(benchmark::kMillisecond);

// One paint at 900 x 600 logical pixels, at device pixel ratio 1 or 2.
void BM_BodeViewPaint(benchmark::State& state)
{
    const qreal ratio = qreal(state.range(0));
    designer::BodeView view;
    view.resize(900, 600);
    view.setReport(LowPass());
    QImage image(view.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    for (auto _ : state)
        view.render(&image);
}
BENCHMARK(BM_BodeViewPaint)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// A new design: its curves at the view's density.
void BM_BodeViewSetReport(benchmark::State& state)
{
    const design::Report report = LowPass();
    designer::BodeView view;
    for (auto _ : state)
        view.setReport(report);
}
BENCHMARK(BM_BodeViewSetReport)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
