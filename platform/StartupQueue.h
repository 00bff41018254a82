// SPDX-License-Identifier: MIT
#pragma once
#include <functional>

// Work that need not delay the program's first window: while the program is
// starting, such work waits until the first window has been painted; at any
// other time it runs at once.
namespace StartupQueue {

void hold();                            // the program is starting: defer() queues
void defer(std::function<void()> job);  // queued while held, else run at once
void release();                         // runs the queued jobs in order, and stops holding
bool isHeld();

}  // namespace StartupQueue
