// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "designer/plots/behaviour_view.h"

#include <algorithm>
#include <cmath>

#include <QtGui/QPainter>

#include "designer/plots/shown_numbers.h"

namespace designer {
namespace {

using design::outputs::BehaviourPanel;

// Where everything goes, and the scales of the one panel.
struct Layout {
    QRectF readout;
    QRectF title;
    QRectF plot;
    QRectF xLabels;
    QRectF legend;
    double xLow = 0, xHigh = 1;  // log10 of Hz, or seconds
    double low = 0, high = 1;    // the values at the bottom and the top
    bool logX = false;

    double Position(double x) const { return logX ? std::log10(x) : x; }
    double X(double x) const
    {
        return plot.left() + (Position(x) - xLow) / (xHigh - xLow) * plot.width();
    }
    double Y(double v) const { return plot.top() + (high - v) / (high - low) * plot.height(); }
};

Layout LayoutOf(const QRect& rect, const QFont& font, const BehaviourPanel& panel)
{
    const QFontMetricsF fm(font);
    const double line = fm.height();
    const QRectF area = QRectF(rect).adjusted(6, 4, -10, -4);
    Layout l;
    const double left = area.left() + fm.horizontalAdvance(QStringLiteral("\u2212000.000 ms")) + 6;
    l.readout = QRectF(area.left(), area.top(), area.width(), line);
    l.title = QRectF(left, l.readout.bottom() + 4, area.right() - left, line);
    l.legend = QRectF(left, area.bottom() - line, area.right() - left, line);
    l.xLabels = QRectF(left, l.legend.top() - line - 4, area.right() - left, line);
    const double top = l.title.bottom() + 2;
    l.plot = QRectF(left, top, std::max(1.0, area.right() - left),
                    std::max(3.0, l.xLabels.top() - line / 2 - top));
    l.logX = panel.logX;
    l.xLow = l.Position(panel.x.front());
    l.xHigh = l.Position(panel.x.back());
    if (!(l.xHigh > l.xLow))
        l.xHigh = l.xLow + 1;
    // The report's range: the curves' finite values and a twentieth more on each side.
    double low = 1e300, high = -1e300;
    for (const std::vector<double>& curve : panel.curves)
        for (const double v : curve)
            if (std::isfinite(v))
                low = std::min(low, v), high = std::max(high, v);
    if (!(high >= low))
        low = 0, high = 1;
    if (!(high > low))
        high = low + 1;
    const double margin = (high - low) * 0.05;
    l.low = low - margin;
    l.high = high + margin;
    return l;
}

QString ValueText(const BehaviourPanel& panel, double v, double step)
{
    if (panel.kind == BehaviourPanel::Kind::GroupDelay)
        return ShownQuantity(v, "s", 3);
    // Volts, as the title says.
    return ShownDecimal(v, step < 0.01 ? 3 : step < 0.1 ? 2 : 1);
}

QString Title(BehaviourView::Kind kind)
{
    return kind == BehaviourView::Kind::Step ? BehaviourView::tr("Unit step response, V")
                                             : BehaviourView::tr("Group delay");
}

}  // namespace

BehaviourView::BehaviourView(Kind kind, QWidget* parent)
    : ReadingPlot(CursorStep, parent), kind_(kind)
{
    setAccessibleName(kind == Kind::Step ? tr("Step response") : tr("Group delay"));
    setAccessibleDescription(readout());
}

void BehaviourView::setReport(const design::Report& report)
{
    designed_ = true;
    panel_.reset();
    for (BehaviourPanel& panel : design::outputs::BehaviourPanelsOf(report, Points))
        if (panel.kind == kind_)
            panel_ = std::move(panel);
    // The step at its overshoot's peak (a high-pass: its swing below 0), the delay at f, the
    // middle of its four decades.
    int cursor = Points / 2;
    if (panel_ && kind_ == Kind::Step) {
        const std::vector<double>& shown = panel_->curves.back();
        const bool lowPass = report.design.request.circuit == design::Circuit::LowPass;
        const auto peak = lowPass ? std::max_element(shown.begin(), shown.end())
                                  : std::min_element(shown.begin(), shown.end());
        cursor = int(peak - shown.begin());
    }
    placeCursor(cursor);
    readingChanged();
}

const design::outputs::BehaviourPanel* BehaviourView::panel() const
{
    return panel_ ? &*panel_ : nullptr;
}

int BehaviourView::pointCount() const
{
    return panel_ ? Points : 0;
}

std::optional<BehaviourView::Reading> BehaviourView::reading() const
{
    const std::optional<int> index = readIndex();
    if (!index)
        return std::nullopt;
    const auto i = static_cast<std::size_t>(*index);
    Reading r{panel_->x[i], panel_->curves.back()[i], std::nullopt};
    if (panel_->curves.size() > 1)
        r.ideal = panel_->curves.front()[i];
    return r;
}

QString BehaviourView::readout() const
{
    if (!designed_)
        return tr("No design");
    if (!panel_)
        return tr("A high-pass has no group delay to show: it passes no band from DC.");
    const Reading r = *reading();
    const auto value = [this](double v) {
        return kind_ == Kind::Step ? ShownDecimal(v, 4) + QStringLiteral(" V")
                                   : ShownQuantity(v, "s", 4);
    };
    const QString at = kind_ == Kind::Step ? tr("%1 after the step").arg(ShownQuantity(r.x, "s", 4))
                                           : ShownQuantity(r.x, "Hz", 4);
    return r.ideal ? tr("%1: %2 with the op-amp, %3 with an ideal one")
                         .arg(at, value(r.value), value(*r.ideal))
                   : tr("%1: %2").arg(at, value(r.value));
}

// Two share a tab, one above the other.
QSize BehaviourView::sizeHint() const
{
    return {640, 240};
}

QSize BehaviourView::minimumSizeHint() const
{
    const QFontMetrics fm = fontMetrics();
    return {fm.horizontalAdvance(QLatin1Char('0')) * 44, fm.height() * 9};
}

void BehaviourView::paintPlot(QPainter& p, const PlotColours& c, const PlotColours& normal)
{
    if (!panel_) {
        p.drawText(rect().adjusted(12, 0, -12, 0), Qt::AlignCenter | Qt::TextWordWrap, readout());
        return;
    }
    const BehaviourPanel& panel = *panel_;
    const Layout l = LayoutOf(rect(), font(), panel);
    const QFontMetricsF fm(font());
    p.drawText(l.readout, Qt::AlignLeft | Qt::AlignVCenter, readout());
    if (isStale())
        DrawStaleNote(p, l.readout, normal);
    p.drawText(l.title, Qt::AlignLeft | Qt::AlignVCenter, Title(kind_));

    // The grid and its labels: values in 1-2-5 steps; decades of Hz, or steps of time.
    const QPen gridPen(c.grid, 1), strongPen(c.grid.darker(125), 1);
    const int most = std::max(1, int(l.plot.height() / (1.5 * fm.height())));
    const double step = NiceStep(l.high - l.low, most);
    for (double line = std::ceil(l.low / step - 1e-9); line * step <= l.high + 1e-9; ++line) {
        const double v = line * step + 0.0;  // 0 exactly, never -0, where the grid crosses it
        p.setPen(line == 0 ? strongPen : gridPen);
        p.drawLine(QPointF(l.plot.left(), l.Y(v)), QPointF(l.plot.right(), l.Y(v)));
        p.setPen(normal.text);
        p.drawText(QRectF(0, l.Y(v) - fm.height() / 2, l.plot.left() - 4, fm.height()),
                   Qt::AlignRight | Qt::AlignVCenter, ValueText(panel, v, step));
    }
    std::vector<double> ticks;
    if (l.logX) {
        for (double d = std::pow(10.0, std::ceil(l.xLow - 1e-9)); std::log10(d) <= l.xHigh + 1e-9;
             d *= 10)
            ticks.push_back(d);
    } else {
        const int columns = std::max(1, int(l.plot.width() / (8 * fm.averageCharWidth())));
        const double dt = NiceStep(l.xHigh - l.xLow, columns);
        for (double t = 0; t <= l.xHigh * (1 + 1e-9); t += dt)
            ticks.push_back(t);
    }
    double free = l.plot.left();
    for (const double x : ticks) {
        p.setPen(strongPen);
        p.drawLine(QPointF(l.X(x), l.plot.top()), QPointF(l.X(x), l.plot.bottom()));
        const QString label = ShownQuantity(x, l.logX ? "Hz" : "s", 3);
        const double width = fm.horizontalAdvance(label);
        const double at = std::clamp(l.X(x) - width / 2, l.plot.left(), l.plot.right() - width);
        if (at < free)
            continue;
        p.setPen(normal.text);
        p.drawText(QRectF(at, l.xLabels.top(), width + 1, l.xLabels.height()),
                   Qt::AlignLeft | Qt::AlignVCenter, label);
        free = at + width + fm.horizontalAdvance(QStringLiteral("  "));
    }
    p.setPen(QPen(c.frame, 1));
    p.drawRect(l.plot);

    // The curves, a gap where a value does not compute; the ideal follower dashed beside a
    // model.
    QPen dashed(c.target, 1.6);
    dashed.setDashPattern({6 / 1.6, 4 / 1.6});
    const QPen solid(c.design, 1.6);
    p.save();
    p.setClipRect(l.plot);
    for (std::size_t k = 0; k < panel.curves.size(); ++k) {
        p.setPen(panel.curves.size() > 1 && k == 0 ? dashed : solid);
        QPolygonF run;
        const auto flush = [&] {
            if (run.size() > 1)
                p.drawPolyline(run);
            run.clear();
        };
        for (std::size_t i = 0; i < panel.x.size(); ++i) {
            const double v = panel.curves[k][i];
            if (!std::isfinite(v)) {
                flush();
                continue;
            }
            run << QPointF(l.X(panel.x[i]), l.Y(v));
        }
        flush();
    }
    p.restore();

    // The point read: a line across and a ring on the shown value.
    const Reading r = *reading();
    p.setPen(QPen(c.frame, 1));
    p.drawLine(QPointF(l.X(r.x), l.plot.top()), QPointF(l.X(r.x), l.plot.bottom()));
    if (std::isfinite(r.value)) {
        p.setPen(solid);
        p.setBrush(c.background);
        p.drawEllipse(QPointF(l.X(r.x), l.Y(r.value)), 3, 3);
        p.setBrush(Qt::NoBrush);
    }

    if (panel.curves.size() > 1) {
        const double y = l.legend.center().y();
        const QString ideal = tr("ideal op-amp");
        const double next = l.legend.left() + 30 + fm.horizontalAdvance(ideal) + 16;
        p.setPen(dashed);
        p.drawLine(QPointF(l.legend.left(), y), QPointF(l.legend.left() + 24, y));
        p.setPen(solid);
        p.drawLine(QPointF(next, y), QPointF(next + 24, y));
        p.setPen(normal.text);
        p.drawText(l.legend.adjusted(30, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, ideal);
        p.drawText(
            QRectF(next + 30, l.legend.top(), l.legend.right() - next - 30, l.legend.height()),
            Qt::AlignLeft | Qt::AlignVCenter, tr("the op-amp given"));
    }
}

std::optional<int> BehaviourView::pointAt(QPointF at) const
{
    const Layout l = LayoutOf(rect(), font(), *panel_);
    if (at.x() < l.plot.left() - 4 || at.x() > l.plot.right() + 4 || at.y() < l.plot.top() ||
        at.y() > l.plot.bottom())
        return std::nullopt;
    const double share = (at.x() - l.plot.left()) / l.plot.width();
    return std::clamp(int(std::lround(share * (Points - 1))), 0, Points - 1);
}

}  // namespace designer
