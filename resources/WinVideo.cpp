// SPDX-License-Identifier: MIT
#include "resources/Providers.h"

namespace WinVideo {
QStringList names() { return {}; }
std::optional<QList<QImage>> render(const QString &) { return std::nullopt; }
}  // namespace WinVideo
