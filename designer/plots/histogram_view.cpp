// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "designer/plots/histogram_view.h"

#include <algorithm>
#include <cmath>

#include <QtGui/QPainter>
#include <QtWidgets/QStyle>
#include <QtWidgets/QStyleOptionProgressBar>

#include "designer/plots/plot_look.h"
#include "designer/plots/shown_numbers.h"

namespace designer {
namespace {

constexpr int MostBins = 60;

// Twice the cube root of the count (Rice's rule): enough bars to show the shape, few enough
// that each holds many samples.
int BinCount(std::size_t samples)
{
    return std::clamp(int(std::ceil(2 * std::cbrt(double(samples)))), 1, MostBins);
}

QString Percent(double fraction, int decimals)
{
    return ShownDecimal(100 * fraction, decimals) + QStringLiteral(" %");
}

// What the marks mean, along the bottom: a bar, the shading and the dashed lines, and at the
// right what the axis counts. Sharp edges, so that each mark has the plot's own colour; an
// item that does not fit is left out (the figures above say it in words).
void DrawLegend(QPainter& painter, const QRectF& row, const PlotColours& c, const QColor& text)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QFontMetricsF fm(painter.font());
    const double mark = fm.height() * 0.8;
    const double gap = fm.horizontalAdvance(QLatin1Char(' '));
    const QString axis = HistogramView::tr("f3 error");
    const double end = row.right() - fm.horizontalAdvance(axis) - 3 * gap;
    double x = row.left();
    const auto item = [&](const QString& label, const auto& draw) {
        const double width = mark + gap + fm.horizontalAdvance(label);
        if (x + width > end)
            return;
        draw(QRectF(x, row.center().y() - mark / 2, mark, mark));
        painter.setPen(text);
        painter.drawText(QRectF(x + mark + gap, row.top(), width, row.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, label);
        x += width + 3 * gap;
    };
    item(HistogramView::tr("samples"), [&](const QRectF& r) { painter.fillRect(r, c.design); });
    item(HistogramView::tr("±1σ"), [&](const QRectF& r) { painter.fillRect(r, c.band); });
    item(HistogramView::tr("middle 99 %"), [&](const QRectF& r) {
        QPen dashed(c.marker, 2);
        dashed.setDashPattern({2, 1.5});
        painter.setPen(dashed);
        painter.drawLine(QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.bottom()));
    });
    painter.setPen(text);
    painter.drawText(row, Qt::AlignRight | Qt::AlignVCenter, axis);
    painter.restore();
}

}  // namespace

HistogramView::HistogramView(QWidget* parent) : QWidget(parent)
{
    setAccessibleName(tr("Tolerance histogram"));
    SummaryChanged();
}

void HistogramView::setSamples(const std::vector<double>& errors,
                               const design::ToleranceFigures& figures)
{
    progress_.reset();
    if (errors.empty()) {
        bins_.reset();
        SummaryChanged();
        return;
    }
    Bins b;
    b.figures = figures;
    const auto [low, high] = std::minmax_element(errors.begin(), errors.end());
    // A single value, or all alike, still gets a bar of some width.
    const double spread = std::max(*high - *low, std::max(std::abs(*low) * 1e-3, 1e-6));
    const double middle = (*low + *high) / 2;
    b.low = std::min(*low, middle - spread / 2);
    b.high = std::max(*high, middle + spread / 2);
    b.counts.assign(std::size_t(BinCount(errors.size())), 0);
    double sum = 0;
    for (const double e : errors) {
        const double position = (e - b.low) / (b.high - b.low) * double(b.counts.size());
        const auto bin = std::min(std::size_t(std::max(position, 0.0)), b.counts.size() - 1);
        ++b.counts[bin];
        sum += e;
    }
    b.largest = *std::max_element(b.counts.begin(), b.counts.end());
    b.mean = sum / double(errors.size());
    bins_ = std::move(b);
    SummaryChanged();
}

void HistogramView::setProgress(int percent)
{
    progress_ = std::clamp(percent, 0, 100);
    update();
}

void HistogramView::clear()
{
    progress_.reset();
    bins_.reset();
    SummaryChanged();
}

void HistogramView::setStale(bool stale)
{
    if (stale == stale_)
        return;
    stale_ = stale;
    update();
}

QString HistogramView::summary() const
{
    if (!bins_)
        return tr("No tolerance analysis");
    const design::ToleranceFigures& f = bins_->figures;
    return tr("σ %1, 99 %: %2 … %3, %n samples", nullptr, int(f.samples))
        .arg(Percent(f.sigma, 3), Percent(f.p0_5, 2), Percent(f.p99_5, 2));
}

void HistogramView::SummaryChanged()
{
    // A screen reader is told of every description set, even the same one.
    if (const QString text = summary(); text != accessibleDescription())
        setAccessibleDescription(text);
    update();
}

