// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "designer/plots/tolerance_job.h"

#include <algorithm>
#include <new>

#include <QtCore/QThread>

namespace designer {

ToleranceJob::ToleranceJob(QObject* parent) : QObject(parent) { }

ToleranceJob::~ToleranceJob()
{
    cancel();
    // The workers are children: wait for them before QObject's destructor deletes them.
    for (QThread* worker : workers_)
        worker->wait();
}

void ToleranceJob::cancel()
{
    if (stop_)
        stop_->store(true, std::memory_order_relaxed);
    stop_.reset();
    ++generation_;
    busy_ = false;
}

void ToleranceJob::start(design::Circuit circuit, double f, const design::Parts& parts,
                         const design::ToleranceRequest& request)
{
    cancel();
    const quint64 generation = generation_;
    stop_ = std::make_shared<std::atomic<bool>>(false);
    busy_ = true;
    QThread* worker = QThread::create([this, generation, stop = stop_, circuit, f, parts, request] {
        Work(generation, stop, circuit, f, parts, request);
    });
    worker->setParent(this);
    connect(worker, &QThread::finished, this, [this, worker] {
        workers_.erase(std::find(workers_.begin(), workers_.end(), worker));
        worker->deleteLater();
    });
    workers_.push_back(worker);
    worker->start();
}

template <typename Deliver>
void ToleranceJob::Post(quint64 generation, Deliver deliver)
{
    // Queued to this object: dropped with it should it go first.
    QMetaObject::invokeMethod(
        this,
        [this, generation, deliver = std::move(deliver)]() mutable {
            if (generation == generation_)
                deliver();
        },
        Qt::QueuedConnection);
}

// On the worker thread: nothing here may throw into QThread's frames.
void ToleranceJob::Work(quint64 generation, const StopFlag& stop, design::Circuit circuit, double f,
                        const design::Parts& parts, const design::ToleranceRequest& request)
{
    const char* failure = nullptr;
    try {
        int reported = 0;
        const auto keepGoing = [&](long done) {
            if (stop->load(std::memory_order_relaxed))
                return false;
            const int percent = request.samples > 0 ? int(done * 100 / request.samples) : 100;
            if (percent >= reported + ProgressStepPercent && percent < 100) {
                reported = percent;
                Post(generation, [this, percent] { emit progress(percent); });
            }
            return true;
        };
        std::optional<std::vector<double>> errors =
            design::ToleranceErrors(circuit, f, parts, request, keepGoing);
        if (!errors)
            return;
        const design::ToleranceFigures figures = design::FiguresOf(*errors);
        Post(generation, [this, errors = std::move(*errors), figures] {
            busy_ = false;
            emit finished(errors, figures);
        });
        return;
    } catch (const std::bad_alloc&) {
        failure = "out of memory";
    } catch (...) {
        failure = "unexpected error";
    }
    try {
        Post(generation, [this, failure] {
            busy_ = false;
            emit failed(QString::fromLatin1(failure));
        });
    } catch (...) {
        // Not even the message fits: the job stays busy until the next start.
    }
}

}  // namespace designer
