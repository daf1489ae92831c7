// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// A plot whose points can be read: the point under the mouse pointer, or else at a keyboard
// cursor (Left and Right by a step, Home, End), is written out by the plot and given to screen
// readers as the widget's accessible description. A plot of a design the inputs no longer
// describe is washed out.
#pragma once

#include <optional>

#include <QtWidgets/QWidget>

#include "designer/plots/plot_look.h"

namespace designer {

class ReadingPlot : public QWidget {
    Q_OBJECT

public:
    // The inputs no longer read: the plot still shows the last good design, washed out.
    void setStale(bool stale);
    bool isStale() const { return stale_; }

    // The index of the point read, nullopt while there is nothing to read.
    std::optional<int> readIndex() const;
    // The point read as the plot writes it.
    virtual QString readout() const = 0;

protected:
    ReadingPlot(int cursorStep, QWidget* parent);

    // How many points there are to read (0: none).
    virtual int pointCount() const = 0;
    // The point under the pointer at `at`, nullopt off the plot.
    virtual std::optional<int> pointAt(QPointF at) const = 0;
    // Draws on the background filled and framed for focus, with the pen in the text colour;
    // `shown` are the colours washed out when stale, `normal` those of texts that stay
    // readable.
    virtual void paintPlot(QPainter& painter, const PlotColours& shown,
                           const PlotColours& normal) = 0;

    // The keyboard cursor placed at `index`, the pointer's point forgotten.
    void placeCursor(int index);
    // The reading or the points changed: said to screen readers and drawn again.
    void readingChanged();

    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    const int cursorStep_;
    int cursor_ = 0;
    std::optional<int> hover_;
    bool stale_ = false;
};

}  // namespace designer
