// SPDX-License-Identifier: MIT
#pragma once
#include <functional>

class QWidget;

// The moment a window first reaches the screen, for start-up measurements.
namespace FirstPaint {

// Calls `then` once, right after the window's first paint has been handed to the
// display (the paint and its flush are over when `then` runs).
void whenPainted(QWidget *window, std::function<void()> then);

// Prints "first-paint-ns <monotonic clock> rss-kb <resident memory>" on standard
// output and ends the process at once, without tearing anything down.
[[noreturn]] void reportAndExit();

}  // namespace FirstPaint
