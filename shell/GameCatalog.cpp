// SPDX-License-Identifier: MIT
#include "shell/GameCatalog.h"

namespace GameCatalog {

QList<GameEntry> &entries()
{
    static QList<GameEntry> games = {
        {QStringLiteral("Beleaguered Castle"), QStringLiteral("CASTLE"), {}, {}, {}, {}},
        {QStringLiteral("Double Klondike"), QStringLiteral("DBLKLONDIKE"), {}, {}, {}, {}},
        {QStringLiteral("Forty Thieves"), QStringLiteral("FORTYTHIEVES"), {}, {}, {}, {}},
        {QStringLiteral("Free Cell"), QStringLiteral("FREECELL"), {}, {}, {}, {}},
        {QStringLiteral("Golf"), QStringLiteral("GOLF"), {}, {}, {}, {}},
        {QStringLiteral("Indian Patience"), QStringLiteral("INDIAN"), {}, {}, {}, {}},
        {QStringLiteral("Klondike"), QStringLiteral("KLONDIKE"), {}, {}, {}, {}},
        {QStringLiteral("Montana"), QStringLiteral("MONTANA"), {}, {}, {}, {}},
        {QStringLiteral("Pyramid"), QStringLiteral("PYRAMID"), {}, {}, {}, {}},
        {QStringLiteral("Queen of Italy"), QStringLiteral("QUEENITALY"), {}, {}, {}, {}},
        {QStringLiteral("Sea Towers"), QStringLiteral("SEAHAVEN"), {}, {}, {}, {}},
        {QStringLiteral("Spider"), QStringLiteral("SPIDER"), {}, {}, {}, {}},
    };
    return games;
}

int indexOf(const QString &name)
{
    const QList<GameEntry> &games = entries();
    for (int i = 0; i < games.size(); ++i)
        if (games[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

}  // namespace GameCatalog
