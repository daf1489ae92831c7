// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The Bode plot of a design, as the SVG plot draws it: magnitude, phase and deviation from
// the target over f/100 ... 100 f on a log axis, the target dashed and the designed circuit
// solid, markers at f and the realised f3. The point read gives its frequency, gain and
// phase.
#pragma once

#include <optional>

#include "design/outputs/plot.h"
#include "design/report.h"
#include "designer/plots/reading_plot.h"

namespace designer {

class BodeView : public ReadingPlot {
    Q_OBJECT

public:
    // Dense enough for a smooth curve at any width a screen has.
    static constexpr int PointsPerDecade = 200;
    // The keyboard cursor's step: the SVG plot's points, 50 a decade.
    static constexpr int CursorStep = PointsPerDecade / design::outputs::PlotPointsPerDecade;

    explicit BodeView(QWidget* parent = nullptr);

    void setReport(const design::Report& report);

    // What the read-out shows: the design's point under the pointer, or else at the cursor.
    struct Reading {
        double frequency;  // Hz
        double gainDb;
        double phaseDegrees;
    };
    std::optional<Reading> reading() const;
    QString readout() const override;
    // readIndex(): the read point's in BodeCurvesOf(report, PointsPerDecade).

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    int pointCount() const override;
    std::optional<int> pointAt(QPointF at) const override;
    void paintPlot(QPainter& painter, const PlotColours& shown, const PlotColours& normal) override;

private:
    std::optional<design::outputs::BodeCurves> curves_;
};

}  // namespace designer
