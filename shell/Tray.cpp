// SPDX-License-Identifier: MIT
#include "shell/Tray.h"

namespace {
std::function<void(bool)> trayHandler;
}

namespace Tray {
void setHandler(std::function<void(bool)> handler) { trayHandler = std::move(handler); }
void apply(bool minimizeToTray)
{
    if (trayHandler)
        trayHandler(minimizeToTray);
}
}  // namespace Tray
