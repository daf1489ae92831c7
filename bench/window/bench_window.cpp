// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Window benchmark. Start-up: launches the window program and an empty Qt window in turn,
// many times, each with the first-frame probe switched on (ui/first_frame.h), and reports
// the medians of launch-to-first-frame time and of peak resident memory, side by side.
// Go: in this process, the latency of a click on Go until the result labels hold their new
// texts, and until the window has repainted them.
//
// Usage: bench_window [runs] [go-clicks]   (defaults 41 and 2000; offscreen platform)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <QtCore/QElapsedTimer>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>

#include "bench/window/launch.h"
#include "calc/input_checks.h"
#include "ui/first_frame.h"
#include "ui/form_definition.h"
#include "ui/tform1.h"
#include "ui/window_look.h"

namespace {

using bench::Launch, bench::Median, bench::Percentile;

struct Series {
    std::vector<double> frameMs, peakMiB;
};

bool MeasureStart(int runs, Series& window, Series& empty)
{
    const int warmUp = 3;
    for (int i = -warmUp; i < runs; ++i) {
        // Alternate the order so that both see the same load and cache state.
        const char* first = i % 2 ? BUTTERWORTH3_PROGRAM : EMPTY_WINDOW_PROGRAM;
        const char* second = i % 2 ? EMPTY_WINDOW_PROGRAM : BUTTERWORTH3_PROGRAM;
        for (const char* program : {first, second}) {
            Launch launch;
            if (!bench::Run({program}, launch)) {
                std::fprintf(stderr, "%s did not report its first frame\n", program);
                return false;
            }
            if (i < 0)
                continue;
            Series& series = program == std::string_view(BUTTERWORTH3_PROGRAM) ? window : empty;
            series.frameMs.push_back(launch.firstFrameMs);
            series.peakMiB.push_back(launch.peakMiB);
        }
    }
    return true;
}

// Alternates the frequency between two values so that every click writes new texts.
void MeasureGo(int clicks, std::vector<double>& labelsUs, std::vector<double>& paintedUs)
{
    calc::CalcState state;
    ui::TForm1 form(state);
    form.show();
    form.activateWindow();
    if (!QTest::qWaitForWindowExposed(&form))
        return;
    auto* frequency = form.findChild<QLineEdit*>(QStringLiteral("Edit1"));
    auto* go = form.findChild<QPushButton*>(QStringLiteral("Button2"));
    auto* c1 = form.findChild<QLabel*>(QStringLiteral("Label7"));
    const QString frequencies[] = {QStringLiteral("100"), QStringLiteral("1000")};
    QElapsedTimer timer;
    for (int i = 0; i < clicks; ++i) {
        frequency->setText(frequencies[i % 2]);
        QCoreApplication::processEvents();
        const QString before = c1->text();
        timer.start();
        QTest::mouseClick(go, Qt::LeftButton);
        const qint64 labels = timer.nsecsElapsed();
        QCoreApplication::processEvents();
        const qint64 painted = timer.nsecsElapsed();
        if (c1->text() == before) {
            std::fprintf(stderr, "Go did not change the results\n");
            return;
        }
        labelsUs.push_back(double(labels) / 1e3);
        paintedUs.push_back(double(painted) / 1e3);
    }
}

}  // namespace

int main(int argc, char* argv[])
{
    const int runs = argc > 1 ? std::atoi(argv[1]) : 41;
    const int clicks = argc > 2 ? std::atoi(argv[2]) : 2000;
    if (runs < 1 || clicks < 1) {
        std::fprintf(stderr, "usage: bench_window [runs] [go-clicks]\n");
        return 2;
    }

    Series window, empty;
    if (!MeasureStart(runs, window, empty))
        return 1;
    const double frame = Median(window.frameMs), emptyFrame = Median(empty.frameMs);
    const double peak = Median(window.peakMiB), emptyPeak = Median(empty.peakMiB);
    std::printf("start-up, offscreen, medians of %d runs each\n", runs);
    std::printf("  %-14s %18s %14s\n", "", "first frame (ms)", "peak RSS (MiB)");
    std::printf("  %-14s %18.2f %14.2f\n", "butterworth3", frame, peak);
    std::printf("  %-14s %18.2f %14.2f\n", "empty window", emptyFrame, emptyPeak);
    std::printf("  %-14s %17.2fx %13.3fx   (goals: 2.2x, 1.25x)\n", "ratio", frame / emptyFrame,
                peak / emptyPeak);

    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ui::SetApplicationLook(ui::Form1Window());
    std::vector<double> labelsUs, paintedUs;
    MeasureGo(clicks, labelsUs, paintedUs);
    if (labelsUs.size() != std::size_t(clicks))
        return 1;
    std::printf("Go click, %d clicks (goal: under 1000 us)\n", clicks);
    std::printf("  click to updated labels:   median %8.1f us   p99 %8.1f us\n", Median(labelsUs),
                Percentile(labelsUs, 0.99));
    std::printf("  click to repainted window: median %8.1f us   p99 %8.1f us\n", Median(paintedUs),
                Percentile(paintedUs, 0.99));
    return 0;
}
