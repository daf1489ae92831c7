// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "designer/plots/bode_view.h"

#include <algorithm>
#include <array>
#include <cmath>

#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <QtWidgets/QStyle>
#include <QtWidgets/QStyleOptionFocusRect>

#include "designer/plots/plot_look.h"

namespace designer {
namespace {

using design::outputs::BodeCurves;

constexpr double FloorDb = -80;
const double HalfPowerDb = -10 * std::log10(2.0);

// A panel's place and the values at its top and bottom edges.
struct Panel {
    QRectF rect;
    double high = 1;
    double low = 0;
    double Y(double v) const { return rect.top() + (high - v) / (high - low) * rect.height(); }
};

// The value ranges of the SVG plot: the magnitude from its peak (at least 0 dB) down to
// -80 dB, the phase in whole quadrants, the deviation in a 1-2-5 step around its largest.
std::array<std::pair<double, double>, 3> RangesOf(const BodeCurves& c)
{
    const double peak = *std::max_element(c.designDb.begin(), c.designDb.end());
    const auto [lowDesign, highDesign] =
        std::minmax_element(c.designPhase.begin(), c.designPhase.end());
    const auto [lowTarget, highTarget] =
        std::minmax_element(c.targetPhase.begin(), c.targetPhase.end());
    double phaseHigh = 90 * std::ceil(std::max(*highDesign, *highTarget) / 90 - 1e-9);
    const double phaseLow = 90 * std::floor(std::min(*lowDesign, *lowTarget) / 90 + 1e-9);
    phaseHigh = std::max(phaseHigh, phaseLow + 90);
    double deviation = 0.5;
    for (const double r : {1.0, 2.0, 5.0, 10.0, 20.0, 50.0})
        if (deviation < c.largestDeviation * 1.05)
            deviation = r;
    return {{{std::max(0.0, std::ceil(peak)), FloorDb},
             {phaseHigh, phaseLow},
             {deviation, -deviation}}};
}

QString PanelTitle(int panel)
{
    switch (panel) {
    case 0: return BodeView::tr("Magnitude, dB");
    case 1: return BodeView::tr("Phase, degrees");
    default: return BodeView::tr("Deviation from target, dB");
    }
}

}  // namespace

struct BodeView::Layout {
    QRectF readout;  // the top line
    std::array<Panel, 3> panels;
    QRectF frequencyLabels;
    QRectF legend;
    double logLow = 0;
    double left = 0;
    double width = 1;

    double X(double frequency) const
    {
        return left + (std::log10(frequency) - logLow) / design::outputs::PlotDecades * width;
    }
    double LogFrequencyAt(double x) const
    {
        return logLow + (x - left) / width * design::outputs::PlotDecades;
    }
};

BodeView::BodeView(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAccessibleName(tr("Bode plot"));
    setAccessibleDescription(readout());
}

void BodeView::setReport(const design::Report& report)
{
    const bool first = !curves_;
    curves_ = design::outputs::BodeCurvesOf(report, PointsPerDecade);
    if (first)
        cursor_ = 2 * PointsPerDecade;  // at f
    ReadingChanged();
}

void BodeView::setStale(bool stale)
{
    if (stale == stale_)
        return;
    stale_ = stale;
    update();
}

std::optional<int> BodeView::readIndex() const
{
    if (!curves_)
        return std::nullopt;
    return hover_ ? *hover_ : cursor_;
}

std::optional<BodeView::Reading> BodeView::reading() const
{
    const std::optional<int> index = readIndex();
    if (!index)
        return std::nullopt;
    const auto i = static_cast<std::size_t>(*index);
    return Reading{curves_->freq[i], curves_->designDb[i], curves_->designPhase[i]};
}

QString BodeView::readout() const
{
    const std::optional<Reading> r = reading();
    if (!r)
        return tr("No design");
    return tr("%1: gain %2 dB, phase %3°")
        .arg(WithUnit(r->frequency, "Hz", 4), Decimal(r->gainDb, 2), Decimal(r->phaseDegrees, 1));
}

void BodeView::ReadingChanged()
{
    setAccessibleDescription(readout());
    update();
}

QSize BodeView::sizeHint() const
{
    return {640, 480};
}

QSize BodeView::minimumSizeHint() const
{
    const QFontMetrics fm = fontMetrics();
    return {fm.horizontalAdvance(QLatin1Char('0')) * 44, fm.height() * 19};
}

BodeView::Layout BodeView::LayoutFor() const
{
    const QFontMetricsF fm(font());
    const double line = fm.height();
    const QRectF area = QRectF(rect()).adjusted(6, 4, -10, -4);
    Layout l;
    l.left = area.left() + fm.horizontalAdvance(QStringLiteral("\u2212000,00")) + 6;
    l.width = std::max(1.0, area.right() - l.left);
    l.readout = QRectF(area.left(), area.top(), area.width(), line);
    l.legend = QRectF(l.left, area.bottom() - line, l.width, line);
    l.frequencyLabels = QRectF(l.left, l.legend.top() - line - 4, l.width, line);
    // Below the read-out, each panel under its title line.
    const double top = l.readout.bottom() + 4;
    // The lowest value label reaches half a line below its panel.
    const double free = std::max(3.0, l.frequencyLabels.top() - line / 2 - top - 3 * (line + 2));
    const std::array<double, 3> shares = {0.46, 0.29, 0.25};
    double y = top;
    const auto ranges = RangesOf(*curves_);
    for (std::size_t i = 0; i < 3; ++i) {
        y += line + 2;
        const double height = free * shares[i];
        l.panels[i] = {QRectF(l.left, y, l.width, height), ranges[i].first, ranges[i].second};
        y += height;
    }
    l.logLow = std::log10(curves_->f / 100);
    return l;
}

void BodeView::paintEvent(QPaintEvent*)
{
    WithoutThrowing([this] { Paint(); });
}

void BodeView::Paint()
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const PlotColours normal = PlotColoursFor(palette());
    const PlotColours c = stale_ ? Faded(normal) : normal;
    painter.fillRect(rect(), c.background);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.backgroundColor = c.background;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
    if (!curves_) {
        painter.setPen(normal.text);
        painter.drawText(rect(), Qt::AlignCenter, readout());
        return;
    }
    const Layout l = LayoutFor();
    const BodeCurves& curves = *curves_;
    const QFontMetricsF fm(font());

