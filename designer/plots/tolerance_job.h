// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The tolerance samples of a design computed on a worker thread, so that typing goes on
// while they are drawn. Only the latest start is ever delivered: starting again or
// cancelling stops the running computation within a few thousand samples, and whatever it
// would still send is dropped.
#pragma once

#include <atomic>
#include <memory>
#include <vector>

#include <QtCore/QObject>

#include "design/analysis.h"

class QThread;

namespace designer {

class ToleranceJob : public QObject {
    Q_OBJECT

public:
    // Progress is reported in steps of this many percent at least.
    static constexpr int ProgressStepPercent = 2;

    explicit ToleranceJob(QObject* parent = nullptr);
    // Stops the computation and waits for its thread.
    ~ToleranceJob() override;

    void start(design::Circuit circuit, double f, const design::Parts& parts,
               const design::ToleranceRequest& request);
    void cancel();

    // A started computation whose result has not arrived.
    bool isBusy() const { return busy_; }
    // Worker threads not yet ended (a cancelled one may still be finishing its step).
    int runningWorkers() const { return int(workers_.size()); }

signals:
    void progress(int percent);
    // `errors` (fractions, in no particular order) and the figures MonteCarlo gives for them.
    void finished(const std::vector<double>& errors, const design::ToleranceFigures& figures);
    // The computation could not be completed (out of memory).
    void failed(const QString& reason);

private:
    using StopFlag = std::shared_ptr<std::atomic<bool>>;
    void Work(quint64 generation, const StopFlag& stop, design::Circuit circuit, double f,
              const design::Parts& parts, const design::ToleranceRequest& request);
    // Runs `deliver` on this object's thread if `generation` is still the latest start.
    template <typename Deliver>
    void Post(quint64 generation, Deliver deliver);

    quint64 generation_ = 0;
    StopFlag stop_;
    bool busy_ = false;
    std::vector<QThread*> workers_;
};

}  // namespace designer
