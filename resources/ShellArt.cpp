// SPDX-License-Identifier: MIT
#include "resources/Providers.h"

namespace ShellArt {
QStringList names() { return {}; }
std::optional<QImage> render(const QString &) { return std::nullopt; }
}  // namespace ShellArt