    painter.setPen(normal.text);
    painter.drawText(l.readout, Qt::AlignLeft | Qt::AlignVCenter, readout());
    if (stale_)
        DrawStaleNote(painter, l.readout, normal);

    // Grids and value labels, then the frame of each panel and its title.
    const double fLow = curves.f / 100, fHigh = 100 * curves.f;
    const QPen gridPen(c.grid, 1), decadePen(c.grid.darker(125), 1);
    for (std::size_t i = 0; i < 3; ++i) {
        const Panel& p = l.panels[i];
        for (double decade = std::pow(10.0, std::floor(l.logLow)); decade <= fHigh * 1.0001;
             decade *= 10)
            for (const double m : {1.0, 2.0, 5.0}) {
                const double at = decade * m;
                if (at < fLow * 0.9999 || at > fHigh * 1.0001)
                    continue;
                painter.setPen(m == 1 ? decadePen : gridPen);
                painter.drawLine(QPointF(l.X(at), p.rect.top()), QPointF(l.X(at), p.rect.bottom()));
            }
        const double range = p.high - p.low;
        const int most = std::max(1, int(p.rect.height() / (1.5 * fm.height())));
        const double step =
            i == 1 ? 90 * std::max(0.5, NiceStep(range / 90, most)) : NiceStep(range, most);
        const int decimals = step < 0.1 ? 2 : step < 1 ? 1 : 0;
        for (double v = std::ceil(p.low / step - 1e-9) * step; v <= p.high + 1e-9; v += step) {
            painter.setPen(std::abs(v) < 1e-9 ? decadePen : gridPen);
            painter.drawLine(QPointF(p.rect.left(), p.Y(v)), QPointF(p.rect.right(), p.Y(v)));
            painter.setPen(normal.text);
            painter.drawText(QRectF(0, p.Y(v) - fm.height() / 2, p.rect.left() - 4, fm.height()),
                             Qt::AlignRight | Qt::AlignVCenter, Decimal(v, decimals));
        }
        painter.setPen(QPen(c.frame, 1));
        painter.drawRect(p.rect);
        painter.setPen(normal.text);
        painter.drawText(
            QRectF(p.rect.left(), p.rect.top() - fm.height() - 2, p.rect.width(), fm.height()),
            Qt::AlignLeft | Qt::AlignVCenter, PanelTitle(int(i)));
    }

