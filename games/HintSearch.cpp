// SPDX-License-Identifier: MIT
#include "games/HintSearch.h"

#include <QMetaObject>

HintSearch::HintSearch(QObject *parent) : QObject(parent) {}

HintSearch::~HintSearch()
{
    {
        const std::lock_guard<std::mutex> guard(lock);
        quitting = true;
        pending.reset();
        if (currentStop)
            currentStop->store(true);
    }
    wake.notify_one();
    if (worker.joinable())
        worker.join();
}

void HintSearch::start(const SolverPosition &position, const Solver::Limits &limits)
{
    {
        const std::lock_guard<std::mutex> guard(lock);
        if (currentStop)
            currentStop->store(true);
        currentStop = std::make_shared<std::atomic<bool>>(false);
        pending = Job{position, limits, ++latest, currentStop};
    }
    searching = true;
    if (!worker.joinable())
        worker = std::thread(&HintSearch::run, this);
    wake.notify_one();
}

void HintSearch::cancel()
{
    stopCurrent();
    ++latest;
    searching = false;
}

void HintSearch::stopCurrent()
{
    const std::lock_guard<std::mutex> guard(lock);
    pending.reset();
    if (currentStop)
        currentStop->store(true);
}

bool HintSearch::isIdle() const
{
    const std::lock_guard<std::mutex> guard(lock);
    return !running && !pending;
}

// The thread: waits for a search, runs it, and hands a result it was not told to
// drop to the window's thread.
void HintSearch::run()
{
    while (true) {
        Job job;
        {
            std::unique_lock<std::mutex> guard(lock);
            wake.wait(guard, [this] { return quitting || pending.has_value(); });
            if (quitting)
                return;
            job = std::move(*pending);
            pending.reset();
            running = true;
        }
        Solver::Limits limits = job.limits;
        limits.cancel = job.stop.get();
        Solver::Result result;
        if (job.position.game)
            result = Solver::solve(*job.position.game, job.position.table, job.position.options, limits);
        const std::lock_guard<std::mutex> guard(lock);
        running = false;
        if (!job.stop->load())
            QMetaObject::invokeMethod(
                this, [this, number = job.number, result] { report(number, result); }, Qt::QueuedConnection);
    }
}

void HintSearch::report(std::uint64_t number, const Solver::Result &result)
{
    if (number != latest || !searching)
        return;
    searching = false;
    Q_EMIT finished(result);
}
