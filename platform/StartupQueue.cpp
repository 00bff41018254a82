// SPDX-License-Identifier: MIT
#include "platform/StartupQueue.h"

#include <deque>

namespace {

struct Queue {
    bool held = false;
    std::deque<std::function<void()>> jobs;
};

Queue &queue()
{
    static Queue instance;
    return instance;
}

}  // namespace

void StartupQueue::hold() { queue().held = true; }

void StartupQueue::defer(std::function<void()> job)
{
    if (queue().held)
        queue().jobs.push_back(std::move(job));
    else
        job();
}

// A job may defer another one: it runs at once, since holding is over.
void StartupQueue::release()
{
    Queue &q = queue();
    q.held = false;
    while (!q.jobs.empty()) {
        const std::function<void()> job = std::move(q.jobs.front());
        q.jobs.pop_front();
        job();
    }
}

bool StartupQueue::isHeld() { return queue().held; }
