// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "designer/plots/bode_view.h"

#include <algorithm>
#include <array>
#include <cmath>

#include <QtGui/QPainter>

#include "designer/plots/shown_numbers.h"

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

// Where everything goes: the read-out line at the top, three panels each under its title
// line, the frequency labels and the legend at the bottom.
struct Layout {
    QRectF readout;
    std::array<Panel, 3> panels;
    QRectF frequencyLabels;
    QRectF legend;
    double logLow = 0;  // log10 of the lowest frequency
    double left = 0;    // the panels' horizontal extent
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

Layout LayoutOf(const QRect& rect, const QFont& font, const BodeCurves& curves)
{
    const QFontMetricsF fm(font);
    const double line = fm.height();
    const QRectF area = QRectF(rect).adjusted(6, 4, -10, -4);
    Layout l;
    l.left = area.left() + fm.horizontalAdvance(QStringLiteral("\u2212000,00")) + 6;
    l.width = std::max(1.0, area.right() - l.left);
    l.readout = QRectF(area.left(), area.top(), area.width(), line);
    l.legend = QRectF(l.left, area.bottom() - line, l.width, line);
    l.frequencyLabels = QRectF(l.left, l.legend.top() - line - 4, l.width, line);
    const double top = l.readout.bottom() + 4;
    // The lowest value label reaches half a line below its panel.
    const double free = std::max(3.0, l.frequencyLabels.top() - line / 2 - top - 3 * (line + 2));
    const std::array<double, 3> shares = {0.46, 0.29, 0.25};
    const auto ranges = RangesOf(curves);
    double y = top;
    for (std::size_t i = 0; i < 3; ++i) {
        y += line + 2;
        const double height = free * shares[i];
        l.panels[i] = {QRectF(l.left, y, l.width, height), ranges[i].first, ranges[i].second};
        y += height;
    }
    l.logLow = std::log10(curves.f / 100);
    return l;
}

// One paint of a design's curves: `c` the colours of the lines (washed out when stale),
// `normal` those of the texts, which stay readable.
class BodePainter {
public:
    BodePainter(QPainter& painter, const Layout& layout, const BodeCurves& curves,
                const PlotColours& c, const PlotColours& normal, const QFont& font)
        : p_(painter), l_(layout), curves_(curves), c_(c), normal_(normal), fm_(font)
    {
        dashed_.setDashPattern({6 / 1.6, 4 / 1.6});
    }

    void Panels();
    void FrequencyLabels();
    void Curves();
    void Markers();
    void ReadPoint(std::size_t index);
    void Legend();

private:
    void Curve(const Panel& panel, const std::vector<double>& values, const QPen& pen);
    double Top() const { return l_.panels[0].rect.top(); }
    double Bottom() const { return l_.panels[2].rect.bottom(); }
    double Low() const { return curves_.f / 100; }
    double High() const { return 100 * curves_.f; }

