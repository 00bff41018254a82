// SPDX-License-Identifier: MIT
#include "games/SolverPosition.h"

#include "games/GameWindow.h"
#include "games/KlondikeStockWindow.h"

#include <QAction>

namespace {

QAction *menuItem(const GameWindow *window, const std::string &name)
{
    return name.empty() ? nullptr : window->findChild<QAction *>(QString::fromStdString(name));
}

}  // namespace

SolverPosition SolverPosition::of(const GameWindow *window)
{
    SolverPosition position;
    position.game = Solver::findGame(window->gameDescription().caption.toStdString());
    position.table = Solver::parseTableText(window->dealText().toStdString());
    if (const auto *klondike = qobject_cast<const KlondikeStockWindow *>(window))
        position.table.counters["Recycles"] = klondike->Recycles;
    if (position.game)
        for (const Solver::OptionInfo &option : position.game->options)
            if (const QAction *item = menuItem(window, option.menuItem))
                position.options[option.key] = item->isChecked();
    return position;
}

bool SolverPosition::setOption(GameWindow *window, const std::string &key, bool value)
{
    const Solver::GameInfo *game = Solver::findGame(window->gameDescription().caption.toStdString());
    if (!game)
        return false;
    for (const Solver::OptionInfo &option : game->options) {
        if (option.key != key)
            continue;
        QAction *item = menuItem(window, option.menuItem);
        if (!item)
            return false;
        if (item->isChecked() != value) {
            QAction *other = menuItem(window, option.offMenuItem);
            (value || !other ? item : other)->trigger();
        }
        return item->isChecked() == value;
    }
    return false;
}
