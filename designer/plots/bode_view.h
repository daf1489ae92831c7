// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The Bode plot of a design, as the SVG plot draws it: magnitude, phase and deviation from
// the target over f/100 ... 100 f on a log axis, the target dashed and the designed circuit
// solid, markers at f and the realised f3. The frequency, gain and phase under the mouse
// pointer or at a keyboard cursor (Left, Right, Home, End) are shown and given to screen
// readers as the widget's accessible description.
#pragma once

#include <optional>

#include <QtWidgets/QWidget>

#include "design/outputs/plot.h"
#include "design/report.h"

namespace designer {

class BodeView : public QWidget {
    Q_OBJECT

public:
    // Dense enough for a smooth curve at any width a screen has.
    static constexpr int PointsPerDecade = 200;
    // The keyboard cursor's step: the SVG plot's points, 50 a decade.
    static constexpr int CursorStep = PointsPerDecade / design::outputs::PlotPointsPerDecade;

    explicit BodeView(QWidget* parent = nullptr);

    void setReport(const design::Report& report);
    // The inputs no longer read: the plot still shows the last good design, washed out.
    void setStale(bool stale);
    bool isStale() const { return stale_; }

    // What the read-out shows: the design's point under the pointer, or else at the cursor.
    struct Reading {
        double frequency;  // Hz
        double gainDb;
        double phaseDegrees;
    };
    std::optional<Reading> reading() const;
    QString readout() const;
    // The index of the read point in BodeCurvesOf(report, PointsPerDecade).
    std::optional<int> readIndex() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void Paint();
    void ReadingChanged();

    std::optional<design::outputs::BodeCurves> curves_;
    int cursor_ = 0;
    std::optional<int> hover_;
    bool stale_ = false;
};

}  // namespace designer