    QPainter& p_;
    const Layout& l_;
    const BodeCurves& curves_;
    const PlotColours& c_;
    const PlotColours& normal_;
    const QFontMetricsF fm_;
    QPen dashed_{c_.target, 1.6};
    const QPen solid_{c_.design, 1.6};
};

// Grids and value labels, then the frame of each panel and its title.
void BodePainter::Panels()
{
    const QPen gridPen(c_.grid, 1), decadePen(c_.grid.darker(125), 1);
    for (std::size_t i = 0; i < 3; ++i) {
        const Panel& panel = l_.panels[i];
        const QRectF& r = panel.rect;
        for (double decade = std::pow(10.0, std::floor(l_.logLow)); decade <= High() * 1.0001;
             decade *= 10)
            for (const double m : {1.0, 2.0, 5.0}) {
                const double at = decade * m;
                if (at < Low() * 0.9999 || at > High() * 1.0001)
                    continue;
                p_.setPen(m == 1 ? decadePen : gridPen);
                p_.drawLine(QPointF(l_.X(at), r.top()), QPointF(l_.X(at), r.bottom()));
            }
        const double range = panel.high - panel.low;
        const int most = std::max(1, int(r.height() / (1.5 * fm_.height())));
        // The phase in quadrants (or halves of them), the others in 1-2-5 steps.
        const double step =
            i == 1 ? 90 * std::max(0.5, NiceStep(range / 90, most)) : NiceStep(range, most);
        const int decimals = step < 0.1 ? 2 : step < 1 ? 1 : 0;
        for (double v = std::ceil(panel.low / step - 1e-9) * step; v <= panel.high + 1e-9;
             v += step) {
            p_.setPen(std::abs(v) < 1e-9 ? decadePen : gridPen);
            p_.drawLine(QPointF(r.left(), panel.Y(v)), QPointF(r.right(), panel.Y(v)));
            p_.setPen(normal_.text);
            p_.drawText(QRectF(0, panel.Y(v) - fm_.height() / 2, r.left() - 4, fm_.height()),
                        Qt::AlignRight | Qt::AlignVCenter, ShownDecimal(v, decimals));
        }
        p_.setPen(QPen(c_.frame, 1));
        p_.drawRect(r);
        p_.setPen(normal_.text);
        p_.drawText(QRectF(r.left(), r.top() - fm_.height() - 2, r.width(), fm_.height()),
                    Qt::AlignLeft | Qt::AlignVCenter, PanelTitle(int(i)));
    }
}

// Labels at the decades, the ends kept within the panels' width, and one that would touch
// the one before left out.
void BodePainter::FrequencyLabels()
{
    p_.setPen(normal_.text);
    double free = l_.left;
    for (double decade = std::pow(10.0, std::ceil(l_.logLow - 1e-9)); decade <= High() * 1.0001;
         decade *= 10) {
        const QString label = ShownQuantity(decade, "Hz", 3);
        const double width = fm_.horizontalAdvance(label);
        const double x = std::clamp(l_.X(decade) - width / 2, l_.left, l_.left + l_.width - width);
        if (x < free)
            continue;
        p_.drawText(QRectF(x, l_.frequencyLabels.top(), width + 1, l_.frequencyLabels.height()),
                    Qt::AlignLeft | Qt::AlignVCenter, label);
        free = x + width + fm_.horizontalAdvance(QStringLiteral("  "));
    }
}

// Each clipped to its panel; far outside it the clip hides them anyway.
void BodePainter::Curve(const Panel& panel, const std::vector<double>& values, const QPen& pen)
{
    QPolygonF points;
    points.reserve(int(values.size()));
    for (std::size_t i = 0; i < values.size(); ++i)
        points << QPointF(
            l_.X(curves_.freq[i]),
            std::clamp(panel.Y(values[i]), panel.rect.top() - 50, panel.rect.bottom() + 50));
    p_.save();
    p_.setClipRect(panel.rect);
    p_.setPen(pen);
    p_.drawPolyline(points);
    p_.restore();
}

void BodePainter::Curves()
{
    Curve(l_.panels[0], curves_.targetDb, dashed_);
    Curve(l_.panels[0], curves_.designDb, solid_);
    Curve(l_.panels[1], curves_.targetPhase, dashed_);
    Curve(l_.panels[1], curves_.designPhase, solid_);
    Curve(l_.panels[2], std::vector<double>(curves_.freq.size(), 0.0), dashed_);
    Curve(l_.panels[2], curves_.deviation, solid_);
}

// f across all panels; the realised f3 as a dot at -3 dB.
void BodePainter::Markers()
{
    QPen dotted(c_.marker, 1);
    dotted.setDashPattern({2, 3});
    p_.setPen(dotted);
    const double x = l_.X(curves_.f);
    p_.drawLine(QPointF(x, Top()), QPointF(x, Bottom()));
    p_.setPen(c_.marker);
    p_.drawText(QRectF(x - 20, Top() - fm_.height() - 2, 40, fm_.height()), Qt::AlignCenter,
                QStringLiteral("f"));
    if (!curves_.f3 || *curves_.f3 < Low() || *curves_.f3 > High())
        return;
    const QPointF at(l_.X(*curves_.f3), l_.panels[0].Y(HalfPowerDb));
    p_.setPen(Qt::NoPen);
    p_.setBrush(c_.marker);
    p_.drawEllipse(at, 3.5, 3.5);
    p_.setBrush(Qt::NoBrush);
    p_.setPen(c_.marker);
    // Below the dot on the passband's side, under the flat part of the curve.
    const bool lowPass = curves_.designDb.front() > curves_.designDb.back();
    const QRectF label(lowPass ? at.x() - 68 : at.x() + 8, at.y() + 4, 60, fm_.height());
    p_.drawText(label, (lowPass ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop,
                QStringLiteral("f3"));
}

// A line across the panels and a ring on each designed curve.
void BodePainter::ReadPoint(std::size_t index)
{
    const double x = l_.X(curves_.freq[index]);
    p_.setPen(QPen(c_.frame, 1));
    p_.drawLine(QPointF(x, Top()), QPointF(x, Bottom()));
    p_.setPen(solid_);
    p_.setBrush(c_.background);
    for (const auto& [panel, values] :
         {std::pair{0, &curves_.designDb}, {1, &curves_.designPhase}, {2, &curves_.deviation}}) {
        const Panel& on = l_.panels[std::size_t(panel)];
        const double y = on.Y((*values)[index]);
        if (y >= on.rect.top() && y <= on.rect.bottom())
            p_.drawEllipse(QPointF(x, y), 3, 3);
    }
    p_.setBrush(Qt::NoBrush);
}

void BodePainter::Legend()
{
    const QRectF& r = l_.legend;
    const double y = r.center().y();
    const QString target = BodeView::tr("target");
    const double next = r.left() + 30 + fm_.horizontalAdvance(target) + 16;
    p_.setPen(dashed_);
    p_.drawLine(QPointF(r.left(), y), QPointF(r.left() + 24, y));
    p_.setPen(solid_);
    p_.drawLine(QPointF(next, y), QPointF(next + 24, y));
    p_.setPen(normal_.text);
    p_.drawText(r.adjusted(30, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, target);
    p_.drawText(QRectF(next + 30, r.top(), r.right() - next - 30, r.height()),
                Qt::AlignLeft | Qt::AlignVCenter, BodeView::tr("designed"));
}

}  // namespace

BodeView::BodeView(QWidget* parent) : ReadingPlot(CursorStep, parent)
{
    setAccessibleName(tr("Bode plot"));
    setAccessibleDescription(readout());
}

void BodeView::setReport(const design::Report& report)
{
    const bool first = !curves_;
    curves_ = design::outputs::BodeCurvesOf(report, PointsPerDecade);
    if (first)
        placeCursor(2 * PointsPerDecade);  // at f
    readingChanged();
}

int BodeView::pointCount() const
{
    return curves_ ? int(curves_->freq.size()) : 0;
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
        .arg(ShownQuantity(r->frequency, "Hz", 4), ShownDecimal(r->gainDb, 2),
             ShownDecimal(r->phaseDegrees, 1));
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

void BodeView::paintPlot(QPainter& painter, const PlotColours& shown, const PlotColours& normal)
{
    if (!curves_) {
        painter.drawText(rect(), Qt::AlignCenter, readout());
        return;
    }
    const Layout layout = LayoutOf(rect(), font(), *curves_);
    painter.drawText(layout.readout, Qt::AlignLeft | Qt::AlignVCenter, readout());
    if (isStale())
        DrawStaleNote(painter, layout.readout, normal);
    BodePainter plot(painter, layout, *curves_, shown, normal, font());
    plot.Panels();
    plot.FrequencyLabels();
    plot.Curves();
    plot.Markers();
    plot.ReadPoint(std::size_t(*readIndex()));
    plot.Legend();
}

std::optional<int> BodeView::pointAt(QPointF at) const
{
    const Layout l = LayoutOf(rect(), font(), *curves_);
    const bool over = at.x() >= l.left - 4 && at.x() <= l.left + l.width + 4 &&
                      at.y() >= l.panels[0].rect.top() && at.y() <= l.panels[2].rect.bottom();
    if (!over)
        return std::nullopt;
    const double position = (l.LogFrequencyAt(at.x()) - l.logLow) * PointsPerDecade;
    return std::clamp(int(std::lround(position)), 0, int(curves_->freq.size()) - 1);
}

}  // namespace designer
