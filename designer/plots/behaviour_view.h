// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// One of the report's behaviour panels in the window: the unit step response, or the group
// delay of a low-pass, from the same curves (design::outputs::BehaviourPanelsOf); the ideal
// follower dashed and the op-amp model solid when one was given. The value under the mouse
// pointer or at a keyboard cursor (Left, Right, Home, End) is shown and given to screen
// readers as the widget's accessible description, as the Bode plot does.
#pragma once

#include <optional>

#include <QtWidgets/QWidget>

#include "design/outputs/behaviour_plot.h"
#include "design/report.h"

namespace designer {

class BehaviourView : public QWidget {
    Q_OBJECT

public:
    using Kind = design::outputs::BehaviourPanel::Kind;
    // Points of a curve: a smooth line at any width a screen has.
    static constexpr int Points = 801;
    static constexpr int CursorStep = 10;

    explicit BehaviourView(Kind kind, QWidget* parent = nullptr);

    void setReport(const design::Report& report);
    // The inputs no longer read: the plot still shows the last good design, washed out.
    void setStale(bool stale);

    // The point read: under the pointer, or else at the cursor.
    struct Reading {
        double x;                     // s or Hz
        double value;                 // V or s: the op-amp model's when given, else the ideal's
        std::optional<double> ideal;  // the ideal follower's beside a model
    };
    std::optional<Reading> reading() const;
    QString readout() const;
    // The curves shown, when the design has this panel (a high-pass has no group delay).
    const design::outputs::BehaviourPanel* panel() const;

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
    std::optional<int> ReadIndex() const;

    Kind kind_;
    bool designed_ = false;
    std::optional<design::outputs::BehaviourPanel> panel_;
    int cursor_ = 0;
    std::optional<int> hover_;
    bool stale_ = false;
};

}  // namespace designer
