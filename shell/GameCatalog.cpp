// SPDX-License-Identifier: MIT
#include "shell/GameCatalog.h"

#include <algorithm>

namespace {

QList<const GameEntry *> &catalogue()
{
    static QList<const GameEntry *> games;
    return games;
}

}  // namespace

GameEntry::GameEntry(QString name, QString preview) : name(std::move(name)), preview(std::move(preview))
{
    QList<const GameEntry *> &games = catalogue();
    const auto byName = [](const GameEntry *a, const GameEntry *b) { return a->name < b->name; };
    games.insert(std::upper_bound(games.begin(), games.end(), this, byName), this);
}

namespace GameCatalog {

const QList<const GameEntry *> &entries() { return catalogue(); }

int indexOf(const QString &name)
{
    const QList<const GameEntry *> &games = entries();
    for (int i = 0; i < games.size(); ++i)
        if (games[i]->name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

}  // namespace GameCatalog
