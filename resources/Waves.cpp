// SPDX-License-Identifier: MIT
#include "resources/Providers.h"

namespace Waves {
QStringList names() { return {}; }
std::optional<QByteArray> render(const QString &) { return std::nullopt; }
}  // namespace Waves
