// SPDX-License-Identifier: MIT
// The common game window's options: checkable items bound to settings keys, pairs
// of items choosing one setting with their lock, and command items.
#include "games/GameWindow.h"

#include "shell/Profile.h"

#include <QAction>
#include <QMenu>

// ---- options ------------------------------------------------------------------

QAction *GameWindow::addCheckItem(const QString &name, const QString &caption)
{
    if (!optionSeparator) {
        optionSeparator = new QAction(this);
        optionSeparator->setSeparator(true);
        PopupMenu1->insertAction(NewGame1, optionSeparator);
    }
    QAction *item = addMenuItem(name, caption, QKeySequence(), {}, optionSeparator);
    item->setCheckable(true);
    return item;
}

QAction *GameWindow::addOption(const QString &itemName, const QString &caption, const QString &key,
                              bool defaultValue, bool *member)
{
    QAction *item = addCheckItem(itemName, caption);
    options.append({item, key, defaultValue, member});
    connect(item, &QAction::triggered, this, [this, item, key, member] {
        if (dragUnderWay()) {
            item->setChecked(*member);
            return;
        }
        *member = item->isChecked();
        writeOption(key, *member);
    });
    return item;
}

GameWindow::Choice GameWindow::addChoice(const QString &trueName, const QString &trueCaption, const QString &falseName,
                                       const QString &falseCaption, const QString &key, bool defaultValue,
                                       bool *member, bool lockable)
{
    const Choice items{addCheckItem(trueName, trueCaption), addCheckItem(falseName, falseCaption)};
    *member = defaultValue;
    choices.append({items, key, member, lockable});
    const int index = int(choices.size()) - 1;
    for (const bool value : {true, false})
        connect(value ? items.whenTrue : items.whenFalse, &QAction::triggered, this, [this, index, value] {
            ChoiceGroup &group = choices[index];
            choose(group, dragUnderWay() ? *group.member : value, !dragUnderWay());
        });
    choose(choices[index], defaultValue, false);
    return items;
}

void GameWindow::choose(ChoiceGroup &group, bool value, bool write)
{
    *group.member = value;
    group.items.whenTrue->setChecked(value);
    group.items.whenFalse->setChecked(!value);
    if (write)
        writeOption(group.key, value);
}

void GameWindow::readOptions()
{
    for (const OptionBinding &option : std::as_const(options)) {
        *option.member = readOption(option.key, option.defaultValue);
        option.item->setChecked(*option.member);
    }
    for (ChoiceGroup &group : choices)
        choose(group, readOption(group.key, *group.member), false);
}

void GameWindow::lockChoices()
{
    for (const ChoiceGroup &group : std::as_const(choices))
        if (group.lockable)
            (*group.member ? group.items.whenFalse : group.items.whenTrue)->setEnabled(false);
}

void GameWindow::unlockOptions()
{
    for (const ChoiceGroup &group : std::as_const(choices)) {
        group.items.whenTrue->setEnabled(true);
        group.items.whenFalse->setEnabled(true);
    }
}

QAction *GameWindow::addCommand(const QString &name, const QString &caption, std::function<void()> handler)
{
    return addMenuItem(name, caption, QKeySequence(), std::move(handler), Preferences1);
}

// A game that keeps no options has no section of its own in the settings file.
bool GameWindow::readOption(const QString &key, bool defaultValue)
{
    return Profile1 ? Profile1->ReadBool(key, defaultValue) : defaultValue;
}

void GameWindow::writeOption(const QString &key, bool value)
{
    if (Profile1)
        Profile1->WriteBool(key, value);
}
