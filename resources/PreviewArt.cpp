// SPDX-License-Identifier: MIT
#include "resources/Providers.h"

namespace PreviewArt {
QStringList names() { return {}; }
std::optional<QImage> render(const QString &) { return std::nullopt; }
}  // namespace PreviewArt
