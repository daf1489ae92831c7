// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Designer window benchmark, side by side in one run:
// - a changed field: offscreen at 1366x768, from the delivery of a key event to the end of
//   the last paint it causes (parts, figures and plot), `keys` keys into the frequency field
//   of `lowpass 100 33k --series E96 --move-value E24:3 --opamp 1Meg`, once with each results
//   tab shown (goal: p99 within one 60 Hz frame, 16.7 ms);
// - 100,000 tolerance samples: from the change until the histogram shows them (goal:
//   100 ms);
// - start-up: the designer, the calculator and an empty Qt window launched in turn with the
//   first-frame probe, medians of the time to the first frame and of the peak memory (goals:
//   1.5x the calculator's first frame, 1.4x the empty window's memory).
//
// Usage: bench_designer_window [runs] [keys]   (defaults 21 and 1000)
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <QtCore/QElapsedTimer>
#include <QtTest/QSignalSpy>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QTabWidget>

#include "bench/window/launch.h"
#include "designer/designer_window.h"

namespace {

using bench::Launch, bench::Median, bench::Percentile;

struct Series {
    std::vector<double> frameMs, peakMiB;
};

bool MeasureStart(int runs, std::vector<std::pair<std::vector<std::string>, Series*>> programs)
{
    const int warmUp = 3;
    for (int i = -warmUp; i < runs; ++i)
        for (std::size_t k = 0; k < programs.size(); ++k) {
            // Rotate the order so that each sees the same load and cache state.
            auto& [args, series] = programs[(k + std::size_t(i + warmUp)) % programs.size()];
            Launch launch;
            if (!bench::Run(args, launch)) {
                std::fprintf(stderr, "%s did not report its first frame\n", args[0].c_str());
                return false;
            }
            if (i >= 0) {
                series->frameMs.push_back(launch.firstFrameMs);
                series->peakMiB.push_back(launch.peakMiB);
            }
        }
    return true;
}

design::Settings BenchDesign()
{
    design::Settings inputs;
    inputs.series = design::Series::E96;
    inputs.moveSeries = design::Series::E24;
    inputs.moveSteps = "3";
    inputs.gbw = "1Meg";
    return inputs;
}

// A digit typed and taken back in turn, so that every key gives a new design, with the
// results tab `tab` shown.
std::vector<double> MeasureKeys(int keys, int tab, QString& tabName)
{
    designer::DesignerWindow window(BenchDesign());
    window.resize(1366, 768);
    window.show();
    std::vector<double> ms;
    if (!QTest::qWaitForWindowExposed(&window))
        return ms;
    auto* tabs = window.findChild<QTabWidget*>();
    if (tab >= tabs->count())
        return ms;
    tabs->setCurrentIndex(tab);
    tabName = tabs->tabText(tab).remove(QLatin1Char('&'));
    auto* frequency = qobject_cast<QLineEdit*>(window.fieldWidget(design::Setting::Frequency));
    frequency->setFocus();
    frequency->end(false);
    QElapsedTimer timer;
    for (int i = 0; i < keys; ++i) {
        const std::string before = window.inputs().frequency;
        timer.start();
        if (i % 2 == 0)
            QTest::keyClick(frequency, Qt::Key_1);
        else
            QTest::keyClick(frequency, Qt::Key_Backspace);
        // The paints a change asks for are posted: delivered here, the frame is done.
        QCoreApplication::processEvents();
        ms.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (window.inputs().frequency == before || window.stale()) {
            std::fprintf(stderr, "a key did not give a new design\n");
            return {};
        }
    }
    return ms;
}

std::vector<double> MeasureTolerance(int repeats)
{
    design::Settings inputs;
    inputs.toleranceR = "1";
    inputs.toleranceC = "5";
    designer::DesignerWindow window(inputs);
    window.resize(1366, 768);
    window.show();
    std::vector<double> ms;
    QSignalSpy shown(&window, &designer::DesignerWindow::toleranceShown);
    auto* seed = qobject_cast<QLineEdit*>(window.fieldWidget(design::Setting::Seed));
    QElapsedTimer timer;
    for (int i = 0; i < repeats; ++i) {
        shown.clear();
        timer.start();
        seed->setText(QString::number(i + 1));
        if (!shown.wait(10000)) {
            std::fprintf(stderr, "the tolerance samples were not shown within 10 s\n");
            return {};
        }
        ms.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    return ms;
}

}  // namespace

int main(int argc, char* argv[])
{
    const int runs = argc > 1 ? std::atoi(argv[1]) : 21;
    const int keys = argc > 2 ? std::atoi(argv[2]) : 1000;
    if (runs < 1 || keys < 2) {
        std::fprintf(stderr, "usage: bench_designer_window [runs] [keys]\n");
        return 2;
    }

    // Start-up first: a child started while this process holds a window would inherit its
    // resident size as its own peak.
    Series designerSeries, calculator, empty;
    if (!MeasureStart(runs,
                      {{{BUTTERWORTH3_DESIGNER_PROGRAM, "lowpass", "100", "33k"}, &designerSeries},
                       {{BUTTERWORTH3_PROGRAM}, &calculator},
                       {{EMPTY_WINDOW_PROGRAM}, &empty}}))
        return 1;
    std::printf("start-up, offscreen, medians of %d runs each\n", runs);
    std::printf("  %-14s %18s %14s\n", "", "first frame (ms)", "peak RSS (MiB)");
    for (const auto& [name, series] :
         {std::pair{"designer", &designerSeries}, std::pair{"calculator", &calculator},
          std::pair{"empty window", &empty}})
        std::printf("  %-14s %18.2f %14.2f\n", name, Median(series->frameMs),
                    Median(series->peakMiB));
    std::printf("  designer / calculator first frame %.2fx (goal 1.5x), designer / empty window "
                "memory %.3fx (goal 1.4x)\n",
                Median(designerSeries.frameMs) / Median(calculator.frameMs),
                Median(designerSeries.peakMiB) / Median(empty.peakMiB));
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("XDG_CONFIG_HOME", QByteArray(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") +
                                   "/bench-designer-config");
    {
        QApplication app(argc, argv);
        std::printf("a changed field to its last paint, %d keys, 1366x768 (goal: p99 16.7 ms)\n",
                    keys);
        QString tabName;
        for (int tab = 0;; ++tab) {
            const std::vector<double> keyMs = MeasureKeys(keys, tab, tabName);
            if (keyMs.empty() && tab == 0)
                return 1;
            if (keyMs.empty())
                break;
            std::printf("  %-20s median %7.2f ms   p99 %7.2f ms   max %7.2f ms\n",
                        qPrintable(tabName), Median(keyMs), Percentile(keyMs, 0.99),
                        Percentile(keyMs, 1.0));
        }
        const std::vector<double> toleranceMs = MeasureTolerance(21);
        if (toleranceMs.empty())
            return 1;
        std::printf("100,000 tolerance samples shown after a change, 21 changes (goal: 100 ms)\n");
        std::printf("  median %7.2f ms   max %7.2f ms\n", Median(toleranceMs),
                    Percentile(toleranceMs, 1.0));
    }

    return 0;
}
