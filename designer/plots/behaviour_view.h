// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// One of the report's behaviour panels in the window: the unit step response, or the group
// delay of a low-pass, from the same curves (design::outputs::BehaviourPanelsOf); the ideal
// follower dashed and the op-amp model solid when one was given. The point read gives its
// time or frequency and its value.
#pragma once

#include <optional>

#include "design/outputs/behaviour_plot.h"
#include "design/report.h"
#include "designer/plots/reading_plot.h"

namespace designer {

class BehaviourView : public ReadingPlot {
    Q_OBJECT

public:
    using Kind = design::outputs::BehaviourPanel::Kind;
    // Points of a curve: a smooth line at any width a screen has.
    static constexpr int Points = 801;
    static constexpr int CursorStep = 10;

    explicit BehaviourView(Kind kind, QWidget* parent = nullptr);

    void setReport(const design::Report& report);

    // The point read: under the pointer, or else at the cursor.
    struct Reading {
        double x;                     // s or Hz
        double value;                 // V or s: the op-amp model's when given, else the ideal's
        std::optional<double> ideal;  // the ideal follower's beside a model
    };
    std::optional<Reading> reading() const;
    QString readout() const override;
    // The curves shown, when the design has this panel (a high-pass has no group delay).
    const design::outputs::BehaviourPanel* panel() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    int pointCount() const override;
    std::optional<int> pointAt(QPointF at) const override;
    void paintPlot(QPainter& painter, const PlotColours& shown, const PlotColours& normal) override;

private:
    Kind kind_;
    bool designed_ = false;
    std::optional<design::outputs::BehaviourPanel> panel_;
};

}  // namespace designer
