// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "designer/plots/reading_plot.h"

#include <algorithm>

#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QStyle>
#include <QtWidgets/QStyleOptionFocusRect>

namespace designer {

ReadingPlot::ReadingPlot(int cursorStep, QWidget* parent) : QWidget(parent), cursorStep_(cursorStep)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
}

void ReadingPlot::setStale(bool stale)
{
    if (stale == stale_)
        return;
    stale_ = stale;
    update();
}

std::optional<int> ReadingPlot::readIndex() const
{
    if (pointCount() == 0)
        return std::nullopt;
    return hover_ ? *hover_ : cursor_;
}

void ReadingPlot::placeCursor(int index)
{
    cursor_ = index;
    hover_.reset();
}

void ReadingPlot::readingChanged()
{
    setAccessibleDescription(readout());
    update();
}

void ReadingPlot::paintEvent(QPaintEvent*)
{
    WithoutThrowing([this] {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const PlotColours normal = PlotColoursFor(palette());
        const PlotColours shown = stale_ ? Faded(normal) : normal;
        painter.fillRect(rect(), shown.background);
        if (hasFocus()) {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            focus.backgroundColor = shown.background;
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
        }
        painter.setPen(normal.text);
        paintPlot(painter, shown, normal);
    });
}

void ReadingPlot::keyPressEvent(QKeyEvent* event)
{
    const int last = pointCount() - 1;
    if (last < 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Left: placeCursor(std::max(0, cursor_ - cursorStep_)); break;
    case Qt::Key_Right: placeCursor(std::min(last, cursor_ + cursorStep_)); break;
    case Qt::Key_Home: placeCursor(0); break;
    case Qt::Key_End: placeCursor(last); break;
    default: QWidget::keyPressEvent(event); return;
    }
    WithoutThrowing([this] { readingChanged(); });
}

void ReadingPlot::mouseMoveEvent(QMouseEvent* event)
{
    if (pointCount() == 0)
        return;
    const std::optional<int> index = pointAt(event->position());
    if (index != hover_) {
        hover_ = index;
        WithoutThrowing([this] { readingChanged(); });
    }
}

void ReadingPlot::leaveEvent(QEvent*)
{
    if (hover_) {
        hover_.reset();
        WithoutThrowing([this] { readingChanged(); });
    }
}

}  // namespace designer
