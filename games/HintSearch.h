// SPDX-License-Identifier: MIT
#pragma once
#include "games/SolverPosition.h"

#include <QObject>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

// Solves positions of a game window on a thread of its own, one at a time, so that
// play never waits. A new search, or cancel(), raises the stop flag of the search
// under way, whose result is then never reported. The thread starts with the first
// search and ends with this object, which waits for it (a stopped search ends within
// a few hundred positions).
class HintSearch : public QObject
{
    Q_OBJECT
public:
    explicit HintSearch(QObject *parent = nullptr);
    ~HintSearch() override;

    void start(const SolverPosition &position, const Solver::Limits &limits);
    void cancel();
    // A search was started and has neither reported nor been cancelled.
    bool isSearching() const { return searching; }
    // The thread has no search to run or running (a cancelled one has come to rest).
    bool isIdle() const;

Q_SIGNALS:
    void finished(const Solver::Result &result);

private:
    struct Job {
        SolverPosition position;
        Solver::Limits limits;
        std::uint64_t number = 0;
        std::shared_ptr<std::atomic<bool>> stop;
    };
    void run();
    void report(std::uint64_t number, const Solver::Result &result);
    void stopCurrent();

    mutable std::mutex lock;
    std::condition_variable wake;
    std::optional<Job> pending;
    std::shared_ptr<std::atomic<bool>> currentStop;
    bool running = false;  // the thread is solving
    bool quitting = false;
    std::thread worker;
    std::uint64_t latest = 0;  // the number of the search whose result counts
    bool searching = false;
};