    // Frequency labels at the decades, the ends kept within the panels' width, and one that
    // would touch the one before left out.
    painter.setPen(normal.text);
    double free = l.left;
    for (double decade = std::pow(10.0, std::ceil(l.logLow - 1e-9)); decade <= fHigh * 1.0001;
         decade *= 10) {
        const QString label = WithUnit(decade, "Hz", 3);
        const double width = fm.horizontalAdvance(label);
        const double x = std::clamp(l.X(decade) - width / 2, l.left, l.left + l.width - width);
        if (x < free)
            continue;
        painter.drawText(QRectF(x, l.frequencyLabels.top(), width + 1, l.frequencyLabels.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, label);
        free = x + width + fm.horizontalAdvance(QStringLiteral("  "));
    }

    // The curves, each clipped to its panel; far outside it the clip hides them anyway.
    QPen dashed(c.target, 1.6);
    dashed.setDashPattern({6 / 1.6, 4 / 1.6});
    const QPen designPen(c.design, 1.6);
    const auto curve = [&](const Panel& p, const std::vector<double>& values, const QPen& pen) {
        QPolygonF points;
        points.reserve(int(values.size()));
        for (std::size_t i = 0; i < values.size(); ++i)
            points << QPointF(l.X(curves.freq[i]),
                              std::clamp(p.Y(values[i]), p.rect.top() - 50, p.rect.bottom() + 50));
        painter.save();
        painter.setClipRect(p.rect);
        painter.setPen(pen);
        painter.drawPolyline(points);
        painter.restore();
    };
    const std::vector<double> zero(curves.freq.size(), 0.0);
    curve(l.panels[0], curves.targetDb, dashed);
    curve(l.panels[0], curves.designDb, designPen);
    curve(l.panels[1], curves.targetPhase, dashed);
    curve(l.panels[1], curves.designPhase, designPen);
    curve(l.panels[2], zero, dashed);
    curve(l.panels[2], curves.deviation, designPen);

    // f across all panels; the realised f3 as a dot at -3 dB, labelled on the stopband side.
    const double top = l.panels[0].rect.top(), bottom = l.panels[2].rect.bottom();
    QPen markerPen(c.marker, 1);
    markerPen.setDashPattern({2, 3});
    painter.setPen(markerPen);
    painter.drawLine(QPointF(l.X(curves.f), top), QPointF(l.X(curves.f), bottom));
    painter.setPen(c.marker);
    painter.drawText(QRectF(l.X(curves.f) - 20, top - fm.height() - 2, 40, fm.height()),
                     Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("f"));
    if (curves.f3 && *curves.f3 >= fLow && *curves.f3 <= fHigh) {
        const QPointF at(l.X(*curves.f3), l.panels[0].Y(HalfPowerDb));
        painter.setPen(Qt::NoPen);
        painter.setBrush(c.marker);
        painter.drawEllipse(at, 3.5, 3.5);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(c.marker);
        const bool toLeft = curves.designDb.front() < curves.designDb.back();  // high-pass
        const QRectF label(toLeft ? at.x() - 68 : at.x() + 8, at.y() + 4, 60, fm.height());
        painter.drawText(label, (toLeft ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop,
                         QStringLiteral("f3"));
    }

    // The read point: a line across the panels and a dot on each designed curve.
    const auto i = static_cast<std::size_t>(*readIndex());
    const double x = l.X(curves.freq[i]);
    painter.setPen(QPen(c.frame, 1));
    painter.drawLine(QPointF(x, top), QPointF(x, bottom));
    painter.setPen(QPen(c.design, 1.6));
    painter.setBrush(c.background);
    for (const auto& [panel, values] :
         {std::pair{0, &curves.designDb}, {1, &curves.designPhase}, {2, &curves.deviation}}) {
        const Panel& p = l.panels[std::size_t(panel)];
        const double y = p.Y((*values)[i]);
        if (y >= p.rect.top() && y <= p.rect.bottom())
            painter.drawEllipse(QPointF(x, y), 3, 3);
    }
    painter.setBrush(Qt::NoBrush);

    // Legend.
    const double legendY = l.legend.center().y();
    painter.setPen(dashed);
    painter.drawLine(QPointF(l.legend.left(), legendY), QPointF(l.legend.left() + 24, legendY));
    painter.setPen(normal.text);
    const QString target = tr("target");
    painter.drawText(l.legend.adjusted(30, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, target);
    const double next = l.legend.left() + 30 + fm.horizontalAdvance(target) + 16;
    painter.setPen(designPen);
    painter.drawLine(QPointF(next, legendY), QPointF(next + 24, legendY));
    painter.setPen(normal.text);
    painter.drawText(
        QRectF(next + 30, l.legend.top(), l.legend.right() - next - 30, l.legend.height()),
        Qt::AlignLeft | Qt::AlignVCenter, tr("designed"));
}

void BodeView::keyPressEvent(QKeyEvent* event)
{
    if (!curves_) {
        QWidget::keyPressEvent(event);
        return;
    }
    const int last = int(curves_->freq.size()) - 1;
    switch (event->key()) {
    case Qt::Key_Left: cursor_ = std::max(0, cursor_ - CursorStep); break;
    case Qt::Key_Right: cursor_ = std::min(last, cursor_ + CursorStep); break;
    case Qt::Key_Home: cursor_ = 0; break;
    case Qt::Key_End: cursor_ = last; break;
    default: QWidget::keyPressEvent(event); return;
    }
    hover_.reset();
    WithoutThrowing([this] { ReadingChanged(); });
}

void BodeView::mouseMoveEvent(QMouseEvent* event)
{
    if (!curves_)
        return;
    const Layout l = LayoutFor();
    const QPointF at = event->position();
    const bool over = at.x() >= l.left - 4 && at.x() <= l.left + l.width + 4 &&
                      at.y() >= l.panels[0].rect.top() && at.y() <= l.panels[2].rect.bottom();
    std::optional<int> index;
    if (over) {
        const double position = (l.LogFrequencyAt(at.x()) - l.logLow) * PointsPerDecade;
        index = std::clamp(int(std::lround(position)), 0, int(curves_->freq.size()) - 1);
    }
    if (index != hover_) {
        hover_ = index;
        WithoutThrowing([this] { ReadingChanged(); });
    }
}

void BodeView::leaveEvent(QEvent*)
{
    if (hover_) {
        hover_.reset();
        WithoutThrowing([this] { ReadingChanged(); });
    }
}

}  // namespace designer
