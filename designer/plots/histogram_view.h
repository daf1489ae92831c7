// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The tolerance analysis as a picture: a histogram of the f3 errors (f3 / f - 1, in %) of
// all samples, the band of one sigma about their mean and the 99 % interval (the 0.5 % and
// 99.5 % quantiles) marked and written out; a progress bar while the samples are computed.
#pragma once

#include <optional>
#include <vector>

#include <QtWidgets/QWidget>

#include "design/analysis.h"

namespace designer {

class HistogramView : public QWidget {
    Q_OBJECT

public:
    explicit HistogramView(QWidget* parent = nullptr);

    // `errors` as fractions, `figures` as MonteCarlo gives them for the same errors.
    void setSamples(const std::vector<double>& errors, const design::ToleranceFigures& figures);
    // Computing: 0 ... 100. Ends with setSamples or clear.
    void setProgress(int percent);
    std::optional<int> progress() const { return progress_; }
    void clear();
    void setStale(bool stale);
    bool isStale() const { return stale_; }

    // The figures as the widget writes them (also its accessible description).
    QString summary() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Paint();
    struct Bins {
        double low = 0;  // the errors' range, as fractions
        double high = 0;
        std::vector<long> counts;
        long largest = 0;
        double mean = 0;
        design::ToleranceFigures figures;
    };
    void SummaryChanged();

    std::optional<Bins> bins_;
    std::optional<int> progress_;
    bool stale_ = false;
};

}  // namespace designer
