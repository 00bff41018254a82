// SPDX-License-Identifier: MIT
#pragma once
#include <QList>
#include <QString>
#include <QWidget>
#include <functional>

// The twelve games in the launcher's order, with their previews and, for the games
// that exist, how to create their large- and small-card windows and find the open ones.
struct GameEntry {
    QString name;     // the launcher's item text
    QString preview;  // 320 x 125 preview picture
    std::function<QWidget *()> createLarge;  // empty while the game is not built
    std::function<QWidget *()> createSmall;
    std::function<QWidget *()> largeWindow;  // the open large window, or null
    std::function<QWidget *()> smallWindow;
};

namespace GameCatalog {
QList<GameEntry> &entries();
int indexOf(const QString &name);  // -1 when no game has that name
}  // namespace GameCatalog