QSize HistogramView::sizeHint() const
{
    return {480, 260};
}

QSize HistogramView::minimumSizeHint() const
{
    const QFontMetrics fm = fontMetrics();
    return {fm.horizontalAdvance(QLatin1Char('0')) * 40, fm.height() * 9};
}

void HistogramView::paintEvent(QPaintEvent*)
{
    WithoutThrowing([this] { Paint(); });
}

void HistogramView::Paint()
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const PlotColours normal = PlotColoursFor(palette());
    const PlotColours c = stale_ || progress_ ? Faded(normal) : normal;
    painter.fillRect(rect(), c.background);
    const QFontMetricsF fm(font());
    const double line = fm.height();
    const QRectF area = QRectF(rect()).adjusted(8, 4, -8, -4);
    const QRectF top(area.left(), area.top() + 2, area.width(), line);

    if (bins_) {
        const Bins& b = *bins_;
        const QRectF plot(area.left(), top.bottom() + 6, area.width(),
                          std::max(1.0, area.height() - 3 * line - 14));
        DrawLegend(painter, QRectF(area.left(), area.bottom() - line, area.width(), line), c,
                   normal.text);
        const auto X = [&](double error) {
            return plot.left() + (error - b.low) / (b.high - b.low) * plot.width();
        };
        // One sigma about the mean, behind the bars.
        painter.fillRect(QRectF(QPointF(X(b.mean - b.figures.sigma), plot.top()),
                                QPointF(X(b.mean + b.figures.sigma), plot.bottom()))
                             .intersected(plot),
                         c.band);
        const double barWidth = plot.width() / double(b.counts.size());
        painter.setPen(Qt::NoPen);
        painter.setBrush(c.design);
        for (std::size_t i = 0; i < b.counts.size(); ++i) {
            const double height = double(b.counts[i]) / double(b.largest) * plot.height() * 0.95;
            painter.drawRect(QRectF(plot.left() + double(i) * barWidth, plot.bottom() - height,
                                    std::max(1.0, barWidth - 1), height));
        }
        painter.setBrush(Qt::NoBrush);
        // The 99 % interval.
        QPen quantile(c.marker, 1.5);
        quantile.setDashPattern({4, 3});
        painter.setPen(quantile);
        for (const double q : {b.figures.p0_5, b.figures.p99_5})
            painter.drawLine(QPointF(X(q), plot.top()), QPointF(X(q), plot.bottom()));
        painter.setPen(QPen(c.frame, 1));
        painter.drawLine(plot.bottomLeft(), plot.bottomRight());
        // The error axis in %, at steps that leave room for the labels.
        const double range = 100 * (b.high - b.low);
        const int most = std::max(1, int(plot.width() / fm.horizontalAdvance("\u2212000,00 %")));
        const double step = NiceStep(range, most);
        const int decimals = std::max(0, -int(std::floor(std::log10(step) + 1e-9)));
        painter.setPen(normal.text);
        for (double v = std::ceil(100 * b.low / step - 1e-9) * step; v <= 100 * b.high + 1e-9;
             v += step) {
            const double x = X(v / 100);
            painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + 3));
            const QString label = Percent(v / 100, decimals);
            const double width = fm.horizontalAdvance(label);
            const double left = std::clamp(x - width / 2, area.left(), area.right() - width);
            painter.drawText(QRectF(left, plot.bottom() + 4, width + 1, line),
                             Qt::AlignLeft | Qt::AlignVCenter, label);
        }
        if (!progress_) {
            painter.setPen(normal.text);
            // Without its heading where the line is too short, and cut as the last resort
            // (the accessible description has it whole).
            QString figures = tr("f3 error: %1").arg(summary());
            if (fm.horizontalAdvance(figures) > top.width())
                figures = summary();
            painter.drawText(top, Qt::AlignLeft | Qt::AlignVCenter,
                             fm.elidedText(figures, Qt::ElideRight, top.width()));
        }
    } else if (!progress_) {
        painter.setPen(normal.text);
        painter.drawText(rect(), Qt::AlignCenter, summary());
    }
    if (progress_) {
        QStyleOptionProgressBar bar;
        bar.initFrom(this);
        // In the line of the figures it replaces, or alone in the middle.
        const QRectF alone(area.center().x() - area.width() / 3, area.center().y() - line,
                           2 * area.width() / 3, 2 * line);
        bar.rect = (bins_ ? top.adjusted(0, -2, 0, 2) : alone).toRect();
        bar.minimum = 0;
        bar.maximum = 100;
        bar.progress = *progress_;
        bar.textVisible = true;
        bar.text = tr("Computing %1 %").arg(*progress_);
        bar.state |= QStyle::State_Horizontal;
        style()->drawControl(QStyle::CE_ProgressBar, &bar, &painter, this);
    }
    if (stale_)
        DrawStaleNote(painter, top, normal);
}

}  // namespace designer
