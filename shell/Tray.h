// SPDX-License-Identifier: MIT
#pragma once
#include <functional>

// How the preferences reach the launcher's notification-area icon: the launcher
// installs the handler when it is created; until then the call does nothing.
namespace Tray {
void setHandler(std::function<void(bool minimizeToTray)> handler);
void apply(bool minimizeToTray);
}  // namespace Tray
